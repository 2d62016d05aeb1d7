// What the library file itself carries, read from the file without loading it: exactly the
// two entry points as exports, and the version data.
#include "outlookbutton/PlinketResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <elf.h>
#include <fstream>
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

class ElfFile {
public:
    explicit ElfFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        m_bytes.resize(std::size_t(std::max<std::streamoff>(in.tellg(), 0)));
        in.seekg(0);
        in.read(m_bytes.data(), std::streamsize(m_bytes.size()));
    }

    bool valid() const
    {
        return m_bytes.size() >= sizeof(Elf64_Ehdr) && std::memcmp(m_bytes.data(), ELFMAG, SELFMAG) == 0
            && m_bytes[EI_CLASS] == ELFCLASS64;
    }

    std::optional<Elf64_Shdr> section(const std::string& name) const
    {
        for (std::size_t i = 0; i < sectionCount(); ++i)
            if (sectionName(i) == name)
                return sectionHeader(i);
        return std::nullopt;
    }

    // Defined symbols that other modules can see, with their types.
    std::map<std::string, unsigned> exports() const
    {
        std::map<std::string, unsigned> result;
        const auto dynsym = section(".dynsym");
        if (!dynsym)
            return result;
        const Elf64_Shdr strings = sectionHeader(dynsym->sh_link);
        for (std::size_t offset = 0; offset + sizeof(Elf64_Sym) <= dynsym->sh_size; offset += sizeof(Elf64_Sym)) {
            const auto symbol = read<Elf64_Sym>(dynsym->sh_offset + offset);
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK))
                continue;
            result[cString(strings.sh_offset + symbol.st_name)] = ELF64_ST_TYPE(symbol.st_info);
        }
        return result;
    }

    template <class T>
    T read(std::size_t offset) const
    {
        T value{};
        if (offset + sizeof(T) <= m_bytes.size())
            std::memcpy(&value, m_bytes.data() + offset, sizeof(T));
        return value;
    }

private:
    std::size_t sectionCount() const { return read<Elf64_Ehdr>(0).e_shnum; }

    Elf64_Shdr sectionHeader(std::size_t index) const
    {
        const auto header = read<Elf64_Ehdr>(0);
        return read<Elf64_Shdr>(header.e_shoff + index * header.e_shentsize);
    }

    std::string sectionName(std::size_t index) const
    {
        const Elf64_Shdr names = sectionHeader(read<Elf64_Ehdr>(0).e_shstrndx);
        return cString(names.sh_offset + sectionHeader(index).sh_name);
    }

    std::string cString(std::size_t offset) const
    {
        std::string text;
        while (offset < m_bytes.size() && m_bytes[offset] != '\0')
            text += m_bytes[offset++];
        return text;
    }

    std::vector<char> m_bytes;
};

TEST(PlinketFile, ExportsOnlyItsTwoEntryPoints)
{
    const ElfFile file(PLINKET_LIBRARY);
    ASSERT_TRUE(file.valid());
    const std::map<std::string, unsigned> expected{{"ExchEntryPoint", STT_FUNC}, {"getTIVEntry", STT_FUNC}};
    EXPECT_EQ(file.exports(), expected);
}

TEST(PlinketFile, CarriesItsVersionData)
{
    const ElfFile file(PLINKET_LIBRARY);
    ASSERT_TRUE(file.valid());
    const auto section = file.section("torvane_version");
    ASSERT_TRUE(section);
    ASSERT_GE(section->sh_size, sizeof(torvane::plinket::VersionResource));
    const auto version = file.read<torvane::plinket::VersionResource>(section->sh_offset);
    EXPECT_STREQ(version.signature, "TVVERS1");
    EXPECT_EQ(version.fileVersion[0], 1);
    EXPECT_EQ(version.fileVersion[1], 0);
    EXPECT_EQ(version.productVersion[0], 1);
    EXPECT_EQ(version.productVersion[1], 0);
    EXPECT_STREQ(version.fileVersionText, "1.00");
    EXPECT_STREQ(version.productVersionText, "1.00");
    EXPECT_STREQ(version.fileDescription, "Outlook extension");
}

} // namespace

#include "platform/mapi/CardFolder.h"
#include "platform/posix/WriteAll.h"

#include "platform/mapi/VCardText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane::mapi {

namespace fs = std::filesystem;

namespace {

// Cards beyond this size are no address book entries we could show; they are left alone.
constexpr std::uintmax_t kMaxCardBytes = 1u << 20;

void setWhy(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
}

std::string errnoText(const std::string& what, int err)
{
    return what + ": " + std::strerror(err);
}

} // namespace

CardFolder::CardFolder(fs::path folder) : folder_(std::move(folder)) {}

fs::path CardFolder::defaultPath()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data && *data) {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home ? home : ".") / ".local" / "share";
    }
    return base / "torvane" / "addressbook";
}

bool CardFolder::usable(std::string* why) const
{
    std::error_code ec;
    const fs::file_status status = fs::status(folder_, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return false;
    }
    if (status.type() != fs::file_type::directory) {
        setWhy(why, folder_.string() + ": not a folder");
        return false;
    }
    return true;
}

bool CardFolder::isCardFileName(const std::string& fileName)
{
    if (fileName.empty() || fileName.front() == '.' || fileName.find('/') != std::string::npos)
        return false;
    return fileName.size() > 4 && vcard::equalsNoCase(std::string_view(fileName).substr(fileName.size() - 4), ".vcf");
}

std::optional<std::vector<StoredCard>> CardFolder::loadAll(std::string* why) const
{
    std::vector<StoredCard> cards;
    std::error_code ec;
    if (!fs::exists(folder_, ec) && !ec)
        return cards;
    fs::directory_iterator it(folder_, ec);
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (isCardFileName(name))
            names.push_back(name);
    }
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        vcard::Card card = vcard::Card::create();
        // A card removed or spoiled while we look is simply not there.
        if (load(name, &card) == Load::Ok)
            cards.push_back({name, std::move(card)});
    }
    return cards;
}

CardFolder::Load CardFolder::load(const std::string& fileName, vcard::Card* card, std::string* why) const
{
    if (!isCardFileName(fileName))
        return Load::Missing;
    const fs::path path = folder_ / fileName;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return Load::Missing;
    if (ec) {
        setWhy(why, path.string() + ": " + ec.message());
        return Load::Failed;
    }
    if (status.type() != fs::file_type::regular)
        return Load::NotUnderstood;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        setWhy(why, path.string() + ": " + ec.message());
        return Load::Failed;
    }
    if (size > kMaxCardBytes)
        return Load::NotUnderstood;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setWhy(why, errnoText(path.string(), errno));
        return Load::Failed;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = vcard::Card::parse(text, why);
    if (!parsed)
        return Load::NotUnderstood;
    *card = std::move(*parsed);
    return Load::Ok;
}

bool CardFolder::write(const std::string& fileName, const vcard::Card& card, std::string* why)
{
    if (!isCardFileName(fileName)) {
        setWhy(why, fileName + ": not a card file name");
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return false;
    }
    const fs::path target = folder_ / fileName;
    mode_t mode = 0600;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;

    std::string temp = (folder_ / ("." + fileName + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        setWhy(why, errnoText(temp, errno));
        return false;
    }
    const std::string bytes = card.serialize();
    bool ok = torvane::writeAll(fd, bytes.data(), bytes.size()) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int err = errno;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameErr = errno;
        ::unlink(temp.c_str());
        setWhy(why, errnoText(target.string(), ok ? renameErr : err));
        return false;
    }
    // The rename itself is made durable with the folder.
    const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool CardFolder::remove(const std::string& fileName, std::string* why)
{
    if (!isCardFileName(fileName)) {
        setWhy(why, fileName + ": not a card file name");
        return false;
    }
    const fs::path target = folder_ / fileName;
    if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
        setWhy(why, errnoText(target.string(), errno));
        return false;
    }
    return true;
}

std::string CardFolder::newUid()
{
    static std::random_device device;
    std::uniform_int_distribution<unsigned> byte(0, 255);
    unsigned char b[16];
    for (unsigned char& c : b)
        c = static_cast<unsigned char>(byte(device));
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text, "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}

std::string CardFolder::fileNameFor(const std::string& uid)
{
    return uid + ".vcf";
}

} // namespace torvane::mapi

// A program that declares ZelSimPin itself, without the engine header's weak attribute, keeps a
// copy of it in its own data (a copy relocation). The engine of that process must still read
// the PIN the program wrote there.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

extern "C" {
extern char ZelSimPin[12];
int ZelDllCycle(const char* line, char** command, int portState);
int ATStatusCheck(unsigned long long window, unsigned int message);
}

namespace {

constexpr int kPortDsrOn = 5;

std::string cycle(const char* line)
{
    char* command = nullptr;
    ZelDllCycle(line, &command, kPortDsrOn);
    return command ? command : "<null>";
}

TEST(ExportsCopiedPin, EngineReadsTheProgramsOwnCopy)
{
    std::strcpy(ZelSimPin, "8642");
    ASSERT_EQ(ATStatusCheck(0, 0x400 + 11), 0);
    for (const char* line : {(const char*)nullptr, (const char*)nullptr, "OK", "TORVANE", "OK", "+CPIN: SIM PIN",
                             "OK", "^SPIC: 3"})
        cycle(line);
    EXPECT_EQ(cycle("OK"), "AT+CPIN=8642\r");
}

} // namespace

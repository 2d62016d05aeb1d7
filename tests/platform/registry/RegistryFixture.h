// Gives every registry test a config folder of its own (XDG_CONFIG_HOME, inherited by the peer
// processes it starts), and reads and writes the root files directly.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace torvane::test {

class RegistryFixture : public testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_TRUE(tmp) << "run through tests/isolate.sh";
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '-';
        configHome_ = std::string(tmp) + "/config-" + name;
        ASSERT_EQ(mkdir(configHome_.c_str(), 0700), 0) << configHome_;
        setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
    }

    std::string regFile(const std::string& root = "HKEY_CURRENT_USER") const
    {
        return configHome_ + "/torvane/" + root + ".reg";
    }

    std::string fileText(const std::string& root = "HKEY_CURRENT_USER") const
    {
        std::ifstream in(regFile(root), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void putFile(const std::string& bytes, const std::string& root = "HKEY_CURRENT_USER") const
    {
        mkdir((configHome_ + "/torvane").c_str(), 0700);
        std::ofstream out(regFile(root), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::string configHome_;
};

} // namespace torvane::test

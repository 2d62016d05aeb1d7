// What the Plinket tests share: the library loaded into a host, the message boxes it shows,
// and the settings file below HKEY_LOCAL_MACHINE that it reads.
#pragma once

#include "platform/exchext/ExchMessageBox.h"
#include "platform/exchext/host/ExtensionSite.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace torvane::testing {

// The organizer's machine key, where the button's value lives.
inline constexpr const char* kOrganizerKey = "SOFTWARE\\TORVANE\\TESSARO";

// Stores `bytes` exactly as given (a text needs its terminator included).
inline void setRawValue(const char* keyPath, const char* name, const std::string& bytes, DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, keyPath, &key, nullptr), ERROR_SUCCESS) << keyPath;
    EXPECT_EQ(RegSetValueEx(key, name, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size())),
              ERROR_SUCCESS)
        << keyPath << "\\" << name;
    RegCloseKey(key);
}

inline void setTextValue(const char* keyPath, const char* name, const std::string& text)
{
    setRawValue(keyPath, name, text + '\0');
}

inline void createKey(const char* keyPath)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, keyPath, &key, nullptr), ERROR_SUCCESS) << keyPath;
    RegCloseKey(key);
}

// The value the button reads.
inline void setCommandValue(const std::string& text)
{
    setTextValue(kOrganizerKey, "Plinket", text);
}

inline void removeMachineSettings()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr) << "tests run through tests/isolate.sh";
    std::filesystem::remove(std::filesystem::path(config) / "torvane" / "HKEY_LOCAL_MACHINE.reg");
}

class PlinketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeMachineSettings();
        std::string error;
        m_library = exchext::ExtensionLibrary::open(PLINKET_LIBRARY, &error);
        ASSERT_TRUE(m_library) << error;
        exchext::setMessageBoxSink([this](const exchext::MessageBoxRequest& box) {
            m_boxes.push_back(box);
            return IDOK;
        });
    }

    void TearDown() override
    {
        m_sites.clear();
        if (m_library)
            m_library->unload();
        exchext::setMessageBoxSink({});
    }

    // A viewer of the host; it lives until the test ends or unload() runs.
    exchext::ExtensionSite& site(exchext::SiteSetup setup = {})
    {
        m_sites.push_back(std::make_unique<exchext::ExtensionSite>(*m_library, std::move(setup)));
        return *m_sites.back();
    }

    // Releases every site's objects and unloads the library, as the host does at its end.
    void unload()
    {
        m_sites.clear();
        m_library->unload();
    }

    exchext::ExtensionLibrary& library() { return *m_library; }
    const std::vector<exchext::MessageBoxRequest>& boxes() const { return m_boxes; }

private:
    std::unique_ptr<exchext::ExtensionLibrary> m_library;
    std::vector<std::unique_ptr<exchext::ExtensionSite>> m_sites;
    std::vector<exchext::MessageBoxRequest> m_boxes;
};

} // namespace torvane::testing

// A CSmsManager on the fakes, its spool root "/spool", preview off, up to five parts, traced.
#pragma once

#include "mainprog/core/CSmsManager.h"
#include "mainprog/core/SuiteSettings.h"
#include "tests/mainprog/core/SmsFakes.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvant::test {

class SmsManagerFixture : public testing::Test {
protected:
    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        profile = std::make_unique<torvane::registry::AppProfile>(std::string("TorvaneSms") + info->test_suite_name(),
                                                                  info->name());
        profile->WriteProfileString(section::MapiServer, value::SpoolDir, "/spool");
        profile->WriteProfileInt(section::MapiServer, value::Preview, 0);
        profile->WriteProfileInt(section::MapiServer, value::MaxParts, 5);
        profile->WriteProfileInt(section::MapiServer, value::MapiLog, 1);
    }
    void make()
    {
        manager = std::make_unique<CSmsManager>(engine, spool, dialogs, clock, *profile, HWND{77}, "trace.log");
        manager->Configure();
    }
    // A read answered with the record (its deletion not yet answered).
    void receive(const SmsRecord& record)
    {
        engine.records.push_back(record);
        manager->RequestRead();
        manager->OnMessageRead(0);
    }
    std::vector<std::string> inbox() const { return spool.in("/spool/sms_in/"); }

    FakeSmsEngine engine;
    MemorySpool spool;
    ScriptedSmsDialogs dialogs;
    FakeSmsClock clock;
    std::unique_ptr<torvane::registry::AppProfile> profile;
    std::unique_ptr<CSmsManager> manager;
};

} // namespace corvant::test

// The simulated phone's object store on its own, bytes in and out with the test's time.
#include "tools/phonesim/HexText.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneEngine.h"

#include <gtest/gtest.h>

namespace torvane::phonesim {
namespace {

class ObjectStoreTest : public ::testing::Test {
protected:
    void SetUp() override { talk("ATE0+CMEE=1\r"); }

    std::string talk(const std::string& bytes)
    {
        engine.receive(bytes, now);
        std::string out = engine.output().due(now, 1 << 20);
        engine.output().consumed(out.size());
        return out;
    }
    ObjectStoreCommands& store()
    {
        for (const auto& m : engine.modules())
            if (auto* s = dynamic_cast<ObjectStoreCommands*>(m.get()))
                return *s;
        throw std::logic_error("no object store");
    }

    PhoneEngine engine;
    SimClock::time_point now{};
};

TEST_F(ObjectStoreTest, RangeStateAndEmptyRead)
{
    EXPECT_EQ(talk("AT^SBNW=?\r"), "\r\n^SBNW: \"vcs\",(1-50)\r\n\r\nOK\r\n");
    EXPECT_EQ(talk("AT^SBNW?\r"), "\r\n^SBNW: \"\",0,0,0\r\n\r\nOK\r\n");
    EXPECT_EQ(talk("AT^SBNR=\"vcs\",4\r"), "\r\nOK\r\n");
    EXPECT_EQ(talk("AT^SBNR=\"vcs\",51\r"), "\r\n+CME ERROR: 21\r\n");
}

TEST_F(ObjectStoreTest, UploadInBlocksWithItsPendingState)
{
    EXPECT_EQ(talk("AT^SBNW=vcs,5,1,2\r"), ">\r\n");
    EXPECT_EQ(talk("4142\x1a"), "\r\nOK\r\n");
    EXPECT_EQ(talk("AT^SBNW?\r"), "\r\n^SBNW: \"vcs\",5,1,2\r\n\r\nOK\r\n");
    // A block out of turn is refused and the upload stays as it was.
    EXPECT_EQ(talk("AT^SBNW=vcs,5,1,2\r"), "\r\n+CME ERROR: 3\r\n");
    talk("AT^SBNW=vcs,5,2,2\r");
    EXPECT_EQ(talk("43\x1a"), "\r\nOK\r\n");
    EXPECT_EQ(talk("AT^SBNW?\r"), "\r\n^SBNW: \"\",0,0,0\r\n\r\nOK\r\n");
    EXPECT_EQ(store().objects["vcs"][5], "ABC");
    EXPECT_EQ(talk("AT^SBNR=\"vcs\",5\r"), "\r\n^SBNR: \"vcs\",5,1,1\r\n414243\r\n\r\nOK\r\n");
}

TEST_F(ObjectStoreTest, AbortedBlockLeavesTheUploadPendingUntilReset)
{
    talk("AT^SBNW=vcs,7,1,3\r");
    EXPECT_EQ(talk("41\x1b"), "\r\nERROR\r\n");
    EXPECT_EQ(talk("AT^SBNW?\r"), "\r\n^SBNW: \"vcs\",7,0,3\r\n\r\nOK\r\n");
    store().stuckUpload = true;
    EXPECT_EQ(talk("AT^SBNW=\"vcs\",7\r"), "\r\nOK\r\n");
    EXPECT_TRUE(store().pending.has_value());
    store().stuckUpload = false;
    EXPECT_EQ(talk("AT^SBNW=\"vcs\",7\r"), "\r\nOK\r\n");
    EXPECT_FALSE(store().pending.has_value());
}

TEST_F(ObjectStoreTest, DeleteAndReadHeaders)
{
    store().objects["vcs"][9] = std::string(200, 'x');
    std::string hexOfX;
    for (int i = 0; i < 150; ++i)
        hexOfX += "78";
    const std::string first = "\r\n^SBNR: \"vcs\",9,1,2\r\n" + hexOfX + "\r\n";
    const std::string second = std::string("^SBNR: \"vcs\",9,2,2\r\n") + hexOfX.substr(0, 100) + "\r\n\r\nOK\r\n";
    EXPECT_EQ(talk("AT^SBNR=\"vcs\",9\r"), first + second);
    store().headerFault = HeaderFault::WrongBlockNumber;
    EXPECT_NE(talk("AT^SBNR=\"vcs\",9\r").find("^SBNR: \"vcs\",9,3,2"), std::string::npos);
    store().headerFault = HeaderFault::WrongLocation;
    EXPECT_NE(talk("AT^SBNR=\"vcs\",9\r").find("^SBNR: \"vcs\",10,2,2"), std::string::npos);
    store().headerFault = HeaderFault::WrongType;
    EXPECT_NE(talk("AT^SBNR=\"vcs\",9\r").find("^SBNR: \"vcx\",9,2,2"), std::string::npos);
    EXPECT_EQ(talk("AT^SBNW=vcs,9,0\r"), "\r\nOK\r\n");
    EXPECT_EQ(store().objects["vcs"].count(9), 0u);
}

TEST_F(ObjectStoreTest, ACalendarTextLongerThanThePhoneTakesIsRefused)
{
    const auto object = [](const std::string& kind, const std::string& text) {
        return toHex("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nCATEGORIES:" + kind + "\r\n" + text + "\r\nEND:VEVENT\r\n");
    };
    const auto upload = [&](int location, const std::string& hex) {
        talk("AT^SBNW=\"vcs\"," + std::to_string(location) + ",1,1\r");
        return talk(hex + "\x1a");
    };
    const std::string fits = object("MEETING", "DESCRIPTION:" + std::string(16, 'a'));
    EXPECT_EQ(upload(1, fits), "\r\nOK\r\n");
    EXPECT_EQ(upload(1, object("MEETING", "SUMMARY:" + std::string(17, 'b'))), "\r\n+CME ERROR: 24\r\n");
    EXPECT_EQ(upload(3, object("PHONE CALL", "SUMMARY:+" + std::string(20, '4'))), "\r\nOK\r\n");
    EXPECT_EQ(upload(4, object("PHONE CALL", "DESCRIPTION:" + std::string(22, '4'))), "\r\n+CME ERROR: 24\r\n");
    // A refused object leaves its location as it was, and nothing pending; nor can a state file
    // give the phone such a text.
    EXPECT_EQ(toHex(store().objects["vcs"][1]), fits);
    EXPECT_EQ(store().objects["vcs"].count(4), 0u);
    EXPECT_FALSE(store().pending.has_value());
    const QString tooLong = QString::fromStdString(object("MEETING", "DESCRIPTION:" + std::string(17, 'd')));
    EXPECT_EQ(ObjectStoreCommands().loadState({{"objects", QJsonObject{{"vcs", QJsonObject{{"5", tooLong}}}}}}),
              "objectStore.objects.vcs.5 holds a text longer than the phone takes");
}

TEST(ObjectStorePhoneForm, CalendarObjectsLoseZAndTheRuleCount)
{
    const std::string written = "BEGIN:VCALENDAR\r\nDTSTART:20011224T103000Z\r\nDALARM:20011224T100000Z\r\n"
                                "AALARM:20011224T101500Z\r\nRRULE:W1 #0\r\nDESCRIPTION:Z #0\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(ObjectStoreCommands::phoneForm(written),
              "BEGIN:VCALENDAR\r\nDTSTART:20011224T103000\r\nDALARM:20011224T100000\r\n"
              "AALARM:20011224T101500\r\nRRULE:W1\r\nDESCRIPTION:Z #0\r\nEND:VCALENDAR\r\n");
}

TEST(ObjectStoreState, JsonRoundTripWithFaults)
{
    ObjectStoreCommands a;
    a.objects["vcs"][3] = std::string("\x00\xff", 2);
    a.objects["mid"][0] = "melody";
    a.ranges["mid"] = {0, 0};
    a.stuckUpload = true;
    a.headerFault = HeaderFault::WrongLocation;
    ObjectStoreCommands b;
    EXPECT_TRUE(b.loadState(a.saveState()).isEmpty());
    EXPECT_EQ(b.objects, a.objects);
    EXPECT_EQ(b.ranges.at("mid").last, 0);
    EXPECT_TRUE(b.stuckUpload);
    EXPECT_EQ(b.headerFault, HeaderFault::WrongLocation);

    QJsonObject bad = a.saveState();
    bad.insert(QStringLiteral("headerFault"), QStringLiteral("sometimes"));
    ObjectStoreCommands c;
    EXPECT_FALSE(c.loadState(bad).isEmpty());
    EXPECT_TRUE(c.objects.empty());
}

} // namespace
} // namespace torvane::phonesim

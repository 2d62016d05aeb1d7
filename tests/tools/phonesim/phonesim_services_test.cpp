// The simulated phone's phonebooks, call barring, call forwarding and ring tone melody, bytes in
// and out, and the way the melody upload shares AT^SBNW with the object store.
#include "PhoneTalk.h"

#include "tools/phonesim/BarringCommands.h"
#include "tools/phonesim/ForwardingCommands.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhonebookCommands.h"

#include <gtest/gtest.h>

using namespace torvane::phonesim;
using simtest::PhoneTalk;

namespace {

const std::string kOk = "\r\nOK\r\n";

std::string cme(int n)
{
    return "\r\n+CME ERROR: " + std::to_string(n) + "\r\n";
}

TEST(Phonebooks, SelectReadAndWriteWithTheLimitsOfEachStorage)
{
    PhoneTalk phone;
    EXPECT_EQ(phone.talk("AT^SPBS=\"SM\"\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CPBR=?\r"), "\r\n+CPBR: (1-250),20,14\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=7,\"+491701234567\",145,\"Anna\"\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=3,\"0301234\",129,\"\"\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=,\"555\"\r"), kOk) << "no index: the first free one";
    EXPECT_EQ(phone.talk("AT+CPBR=1,250\r"),
              "\r\n+CPBR: 1,\"555\",129,\"\"\r\n+CPBR: 3,\"0301234\",129,\"\"\r\n"
              "+CPBR: 7,\"+491701234567\",145,\"Anna\"\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CPBR=4,6\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=3\r"), kOk);
    EXPECT_FALSE(phone.module<PhonebookCommands>().storages["SM"].entries.contains(3));

    EXPECT_EQ(phone.talk("AT+CPBW=251,\"1\",129,\"x\"\r"), cme(21));
    EXPECT_EQ(phone.talk("AT+CPBR=0,5\r"), cme(21));
    EXPECT_EQ(phone.talk("AT+CPBW=1,\"" + std::string(21, '1') + "\",129,\"x\"\r"), cme(26));
    EXPECT_EQ(phone.talk("AT+CPBW=1,\"12a\",129,\"x\"\r"), cme(27));
    EXPECT_EQ(phone.talk("AT+CPBW=1,\"1\",129,\"fifteen letters\"\r"), cme(24));

    EXPECT_EQ(phone.talk("AT^SPBS=\"LD\"\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=1,\"1\",129,\"x\"\r"), cme(3)) << "the dialled list is read-only";
    EXPECT_EQ(phone.talk("AT^SPBS=\"XY\"\r"), cme(4));
    EXPECT_EQ(phone.talk("AT+CPBR=?\r"), "\r\n+CPBR: (1-10),20,14\r\n" + kOk) << "LD stays selected";
}

TEST(Phonebooks, NamesInThePhonesCodesKeepTheirBytesBelowBlank)
{
    PhoneTalk phone;
    // '_', 'é', 'Ø' and 'ò' in the phone's codes; 0x08 is no backspace and 0x1B no escape inside
    // the quotes, and a quote typed and taken back does not end the field.
    const std::string name = "a\x11" "b\x05\x0B\x08\x1B" "c";
    EXPECT_EQ(phone.talk("AT+CPBW=4,\"123\",129,\"" + name + "\"\x08\"\r"), kOk);
    EXPECT_EQ(phone.module<PhonebookCommands>().storages["SM"].entries[4].text, name);
    EXPECT_EQ(phone.talk("AT+CPBR=4\r"), "\r\n+CPBR: 4,\"123\",129,\"" + name + "\"\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CPBW=5,\"1\x08" "2\",129,\"x\"\r"), cme(27))
        << "inside quotes a backspace is a byte, which a number may not hold";
}

TEST(Barring, QueryAndSetWithThePassword)
{
    PhoneTalk phone;
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",2\r"), "\r\n^SLCK: 0,7\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",1,\"0000\",5\r"), kOk);
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",2\r"), "\r\n^SLCK: 1,1\r\n^SLCK: 1,4\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",0,\"1111\",1\r"), cme(16));
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",0,\"0000\",1\r"), kOk);
    EXPECT_EQ(phone.talk("AT^SLCK=\"AO\",2,2\r"), "\r\n^SLCK: 0,2\r\n" + kOk);
    EXPECT_EQ(phone.module<BarringCommands>().barred["AO"], 4);
    EXPECT_EQ(phone.talk("AT^SLCK=\"XX\",2\r"), cme(4));
    phone.talk("AT+CMEE=0\r");
    EXPECT_EQ(phone.talk("AT^SLCK=\"AI\",1,\"9\",1\r"), "\r\nERROR\r\n") << "without numeric codes";
}

TEST(Forwarding, RegisterQueryAndEraseByReasonAndClass)
{
    PhoneTalk phone;
    EXPECT_EQ(phone.talk("AT+CCFC=2,2\r"), "\r\n+CCFC: 0,1\r\n+CCFC: 0,2\r\n+CCFC: 0,4\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=2,3,\"+491701234567\",145,1,,,25\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=0,3,\"0301234\",129,4\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=2,2,,,1\r"), "\r\n+CCFC: 1,1,\"+491701234567\",145,,,25\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=0,2\r"), "\r\n+CCFC: 0,1\r\n+CCFC: 0,2\r\n+CCFC: 1,4,\"0301234\",129\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=0,0,,,4\r"), kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=0,2,,,4\r"), "\r\n+CCFC: 0,4\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT+CCFC=0,1,,,4\r"), kOk) << "enabled again with the number registered before";
    EXPECT_EQ(phone.talk("AT+CCFC=0,4,,,4\r"), kOk);
    EXPECT_EQ(phone.module<ForwardingCommands>().at(0, 4), ForwardingCommands::Forward{});
    EXPECT_EQ(phone.talk("AT+CCFC=0,1,,,4\r"), cme(3)) << "nothing registered to enable";
    EXPECT_EQ(phone.talk("AT+CCFC=1,3\r"), cme(3)) << "registration without number";
    EXPECT_EQ(phone.talk("AT+CCFC=1,3,\"12a\"\r"), cme(27));
    EXPECT_EQ(phone.talk("AT+CCFC=5,2\r"), cme(4));
}

class Melody : public ::testing::Test {
protected:
    MelodyCommands& melody() { return phone.module<MelodyCommands>(); }
    PhoneTalk phone;
};

TEST_F(Melody, UploadInPartsAfterALinePromptThenTestPlay)
{
    EXPECT_EQ(phone.talk("AT^SRTC=42,1\rAT^SRTC\r"), kOk + cme(22)) << "no melody to play yet";
    EXPECT_EQ(phone.talk("AT^SBNW=\"mid\",0,1,2\r"), ">\r\n");
    EXPECT_EQ(phone.talk("4D546864\x1a"), kOk);
    EXPECT_EQ(phone.talk("AT^SBNW=\"mid\",0,1,3\r"), ">\r\n") << "part 1 starts afresh";
    EXPECT_EQ(phone.talk(std::string(100, 'A') + "\x1a"), kOk);
    EXPECT_EQ(phone.talk("AT^SBNW=\"mid\",0,3,3\r"), cme(3)) << "out of turn";
    phone.talk("AT^SBNW=\"mid\",0,2,3\r");
    EXPECT_EQ(phone.talk(std::string(102, 'B') + "\x1a"), "\r\nERROR\r\n") << "more than 50 bytes";
    phone.talk("AT^SBNW=\"mid\",0,2,3\r");
    phone.talk(std::string(100, 'B') + "\x1a");
    phone.talk("AT^SBNW=mid,0,3,3\r");
    EXPECT_EQ(phone.talk("0102\x1a"), kOk);
    EXPECT_EQ(melody().melody, std::string(50, '\xAA') + std::string(50, '\xBB') + "\x01\x02");
    EXPECT_FALSE(melody().pending);

    EXPECT_EQ(phone.talk("AT^SRTC?\r"), "\r\n^SRTC: 42,1,0\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT^SRTC\r"), kOk);
    EXPECT_EQ(phone.talk("AT^SRTC?\r"), "\r\n^SRTC: 42,1,1\r\n" + kOk);
    EXPECT_EQ(phone.talk("AT^SRTC\r"), kOk);
    EXPECT_FALSE(melody().playing);
    EXPECT_EQ(melody().playsStarted, 1);
    EXPECT_EQ(phone.talk("AT^SRTC=43,1\r"), cme(21));
}

TEST_F(Melody, SharesItsCommandWithTheObjectStore)
{
    EXPECT_EQ(phone.talk("AT^SBNW=\"vcs\",3,1,1\r"), ">\r\n");
    EXPECT_EQ(phone.talk("4142\x1a"), kOk);
    EXPECT_EQ(phone.talk("AT^SBNW=\"MID\",0,1,1\r"), ">\r\n");
    EXPECT_EQ(phone.talk("43\x1a"), kOk);
    EXPECT_EQ(phone.module<ObjectStoreCommands>().objects["vcs"][3], "AB");
    EXPECT_FALSE(phone.module<ObjectStoreCommands>().objects.contains("mid"));
    EXPECT_EQ(melody().melody, "C");
    EXPECT_EQ(phone.talk("AT^SBNW=\"mid\",0,0\r"), kOk);
    EXPECT_EQ(melody().melody, "");
    EXPECT_EQ(phone.talk("AT^SBNW=?\r"), "\r\n^SBNW: \"vcs\",(1-50)\r\n" + kOk) << "the object store's test form";
}

TEST(ServicesState, SavedStateLoadsBackTheSame)
{
    PhoneTalk phone;
    phone.talk("AT+CPBW=9,\"123\",129,\"Zo\xEB\"\r");
    phone.talk("AT^SLCK=\"OI\",1,\"0000\",2\r");
    phone.talk("AT+CCFC=1,3,\"+4930\",145,2\r");
    phone.module<MelodyCommands>().melody = "MThd";
    PhoneTalk other;
    ASSERT_EQ(other.engine.loadState(phone.engine.saveState()), QString());
    EXPECT_EQ(other.module<PhonebookCommands>().storages["SM"].entries.at(9),
              (PhonebookCommands::Entry{"123", 129, "Zo\xEB"}));
    EXPECT_EQ(other.module<BarringCommands>().barred["OI"], 2);
    EXPECT_EQ(other.module<ForwardingCommands>().at(1, 2).number, "+4930");
    EXPECT_TRUE(other.module<ForwardingCommands>().at(1, 2).active);
    EXPECT_EQ(other.module<MelodyCommands>().melody, "MThd");
}

} // namespace

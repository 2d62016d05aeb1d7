// The demo profile's files, each read by the part of the suite that reads such a file: the phone's
// state by the simulated phone, its directories through the engine into the phonebook editor's
// blocks, its messages by the engine's PDU codec, its calendar by the organizer's link; the
// desktop calendar through the calendar layer, the address book by the phonebook editor's model,
// the outbox file by the SMS gateway's reader, the settings by the registry.
#include "engine/codec/PduAddress.h"
#include "engine/codec/SmsPdu.h"
#include "engine/zeldll.h"
#include "mainprog/core/SpoolFile.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/ReadMobile.h"
#include "phonebook/model/PhonebookResult.h"
#include "platform/outlook/Application.h"
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "support/EngineLinePump.h"
#include "tools/demo/DemoPhone.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/SmsCommands.h"

#include "phonebook/model/BrevikFakes.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::SmsCommands;

const fs::path kProfile = DEMO_PROFILE_DIR;
const fs::path kData = kProfile / "data" / "torvane";

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The demo phone, started on COM1 of the test's private folders.
class DemoPhone : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sim.loadStateFile(QString::fromStdString((kProfile / "phone.json").string())), QString());
        std::string error;
        ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    }
    PhoneSim sim;
};

TEST_F(DemoPhone, FileIsWhatTheGeneratorMakes)
{
    EXPECT_EQ(fileText(kProfile / "phone.json"), torvane::demo::demoPhoneFile().toStdString())
        << "run demo-phone tools/demo/profile/phone.json";
    EXPECT_EQ(sim.withModule<torvane::phonesim::MelodyCommands>([](auto& m) { return m.melody.substr(0, 4); }),
              "MThd");
}

TEST_F(DemoPhone, DirectoriesReadThroughTheEngineHoldUmlautsVipsAndForeignNumbers)
{
    torvane::test::EngineLinePump pump;
    std::string error;
    ASSERT_TRUE(pump.open("COM1", &error)) << error;
    std::set<std::string> names, vips, foreign;
    int entries = 0;
    for (const char* storage : {"SM", "ME"}) {
        ASSERT_EQ(ATPBRead(pump.window(), brevik::WM_PHONEBOOK_READ_DONE, storage), 0);
        ASSERT_EQ(pump.waitForAnswer(brevik::WM_PHONEBOOK_READ_DONE).lParam, RESULT_OK) << storage;
        brevik::PhoneDirectory block;
        brevik::DecodePhonebookResult(*ATPBGet(), block);
        entries += block.count;
        for (int i = 0; i < block.count; ++i) {
            const brevik::PhoneBookEntry& e = block.entries[std::size_t(i)];
            names.insert(e.name);
            if (e.status == "!")
                vips.insert(e.name);
            if (e.number.rfind("+49", 0) != 0 && e.number[0] == '+')
                foreign.insert(e.name);
        }
    }
    EXPECT_EQ(entries, 22);
    EXPECT_TRUE(names.contains("J\xFCrgen B\xE4umler") && names.contains("Grete Maa\xDF") &&
                names.contains("Ren\xE9" "e Lacombe"));
    EXPECT_EQ(vips, (std::set<std::string>{"Lena Vogt", "Claudia Fr\xF6hlich"}));
    EXPECT_TRUE(foreign.contains("Tom Ashby"));
}

TEST_F(DemoPhone, MessagesHoldAnAlphanumericSenderAndAMessageInTwoParts)
{
    const auto messages = sim.withModule<SmsCommands>([](SmsCommands& m) { return m.messages; });
    ASSERT_EQ(messages.size(), 5u);
    std::set<std::string> senders;
    std::set<int> partsOfSeven;
    for (const auto& [place, message] : messages) {
        const char* hex = message.pdu.c_str();
        const int skip = zel::serviceCentrePartLength(hex, int(message.pdu.size()));
        zel::SmsTextArea text;
        zel::SmsSenderArea sender;
        const char* stamp = nullptr;
        int length = 0, reference = 0, total = 0, sequence = 0;
        ASSERT_TRUE(zel::SmsPduDecode(hex + skip, int(message.pdu.size()) - skip, text, length, sender, stamp,
                                      reference, total, sequence)) << place;
        EXPECT_GT(length, 20) << place;
        senders.insert(sender);
        if (reference == 7 && total == 2)
            partsOfSeven.insert(sequence);
    }
    EXPECT_TRUE(senders.contains("KundenInfo"));
    EXPECT_EQ(partsOfSeven, (std::set<int>{1, 2}));
}

TEST_F(DemoPhone, OrganizerReadsTenEntriesOfEveryCategoryAlarmAndSeriesThatFitThePhone)
{
    using namespace tessaro;
    QStringList boxes;
    setMessageBoxHandler([&boxes](const QString& text, int, const QString&) { return boxes << text, vbOK; });
    ASSERT_TRUE(GetMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount));
    ASSERT_TRUE(ReadMobile(true)) << boxes.join(u'\n').toStdString();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(PhoneEntryTable.Count, 10);
    std::set<int> categories, alarms;
    std::set<QString> rules;
    for (int location = FirstLocation; location <= LastLocation; ++location) {
        const PhoneEntry& e = PhoneEntryTable.Entries(location);
        if (e.Location.isEmpty())
            continue;
        categories.insert(e.IsMemo ? 0 : e.IsMeeting ? 1 : e.IsAnniversary ? 2 : e.IsPhoneCall ? 3 : -1);
        // What the phone holds: the entry editor would cut a longer text without a word.
        const qsizetype fits = e.IsPhoneCall ? 21 : 16;
        EXPECT_LE(e.Description.size(), fits) << e.Description.toStdString();
        EXPECT_LE(e.Summary.size(), fits) << e.Summary.toStdString();
        alarms.insert((e.DAlarmSet ? 1 : 0) + (e.AAlarmSet ? 2 : 0));
        rules.insert(e.RRule);
    }
    EXPECT_EQ(categories, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(alarms, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(rules, (std::set<QString>{QString(), "D1", "W1", "Y1"}));
    setMessageBoxHandler({});
}

TEST(DemoCalendar, ADozenAppointmentsWithSeriesThatFillEveryWeek)
{
    torvane::outlook::ApplicationOptions options;
    options.calendarPath = QString::fromStdString((kData / "calendar.ics").string());
    options.shortDateTimeFormat = QStringLiteral("dd.mm.yyyy hh:mm");
    QString why;
    auto app = torvane::outlook::Application::create(options, &why);
    ASSERT_TRUE(app) << why.toStdString();
    auto items = app->GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(torvane::outlook::CalendarFolder).Items();
    int count = 0, reminders = 0, severalWeekdays = 0, yearly = 0;
    bool teamMeeting = false;
    for (auto item = items.Find(R"([Start]>="01.01.2000 00:00" and [Start]<="31.12.2099 23:59")"); item;
         item = items.FindNext()) {
        ++count;
        reminders += item->ReminderSet();
        if (item->IsRecurring()) {
            const auto pattern = item->GetRecurrencePattern();
            severalWeekdays += pattern.RecurrenceType() == 1 && __builtin_popcount(unsigned(pattern.DayOfWeekMask())) > 1;
            yearly += pattern.RecurrenceType() == 5;
            // The phone holds the same weekly meeting: the organizer pairs the two.
            teamMeeting |= item->Subject() == QStringLiteral("Team meeting") &&
                           item->Start() == QDateTime(QDate(2026, 11, 2), QTime(9, 0));
        }
    }
    EXPECT_EQ(count, 12);
    EXPECT_GE(reminders, 3);
    EXPECT_EQ(severalWeekdays, 2);
    EXPECT_EQ(yearly, 2);
    EXPECT_TRUE(teamMeeting);
    // Whatever week the demo runs in, the organizer's calendar grid shows appointments.
    items.setIncludeRecurrences(true);
    int inAFutureWeek = 0;
    for (auto item = items.Find(R"([Start]>="17.03.2031 00:00" and [Start]<="23.03.2031 23:59")"); item;
         item = items.FindNext())
        ++inAFutureWeek;
    EXPECT_EQ(inAFutureWeek, 5);
}

TEST(DemoAddressBook, TheEditorReadsTwelveCardsAndTheChoirList)
{
    brevik::test::ModelHarness h;
    fs::copy(kData / "addressbook", h.folder.path() / "book");
    ASSERT_TRUE(h.model.Start(brevik::StartSettings{}));
    EXPECT_TRUE(h.engine.reports.empty());
    // Every card carries a free index: nothing needs repairing or saving.
    EXPECT_FALSE(h.model.hasFlag(brevik::FLAG_PAB_CHANGED));
    const brevik::PhoneDirectory& list = h.model.pabList();
    ASSERT_EQ(list.count, 12);
    std::set<std::string> vips;
    for (int i = 0; i < list.count; ++i)
        if (list.entries[std::size_t(i)].status == "!")
            vips.insert(list.entries[std::size_t(i)].name);
    EXPECT_EQ(vips, (std::set<std::string>{"Lena Vogt", "Claudia Fr\xF6hlich"}));
    const brevik::PabFolderTable& folders = h.model.folders();
    ASSERT_EQ(folders.count, 2);
    EXPECT_EQ(folders.rows[1].name, "Choir");
    h.view.folderSelection = 1;
    h.model.OnSelchangePabFolder();
    EXPECT_EQ(h.model.pabList().count, 4);
}

TEST(DemoOutbox, OneMessageToThePhonesOwnNumberWaits)
{
    const auto files = std::distance(fs::directory_iterator(kData / "sms_out"), fs::directory_iterator());
    EXPECT_EQ(files, 1);
    const auto message = corvant::spool::parseOutgoing(corvant::spool::textOf(fileText(kData / "sms_out" / "SMSdemo.tmp")));
    // Sent to itself, the phone hands it back as a received message.
    EXPECT_EQ(message.destination, SmsCommands().ownNumber);
    EXPECT_TRUE(corvant::spool::isValidDestination(message.destination));
    EXPECT_EQ(corvant::spool::CountParts(corvant::spool::MergeSubjectAndBody(message.subject, message.body)), 1u);
}

TEST(DemoSettings, CorvantAndTheMailExtensionStartTheOrganizerAndTheEditorReadsTwoDirectories)
{
    namespace reg = torvane::registry;
    const fs::path config = fs::path(std::getenv("XDG_CONFIG_HOME")) / "torvane";
    fs::create_directories(config);
    fs::copy(kProfile / "config" / "torvane", config, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const char* suite = "Software\\Torvane\\Quorvane PRO\\";
    EXPECT_EQ(reg::readString(HKEY_CURRENT_USER, std::string(suite) + "Settings", "TerminPrg"), "tessaro CALLER=Qbr");
    EXPECT_EQ(reg::readString(HKEY_CURRENT_USER, std::string(suite) + "Settings", "TerminPrgTrm"), "tessaro KILL");
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, std::string(suite) + "CfgPropPage2", "Autoload"), 1u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, std::string(suite) + "CfgPropPage2", "Phonebooks"), 3u);
    EXPECT_EQ(reg::readString(HKEY_LOCAL_MACHINE, "SOFTWARE\\TORVANE\\TESSARO", "Plinket"), "exe;tessaro;");
}

} // namespace

#include "tools/demo/DemoPhone.h"

#include "melody/document/CMelvioDoc.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/VCalCodec.h"
#include "phonebook/model/GsmName.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneEngine.h"
#include "tools/phonesim/PhonebookCommands.h"
#include "tools/phonesim/SmsCommands.h"

#include <QJsonDocument>

#include <string>
#include <vector>

namespace torvane::demo {

namespace {

using namespace phonesim;

template <class M>
M& module(PhoneEngine& engine)
{
    for (const auto& m : engine.modules())
        if (auto* found = dynamic_cast<M*>(m.get()))
            return *found;
    throw std::logic_error("demo: phonesim module missing");
}

struct Contact {
    int index;
    const char* name; // UTF-8; a VIP entry ends in "!"
    const char* number;
};

void fillDirectory(PhonebookCommands& phonebooks, const char* storage, const std::vector<Contact>& contacts)
{
    for (const Contact& c : contacts) {
        const std::string latin1 = QString::fromUtf8(c.name).toLatin1().toStdString();
        const int type = c.number[0] == '+' ? 145 : 129;
        phonebooks.storages.at(storage).entries[c.index] = {c.number, type, brevik::PhonebookNameToGsm(latin1)};
    }
}

void fillDirectories(PhonebookCommands& phonebooks)
{
    fillDirectory(phonebooks, "SM",
                  {{1, "Mama", "+491705550101"},
                   {2, "Jürgen Bäumler", "+491705550102"},
                   {3, "Sören Kühl", "+491705550103"},
                   {4, "Grete Maaß", "+491705550104"},
                   {5, "Büro", "0305550105"},
                   {6, "Zahnarzt Löhr", "0305550106"},
                   {7, "Pizza Lüdde", "0305550107"},
                   {8, "Taxi", "0305550108"},
                   {9, "Oma Hildegard", "0335550109"},
                   {10, "Mailbox", "+491705550333"},
                   {11, "Tom Ashby", "+447700900123"},
                   {12, "Lena Vogt!", "+491705550112"}});
    fillDirectory(phonebooks, "ME",
                  {{1, "Claudia Fröhlich!", "+491705550121"},
                   {2, "Renée Lacombe", "+33155501234"},
                   {3, "Marco Bianchi", "+390655501234"},
                   {4, "Hausverwaltung", "0305550124"},
                   {5, "Werkstatt Kröger", "0305550125"},
                   {6, "Dr. Mühlenbeck", "0305550126"},
                   {7, "Kita Sonnenblume", "0305550127"},
                   {8, "Nils Dahlgren", "+46705550128"},
                   {9, "Fußballverein", "0305550129"},
                   {10, "Ines Brückner", "+491705550130"}});
    fillDirectory(phonebooks, "OW", {{1, "Eigene Nummer", "+491700000001"}});
    fillDirectory(phonebooks, "LD", {{1, "Mama", "+491705550101"}, {2, "Büro", "0305550105"}});
    fillDirectory(phonebooks, "MC", {{1, "Jürgen Bäumler", "+491705550102"}});
}

void fillMessages(SmsCommands& sms)
{
    const auto message = [&sms](int place, int status, const char* sender, const char* text,
                                std::array<int, 7> stamp, int reference = 0, int total = 1, int sequence = 1) {
        IncomingSms in;
        in.sender = sender;
        in.text = QString::fromUtf8(text).toLatin1().toStdString();
        in.timeStamp = stamp;
        in.reference = reference;
        in.total = total;
        in.sequence = sequence;
        sms.messages[place] = {status, buildDeliver(in)};
    };
    message(1, SmsReceivedRead, "+491705550102", "Bin in 10 Minuten da. Soll ich Brötchen mitbringen?",
            {26, 12, 7, 8, 12, 40, 4});
    message(2, SmsReceivedUnread, "KundenInfo",
            "Ihr Guthaben beträgt 12,40 EUR. Aufladen geht jederzeit mit der Karte oder unter *100#.",
            {26, 12, 8, 9, 30, 0, 4});
    // A long text arrives in parts of 152 characters, as the suite's gateway sends them.
    const std::string longText =
        "Hi Lena, the flat in Leith is ours from the 2nd of January! The landlord wants the deposit by Friday, so "
        "could you transfer your half by Thursday evening? I will send you the account details tonight. Also, we "
        "need to decide about the sofa. See you soon, Tom";
    message(3, SmsReceivedUnread, "+447700900123", longText.substr(0, 152).c_str(), {26, 12, 8, 18, 45, 10, 0}, 7,
            2, 1);
    message(4, SmsReceivedUnread, "+447700900123", longText.substr(152).c_str(), {26, 12, 8, 18, 45, 12, 0}, 7, 2, 2);
    message(5, SmsReceivedUnread, "+491705550121", "Denk an das Geschenk für Oma! Sie hat am 3. Februar Geburtstag.",
            {26, 12, 9, 7, 5, 33, 4});
}

// A short tune of its own in the editor's durations (quarter 2, eighth 3, half 1), built into a
// MIDI file by the editor's document, as it uploads a melody.
std::string ringTone()
{
    const NoteEntry tune[] = {{72, 3, 0}, {76, 3, 0}, {79, 2, 0}, {76, 3, 0}, {72, 3, 0}, {74, 2, 1},
                              {0, 3, 0},  {77, 3, 0}, {81, 3, 0}, {84, 2, 0}, {81, 3, 0}, {77, 3, 0},
                              {79, 1, 0}, {0, 2, 0},  {84, 3, 0}, {79, 3, 0}, {76, 3, 0}, {72, 1, 0}};
    CMelvioDoc doc;
    for (const NoteEntry& note : tune)
        doc.notes[std::size_t(doc.noteCount++)] = note;
    const auto bytes = doc.BuildMidiFile();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

enum Category { Misc, Meeting, Anniversary, PhoneCall };

struct CalendarEntry {
    const char* text; // UTF-8
    Category category;
    tessaro::DateParts start;
    int displayAlarmMinutes; // before the start; 0: none
    int audioAlarmMinutes;
    const char* rule; // "D1", "W1", "Y1" or nullptr
    const char* summary = nullptr;
};

// The organizer's own writer makes each object; the phone keeps it in its own form.
std::string calendarObject(const CalendarEntry& c)
{
    using namespace tessaro;
    PhoneEntry e;
    e.StartTime = makeVbDate(c.start);
    e.IsMemo = c.category == Misc ? FlagTrue : FlagFalse;
    e.IsMeeting = c.category == Meeting ? FlagTrue : FlagFalse;
    e.IsAnniversary = c.category == Anniversary ? FlagTrue : FlagFalse;
    e.IsPhoneCall = c.category == PhoneCall ? FlagTrue : FlagFalse;
    if (c.displayAlarmMinutes) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = e.StartTime - c.displayAlarmMinutes / (24.0 * 60);
    }
    if (c.audioAlarmMinutes) {
        e.AAlarmSet = FlagTrue;
        e.AAlarm = e.StartTime - c.audioAlarmMinutes / (24.0 * 60);
    }
    if (c.rule) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(c.rule);
    }
    e.Description = QString::fromUtf8(c.text);
    if (c.summary)
        e.Summary = QLatin1String(c.summary);
    return ObjectStoreCommands::phoneForm(VCalTextToBytes(BuildVCalText(e)).toStdString());
}

void fillCalendar(ObjectStoreCommands& store)
{
    // Every category, alarm kind and series kind; the weekly team meeting is also in the
    // desktop calendar, so the organizer pairs the two.
    const CalendarEntry entries[] = {
        {"Team meeting", Meeting, {2026, 11, 2, 9, 0, 0}, 0, 0, "W1"},
        {"Hochzeitstag", Anniversary, {2019, 6, 21, 8, 0, 0}, 30, 0, "Y1"},
        {"Tom Ashby anrufen", PhoneCall, {2026, 12, 10, 16, 0, 0}, 0, 5, nullptr, "+447700900123"},
        {"Tabletten nehmen", Misc, {2026, 12, 1, 8, 0, 0}, 10, 5, "D1"},
        {"Projekt-Kick-off", Meeting, {2026, 12, 16, 10, 0, 0}, 15, 0, nullptr},
        {"Winterreifen", Misc, {2026, 12, 12, 9, 0, 0}, 0, 0, nullptr},
        {"Mama anrufen", PhoneCall, {2026, 12, 6, 18, 0, 0}, 0, 0, "W1", "+491705550101"},
        {"Geburtstag Oma", Anniversary, {2026, 2, 3, 9, 0, 0}, 0, 0, "Y1"},
        {"Tagesplanung", Meeting, {2026, 12, 1, 8, 45, 0}, 0, 5, "D1"},
        {"Steuererklärung", Misc, {2027, 1, 29, 12, 0, 0}, 60, 30, nullptr},
    };
    int location = 0;
    for (const CalendarEntry& entry : entries)
        store.objects["vcs"][++location] = calendarObject(entry);
}

} // namespace

QJsonObject demoPhoneState()
{
    PhoneEngine engine;
    fillDirectories(module<PhonebookCommands>(engine));
    fillMessages(module<SmsCommands>(engine));
    module<MelodyCommands>(engine).melody = ringTone();
    module<MelodyCommands>(engine).ringType = MelodyCommands::kMelodyType;
    fillCalendar(module<ObjectStoreCommands>(engine));
    return engine.saveState();
}

QByteArray demoPhoneFile()
{
    return QJsonDocument(demoPhoneState()).toJson(QJsonDocument::Indented);
}

} // namespace torvane::demo

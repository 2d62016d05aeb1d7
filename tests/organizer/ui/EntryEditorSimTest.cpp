// The entry editor of the started organizer against the simulated phone, played through its
// widgets: phone entries opened from either grid, changed and saved with the toolbar or the close
// box; three new weekly entries; one deleted from the editor; a phone that refuses a write. After
// each step the phone's store, the phone table and the phone grid hold the same entries.
#include "TessaroAppFixture.h"

#include "organizer/daterange/DateTexts.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/sync/GridRows.h"
#include "organizer/ui/MobileEntry.h"

#include "organizer/link/QtPrinters.h"

#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/locale/LocaleService.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneFault.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
using torvane::phonesim::ObjectStoreCommands;
using Held = std::map<QString, std::pair<QString, QString>>; // location: start, text

const QDate kTomorrow = QDate::currentDate().addDays(1);

// A user whose short date has a two-digit year, as the organizer's own default.
struct TwoDigitYears : torvane::LocaleService {
    std::optional<QString> localeInfo(unsigned item, int& error) override
    {
        return item == torvane::LOCALE_SSHORTDATE ? QStringLiteral("dd.MM.yy") : system.localeInfo(item, error);
    }
    torvane::SystemLocaleService system;
};

// A phone memo as the phone's store holds it.
std::string object(QDate day, int hour, const char* text)
{
    PhoneEntry e;
    e.StartTime = e.DtStart = makeVbDate(day.year(), day.month(), day.day(), hour);
    e.DtStartSet = e.IsMemo = FlagTrue;
    e.Description = QLatin1String(text);
    return ObjectStoreCommands::phoneForm(VCalTextToBytes(BuildVCalText(e)).toStdString());
}

QString key(QDate day, int hour, int minute = 0)
{
    return SortKeyText(makeVbDate(day.year(), day.month(), day.day(), hour, minute));
}

class EntryEditorSimTest : public TessaroAppTest {
protected:
    // The phone's store, the table and the phone grid each hold exactly `expected`.
    void expectAgreed(const Held& expected, const char* step)
    {
        Held phone, table, grid;
        sim.withModule<ObjectStoreCommands>([&](ObjectStoreCommands& store) {
            for (const auto& [location, bytes] : store.objects["vcs"]) {
                PhoneEntry e;
                ParseVCalText(e, QString::fromLatin1(QByteArray::fromStdString(bytes)));
                phone[QString::number(location)] = {SortKeyText(e.StartTime), e.DisplayText};
            }
        });
        for (int l = PhoneEntryTable.LBound(); l <= PhoneEntryTable.UBound(); ++l)
            if (const PhoneEntry& e = PhoneEntryTable.Entries(l); !e.Location.isEmpty())
                table[e.Location] = {SortKeyText(e.StartTime), e.DisplayText};
        const controls::Grid& g = VisibleFG1();
        for (int r = g.fixedRows(); r < g.rows() && !g.textMatrix(r, ColDateText).isEmpty(); ++r)
            grid[g.textMatrix(r, ColPhoneLocation)] = {g.textMatrix(r, ColSortKey),
                                                       WithoutLeadingBlanks(g.textMatrix(r, ColPhoneText))};
        EXPECT_EQ(phone, expected) << step;
        EXPECT_EQ(table, expected) << step;
        EXPECT_EQ(grid, expected) << step;
        EXPECT_EQ(MobileEntryCount, int(expected.size())) << step;
    }
    static bool shown(const QString& caption)
    {
        const auto all = boxes();
        return std::any_of(all.begin(), all.end(), [&](const auto& b) { return b.caption == caption; });
    }
    static int rowOf(const controls::Grid& g, const QString& location)
    {
        int r = g.fixedRows();
        while (r < g.rows() - 1 && g.textMatrix(r, ColPhoneLocation) != location)
            ++r;
        return r;
    }

    // A double click on the phone text of the grid row holding `location`; no grid: a row of the
    // phone grid without an entry, which opens the editor on a new one.
    static void openRow(controls::Grid* g, const QString& location)
    {
        controls::Grid& grid = g ? *g : VisibleFG1();
        grid.userSelect(rowOf(grid, location), ColPhoneText);
        grid.focusChanged(true);
        grid.userClick();
        grid.userDoubleClick();
    }

    // Opens the editor by openRow and plays it with `play` once it shows modal, until it closed.
    void edit(controls::Grid* g, const QString& location, const std::function<void(MobileEntry&)>& play)
    {
        torvane::ui::MessageService::instance().addAnswer({QStringLiteral("MobileEntry"), torvane::ui::RUN_DIALOG, {}});
        bool played = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            MobileEntry* editor = LoadedMobileEntry();
            if (!played && editor && editor->isVisible() && editor->isModal()) {
                played = true;
                editor->activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
                play(*editor);
                if (LoadedMobileEntry() == editor && editor->isVisible()) {
                    ADD_FAILURE() << "the editor stayed open";
                    editor->done(QDialog::Rejected);
                }
            }
        });
        poll.start(10);
        openRow(g, location);
        ASSERT_TRUE(waitFor([&] { return played && LoadedMobileEntry() == nullptr; }, 60s));
    }

    // What the user does in the editor's window.
    template <typename W = QWidget>
    static W* field(MobileEntry& e, const char* name)
    {
        return e.findChild<W*>(QLatin1String(name));
    }
    static void type(MobileEntry& e, const char* name, const QString& text)
    {
        QWidget* w = field(e, name);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, text);
        field(e, "EntryDescriptionText")->setFocus(); // leaving the field checks it
    }
    static void press(MobileEntry& e, const char* tool)
    {
        const controls::Tool t = e.form().ActiveBar1.band(QStringLiteral("EntryTools")).tool(QLatin1String(tool));
        e.bar()->action(t)->trigger();
    }
};

TEST_F(EntryEditorSimTest, EditsTheEntriesOfBothGridsAndThePhoneTheTableAndTheGridStayAgreed)
{
    sim.withModule<ObjectStoreCommands>([&](ObjectStoreCommands& store) {
        store.objects["vcs"][1] = object(kTomorrow, 9, "Dentist");
        store.objects["vcs"][2] = object(kTomorrow, 19, "Theatre");
    });
    {
        std::optional<outlook::Application> calendar = outlook::Application::create();
        ASSERT_TRUE(calendar);
        outlook::AppointmentItem item =
            calendar->GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items().Add();
        item.setSubject(QStringLiteral("Dentist"));
        item.setStart(QDateTime(kTomorrow, QTime(9, 0)));
        item.Save();
    }
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    ASSERT_TRUE(ReadMobile(true));
    ReadOutlook(true);
    Held held = {{"1", {key(kTomorrow, 9), "Dentist"}}, {"2", {key(kTomorrow, 19), "Theatre"}}};
    expectAgreed(held, "read");

    // From the phone grid: the theatre becomes the opera an hour later, saved from the toolbar.
    edit(&VisibleFG1(), QStringLiteral("2"), [](MobileEntry& e) {
        EXPECT_EQ(field<QLineEdit>(e, "EntryDescriptionText")->text(), QStringLiteral("Theatre"));
        type(e, "EntryDescriptionText", QStringLiteral("Opera"));
        type(e, "EntryTime", QStringLiteral("20:"));
        EXPECT_EQ(field<QComboBox>(e, "EntryTime")->currentText(), QStringLiteral("20:00"));
        press(e, "EntrySave");
    });
    held["2"] = {key(kTomorrow, 20), "Opera"};
    expectAgreed(held, "opera");

    // From the calendar grid's dentist row, while the phone grid's selection rests on the opera;
    // closed with the close box and saved on its question.
    VisibleFG1().setRow(rowOf(VisibleFG1(), QStringLiteral("2")));
    torvane::ui::MessageService::instance().addAnswer({torvane::ui::kMessageBoxName, torvane::ui::IDYES, {}});
    edit(&VisibleFG2(), QStringLiteral("1"), [](MobileEntry& e) {
        type(e, "EntryDescriptionText", QStringLiteral("Dr. Weber"));
        type(e, "EntryTime", QStringLiteral("10:30"));
        e.close();
    });
    held["1"] = {key(kTomorrow, 10, 30), "Dr. Weber"};
    expectAgreed(held, "dentist");

    // Three new weekly meetings on the three days after tomorrow: one object each.
    for (int day = 1; day <= 3; ++day) {
        const QDate start = kTomorrow.addDays(day);
        edit(nullptr, {}, [&](MobileEntry& e) {
            field<QAbstractButton>(e, "EntryOptions(1)")->click();
            type(e, "EntryDescriptionText", QStringLiteral("Team"));
            type(e, "EntryStart", FormatDate(makeVbDate(start.year(), start.month(), start.day()), ShortDateFormat));
            type(e, "EntryTime", QStringLiteral("8:00"));
            press(e, "EntrySerie");
            QTest::keyClick(field(e, "EntryPeriode"), Qt::Key_Down);
            press(e, "EntrySave");
        });
        held[QString::number(2 + day)] = {key(start, 8), "Team"};
        EXPECT_EQ(PhoneEntryTable.Entries(2 + day).WeekdayMask, 1 << (start.dayOfWeek() % 7));
    }
    expectAgreed(held, "weekly");

    // The opera deleted from its editor.
    torvane::ui::MessageService::instance().addAnswer({torvane::ui::kMessageBoxName, torvane::ui::IDOK, {}});
    edit(&VisibleFG1(), QStringLiteral("2"), [](MobileEntry& e) { press(e, "EntryDelete"); });
    held.erase("2");
    expectAgreed(held, "deleted");

    // A phone that refuses the write keeps the old entry, and so do the table and the grid.
    torvane::phonesim::Fault refuse;
    refuse.kind = torvane::phonesim::FaultKind::Error;
    refuse.command = "^SBNW";
    sim.addFault(refuse);
    edit(&VisibleFG1(), QStringLiteral("1"), [](MobileEntry& e) {
        type(e, "EntryDescriptionText", QStringLiteral("Refused"));
        press(e, "EntrySave");
    });
    EXPECT_TRUE(shown(QStringLiteral("An Error Occurred In: ComDrvEmpfangeVonMs:SendSingleEntry")));
    expectAgreed(held, "refused");

    // Deleted from the editor opened on the calendar grid's row while the phone grid's selection
    // rests on another entry: the editor's own entry goes, found by its location.
    sim.clearFaults();
    putInCalendar({{QDateTime(kTomorrow, QTime(10, 30)), "Dr. Weber"}});
    ASSERT_TRUE(ReadMobile(true));
    ReadOutlook(true);
    VisibleFG1().setRow(rowOf(VisibleFG1(), QStringLiteral("3")));
    torvane::ui::MessageService::instance().addAnswer({torvane::ui::kMessageBoxName, torvane::ui::IDOK, {}});
    edit(&VisibleFG2(), QStringLiteral("1"), [](MobileEntry& e) { press(e, "EntryDelete"); });
    held.erase("1");
    expectAgreed(held, "deleted from the calendar's row");
}

TEST_F(EntryEditorSimTest, AnEntryAfter2029SavedThroughItsPickerAndStartFieldKeepsItsYear)
{
    TwoDigitYears locale;
    torvane::setLocaleService(&locale);
    const auto restore = qScopeGuard([] { torvane::setLocaleService(nullptr); });
    const QDate fair(2031, 9, 24), eclipse(2049, 6, 14);
    sim.withModule<ObjectStoreCommands>([&](ObjectStoreCommands& store) {
        store.objects["vcs"][1] = object(fair, 9, "Fair");
        store.objects["vcs"][2] = object(eclipse, 9, "Eclipse");
    });
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    ASSERT_TRUE(ReadMobile(true));
    // The picker opened, closed with Esc and opened again, the start field entered and left.
    for (const char* location : {"1", "2"})
        edit(&VisibleFG1(), QLatin1String(location), [](MobileEntry& e) {
            press(e, "EntryCalendar");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            field(e, "EntryStart")->setFocus();
            press(e, "EntryCalendar");
            press(e, "EntrySave");
        });
    expectAgreed({{"1", {key(fair, 9), "Fair"}}, {"2", {key(eclipse, 9), "Eclipse"}}}, "saved untouched");
}

} // namespace
} // namespace tessaro::test

// The entry editor's window as models: what the load step puts on it in each language, the kind
// frame's layout, the kinds and the rules of the text box, the time list and the toolbar's
// pictures.
#include "organizer/entryeditor/CheckForm.h"
#include "organizer/entryeditor/EntryPictures.h"
#include "organizer/entryeditor/MobileEntryForm.h"

#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/entryeditor/RecordingSteps.h"
#include "organizer/link/QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using controls::Tool;

const QRectF kMainWindow(1500, 1500, 12000, 9000);

void resetEditorGlobals()
{
    LanguageBase = LanguageEnglish;
    EntryToolBusy = false;
    ClearCurrentEntry();
    ShortDateFormat = QStringLiteral("dd.mm.yy");
    ShortTimeFormat = QStringLiteral("hh:mm");
    GridFontName.clear();
}

class EntryFormTest : public ::testing::Test {
protected:
    void SetUp() override { resetEditorGlobals(); }
    void TearDown() override { resetEditorGlobals(); }

    // The EntryTime tool as it stands in the toolbar.
    Tool timeTool() const
    {
        return form.ActiveBar1.band(QStringLiteral("EntryTools")).tool(QStringLiteral("EntryTime"));
    }

    test::RecordingSteps steps;
    MobileEntryForm form;
};

// ---- the load step ----

struct LanguageCase {
    std::int16_t base;
    QString caption;
    QStringList periods;
    int periodWidth;
    QStringList kinds;
    QString alarm;
};

class LoadInLanguage : public EntryFormTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LoadInLanguage, LabelsTheWindowAndFillsThePeriodList)
{
    const LanguageCase& c = GetParam();
    LanguageBase = c.base;
    form.Form_Load(kMainWindow);

    EXPECT_EQ(form.Form.caption(), c.caption);
    EXPECT_EQ(form.Form.iconName(), QStringLiteral("1Tessaro"));
    EXPECT_TRUE(form.Form.keyPreview());
    const Tool periode = form.tool(QStringLiteral("EntryPeriode"));
    EXPECT_EQ(periode.list(), c.periods);
    EXPECT_EQ(periode.listIndex(), 0);
    EXPECT_EQ(periode.text(), c.periods.front());
    EXPECT_TRUE(periode.isListOnly());
    EXPECT_EQ(periode.width(), c.periodWidth);
    EXPECT_EQ(form.tool(QStringLiteral("EntryStart")).width(), 65);
    EXPECT_EQ(form.tool(QStringLiteral("EntryTime")).width(), 45);
    EXPECT_EQ(form.EntryAlarm.caption(), c.alarm);
    EXPECT_EQ(form.EntryAlarm.toolTipText(), LangText(182));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.EntryOptions[std::size_t(i)].caption(), c.kinds[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Languages, LoadInLanguage,
    ::testing::Values(LanguageCase {LanguageEnglish,
                                    QStringLiteral("Torvane Appointments-Edit mobile entry"),
                                    {QStringLiteral("daily"), QStringLiteral("weekly"), QStringLiteral("yearly")},
                                    50,
                                    {QStringLiteral("&Memo"), QStringLiteral("Meet&ing"),
                                     QStringLiteral("A&nniversary"), QStringLiteral("Ca&ll")},
                                    QStringLiteral("Set Alarm")},
                      LanguageCase {LanguageGerman,
                                    QStringLiteral("Torvane Termine-Telefoneintrag bearbeiten"),
                                    {QStringLiteral("täglich"), QStringLiteral("wöchentlich"),
                                     QStringLiteral("jährlich")},
                                    64,
                                    {QStringLiteral("&Notiz"), QStringLiteral("&Besprechung"),
                                     QStringLiteral("&Geburtstag"), QStringLiteral("&Anruf")},
                                    QStringLiteral("Wecker setzen")}));

TEST_F(EntryFormTest, LoadFillsTheFieldsThenShowsThePickersDayAndFollowsTheSerie)
{
    CurrentEntry.Location = QStringLiteral("4");
    CurrentEntry.IsSerie = FlagTrue;
    form.Form_Load(kMainWindow);
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("PreSetMobileEntryForm"), QStringLiteral("TIVStartCalendar_Click")}));
    EXPECT_TRUE(form.tool(QStringLiteral("EntrySerie")).isPressed());
    EXPECT_TRUE(form.ActiveBar1.band(QStringLiteral("EntryTools")).tool(QStringLiteral("EntryPeriode")).isEnabled());

    CurrentEntry.IsSerie = FlagFalse;
    MobileEntryForm single;
    single.Form_Load(kMainWindow);
    EXPECT_FALSE(single.tool(QStringLiteral("EntrySerie")).isPressed());
    EXPECT_FALSE(single.ActiveBar1.band(QStringLiteral("EntryTools")).tool(QStringLiteral("EntryPeriode")).isEnabled());
}

TEST_F(EntryFormTest, TheEditorIsCentredOverTheMainWindowAndTabsFromTextToAlarmToKinds)
{
    form.Form_Load(kMainWindow);
    const double width = form.EntryFrame.left() + form.EntryFrame.width() + 200;
    const double height = form.EntryFrame.top() + form.EntryFrame.height() + 700;
    EXPECT_DOUBLE_EQ(form.Form.width(), width);
    EXPECT_DOUBLE_EQ(form.Form.height(), height);
    EXPECT_DOUBLE_EQ(form.Form.left() + width / 2, kMainWindow.center().x());
    EXPECT_DOUBLE_EQ(form.Form.top() + height / 2, kMainWindow.center().y());
    EXPECT_LT(form.EntryDescriptionText.tabIndex(), form.EntryAlarm.tabIndex());
    EXPECT_LT(form.EntryAlarm.tabIndex(), form.EntryFrame.tabIndex());
}

TEST_F(EntryFormTest, KindFrameHoldsFourPicturedOptionsWithTextAndAlarmCentredLeftOfIt)
{
    form.Form_Load(kMainWindow);
    for (int i = 0; i < 4; ++i) {
        const auto& picture = form.EntryOptionImages[std::size_t(i)];
        const auto& option = form.EntryOptions[std::size_t(i)];
        EXPECT_FALSE(picture.picture().isNull()) << i;
        EXPECT_DOUBLE_EQ(picture.height(), 240) << "16 pixels";
        EXPECT_DOUBLE_EQ(option.top() + option.height() / 2, picture.top() + picture.height() / 2) << i;
        EXPECT_GT(option.left(), picture.left() + picture.width()) << i;
        EXPECT_TRUE(option.isVisible() && picture.isVisible()) << i;
    }
    EXPECT_FALSE(form.EntryOptions[4].isVisible());
    EXPECT_FALSE(form.EntryOptionImages[4].isVisible());
    EXPECT_FALSE(form.EntrySummaryText.isVisible());
    // Five rows of the frame, the last one empty.
    EXPECT_DOUBLE_EQ(form.EntryFrame.height(), 5 * (240 + 200) + 200);
    EXPECT_GT(form.EntryFrame.width(), form.EntryOptions[0].left() + form.EntryOptions[0].width());

    const auto& text = form.EntryDescriptionText;
    EXPECT_DOUBLE_EQ(text.left() + text.width() / 2, form.EntryFrame.left() / 2);
    EXPECT_DOUBLE_EQ(text.top(), form.EntryOptions[1].top());
    EXPECT_EQ(text.width(), MeasureTextWidth(QStringLiteral("1234567890123456")));
    // The alarm and its picture as one pair, centred in the same strip below the third picture.
    const double pairLeft = form.EntryAlarmImage.left();
    const double pairRight = form.EntryAlarm.left() + form.EntryAlarm.width();
    EXPECT_DOUBLE_EQ((pairLeft + pairRight) / 2, form.EntryFrame.left() / 2);
    EXPECT_DOUBLE_EQ(form.EntryAlarm.top(), form.EntryOptionImages[2].top() + form.EntryOptionImages[2].height());
    EXPECT_EQ(form.EntryAlarm.value(), 0);
    EXPECT_FALSE(form.EntryAlarmImage.picture().isNull());
}

// ---- kinds and the text box ----

struct KindCase {
    int kind;
    int limit;
    int tooltip;
    QString sample;
};

class KindSelection : public EntryFormTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(KindSelection, PictureClickSelectsTheKindWithItsTextLimitWidthAndTooltip)
{
    const KindCase& c = GetParam();
    form.Form_Load(kMainWindow);
    form.EntryOptions[0].setValue(true);
    form.EntryOptionImages[std::size_t(c.kind)].userClick();

    EXPECT_EQ(form.SelectedEntryType, c.kind);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.EntryOptions[std::size_t(i)].value(), i == c.kind) << i;
    const auto& text = form.EntryDescriptionText;
    EXPECT_EQ(text.maxLength(), c.limit);
    EXPECT_EQ(text.toolTipText(), LangText(c.tooltip));
    EXPECT_EQ(text.width(), MeasureTextWidth(c.sample));
    EXPECT_DOUBLE_EQ(text.left() + text.width() / 2, form.EntryFrame.left() / 2);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindSelection,
                         ::testing::Values(KindCase {0, 16, 170, QStringLiteral("1234567890123456")},
                                           KindCase {1, 16, 170, QStringLiteral("1234567890123456")},
                                           KindCase {2, 16, 170, QStringLiteral("1234567890123456")},
                                           KindCase {3, 21, 171, QStringLiteral("123456789012345678901")}));

TEST_F(EntryFormTest, APhoneNumberBoxIsWiderAndKindClicksAreIgnoredWhileACommandRuns)
{
    form.Form_Load(kMainWindow);
    form.EntryOptions[0].userClick();
    const double memoWidth = form.EntryDescriptionText.width();
    EntryToolBusy = true;
    form.EntryOptionImages[3].userClick();
    EXPECT_EQ(form.SelectedEntryType, EntryTypeMemo);
    EXPECT_EQ(form.EntryDescriptionText.maxLength(), 16);
    EntryToolBusy = false;
    form.EntryOptionImages[3].userClick();
    EXPECT_GT(form.EntryDescriptionText.width(), memoWidth);
}

struct CutCase {
    int kind;
    int length;
    int kept;
};

class TextCut : public EntryFormTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(TextCut, EveryChangeCutsTheTextToWhatItsKindAllows)
{
    const CutCase& c = GetParam();
    form.Form_Load(kMainWindow);
    form.EntryOptions[std::size_t(c.kind)].userClick();
    const QString typed = QStringLiteral("+4917012345678901234567890").left(c.length);
    form.EntryDescriptionText.setText(typed);
    EXPECT_EQ(form.EntryDescriptionText.text(), typed.left(c.kept));
}

INSTANTIATE_TEST_SUITE_P(Kinds, TextCut,
                         ::testing::Values(CutCase {0, 20, 16}, CutCase {1, 17, 16}, CutCase {2, 16, 16},
                                           CutCase {3, 25, 21}, CutCase {3, 21, 21}, CutCase {3, 18, 18}));

TEST_F(EntryFormTest, BackToMemoKeepsALongNumberUntilTheNextChangeEnterOrLeave)
{
    const QString number = QStringLiteral("+49170123456789012345");
    ASSERT_EQ(number.size(), 21);
    form.Form_Load(kMainWindow);
    auto memoWithNumber = [&] {
        form.EntryOptions[3].userClick();
        form.EntryDescriptionText.setText(number);
        form.EntryOptions[0].userClick();
        ASSERT_EQ(form.EntryDescriptionText.text(), number);
    };

    // Typing adds nothing past the limit; the text stays as it was.
    memoWithNumber();
    EXPECT_EQ(form.EntryDescriptionText.userEdited(number + QLatin1Char('9')), number);

    memoWithNumber();
    int enter = 13;
    form.EntryDescriptionText_KeyPress(enter);
    EXPECT_EQ(form.EntryDescriptionText.text(), number.left(16));
    EXPECT_EQ(enter, 0) << "Enter inserts nothing";

    memoWithNumber();
    form.EntryDescriptionText.focusChanged(true);
    form.EntryDescriptionText.focusChanged(false, QStringLiteral("EntryAlarm"));
    EXPECT_EQ(form.EntryDescriptionText.text(), number.left(16));

    memoWithNumber();
    EXPECT_EQ(form.EntryDescriptionText.userEdited(number.left(20)), number.left(16));
}

TEST_F(EntryFormTest, EscPutsBackTheTextOfFocusTimeAndOtherKeysPass)
{
    form.Form_Load(kMainWindow);
    form.EntryOptions[0].userClick();
    form.EntryDescriptionText.setText(QStringLiteral("Dentist"));
    form.EntryDescriptionText.focusChanged(true);
    form.EntryDescriptionText.userEdited(QStringLiteral("Dentist Dr. Roe"));
    EXPECT_EQ(form.EntryDescriptionText.userKeyPress(27), 0);
    EXPECT_EQ(form.EntryDescriptionText.text(), QStringLiteral("Dentist"));
    EXPECT_EQ(form.EntryDescriptionText.userKeyPress('a'), 'a');
    EXPECT_EQ(form.EntryDescriptionText.userKeyPress(8), 8);
}

TEST_F(EntryFormTest, PastingIntoAFullBoxKeepsWhatFitsOfTheInsertion)
{
    form.Form_Load(kMainWindow);
    form.EntryOptions[0].userClick();
    form.EntryDescriptionText.setText(QStringLiteral("Meeting"));
    // " at room 12" pasted after "Meet": nine of its characters fit.
    EXPECT_EQ(form.EntryDescriptionText.userEdited(QStringLiteral("Meet at room 12ing")),
              QStringLiteral("Meet at room ing"));
}

// ---- the time list ----

struct TimeCase {
    QTime clock;
    int index;
    QString selected;
};

class TimeList : public EntryFormTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(TimeList, OpeningTheListFillsTheHalfHoursAndSelectsTheOneTheClockIsIn)
{
    const TimeCase& c = GetParam();
    form.Form_Load(kMainWindow);
    form.clockTime = [&c] { return c.clock; };
    Tool entryTime = timeTool();
    entryTime.setText(QStringLiteral("14:15"));
    form.ActiveBar1.comboDropping(entryTime);

    ASSERT_EQ(entryTime.listCount(), 48);
    EXPECT_EQ(entryTime.listItem(0), QStringLiteral("00:30"));
    EXPECT_EQ(entryTime.listItem(1), QStringLiteral("01:00"));
    EXPECT_EQ(entryTime.listItem(46), QStringLiteral("23:30"));
    EXPECT_EQ(entryTime.listItem(47), QStringLiteral("00:00"));
    EXPECT_EQ(entryTime.listIndex(), c.index);
    if (c.index >= 0) {
        EXPECT_EQ(entryTime.listItem(c.index), c.selected);
    }
    EXPECT_EQ(entryTime.text(), QStringLiteral("14:15")) << "the entry's time stays";
}

INSTANTIATE_TEST_SUITE_P(Clock, TimeList,
                         ::testing::Values(TimeCase {QTime(0, 10), -1, {}}, TimeCase {QTime(0, 30), 0, QStringLiteral("00:30")},
                                           TimeCase {QTime(10, 44), 20, QStringLiteral("10:30")},
                                           TimeCase {QTime(23, 59), 46, QStringLiteral("23:30")}));

TEST_F(EntryFormTest, WithADayHalfInTheTimeFormatTheClocksHalfHourIsStillSelected)
{
    ShortTimeFormat = QStringLiteral("h:mm AP");
    form.Form_Load(kMainWindow);
    form.clockTime = [] { return QTime(22, 44); };
    Tool entryTime = timeTool();
    form.ActiveBar1.comboDropping(entryTime);
    EXPECT_EQ(entryTime.listItem(entryTime.listIndex()), QStringLiteral("10:30 PM"));
    EXPECT_EQ(entryTime.listItem(47), QStringLiteral("12:00 AM"));
}

TEST_F(EntryFormTest, EditingTheDateOrTimeToolsKeepsTheirTextForTheChecks)
{
    form.Form_Load(kMainWindow);
    const controls::Band tools = form.ActiveBar1.band(QStringLiteral("EntryTools"));
    Tool start = tools.tool(QStringLiteral("EntryStart"));
    Tool time = tools.tool(QStringLiteral("EntryTime"));
    start.setText(QStringLiteral("Fri 24.12.99"));
    time.setText(QStringLiteral("09:30"));
    form.ActiveBar1.toolFocusChanged(start, true);
    form.ActiveBar1.toolFocusChanged(time, true);
    form.ActiveBar1.toolFocusChanged(time, false);
    EXPECT_EQ(form.SavedStartText, QStringLiteral("Fri 24.12.99"));
    EXPECT_EQ(form.SavedTimeText, QStringLiteral("09:30"));
    EXPECT_EQ(steps.calls.last(), QStringLiteral("ActiveBar1_ToolLostFocus EntryTime"));
}

// ---- pictures ----

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

TEST_F(EntryFormTest, TheToolbarPicturesAreTheTwelveCellsOfTheStripByKey)
{
    form.Form_Load(kMainWindow);
    const QStringList keys = {"TIVMemo", "TIVMeeting", "TIVAnniverery", "TIVPhone", "TIVOnOff", "TIVDelete",
                              "TIVSave", "TIVNew",     "TIVHelp",       "TIVSerie", "TIVCal",   "TIVAlarm"};
    ASSERT_EQ(form.ImageListEntry.count(), 12);
    const QImage strip = EntryToolStrip();
    EXPECT_EQ(strip.size(), QSize(240, 16));
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(form.ImageListEntry.key(i + 1), keys[i]);
        const QImage cell = form.ImageListEntry.picture(keys[i]).image();
        EXPECT_EQ(cell, strip.copy(i * 16, 0, 16, 16)) << i;
        EXPECT_TRUE(hasInk(cell)) << i;
        EXPECT_EQ(form.ActiveBar1.picture(i).image(), cell) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(cell, form.ImageListEntry.picture(j + 1).image()) << i << " looks like " << j;
    }
    for (int i = 12; i < 15; ++i)
        EXPECT_FALSE(hasInk(strip.copy(i * 16, 0, 16, 16))) << "cell " << i << " is unused";
    EXPECT_EQ(form.tool(QStringLiteral("EntrySave")).picture(), form.ImageListEntry.indexOf(QStringLiteral("TIVSave")) - 1);
}

} // namespace
} // namespace tessaro

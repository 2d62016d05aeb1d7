#include "organizer/entryeditor/MobileEntryForm.h"

#include "organizer/entryeditor/CheckForm.h"
#include "organizer/entryeditor/EntryActiveBar.h"
#include "organizer/entryeditor/EntryEditorSteps.h"
#include "organizer/entryeditor/EntryEditorTexts.h"
#include "organizer/entryeditor/EntryPictures.h"
#include "organizer/entryeditor/MobileEntrySteps.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/ErrorReport.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/PhoneCalls.h"

#include "platform/ui/datetext/DateText.h"

namespace tessaro {

namespace {

// The widest text of each kind, measured for the width of the text box.
const QString kTextSample = QStringLiteral("1234567890123456");
const QString kPhoneNumberSample = QStringLiteral("123456789012345678901");

// The window's design (twips) where the layout does not compute it.
constexpr double kFrameLeft = 2700;
constexpr double kFrameTop = 200;
constexpr double kPictureSize = 240;
constexpr double kPictureGap = 200;
constexpr double kPictureLeft = 100;
constexpr double kOptionGap = 50;
constexpr double kOptionWidth = 1700;
constexpr double kOptionHeight = 255;
constexpr double kTextBoxHeight = 285;
constexpr double kAlarmWidth = 1500;
constexpr double kAlarmHeight = 255;
constexpr double kAlarmGap = 100;
constexpr double kFrameMargin = 200;
// The window's outer size adds the frame's margin on the right and the caption, borders and
// margin below.
constexpr double kWindowRightMargin = 200;
constexpr double kWindowBottomMargin = 700;
// The picker's place and size on the editor.
constexpr double kPickerWidth = 2400;
constexpr double kPickerHeight = 2100;

// Tool widths in the bar's units.
constexpr int kPeriodeWidthEnglish = 50;
constexpr int kPeriodeWidthGerman = 64;
constexpr int kStartWidth = 65;
constexpr int kTimeWidth = 45;

constexpr int kTimeListItems = 48;

const char* const kImageKeys[EntryPictureCount] = {
    "TIVMemo", "TIVMeeting", "TIVAnniverery", "TIVPhone", "TIVOnOff", "TIVDelete",
    "TIVSave", "TIVNew",     "TIVHelp",       "TIVSerie", "TIVCal",   "TIVAlarm",
};

bool english()
{
    return LanguageBase == LanguageEnglish;
}

QStringList kindCaptions()
{
    if (english())
        return {QStringLiteral("&Memo"), QStringLiteral("Meet&ing"), QStringLiteral("A&nniversary"),
                QStringLiteral("Ca&ll")};
    return {QStringLiteral("&Notiz"), QStringLiteral("&Besprechung"), QStringLiteral("&Geburtstag"),
            QStringLiteral("&Anruf")};
}

QStringList periodNames()
{
    if (english())
        return {QStringLiteral("daily"), QStringLiteral("weekly"), QStringLiteral("yearly")};
    return {QStringLiteral("täglich"), QStringLiteral("wöchentlich"), QStringLiteral("jährlich")};
}

} // namespace

void FillTimeList(controls::Tool entryTime, QTime clockTime)
{
    entryTime.clearList();
    const QTime base(0, 30);
    for (int i = 0; i < kTimeListItems; ++i)
        entryTime.addListItem(torvane::datetext::formatTime(base.addSecs(i * 30 * 60), ShortTimeFormat));
    // The half hour that has begun. Taken from the clock itself rather than from its text, so
    // that a time format with a day half ("10:44 PM") selects the right item too.
    entryTime.setListIndex(2 * clockTime.hour() + clockTime.minute() / 30 - 1);
}

MobileEntryForm::MobileEntryForm() : clockTime([] { return CurrentDateTime().time(); })
{
    nameControls();

    for (auto& image : EntryOptionImages)
        image.move(0, 0, kPictureSize, kPictureSize);
    for (auto& option : EntryOptions)
        option.move(0, 0, kOptionWidth, kOptionHeight);
    EntryDescriptionText.setHeight(kTextBoxHeight);
    EntryDescriptionText.setMaxLength(EntryTextLimit);
    EntryAlarm.move(0, 0, kAlarmWidth, kAlarmHeight);
    EntryAlarmImage.move(0, 0, kPictureSize, kPictureSize);
    EntrySummaryText.move(kPictureLeft, kFrameTop + 2 * kTextBoxHeight, kAlarmWidth, kTextBoxHeight);
    // The picker pops up only when asked for.
    StartCalendarFrame.move(0, 0, kPickerWidth, kPickerHeight);
    StartCalendarFrame.setVisible(false);
    TIVStartCalendar.setVisible(false);

    PictureClipEntry.setPicture(EntryToolStrip());
    PictureClipEntry.setCols(EntryStripCells);
    PictureClipEntry.setRows(1);
    ActiveBar1.load(EntryBarLayout());

    connectEvents();
}

MobileEntryForm::~MobileEntryForm() = default;

void MobileEntryForm::nameControls()
{
    Form.setName(MobileEntryName);
    EntryFrame.setName(QStringLiteral("EntryFrame"));
    for (int i = 0; i < EntryOptionCount; ++i) {
        EntryOptions[std::size_t(i)].setName(QStringLiteral("EntryOptions"));
        EntryOptions[std::size_t(i)].setIndex(i);
        EntryOptionImages[std::size_t(i)].setName(QStringLiteral("EntryOptionImages"));
        EntryOptionImages[std::size_t(i)].setIndex(i);
    }
    EntryDescriptionText.setName(QStringLiteral("EntryDescriptionText"));
    EntryAlarm.setName(QStringLiteral("EntryAlarm"));
    EntryAlarmImage.setName(QStringLiteral("EntryAlarmImage"));
    EntrySummaryText.setName(QStringLiteral("EntrySummaryText"));
    StartCalendarFrame.setName(QStringLiteral("StartCalendarFrame"));
    TIVStartCalendar.setName(QStringLiteral("TIVStartCalendar"));
    for (int i = 0; i < 2; ++i) {
        Line1[std::size_t(i)].setName(QStringLiteral("Line1"));
        Line1[std::size_t(i)].setIndex(i);
        Line2[std::size_t(i)].setName(QStringLiteral("Line2"));
        Line2[std::size_t(i)].setIndex(i);
    }
    ActiveBar1.setName(QStringLiteral("ActiveBar1"));
    ImageListEntry.setName(QStringLiteral("ImageListEntry"));
    PictureClipEntry.setName(QStringLiteral("PictureClipEntry"));
}

void MobileEntryForm::connectEvents()
{
    for (int i = 0; i < EntryOptionCount; ++i) {
        // One group: the selected option clears the others before its Click runs.
        connect(&EntryOptions[std::size_t(i)], &controls::OptionButton::selected, this, [this, i] {
            for (int j = 0; j < EntryOptionCount; ++j)
                if (j != i)
                    EntryOptions[std::size_t(j)].setValue(false);
        });
        connect(&EntryOptions[std::size_t(i)], &controls::OptionButton::click, this, [this, i] { EntryOptions_Click(i); });
        connect(&EntryOptionImages[std::size_t(i)], &controls::Image::click, this,
                [this, i] { EntryOptionImages_Click(i); });
    }
    connect(&EntryDescriptionText, &controls::Control::gotFocus, this, &MobileEntryForm::EntryDescriptionText_GotFocus);
    connect(&EntryDescriptionText, &controls::TextBox::change, this, &MobileEntryForm::EntryDescriptionText_Change);
    connect(&EntryDescriptionText, &controls::TextBox::keyPress, this,
            [this](int& keyAscii) { EntryDescriptionText_KeyPress(keyAscii); });
    connect(&EntryDescriptionText, &controls::Control::lostFocus, this,
            [this] { EntryDescriptionText_LostFocus(); });

    connect(&ActiveBar1, &controls::CommandBar::toolClick, this, &MobileEntryForm::HandleEntryTool);
    connect(&ActiveBar1, &controls::CommandBar::comboDrop, this, &MobileEntryForm::ActiveBar1_ComboDrop);
    connect(&ActiveBar1, &controls::CommandBar::toolGotFocus, this, &MobileEntryForm::ActiveBar1_ToolGotFocus);
    connect(&ActiveBar1, &controls::CommandBar::toolLostFocus, this, &MobileEntryForm::ActiveBar1_ToolLostFocus);

    connect(&TIVStartCalendar, &controls::MonthCalendar::click, this, [this] { EntrySteps().TIVStartCalendar_Click(*this); });
    connect(&TIVStartCalendar, &controls::MonthCalendar::dblClick, this,
            [this] { EntrySteps().TIVStartCalendar_DblClick(*this); });
    connect(&TIVStartCalendar, &controls::MonthCalendar::keyPress, this,
            [this](int keyAscii) { EntrySteps().TIVStartCalendar_KeyPress(*this, keyAscii); });
    connect(&TIVStartCalendar, &controls::Control::lostFocus, this,
            [this] { EntrySteps().TIVStartCalendar_LostFocus(*this); });
}

void MobileEntryForm::Form_Load(const QRectF& mainWindow)
{
    Form.setKeyPreview(true);

    InitEntryImageList();
    std::vector<controls::Picture> pictures;
    for (int i = 1; i <= ImageListEntry.count(); ++i)
        pictures.push_back(ImageListEntry.picture(i));
    ActiveBar1.setPictures(std::move(pictures));
    ActiveBar1.refresh();

    // The period is only picked from its list, never typed.
    controls::Tool periode = tool(QStringLiteral("EntryPeriode"));
    periode.setListOnly(true);
    EntryAlarm.setCaption(LangText(TxtAlarmCaption));
    EntryAlarm.setToolTipText(LangText(TxtAlarmTip));

    periode.clearList();
    for (const QString& name : periodNames())
        periode.addListItem(name);
    periode.setWidth(english() ? kPeriodeWidthEnglish : kPeriodeWidthGerman);
    periode.setListIndex(0);
    periode.setText(periode.listItem(periode.listIndex()));

    tool(QStringLiteral("EntryStart")).setWidth(kStartWidth);
    tool(QStringLiteral("EntryTime")).setWidth(kTimeWidth);

    InitEntryActiveBar(ActiveBar1);
    InitFrame();

    Form.setIconName(TessaroIconName);
    Form.setCaption(LangText(TxtAppCaption) + QLatin1Char('-') + LangText(TxtEditMobileEntry));

    EntrySteps().PreSetMobileEntryForm(*this);

    // Loading shows the period, switched off when the entry is no serie (putting the fields back
    // and the serie switch show it only with a serie).
    tool(QStringLiteral("EntrySerie")).setPressed(CurrentEntry.IsSerie != FlagFalse);
    periode.setVisible(true);
    periode.setEnabled(CurrentEntry.IsSerie == FlagTrue);
    // EntryStart shows the picker's day.
    EntrySteps().TIVStartCalendar_Click(*this);

    EntryDescriptionText.setTabIndex(0);
    EntryAlarm.setTabIndex(1);
    EntryFrame.setTabIndex(2);

    const double width = EntryFrame.left() + EntryFrame.width() + kWindowRightMargin;
    const double height = EntryFrame.top() + EntryFrame.height() + kWindowBottomMargin;
    Form.move((mainWindow.width() - width) / 2 + mainWindow.left(), (mainWindow.height() - height) / 2 + mainWindow.top(),
              width, height);
}

void MobileEntryForm::InitFrame()
{
    const std::array<controls::Picture, 4> kinds = {CheckForm::Memo16x16(), CheckForm::Meeting16x16(),
                                                    CheckForm::Anniversary16x16(), CheckForm::PhoneCall16x16()};
    const QStringList captions = kindCaptions();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EntryOptionImages[i].setPictureAutoSize(kinds[i]);
        EntryOptions[i].setCaption(captions[qsizetype(i)]);
    }
    for (std::size_t i = 0; i < EntryOptionImages.size(); ++i) {
        controls::Image& picture = EntryOptionImages[i];
        controls::OptionButton& option = EntryOptions[i];
        picture.setTop((picture.height() + kPictureGap) * double(i));
        picture.setLeft(kPictureLeft);
        option.setTop(picture.top() + (picture.height() - option.height()) / 2);
        option.setLeft(picture.left() + picture.width() + kOptionGap);
    }

    EntryDescriptionText.setFontName(GridFontName);
    EntryDescriptionText.setWidth(MeasureTextWidth(kTextSample));
    EntryDescriptionText.setMaxLength(EntryTextLimit);

    EntryFrame.setTop(kFrameTop);
    EntryFrame.setHeight((EntryOptionImages[0].height() + kPictureGap) * double(EntryOptionCount) + kFrameMargin);
    EntryFrame.setLeft(kFrameLeft);
    EntryFrame.setWidth(EntryOptions[0].left() + EntryOptions[0].width() + kFrameMargin);

    // The text box stands centred in the strip left of the frame, at the height the second
    // option has inside it.
    EntryDescriptionText.setLeft((EntryFrame.left() - EntryDescriptionText.width()) / 2);
    EntryDescriptionText.setTop(EntryOptions[1].top());

    EntryAlarmImage.setPicture(CheckForm::AlarmClock16x16());
    EntryAlarmImage.setWidth(EntryOptionImages[4].width());
    EntryAlarmImage.setHeight(EntryOptionImages[4].height());
    EntryAlarm.setWidth(kAlarmWidth);
    EntryAlarmImage.setLeft((EntryFrame.left() - (EntryAlarm.width() + EntryAlarmImage.width() + kAlarmGap)) / 2);
    EntryAlarmImage.setTop(EntryOptionImages[2].top() + EntryOptionImages[2].height());
    EntryAlarm.setLeft(EntryAlarmImage.left() + EntryAlarmImage.width() + kAlarmGap);
    EntryAlarm.setTop(EntryAlarmImage.top());
    EntryAlarm.setValue(0);
    EntryAlarmImage.bringToFront();

    EntrySummaryText.setVisible(false);
    EntryOptions[4].setVisible(false);
    EntryOptionImages[4].setVisible(false);
}

void MobileEntryForm::InitEntryImageList()
{
    for (int i = 0; i < EntryPictureCount; ++i)
        ImageListEntry.add(QLatin1String(kImageKeys[i]), PictureClipEntry.cell(i));
}

void MobileEntryForm::EntryOptions_Click(int index)
{
    if (EntryToolBusy)
        return;
    EntryOptions.at(std::size_t(index)).setValue(true);
    SelectedEntryType = std::int16_t(index);
    EntryDescriptionText.setWidth(MeasureTextWidth(kTextSample));
    EntryDescriptionText.setMaxLength(EntryTextLimit);
    EntryDescriptionText.setToolTipText(LangText(TxtDescriptionTip));
    if (index == EntryTypePhoneCall) {
        EntryDescriptionText.setToolTipText(LangText(TxtPhoneNumberTip));
        EntryDescriptionText.setWidth(MeasureTextWidth(kPhoneNumberSample));
        EntryDescriptionText.setMaxLength(PhoneNumberLimit);
    }
    EntryDescriptionText.setLeft((EntryFrame.left() - EntryDescriptionText.width()) / 2);
}

void MobileEntryForm::EntryOptionImages_Click(int index)
{
    EntryOptions_Click(index);
}

void MobileEntryForm::EntryDescriptionText_GotFocus()
{
    SavedDescriptionText = EntryDescriptionText.text();
}

void MobileEntryForm::cutDescription()
{
    int limit = 0;
    if (SelectedEntryType >= EntryTypeMemo && SelectedEntryType <= EntryTypeAnniversary)
        limit = EntryTextLimit;
    else if (SelectedEntryType == EntryTypePhoneCall)
        limit = PhoneNumberLimit;
    else
        return;
    EntryDescriptionText.setText(EntryDescriptionText.text().left(limit));
}

void MobileEntryForm::EntryDescriptionText_Change()
{
    cutDescription();
}

void MobileEntryForm::EntryDescriptionText_KeyPress(int& keyAscii)
{
    constexpr int kEnter = 13;
    constexpr int kEscape = 27;
    if (keyAscii == kEnter) {
        cutDescription();
        keyAscii = 0;
    } else if (keyAscii == kEscape) {
        EntryDescriptionText.setText(SavedDescriptionText);
        keyAscii = 0;
    }
}

void MobileEntryForm::EntryDescriptionText_LostFocus()
{
    int enter = 13;
    EntryDescriptionText_KeyPress(enter);
}

void MobileEntryForm::ActiveBar1_ComboDrop(controls::Tool tool)
{
    if (tool.name() == QLatin1String("EntryTime"))
        FillTimeList(tool, clockTime());
}

void MobileEntryForm::ActiveBar1_ToolGotFocus(controls::Tool tool)
{
    const QString name = tool.name();
    if (name == QLatin1String("EntryStart"))
        SavedStartText = tool.text();
    else if (name == QLatin1String("EntryTime"))
        SavedTimeText = tool.text();
}

void MobileEntryForm::ActiveBar1_ToolLostFocus(controls::Tool tool)
{
    EntrySteps().ActiveBar1_ToolLostFocus(*this, tool);
}

void MobileEntryForm::Form_Click()
{
    EntrySteps().TIVStartCalendar_LostFocus(*this);
}

bool MobileEntryForm::QueryUnload()
{
    return EntrySteps().QueryUnload(*this);
}

bool MobileEntryForm::RunEntryCommand(const QString& procName, const std::function<void()>& command)
{
    // The link's waits let clicks through while a command runs. Such a click must do nothing at
    // all: running, or closing the window, under a save that is still writing would lose it.
    if (EntryToolBusy)
        return false;
    EntryToolBusy = true;
    OnOffActiveBarEntry(*this);
    bool done = true;
    try {
        command();
    } catch (...) {
        done = false;
        const OrgError error = CaughtError();
        Phone().CloseComm();
        Form.setMousePointer(editor::PointerDefault);
        ShowErrorBox(error, procName);
    }
    OnOffActiveBarEntry(*this);
    EntryToolBusy = false;
    return done;
}

void MobileEntryForm::HandleEntryTool(controls::Tool tool)
{
    if (EntryToolBusy)
        return;
    const QString name = tool.name();
    bool closeFlag = false;
    // A command that failed leaves the window open with what the user typed.
    if (RunEntryCommand(QStringLiteral("HandleEntryTool"), [&] { runTool(name, closeFlag); }) &&
        (name == QLatin1String("EntrySave") || (name == QLatin1String("EntryDelete") && closeFlag)))
        emit unloadRequested();
    ShowMobileStatus();
}

void MobileEntryForm::runTool(const QString& name, bool& closeFlag)
{
    if (name == QLatin1String("EntrySave"))
        runSave();
    else if (name == QLatin1String("EntrySerie"))
        EntrySteps().SwitchEntrySerie(*this);
    else if (name == QLatin1String("EntryDelete"))
        runDelete(closeFlag);
    else if (name == QLatin1String("EntryCalendar"))
        runCalendar();
    else if (name == QLatin1String("EntryHelp"))
        emit helpRequested(HelpFileName());
    else if (name == QLatin1String("EntryAbout"))
        emit aboutRequested();
}

MobileEntryForm::LinkSave MobileEntryForm::SaveThroughLink(const QString& alarmQuestionTitle)
{
    EntryEditorSteps& steps = EntrySteps();
    Form.setMousePointer(editor::PointerHourglass);
    LinkSave outcome = LinkSave::NoLink;
    if (Phone().InitComm()) {
        outcome = LinkSave::Saved;
        if (steps.CheckEntryAlarm(*this)) {
            steps.SaveMobileEntry(*this);
        } else if (MsgBox(LangText(TxtAlarmPast), vbYesNo | vbExclamation, alarmQuestionTitle) == vbYes) {
            EntryAlarm.setValue(0);
            steps.SaveMobileEntry(*this);
        } else {
            outcome = LinkSave::AlarmDeclined;
        }
        Phone().CloseComm();
    }
    Form.setMousePointer(editor::PointerDefault);
    return outcome;
}

void MobileEntryForm::runSave()
{
    if (SaveThroughLink(AppTitle) == LinkSave::NoLink)
        EntrySteps().PreSetMobileEntryForm(*this);
}

void MobileEntryForm::runDelete(bool& closeFlag)
{
    EntryEditorSteps& steps = EntrySteps();
    Form.setMousePointer(editor::PointerHourglass);
    if (Phone().InitComm()) {
        closeFlag = steps.EntryDelete_Click(*this);
        Phone().CloseComm();
    } else {
        closeFlag = true;
        steps.PreSetMobileEntryForm(*this);
    }
    Form.setMousePointer(editor::PointerDefault);
}

void MobileEntryForm::runCalendar()
{
    if (TIVStartCalendar.isVisible()) {
        EntrySteps().TIVStartCalendar_LostFocus(*this);
        return;
    }
    // A start text that is no date leaves the picker on its day, so it still opens.
    if (const auto day = StartDayOfText(*this, tool(QStringLiteral("EntryStart")).text()))
        TIVStartCalendar.setValue(*day);
    PickerStartText = TIVStartCalendar.text(PickerStartPicture(), RegionalDateNames());
    EntrySteps().CalendarFrameSet(*this, 0, 0, kPickerWidth, kPickerHeight);
}

} // namespace tessaro

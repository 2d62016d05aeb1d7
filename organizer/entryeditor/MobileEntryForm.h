// The entry editor window MobileEntry without its widgets: every control of the window as a
// model, the window's state, and its behaviour: the load step, the layout of the kind frame, the
// rules of the text box, the time list and the dispatcher of the toolbar's commands. The widgets
// (organizer/ui/MobileEntry) show these models and report the user's doing to them.
//
// What the editor does with the entry itself (filling the fields from CurrentEntry, saving,
// deleting, the date picker, the checks of a typed date or time) are the steps of
// EntryEditorSteps.h, which the dispatcher and the events call.
#pragma once

#include "organizer/entryeditor/EditorControls.h"

#include "platform/ui/controls/CheckBox.h"
#include "platform/ui/controls/CommandBar.h"
#include "platform/ui/controls/Frame.h"
#include "platform/ui/controls/Image.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/MonthCalendar.h"
#include "platform/ui/controls/OptionButton.h"
#include "platform/ui/controls/PictureClip.h"
#include "platform/ui/controls/TextBox.h"

#include <QObject>
#include <QRectF>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <functional>

namespace tessaro {

namespace controls = torvane::controls;

// Set while one of the editor's toolbar commands runs (its link waits let clicks arrive).
inline bool EntryToolBusy = false;

// The entry kinds, as the index of the selected option.
constexpr std::int16_t EntryTypeMemo = 0;
constexpr std::int16_t EntryTypeMeeting = 1;
constexpr std::int16_t EntryTypeAnniversary = 2;
constexpr std::int16_t EntryTypePhoneCall = 3;

// How long an entry's text may be: a phone number may carry a "+" and more digits.
constexpr int EntryTextLimit = 16;
constexpr int PhoneNumberLimit = 21;

// The window's name and its icon resource.
inline const QString MobileEntryName = QStringLiteral("MobileEntry");
inline const QString TessaroIconName = QStringLiteral("1Tessaro");

// The 48 half hours from 00:30 to midnight (last, as 00:00) in the short time format, with the
// half hour that the clock is in selected; from 00:00 to 00:29 none is. The tool's text stays.
void FillTimeList(controls::Tool entryTime, QTime clockTime);

class MobileEntryForm : public QObject {
    Q_OBJECT
public:
    static constexpr int EntryOptionCount = 5;

    MobileEntryForm();
    ~MobileEntryForm() override;
    MobileEntryForm(const MobileEntryForm&) = delete;
    MobileEntryForm& operator=(const MobileEntryForm&) = delete;

    // The window itself: caption, icon, pointer, and its outer place and size in twips.
    editor::EditorForm Form;

    controls::Frame EntryFrame;
    // 0 memo, 1 meeting, 2 anniversary, 3 phone call; member 4 stays hidden.
    std::array<controls::OptionButton, EntryOptionCount> EntryOptions;
    std::array<controls::Image, EntryOptionCount> EntryOptionImages;
    controls::TextBox EntryDescriptionText;
    controls::CheckBox EntryAlarm;
    controls::Image EntryAlarmImage;
    controls::TextBox EntrySummaryText; // hidden, not used
    // The pop-up date picker: a frame with the calendar and the four lines of its border.
    controls::Frame StartCalendarFrame;
    controls::MonthCalendar TIVStartCalendar;
    std::array<controls::Line, 2> Line1;
    std::array<controls::Line, 2> Line2;
    controls::CommandBar ActiveBar1;
    controls::ImageList ImageListEntry;
    controls::PictureClip PictureClipEntry;

    // The window's state.
    std::int16_t SelectedEntryType = EntryTypeMemo;
    QString SavedDescriptionText;
    QString SavedStartText;
    QString SavedTimeText;
    QString PickerStartText;

    // The clock the time list follows (the organizer's clock unless a test sets another).
    std::function<QTime()> clockTime;

    // A tool of the bar by name (every instance of it).
    controls::Tool tool(const QString& name) const { return ActiveBar1.tool(name); }

    // Sets the window up and fills it from CurrentEntry; `mainWindow` is the main window's outer
    // place and size in twips, over which the editor is centred.
    void Form_Load(const QRectF& mainWindow);
    // Pictures and places of the kind frame, the text box and the alarm.
    void InitFrame();
    // The toolbar's pictures, cut from the picture clip's strip, in the image list by key.
    void InitEntryImageList();

    // Events.
    void EntryOptions_Click(int index);
    void EntryOptionImages_Click(int index);
    void EntryDescriptionText_GotFocus();
    void EntryDescriptionText_Change();
    void EntryDescriptionText_KeyPress(int& keyAscii);
    void EntryDescriptionText_LostFocus();
    void ActiveBar1_ComboDrop(controls::Tool tool);
    void ActiveBar1_ToolGotFocus(controls::Tool tool);
    void ActiveBar1_ToolLostFocus(controls::Tool tool);
    // A click or mouse release on the window's free area closes the date picker.
    void Form_Click();
    // The toolbar's commands.
    void HandleEntryTool(controls::Tool tool);
    // The window is asked to close; true lets it.
    bool QueryUnload();

    // Runs `command` as the toolbar's commands run: with the input controls off and EntryToolBusy
    // set, so that clicks arriving while the link waits do nothing. An error it raises is shown in
    // the box of `procName`, with the link closed. False when another command was running or this
    // one failed.
    bool RunEntryCommand(const QString& procName, const std::function<void()>& command);

    enum class LinkSave { Saved, AlarmDeclined, NoLink };
    // Saves the fields as the save command does: the link opened, the alarm checked (an alarm in
    // the past is asked about with text 158 under `alarmQuestionTitle`; Yes saves without it), the
    // entry saved, the link closed; the busy pointer meanwhile.
    LinkSave SaveThroughLink(const QString& alarmQuestionTitle);

signals:
    // The window closes itself (after a save, or a delete that removed the entry).
    void unloadRequested();
    // The help file's contents are to be shown (a name without a folder).
    void helpRequested(const QString& helpFile);
    // The about window is to be shown modal over the editor.
    void aboutRequested();

private:
    void nameControls();
    void connectEvents();
    // Cuts the text to what the selected kind allows.
    void cutDescription();
    void runTool(const QString& name, bool& closeFlag);
    void runSave();
    void runDelete(bool& closeFlag);
    void runCalendar();
};

} // namespace tessaro

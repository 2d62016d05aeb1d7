// The controls of the organizer's main window as models, named as the window's code names them,
// and the window's own size and state. The window's code addresses them through the one
// process-wide instance, Main_Form(): Main_Form().FG1[ActiveGridIndexFG1].setRow(2),
// Main_Form().ActiveBar1.band("MainMenu").tool("mnuEntry"). The widgets of the window show these
// models; the behaviour (set-up, layout, commands) lives in the window's other files.
#pragma once

#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/CommandBar.h"
#include "platform/ui/controls/CommandButton.h"
#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/Frame.h"
#include "platform/ui/controls/Grid.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/MonthCalendar.h"
#include "platform/ui/controls/PictureBox.h"
#include "platform/ui/controls/PictureClip.h"
#include "platform/ui/controls/StatusBar.h"
#include "platform/ui/controls/TextBox.h"

#include <array>

namespace tessaro {

namespace controls = torvane::controls;

// Window states.
constexpr int WindowStateNormal = 0;
constexpr int WindowStateMinimized = 1;
constexpr int WindowStateMaximized = 2;

// The window itself: its outer place and size in twips (Control's left, top, width, height),
// its visibility, its state and the size of its client area in twips. The widget reports what
// the user does to the window (moving, sizing, minimizing) through setClientSize and
// setWindowState; code that sizes the window sets the outer size and the widget follows.
class FormWindow : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    int windowState() const { return m_windowState; }
    void setWindowState(int state);
    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }
    void setClientSize(double width, double height);

signals:
    void windowStateChanged(int state);

private:
    int m_windowState = WindowStateNormal;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
};

struct MainFormControls {
    MainFormControls();

    FormWindow Form;

    // The grid pairs: instance 0 and 1 of each lie on the same place, one visible
    // (ActiveGridIndexFG1, ActiveGridIndexFG2), the other the hidden twin.
    std::array<controls::Grid, 2> FG1; // the phone's entries
    std::array<controls::Grid, 2> FG2; // the PC calendar's entries

    controls::CommandBar ActiveBar1;
    controls::MonthCalendar TIVStartCalendar;

    // The date picker, hidden until the date range is chosen: a frame over the window holding
    // the month calendar (TIVStartCalendar), the frame of the date fields (start and end date,
    // the count and the unit of the period), OK and Cancel (975 x 375 as designed), and four
    // lines that draw its border (Line1: top and bottom, Line2: left and right).
    controls::Frame StartCalendarFrame;
    controls::Frame DateFieldsFrame;
    controls::TextBox StartDateText;
    controls::TextBox EndDateText;
    controls::TextBox PeriodeText;
    controls::ComboBox PeriodeCombo;
    controls::CommandButton CalCommandOK;
    controls::CommandButton CalCommandCancel;
    std::array<controls::Line, 2> Line1;
    std::array<controls::Line, 2> Line2;
    controls::StatusBar TivStatusBar;

    // The arrows beside the grids, 960 x 480 twips, visible.
    controls::PictureBox ImageMobile2PC;
    controls::PictureBox ImagePC2Mobile;

    // Pictograms of the grid rows: instance 0 holds the appointment kinds ("m", "s", "w", "y")
    // and the sync marks ("j", "r", "l").
    std::array<controls::ImageList, 1> ImageList;
    // The toolbar's picture strip, cut into its 15 cells, and the list that keys them.
    controls::PictureClip TIVPictureClipToolbar;
    controls::ImageList TIVToolbarImageList;
    // The phone entries' kinds, each under the keys "Normal", "Day", "Week" and "Year".
    controls::ImageList TIVMemoImageList;
    controls::ImageList TIVMeetingImageList;
    controls::ImageList TIVBirthdayImageList;
    controls::ImageList TIVCallImageList;
    controls::ImageList TIVMemoBellImageList;
    controls::ImageList TIVMeetingBellImageList;
    controls::ImageList TIVBirthdayBellImageList;
    controls::ImageList TIVCallBellImageList;
};

// The main window's controls, made at the first call.
MainFormControls& Main_Form();
// Throws the controls away and starts afresh (tests). Widgets and connections on the old ones
// must be gone first.
void resetMain_Form();

} // namespace tessaro

// The pop-up date picker of a window: a frame with a month calendar and a drawn border, and on the
// main window also the range fields (start, end, count, unit) with OK and Cancel.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/MonthCalendar.h"

#include <QString>

#include <array>

namespace tessaro {

namespace controls = torvane::controls;

// The picker controls of a window, by the names every such window gives them.
struct CalendarPickerWindow {
    QString name; // the window's name: "Main_Form", "MobileEntry"
    controls::Control& StartCalendarFrame;
    controls::MonthCalendar& TIVStartCalendar;
    std::array<controls::Line, 2>& Line1; // top, bottom
    std::array<controls::Line, 2>& Line2; // left, right
};

// The main window's picker.
CalendarPickerWindow MainFormPicker();

// Computes RangeStart and RangeEnd from the window's calendar, the count text and the unit index;
// returns the start's SetStartDate text. An index outside 0..3 is shown as an error after
// RangeStart was set; RangeEnd then keeps its value.
QString SetGlobalStartEndDate(const CalendarPickerWindow& window, const QString& countText, int unitIndex);

// Lays out and shows a window's picker frame at (left, top) with that size, in twips.
void CalendarFrameSet(const CalendarPickerWindow& window, double left, double top, double width, double height);

// The same for the main window, with its range fields and buttons beside the calendar; the frame
// grows to the right to hold them. Ends with PeriodeText_Change, which refreshes the range.
void CalendarFrameSetMainForm(double left, double top, double width, double height);

// Hides the frame and its calendar; on the main window also the start, count and unit fields.
void CalendarFrameClear(const CalendarPickerWindow& window);

} // namespace tessaro

// Shows a MonthCalendar model as a month calendar on the model's day, with the names of the
// weekdays and the month as long as it has room for. A day picked with the mouse
// or the keyboard becomes the value and raises Click (a click on the day already shown too); a
// double click raises DblClick; every key with a character raises KeyPress with its code before
// the calendar moves; leaving the calendar raises LostFocus with the name of the control that now
// has the focus.
#pragma once

#include "platform/ui/controls/MonthCalendar.h"

#include <QCalendarWidget>

class QAbstractItemView;

namespace torvane::controls {

class MonthCalendarWidget : public QCalendarWidget {
    Q_OBJECT
public:
    MonthCalendarWidget(MonthCalendar& model, QWidget* parent = nullptr);
    ~MonthCalendarWidget() override;

    MonthCalendar& model() const { return m_model; }
    // The table of days, where clicks and keys arrive.
    QAbstractItemView* daysView() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showValue(QDate day);
    void fitNames();
    void applicationFocusChanged(QWidget* old, QWidget* now);

    MonthCalendar& m_model;
    QAbstractItemView* m_view = nullptr;
    bool m_showing = false;   // the model's value is being shown, not picked
    bool m_pickedNow = false; // this press already raised Click through a new selection
    bool m_doubleClicked = false;
};

} // namespace torvane::controls

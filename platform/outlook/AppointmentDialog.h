// Our appointment window, shown by AppointmentItem::Display: subject, start date and time,
// text, reminder, meeting and repetition (daily, weekly on chosen weekdays, monthly, yearly).
// "Save and close" writes the edits into the item and saves it; "Close without saving" (and
// closing the window) leaves the item as it was; "Delete" removes the appointment. A failure
// is shown in the window, which then stays open. Controls carry object names for tests:
// subject, startDate, startTime, body, reminder, meeting, repeat, weekday0 (Sunday) ..
// weekday6, saveAndClose, closeWithoutSaving, delete, error.
#pragma once

#include "platform/outlook/AppointmentItem.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;

namespace torvane::outlook {

class AppointmentDialog : public QDialog {
    Q_OBJECT
public:
    // Results besides Accepted (saved) and Rejected (closed without saving).
    static constexpr int Deleted = 2;

    explicit AppointmentDialog(AppointmentItem item, QWidget* parent = nullptr);

public slots:
    void saveAndClose();
    void deleteAppointment();

private:
    enum Repeat { Once, Daily, Weekly, Monthly, Yearly };
    int weekdayMask() const;
    void updateWeekdays();
    void showError(const QString& text);
    void applyEdits();

    AppointmentItem m_item;
    // What the window showed at first, to write only what the user changed.
    QString m_subject;
    QString m_body;
    QDateTime m_start;
    bool m_reminder = false;
    bool m_meeting = false;
    int m_repeat = Once;
    int m_mask = 0;
    bool m_recurring = false;

    QLineEdit* m_subjectEdit;
    QDateEdit* m_dateEdit;
    QTimeEdit* m_timeEdit;
    QPlainTextEdit* m_bodyEdit;
    QCheckBox* m_reminderBox;
    QCheckBox* m_meetingBox;
    QComboBox* m_repeatBox;
    std::array<QCheckBox*, 7> m_weekdays{};
    QLabel* m_error;
};

// The display handler for ApplicationOptions::display.
void showAppointmentDialog(AppointmentItem& item, bool modal);

} // namespace torvane::outlook

#include "platform/outlook/AppointmentDialog.h"

#include "platform/outlook/ItemState.h"
#include "platform/outlook/OutlookError.h"
#include "platform/outlook/RecurrenceRule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace torvane::outlook {

namespace {

int repeatOf(bool recurring, int type)
{
    if (!recurring)
        return 0;
    switch (type) {
    case RecursDaily:
        return 1;
    case RecursWeekly:
        return 2;
    case RecursMonthly:
    case RecursMonthNth:
        return 3;
    case RecursYearly:
    case RecursYearNth:
        return 4;
    default:
        return -1; // a repetition of another program; the list shows none of ours
    }
}

} // namespace

AppointmentDialog::AppointmentDialog(AppointmentItem item, QWidget* parent) : QDialog(parent), m_item(std::move(item))
{
    setWindowTitle(QStringLiteral("Appointment"));
    m_subject = m_item.Subject();
    m_body = m_item.Body();
    m_start = m_item.Start();
    m_reminder = m_item.ReminderSet();
    m_meeting = m_item.MeetingStatus() != NonMeeting;
    m_recurring = m_item.IsRecurring();
    const RecurrencePattern pattern = m_item.GetRecurrencePattern();
    const int type = pattern.RecurrenceType();
    m_mask = pattern.DayOfWeekMask();
    m_repeat = repeatOf(m_recurring, type);

    m_subjectEdit = new QLineEdit(m_subject);
    m_subjectEdit->setObjectName(QStringLiteral("subject"));
    m_dateEdit = new QDateEdit(m_start.date());
    m_dateEdit->setObjectName(QStringLiteral("startDate"));
    m_dateEdit->setCalendarPopup(true);
    // The pop-up calendar takes days from the pointer and the keys that move its day; Qt's own
    // pop-up for typing a date into it adds nothing to the field above, and Qt leaks that
    // pop-up's parser when the calendar goes while a typed date waits.
    m_dateEdit->calendarWidget()->setDateEditEnabled(false);
    m_timeEdit = new QTimeEdit(m_start.time());
    m_timeEdit->setObjectName(QStringLiteral("startTime"));
    m_bodyEdit = new QPlainTextEdit(m_body);
    m_bodyEdit->setObjectName(QStringLiteral("body"));
    m_reminderBox = new QCheckBox(QStringLiteral("Reminder"));
    m_reminderBox->setObjectName(QStringLiteral("reminder"));
    m_reminderBox->setChecked(m_reminder);
    m_meetingBox = new QCheckBox(QStringLiteral("Meeting"));
    m_meetingBox->setObjectName(QStringLiteral("meeting"));
    m_meetingBox->setChecked(m_meeting);
    m_repeatBox = new QComboBox;
    m_repeatBox->setObjectName(QStringLiteral("repeat"));
    m_repeatBox->addItems({QStringLiteral("Does not repeat"), QStringLiteral("Daily"), QStringLiteral("Weekly"),
                           QStringLiteral("Monthly"), QStringLiteral("Yearly")});
    m_repeatBox->setCurrentIndex(m_repeat);

    auto* days = new QHBoxLayout;
    const QLocale locale;
    for (int d = 0; d < 7; ++d) {
        m_weekdays[d] = new QCheckBox(locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat));
        m_weekdays[d]->setObjectName(QStringLiteral("weekday%1").arg(d));
        m_weekdays[d]->setChecked(m_recurring && type == RecursWeekly && (m_mask & (1 << d)));
        days->addWidget(m_weekdays[d]);
    }

    auto* time = new QHBoxLayout;
    time->addWidget(m_dateEdit);
    time->addWidget(m_timeEdit);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Subject:"), m_subjectEdit);
    form->addRow(QStringLiteral("Start:"), time);
    form->addRow(QStringLiteral("Text:"), m_bodyEdit);
    form->addRow(QString(), m_reminderBox);
    form->addRow(QString(), m_meetingBox);
    form->addRow(QStringLiteral("Repeat:"), m_repeatBox);
    form->addRow(QStringLiteral("On:"), days);

    m_error = new QLabel;
    m_error->setObjectName(QStringLiteral("error"));
    m_error->setWordWrap(true);
    m_error->hide();

    auto* save = new QPushButton(QStringLiteral("Save and close"));
    save->setObjectName(QStringLiteral("saveAndClose"));
    save->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close without saving"));
    close->setObjectName(QStringLiteral("closeWithoutSaving"));
    auto* remove = new QPushButton(QStringLiteral("Delete"));
    remove->setObjectName(QStringLiteral("delete"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(close);
    buttons->addStretch();
    buttons->addWidget(remove);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &AppointmentDialog::saveAndClose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, &AppointmentDialog::deleteAppointment);
    connect(m_repeatBox, &QComboBox::currentIndexChanged, this, &AppointmentDialog::updateWeekdays);
    updateWeekdays();

    // An occurrence is shown, not edited: its series is opened by its entry id.
    if (m_item.isOccurrence()) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_subjectEdit, m_dateEdit, m_timeEdit, m_bodyEdit,
                                                         m_reminderBox, m_meetingBox, m_repeatBox, save, remove})
            w->setEnabled(false);
        for (QCheckBox* b : m_weekdays)
            b->setEnabled(false);
    }
}

int AppointmentDialog::weekdayMask() const
{
    int mask = 0;
    for (int d = 0; d < 7; ++d)
        if (m_weekdays[d]->isChecked())
            mask |= 1 << d;
    return mask;
}

void AppointmentDialog::updateWeekdays()
{
    const bool weekly = m_repeatBox->currentIndex() == Weekly && !m_item.isOccurrence();
    for (QCheckBox* b : m_weekdays)
        b->setEnabled(weekly);
}

void AppointmentDialog::showError(const QString& text)
{
    m_error->setText(text);
    m_error->show();
}

void AppointmentDialog::applyEdits()
{
    if (m_subjectEdit->text() != m_subject)
        m_item.setSubject(m_subjectEdit->text());
    if (m_bodyEdit->toPlainText() != m_body)
        m_item.setBody(m_bodyEdit->toPlainText());
    const QDateTime start(m_dateEdit->date(), m_timeEdit->time());
    if (start != m_start)
        m_item.setStart(start);
    if (m_reminderBox->isChecked() != m_reminder)
        m_item.setReminderSet(m_reminderBox->isChecked());
    if (m_meetingBox->isChecked() != m_meeting)
        m_item.setMeetingStatus(m_meetingBox->isChecked() ? Meeting : NonMeeting);

    const int repeat = m_repeatBox->currentIndex();
    const bool weeklyDaysChanged = repeat == Weekly && weekdayMask() != m_mask;
    if (repeat == m_repeat && !weeklyDaysChanged)
        return;
    if (repeat == Once) {
        m_item.ClearRecurrencePattern();
        return;
    }
    RecurrencePattern pattern = m_item.GetRecurrencePattern();
    switch (repeat) {
    case Daily:
        pattern.setRecurrenceType(RecursDaily);
        break;
    case Weekly:
        pattern.setRecurrenceType(RecursWeekly);
        pattern.setDayOfWeekMask(weekdayMask());
        break;
    case Monthly:
        pattern.setRecurrenceType(RecursMonthly);
        break;
    default:
        pattern.setRecurrenceType(RecursYearly);
        break;
    }
    if (!m_recurring)
        pattern.setInterval(1);
}

void AppointmentDialog::saveAndClose()
{
    // A save that fails writes nothing; the item then takes back the window's edits, so that
    // closing without saving afterwards leaves it as it was.
    const EventValues values = m_item.d->values;
    const unsigned dirty = m_item.d->dirty;
    try {
        applyEdits();
        m_item.Save();
    } catch (const Error& e) {
        m_item.d->values = values;
        m_item.d->dirty = dirty;
        showError(e.description());
        return;
    }
    accept();
}

void AppointmentDialog::deleteAppointment()
{
    try {
        m_item.Delete();
    } catch (const Error& e) {
        showError(e.description());
        return;
    }
    done(Deleted);
}

void showAppointmentDialog(AppointmentItem& item, bool modal)
{
    auto* dialog = new AppointmentDialog(item);
    if (modal) {
        dialog->exec();
        delete dialog;
        return;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace torvane::outlook

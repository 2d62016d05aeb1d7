// Our appointment window: what it shows, and what its three buttons do to the appointment.
#include "CalendarTestSupport.h"

#include "platform/outlook/AppointmentDialog.h"
#include "platform/outlook/RecurrenceRule.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest/QTest>

#include <memory>

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

class DialogTest : public CalendarTest {
protected:
    template <typename W>
    static W* control(QWidget& dialog, const char* name)
    {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        if (!w)
            throw std::runtime_error(std::string("no control ") + name);
        return w;
    }
    static void click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
    }
    AppointmentItem reopened(const AppointmentItem& item) const
    {
        return app().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(item.EntryID());
    }
};

TEST_F(DialogTest, ShowsTheAppointment)
{
    AppointmentItem item = calendarItems().Add();
    item.setSubject(QStringLiteral("Team"));
    item.setBody(QStringLiteral("Agenda"));
    item.setStart(at(2024, 3, 6, 9, 30)); // a Wednesday
    item.setReminderSet(true);
    item.setMeetingStatus(Meeting);
    item.GetRecurrencePattern().setDayOfWeekMask(2 | 8);
    item.Save();

    AppointmentDialog dialog(item);
    EXPECT_EQ(control<QLineEdit>(dialog, "subject")->text(), QStringLiteral("Team"));
    EXPECT_EQ(control<QPlainTextEdit>(dialog, "body")->toPlainText(), QStringLiteral("Agenda"));
    EXPECT_EQ(control<QDateEdit>(dialog, "startDate")->date(), QDate(2024, 3, 6));
    EXPECT_EQ(control<QTimeEdit>(dialog, "startTime")->time(), QTime(9, 30));
    EXPECT_TRUE(control<QCheckBox>(dialog, "reminder")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, "meeting")->isChecked());
    EXPECT_EQ(control<QComboBox>(dialog, "repeat")->currentText(), QStringLiteral("Weekly"));
    for (int d = 0; d < 7; ++d) {
        QCheckBox* day = control<QCheckBox>(dialog, QStringLiteral("weekday%1").arg(d).toLatin1().constData());
        EXPECT_EQ(day->isChecked(), d == 1 || d == 3) << d;
        EXPECT_TRUE(day->isEnabled());
    }
}

// The dialog going at once leaves nothing behind either (the leak check at the end of the
// sanitizer build's run).
TEST_F(DialogTest, TypingIntoTheDatePopUpOpensNoPopUpOfItsOwn)
{
    AppointmentItem item = calendarItems().Add();
    item.setStart(at(2024, 3, 6, 9, 30));
    item.Save();
    auto dialog = std::make_unique<AppointmentDialog>(item);
    QCalendarWidget* calendar = control<QDateEdit>(*dialog, "startDate")->calendarWidget();
    QTest::keyClicks(calendar->findChild<QAbstractItemView*>(), QStringLiteral("12"));
    EXPECT_FALSE(calendar->findChild<QLabel*>());
    dialog.reset();
}

TEST_F(DialogTest, SaveAndCloseWritesTheEdits)
{
    AppointmentItem item = addSaved(QStringLiteral("Draft"), at(2024, 3, 6, 9, 30));
    AppointmentDialog dialog(item);
    dialog.show();
    control<QLineEdit>(dialog, "subject")->setText(QStringLiteral("Final"));
    control<QPlainTextEdit>(dialog, "body")->setPlainText(QStringLiteral("Room 2"));
    control<QDateEdit>(dialog, "startDate")->setDate(QDate(2024, 3, 11)); // a Monday
    control<QTimeEdit>(dialog, "startTime")->setTime(QTime(14, 15));
    control<QCheckBox>(dialog, "reminder")->setChecked(true);
    control<QCheckBox>(dialog, "meeting")->setChecked(true);
    control<QComboBox>(dialog, "repeat")->setCurrentIndex(2); // weekly
    control<QCheckBox>(dialog, "weekday1")->setChecked(true);
    control<QCheckBox>(dialog, "weekday4")->setChecked(true);
    m_now = m_now.addSecs(120);
    click(dialog, "saveAndClose");

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    // The caller's own handle shows the save.
    EXPECT_EQ(item.LastModificationTime(), m_now);
    const AppointmentItem back = reopened(item);
    EXPECT_EQ(back.Subject(), QStringLiteral("Final"));
    EXPECT_EQ(back.Body(), QStringLiteral("Room 2"));
    EXPECT_EQ(back.Start(), at(2024, 3, 11, 14, 15));
    EXPECT_TRUE(back.ReminderSet());
    EXPECT_EQ(back.MeetingStatus(), Meeting);
    AppointmentItem copy = back;
    EXPECT_EQ(copy.GetRecurrencePattern().RecurrenceType(), RecursWeekly);
    EXPECT_EQ(copy.GetRecurrencePattern().DayOfWeekMask(), 2 | 16);
}

TEST_F(DialogTest, CloseWithoutSavingLeavesTheAppointment)
{
    AppointmentItem item = addSaved(QStringLiteral("Untouched"), at(2024, 3, 6, 9, 30));
    const QByteArray before = fileBytes();
    const QDateTime modified = item.LastModificationTime();
    AppointmentDialog dialog(item);
    dialog.show();
    control<QLineEdit>(dialog, "subject")->setText(QStringLiteral("Edited"));
    control<QComboBox>(dialog, "repeat")->setCurrentIndex(1);
    click(dialog, "closeWithoutSaving");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(item.Subject(), QStringLiteral("Untouched"));
    EXPECT_FALSE(item.IsRecurring());
    // The organizer saves after the window closes: nothing changes.
    m_now = m_now.addSecs(60);
    item.Save();
    EXPECT_EQ(item.LastModificationTime(), modified);
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(DialogTest, DeleteRemovesTheAppointment)
{
    AppointmentItem item = addSaved(QStringLiteral("Obsolete"), at(2024, 3, 6, 9, 30));
    AppointmentDialog dialog(item);
    dialog.show();
    click(dialog, "delete");
    EXPECT_EQ(dialog.result(), AppointmentDialog::Deleted);
    EXPECT_EQ(errorOf([&] { item.Save(); }), ErrItemDeleted);
    EXPECT_EQ(errorOf([&] { reopened(item); }), ErrItemNotFound);
}

TEST_F(DialogTest, AFailedSaveIsShownAndUndone)
{
    AppointmentItem item = addSaved(QStringLiteral("Before"), at(2024, 3, 6, 9, 30));
    AppointmentDialog dialog(item);
    dialog.show();
    const QByteArray good = fileBytes();
    writeFile("not a calendar\r\n");
    control<QLineEdit>(dialog, "subject")->setText(QStringLiteral("After"));
    click(dialog, "saveAndClose");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(control<QLabel>(dialog, "error")->isVisible());
    EXPECT_FALSE(control<QLabel>(dialog, "error")->text().isEmpty());
    EXPECT_EQ(item.Subject(), QStringLiteral("Before"));
    click(dialog, "closeWithoutSaving");
    writeFile(good);
    item.Save();
    EXPECT_EQ(reopened(item).Subject(), QStringLiteral("Before"));
}

TEST_F(DialogTest, AnOccurrenceIsShownReadOnly)
{
    AppointmentItem series = calendarItems().Add();
    series.setStart(at(2024, 3, 6, 9, 30));
    series.GetRecurrencePattern().setRecurrenceType(RecursDaily);
    series.Save();
    Items items = calendarItems();
    items.setIncludeRecurrences(true);
    auto occurrence = items.Find(rangeFilter(at(2024, 3, 8), at(2024, 3, 8, 23, 59)));
    ASSERT_TRUE(occurrence.has_value());
    AppointmentDialog dialog(*occurrence);
    EXPECT_EQ(control<QDateEdit>(dialog, "startDate")->date(), QDate(2024, 3, 8));
    EXPECT_FALSE(control<QPushButton>(dialog, "saveAndClose")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(dialog, "delete")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(dialog, "closeWithoutSaving")->isEnabled());
}

TEST_F(DialogTest, DisplayWithTrueIsModal)
{
    ApplicationOptions o = options();
    o.display = showAppointmentDialog;
    auto a = Application::create(o);
    ASSERT_TRUE(a);
    AppointmentItem item = calendarItems(*a).Add();
    item.Save();
    bool sawModal = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        sawModal = modal != nullptr;
        if (!modal)
            return;
        control<QLineEdit>(*modal, "subject")->setText(QStringLiteral("Typed in the window"));
        click(*modal, "saveAndClose");
    });
    item.Display(true);
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(item.Subject(), QStringLiteral("Typed in the window"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The month calendar's value and events, image lists, picture clips, the status bar's panels.
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/MonthCalendar.h"
#include "platform/ui/controls/PictureClip.h"
#include "platform/ui/controls/StatusBar.h"

#include "ControlsTestSupport.h"

#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace torvane::controls {
namespace {

using test::raised;

TEST(MonthCalendarTest, ValueIsOneDayReadAndWrittenAsDateOrText)
{
    MonthCalendar calendar;
    calendar.setName(QStringLiteral("TIVStartCalendar"));
    EXPECT_EQ(calendar.value(), QDate::currentDate());

    calendar.setValue(QDateTime(QDate(2024, 2, 29), QTime(23, 59)));
    EXPECT_EQ(calendar.value(), QDate(2024, 2, 29));
    EXPECT_EQ(calendar.text(u"dd.mm.yy"), "29.02.24");
    EXPECT_EQ(calendar.text(u"M/d/yyyy"), "2/29/2024");

    calendar.setText(u"1.3.24", u"dd.mm.yy");
    EXPECT_EQ(calendar.value(), QDate(2024, 3, 1));
    for (const char* notADate : {"", "31.02.24", "Fri", "1.13.24"}) {
        const ControlError e = raised([&] { calendar.setText(QString::fromLatin1(notADate), u"dd.mm.yy"); });
        EXPECT_EQ(e.number(), ErrTypeMismatch) << notADate;
        EXPECT_EQ(e.source(), "TIVStartCalendar");
    }
    EXPECT_EQ(calendar.value(), QDate(2024, 3, 1));
    EXPECT_EQ(raised([&] { calendar.setValue(QDate()); }).number(), ErrInvalidPropertyValue);
}

TEST(MonthCalendarTest, EventsCarryThePickedDayTheKeyAndTheFocusTarget)
{
    MonthCalendar calendar;
    calendar.setValue(QDate(2024, 1, 1));
    QStringList events;
    QObject context;
    QObject::connect(&calendar, &MonthCalendar::click, &context,
                     [&] { events << "click " + calendar.text(u"dd.mm.yyyy"); });
    QObject::connect(&calendar, &MonthCalendar::dblClick, &context,
                     [&] { events << "dblclick " + calendar.text(u"dd.mm.yyyy"); });
    QObject::connect(&calendar, &MonthCalendar::keyPress, &context, [&](int key) { events << QString::number(key); });
    QObject::connect(&calendar, &Control::lostFocus, &context, [&](const QString& to) { events << "lost to " + to; });

    calendar.userClick(QDate(2024, 1, 15));
    calendar.userDoubleClick(QDate(2024, 1, 16));
    calendar.userKeyPress(27);
    calendar.focusChanged(true);
    calendar.focusChanged(false, QStringLiteral("CalCommandOK"));
    calendar.focusChanged(false, QStringLiteral("again"));
    EXPECT_EQ(events, (QStringList{"click 15.01.2024", "dblclick 16.01.2024", "27", "lost to CalCommandOK"}));
}

QImage strip(int cells, int size)
{
    QImage image(cells * size, size, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int i = 0; i < cells; ++i)
        painter.fillRect(i * size, 0, size, size, QColor(i * 10, 0, 255 - i * 10));
    return image;
}

TEST(PictureListTest, AClipCutsItsStripIntoEqualCells)
{
    PictureClip clip(QStringLiteral("TIVPictureClipToolbar"));
    clip.setPicture(strip(15, 16));
    clip.setCols(15);
    EXPECT_EQ(clip.cellCount(), 15);
    const Picture cell = clip.cell(14);
    EXPECT_EQ(cell.image().size(), QSize(16, 16));
    EXPECT_EQ(cell.image().pixelColor(0, 0), QColor(140, 0, 115));
    EXPECT_EQ(cell.image().pixelColor(15, 15), QColor(140, 0, 115));
    EXPECT_EQ(cell.width(), 423);
    EXPECT_EQ(Picture(QImage(48, 24, QImage::Format_ARGB32)).width(), 1270);
    EXPECT_EQ(raised([&] { clip.cell(15); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { clip.setCols(0); }).number(), ErrInvalidPropertyValue);
}

TEST(PictureListTest, AnImageListInsertsAtPositionsAndFindsByKey)
{
    PictureClip clip;
    clip.setPicture(strip(15, 16));
    clip.setCols(15);
    ImageList list(QStringLiteral("TIVToolbarImageList"));
    const QStringList keys{"TIVMemo", "TIVMeeting", "TIVAnniverery", "TIVPhone", "TIVOnOff", "TIVDelete",
                           "TIVSave", "TIVNew", "TIVHelp", "TIVSerie", "TIVCal", "TIVAlarm", "TIVRubber",
                           "MobileTest", "Organizer"};
    for (int cell = 0; cell < 15; ++cell)
        list.add(keys[cell], clip.cell(cell), std::min(cell + 1, 14));
    EXPECT_EQ(list.count(), 15);
    EXPECT_EQ(list.key(14), "Organizer");
    EXPECT_EQ(list.key(15), "MobileTest");
    EXPECT_EQ(list.indexOf(QStringLiteral("TIVMemo")), 1);
    EXPECT_EQ(list.picture(QStringLiteral("MobileTest")).image().pixelColor(0, 0), QColor(130, 0, 125));

    // Each picture put at position 1 turns the order round.
    ImageList kinds(QStringLiteral("TIVMemoImageList"));
    for (const char* key : {"Normal", "Day", "Week", "Year"})
        kinds.add(QString::fromLatin1(key), Picture(), 1);
    EXPECT_EQ((QStringList{kinds.key(1), kinds.key(2), kinds.key(3), kinds.key(4)}),
              (QStringList{"Year", "Week", "Day", "Normal"}));

    EXPECT_EQ(raised([&] { kinds.picture(QStringLiteral("Month")); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { kinds.picture(5); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { kinds.add(QStringLiteral("Day"), Picture()); }).number(), ErrKeyNotUnique);
    EXPECT_EQ(raised([&] { kinds.add(QStringLiteral("Month"), Picture(), 6); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(kinds.count(), 4);
}

TEST(StatusBarTest, PanelsAreFoundByKeyAndIndex)
{
    StatusBar bar;
    bar.setName(QStringLiteral("TivStatusBar"));
    QSignalSpy changes(&bar, &StatusBar::panelsChanged);
    bar.panel(1).setKey(QStringLiteral("Mobile"));
    bar.addPanel(QStringLiteral("EntryCounter"));
    bar.addPanel(QStringLiteral("MobileStatus"), 2);
    bar.panel(QStringLiteral("MobileStatus")).setText(QStringLiteral("  "));
    bar.panel(QStringLiteral("EntryCounter")).setPicture(QStringLiteral("PhoneOn"), Picture(QImage(16, 16, QImage::Format_ARGB32)));
    EXPECT_EQ(bar.panelCount(), 3);
    EXPECT_EQ(bar.panel(2).text(), "  ");
    EXPECT_EQ(bar.panel(3).key(), "EntryCounter");
    EXPECT_EQ(bar.panel(3).pictureName(), "PhoneOn");
    EXPECT_GE(changes.count(), 4);

    EXPECT_EQ(raised([&] { bar.panel(QStringLiteral("ProgressIndicator")); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { bar.panel(4); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { bar.addPanel(QStringLiteral("Mobile")); }).number(), ErrKeyNotUnique);
    EXPECT_EQ(raised([&] { bar.panel(1).setAutoSize(3); }).number(), ErrInvalidPropertyValue);
}

} // namespace
} // namespace torvane::controls

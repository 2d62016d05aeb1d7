// The controls' widgets on the offscreen platform: clicks, keys and focus reach the models and
// raise their events, and model changes show in the widgets.
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/FieldWidgets.h"
#include "platform/ui/controls/widgets/GridWidget.h"
#include "platform/ui/controls/widgets/MonthCalendarWidget.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"

#include "ControlsTestSupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace torvane::controls {
namespace {

// A window holding the control under test, shown and active.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(700, 500);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
};

class GridWidgetTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        grid.setName(QStringLiteral("FG1"));
        grid.setIndex(0);
        grid.setCols(10);
        grid.setRows(7);
        grid.setFixedRows(2);
        for (int c = 0; c < 10; ++c)
            grid.setColWidth(c, 0);
        grid.setColWidth(0, 1500);
        grid.setColWidth(6, 600);
        grid.setColWidth(9, 2400);
        for (int r = 0; r < 7; ++r)
            grid.setRowHeight(r, 300);
        grid.setScrollBars(ScrollBarsVertical);
        grid.move(150, 150, 4800, 2190);
        widget = new GridWidget(grid, &window);
        widget->show();
    }
    QPoint centre(int row, int col) const { return widget->cellRect(row, col).center(); }

    Grid grid;
    GridWidget* widget = nullptr;
};

TEST_F(GridWidgetTest, FollowsTheModelsPlaceInTwips)
{
    EXPECT_EQ(widget->objectName(), "FG1(0)");
    EXPECT_EQ(widget->geometry(), QRect(10, 10, 320, 146));
    grid.setTop(3000);
    grid.setVisible(false);
    EXPECT_EQ(widget->y(), 200);
    EXPECT_FALSE(widget->isVisible());
    // Columns 1 to 5 are zero wide: column 6 starts where column 0 ends.
    EXPECT_EQ(widget->cellRect(2, 6).left(), widget->cellRect(2, 0).right() + 1);
    EXPECT_EQ(widget->cellRect(2, 9).size(), QSize(160, 20));
}

TEST_F(GridWidgetTest, AClickMakesTheCellCurrentAndRaisesClickOnce)
{
    QSignalSpy clicks(&grid, &Grid::click);
    QSignalSpy doubleClicks(&grid, &Grid::dblClick);
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre(4, 9));
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 9);
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseDClick(widget, Qt::LeftButton, {}, centre(3, 6));
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 6);
    EXPECT_EQ(doubleClicks.count(), 1);
    const qsizetype clicksSoFar = clicks.count();

    // A header row is clicked but not made current.
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre(0, 9));
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(clicks.count(), clicksSoFar + 1);
}

TEST_F(GridWidgetTest, KeysMoveTheCurrentCellOverHiddenColumnsAndScroll)
{
    grid.setRows(30);
    for (int r = 7; r < 30; ++r)
        grid.setRowHeight(r, 300);
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre(2, 0));
    QTest::keyClick(widget, Qt::Key_Right);
    EXPECT_EQ(grid.col(), 6);
    QTest::keyClick(widget, Qt::Key_Right);
    QTest::keyClick(widget, Qt::Key_Right);
    EXPECT_EQ(grid.col(), 9);
    QTest::keyClick(widget, Qt::Key_Up);
    EXPECT_EQ(grid.row(), 2); // not into the header
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(grid.row(), 12);
    EXPECT_GT(grid.topRow(), 2);
    EXPECT_TRUE(widget->cellRect(12, 9).isValid());
    EXPECT_LE(widget->cellRect(12, 9).bottom(), widget->height() - 1);

    // The scroll bar shows the rows that do not fit and moves topRow.
    QTRY_VERIFY(widget->findChild<QScrollBar*>()->isVisible());
    QScrollBar* bar = widget->findChild<QScrollBar*>();
    bar->setValue(bar->maximum());
    EXPECT_EQ(grid.topRow(), 2 + bar->maximum());
    EXPECT_TRUE(widget->cellRect(29, 9).isValid());
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre(29, 9));
    EXPECT_EQ(grid.row(), 29);
}

TEST_F(GridWidgetTest, FocusEventsNameWhereTheFocusWent)
{
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setObjectName(QStringLiteral("CalCommandOK"));
    button->show();
    QStringList events;
    QObject::connect(&grid, &Control::gotFocus, [&] { events << "got"; });
    QObject::connect(&grid, &Control::lostFocus, [&](const QString& target) { events << "lost to " + target; });
    grid.setFocus();
    EXPECT_TRUE(widget->hasFocus());
    button->setFocus();
    EXPECT_EQ(events, (QStringList{"got", "lost to CalCommandOK"}));
    EXPECT_FALSE(grid.hasFocus());
}

class CommandBarWidgetTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        bar.setName(QStringLiteral("ActiveBar1"));
        QImage strip(32, 16, QImage::Format_ARGB32);
        strip.fill(Qt::blue);
        bar.setPictures({Picture(strip.copy(0, 0, 16, 16)), Picture(strip.copy(16, 0, 16, 16))});
        bar.load({
            .tools = {{.name = "mnuEntry", .caption = "&Entry", .subBand = "EntryMenu"},
                      {.name = "Open", .caption = "&Open", .tooltip = "Open entry.", .picture = 1},
                      {.name = "Clear", .caption = "C&lear", .subBand = "ClearMenu"},
                      {.name = "ClearBoth", .caption = "Clear &both"},
                      {.name = "Serie", .kind = ToolKind::Toggle, .caption = "Se&rie"},
                      {.name = "Start", .kind = ToolKind::Edit, .width = 90},
                      {.name = "Time", .kind = ToolKind::Combo, .width = 60}},
            .bands = {{.name = "MainMenu", .kind = BandKind::MenuBar, .tools = {{.tool = "mnuEntry"}}},
                      {.name = "EntryMenu", .kind = BandKind::PopupMenu,
                       .tools = {{.tool = "Open", .caption = "&Open entry", .shortcut = 15},
                                 {.tool = "Clear", .beginsGroup = true}}},
                      {.name = "ClearMenu", .kind = BandKind::PopupMenu, .tools = {{.tool = "ClearBoth"}}},
                      {.name = "Tools", .kind = BandKind::ToolBar,
                       .tools = {{.tool = "Open"}, {.tool = "Serie"}, {.tool = "Start"}, {.tool = "Time"}}}},
        });
        widget = new CommandBarWidget(bar, &window);
        widget->setGeometry(0, 0, 700, widget->sizeHint().height());
        widget->show();
        auto where = [](const Tool& t) { return t.band().name() + QLatin1Char('/') + t.name(); };
        QObject::connect(&bar, &CommandBar::toolClick, [=, this](Tool t) { events << "click " + where(t); });
        QObject::connect(&bar, &CommandBar::toolNotify, [=, this](Tool t) { events << "notify " + where(t); });
        QObject::connect(&bar, &CommandBar::bandOpen, [this](Band b) { events << "open " + b.name(); });
    }
    Tool tool(const char* band, const char* name) { return bar.band(QLatin1String(band)).tool(QLatin1String(name)); }
    QWidget* button(const char* band, const char* name)
    {
        return widget->toolBar(QStringLiteral("Tools"))->widgetForAction(widget->action(tool(band, name)));
    }

    CommandBar bar;
    CommandBarWidget* widget = nullptr;
    QStringList events;
};

TEST_F(CommandBarWidgetTest, ClickingAButtonRaisesToolClickAndTheHandlerDecidesAToggle)
{
    QTest::mouseClick(button("Tools", "Open"), Qt::LeftButton);
    EXPECT_EQ(events, (QStringList{"click Tools/Open"}));

    // A handler that flips the toggle; then one that refuses (busy) leaves it as it was.
    bool busy = false;
    QObject::connect(&bar, &CommandBar::toolClick, [&](Tool t) {
        if (t.name() == "Serie" && !busy)
            bar.tool(QStringLiteral("Serie")).setPressed(!t.isPressed());
    });
    QTest::mouseClick(button("Tools", "Serie"), Qt::LeftButton);
    EXPECT_TRUE(tool("Tools", "Serie").isPressed());
    EXPECT_TRUE(widget->action(tool("Tools", "Serie"))->isChecked());
    busy = true;
    QTest::mouseClick(button("Tools", "Serie"), Qt::LeftButton);
    EXPECT_TRUE(widget->action(tool("Tools", "Serie"))->isChecked());
}

TEST_F(CommandBarWidgetTest, TheWidgetsFollowTheModelsStates)
{
    QAction* menuOpen = widget->action(tool("EntryMenu", "Open"));
    QAction* barOpen = widget->action(tool("Tools", "Open"));
    EXPECT_EQ(menuOpen->text(), "&Open entry\tCtrl+O");
    EXPECT_EQ(barOpen->toolTip(), "Open entry.");
    EXPECT_FALSE(barOpen->icon().isNull());

    tool("EntryMenu", "Open").setCaption(QStringLiteral("Eintrag &bearbeiten"));
    tool("EntryMenu", "Open").setShortcut(2);
    tool("Tools", "Open").setEnabled(false);
    tool("Tools", "Serie").setVisible(false);
    EXPECT_EQ(menuOpen->text(), "Eintrag &bearbeiten\tCtrl+B");
    EXPECT_FALSE(barOpen->isEnabled());
    EXPECT_TRUE(menuOpen->isEnabled());
    EXPECT_FALSE(widget->action(tool("Tools", "Serie"))->isVisible());
    QTRY_VERIFY(!button("Tools", "Serie")->isVisible());
    // A disabled button raises nothing when clicked.
    QTest::mouseClick(button("Tools", "Open"), Qt::LeftButton);
    EXPECT_TRUE(events.isEmpty());

    auto* start = qobject_cast<QLineEdit*>(widget->toolWidget(tool("Tools", "Start")));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->width(), 90);
    bar.tool(QStringLiteral("Start")).setText(QStringLiteral("Mon 01.01.24"));
    EXPECT_EQ(start->text(), "Mon 01.01.24");
    // The band heights are measured for the window's layout.
    EXPECT_EQ(bar.band(QStringLiteral("Tools")).height(), widget->toolBar(QStringLiteral("Tools"))->height());
    EXPECT_GT(bar.band(QStringLiteral("MainMenu")).height(), 0);
}

TEST_F(CommandBarWidgetTest, MenusAskTheWindowBeforeTheyOpen)
{
    // The handler hides an item while the menu opens; the menu shows without it.
    QObject::connect(&bar, &CommandBar::bandOpen, [&](Band b) {
        if (b.name() == "EntryMenu")
            b.tool(QStringLiteral("Clear")).setVisible(false);
    });
    QMenuBar* menuBar = widget->menuBar(QStringLiteral("MainMenu"));
    ASSERT_NE(menuBar, nullptr);
    QAction* title = widget->action(tool("MainMenu", "mnuEntry"));
    QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(title).center());
    QMenu* menu = widget->menuOpenedBy(tool("MainMenu", "mnuEntry"));
    ASSERT_NE(menu, nullptr);
    QTRY_VERIFY(menu->isVisible());
    EXPECT_EQ(events, (QStringList{"notify MainMenu/mnuEntry", "open EntryMenu"}));
    EXPECT_FALSE(widget->action(tool("EntryMenu", "Clear"))->isVisible());

    events.clear();
    // The item is chosen with the keyboard, as a user may.
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(events, (QStringList{"click EntryMenu/Open"}));
}

TEST_F(CommandBarWidgetTest, ForwardedKeysRunShortcutsAndOtherKeysReachTheFocusedControl)
{
    widget->forwardKeysOf(&window);
    auto* field = new QLineEdit(&window);
    field->setGeometry(10, 200, 200, 24);
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_X);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // no shortcut: the field selects all
    EXPECT_EQ(events, (QStringList{"click EntryMenu/Open"}));
    EXPECT_EQ(field->text(), "x");
    EXPECT_EQ(field->selectedText(), "x");
}

TEST_F(CommandBarWidgetTest, AComboIsFilledWhenItsListIsAboutToOpenAndPicksAndTypingReachTheModel)
{
    QStringList focus;
    QObject::connect(&bar, &CommandBar::comboDrop, [&](Tool t) {
        t.clearList();
        for (const char* item : {"00:30", "01:00", "01:30"})
            t.addListItem(QString::fromLatin1(item));
        t.setListIndex(1);
    });
    QObject::connect(&bar, &CommandBar::toolGotFocus, [&](Tool t) { focus << "got " + t.name(); });
    QObject::connect(&bar, &CommandBar::toolLostFocus, [&](Tool t) { focus << "lost " + t.name(); });
    auto* combo = qobject_cast<QComboBox*>(widget->toolWidget(tool("Tools", "Time")));
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    combo->showPopup();
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), 1);
    combo->hidePopup();
    emit combo->activated(2);
    EXPECT_EQ(bar.tool(QStringLiteral("Time")).text(), "01:30");
    EXPECT_EQ(bar.tool(QStringLiteral("Time")).listIndex(), 2);
    combo->clearEditText();
    QTest::keyClicks(combo, QStringLiteral("9:15"));
    EXPECT_EQ(bar.tool(QStringLiteral("Time")).text(), "9:15") << "typed, not picked";
    widget->toolWidget(tool("Tools", "Start"))->setFocus();
    EXPECT_EQ(focus, (QStringList{"got Time", "lost Time", "got Start"}));
}

TEST_F(CommandBarWidgetTest, ReturnKeepsWhatWasTypedAndOnlyTheToolsOwnItemsArePicked)
{
    Tool time = bar.tool(QStringLiteral("Time"));
    for (const char* item : {"00:30", "01:00", "01:30"})
        time.addListItem(QString::fromLatin1(item));
    auto* combo = qobject_cast<QComboBox*>(widget->toolWidget(tool("Tools", "Time")));
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("9:15"));
    QSignalSpy inserted(combo->model(), &QAbstractItemModel::rowsInserted);
    EXPECT_NO_THROW(QTest::keyClick(combo, Qt::Key_Return));
    EXPECT_EQ(inserted.count(), 0) << "Return adds no item, not even for a moment";
    // The widget's list ahead of the tool's: an item the tool lacks, or holds at another place.
    for (int index : {3, 0}) {
        combo->insertItem(index, QStringLiteral("02:00"));
        EXPECT_NO_THROW(emit combo->activated(index));
        EXPECT_EQ(time.text(), "9:15");
        EXPECT_EQ(time.listIndex(), -1);
        EXPECT_EQ(combo->count(), 3) << "the widget shows the tool's list again";
    }
}

class CalendarWidgetTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        calendar.setName(QStringLiteral("TIVStartCalendar"));
        calendar.setValue(QDate(2024, 5, 15));
        calendar.move(0, 0, 3600, 3000);
        widget = new MonthCalendarWidget(calendar, &window);
        widget->show();
        QObject::connect(&calendar, &MonthCalendar::click, [this] { events << "click " + calendar.value().toString(Qt::ISODate); });
        QObject::connect(&calendar, &MonthCalendar::dblClick, [this] { events << "dblclick " + calendar.value().toString(Qt::ISODate); });
        QObject::connect(&calendar, &MonthCalendar::keyPress, [this](int key) { events << QString::number(key); });
        QObject::connect(&calendar, &Control::lostFocus, [this](const QString& to) { events << "lost to " + to; });
    }
    // The centre of a day's cell in the table of days.
    QPoint dayCentre(QDate day) const
    {
        QAbstractItemView* view = widget->daysView();
        for (int r = 0; r < view->model()->rowCount(); ++r)
            for (int c = 0; c < view->model()->columnCount(); ++c) {
                const QModelIndex index = view->model()->index(r, c);
                if (view->model()->data(index).toInt() == day.day() && r > 0 && !(r == 1 && day.day() > 20))
                    return view->visualRect(index).center();
            }
        return {};
    }

    MonthCalendar calendar;
    MonthCalendarWidget* widget = nullptr;
    QStringList events;
};

TEST_F(CalendarWidgetTest, PickingADayWithMouseOrKeysSetsTheValueAndRaisesClick)
{
    EXPECT_EQ(widget->selectedDate(), QDate(2024, 5, 15));
    EXPECT_EQ(widget->size(), QSize(240, 200));
    QAbstractItemView* view = widget->daysView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, dayCentre(QDate(2024, 5, 20)));
    EXPECT_EQ(calendar.value(), QDate(2024, 5, 20));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, dayCentre(QDate(2024, 5, 20)));
    // A double click: the first press and release pick the day, the second press activates it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, dayCentre(QDate(2024, 5, 21)));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, dayCentre(QDate(2024, 5, 21)));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(events, (QStringList{"click 2024-05-20", "click 2024-05-20", "click 2024-05-21", "dblclick 2024-05-21",
                                   "click 2024-05-22", "27"}));
    calendar.setValue(QDate(2025, 1, 1));
    EXPECT_EQ(widget->selectedDate(), QDate(2025, 1, 1));
    EXPECT_EQ(events.size(), 6); // showing a value raises nothing
}

// The calendar going at once leaves nothing behind either (the leak check at the end of the
// sanitizer build's run).
TEST_F(CalendarWidgetTest, TypedKeysReachTheModelAndPickNoDay)
{
    QAbstractItemView* view = widget->daysView();
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("12"));
    EXPECT_EQ(events, (QStringList{"49", "50"}));
    EXPECT_FALSE(widget->findChild<QLabel*>());
    delete widget;
}

TEST_F(CalendarWidgetTest, LosingTheFocusNamesTheControlThatGotIt)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), &window);
    ok->setObjectName(QStringLiteral("CalCommandOK"));
    ok->move(400, 10);
    ok->show();
    calendar.setFocus();
    EXPECT_TRUE(calendar.hasFocus());
    ok->setFocus();
    EXPECT_EQ(events, (QStringList{"lost to CalCommandOK"}));
}

TEST(StatusBarWidgetTest, PanelsShowTheirTextsWidthsAndVisibility)
{
    QWidget window;
    StatusBar model;
    model.setName(QStringLiteral("TivStatusBar"));
    model.move(0, 3000, 9000, 350);
    model.panel(1).setKey(QStringLiteral("Mobile"));
    model.addPanel(QStringLiteral("ProgressIndicator")).setWidth(1500);
    StatusBarWidget widget(model, &window);
    window.show();
    model.panel(1).setText(QStringLiteral("Torvane TRVANE"));
    model.panel(1).setAutoSize(PanelAutoSizeContents);
    model.panel(2).setVisible(false);
    EXPECT_EQ(widget.geometry(), QRect(0, 200, 600, 23));
    QWidget* mobile = widget.panelWidget(1);
    EXPECT_EQ(mobile->objectName(), "Mobile");
    EXPECT_GE(mobile->sizeHint().width(), mobile->fontMetrics().horizontalAdvance(QStringLiteral("Torvane TRVANE")));
    EXPECT_FALSE(widget.panelWidget(2)->isVisible());
    model.panel(2).setVisible(true);
    EXPECT_EQ(widget.panelWidget(2)->width(), 100);
}

// A list's picking and a button's clicking reach their models, and what the code sets shows.
TEST_F(WidgetTest, ListAndButtonFollowTheirModelsAndReportTheUser)
{
    ComboBox unit;
    unit.setName(QStringLiteral("PeriodeCombo"));
    unit.move(1200, 150, 1500, 315);
    CommandButton ok;
    ok.setName(QStringLiteral("CalCommandOK"));
    ok.setCaption(QStringLiteral("OK"));
    ok.move(150, 600, 975, 375);
    auto* unitWidget = new ComboBoxWidget(unit, &window);
    auto* okWidget = new CommandButtonWidget(ok, &window);

    int clicks = 0;
    QObject::connect(&unit, &ComboBox::click, [&] { ++clicks; });
    for (const char* name : {"Day", "Week", "Month", "Year"})
        unit.addItem(QString::fromLatin1(name));
    unit.setListIndex(1);
    EXPECT_EQ(unitWidget->currentText(), QStringLiteral("Week"));
    EXPECT_EQ(clicks, 1);
    unitWidget->setFocus();
    QTest::keyClick(unitWidget, Qt::Key_Down);
    EXPECT_EQ(unit.listIndex(), 2);
    EXPECT_EQ(unit.text(), QStringLiteral("Month"));
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(unit.setListIndex(4), ControlError);
    unit.clear();
    EXPECT_EQ(unitWidget->count(), 0);

    int pressed = 0;
    QObject::connect(&ok, &CommandButton::click, [&] { ++pressed; });
    QTest::mouseClick(okWidget, Qt::LeftButton);
    EXPECT_EQ(pressed, 1);
    ok.setCaption(QStringLiteral("Cancel"));
    EXPECT_EQ(okWidget->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(okWidget->geometry(), QRect(10, 40, 65, 25));
}

} // namespace
} // namespace torvane::controls

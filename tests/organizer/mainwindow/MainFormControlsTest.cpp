// The main window's controls: one process-wide set, each control named as the window's code
// names it (so its errors name it too), and a reset that gives tests a fresh window.
#include "organizer/mainwindow/MainFormControls.h"

#include "platform/ui/controls/ControlError.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class MainFormControlsTest : public ::testing::Test {
protected:
    void TearDown() override { resetMain_Form(); }
};

// The source of the error a call raises.
template <typename Call>
QString errorSource(Call call)
{
    try {
        call();
    } catch (const controls::ControlError& e) {
        return e.source();
    }
    return QStringLiteral("(nothing raised)");
}

TEST_F(MainFormControlsTest, ControlsCarryTheirNamesIntoTheirErrors)
{
    MainFormControls& form = Main_Form();
    EXPECT_EQ(&form, &Main_Form());
    EXPECT_EQ(errorSource([&] { form.FG2[1].textMatrix(99, 0); }), "FG2");
    EXPECT_EQ(form.FG2[1].index(), 1);
    EXPECT_EQ(errorSource([&] { form.ActiveBar1.band(QStringLiteral("MainMenu")); }), "ActiveBar1");
    EXPECT_EQ(errorSource([&] { form.TIVStartCalendar.setText(u"no date", u"dd.mm.yy"); }), "TIVStartCalendar");
    EXPECT_EQ(errorSource([&] { form.TivStatusBar.panel(QStringLiteral("Mobile")); }), "TivStatusBar");
    EXPECT_EQ(errorSource([&] { form.ImageList[0].picture(QStringLiteral("j")); }), "ImageList");
    EXPECT_EQ(errorSource([&] { form.TIVCallBellImageList.picture(QStringLiteral("Year")); }), "TIVCallBellImageList");
    EXPECT_EQ(errorSource([&] { form.TIVPictureClipToolbar.cell(1); }), "TIVPictureClipToolbar");
    EXPECT_EQ(errorSource([&] { form.Form.setWindowState(3); }), "Main_Form");
    EXPECT_EQ(errorSource([&] { form.PeriodeCombo.setListIndex(0); }), "PeriodeCombo");
    EXPECT_EQ(errorSource([&] { form.PeriodeCombo.list(4); }), "PeriodeCombo");

    // The arrows' designed size; the window starts hidden in the normal state.
    EXPECT_EQ(form.ImageMobile2PC.width(), 960);
    EXPECT_EQ(form.ImagePC2Mobile.height(), 480);
    EXPECT_FALSE(form.Form.isVisible());
    EXPECT_EQ(form.Form.windowState(), WindowStateNormal);
    // The date picker pops up only when asked; its buttons keep their designed size.
    EXPECT_FALSE(form.StartCalendarFrame.isVisible());
    EXPECT_EQ(form.CalCommandCancel.width(), 975);
    EXPECT_EQ(form.CalCommandOK.height(), 375);
    EXPECT_EQ(form.CalCommandCancel.caption(), "Cancel");
}

TEST_F(MainFormControlsTest, TheUnitListSelectsAnItemAndShowsIt)
{
    controls::ComboBox& combo = Main_Form().PeriodeCombo;
    for (const char* unit : {"Day", "Week", "Month", "Year"})
        combo.addItem(QLatin1String(unit));
    combo.setListIndex(2);
    EXPECT_EQ(combo.text(), "Month");
    combo.clear();
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.listCount(), 0);
}

TEST_F(MainFormControlsTest, AResetGivesAFreshWindow)
{
    Main_Form().FG1[0].setRows(9);
    Main_Form().Form.setWindowState(WindowStateMaximized);
    resetMain_Form();
    EXPECT_EQ(Main_Form().FG1[0].rows(), 2);
    EXPECT_EQ(Main_Form().Form.windowState(), WindowStateNormal);
}

} // namespace
} // namespace tessaro

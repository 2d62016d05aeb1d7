// The settings sheet as the user works it: what the pages show, typing with the service-centre
// filter, Enter and focus, the limits that keep the user on the page, and what OK writes.
#include "GuiTestSupport.h"
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CCfgPropSheet.h"
#include "mainprog/ui/CfgPage.h"
#include "platform/registry/RegistryFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvant;
using corvant::test::FakeEngine;

namespace {

class SettingsSheetTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        setenv("XDG_DATA_HOME", (configHome_ + "-data").c_str(), 1);
        corvant::test::scriptedService();
    }

    void open()
    {
        sheet = std::make_unique<CCfgPropSheet>(engine, profile, [this] { ++configured; });
        sheet->show();
        QApplication::setActiveWindow(sheet.get());
    }

    template <class T>
    T* control(int page, const char* name)
    {
        T* w = sheet->page(page)->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QLineEdit* maxParts() { return control<QLineEdit>(0, "edit1029"); }
    QLineEdit* wait() { return control<QLineEdit>(0, "edit1030"); }
    QComboBox* service() { return control<QComboBox>(0, "combo1002"); }
    QComboBox* validity() { return control<QComboBox>(0, "combo1003"); }
    QComboBox* directory() { return control<QComboBox>(0, "combo1004"); }

    void typeInto(QWidget* w, const QString& text)
    {
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w, text);
    }

    std::string text(const char* sect, const char* name) { return profile.GetProfileString(sect, name, "<none>"); }
    int number(const char* sect, const char* name) { return int(profile.GetProfileInt(sect, name, -999)); }

    FakeEngine engine;
    torvane::registry::AppProfile profile = corvantProfile();
    std::unique_ptr<CCfgPropSheet> sheet;
    int configured = 0;
};

TEST_F(SettingsSheetTest, PagesShowTheStoredValues)
{
    profile.WriteProfileInt(section::Page1, value::PageMaxParts, 3);
    profile.WriteProfileString(section::Page1, "SMSService1", "+4911");
    profile.WriteProfileString(section::Page1, "SMSService2", "+4922");
    profile.WriteProfileInt(section::Page1, value::PageServicePos, 2);
    profile.WriteProfileInt(section::Page1, value::PageLifeTime, 11);
    profile.WriteProfileInt(section::Page2, value::Phonebooks, 8);
    profile.WriteProfileString(section::Settings, value::ComPort, "COM2");
    open();
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Configuring"));
    EXPECT_EQ(sheet->tabs()->count(), 3);
    EXPECT_EQ(sheet->tabs()->tabText(1), QStringLiteral("Mobile phone directory"));
    EXPECT_EQ(maxParts()->text(), QStringLiteral("3"));
    EXPECT_EQ(wait()->text(), QStringLiteral("60"));
    EXPECT_EQ(service()->count(), 3);
    EXPECT_EQ(service()->itemText(0), QStringLiteral("Phone setting"));
    EXPECT_EQ(service()->currentText(), QStringLiteral("+4922"));
    EXPECT_EQ(validity()->count(), 17);
    EXPECT_EQ(validity()->currentText(), QStringLiteral("1 week"));
    EXPECT_TRUE(control<QCheckBox>(0, "check1001")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(1, "check1005")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(1, "check1001")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(1, "check1010")->isChecked());
    EXPECT_EQ(control<QComboBox>(2, "combo1002")->currentText(), QStringLiteral("COM2"));
    EXPECT_EQ(control<QComboBox>(2, "combo1002")->count(), 4);
}

TEST_F(SettingsSheetTest, TypedServiceCentreKeepsDigitsAndALeadingPlusAndIsStored)
{
    open();
    service()->setCurrentIndex(0);
    service()->lineEdit()->clear();
    typeInto(service(), QStringLiteral("+49 (89)+12"));
    EXPECT_EQ(service()->currentText(), QStringLiteral("+498912"));
    EXPECT_TRUE(sheet->findChild<QPushButton*>(QStringLiteral("button12321"))->isEnabled()) << "changed";
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "+498912");
    EXPECT_EQ(text(section::Page1, "SMSService1"), "+498912");
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 1);
    EXPECT_EQ(configured, 1) << "the SMS manager configures itself again";
}

TEST_F(SettingsSheetTest, ChosenPhoneSettingStoresAnEmptyServiceCentre)
{
    profile.WriteProfileString(section::Page1, "SMSService1", "+4911");
    profile.WriteProfileInt(section::Page1, value::PageServicePos, 1);
    open();
    service()->setCurrentIndex(0);
    sheet->accept();
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "");
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 1);
}

struct LimitCase {
    const char* maxParts;
    const char* wait;
    int reportId;
    const char* field;
};

class SheetLimits : public SettingsSheetTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(SheetLimits, BrokenLimitKeepsTheUserOnThePageAndSavesNothing)
{
    open();
    maxParts()->setText(QLatin1String(GetParam().maxParts));
    wait()->setText(QLatin1String(GetParam().wait));

    sheet->tabs()->setCurrentIndex(2);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 0) << "the page cannot be left";
    ASSERT_EQ(engine.reports.size(), 1u);
    EXPECT_EQ(engine.reports[0].wParam, 4u);
    EXPECT_EQ(engine.reports[0].lParam, GetParam().reportId);
    auto* field = control<QLineEdit>(0, GetParam().field);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->selectedText(), field->text());

    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Rejected) << "OK does not close";
    EXPECT_EQ(engine.reports.size(), 2u);
    EXPECT_EQ(number(section::Page1, value::PageMaxParts), -999);
    EXPECT_EQ(number(section::MapiServer, value::WaitMinutes), -999);
}

INSTANTIATE_TEST_SUITE_P(Values, SheetLimits,
                         ::testing::Values(LimitCase {"0", "30", 41502, "edit1029"},
                                           LimitCase {"256", "30", 41502, "edit1029"},
                                           LimitCase {"many", "30", 41502, "edit1029"},
                                           LimitCase {"10", "4", 41503, "edit1030"},
                                           LimitCase {"10", "61", 41503, "edit1030"}));

TEST_F(SettingsSheetTest, LimitsThemselvesAreAccepted)
{
    open();
    maxParts()->setText(QStringLiteral("1"));
    wait()->setText(QStringLiteral("5"));
    sheet->tabs()->setCurrentIndex(1);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 1);
    wait()->setText(QStringLiteral("60"));
    sheet->accept();
    EXPECT_TRUE(engine.reports.empty());
    EXPECT_EQ(number(section::MapiServer, value::MaxParts), 1);
    EXPECT_EQ(number(section::MapiServer, value::WaitMinutes), 60);
}

TEST_F(SettingsSheetTest, EnterAcceptsAFieldAndMovesOnInTheCycle)
{
    open();
    typeInto(maxParts(), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(maxParts()->text(), QStringLiteral("2557"));
    EXPECT_TRUE(sheet->isVisible()) << "Enter in a field does not end the sheet";
    EXPECT_TRUE(service()->hasFocus() || service()->lineEdit()->hasFocus()) << "on to the service centre";

    directory()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(directory(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), maxParts()) << "the cycle closes";
}

TEST_F(SettingsSheetTest, EditLeftWithTabGetsItsValueBackLeftWithTheMouseKeepsIt)
{
    open();
    typeInto(maxParts(), QStringLiteral("9"));
    QTest::keyClick(maxParts(), Qt::Key_Tab);
    EXPECT_EQ(maxParts()->text(), QStringLiteral("255"));

    typeInto(wait(), QStringLiteral("0"));
    maxParts()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(wait()->text(), QStringLiteral("600")) << "kept, and out of range";
}

TEST_F(SettingsSheetTest, ComboLeftWithoutEnterGetsItsDisplayBackButTheTypedNumberStays)
{
    profile.WriteProfileString(section::Page1, "SMSService1", "+4911");
    profile.WriteProfileInt(section::Page1, value::PageServicePos, 1);
    open();
    service()->setFocus(Qt::MouseFocusReason);
    service()->lineEdit()->selectAll();
    QTest::keyClicks(service(), QStringLiteral("0170"));
    EXPECT_EQ(service()->currentText(), QStringLiteral("0170"));
    maxParts()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(service()->currentText(), QStringLiteral("+4911"));
    sheet->accept();
    EXPECT_EQ(text(section::Page1, "SMSService1"), "0170");
    EXPECT_EQ(text(section::Page1, "SMSService2"), "+4911");
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "0170");
}

TEST_F(SettingsSheetTest, ValidityDirectoryAndPreviewAreWritten)
{
    open();
    validity()->setCurrentIndex(11);
    typeInto(directory(), QStringLiteral("/srv/sms"));
    control<QCheckBox>(0, "check1001")->setChecked(false);
    sheet->accept();
    EXPECT_EQ(number(section::Settings, value::Validity), 173);
    EXPECT_EQ(text(section::MapiServer, value::SpoolDir), "/srv/sms/");
    EXPECT_EQ(text(section::Settings, value::SpoolDir), "/srv/sms/");
    EXPECT_EQ(number(section::MapiServer, value::Preview), 0);
}

TEST_F(SettingsSheetTest, ApplyTwiceAddsTheTypedNumberOnce)
{
    profile.WriteProfileString(section::Page1, "SMSService1", "+4911");
    open();
    service()->setCurrentIndex(-1);
    typeInto(service(), QStringLiteral("+4999"));
    sheet->findChild<QPushButton*>(QStringLiteral("button12321"))->click();
    sheet->apply();
    EXPECT_EQ(text(section::Page1, "SMSService1"), "+4999");
    EXPECT_EQ(text(section::Page1, "SMSService2"), "+4911");
    EXPECT_EQ(text(section::Page1, "SMSService3"), "");
}

TEST_F(SettingsSheetTest, PhonebookAndConnectionPagesWriteTheirValues)
{
    open();
    for (const char* box : {"check1001", "check1002", "check1003", "check1006", "check1007", "check1008"})
        control<QCheckBox>(1, box)->setChecked(false);
    control<QCheckBox>(1, "check1005")->setChecked(true);
    control<QCheckBox>(1, "check1009")->setChecked(true);
    control<QComboBox>(2, "combo1002")->setCurrentIndex(2);
    sheet->accept();
    EXPECT_EQ(number(section::Page2, value::Phonebooks), 8);
    EXPECT_EQ(number(section::Page2, value::Autoload), 1);
    EXPECT_EQ(number(section::Page2, value::ShowCorrection), 1);
    EXPECT_EQ(text(section::Settings, value::ComPort), "COM3");
}

TEST_F(SettingsSheetTest, CancelWritesNothing)
{
    open();
    maxParts()->setText(QStringLiteral("5"));
    control<QComboBox>(2, "combo1002")->setCurrentIndex(3);
    sheet->reject();
    EXPECT_EQ(number(section::Page1, value::PageMaxParts), -999);
    EXPECT_EQ(text(section::Settings, value::ComPort), "<none>");
}

} // namespace

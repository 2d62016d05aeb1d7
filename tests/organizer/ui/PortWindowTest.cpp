// The port window on the offscreen platform: what the load shows, the number boxes under the
// keyboard, the infrared box, OK and Cancel through the buttons, and the one program-wide
// window that start-up loads hidden and the command shows modal.
#include "organizer/ui/ComEigenschaften.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/PublicVar.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFixture.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/FakeLinkClock.h"
#include "organizer/link/QtPrinters.h"
#include "organizer/link/ScriptedPort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace tessaro {
namespace {

namespace reg = torvane::registry;

const std::string kSettings = "Software\\Torvane\\Tessaro\\Settings";

class PortWindowTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        auto owned = std::make_unique<test::ScriptedPort>(clock);
        port = owned.get();
        ComDrvLoad(std::move(owned), clock);
        previousProbe = setPortProbe([this](int n) {
            ++probes;
            return present.contains(n);
        });
        ComPort = 5;
        ComTimeout = 3000;
        Infrared = 0;
        InfraredDelay = 900;
        IrdaEffectiveDelay = 1;
        InfraredPort = -1;
        LanguageBase = 10000;
        comm().setCommPort(5);
        comm().setSettings(QStringLiteral("19200,n,8,1"));
        comm().setHandshaking(2);
    }
    void TearDown() override
    {
        // A window a test left loaded goes with the test.
        if (ComEigenschaftenLoaded())
            delete &ComEigenschaftenForm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setPortProbe(std::move(previousProbe));
        ComDrvUnload();
        LanguageBase = 10000;
    }

    CommControl& comm() { return ComDrvForm().MSComm1; }

    static void showActive(QWidget& w)
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    static void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    test::FakeLinkClock clock;
    test::ScriptedPort* port = nullptr;
    test::BoxRecorder boxes;
    std::set<int> present = {2, 5, 7};
    int probes = 0;
    PortProbe previousProbe;
};

TEST_F(PortWindowTest, LoadShowsTheFoundPortsAndTheCurrentSettings)
{
    ComEigenschaften w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Torvane Appointments-COM-Port Settings"));
    for (const char* name : {"tabSettings", "fraSettings", "cboPort", "cboSpeed", "cboDataBits", "cboParity",
                             "cboStopBits", "optFlow0", "optFlow1", "optFlow2", "optFlow3", "GlobalTimeOut",
                             "IrDaCheck", "IrDADelay", "cmdOK", "cmdCancel"})
        EXPECT_NE(w.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(w.tabSettings->count(), 1);
    EXPECT_EQ(w.tabSettings->tabText(0), QStringLiteral("Com Port"));
    EXPECT_TRUE(w.tabSettings->widget(0)->isAncestorOf(w.fraSettings));
    EXPECT_EQ(w.fraSettings->title(), QStringLiteral("Settings"));
    EXPECT_EQ(w.fraFlow->title(), QStringLiteral("&Protocoll"));

    auto entries = [](const QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    EXPECT_EQ(entries(w.cboPort), QStringList({"COM2", "COM5", "COM7"}));
    EXPECT_EQ(w.cboPort->currentText(), QStringLiteral("COM5"));
    EXPECT_EQ(entries(w.cboSpeed), QStringList({"2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000",
                                                "57600", "115200"}));
    EXPECT_EQ(entries(w.cboDataBits), QStringList({"4", "5", "6", "7", "8"}));
    EXPECT_EQ(entries(w.cboParity), QStringList({"Even", "Odd", "None", "Mark", "Space"}));
    EXPECT_EQ(entries(w.cboStopBits), QStringList({"1", "1.5", "2"}));
    EXPECT_EQ(w.cboSpeed->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(w.cboParity->currentText(), QStringLiteral("None"));
    EXPECT_EQ(w.cboDataBits->currentText(), QStringLiteral("8"));
    EXPECT_EQ(w.cboStopBits->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(w.optFlow[2]->isChecked());
    EXPECT_EQ(w.chosenHandshaking(), 2);
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("3000"));
    EXPECT_FALSE(w.IrDaCheck->isChecked());
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));
    EXPECT_FALSE(w.IrDADelay->isEnabled());
    EXPECT_TRUE(boxes.boxes.empty());

    LanguageBase = 20000;
    comm().setSettings(QStringLiteral("115200,e,7,2"));
    Infrared = 1;
    IrdaEffectiveDelay = 900;
    ComEigenschaften german;
    EXPECT_EQ(german.windowTitle(), QStringLiteral("Torvane Termine-COM-Port Einstellungen"));
    EXPECT_EQ(german.cboSpeed->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(german.cboParity->currentText(), QStringLiteral("Even"));
    EXPECT_EQ(german.cboDataBits->currentText(), QStringLiteral("7"));
    EXPECT_EQ(german.cboStopBits->currentText(), QStringLiteral("2"));
    EXPECT_TRUE(german.IrDaCheck->isChecked());
    EXPECT_EQ(german.IrDADelay->text(), QStringLiteral("900"));
    EXPECT_TRUE(german.IrDADelay->isEnabled());
}

TEST_F(PortWindowTest, NumberBoxesKeepANumberAndEscBringsBackTheTextAtFocus)
{
    ComEigenschaften w;
    showActive(w);
    typeInto(w.GlobalTimeOut, QStringLiteral("12ab"));
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("12"));
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Backspace);
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Backspace);
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("0"));
    QTest::keyClicks(w.GlobalTimeOut, QStringLiteral("450"));
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("450"));

    // Enter presses nothing, Esc brings back what the box held when it got the focus and
    // leaves the window open.
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComTimeout"));
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Escape);
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("3000"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);

    // Leaving the box shows the shortest time-out the link takes in place of a shorter one.
    typeInto(w.GlobalTimeOut, QStringLiteral("7"));
    w.cboSpeed->setFocus();
    EXPECT_EQ(w.GlobalTimeOut->text(), QString::number(MinLinkWaitMs));

    // A number too large to be formed: the delay box falls back to 1, the time-out to 7500.
    w.IrDaCheck->click();
    typeInto(w.IrDADelay, QStringLiteral("9999999999"));
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));
    typeInto(w.GlobalTimeOut, QStringLiteral("9999999999"));
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("7500"));
}

TEST_F(PortWindowTest, InfraredBoxFillsTheDelayAndUntickingStoresNoInfraredPort)
{
    ASSERT_EQ(reg::writeDword(HKEY_CURRENT_USER, kSettings, "InfraredDelay", 900), ERROR_SUCCESS);
    Infrared = 1;
    IrdaEffectiveDelay = 900;
    InfraredPort = 5;
    ComEigenschaften w;
    showActive(w);
    EXPECT_TRUE(w.IrDADelay->isEnabled());

    w.IrDaCheck->click();
    EXPECT_FALSE(w.IrDADelay->isEnabled());
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));
    w.IrDaCheck->click();
    EXPECT_TRUE(w.IrDADelay->isEnabled());
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("900"));
    typeInto(w.IrDADelay, QStringLiteral("300"));
    w.IrDaCheck->click();
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));

    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(Infrared, 0);
    EXPECT_EQ(InfraredPort, -1);
    EXPECT_EQ(IrdaEffectiveDelay, 1);
    EXPECT_EQ(InfraredDelay, 900);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "InfraredPort"), DWORD(-1));
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "InfraredDelay"), 900u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Infrared"), 0u);
}

TEST_F(PortWindowTest, CancelChangesNothingAndTheNextUseLoadsAnew)
{
    comm().setPortOpen(true);
    ComEigenschaften& w = ComEigenschaftenForm();
    EXPECT_EQ(probes, 16);
    showActive(w);
    w.cboPort->setCurrentIndex(2);
    w.cboSpeed->setEditText(QStringLiteral("2400"));
    w.cboParity->setCurrentIndex(0);
    w.optFlow[1]->click();
    typeInto(w.GlobalTimeOut, QStringLiteral("0"));
    w.IrDaCheck->click();
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);

    EXPECT_FALSE(ComEigenschaftenLoaded());
    EXPECT_EQ(comm().CommPort(), 5);
    EXPECT_EQ(comm().Settings(), QStringLiteral("19200,n,8,1"));
    EXPECT_EQ(comm().Handshaking(), 2);
    EXPECT_TRUE(comm().PortOpen());
    EXPECT_TRUE(port->isOpen);
    EXPECT_EQ(ComPort, 5);
    EXPECT_EQ(ComTimeout, 3000);
    EXPECT_EQ(Infrared, 0);
    EXPECT_FALSE(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"));
    EXPECT_TRUE(boxes.boxes.empty());

    ComEigenschaften& again = ComEigenschaftenForm();
    EXPECT_EQ(probes, 32);
    EXPECT_EQ(again.cboPort->currentText(), QStringLiteral("COM5"));
    EXPECT_EQ(again.GlobalTimeOut->text(), QStringLiteral("3000"));
}

TEST_F(PortWindowTest, OkThroughTheControlsAppliesSavesAndUnloads)
{
    comm().setPortOpen(true);
    ComEigenschaften& w = ComEigenschaftenForm();
    showActive(w);
    w.cboPort->setCurrentIndex(w.cboPort->findText(QStringLiteral("COM7")));
    w.cboSpeed->setCurrentIndex(w.cboSpeed->findText(QStringLiteral("115200")));
    w.cboParity->setCurrentIndex(w.cboParity->findText(QStringLiteral("Even")));
    w.cboDataBits->setCurrentIndex(w.cboDataBits->findText(QStringLiteral("7")));
    w.cboStopBits->setCurrentIndex(w.cboStopBits->findText(QStringLiteral("2")));
    QTest::mouseClick(w.optFlow[3], Qt::LeftButton);
    typeInto(w.GlobalTimeOut, QStringLiteral("0"));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);

    EXPECT_FALSE(ComEigenschaftenLoaded());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(comm().CommPort(), 7);
    EXPECT_FALSE(comm().PortOpen());
    EXPECT_EQ(comm().Settings(), QStringLiteral("115200,e,7,2"));
    EXPECT_EQ(comm().Handshaking(), 3);
    EXPECT_EQ(ComPort, 7);
    EXPECT_EQ(ComTimeout, MinLinkWaitMs);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"), 7u);
    EXPECT_EQ(reg::readString(HKEY_CURRENT_USER, kSettings, "ComSettings"), "115200,e,7,2");
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Handshaking"), 3u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComTimeout"), DWORD(MinLinkWaitMs));
}

TEST_F(PortWindowTest, RefusedOkKeepsTheWindowOpenShowingTheValueTaken)
{
    present.clear();
    ComEigenschaften& w = ComEigenschaftenForm();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:LoadPropertySettings"));
    EXPECT_EQ(w.cboPort->count(), 0);
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("7500"));
    showActive(w);
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Invalid port number"));
    EXPECT_TRUE(ComEigenschaftenLoaded());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"));

    // A port appears; a time-out beyond its setting is refused with the window kept open.
    present = {5};
    w.LoadPropertySettings();
    typeInto(w.GlobalTimeOut, QStringLiteral("40000"));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[2].caption, QStringLiteral("An Error Occurred In: Tessaro:cmdOK_Click"));
    EXPECT_TRUE(w.isVisible());

    // A save that fails keeps the window open too, its boxes showing the values taken.
    putFile("not a registry file");
    boxes.boxes.clear();
    typeInto(w.GlobalTimeOut, QStringLiteral("0"));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().caption, QStringLiteral("An Error Occurred In: Tessaro:RegValSet"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.GlobalTimeOut->text(), QString::number(MinLinkWaitMs));
}

TEST_F(PortWindowTest, StartUpLoadsItHiddenAndTheCommandShowsItModal)
{
    // Start-up: the infrared box set from the setting loads the window and probes the ports.
    ComEigenschaftenForm().IrDaCheck->setChecked(Infrared == 1);
    EXPECT_TRUE(ComEigenschaftenLoaded());
    EXPECT_FALSE(ComEigenschaftenForm().isVisible());
    EXPECT_EQ(probes, 16);

    // The first showing displays what start-up loaded; OK in the modal window saves.
    ComTimeout = 4000;
    QString shownTimeout;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        ComEigenschaften& w = ComEigenschaftenForm();
        wasModal = w.isModal() && w.isVisible();
        shownTimeout = w.GlobalTimeOut->text();
        w.cmdOK->click();
    });
    QWidget owner;
    ShowComEigenschaften(&owner);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownTimeout, QStringLiteral("3000"));
    EXPECT_EQ(probes, 16);
    EXPECT_FALSE(ComEigenschaftenLoaded());
    EXPECT_EQ(ComTimeout, 3000);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComTimeout"), 3000u);
}

} // namespace
} // namespace tessaro

// The port window on the offscreen platform, driven through its controls: what the load shows,
// the number boxes under the keyboard, Return in the lists that take typing, the infrared box,
// OK and Cancel, a machine without ports, and the one program-wide window that start-up loads
// hidden and the command shows modal.
#include "organizer/ui/ComEigenschaften.h"

#include "organizer/link/Settings.h"

#include "organizer/link/PortFixture.h"

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

namespace tessaro {
namespace {

class PortWindowTest : public test::PortFixture {
protected:
    void TearDown() override
    {
        if (ComEigenschaftenLoaded())
            delete &ComEigenschaftenForm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PortFixture::TearDown();
    }

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
    static void choose(QComboBox* box, const char* entry) { box->setCurrentIndex(box->findText(QLatin1String(entry))); }
    static QStringList entries(const QComboBox* box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
};

TEST_F(PortWindowTest, LoadShowsTheFoundPortsAndTheCurrentSettings)
{
    store("InfraredDelay", 900);
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, kSettings, "ComSettings", "115200,M,7,2"), ERROR_SUCCESS);
    RegSettingsLoad(); // a capital parity letter stored earlier comes back from the control in lower case
    ComPort = 5;
    ComTimeout = 3000;
    comm().setHandshaking(2);
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        ComEigenschaften w;
        EXPECT_EQ(w.windowTitle(), base == 10000 ? QStringLiteral("Torvane Appointments-COM-Port Settings")
                                                 : QStringLiteral("Torvane Termine-COM-Port Einstellungen"));
        EXPECT_EQ(w.tabSettings->tabText(0), QStringLiteral("Com Port"));
        EXPECT_TRUE(w.tabSettings->widget(0)->isAncestorOf(w.fraSettings));
        EXPECT_EQ(entries(w.cboPort), QStringList({"COM2", "COM5", "COM7"}));
        EXPECT_EQ(w.cboPort->currentText(), QStringLiteral("COM5"));
        EXPECT_EQ(entries(w.cboParity), QStringList({"Even", "Odd", "None", "Mark", "Space"}));
        EXPECT_EQ(w.cboSpeed->currentText(), QStringLiteral("115200"));
        EXPECT_EQ(w.cboParity->currentText(), QStringLiteral("Mark"));
        EXPECT_EQ(w.cboDataBits->currentText(), QStringLiteral("7"));
        EXPECT_EQ(w.cboStopBits->currentText(), QStringLiteral("2"));
        EXPECT_TRUE(w.findChild<QRadioButton*>(QStringLiteral("optFlow2"))->isChecked());
        EXPECT_EQ(w.chosenHandshaking(), 2);
        EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("3000"));
        EXPECT_FALSE(w.IrDaCheck->isChecked());
        EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));
        EXPECT_FALSE(w.IrDADelay->isEnabled());
    }
    // OK without a change writes the same settings back.
    ComEigenschaften w;
    w.cmdOK_Click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(storedText("ComSettings"), "115200,m,7,2");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PortWindowTest, NumberBoxesKeepANumberEscBringsBackTheTextAtFocusAndEnterDoesNothing)
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
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Return);
    QTest::keyClick(w.GlobalTimeOut, Qt::Key_Escape);
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("3000"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(stored("ComTimeout"));

    // Leaving the box shows the shortest time-out the link takes in place of a shorter one.
    typeInto(w.GlobalTimeOut, QStringLiteral("7"));
    w.cboSpeed->setFocus();
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("100"));
    // A number too large to be formed: the delay falls back to 1.
    w.IrDaCheck->click();
    typeInto(w.IrDADelay, QStringLiteral("9999999999"));
    EXPECT_EQ(w.IrDADelay->text(), QStringLiteral("1"));
}

TEST_F(PortWindowTest, ReturnInAListThatTakesTypingAddsNoItem)
{
    ComEigenschaften w;
    showActive(w);
    for (QComboBox* box : {w.cboSpeed, w.cboDataBits, w.cboStopBits}) {
        const QStringList before = entries(box);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("abc"));
        QTest::keyClick(box, Qt::Key_Return); // OK, which the port refuses: the window stays
        EXPECT_EQ(entries(box), before) << box->objectName().toStdString();
        EXPECT_EQ(box->currentText(), QStringLiteral("abc"));
    }
    EXPECT_TRUE(w.isVisible());
}

TEST_F(PortWindowTest, InfraredBoxFillsTheDelayAndUntickingStoresNoInfraredPort)
{
    store("InfraredDelay", 900);
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

    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(InfraredPort, -1);
    EXPECT_EQ(IrdaEffectiveDelay, 1);
    EXPECT_EQ(InfraredDelay, 900);
    EXPECT_EQ(stored("Infrared"), 0);
    EXPECT_EQ(stored("InfraredPort"), -1);
    EXPECT_EQ(stored("InfraredDelay"), 900);
}

TEST_F(PortWindowTest, CancelChangesNothingAndOkAppliesSavesAndUnloads)
{
    comm().setPortOpen(true);
    for (QPushButton* ComEigenschaften::*button : {&ComEigenschaften::cmdCancel, &ComEigenschaften::cmdOK}) {
        ComEigenschaften& w = ComEigenschaftenForm();
        showActive(w);
        choose(w.cboPort, "COM7");
        choose(w.cboSpeed, "115200");
        choose(w.cboParity, "Even");
        choose(w.cboDataBits, "7");
        choose(w.cboStopBits, "2");
        QTest::mouseClick(w.findChild<QRadioButton*>(QStringLiteral("optFlow3")), Qt::LeftButton);
        typeInto(w.GlobalTimeOut, QStringLiteral("0"));
        w.IrDaCheck->click();
        QTest::mouseClick(w.*button, Qt::LeftButton);
        EXPECT_FALSE(ComEigenschaftenLoaded());
        EXPECT_TRUE(boxes.boxes.empty());
        if (button == &ComEigenschaften::cmdCancel) {
            EXPECT_EQ(comm().CommPort(), 5);
            EXPECT_EQ(comm().Settings(), QStringLiteral("19200,n,8,1"));
            EXPECT_EQ(comm().Handshaking(), 2);
            EXPECT_TRUE(comm().PortOpen());
            EXPECT_EQ(ComTimeout, 3000);
            EXPECT_EQ(Infrared, 0);
            EXPECT_FALSE(stored("ComPort"));
            EXPECT_EQ(probes, 16);
        }
    }
    // The next use loaded the window anew, and OK applied everything: the open link moved to
    // the new port closed, which it opens at its next use.
    EXPECT_EQ(probes, 32);
    EXPECT_EQ(comm().CommPort(), 7);
    EXPECT_FALSE(comm().PortOpen());
    EXPECT_EQ(comm().Settings(), QStringLiteral("115200,e,7,2"));
    EXPECT_EQ(comm().Handshaking(), 3);
    EXPECT_EQ(ComPort, 7);
    EXPECT_EQ(ComTimeout, MinLinkWaitMs);
    EXPECT_EQ(InfraredPort, 7);
    EXPECT_EQ(stored("ComPort"), 7);
    EXPECT_EQ(storedText("ComSettings"), "115200,e,7,2");
    EXPECT_EQ(stored("Handshaking"), 3);
    EXPECT_EQ(stored("ComTimeout"), MinLinkWaitMs);
    EXPECT_EQ(stored("InfraredDelay"), 900);
}

TEST_F(PortWindowTest, WithoutPortsTheLoadShowsItsErrorBoxAndOkKeepsTheWindowOpen)
{
    present.clear();
    ComEigenschaften& w = ComEigenschaftenForm();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:LoadPropertySettings"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Number: 380\r\nDescription: Invalid property value\r\n"
                                                  "Location: Tessaro:LoadPropertySettings"));
    EXPECT_EQ(w.cboPort->count(), 0);
    EXPECT_EQ(w.cboSpeed->currentText(), QStringLiteral("19200")) << "what precedes the ports is shown";
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("7500")) << "what follows keeps its design";
    showActive(w);
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Invalid port number"));
    EXPECT_TRUE(w.isVisible());

    // A port appears; a save that fails keeps the window open too, showing the value taken.
    present = {5};
    w.LoadPropertySettings();
    putFile("not a registry file\n");
    typeInto(w.GlobalTimeOut, QStringLiteral("0"));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(boxes.boxes.back().caption, QStringLiteral("An Error Occurred In: Tessaro:RegValSet"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.GlobalTimeOut->text(), QStringLiteral("100"));
}

TEST_F(PortWindowTest, StartUpLoadsItHiddenAndTheCommandShowsItModal)
{
    ComEigenschaftenForm().IrDaCheck->setChecked(Infrared == 1);
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
    EXPECT_EQ(stored("ComTimeout"), 3000);
}

} // namespace
} // namespace tessaro

// The about and splash windows on the offscreen platform: their texts in both languages, the
// version lines, labels across the window, centring, the buttons and the splash's keys.
#include "organizer/ui/frmAbout.h"
#include "organizer/ui/frmSplash.h"

#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/QtPrinters.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace tessaro {
namespace {

void expectAcrossTheWindow(const QWidget& window, const QLabel* label, int points)
{
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x(), 0) << label->objectName().toStdString();
    EXPECT_EQ(label->width(), window.width()) << label->objectName().toStdString();
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << label->objectName().toStdString();
    EXPECT_EQ(label->font().pointSize(), points) << label->objectName().toStdString();
}

void expectCentredOnScreen(const QWidget& window)
{
    const QRect screen = window.screen()->geometry();
    EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window.geometry().center().y() - screen.center().y()), 1);
}

struct AboutCase {
    std::int16_t language;
    QString caption;
    QString title;
};

class AboutInLanguage : public ::testing::TestWithParam<AboutCase> {
protected:
    void TearDown() override { LanguageBase = LanguageEnglish; }
};

TEST_P(AboutInLanguage, NamesTheProgramAndItsVersionAcrossTheWindow)
{
    LanguageBase = GetParam().language;
    frmAbout about(nullptr, ProgramVersion {3, 1, 7});
    EXPECT_EQ(about.windowTitle(), GetParam().caption);
    EXPECT_EQ(about.lblTitle->text(), GetParam().title);
    EXPECT_EQ(about.lblDescription->text(), LangText(173));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral(" Version 3.1.7"));
    EXPECT_FALSE(about.lblDisclaimer->text().isEmpty());
    EXPECT_EQ(about.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&System-Info..."));
    expectAcrossTheWindow(about, about.lblTitle, 18);
    expectAcrossTheWindow(about, about.lblDescription, 10);
    expectAcrossTheWindow(about, about.lblVersion, 10);
    expectAcrossTheWindow(about, about.lblDisclaimer, 8);
    EXPECT_LE(std::abs(about.Image1->geometry().center().x() - about.width() / 2), 1);
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    expectCentredOnScreen(about);
}

INSTANTIATE_TEST_SUITE_P(Languages, AboutInLanguage,
                         ::testing::Values(AboutCase {LanguageEnglish, QStringLiteral("Torvane Appointments-Info"),
                                                      QStringLiteral("Torvane Appointments")},
                                           AboutCase {LanguageGerman, QStringLiteral("Torvane Termine-Info"),
                                                      QStringLiteral("Torvane Termine")}));

TEST(About, SystemInfoWithoutAProgramSaysSoAndOkCloses)
{
    test::BoxRecorder boxes;
    frmAbout about;
    about.show();
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("System-Informationen currently not available."));
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(Splash, ShowsTheVersionWithoutBlankAndTheNoticeEndingAt95PercentAndAnyKeyClosesIt)
{
    frmSplash* splash = ShowSplash(ProgramVersion {3, 0, 2});
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(ShowSplash(ProgramVersion {3, 0, 2}), splash) << "one splash at a time";
    EXPECT_EQ(LoadedSplash(), splash);
    EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("Version 3.0.2"));
    EXPECT_EQ(splash->lblProductName->text(), LangText(172));
    EXPECT_TRUE(splash->lblProductName->font().bold());
    expectAcrossTheWindow(*splash, splash->lblProductName, 18);
    expectAcrossTheWindow(*splash, splash->lblProduct, 10);
    expectAcrossTheWindow(*splash, splash->lblVersion, 8);
    expectAcrossTheWindow(*splash, splash->lblWarning, 7);
    EXPECT_LE(std::abs(splash->lblWarning->geometry().bottom() + 1 - 0.95 * splash->height()), 1.0);
    EXPECT_LE(std::abs(splash->ImageAppointment->geometry().center().x() - splash->width() / 2), 1);
    expectCentredOnScreen(*splash);

    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_EQ(LoadedSplash(), splash) << "a click does not close it";
    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_EQ(LoadedSplash(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Splash, UnloadClosesTheShownSplash)
{
    ShowSplash();
    ASSERT_NE(LoadedSplash(), nullptr);
    UnloadSplash();
    EXPECT_EQ(LoadedSplash(), nullptr);
    // Shown again before the closed one is gone: a new one.
    frmSplash* again = ShowSplash();
    EXPECT_TRUE(again->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LoadedSplash(), again);
    UnloadSplash();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    UnloadSplash(); // nothing shown: nothing to do
}

} // namespace
} // namespace tessaro

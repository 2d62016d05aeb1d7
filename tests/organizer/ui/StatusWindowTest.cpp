// The status window on the offscreen platform: its cancel gestures, the question and its
// answers, silent mode, its buttons and where it stands.
#include "organizer/ui/Status_Anzeige.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/PublicVar.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/QtPrinters.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class StatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LanguageBase = 10000;
        owner.setGeometry(100, 80, 600, 400);
        owner.show();
    }
    void TearDown() override
    {
        LanguageBase = 10000;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void start() { status.Start(QStringLiteral("Torvane Appointments"), &owner, false); }

    // The question was asked once more since the last look.
    bool asked()
    {
        const bool was = boxes.boxes.size() > m_seen;
        m_seen = boxes.boxes.size();
        return was;
    }

    QWidget owner;
    Status_Anzeige status;
    test::BoxRecorder boxes;

private:
    std::size_t m_seen = 0;
};

TEST_F(StatusWindowTest, StartShowsTheWindowOverItsOwner)
{
    status.Start(QStringLiteral("first"), &owner, false);
    status.SetText(QStringLiteral("old text"));
    status.Start(QStringLiteral("Torvane Appointments"), &owner, false);
    QWidget* w = status.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &owner);
    EXPECT_EQ(w->objectName(), QStringLiteral("Status_Anzeige"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Torvane Appointments"));
    EXPECT_TRUE(status.Text()->text().isEmpty());
    // It stays above every other window.
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Centred over the owner (to the pixel, as the twips are rounded).
    const QPoint centre = w->geometry().center();
    const QPoint ownerCentre = owner.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - ownerCentre.x()), 1);
    EXPECT_LE(std::abs(centre.y() - ownerCentre.y()), 1);
    for (const char* name : {"Text", "Abbrechen", "OK", "ProgressBar"})
        EXPECT_NE(w->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_TRUE(status.Abbrechen()->isVisible());
    EXPECT_FALSE(status.OK()->isVisible());

    // The centring follows the owner only at Start.
    const QPoint placed = w->pos();
    owner.move(300, 200);
    status.SetText(QStringLiteral("step"));
    EXPECT_EQ(w->pos(), placed);
    EXPECT_EQ(status.Text()->text(), QStringLiteral("step"));

    // A report left open for its OK gives way to the next operation.
    status.Abbrechen()->hide();
    status.OK()->show();
    start();
    EXPECT_TRUE(status.Abbrechen()->isVisible());
    EXPECT_FALSE(status.OK()->isVisible());
}

TEST_F(StatusWindowTest, CancelButtonCaptionFollowsTheLanguage)
{
    const std::pair<std::int16_t, const char*> cases[] = {{10000, "cancel"}, {20000, "abbrechen"}};
    for (const auto& [base, caption] : cases) {
        LanguageBase = base;
        start();
        EXPECT_EQ(status.Abbrechen()->text(), QLatin1String(caption)) << base;
        status.Quit();
    }
}

TEST_F(StatusWindowTest, LeftPressOnAbbrechenCancelsAndNoGoesOn)
{
    start();
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());

    QTest::mousePress(status.Abbrechen(), Qt::LeftButton);
    QTest::mouseRelease(status.Abbrechen(), Qt::LeftButton);
    EXPECT_FALSE(status.ContinueFlag());
    boxes.answers = {vbNo};
    EXPECT_TRUE(status.GetState());
    ASSERT_TRUE(asked());
    EXPECT_EQ(boxes.boxes.back().text, QStringLiteral("Do you really want to cancel?"));
    EXPECT_EQ(boxes.boxes.back().style, vbYesNo | vbQuestion);
    EXPECT_EQ(boxes.boxes.back().caption, AppTitle);
    // Declined: the next poll asks nothing until the next gesture.
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());
}

TEST_F(StatusWindowTest, OtherPressesOfAbbrechenDoNotCancel)
{
    start();
    int clicks = 0;
    QObject::connect(status.Abbrechen(), &QPushButton::clicked, [&clicks] { ++clicks; });
    status.Abbrechen()->setFocus();
    QTest::keyClick(status.Abbrechen(), Qt::Key_Space);
    QTest::mouseClick(status.Abbrechen(), Qt::RightButton);
    EXPECT_EQ(clicks, 1); // the key did press the button
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());

    // A disabled button cannot be pressed.
    status.Abbrechen()->setEnabled(false);
    QTest::mousePress(status.Abbrechen(), Qt::LeftButton);
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());
}

TEST_F(StatusWindowTest, EscAnywhereCancelsAndYesEndsEveryLaterPoll)
{
    start();
    QWidget* targets[] = {status.window(), status.Text(), status.Abbrechen(), status.ProgressBar()};
    for (QWidget* target : targets) {
        status.Start(QStringLiteral("again"), &owner, false);
        QTest::keyClick(target, Qt::Key_Escape);
        boxes.answers = {vbYes, vbYes};
        EXPECT_FALSE(status.GetState()) << target->objectName().toStdString();
        EXPECT_TRUE(asked());
        // A caller that asks again is asked again.
        EXPECT_FALSE(status.GetState());
        EXPECT_TRUE(asked());
    }
}

TEST_F(StatusWindowTest, OtherKeysDoNotCancel)
{
    start();
    QTest::keyClick(status.window(), Qt::Key_Return);
    QTest::keyClick(status.Text(), Qt::Key_A);
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());
}

TEST_F(StatusWindowTest, QuestionIsAskedInTheLanguageOfTheMoment)
{
    start();
    LanguageBase = 20000;
    QTest::keyClick(status.window(), Qt::Key_Escape);
    boxes.answers = {vbNo};
    EXPECT_TRUE(status.GetState());
    ASSERT_TRUE(asked());
    EXPECT_EQ(boxes.boxes.back().text, QStringLiteral("Wollen Sie wirklich abbrechen?"));
}

TEST_F(StatusWindowTest, SilentStartShowsNothingAndAlwaysGoesOn)
{
    status.Start(QStringLiteral("quiet"), &owner, true);
    for (int i = 0; i < 5; ++i) {
        status.SetText(QStringLiteral("step %1").arg(i));
        EXPECT_TRUE(status.GetState());
    }
    EXPECT_FALSE(status.isLoaded());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StatusWindowTest, OkStandsInAbbrechensPlaceAndQuits)
{
    start();
    QPushButton* ok = status.OK();
    QPushButton* cancel = status.Abbrechen();
    EXPECT_EQ(ok->width(), cancel->width());
    EXPECT_EQ(ok->y(), cancel->y());
    EXPECT_LE(std::abs(ok->geometry().center().x() - status.window()->width() / 2), 1);

    // The phone test shows its result this way.
    cancel->hide();
    ok->show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(status.isLoaded());
    EXPECT_TRUE(status.SilenceMode());
    EXPECT_TRUE(status.GetState());
    EXPECT_FALSE(asked());
}

TEST_F(StatusWindowTest, ButtonChangesLastUntilTheWindowGoes)
{
    // A caller hides Abbrechen before Start: touching the button loads the window.
    status.Abbrechen()->hide();
    EXPECT_TRUE(status.isLoaded());
    start();
    EXPECT_FALSE(status.Abbrechen()->isVisible());
    status.Quit();
    EXPECT_FALSE(status.isLoaded());

    start();
    EXPECT_TRUE(status.Abbrechen()->isVisible());
    EXPECT_FALSE(status.OK()->isVisible());
}

TEST_F(StatusWindowTest, InstalledWindowServesTheLongOperations)
{
    {
        Status_Anzeige installed;
        installed.setOwnerWindow(&owner);
        setStatusDisplay(&installed);
        StatusWindow().Start(QStringLiteral("Torvane Appointments"), false);
        ASSERT_TRUE(installed.isLoaded());
        EXPECT_EQ(installed.window()->parentWidget(), &owner);
        StatusWindow().SetText(QStringLiteral("Search for entry 1 / 30"));
        EXPECT_EQ(installed.Text()->text(), QStringLiteral("Search for entry 1 / 30"));
        StatusWindow().Quit();
        EXPECT_FALSE(installed.isLoaded());
    }
    // Gone, it is no longer the installed one.
    EXPECT_TRUE(StatusWindow().GetState());
    EXPECT_TRUE(boxes.boxes.empty());
}

} // namespace
} // namespace tessaro

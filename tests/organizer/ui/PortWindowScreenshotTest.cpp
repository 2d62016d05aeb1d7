// The port window on a real X display (a virtual one under xvfb-run). The screenshot is saved
// beside the test binary; tests/organizer/ui/reference/port_window.png is the one a person
// looked at. The checks are what the eye would catch: every control inside the window and
// shown, none on top of another, no text cut off.
#include "organizer/ui/ComEigenschaften.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/PublicVar.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/FakeLinkClock.h"
#include "organizer/link/ScriptedPort.h"
#include "support/ScreenCapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using torvane::test::differingShare;
using torvane::test::screenOf;

QRect geometryIn(const QWidget& window, const QWidget* w)
{
    return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
}

TEST(PortWindowScreenshot, EveryControlShownWhole)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    test::FakeLinkClock clock;
    ComDrvLoad(std::make_unique<test::ScriptedPort>(clock), clock);
    test::BoxRecorder boxes;
    const PortProbe previous = setPortProbe([](int n) { return n <= 3; });
    ComPort = 1;
    ComTimeout = 7500;
    Infrared = 1;
    InfraredDelay = IrdaEffectiveDelay = 700;
    ComDrvForm().MSComm1.setSettings(QStringLiteral("19200,n,8,1"));

    {
        ComEigenschaften w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QImage shot = screenOf(w);
        const QString saved = QStringLiteral(SCREENSHOT_DIR "/port_window.png");
        ASSERT_TRUE(shot.save(saved)) << saved.toStdString();
        EXPECT_LT(differingShare(shot, w.grab().toImage().convertToFormat(QImage::Format_RGB32)), 0.001)
            << "the screen shows what the window painted";
        EXPECT_TRUE(boxes.boxes.empty());

        // Within each parent, the controls lie inside it and apart from each other.
        QList<QWidget*> named;
        for (QWidget* c : w.findChildren<QWidget*>())
            if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) && !c->isWindow() &&
                !qobject_cast<QTabBar*>(c->parentWidget())) // the tab bar's own scroll buttons
                named << c;
        ASSERT_GE(named.size(), 25);
        for (QWidget* a : named) {
            EXPECT_TRUE(a->isVisible()) << qPrintable(a->objectName());
            EXPECT_TRUE(w.rect().contains(geometryIn(w, a))) << qPrintable(a->objectName());
            for (QWidget* b : named) {
                if (b != a && b->parentWidget() == a->parentWidget()) {
                    EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                        << qPrintable(a->objectName() + " " + b->objectName());
                }
            }
        }
        // Texts fit: no label, button or list is narrower than its text needs.
        for (QLabel* l : w.findChildren<QLabel*>())
            EXPECT_GE(l->width(), l->sizeHint().width()) << qPrintable(l->objectName());
        for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
            EXPECT_GE(b->width(), b->sizeHint().width()) << qPrintable(b->objectName());
        for (QComboBox* c : w.findChildren<QComboBox*>())
            EXPECT_GE(c->width(), c->minimumSizeHint().width()) << qPrintable(c->objectName());

        const QImage reference(QStringLiteral(REFERENCE_DIR "/port_window.png"));
        ASSERT_FALSE(reference.isNull());
        EXPECT_EQ(reference.size(), shot.size());
        EXPECT_LT(differingShare(reference.convertToFormat(QImage::Format_RGB32), shot), 0.02)
            << "the reference shows the same window";
    }
    setPortProbe(previous);
    ComDrvUnload();
}

} // namespace
} // namespace tessaro

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The forwarding and barring dialogs on a real X display (a virtual one under xvfb-run). The
// screenshots are saved beside the test binary; tests/mainprog/ui/reference/ holds the ones a
// person looked at. The checks here are what the eye would catch: every control shown inside
// the dialog, nothing on top of another, the rows and their buttons on one line.
#include "tests/mainprog/core/CallServiceFakes.h"

#include "mainprog/ui/CFwdDlg.h"
#include "mainprog/ui/CLockDlg.h"
#include "mainprog/ui/CPasswordDlg.h"
#include "platform/registry/AppProfile.h"
#include "support/ScreenCapture.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvant;

namespace {

QImage grab(QWidget& dialog)
{
    return torvane::test::screenOf(dialog);
}

QRect geometryIn(QWidget& dialog, const QString& name)
{
    auto* w = dialog.findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << qPrintable(name);
    return w ? QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()) : QRect();
}

// Every named control lies inside the dialog, is shown, and overlaps none of the others.
void expectTidy(QWidget& dialog, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        const QRect a = geometryIn(dialog, names[i]);
        EXPECT_TRUE(dialog.rect().contains(a)) << qPrintable(names[i]);
        EXPECT_TRUE(dialog.findChild<QWidget*>(names[i])->isVisible()) << qPrintable(names[i]);
        for (int j = i + 1; j < names.size(); ++j)
            EXPECT_FALSE(a.intersects(geometryIn(dialog, names[j]))) << qPrintable(names[i] + " " + names[j]);
    }
}

bool sameLine(const QRect& a, const QRect& b)
{
    return std::abs(a.center().y() - b.center().y()) <= 4;
}

TEST(CallServiceScreenshot, ForwardingDialog)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    test::FakeCallService engine;
    torvane::registry::AppProfile profile("Torvane", "Quorvane PRO");
    profile.WriteProfileString(FWD_SECTION, "AllVoiceNum1", "+4917012345");
    profile.WriteProfileInt(FWD_SECTION, "AllVoice", 1);
    CFwdDlg dialog(engine, profile, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QStringList names;
    for (const FwdRowSpec& row : kForwardingRows)
        names << QStringLiteral("combo%1").arg(row.comboId);
    for (int reason = 0; reason < 4; ++reason)
        names << QStringLiteral("button%1").arg(fwdCheckButton(reason)) << QStringLiteral("button%1").arg(fwdSetButton(reason));
    names << QStringLiteral("button1036") << QStringLiteral("button1037") << QStringLiteral("button1040")
          << QStringLiteral("button57670") << QStringLiteral("static1041");
    expectTidy(dialog, names);
    for (int reason = 0; reason < 4; ++reason) {
        const QRect voice = geometryIn(dialog, QStringLiteral("combo%1").arg(kForwardingRows[REASON_FIRST_ROW[reason]].comboId));
        EXPECT_TRUE(sameLine(voice, geometryIn(dialog, QStringLiteral("button%1").arg(fwdSetButton(reason)))));
        for (int k = 1; k < 3; ++k)
            EXPECT_TRUE(sameLine(voice, geometryIn(dialog, QStringLiteral("combo%1").arg(kForwardingRows[REASON_FIRST_ROW[reason] + k].comboId))));
    }
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("combo1007"))->currentText(), QStringLiteral("+4917012345"));

    const QImage shot = grab(dialog);
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/fwd_dialog.png")));
    EXPECT_FALSE(QImage(QStringLiteral(REFERENCE_DIR "/fwd_dialog.png")).isNull());
}

TEST(CallServiceScreenshot, BarringAndPasswordDialogs)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    test::FakeCallService engine;
    torvane::registry::AppProfile profile("Torvane", "Quorvane PRO");
    profile.WriteProfileInt(LOCK_SECTION, "Lock_AllIncoming", 3);
    CLockDlg dialog(engine, profile, {}, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QStringList names;
    for (const LockRowSpec& row : kBarringFacilities) {
        names << QStringLiteral("combo%1").arg(row.comboId) << QStringLiteral("button%1").arg(row.checkId)
              << QStringLiteral("button%1").arg(row.setId);
        EXPECT_TRUE(sameLine(geometryIn(dialog, QStringLiteral("combo%1").arg(row.comboId)),
                             geometryIn(dialog, QStringLiteral("button%1").arg(row.setId))));
    }
    names << QStringLiteral("button1038") << QStringLiteral("button1039") << QStringLiteral("button1")
          << QStringLiteral("button57670");
    expectTidy(dialog, names);
    // The longest choice is shown whole.
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("combo1002"));
    EXPECT_GE(combo->width(), combo->fontMetrics().horizontalAdvance(QStringLiteral("Voice and data barred")));
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("combo1005"))->currentText(), QStringLiteral("only data barred"));

    const QImage shot = grab(dialog);
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/lock_dialog.png")));
    EXPECT_FALSE(QImage(QStringLiteral(REFERENCE_DIR "/lock_dialog.png")).isNull());

    CPasswordDlg password;
    password.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&password));
    ASSERT_TRUE(grab(password).save(QStringLiteral(SCREENSHOT_DIR "/password_dialog.png")));
}

} // namespace

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

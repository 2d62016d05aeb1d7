// Pasting into the appointment window's text on a real X display, where a clipboard that nobody
// owns (as after a login) hands out data without a format; the offscreen platform has no such
// clipboard. Every way of pasting then leaves the text as it was; with text on the clipboard or
// the selection, pasting works as before.
#include "platform/outlook/AppointmentDialog.h"
#include "platform/ui/guardedapp/GuardedApplication.h"

#include "platform/outlook/CalendarTestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace torvane::outlook;

QClipboard& clipboard()
{
    return *QGuiApplication::clipboard();
}

class PasteTest : public test::CalendarTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
        AppointmentItem item = calendarItems().Add();
        item.setBody(QStringLiteral("Agenda"));
        dialog = std::make_unique<AppointmentDialog>(item);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        body = dialog->findChild<QPlainTextEdit*>(QStringLiteral("body"));
        ASSERT_NE(body, nullptr);
        body->setFocus();
        body->moveCursor(QTextCursor::End);
    }

    void middleClickAtTheEnd() const
    {
        QTest::mouseClick(body->viewport(), Qt::MiddleButton, {}, body->cursorRect().center());
    }

    std::unique_ptr<AppointmentDialog> dialog;
    QPlainTextEdit* body = nullptr;
};

TEST_F(PasteTest, FromAClipboardNobodyOwnsNothingIsPasted)
{
    clipboard().clear(QClipboard::Clipboard);
    clipboard().clear(QClipboard::Selection);
    for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        const QMimeData* data = clipboard().mimeData(mode);
        ASSERT_TRUE(data && data->formats().isEmpty()) << "the data the fault needs";
    }
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(body, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(body, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    middleClickAtTheEnd();
    EXPECT_EQ(body->toPlainText(), QStringLiteral("Agenda"));

    const std::unique_ptr<QMenu> menu(body->createStandardContextMenu());
    const QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(PasteTest, TextOnTheClipboardOrTheSelectionIsPasted)
{
    clipboard().setText(QStringLiteral(" Room 2"));
    clipboard().clear(QClipboard::Selection);
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(body->toPlainText(), QStringLiteral("Agenda Room 2"));
    // This key reads the selection, which holds nothing.
    QTest::keyClick(body, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(body->toPlainText(), QStringLiteral("Agenda Room 2"));

    clipboard().setText(QStringLiteral(", 10:00"), QClipboard::Selection);
    middleClickAtTheEnd();
    EXPECT_EQ(body->toPlainText(), QStringLiteral("Agenda Room 2, 10:00"));
    QTest::keyClick(body, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(body->toPlainText(), QStringLiteral("Agenda Room 2, 10:00 Room 2"));
}

} // namespace

int main(int argc, char** argv)
{
    // The fault lives in the X platform's clipboard, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    torvane::ui::GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

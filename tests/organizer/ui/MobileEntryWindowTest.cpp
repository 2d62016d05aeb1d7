// The entry editor's window on the offscreen platform: its deferred modal opening over the main
// window, keys that reach the toolbar before the text box, typing within the kind's limit, Esc
// and Enter in the text box, Return in the time box, clicks on the free area and the close check.
#include "organizer/ui/MobileEntry.h"

#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/entryeditor/RecordingSteps.h"
#include "organizer/link/QtPrinters.h"

#include "platform/ui/controls/widgets/CommandBarWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace tessaro {
namespace {

// Lets events run until `done` holds or five seconds passed.
bool waitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class MobileEntryWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LanguageBase = LanguageEnglish;
        EntryToolBusy = false;
        ClearCurrentEntry();
        owner.setGeometry(100, 100, 800, 600);
        owner.show();
    }
    void TearDown() override
    {
        LanguageBase = LanguageEnglish;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QWidget>
    static T* child(const MobileEntry& editor, const QString& name)
    {
        return editor.findChild<T*>(name);
    }

    test::RecordingSteps steps;
    QWidget owner;
};

TEST_F(MobileEntryWindowTest, OpensModalOverTheMainWindowOnlyOnceTheOpeningCommandEnded)
{
    bool commandRunning = true;
    MobileEntryFormShow(&owner, [&] { return commandRunning; });
    MobileEntry* editor = LoadedMobileEntry();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(steps.calls.first(), QStringLiteral("PreSetMobileEntryForm")) << "loaded at once";
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);

    // While the command runs, events that pass show nothing.
    int ticks = 0;
    QObject::connect(editor->EntryFormTimer, &QTimer::timeout, [&] { ++ticks; });
    ASSERT_TRUE(waitUntil([&] { return ticks >= 3; }));
    EXPECT_FALSE(editor->isVisible());

    struct Seen {
        bool shown = false;
        bool modal = false;
        QWidget* parent = nullptr;
        Qt::CursorShape ownerCursor = Qt::WaitCursor;
        QString title;
    } seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        MobileEntry* e = LoadedMobileEntry();
        if (!e || !e->isVisible() || seen.shown)
            return;
        seen = {true, e->isModal(), e->parentWidget(), owner.cursor().shape(), e->windowTitle()};
        e->close();
    });
    closer.start(5);
    commandRunning = false;
    ASSERT_TRUE(waitUntil([] { return LoadedMobileEntry() == nullptr; }));
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_EQ(seen.ownerCursor, Qt::ArrowCursor);
    EXPECT_EQ(seen.title, QStringLiteral("Torvane Appointments-Edit mobile entry"));
    EXPECT_TRUE(steps.calls.contains(QStringLiteral("QueryUnload")));
}

struct KeyCase {
    std::int16_t language;
    Qt::Key serie;
    Qt::Key otherLanguagesSerie;
};

class EditorKeys : public MobileEntryWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EditorKeys, ShortcutsReachTheToolbarBeforeTheTextBox)
{
    LanguageBase = GetParam().language;
    MobileEntry editor(&owner);
    editor.show();
    editor.form().EntryOptions[0].userClick();
    auto* text = child<QLineEdit>(editor, QStringLiteral("EntryDescriptionText"));
    ASSERT_NE(text, nullptr);
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Meet"));
    steps.calls.clear();

    QTest::keyClick(text, GetParam().serie, Qt::ControlModifier);
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("SwitchEntrySerie")}));
    QTest::keyClick(text, GetParam().otherLanguagesSerie, Qt::ControlModifier);
    EXPECT_EQ(steps.calls.size(), 1);
    EXPECT_EQ(editor.form().EntryDescriptionText.text(), QStringLiteral("Meet"));
    EXPECT_EQ(text->text(), QStringLiteral("Meet"));
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorKeys,
                         ::testing::Values(KeyCase {LanguageEnglish, Qt::Key_R, Qt::Key_E},
                                           KeyCase {LanguageGerman, Qt::Key_E, Qt::Key_R}));

TEST_F(MobileEntryWindowTest, TypingStopsAtTheKindsLimitAndEscAndEnterStayInTheBox)
{
    MobileEntry editor(&owner);
    editor.show();
    MobileEntryForm& form = editor.form();
    form.EntryOptions[0].userClick();
    auto* text = child<QLineEdit>(editor, QStringLiteral("EntryDescriptionText"));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Birthday of my brother"));
    EXPECT_EQ(text->text(), QStringLiteral("Birthday of my b"));
    EXPECT_EQ(form.EntryDescriptionText.text(), text->text());

    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_EQ(text->text(), QString()) << "Esc puts back the text of focus time";
    EXPECT_TRUE(editor.isVisible()) << "Esc and Enter do not close the editor";

    // A click on the call's picture makes room for a number with its "+".
    QTest::mouseClick(child(editor, QStringLiteral("EntryOptionImages(3)")), Qt::LeftButton);
    EXPECT_EQ(form.SelectedEntryType, EntryTypePhoneCall);
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("+4917012345678901234567"));
    EXPECT_EQ(text->text(), QStringLiteral("+49170123456789012345"));
    EXPECT_EQ(steps.calls.filter(QStringLiteral("Save")).size(), 0) << "Enter saves nothing";
}

TEST_F(MobileEntryWindowTest, ReturnInTheTimeBoxKeepsTheTypedTimeAndLeavingTheBoxChecksIt)
{
    MobileEntry editor(&owner);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    const controls::Tool time = editor.form().tool(QStringLiteral("EntryTime"));
    auto* box = child<QComboBox>(editor, QStringLiteral("EntryTime"));
    ASSERT_NE(box, nullptr);
    QStringList checked;
    steps.during = [&](const QString& step, MobileEntryForm&) {
        if (step == QStringLiteral("ActiveBar1_ToolLostFocus EntryTime"))
            checked << time.text();
    };
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("12:34"));
    EXPECT_NO_THROW(QTest::keyClick(box, Qt::Key_Return));
    EXPECT_EQ(time.text(), QStringLiteral("12:34"));
    EXPECT_EQ(box->count(), 0) << "Return adds no item";
    child(editor, QStringLiteral("EntryDescriptionText"))->setFocus();
    EXPECT_EQ(checked, QStringList({QStringLiteral("12:34")})) << "leaving the box checks the typed time";
}

TEST_F(MobileEntryWindowTest, AClickOnTheFreeAreaClosesThePickerAndTheCloseCheckMayKeepTheWindow)
{
    MobileEntry editor(&owner);
    editor.show();
    steps.calls.clear();
    QWidget* client = editor.clientArea();
    QTest::mouseClick(child(editor, QStringLiteral("EntryOptionImages(1)")), Qt::LeftButton);
    EXPECT_TRUE(steps.calls.isEmpty()) << "a picture is no free area";
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(4, client->height() - 4));
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("TIVStartCalendar_LostFocus")}));

    steps.mayClose = false;
    editor.close();
    EXPECT_TRUE(editor.isVisible());
    steps.mayClose = true;
    editor.close();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(steps.calls.filter(QStringLiteral("QueryUnload")).size(), 2);
}

} // namespace
} // namespace tessaro

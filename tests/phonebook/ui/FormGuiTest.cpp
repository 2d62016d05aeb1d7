// The editor's form: its start with the main program's settings, the lists and their order, the
// quit road with its questions and each way a write can end, changing the directory with
// unwritten changes, and input while a phone job runs.
#include "BrevikGuiFixture.h"

#include "phonebook/model/BrevikStrings.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QWheelEvent>

using namespace brevik;
using namespace brevik::test;

namespace {

QString text(int id)
{
    return QString::fromUtf8(brevikString(id));
}

struct StartCase {
    const char* name;
    std::optional<DWORD> showCorrection;
    std::optional<DWORD> autoload;
    std::optional<DWORD> phonebooks;
    bool previewShown;
    std::vector<std::string> reads; // in order, each answered with one entry
    int shownDirectory;
};

class StartSettingsMatrix : public BrevikGui, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartSettingsMatrix, PreviewRowAndTheDirectoriesRead)
{
    const StartCase& c = GetParam();
    // Some value in the section, so that an empty case still finds the section.
    torvane::registry::writeString(HKEY_CURRENT_USER, kSettingsSection, "Other", "x");
    if (c.showCorrection)
        setting("ShowCorrection", *c.showCorrection);
    if (c.autoload)
        setting("Autoload", *c.autoload);
    if (c.phonebooks)
        setting("Phonebooks", *c.phonebooks);
    if (std::string(c.name) == "NoKey")
        RegDeleteKey(HKEY_CURRENT_USER, kSettingsSection);
    start();
    for (std::size_t k = 0; k < c.reads.size(); ++k) {
        ASSERT_EQ(engine.reads.size(), k + 1);
        EXPECT_EQ(engine.reads[k].storage, c.reads[k]);
        EXPECT_EQ(engine.reads[k].window, form().engineWindow());
        answerRead(14, 20, 100, {{std::uint16_t(k + 1), "Eintrag", "0891"}});
    }
    EXPECT_EQ(engine.reads.size(), c.reads.size()) << "nothing more is read";
    EXPECT_EQ(form().control(IDC_PREVIEW_HEADER)->isVisibleTo(&frame()), c.previewShown);
    EXPECT_EQ(form().control(IDC_PREVIEW_NAME)->isVisibleTo(&frame()), c.previewShown);
    EXPECT_EQ(qobject_cast<QComboBox*>(form().control(IDC_DIRECTORY_COMBO))->currentIndex(), c.shownDirectory);
    EXPECT_EQ(phone()->topLevelItemCount(), 1);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Telefonbuch"));
}

INSTANTIATE_TEST_SUITE_P(
    Start, StartSettingsMatrix,
    ::testing::Values(StartCase{"NoKey", {}, {}, {}, true, {"OW"}, DIRECTORY_OWN},
                      StartCase{"ShowCorrection256", 256, {}, {}, false, {"OW"}, DIRECTORY_OWN},
                      StartCase{"AutoloadPhonebooks5", 1, 1, 5, true, {"SM", "LD"}, 2},
                      StartCase{"AutoloadPhonebooks0", 1, 1, 0, true, {"OW"}, DIRECTORY_OWN}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST_F(BrevikGui, ListsSortByTheClickedColumn)
{
    card("a", "bert", "1", "Standard-Status - Index: 101 ");
    card("b", "Anna", "2", "VIP-Status - Index: 1000 ");
    card("c", "carl", "3", "Standard-Status - Index: 100 ");
    startWithOwnNumbers({{3, "zora!", "5"}, {1, "ANNA", "4"}, {2, "anna", "6"}});
    EXPECT_EQ(column(phone(), 0), (QStringList{"ANNA", "anna", "zora"})) << "names without regard to case";
    EXPECT_EQ(column(pab(), 0), (QStringList{"Anna", "bert", "carl"}));

    pab()->header()->sectionClicked(2);
    EXPECT_EQ(column(pab(), 2), (QStringList{"100", "1000", "101"})) << "indices as \"%03d\" texts";
    phone()->header()->sectionClicked(3);
    EXPECT_EQ(column(phone(), 0), (QStringList{"zora", "ANNA", "anna"})) << "VIP entries first";
    EXPECT_EQ(column(phone(), 3), (QStringList{"!", " ", " "}));
    pab()->header()->sectionClicked(1);
    EXPECT_EQ(column(pab(), 1), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(pab()->selectedItems().isEmpty());
}

TEST_F(BrevikGui, AnAddressBookThatCannotBeOpenedEndsTheProgram)
{
    mapi.faults().failOn(torvane::mapi::Call::LogonEx, torvane::mapi::MAPI_E_LOGON_FAILED, 1);
    app = std::make_unique<CBrevikApp>(engine, mapi);
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(app->exitCode(), -1);
    EXPECT_FALSE(app->mainFrame()->isVisible());
    EXPECT_EQ(engine.reports, (std::vector<std::pair<int, int>>{{ERROR_CLASS_SOFTWARE, IDS_ERR_MAPI_LOGON}}));
    EXPECT_TRUE(engine.reads.empty()) << "no directory is read";
    EXPECT_FALSE(mapi.initialized());
}

TEST_F(BrevikGui, ASecondCopyEndsAtOnce)
{
    start();
    CBrevikApp second(engine, mapi);
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.mainFrame(), nullptr);
    EXPECT_EQ(engine.reads.size(), 1u) << "only the first copy reads";
}

TEST_F(BrevikGui, QuitWithoutChangesClosesAtOnce)
{
    startWithOwnNumbers({{1, "Anna", "0891"}});
    frame().close();
    handlePosted();
    EXPECT_FALSE(frame().isVisible());
    EXPECT_TRUE(boxes().isEmpty()) << "nothing to ask about";
    EXPECT_FALSE(mapi.initialized()) << "the address book is closed with the frame";
}

TEST_F(BrevikGui, QuitAsksAboutBothListsAndClosesWhenTheWriteHasEnded)
{
    card("a", "Anna", "0891", "Standard-Status - Index: 5 ");
    startWithOwnNumbers({{1, "Carl", "0892"}, {2, "Dora", "0893"}});
    click(phone(), 0);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_COPY));
    click(pab(), 0);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_PASTE));
    click(phone(), 1);
    answer(ui::kMessageBoxName, ui::IDYES); // delete Dora
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CLEAR_ALL));
    ASSERT_TRUE(model().hasFlag(FLAG_PHONE_CHANGED));
    ASSERT_TRUE(model().hasFlag(FLAG_PAB_CHANGED));

    // Another program's WM_CLOSE takes the road of "Beenden".
    answer(ui::kMessageBoxName, ui::IDYES); // save the address book
    answer(ui::kMessageBoxName, ui::IDYES); // write the phone book
    PostMessage(frame().hwnd(), WM_CLOSE, 0, 0);
    handlePosted();
    ASSERT_EQ(boxes().size(), 3);
    EXPECT_EQ(boxes()[1], text(IDS_ASK_SAVE_PAB_BEFORE_QUIT));
    EXPECT_EQ(boxes()[2], text(IDS_ASK_SAVE_PHONE_BEFORE_QUIT));
    EXPECT_EQ(column(pab(), 0), (QStringList{"Anna", "Carl"})) << "the address book was saved and read again";
    EXPECT_TRUE(frame().isVisible()) << "open while the write runs";
    EXPECT_TRUE(model().hasFlag(FLAG_QUIT_AFTER_WRITE));
    answerAllWrites();
    ASSERT_EQ(engine.writes.size(), 1u);
    EXPECT_EQ(engine.writes[0].index, 2);
    EXPECT_EQ(engine.writes[0].number, "") << "Dora's index erased";
    handlePosted();
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(BrevikGui, QuitWhoseWriteEndsEarlyOrFailsKeepsTheFormAndItsAddressBook)
{
    startWithOwnNumbers({{1, "Carl", "0892"}});
    // Only an entry that was added and removed again: nothing to write.
    click(phone(), 0);
    answer(QStringLiteral("CEntryDlg"), ui::IDOK,
           {{QStringLiteral("edit1021"), QStringLiteral("Neu")}, {QStringLiteral("edit1022"), QStringLiteral("0")}});
    ASSERT_TRUE(form().OnCommand(ID_NEW_ENTRY));
    click(phone(), 1);
    answer(ui::kMessageBoxName, ui::IDYES);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CLEAR_ALL));
    ASSERT_TRUE(model().hasFlag(FLAG_PHONE_CHANGED));
    answer(ui::kMessageBoxName, ui::IDYES);
    ASSERT_TRUE(button(IDC_QUIT)->isEnabled());
    button(IDC_QUIT)->click();
    handlePosted();
    EXPECT_TRUE(frame().isVisible()) << "nothing was written: the form stays";
    EXPECT_EQ(frame().statusText(), text(IDS_NOTHING_TO_WRITE));
    EXPECT_FALSE(model().hasFlag(FLAG_QUIT_AFTER_WRITE));
    EXPECT_TRUE(mapi.initialized()) << "the address book stays open";

    // A failed write: the form stays, and a later write that works does not close it.
    click(phone(), 0);
    answer(QStringLiteral("CEntryDlg"), ui::IDOK, {{QStringLiteral("edit1021"), QStringLiteral("Carla")}});
    ASSERT_TRUE(form().OnCommand(ID_CHANGE_ENTRY));
    answer(ui::kMessageBoxName, ui::IDYES);
    frame().close();
    handlePosted();
    ASSERT_EQ(engine.writes.size(), 1u);
    answerWrite(1);
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(engine.reports.back(), (std::pair<int, int>{ERROR_CLASS_EXCEPTIONAL, IDS_ERR_WRITE}));
    EXPECT_FALSE(model().hasFlag(FLAG_QUIT_AFTER_WRITE));
    ASSERT_TRUE(form().OnCommand(IDC_SAVE_TO_PHONE));
    answerAllWrites();
    EXPECT_TRUE(frame().isVisible()) << "a save is no quit";
    EXPECT_EQ(frame().statusText(), text(IDS_DONE));

    // A read-only directory cannot be written either: 41020, and the second quit closes.
    answer(QStringLiteral("CEntryDlg"), ui::IDOK,
           {{QStringLiteral("edit1021"), QStringLiteral("X")}, {QStringLiteral("edit1022"), QStringLiteral("1")}});
    qobject_cast<QComboBox*>(form().control(IDC_DIRECTORY_COMBO))->setCurrentIndex(2);
    answerRead(14, 20, 10, {{1, "Wahl", "0894"}});
    click(phone(), 0);
    ASSERT_TRUE(form().OnCommand(ID_NEW_ENTRY));
    answer(ui::kMessageBoxName, ui::IDYES);
    frame().close();
    handlePosted();
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(engine.reports.back(), (std::pair<int, int>{ERROR_CLASS_OPERATING, IDS_ERR_READ_ONLY}));
    frame().close();
    handlePosted();
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(BrevikGui, ChangingTheDirectoryWithUnwrittenChanges)
{
    startWithOwnNumbers({{1, "Carl", "0892"}, {2, "Dora", "0893"}});
    auto* combo = qobject_cast<QComboBox*>(form().control(IDC_DIRECTORY_COMBO));
    click(phone(), 0);
    answer(ui::kMessageBoxName, ui::IDYES);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CLEAR_ALL));

    // No: the other directory is read; the changes stay in memory, unasked for.
    answer(ui::kMessageBoxName, ui::IDNO);
    combo->setCurrentIndex(0);
    EXPECT_EQ(boxes().back(), text(IDS_ASK_SAVE_PHONE_BEFORE_CHANGE));
    ASSERT_EQ(engine.reads.back().storage, "SM");
    answerRead(14, 20, 250, {{5, "Sim", "0895"}});
    EXPECT_FALSE(model().hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_EQ(model().directories().blocks[DIRECTORY_OWN].count, 1);

    // Yes with a write that fails: combo, list and directory stay together on the old one.
    click(phone(), 0);
    answer(ui::kMessageBoxName, ui::IDYES);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CLEAR_ALL));
    answer(ui::kMessageBoxName, ui::IDYES);
    combo->setCurrentIndex(1);
    ASSERT_EQ(engine.writes.back().storage, "SM");
    answerWrite(1);
    EXPECT_FALSE(model().hasFlag(FLAG_RESELECT_AFTER_WRITE));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(model().directories().current, 0);
    EXPECT_TRUE(model().hasFlag(FLAG_PHONE_CHANGED));

    // Yes with a write that works: the chosen directory follows.
    answer(ui::kMessageBoxName, ui::IDYES);
    combo->setCurrentIndex(1);
    answerAllWrites();
    EXPECT_EQ(engine.reads.back().storage, "ME");
    answerRead(18, 40, 100, {{7, "Handy", "0897"}});
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(column(phone(), 0), QStringList{"Handy"});
}

TEST_F(BrevikGui, ContextMenuFollowsTheActiveList)
{
    card("a", "Anna", "0891", "Standard-Status - Index: 1 ");
    startWithOwnNumbers({{1, "Carl", "0892"}});
    EXPECT_EQ(form().CreateContextMenu(), nullptr) << "no list active";
    click(phone(), 0);
    auto menu = form().CreateContextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("menu136"));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 8);
    EXPECT_EQ(actions[0]->data().toInt(), ID_COPY_TO_PAB_LIST);
    EXPECT_FALSE(actions[5]->isEnabled()) << "nothing to paste yet";
    click(pab(), 0);
    menu = form().CreateContextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("menu138"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Upload der dargestellten PAB-Liste zum Persönlichen Adressbuch"));
    // A list that became empty offers none.
    answer(ui::kMessageBoxName, ui::IDYES);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CLEAR_ALL));
    EXPECT_EQ(form().CreateContextMenu(), nullptr);
}

TEST_F(BrevikGui, InputIsDroppedWhileAPhoneJobRuns)
{
    card("a", "Anna", "0891", "Standard-Status - Index: 1 ");
    start();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    ASSERT_TRUE(app->busy()) << "the first read runs";
    // The user's input as the window system hands it over: through the frame's window.
    const auto press = [&](Qt::MouseButton button) {
        const QPoint row = pab()->visualItemRect(pab()->topLevelItem(0)).center();
        QTest::mouseClick(frame().windowHandle(), button, {}, pab()->viewport()->mapTo(&frame(), row));
        handlePosted();
    };
    const auto wheel = [&](QWidget* widget) {
        const QPointF at = widget->mapTo(&frame(), widget->rect().center());
        QWheelEvent turn(at, frame().mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(frame().windowHandle(), &turn);
        handlePosted();
    };
    auto* directories = qobject_cast<QComboBox*>(form().control(IDC_DIRECTORY_COMBO));
    click(pab(), 0);
    press(Qt::RightButton);
    press(Qt::MiddleButton);
    wheel(directories);
    wheel(pab());
    for (QAction* action : frame().findChildren<QAction*>())
        for (const QKeySequence& keys : action->shortcuts())
            QTest::keySequence(frame().windowHandle(), keys);
    QTest::keyClick(frame().windowHandle(), Qt::Key_Delete, Qt::ShiftModifier);
    // A change of directory that reaches the form anyway starts no second job.
    directories->setCurrentIndex(1);
    handlePosted();
    EXPECT_TRUE(frame().isVisible()) << "Ctrl+B did not end the program";
    EXPECT_TRUE(service().shown().empty()) << "no dialog came up";
    EXPECT_EQ(engine.reads.size(), 1u);
    EXPECT_EQ(directories->currentIndex(), DIRECTORY_OWN) << "the box shows the directory being read";
    EXPECT_TRUE(pab()->selectedItems().isEmpty());
    EXPECT_EQ(form().activeList(), LIST_NONE);
    EXPECT_EQ(PostMessage(frame().hwnd(), WM_CLICK_LIST_ROW, IDC_PAB_LIST, 0), TRUE);
    EXPECT_EQ(SendMessage(frame().hwnd(), WM_CLICK_LIST_ROW, IDC_PAB_LIST, 0), -1);

    answerRead(14, 20, 3, {{1, "Carl", "0892"}});
    EXPECT_FALSE(app->busy());
    // The same input acts once the answer is in.
    press(Qt::RightButton);
    EXPECT_EQ(pab()->selectedItems().size(), 1);
    EXPECT_EQ(SendMessage(frame().hwnd(), WM_CLICK_LIST_ROW, IDC_PAB_LIST, 0), 1);
    EXPECT_EQ(form().activeList(), LIST_PAB);
    answer(QStringLiteral("CFolderNameDlg"), ui::IDCANCEL); // the fixture sees that it was asked for
    QTest::keySequence(frame().windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_N));
    wheel(directories);
    EXPECT_EQ(engine.reads.size(), 2u);
}

} // namespace

// Entries moving between the lists through the preview row and the edit commands: the index
// question for one and for several entries, deleting, the internal clipboard, the entry
// dialog's filters and its index conflict, and what typing into the preview row lets through.
#include "BrevikGuiFixture.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/PreviewHeaderRule.h"
#include "phonebook/ui/CEntryDlg.h"
#include "phonebook/ui/CIndexDlg.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace brevik;
using namespace brevik::test;

namespace {

const QString kIndexDlg = QStringLiteral("CIndexDlg");
const QString kEntryDlg = QStringLiteral("CEntryDlg");

class EditGui : public BrevikGui {
protected:
    // Three cards whose indices 1 to 3 the own-numbers directory holds already.
    void startWithTakenIndices()
    {
        card("a", "Anna", "0891", "Standard-Status - Index: 1 ");
        card("b", "Bert", "0892", "VIP-Status - Index: 2 ");
        card("c", "Carl", "0893", "Standard-Status - Index: 3 ");
        startWithOwnNumbers({{1, "Eins", "1"}, {2, "Zwei", "2"}, {3, "Drei", "3"}}, 10);
    }
    void selectAllOfPab()
    {
        click(pab(), 0);
        ASSERT_TRUE(form().OnCommand(ID_EDIT_SELECT_ALL));
        ASSERT_EQ(form().previewSlots().size(), 3u);
    }
};

TEST_F(EditGui, CopyingThreeTakenIndicesAcceptingAll)
{
    startWithTakenIndices();
    selectAllOfPab();
    ASSERT_TRUE(button(IDC_COPY_TO_PHONE)->isEnabled());
    ASSERT_FALSE(button(IDC_COPY_TO_PAB)->isEnabled());
    answer(kIndexDlg, IDC_ACCEPT_ALL);
    button(IDC_COPY_TO_PHONE)->click();
    handlePosted();
    // Asked once, for the first, with "Alle akzeptieren"; the others took the lowest free ones.
    ASSERT_EQ(service().shown().size(), 1u);
    EXPECT_EQ(service().shown()[0].kind, kIndexDlg);
    EXPECT_EQ(model().shownDirectory().count, 6);
    EXPECT_EQ(column(phone(), 0), (QStringList{"Anna", "Bert", "Carl", "Drei", "Eins", "Zwei"}));
    EXPECT_EQ(column(phone(), 2), (QStringList{"4", "5", "6", "3", "1", "2"}));
    EXPECT_EQ(column(phone(), 3), (QStringList{" ", "!", " ", " ", " ", " "}));
    EXPECT_TRUE(form().previewSlots().empty());
    EXPECT_FALSE(button(IDC_COPY_TO_PHONE)->isEnabled());
}

TEST_F(EditGui, CopyingThreeTakenIndicesCancelledAtTheSecond)
{
    startWithTakenIndices();
    selectAllOfPab();
    answer(kIndexDlg, ui::IDOK, {{QStringLiteral("edit1021"), QStringLiteral("9")}});
    answer(kIndexDlg, ui::IDCANCEL);
    form().OnCommand(IDC_COPY_TO_PHONE);
    handlePosted();
    // "Akzeptieren" takes whatever was typed; "Abbrechen" ends the copy there.
    ASSERT_EQ(service().shown().size(), 2u);
    EXPECT_EQ(column(phone(), 0), (QStringList{"Anna", "Drei", "Eins", "Zwei"}));
    EXPECT_EQ(column(phone(), 2), (QStringList{"9", "3", "1", "2"}));
}

TEST_F(EditGui, IndexDialogOffersAcceptAllOnlyForSeveral)
{
    CIndexDlg several(4, true, nullptr);
    EXPECT_FALSE(several.findChild<QPushButton*>(QStringLiteral("button1028"))->isHidden());
    startWithTakenIndices();
    click(pab(), 1);
    // One entry: "Alle akzeptieren" is not there to press; the dialog stays until cancelled.
    answer(kIndexDlg, IDC_ACCEPT_ALL);
    form().OnCommand(IDC_COPY_TO_PHONE);
    ASSERT_EQ(service().shown().size(), 1u);
    EXPECT_EQ(service().shown()[0].answer, ui::IDCANCEL);
    EXPECT_EQ(service().shown()[0].fields, (ui::FieldTexts{{QStringLiteral("edit1021"), QStringLiteral("4")}}));
    EXPECT_EQ(phone()->topLevelItemCount(), 3);

    click(pab(), 1);
    answer(kIndexDlg, ui::IDOK);
    form().OnCommand(IDC_COPY_TO_PHONE);
    EXPECT_EQ(column(phone(), 2).count(QStringLiteral("4")), 1) << "Bert took the offered index";
}

TEST_F(EditGui, DeletingTwoEntriesAsksWithTheirCount)
{
    startWithOwnNumbers({{1, "Eins", "1"}, {2, "Zwei", "2"}, {3, "Drei", "3"}});
    click(phone(), 0);
    click(phone(), 2, true);
    answer(ui::kMessageBoxName, ui::IDNO);
    QTest::keyClick(phone(), Qt::Key_Delete);
    EXPECT_EQ(boxes().back(), QStringLiteral("Sollen diese 2 Einträge wirklich gelöscht werden ?\n\n"));
    EXPECT_EQ(frame().statusText(), QString::fromUtf8(brevikString(IDS_ABORTED)));
    EXPECT_EQ(phone()->topLevelItemCount(), 3);
    answer(ui::kMessageBoxName, ui::IDNO);
    QTest::keyClick(phone(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_EQ(phone()->topLevelItemCount(), 3);

    answer(ui::kMessageBoxName, ui::IDYES);
    QTest::keyClick(phone(), Qt::Key_Delete);
    EXPECT_EQ(column(phone(), 0), QStringList{"Eins"});
    EXPECT_EQ(phone()->selectedItems().size(), 1) << "the row of the first removed, now the last";
    EXPECT_EQ(form().activeList(), LIST_PHONE);
    EXPECT_EQ(model().shownDirectory().markCount(), 2) << "both wait to be erased on the phone";

    // One entry: its columns are in the question. The Delete key in a preview edit is the edit's.
    QTest::keyClick(edit(IDC_PREVIEW_NAME), Qt::Key_Delete);
    answer(ui::kMessageBoxName, ui::IDNO);
    form().OnCommand(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(boxes().back(), QStringLiteral("Soll dieser Eintrag wirklich gelöscht werden ?\n\nEins     1     1      "));
    EXPECT_EQ(boxes().size(), 4);
}

TEST_F(EditGui, TheClipboardPastesOnce)
{
    card("a", "Anna", "089-12 34", "Standard-Status - Index: 4 ");
    startWithOwnNumbers({{1, "Eins", "1"}});
    click(pab(), 0);
    EXPECT_FALSE(form().IsCommandEnabled(ID_EDIT_PASTE));
    ASSERT_TRUE(form().OnCommand(ID_EDIT_COPY));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString()) << "only the name edit's selected text goes there";
    EXPECT_TRUE(form().IsCommandEnabled(ID_EDIT_PASTE));
    click(phone(), 0);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_PASTE));
    EXPECT_EQ(column(phone(), 0), (QStringList{"Anna", "Eins"}));
    EXPECT_EQ(column(phone(), 1), (QStringList{"0891234", "1"})) << "a number for the phone keeps only digits";
    EXPECT_FALSE(form().IsCommandEnabled(ID_EDIT_PASTE));
    click(phone(), 0);
    EXPECT_FALSE(form().OnCommand(ID_EDIT_PASTE));
    EXPECT_EQ(phone()->topLevelItemCount(), 2);

    // Cut: copied, then removed without a question.
    click(phone(), 1);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_CUT));
    EXPECT_EQ(column(phone(), 0), QStringList{"Anna"});
    click(pab(), 0);
    ASSERT_TRUE(form().OnCommand(ID_EDIT_PASTE));
    EXPECT_EQ(column(pab(), 0), (QStringList{"Anna", "Eins"}));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(EditGui, ChangeDialogLoopsUntilTheIndexIsFree)
{
    startWithOwnNumbers({{1, "Eins", "1"}, {2, "Zwei", "2"}, {4, "Vier", "4"}});
    click(phone(), 0); // Eins
    // An empty number is refused (41023) and the dialog comes back as it was left.
    answer(kEntryDlg, ui::IDOK, {{QStringLiteral("edit1022"), QString()}, {QStringLiteral("edit1023"), QStringLiteral("2")}});
    answer(kEntryDlg, ui::IDOK, {{QStringLiteral("edit1022"), QStringLiteral("11")}});
    // Index 2 is taken: the lowest free one (3) is offered; 4 typed there is taken too.
    answer(kIndexDlg, ui::IDOK, {{QStringLiteral("edit1021"), QStringLiteral("4")}});
    answer(kIndexDlg, ui::IDOK);
    ASSERT_TRUE(form().OnCommand(ID_CHANGE_ENTRY));
    EXPECT_EQ(engine.reports, (std::vector<std::pair<int, int>>{{ERROR_CLASS_OPERATING, IDS_ERR_INCOMPLETE}}));
    const std::vector<ui::ShownBox>& shown = service().shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].fields, (ui::FieldTexts{{QStringLiteral("edit1021"), QStringLiteral("Eins")},
                                               {QStringLiteral("edit1022"), QString()},
                                               {QStringLiteral("edit1023"), QStringLiteral("2")},
                                               {QStringLiteral("edit1024"), QStringLiteral(" ")}}));
    EXPECT_EQ(shown[2].kind, kIndexDlg);
    EXPECT_EQ(shown[3].kind, kIndexDlg);
    const PhoneBookEntry& changed = model().shownDirectory().entries[0];
    EXPECT_EQ(changed.index, 3);
    EXPECT_EQ(changed.number, "11");
    EXPECT_EQ(changed.state, ENTRY_CHANGED);

    // Cancel in the index dialog keeps the old index; OK without editing still counts as a change.
    click(phone(), 2); // Zwei
    answer(kEntryDlg, ui::IDOK, {{QStringLiteral("edit1023"), QStringLiteral("4")}});
    answer(kIndexDlg, ui::IDCANCEL);
    ASSERT_TRUE(form().OnCommand(ID_CHANGE_ENTRY));
    EXPECT_EQ(model().shownDirectory().entries[1].index, 2);
    EXPECT_EQ(model().shownDirectory().entries[1].state, ENTRY_CHANGED);
    EXPECT_EQ(phone()->selectedItems().size(), 1) << "the old row is selected again";
}

TEST_F(EditGui, EntryDialogFiltersWhatIsTyped)
{
    EntryDialogData data;
    data.titleId = IDS_NEW_PHONE_ENTRY_TITLE;
    data.nameLength = 6;
    data.numberLength = 4;
    data.listKind = LIST_PHONE;
    CEntryDlg phoneEntry(data, nullptr);
    auto* name = phoneEntry.findChild<QLineEdit*>(QStringLiteral("edit1021"));
    auto* number = phoneEntry.findChild<QLineEdit*>(QStringLiteral("edit1022"));
    EXPECT_EQ(phoneEntry.windowTitle(), QStringLiteral("Einfügen eines neuen Eintrags in das Telefonbuch"));
    QTest::keyClicks(name, QStringLiteral("Jo{han}nes"));
    EXPECT_EQ(name->text(), QStringLiteral("Johann")) << "no refused character, no more than the phone takes";
    QTest::keyClicks(number, QStringLiteral("0-8 9x"));
    EXPECT_EQ(number->text(), QStringLiteral("089"));
    EXPECT_EQ(number->cursorPosition(), 3);
    QTest::keyClicks(number, QStringLiteral("12"));
    EXPECT_EQ(number->text(), QStringLiteral("0891")) << "the number's length";
    number->setText(QStringLiteral("+49/89-1"));
    phoneEntry.accept();
    EXPECT_EQ(phoneEntry.result().name, "Johann");
    EXPECT_EQ(phoneEntry.result().number, "+49891") << "'-' and '/' go when the dialog ends";

    data.listKind = LIST_PAB;
    CEntryDlg pabEntry(data, nullptr);
    number = pabEntry.findChild<QLineEdit*>(QStringLiteral("edit1022"));
    name = pabEntry.findChild<QLineEdit*>(QStringLiteral("edit1021"));
    QTest::keyClicks(name, QStringLiteral("Jo{han}nes"));
    QTest::keyClicks(number, QStringLiteral("089 12 34"));
    EXPECT_EQ(name->text(), QStringLiteral("Jo{han}nes")) << "no limits for the address book";
    EXPECT_EQ(number->text(), QStringLiteral("089 12 34")) << "blanks stay in the address book";
}

TEST_F(EditGui, PreviewRowTakesCorrectionsBeforeTheCopy)
{
    card("a", "Annabella Bergmann", "0891", "Standard-Status - Index: 1 ");
    startWithOwnNumbers({{1, "Eins", "1"}}, 10);
    click(pab(), 0);
    ASSERT_EQ(form().previewSlots().size(), 1u);
    EXPECT_EQ(edit(IDC_PREVIEW_NAME)->text(), QStringLiteral("Annabella Berg")) << "cut to the phone's length";

    edit(IDC_PREVIEW_NUMBER)->selectAll();
    QTest::keyClicks(edit(IDC_PREVIEW_NUMBER), QStringLiteral("089/55-66"));
    EXPECT_EQ(form().previewSlots()[0].number, "0895566");
    QTest::keyClicks(edit(IDC_PREVIEW_NUMBER), QStringLiteral(" "));
    EXPECT_EQ(edit(IDC_PREVIEW_NUMBER)->text(), QStringLiteral("0895566")) << "no blank for the phone";
    edit(IDC_PREVIEW_STATUS)->selectAll();
    QTest::keyClicks(edit(IDC_PREVIEW_STATUS), QStringLiteral("x"));
    EXPECT_EQ(engine.reports.back(), (std::pair<int, int>{ERROR_CLASS_OPERATING, IDS_ERR_BAD_STATUS}));
    EXPECT_EQ(edit(IDC_PREVIEW_STATUS)->text(), QString());
    QTest::keyClicks(edit(IDC_PREVIEW_STATUS), QStringLiteral("!"));

    // An empty name holds back both arrows until the name comes back.
    edit(IDC_PREVIEW_NAME)->clear();
    EXPECT_FALSE(button(IDC_COPY_TO_PHONE)->isEnabled());
    EXPECT_EQ(form().activeList(), LIST_NONE);
    QTest::keyClicks(edit(IDC_PREVIEW_NAME), QStringLiteral("Bella"));
    EXPECT_EQ(form().activeList(), LIST_PAB);
    ASSERT_TRUE(button(IDC_COPY_TO_PHONE)->isEnabled());
    answer(kIndexDlg, ui::IDOK);
    button(IDC_COPY_TO_PHONE)->click();
    EXPECT_EQ(column(phone(), 0), (QStringList{"Bella", "Eins"}));
    EXPECT_EQ(column(phone(), 1), (QStringList{"0895566", "1"}));
    EXPECT_EQ(column(phone(), 3), (QStringList{"!", " "}));
    EXPECT_EQ(column(pab(), 0), QStringList{"Annabella Bergmann"}) << "the address book keeps its entry";
}

TEST_F(EditGui, DraggingAHeaderSeparatorMovesThePreviewEdits)
{
    startWithOwnNumbers({{1, "Eins", "1"}});
    QWidget* header = form().control(IDC_PREVIEW_HEADER);
    const PreviewWidths before = form().previewWidths();
    const int separator = before[0] + before[1]; // after the number
    const auto move = [&](int x, Qt::MouseButtons held) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, 5), header->mapToGlobal(QPointF(x, 5)), Qt::NoButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(header, &event);
    };
    move(separator - 3, Qt::NoButton);
    EXPECT_EQ(header->cursor().shape(), Qt::SplitHCursor);
    move(separator - 3, Qt::LeftButton);
    move(separator + 40, Qt::LeftButton);
    const PreviewWidths after = form().previewWidths();
    EXPECT_EQ(after, DragSeparator(before, form().previewRowWidth(), 1, separator + 40));
    EXPECT_EQ(after[0] + after[1] + after[2] + after[3], form().previewRowWidth());
    EXPECT_EQ(edit(IDC_PREVIEW_NUMBER)->width(), after[1]);
    EXPECT_EQ(edit(IDC_PREVIEW_INDEX)->x(), edit(IDC_PREVIEW_NUMBER)->geometry().right() + 1);
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(separator + 40, 5));
    move(separator + 80, Qt::NoButton);
    EXPECT_EQ(form().previewWidths(), after) << "no drag after the button went up";
}

} // namespace

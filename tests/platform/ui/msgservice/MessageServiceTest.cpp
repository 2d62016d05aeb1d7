// The message service: scripted answers for boxes and dialogs, what it records, and the script
// and log formats a test uses to drive a program in another process.
#include "platform/ui/msgservice/MessageService.h"
#include "platform/ui/msgservice/ScriptFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace torvane::ui;

namespace {

// A dialog that refuses OK while its field is empty, as dialogs with checked input do.
class CheckedDialog : public QDialog {
public:
    CheckedDialog()
    {
        setObjectName(QStringLiteral("CheckedDlg"));
        setWindowTitle(QStringLiteral("Checked"));
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(QStringLiteral("Say something"), this);
        label->setObjectName(QStringLiteral("static1"));
        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edit1"));
        check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("check2"));
        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("combo3"));
        combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
        for (QWidget* w : std::initializer_list<QWidget*> {label, edit, check, combo})
            layout->addWidget(w);
    }
    void accept() override
    {
        ++okPresses;
        if (!edit->text().isEmpty())
            QDialog::accept();
    }
    QLineEdit* edit;
    QCheckBox* check;
    QComboBox* combo;
    int okPresses = 0;
};

class ScriptedServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service.setScripted(true);
        service.clearAnswers();
        service.clearShown();
    }
    MessageService& service = MessageService::instance();
};

TEST_F(ScriptedServiceTest, MessageBoxTakesItsScriptedAnswerOrItsDefault)
{
    service.addAnswer({kMessageBoxName, IDYES, {}});
    EXPECT_EQ(messageBox(nullptr, QStringLiteral("Save?"), QStringLiteral("Editor"), MB_YESNO), IDYES);
    EXPECT_EQ(messageBox(nullptr, QStringLiteral("Again?"), QStringLiteral("Editor"), MB_YESNO), IDNO);
    ASSERT_EQ(service.shown().size(), 2u);
    EXPECT_EQ(service.shown()[0].text, QStringLiteral("Save?"));
    EXPECT_EQ(service.shown()[0].caption, QStringLiteral("Editor"));
    EXPECT_EQ(service.shown()[1].answer, IDNO);
}

struct DefaultCase {
    UINT type;
    int answer;
};

class DefaultAnswers : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultAnswers, BackOutUnlessOkIsAlone)
{
    EXPECT_EQ(defaultAnswer(GetParam().type), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Types, DefaultAnswers,
                         ::testing::Values(DefaultCase {MB_OK, IDOK}, DefaultCase {MB_OK | MB_ICONSTOP, IDOK},
                                           DefaultCase {MB_OKCANCEL, IDCANCEL}, DefaultCase {MB_YESNO, IDNO},
                                           DefaultCase {MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL},
                                           DefaultCase {MB_RETRYCANCEL, IDCANCEL},
                                           DefaultCase {MB_ABORTRETRYIGNORE, IDABORT}));

TEST_F(ScriptedServiceTest, DialogIsFilledAndEndedByItsAnswer)
{
    CheckedDialog dialog;
    service.addAnswer({QStringLiteral("OtherDlg"), IDOK, {}});
    service.addAnswer({QStringLiteral("CheckedDlg"), IDOK,
                       {{QStringLiteral("edit1"), QStringLiteral("hello")}, {QStringLiteral("check2"), QStringLiteral("1")},
                        {QStringLiteral("combo3"), QStringLiteral("two")}}});
    EXPECT_EQ(execDialog(dialog), IDOK);
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("hello"));
    EXPECT_TRUE(dialog.check->isChecked());
    EXPECT_EQ(dialog.combo->currentText(), QStringLiteral("two"));
    EXPECT_EQ(service.pendingAnswers(), 1u) << "an answer for another dialog waits for it";

    ASSERT_EQ(service.shown().size(), 1u);
    const ShownBox& shown = service.shown()[0];
    EXPECT_EQ(shown.kind, QStringLiteral("CheckedDlg"));
    EXPECT_EQ(shown.caption, QStringLiteral("Checked"));
    EXPECT_TRUE(shown.fields.contains({QStringLiteral("static1"), QStringLiteral("Say something")}));
    EXPECT_TRUE(shown.fields.contains({QStringLiteral("edit1"), QString()})) << "fields as shown, before the answer";
}

TEST_F(ScriptedServiceTest, RefusedOkWaitsForTheNextAnswerAndOtherwiseCancels)
{
    CheckedDialog first;
    service.addAnswer({QStringLiteral("CheckedDlg"), IDOK, {}});
    service.addAnswer({QStringLiteral("CheckedDlg"), IDOK, {{QStringLiteral("edit1"), QStringLiteral("x")}}});
    EXPECT_EQ(execDialog(first), IDOK);
    EXPECT_EQ(first.okPresses, 2);

    CheckedDialog second;
    service.addAnswer({QStringLiteral("CheckedDlg"), IDOK, {}});
    EXPECT_EQ(execDialog(second), IDCANCEL);
    EXPECT_EQ(second.okPresses, 1);

    CheckedDialog third;
    EXPECT_EQ(execDialog(third), IDCANCEL) << "no answer at all";

    CheckedDialog fourth;
    service.addAnswer({QStringLiteral("CheckedDlg"), IDYES, {}});
    EXPECT_EQ(execDialog(fourth), IDYES) << "a dialog's own end code";

    CheckedDialog fifth;
    service.addAnswer({QStringLiteral("CheckedDlg"), RUN_DIALOG, {}});
    QTimer::singleShot(0, &fifth, [&] {
        fifth.edit->setText(QStringLiteral("played"));
        fifth.accept();
    });
    EXPECT_EQ(execDialog(fifth), IDOK) << "run by its own loop";
    EXPECT_EQ(fifth.okPresses, 1);
}

TEST(ScriptFile, ReadsAnswersAndSkipsWhatItCannotRead)
{
    QStringList errors;
    const auto answers = parseScript(QStringLiteral("# comment\n"
                                                    "CPinDlg\tOK\tedit1023=12\\t34\n"
                                                    "\n"
                                                    "MessageBox\tno\r\n"
                                                    "CErrorDlg\tMaybe\n"
                                                    "CFwdDlg\t7\tbroken\n"
                                                    "Other\t2\n"),
                                     &errors);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0].target, QStringLiteral("CPinDlg"));
    EXPECT_EQ(answers[0].button, IDOK);
    ASSERT_EQ(answers[0].fields.size(), 1);
    EXPECT_EQ(answers[0].fields[0].second, QStringLiteral("12\t34"));
    EXPECT_EQ(answers[1].button, IDNO);
    EXPECT_EQ(answers[2].button, IDCANCEL);
    EXPECT_EQ(errors.size(), 2);
}

TEST(ScriptFile, LogLinesReadBackAsWritten)
{
    ShownBox box;
    box.kind = QStringLiteral("CErrorDlg");
    box.caption = QStringLiteral("Quorvane 3.0 Error Message");
    box.text = QString();
    box.fields = {{QStringLiteral("edit1011"), QStringLiteral("line one\nline \\two\r")},
                  {QStringLiteral("edit1012"), QStringLiteral("a=b\tc")}};
    box.answer = IDOK;
    const QString line = formatLogLine(box);
    EXPECT_FALSE(line.contains(QLatin1Char('\n')));
    const auto back = parseLogLine(line);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->kind, box.kind);
    EXPECT_EQ(back->caption, box.caption);
    EXPECT_EQ(back->fields, box.fields);
    EXPECT_EQ(back->answer, IDOK);
    EXPECT_FALSE(parseLogLine(QStringLiteral("too\tfew")).has_value());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The phonebook editor as a user meets it, offscreen: the application with its frame and form on
// a fake engine (whose answers this test posts to the form's window, as the engine would) and an
// address book folder of the test's own, with the message service answering from a script.
#pragma once

#include "tests/phonebook/model/BrevikFakes.h"

#include "phonebook/CBrevikApp.h"
#include "phonebook/ui/CDlgView.h"
#include "phonebook/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/Registry.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace brevik::test {

namespace ui = torvane::ui;

constexpr const char* kSettingsSection = "Software\\Torvane\\Quorvane PRO\\CfgPropPage2";

class BrevikGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        service().setScripted(true);
        service().clearAnswers();
        service().clearShown();
        RegDeleteKey(HKEY_CURRENT_USER, kSettingsSection);
    }

    void TearDown() override
    {
        app.reset();
        handlePosted();
        EXPECT_EQ(service().pendingAnswers(), 0u) << "every scripted answer was asked for";
        service().clearAnswers();
    }

    static ui::MessageService& service() { return ui::MessageService::instance(); }

    // A card of the address book folder; note is its comment ("Standard-Status - Index: 7 ").
    void card(const std::string& uid, const std::string& name, const std::string& tel, const std::string& note = {})
    {
        std::filesystem::create_directories(book());
        std::string text = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:" + uid + "\r\nFN:" + name + "\r\n";
        if (!tel.empty())
            text += "TEL:" + tel + "\r\n";
        if (!note.empty())
            text += "NOTE:" + note + "\r\n";
        std::ofstream(book() / (uid + ".vcf"), std::ios::binary) << text << "END:VCARD\r\n";
    }
    std::filesystem::path book() const { return folder.path() / "book"; }

    void setting(const char* name, DWORD value)
    {
        torvane::registry::writeDword(HKEY_CURRENT_USER, kSettingsSection, name, value);
    }

    void start()
    {
        app = std::make_unique<CBrevikApp>(engine, mapi);
        ASSERT_TRUE(app->InitInstance());
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    CDlgView& form() { return frame().form(); }
    DlgViewModel& model() { return form().model(); }
    QTreeWidget* phone() { return form().list(LIST_PHONE); }
    QTreeWidget* pab() { return form().list(LIST_PAB); }
    QLineEdit* edit(int id) { return qobject_cast<QLineEdit*>(form().control(id)); }
    QPushButton* button(int id) { return qobject_cast<QPushButton*>(form().control(id)); }

    static void handlePosted()
    {
        for (int round = 0; round < 20; ++round) {
            QCoreApplication::processEvents();
            if (messaging::dispatchMessages(5) <= 0)
                break;
        }
        QCoreApplication::processEvents();
    }

    // The engine's answer to the read that is waiting.
    void answerRead(int textLength, int numberLength, int highestIndex, const std::vector<Packed>& entries,
                    LPARAM result = RESULT_OK)
    {
        engine.setResult(textLength, numberLength, highestIndex, entries);
        PostMessage(form().engineWindow(), WM_PHONEBOOK_READ_DONE, JOB_PHONEBOOK_READ, result);
        handlePosted();
    }
    void answerWrite(LPARAM result = RESULT_OK)
    {
        PostMessage(form().engineWindow(), WM_PHONEBOOK_WRITE_DONE, JOB_PHONEBOOK_WRITE, result);
        handlePosted();
    }
    // Answers the write that runs, and each one it starts, with OK until the road ends.
    void answerAllWrites()
    {
        for (std::size_t made = engine.writes.size(); model().hasFlag(FLAG_BUSY);) {
            answerWrite();
            if (engine.writes.size() == made)
                break;
            made = engine.writes.size();
        }
    }

    // Starts with the own-numbers directory read as the phone holds it.
    void startWithOwnNumbers(const std::vector<Packed>& entries, int highest = 250)
    {
        start();
        ASSERT_EQ(engine.reads.size(), 1u);
        answerRead(14, 20, highest, entries);
    }

    // A left click on a row of a list (as the list shows it), with Ctrl when asked.
    void click(QTreeWidget* list, int row, bool withControl = false)
    {
        const QRect item = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, withControl ? Qt::ControlModifier : Qt::NoModifier,
                          item.center());
        handlePosted();
    }
    static QStringList column(QTreeWidget* list, int column)
    {
        QStringList texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(column);
        return texts;
    }

    void answer(const QString& target, int button, ui::FieldTexts fields = {})
    {
        service().addAnswer({target, button, std::move(fields)});
    }
    // The texts of the message boxes shown, in order.
    static QStringList boxes()
    {
        QStringList texts;
        for (const ui::ShownBox& box : service().shown())
            if (box.kind == ui::kMessageBoxName)
                texts << box.text;
        return texts;
    }

    TempFolder folder;
    FakeEngine engine;
    torvane::mapi::Mapi mapi{folder.path() / "book"};
    std::unique_ptr<CBrevikApp> app;
};

} // namespace brevik::test

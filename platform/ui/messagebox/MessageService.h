// Every message box and question of a program goes through here. The program shows real boxes
// (the default presenter); a test installs ScriptedMessages, which records each box and answers
// from a script without ever blocking.
#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace torvane::ui {

enum class MessageIcon { None, Information, Question, Exclamation, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageService {
public:
    using Presenter = std::function<MessageAnswer(QWidget* parent, const MessageRequest& request)>;

    // Shows the box (modal over parent) and returns the button chosen; closing the box counts as
    // Cancel where there is one, else as No, else as OK.
    static MessageAnswer show(QWidget* parent, const MessageRequest& request);
    // Installs presenter and returns the previous one; an empty one restores real boxes.
    static Presenter setPresenter(Presenter presenter);
};

// A presenter for tests, installed for its own lifetime: records every box and answers with the
// next scripted answer, or with defaultAnswer when the script is used up (adapted to the
// buttons the box has).
class ScriptedMessages {
public:
    explicit ScriptedMessages(MessageAnswer defaultAnswer = MessageAnswer::Ok);
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void answer(MessageAnswer next) { script_.push_back(next); }
    const std::vector<MessageRequest>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    MessageAnswer defaultAnswer_;
    std::deque<MessageAnswer> script_;
    std::vector<MessageRequest> shown_;
    MessageService::Presenter previous_;
};

} // namespace torvane::ui

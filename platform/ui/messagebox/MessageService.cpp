#include "platform/ui/messagebox/MessageService.h"

#include <QMessageBox>

namespace torvane::ui {
namespace {

MessageService::Presenter& current()
{
    static MessageService::Presenter presenter;
    return presenter;
}

bool offers(MessageButtons buttons, MessageAnswer answer)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return answer != MessageAnswer::Ok;
    }
    return false;
}

// What closing the box without a button means.
MessageAnswer escapeAnswer(MessageButtons buttons)
{
    if (offers(buttons, MessageAnswer::Cancel))
        return MessageAnswer::Cancel;
    if (offers(buttons, MessageAnswer::No))
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}

MessageAnswer showReal(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(parent);
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    struct Choice {
        MessageAnswer answer;
        QMessageBox::StandardButton button;
    };
    const Choice choices[] = {{MessageAnswer::Ok, QMessageBox::Ok},
                              {MessageAnswer::Yes, QMessageBox::Yes},
                              {MessageAnswer::No, QMessageBox::No},
                              {MessageAnswer::Cancel, QMessageBox::Cancel}};
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        if (offers(request.buttons, c.answer))
            buttons |= c.button;
    box.setStandardButtons(buttons);
    const int chosen = box.exec();
    for (const Choice& c : choices)
        if (chosen == c.button)
            return c.answer;
    return escapeAnswer(request.buttons);
}

} // namespace

MessageAnswer MessageService::show(QWidget* parent, const MessageRequest& request)
{
    if (current())
        return current()(parent, request);
    return showReal(parent, request);
}

MessageService::Presenter MessageService::setPresenter(Presenter presenter)
{
    Presenter previous = std::move(current());
    current() = std::move(presenter);
    return previous;
}

ScriptedMessages::ScriptedMessages(MessageAnswer defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    previous_ = MessageService::setPresenter([this](QWidget*, const MessageRequest& request) {
        shown_.push_back(request);
        MessageAnswer answer = defaultAnswer_;
        if (!script_.empty()) {
            answer = script_.front();
            script_.pop_front();
        }
        return offers(request.buttons, answer) ? answer : escapeAnswer(request.buttons);
    });
}

ScriptedMessages::~ScriptedMessages() { MessageService::setPresenter(std::move(previous_)); }

} // namespace torvane::ui

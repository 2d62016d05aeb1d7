// Helpers of the widget tests: handling this process's messages, the scripted message service,
// and reading a shown dialog's controls.
#pragma once

#include "platform/messaging/Messaging.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QCoreApplication>

namespace corvant::test {

// Handles what has been posted to this process's windows.
inline void handlePosted()
{
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents();
        if (messaging::dispatchMessages(5) <= 0)
            break;
    }
}

// The message service answering from a script, with nothing shown or left from another test.
inline torvane::ui::MessageService& scriptedService()
{
    auto& service = torvane::ui::MessageService::instance();
    service.setScripted(true);
    service.clearAnswers();
    service.clearShown();
    return service;
}

inline QString fieldText(const torvane::ui::ShownBox& box, const QString& control)
{
    for (const auto& [name, text] : box.fields)
        if (name == control)
            return text;
    return QStringLiteral("<missing>");
}

} // namespace corvant::test

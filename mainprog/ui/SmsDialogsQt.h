// The SMS manager's boxes and preview through the message service, owned by the main frame.
#pragma once

#include "mainprog/core/SmsSeams.h"

#include <functional>

class QWidget;

namespace corvant {

class SmsDialogsQt : public SmsDialogs {
public:
    explicit SmsDialogsQt(std::function<QWidget*()> mainWindow) : mainWindow_(std::move(mainWindow)) {}
    int messageBox(bool owned, const std::string& text, const std::string& caption, UINT type) override;
    PreviewChoice preview(const std::string& number, const std::string& shownText,
                          const std::string& partsLine) override;

private:
    std::function<QWidget*()> mainWindow_;
};

} // namespace corvant

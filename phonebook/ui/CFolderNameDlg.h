// The folder-name dialog (140): the caller's title and prompt and a name to edit. OK with an
// empty name keeps the dialog open.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace brevik {

class CFolderNameDlg : public QDialog {
    Q_OBJECT

public:
    // Texts in UTF-8 (title, prompt) and Latin-1 (the name).
    CFolderNameDlg(const QString& title, const QString& prompt, const std::string& name, QWidget* parent);

    // The name given, Latin-1, up to 255 characters.
    const std::string& name() const { return name_; }

    void accept() override;

private:
    QLineEdit* edit_ = nullptr;
    std::string name_;
};

} // namespace brevik

// The preview of an outgoing SMS: number, text (with a separator line between the parts) and
// the part count; OK sends, "Delete" discards, the box stores it on the SIM card unsent.
#pragma once

#include <QDialog>

class QCheckBox;

namespace corvant {

class CSmsPreviewDlg : public QDialog {
public:
    CSmsPreviewDlg(const QString& number, const QString& text, const QString& partsLine, QWidget* parent = nullptr);
    // -1 send, 2 store on the SIM card unsent; set by OK.
    int mode() const { return mode_; }
    void accept() override;

private:
    QCheckBox* store_ = nullptr;
    int mode_ = -1;
};

} // namespace corvant

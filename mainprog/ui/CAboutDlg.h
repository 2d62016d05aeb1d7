// The about box (dialog 100).
#pragma once

#include <QDialog>

namespace corvant {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace corvant

// The about box (100, "Info über Telefonbuch"): the program icon, the version and OK.
#pragma once

#include <QDialog>

namespace brevik {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent);
};

} // namespace brevik

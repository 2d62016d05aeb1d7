// The organizer's about window: the program's name, what it is for and its version, the maker's
// rights notice, OK and a button that starts the system information program. Shown modal over
// the window that asks for it, centred on the screen.
#pragma once

#include "organizer/ui/ProgramVersion.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tessaro {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr, const ProgramVersion& version = TessaroVersion());

    // Starts the program the registry names, or says that there is none.
    void StartSysInfo();

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

// Shows the about window modal over `owner` and returns when it is closed.
void ShowAbout(QWidget* owner);

} // namespace tessaro

// The organizer's splash window: the program's name, what it is for, its version and the maker's
// rights notice, centred on the screen without a frame. The start-up shows it without modality
// and closes it when the main window is up; any key closes it earlier.
//
//     ShowSplash(TessaroVersion());   // at start-up
//     UnloadSplash();                 // when the main window shows
#pragma once

#include "organizer/ui/ProgramVersion.h"

#include <QWidget>

class QLabel;

namespace tessaro {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(const ProgramVersion& version = TessaroVersion());

    QLabel* ImageAppointment = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblProduct = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblWarning = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// Shows the splash without modality (the one already shown, when there is one) and returns it.
frmSplash* ShowSplash(const ProgramVersion& version = TessaroVersion());

// Closes the splash when one is shown; it is deleted once the event loop runs.
void UnloadSplash();

// The splash while it is shown, else null.
frmSplash* LoadedSplash();

} // namespace tessaro

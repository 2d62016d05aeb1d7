// The window shown while the organizer starts: the program's picture, its title and version.
#pragma once

#include <QWidget>

namespace tessaro {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
};

} // namespace tessaro

// A page of the settings sheet: it may refuse to be left (its values break a limit), writes its
// values on OK, and tells the sheet when the user changed something.
#pragma once

#include <QWidget>

namespace corvant {

class CfgPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Leaving the page or applying: false keeps the user on it.
    virtual bool OnKillActive() { return true; }
    virtual void OnOK() = 0;

signals:
    void changed();
};

} // namespace corvant

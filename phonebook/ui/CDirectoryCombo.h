// The directory combo box (control 1003): the seven phone directories by name, in the order of
// the directory table, so that the selected position is the directory's index.
#pragma once

#include <QComboBox>

namespace brevik {

class CDirectoryCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CDirectoryCombo(QWidget* parent);
};

} // namespace brevik

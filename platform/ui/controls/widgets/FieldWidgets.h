// Widgets for the plain field controls (FieldControls.h): a drop-down list for a ComboBox and a
// push button for a CommandButton. Each follows its model and reports the user's picking and
// clicking back to it; each is deleted with its model.
#pragma once

#include "platform/ui/controls/FieldControls.h"

#include <QComboBox>
#include <QPushButton>

namespace torvane::controls {

class ComboBoxWidget : public QComboBox {
    Q_OBJECT
public:
    ComboBoxWidget(ComboBox& model, QWidget* parent = nullptr);

private:
    void follow();
    ComboBox& m_model;
    bool m_following = false;
};

class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(CommandButton& model, QWidget* parent = nullptr);
};

} // namespace torvane::controls

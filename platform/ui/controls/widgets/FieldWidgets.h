// Widgets for the plain field controls (FieldControls.h): a line edit for a TextBox, a drop-down
// list for a ComboBox, a push button for a CommandButton, a drawn line for a Line and a frame for
// a Control that groups others. Each follows its model and reports the user's typing, picking
// and clicking back to it; each is deleted with its model.
#pragma once

#include "platform/ui/controls/FieldControls.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace torvane::controls {

class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    TextBoxWidget(TextBox& model, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TextBox& m_model;
};

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

class LineWidget : public QWidget {
    Q_OBJECT
public:
    LineWidget(Line& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    Line& m_model;
};

// A frame that holds other controls' widgets.
class FrameWidget : public QFrame {
    Q_OBJECT
public:
    FrameWidget(Control& model, QWidget* parent = nullptr);
};

} // namespace torvane::controls

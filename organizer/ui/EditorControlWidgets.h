// Widgets that show the entry editor's plain controls (organizer/entryeditor/EditorControls.h)
// and report the user's clicks, typing, keys and focus to them. Each is placed by its model in
// twips relative to its parent widget and deleted with its model.
#pragma once

#include "organizer/entryeditor/EditorControls.h"

#include "platform/ui/controls/widgets/StatusBarWidget.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

namespace tessaro::editor {

// A frame with an etched border, or a plain panel for one that draws its border with lines.
class FrameWidget : public QFrame {
    Q_OBJECT
public:
    enum class Border { Etched, None };
    FrameWidget(Frame& model, QWidget* parent, Border border = Border::Etched);
};

class OptionButtonWidget : public QRadioButton {
    Q_OBJECT
public:
    OptionButtonWidget(OptionButton& model, QWidget* parent);

private:
    void sync();
    OptionButton& m_model;
};

class CheckBoxWidget : public QCheckBox {
    Q_OBJECT
public:
    CheckBoxWidget(CheckBox& model, QWidget* parent);

private:
    void sync();
    CheckBox& m_model;
};

// Typing and pasting go through the model's length limit; keys with a character go to its
// KeyPress first, and a key it discards (Enter, Esc in the editor) goes no further, so it neither
// beeps nor reaches the window's default button.
class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    TextBoxWidget(TextBox& model, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void sync();
    TextBox& m_model;
};

class ImageWidget : public torvane::controls::PictureBoxWidget {
    Q_OBJECT
public:
    ImageWidget(ImageControl& model, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageControl& m_model;
};

class LineWidget : public QWidget {
    Q_OBJECT
public:
    LineWidget(LineControl& model, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LineControl& m_model;
};

// The character code a key gives to KeyPress (Enter 13, Esc 27, Backspace 8, a letter its
// code), 0 for keys without one.
int keyAscii(const QKeyEvent& event);

} // namespace tessaro::editor

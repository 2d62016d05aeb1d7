// Widgets for the plain field controls: a drop-down list, a push button, a one-line text box, a
// frame, an option button, a check box, a drawn line and a picture that takes clicks. Each is
// placed by its model in twips relative to its parent widget, follows the model, reports the
// user's clicks, typing, keys and focus back to it, and is deleted with it.
#pragma once

#include "platform/ui/controls/CheckBox.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/CommandButton.h"
#include "platform/ui/controls/Frame.h"
#include "platform/ui/controls/Image.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/OptionButton.h"
#include "platform/ui/controls/TextBox.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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

// A caption too wide for the button as designed (a word of another language) shows whole in a
// smaller font than the button's own.
class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(CommandButton& model, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitCaption();
};

// Typing and pasting go through the model's length limit; keys with a character go to its
// KeyPress first, and a key it discards goes no further, so it neither beeps nor reaches the
// window's default button.
class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    TextBoxWidget(TextBox& model, QWidget* parent);

    // A box that must show its whole text (a date in a field as narrow as designed) takes a
    // smaller font than the model's where that one is too wide for it; by default a text too
    // long for the box scrolls, as a typed one should.
    void setShowsWholeText(bool whole);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void sync();
    int textRoom() const;
    TextBox& m_model;
    bool m_wholeText = false;
};

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

class ImageWidget : public PictureBoxWidget {
    Q_OBJECT
public:
    ImageWidget(Image& model, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Image& m_model;
};

class LineWidget : public QWidget {
    Q_OBJECT
public:
    LineWidget(Line& model, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Line& m_model;
};

// The character code a key gives to KeyPress (Enter 13, Esc 27, Backspace 8, a letter its
// code), 0 for keys without one.
int keyAscii(const QKeyEvent& event);

} // namespace torvane::controls

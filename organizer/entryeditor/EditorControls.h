// The plain controls of the entry editor's window as models: the window itself, a frame, option
// buttons, a check box, text boxes, pictures that take clicks and the lines of the date picker's
// border. Like the controls of platform/ui/controls they hold the truth (sizes in twips) and
// raise the window's events; the widgets in organizer/ui show them and report what the user did
// through the user-side methods.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/PictureBox.h"

#include <QString>

namespace tessaro::editor {

namespace controls = torvane::controls;

// Mouse pointers of a window.
constexpr int PointerDefault = 0;
constexpr int PointerHourglass = 11;

// The window: its caption, icon (by resource name), mouse pointer and whether it sees keys before
// its controls. Its place and size are the window's outer ones.
class EditorForm : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& iconName() const { return m_iconName; }
    void setIconName(const QString& name);
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool on);

signals:
    void stateChanged();

private:
    QString m_caption;
    QString m_iconName;
    int m_mousePointer = PointerDefault;
    bool m_keyPreview = false;
};

// A frame holding other controls; their places are relative to it.
class Frame : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

signals:
    void stateChanged();

private:
    int m_tabIndex = 0;
};

// One button of an option group. Selecting it (by the user or in code) clears the others of its
// group, which the window wires, and raises Click; selecting the one already selected raises
// nothing.
class OptionButton : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    bool value() const { return m_value; }
    void setValue(bool on);
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // User side: a click on an enabled button selects it.
    void userClick();

signals:
    // The button became the selected one; the group clears the others before Click.
    void selected();
    void click();
    void stateChanged();

private:
    bool m_value = false;
    QString m_caption;
    bool m_enabled = true;
};

// A check box: value 1 checked, 0 unchecked.
class CheckBox : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    int value() const { return m_value; }
    void setValue(int value); // 0 or 1, ErrInvalidPropertyValue otherwise
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

    // User side: a click on an enabled box turns it over.
    void userClick();

signals:
    void stateChanged();

private:
    int m_value = 0;
    QString m_caption;
    QString m_toolTip;
    bool m_enabled = true;
    int m_tabIndex = 0;
};

// A one-line text box. Change is raised whenever the text changes, in code or by the user.
// The length limit holds the user's typing and pasting only: text set in code may be longer, and
// stays so until the window's own rules cut it.
class TextBox : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length); // 0 is no limit; negative is refused
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    const QString& fontName() const { return m_fontName; }
    void setFontName(const QString& name);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int points);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

    // User side. The user typed or pasted: `proposed` is what the box would show. Inserted text
    // that does not fit the limit is cut to the room left, so a text already at or past the limit
    // takes no more. Returns the text the box holds afterwards.
    QString userEdited(const QString& proposed);
    // A key with a character (Enter 13, Esc 27, letters ...). The window's handler may change or
    // discard it; returns what is left of it, 0 when nothing is to be inserted.
    int userKeyPress(int keyAscii);

signals:
    void change();
    void keyPress(int& keyAscii);
    void stateChanged();

private:
    QString m_text;
    int m_maxLength = 0;
    QString m_toolTip;
    QString m_fontName;
    int m_fontSize = 8;
    bool m_enabled = true;
    int m_tabIndex = 0;
};

// A picture that takes clicks (the type pictures beside the option buttons).
class ImageControl : public controls::PictureBox {
    Q_OBJECT
public:
    using PictureBox::PictureBox;

    // Sizes the control to its picture (pixels to twips), as a picture without stretching does.
    void setPictureAutoSize(const controls::Picture& picture);

    // User side.
    void userClick() { emit click(); }

signals:
    void click();
};

// A straight line from (x1, y1) to (x2, y2) in twips relative to its container. Its place and
// size as a control are the rectangle the line runs through, at least one pixel each way.
class LineControl : public controls::Control {
    Q_OBJECT
public:
    using Control::Control;

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setEnds(double x1, double y1, double x2, double y2);

private:
    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 0;
    double m_y2 = 0;
};

} // namespace tessaro::editor

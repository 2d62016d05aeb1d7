// What every control on an organizer window has: a name (with its index when it belongs to a
// control array, as the two instances of a grid pair do), a place and size in twips relative to
// its window's client area, visibility and the input focus.
//
// The model is the truth; a widget shows it. The window's code changes the model, the model
// tells its widget through the signals below, and the widget reports what the user did by
// calling the model's user-side methods (focusChanged here, clicks in the derived controls),
// which raise the events the window handles.
#pragma once

#include <QObject>
#include <QString>

namespace torvane::controls {

class Control : public QObject {
    Q_OBJECT
public:
    explicit Control(QObject* parent = nullptr);

    // The name the window gives the control ("FG1"); the source of the errors it raises.
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    // Index in its control array, -1 when it stands alone.
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    // Twips. A negative width or height is refused (ErrInvalidPropertyValue).
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    void move(double left, double top, double width, double height);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    // Asks the widget for the input focus; hasFocus follows once the widget has it.
    void setFocus();
    bool hasFocus() const { return m_hasFocus; }
    // Brings the control in front of its siblings.
    void bringToFront();

    // User side, called by the widget: the focus came (in) or went to the control named
    // `target` (the object name of the widget that now has it; empty when none of ours).
    void focusChanged(bool in, const QString& target = {});

signals:
    // Events for the window.
    void gotFocus();
    void lostFocus(const QString& target);

    // For the widget.
    void geometryChanged();
    void visibleChanged(bool visible);
    void focusRequested();
    void raiseRequested();

protected:
    // Raises ControlError(ErrInvalidPropertyValue) naming the property and the value.
    [[noreturn]] void invalidValue(const char* property, const QString& value) const;
    [[noreturn]] void outOfRange(const QString& what) const;

private:
    void setGeometryValue(double& field, double value, const char* property, bool isSize);

    QString m_name;
    int m_index = -1;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    bool m_visible = true;
    bool m_hasFocus = false;
};

} // namespace torvane::controls

// The entry editor's window itself as a model: its caption, icon, mouse pointer and whether it
// sees keys before its controls; its place and size are the window's outer ones (twips). The
// controls on it are the plain field controls of platform/ui/controls.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace tessaro::editor {

namespace controls = torvane::controls;

// Mouse pointers of a window.
constexpr int PointerDefault = 0;
constexpr int PointerHourglass = 11;

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

} // namespace tessaro::editor

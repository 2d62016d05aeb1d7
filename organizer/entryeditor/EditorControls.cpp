#include "organizer/entryeditor/EditorControls.h"

namespace tessaro::editor {

namespace {

// Sets `field` and tells the widget when it changed.
template <typename T>
void assign(T& field, const T& value, EditorForm* owner)
{
    if (field == value)
        return;
    field = value;
    emit owner->stateChanged();
}

} // namespace

void EditorForm::setCaption(const QString& caption) { assign(m_caption, caption, this); }
void EditorForm::setIconName(const QString& name) { assign(m_iconName, name, this); }
void EditorForm::setMousePointer(int pointer) { assign(m_mousePointer, pointer, this); }
void EditorForm::setKeyPreview(bool on) { assign(m_keyPreview, on, this); }

} // namespace tessaro::editor

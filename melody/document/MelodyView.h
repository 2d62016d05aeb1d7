// What a melody document asks of the views that show it.
#pragma once

class MelodyView {
public:
    virtual ~MelodyView() = default;
    // The document changed: repaint.
    virtual void OnUpdate() = 0;
    // A note was set: scroll so that the insertion point is visible.
    virtual void KeepCaretVisible() = 0;
};

// The staff view's editing without a window: clicks, drags and keys turned into note edits,
// the selection and the insertion point, scrolling requests and the palette toggles that apply
// to this view. The widget hands it logical coordinates and keys and draws what it keeps.
#pragma once

#include "melody/document/MelodyView.h"

class CMelvioDoc;

// What the editor asks of the window it edits in.
class StaffSurface {
public:
    virtual ~StaffSurface() = default;
    // The logical x shown at the left edge, and the width of the client area.
    virtual int ScrollX() const = 0;
    virtual int ClientWidth() const = 0;
    // Scrolls so that logical x is at the left edge (the window keeps it inside the area).
    virtual void ScrollToX(int x) = 0;
    // Scrolls by scroll lines, to the right for positive counts.
    virtual void ScrollLines(int lines) = 0;
    virtual void Repaint() = 0;
};

// The palette bar's buttons, as the view puts them back up.
class PaletteButtons {
public:
    virtual ~PaletteButtons() = default;
    virtual void ReleaseSharp() = 0;
    // The dot button up and the palette's pending dot cleared.
    virtual void ReleaseDot() = 0;
    // Every button up, then the duration's button down.
    virtual void ChooseDuration(int duration) = 0;
};

// The state of the modifier keys while a key or button is handled. Right Shift is told apart
// from left Shift: it lowers a note key by two octaves.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool ShiftDown() const = 0;
    virtual bool RightShiftDown() const = 0;
    virtual bool CtrlDown() const = 0;
};

enum class StaffKey {
    Backspace,
    Delete,
    Pause,
    PageUp,
    PageDown,
    Home,
    End,
    Left,
    Right,
    Digit,  // with the character '1' to '6'
    Letter, // with the character 'A' to 'H'
    Other,
};

class StaffEditor : public MelodyView {
public:
    // The document and the surface must outlive the editor; keys may be null (no modifier held).
    StaffEditor(CMelvioDoc& doc, StaffSurface& surface, const KeyState* keys = nullptr);
    ~StaffEditor() override;
    StaffEditor(const StaffEditor&) = delete;
    StaffEditor& operator=(const StaffEditor&) = delete;

    void SetPalette(PaletteButtons* palette) { palette_ = palette; }
    CMelvioDoc& Document() const { return doc_; }

    // Mouse input in logical coordinates.
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y, bool leftButtonDown);
    // False when the key is not the staff's (default handling then).
    bool OnKeyDown(StaffKey key, char ch = 0);
    void OnSetFocus();
    void OnKillFocus();

    // Sets note index through the document, striking it, and marks the document changed.
    void SetNoteAt(int index, int pitch, int duration, int dotted);
    // Removes the selected notes; caret and anchor go to the selection's lower end.
    void DeleteSelection();

    void ScrollToCaret();
    void KeepCaretVisible() override;
    void OnUpdate() override;

    // The palette's toggles as they apply to this view.
    int sharpOn = 0;
    int dotOn = 0;
    int curDuration = 2;
    // Caret and anchor as last painted, and whether the band is shown.
    int selectionShown = 0;
    int caretShown = 0;
    int anchorShown = 0;
    int lastPitch = 0;
    int hasFocus = 0;

private:
    bool Shift() const { return keys_ && keys_->ShiftDown(); }
    bool RightShift() const { return keys_ && keys_->RightShiftDown(); }
    bool Ctrl() const { return keys_ && keys_->CtrlDown(); }
    void ChooseDuration(int duration);
    void CollapseToLowerEnd();
    void InsertLetter(char letter);

    CMelvioDoc& doc_;
    StaffSurface& surface_;
    const KeyState* keys_;
    PaletteButtons* palette_ = nullptr;
};

#include "melody/editing/StaffEditor.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/editing/StaffLayout.h"

#include <algorithm>

namespace {

constexpr int LETTER_PITCH[8] = {69, 71, 60, 62, 64, 65, 67, 71}; // A to H; H is B
constexpr int PAGE_SCROLL_LINES = 2;

} // namespace

StaffEditor::StaffEditor(CMelvioDoc& doc, StaffSurface& surface, const KeyState* keys)
    : doc_(doc), surface_(surface), keys_(keys)
{
    doc_.AddView(this);
}

StaffEditor::~StaffEditor() { doc_.RemoveView(this); }

void StaffEditor::OnUpdate() { surface_.Repaint(); }

void StaffEditor::SetNoteAt(int index, int pitch, int duration, int dotted)
{
    doc_.SetNote(index, pitch, duration, dotted, &lastPitch);
    doc_.MarkChanged();
}

void StaffEditor::OnLButtonDown(int x, int y)
{
    const int index = std::min(NoteIndexFromX(x), LAST_EDIT_INDEX);
    doc_.caret = doc_.anchor = index + 1;
    selectionShown = 0;
    int pitch = PitchFromY(y, Ctrl()) + (sharpOn ? 1 : 0);
    if (pitch == 1) // the sharp toggle on a miss still gives a rest
        pitch = 0;
    if (sharpOn) {
        if (palette_)
            palette_->ReleaseSharp();
        sharpOn = 0;
    }
    SetNoteAt(index, pitch, curDuration, dotOn);
    if (dotOn) {
        if (palette_)
            palette_->ReleaseDot();
        dotOn = 0;
    }
    doc_.MarkChanged();
}

void StaffEditor::OnMouseMove(int x, int y, bool leftButtonDown)
{
    if (!leftButtonDown)
        return;
    const int pitch = PitchFromY(y, Ctrl());
    if (pitch == lastPitch)
        return;
    const int index = NoteIndexFromX(x);
    // Past the last position a drag would put the caret beyond the melody's slots.
    if (index > LAST_EDIT_INDEX)
        return;
    doc_.caret = doc_.anchor = index + 1;
    selectionShown = 0;
    SetNoteAt(index, pitch, curDuration, 0);
}

void StaffEditor::DeleteSelection()
{
    // The document's own ends, not the painted copies: a paint may not have happened since
    // the selection last changed.
    const int low = doc_.SelectionStart();
    const int high = doc_.SelectionEnd();
    selectionShown = 0;
    doc_.RemoveNotes(low, high);
    doc_.caret = doc_.anchor = low;
    caretShown = anchorShown = low;
}

void StaffEditor::CollapseToLowerEnd()
{
    doc_.caret = doc_.anchor = doc_.SelectionStart();
}

void StaffEditor::ChooseDuration(int duration)
{
    curDuration = duration;
    sharpOn = 0;
    dotOn = 0;
    if (palette_)
        palette_->ChooseDuration(duration);
}

void StaffEditor::InsertLetter(char letter)
{
    int pitch = LETTER_PITCH[letter - 'A'];
    if (Shift())
        pitch += 12;
    if (RightShift())
        pitch -= 24;
    if (Ctrl())
        pitch += 1;
    if (doc_.caret >= MELODY_EDIT_LIMIT)
        return;
    if (doc_.HasSelection())
        DeleteSelection();
    doc_.InsertNote(pitch, curDuration, 0, &lastPitch);
    doc_.anchor = doc_.caret;
    doc_.MarkChanged();
}

bool StaffEditor::OnKeyDown(StaffKey key, char ch)
{
    CMelvioDoc& d = doc_;
    switch (key) {
    case StaffKey::Backspace:
        selectionShown = 0;
        if (d.HasSelection()) {
            DeleteSelection();
        } else if (d.caret > 0) {
            d.RemoveNotes(d.caret - 1, d.caret);
            d.caret -= 1;
            d.anchor = d.caret;
        }
        ScrollToCaret();
        d.MarkChanged();
        return true;
    case StaffKey::Delete:
        selectionShown = 0;
        if (d.HasSelection())
            DeleteSelection();
        else if (d.caret < d.noteCount)
            d.RemoveNotes(d.caret, d.caret + 1);
        d.MarkChanged();
        return true;
    case StaffKey::Pause:
        d.InsertNote(0, curDuration, 0, &lastPitch);
        d.MarkChanged();
        return true;
    case StaffKey::PageUp:
        surface_.ScrollLines(-PAGE_SCROLL_LINES);
        return true;
    case StaffKey::PageDown:
        surface_.ScrollLines(PAGE_SCROLL_LINES);
        return true;
    case StaffKey::Home:
        selectionShown = 0;
        d.caret = 0;
        if (!Shift())
            d.anchor = 0;
        surface_.ScrollToX(0);
        d.MarkChanged();
        return true;
    case StaffKey::End: {
        selectionShown = 0;
        d.caret = d.noteCount;
        if (!Shift())
            d.anchor = d.caret;
        if (d.caret < MELODY_SLOTS) {
            const int visible = NoteIndexFromX(surface_.ClientWidth());
            const int x = NOTE_SPACING * (d.caret - visible) + CARET_X0;
            if (x > 0)
                surface_.ScrollToX(x);
        }
        d.MarkChanged();
        return true;
    }
    case StaffKey::Left:
        selectionShown = 0;
        if (Shift()) {
            if (d.caret > 0)
                d.caret -= 1;
        } else if (d.HasSelection()) {
            CollapseToLowerEnd();
        } else if (d.caret > 0) {
            d.caret = d.anchor = d.caret - 1;
        }
        ScrollToCaret();
        d.MarkChanged();
        return true;
    case StaffKey::Right:
        selectionShown = 0;
        if (!Shift() && d.caret >= d.noteCount)
            d.anchor = d.caret;
        if (d.caret < d.noteCount && d.anchor <= d.noteCount) {
            if (Shift())
                d.caret += 1;
            else if (!d.HasSelection())
                d.caret = d.anchor = d.caret + 1;
            else
                d.caret = d.anchor = d.SelectionEnd();
        }
        KeepCaretVisible();
        d.MarkChanged();
        return true;
    case StaffKey::Digit:
        if (ch < '1' || ch > '6')
            return false;
        ChooseDuration(ch - '1');
        return true;
    case StaffKey::Letter:
        if (ch < 'A' || ch > 'H')
            return false;
        InsertLetter(ch);
        return true;
    case StaffKey::Other:
        break;
    }
    return false;
}

void StaffEditor::OnSetFocus()
{
    hasFocus = 1;
    doc_.ShowTempo(doc_.tempo);
    surface_.Repaint();
}

void StaffEditor::OnKillFocus()
{
    hasFocus = 0;
    // The spin's arrows take no focus: a tempo set with them arrives here, and is a change.
    doc_.SetTempo(doc_.ReadTempo());
    surface_.Repaint();
}

void StaffEditor::ScrollToCaret()
{
    const int caret = doc_.caret;
    if (caret < 0)
        return;
    if (caret == 0) {
        surface_.ScrollToX(0);
        return;
    }
    if (NoteIndexFromX(surface_.ScrollX()) >= caret)
        surface_.ScrollToX(NOTE_SPACING * caret + 30);
}

void StaffEditor::KeepCaretVisible()
{
    const int caret = doc_.caret;
    const int visible = NoteIndexFromX(surface_.ClientWidth());
    if (caret > MELODY_EDIT_LIMIT || NoteIndexFromX(surface_.ScrollX()) >= caret - visible)
        return;
    const int x = NOTE_SPACING * (caret - visible) + CARET_X0;
    if (x > 0)
        surface_.ScrollToX(x);
}

#include "melody/editing/EditCommands.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/StaffEditor.h"

#include <algorithm>

namespace {

constexpr NoteEntry EMPTY_CLIP_SLOT{-1, -1, 0};

void ReportNoSelection(ErrorReporter* errors)
{
    if (errors)
        errors->Fehler_Melden(ERROR_CLASS_REFUSED, IDS_ERR_NO_SELECTION);
}

} // namespace

void CopySelection(CMelvioDoc& doc)
{
    doc.clip.fill(EMPTY_CLIP_SLOT);
    doc.clipCount = 0;
    const int high = std::min(doc.SelectionEnd(), int(doc.noteCount));
    for (int i = std::max(doc.SelectionStart(), 0); i < high; ++i)
        doc.clip[std::size_t(doc.clipCount++)] = doc.notes[std::size_t(i)];
}

void OnEditCopy(CMelvioDoc& doc, ErrorReporter* errors)
{
    if (!doc.HasSelection()) {
        ReportNoSelection(errors);
        return;
    }
    CopySelection(doc);
}

void OnEditCut(CMelvioDoc& doc, StaffEditor& view, ErrorReporter* errors)
{
    if (!doc.HasSelection()) {
        ReportNoSelection(errors);
        return;
    }
    CopySelection(doc);
    view.OnKeyDown(StaffKey::Delete);
}

void OnEditPaste(CMelvioDoc& doc, StaffEditor& view)
{
    if (!CanPaste(doc))
        return;
    if (doc.HasSelection())
        view.OnKeyDown(StaffKey::Delete);
    for (int i = 0; i < doc.clipCount; ++i) {
        const NoteEntry note = doc.clip[std::size_t(i)];
        doc.InsertNote(note.pitch, note.duration, note.dotted, &view.lastPitch);
    }
    doc.MarkChanged();
}

void OnEditDelete(StaffEditor& view) { view.OnKeyDown(StaffKey::Delete); }

void OnDeleteAll(CMelvioDoc& doc, StaffEditor& view)
{
    doc.noteCount = 0;
    doc.EmptyClip();
    doc.caret = doc.anchor = 0;
    doc.MarkChanged();
    view.ScrollToCaret();
}

bool CanPaste(const CMelvioDoc& doc) { return !doc.ClipIsEmpty(); }

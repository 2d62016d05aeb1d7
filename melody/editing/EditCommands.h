// The Edit menu's commands on a melody and its internal note clipboard. The system clipboard
// is never written; the active view's editor gets the Delete presses the commands send.
#pragma once

class CMelvioDoc;
class ErrorReporter;
class StaffEditor;

// The clipboard becomes the selected notes, in order.
void CopySelection(CMelvioDoc& doc);

// Copy and Cut need a selection, else (4, 40011).
void OnEditCopy(CMelvioDoc& doc, ErrorReporter* errors);
void OnEditCut(CMelvioDoc& doc, StaffEditor& view, ErrorReporter* errors);
// Replaces a selection by the clipboard's notes, inserting and striking each.
void OnEditPaste(CMelvioDoc& doc, StaffEditor& view);
void OnEditDelete(StaffEditor& view);
// Empties the melody and the clipboard, caret to the start.
void OnDeleteAll(CMelvioDoc& doc, StaffEditor& view);

// Command enabling: Paste while the clipboard holds notes.
bool CanPaste(const CMelvioDoc& doc);

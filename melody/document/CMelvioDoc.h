// One open melody: the monophonic note list with its limits, the caret and anchor the editing
// moves, the document tempo, the enable flags of the playback and phone commands, the internal
// note clipboard, the .rte file and the Standard MIDI File built from the notes.
// The views, the tool bar's tempo field, the preview port and the error reports are reached
// through small interfaces, so the document lives without any window.
#pragma once

#include "melody/document/NoteEntry.h"
#include "melody/document/TempoField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class Archive;
class ErrorReporter;
class MelodyView;
class PreviewPort;

// A melody holds at most 71 notes; editing never makes it longer than 70 (only a loaded file
// or an imported text fills the last slot).
constexpr int MELODY_SLOTS = 71;
constexpr int MELODY_EDIT_LIMIT = 70;
// Scroll area of a view: 71 note positions of 30 pixels plus 50, and the staff height.
constexpr int MELODY_SCROLL_WIDTH = 2180;
constexpr int MELODY_SCROLL_HEIGHT = 227;
// The MIDI file is built here; 71 notes take at most 672 bytes.
constexpr std::size_t SMF_BUFFER_SIZE = 1000;
constexpr std::size_t SMF_HEADER_SIZE = 22; // "MThd" chunk plus the "MTrk" chunk header

// The extension of melody files.
inline constexpr char RTE_EXTENSION[] = ".rte";

enum class SerializeResult {
    Done,      // stored, or loaded into the document
    Refused,   // not a melody file or a broken one: reported (4, 40006), document unchanged
    Truncated, // the data ended early: the file cannot be opened (archive error), document unchanged
};

// What a document reaches outside itself; every pointer may be null (then: the document's own
// tempo, no preview sound, no reports). They must outlive the document.
struct MelvioDocServices {
    ErrorReporter* errors = nullptr;
    TempoField* tempoField = nullptr;
    PreviewPort* preview = nullptr;
};

class CMelvioDoc {
public:
    using Services = MelvioDocServices;

    explicit CMelvioDoc(const Services& services = {});
    ~CMelvioDoc();
    CMelvioDoc(const CMelvioDoc&) = delete;
    CMelvioDoc& operator=(const CMelvioDoc&) = delete;

    // File New: reopens the preview port, empties the melody at tempo 120 and marks it changed.
    bool OnNewDocument();
    // The window closes: the preview port is closed.
    void OnCloseDocument();

    // Stores the .rte file, or loads it; see SerializeResult for a load that fails.
    SerializeResult Serialize(Archive& ar);

    // Inserts a note at the insertion point (replacing a selection), sounds it, advances.
    void InsertNote(int pitch, int duration, int dotted, int* lastPitch);
    // Writes a note at the insertion point, sounds it and advances the insertion point.
    void StoreAtCaret(int pitch, int duration, int dotted, int* lastPitch);
    // Overwrites note index (0 to 69), filling any gap with quarter rests, and sounds it.
    // Does not mark the document changed; its callers do.
    void SetNote(int index, int pitch, int duration, int dotted, int* lastPitch);
    // Removes notes from..to-1 (limited to the notes present); later notes move down.
    void RemoveNotes(int from, int to);
    // The document changed: modified flag set, every view repainted.
    void MarkChanged();

    // The MIDI file builder; each returns the next write position in smfBuffer.
    std::uint8_t* BeginMidiFile();
    std::uint8_t* AppendNoteEvents(std::uint8_t* out, int index);
    std::uint8_t* EndMidiFile(std::uint8_t* out);
    // Builds the file afresh from all notes; the bytes (trackLength + 22) stay in smfBuffer.
    std::span<const std::uint8_t> BuildMidiFile();

    // The tempo from the tool bar's field when the field stands for this document, else the
    // document's own tempo.
    int ReadTempo();
    // Puts beatsPerMinute into the tool bar's field; the field then stands for this document.
    void ShowTempo(int beatsPerMinute);
    // The tempo confirmed in the tool bar: a different one is a change like any edit.
    void SetTempo(int beatsPerMinute);

    // Opens the preview port on the document's device when it is closed.
    void EnsureMidiOut();

    bool HasSelection() const { return caret != anchor; }
    int SelectionStart() const { return caret < anchor ? caret : anchor; }
    int SelectionEnd() const { return caret < anchor ? anchor : caret; }

    // Slot 0 of the clipboard holds pitch -1 while it is empty; Paste is enabled otherwise.
    bool ClipIsEmpty() const { return clip[0].pitch == -1; }
    void EmptyClip();

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    // Views showing this document, in the order they were added; the first is the melody view.
    void AddView(MelodyView* view);
    void RemoveView(MelodyView* view);
    MelodyView* GetMelodyView() const;
    void UpdateAllViews();

    // --- The document's state, read and moved by the views and commands. ---
    std::array<NoteEntry, MELODY_SLOTS> notes{};
    std::int32_t noteCount = 0;
    std::int32_t scrollSize[2] = {MELODY_SCROLL_WIDTH, MELODY_SCROLL_HEIGHT};
    // The device chosen in this document's MIDI settings dialog.
    std::int32_t settingsDevice = 0;
    // Name of the temporary MIDI file while it exists; empty otherwise.
    std::string tempPath;
    std::int32_t canPlay = 1;
    std::int32_t canStop = 0;
    std::int32_t canSendToPhone = 1;
    std::int32_t canPhonePlay = 1;
    std::int32_t canPhoneStop = 0;
    // The moving end of the selection: an insertion point, position i lies before note i.
    std::int32_t caret = 0;
    // The fixed end of the selection; equal to caret means no selection.
    std::int32_t anchor = 0;
    std::int32_t tempo = TEMPO_DEFAULT;
    std::array<std::uint8_t, SMF_BUFFER_SIZE> smfBuffer{};
    std::uint8_t* smfWrite = nullptr;
    std::int32_t lastDevice = 0;
    std::array<NoteEntry, MELODY_SLOTS> clip{};
    std::int32_t clipCount = 0;
    // Bytes of the MIDI track written so far, after the 8-byte track header.
    std::int32_t trackLength = 0;

private:
    SerializeResult Load(Archive& ar);
    void Store(Archive& ar);
    void ResetCommandFlags();
    void Report(int errorClass, int stringId);
    void Strike(int pitch, int* lastPitch);
    bool HasRoom(const std::uint8_t* out, std::size_t bytes) const;

    Services services_;
    std::vector<MelodyView*> views_;
    bool modified_ = false;
};

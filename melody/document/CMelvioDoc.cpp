#include "melody/document/CMelvioDoc.h"

#include "melody/document/ErrorReporter.h"
#include "melody/document/MelodyView.h"
#include "melody/document/PreviewPort.h"
#include "melody/document/TempoField.h"

#include <algorithm>

namespace {

constexpr NoteEntry QUARTER_REST{0, 2, 0};
constexpr NoteEntry EMPTY_CLIP_SLOT{-1, -1, 0};

} // namespace

CMelvioDoc::CMelvioDoc(const Services& services) : services_(services)
{
    EmptyClip();
    if (services_.preview)
        settingsDevice = lastDevice = services_.preview->CurrentDevice();
}

CMelvioDoc::~CMelvioDoc()
{
    // The field must not go on standing for a document that is gone.
    if (services_.tempoField && services_.tempoField->shown_ == this)
        services_.tempoField->shown_ = nullptr;
}

bool CMelvioDoc::OnNewDocument()
{
    if (PreviewPort* port = services_.preview) {
        if (port->IsOpen())
            port->Close();
        port->Open(port->CurrentDevice());
    }
    noteCount = 0;
    tempo = TEMPO_DEFAULT;
    EmptyClip();
    ResetCommandFlags();
    caret = anchor = 0;
    MarkChanged();
    return true;
}

void CMelvioDoc::OnCloseDocument()
{
    if (services_.preview && services_.preview->IsOpen())
        services_.preview->Close();
}

void CMelvioDoc::ResetCommandFlags()
{
    canPlay = 1;
    canStop = 0;
    canSendToPhone = 1;
    canPhonePlay = 1;
    canPhoneStop = 0;
}

void CMelvioDoc::EmptyClip()
{
    clip[0] = EMPTY_CLIP_SLOT;
    clipCount = 0;
}

void CMelvioDoc::InsertNote(int pitch, int duration, int dotted, int* lastPitch)
{
    if (caret < 0 || caret >= MELODY_EDIT_LIMIT || noteCount >= MELODY_EDIT_LIMIT)
        return;
    if (!IsValidNote({pitch, duration, dotted}))
        return;
    if (HasSelection()) {
        const int low = SelectionStart();
        RemoveNotes(low, SelectionEnd());
        caret = anchor = low;
    }
    noteCount += 1;
    // Slot 70 exists so that this shift never falls off the array.
    for (int slot = MELODY_EDIT_LIMIT; slot > caret; --slot)
        notes[slot] = notes[slot - 1];
    StoreAtCaret(pitch, duration, dotted, lastPitch);
}

void CMelvioDoc::StoreAtCaret(int pitch, int duration, int dotted, int* lastPitch)
{
    if (!IsValidNote({pitch, duration, dotted}))
        return;
    if (anchor >= 0 && caret <= MELODY_EDIT_LIMIT)
        SetNote(anchor, pitch, duration, dotted, lastPitch);
    if (caret <= MELODY_EDIT_LIMIT) {
        caret += 1;
        anchor += 1;
    }
    MarkChanged();
}

void CMelvioDoc::SetNote(int index, int pitch, int duration, int dotted, int* lastPitch)
{
    tempo = ReadTempo();
    if (index < 0 || index >= MELODY_EDIT_LIMIT)
        return;
    const NoteEntry note{pitch, duration, dotted};
    if (!IsValidNote(note))
        return;
    if (noteCount < index + 1) {
        for (int slot = std::max(noteCount, 0); slot < index; ++slot)
            notes[slot] = QUARTER_REST;
        noteCount = index + 1;
    }
    notes[index] = note;
    Strike(pitch, lastPitch);
    if (MelodyView* view = GetMelodyView())
        view->KeepCaretVisible();
}

void CMelvioDoc::Strike(int pitch, int* lastPitch)
{
    if (PreviewPort* port = services_.preview) {
        if (settingsDevice != lastDevice) {
            port->SetCurrentDevice(settingsDevice);
            port->Close();
            port->Open(settingsDevice);
            lastDevice = settingsDevice;
        }
        // The same pitch set twice is struck again without a note-off between.
        if (pitch != port->SoundingPitch())
            port->NoteOffLast();
        EnsureMidiOut();
        if (pitch != 0)
            port->NoteOn(pitch);
        port->SetSoundingPitch(pitch);
    }
    if (lastPitch)
        *lastPitch = pitch;
}

void CMelvioDoc::EnsureMidiOut()
{
    if (services_.preview && !services_.preview->IsOpen())
        services_.preview->Open(settingsDevice);
}

void CMelvioDoc::RemoveNotes(int from, int to)
{
    const int count = std::clamp(noteCount, 0, MELODY_SLOTS);
    from = std::clamp(from, 0, count);
    to = std::clamp(to, 0, count);
    if (from >= to)
        return;
    std::copy(notes.begin() + to, notes.begin() + count, notes.begin() + from);
    noteCount = count - (to - from);
}

void CMelvioDoc::MarkChanged()
{
    SetModifiedFlag(true);
    UpdateAllViews();
}

int CMelvioDoc::ReadTempo()
{
    TempoField* field = services_.tempoField;
    if (field && field->shown_ == this)
        return field->ReadTempo();
    return tempo;
}

void CMelvioDoc::ShowTempo(int beatsPerMinute)
{
    if (TempoField* field = services_.tempoField) {
        field->ShowTempo(beatsPerMinute);
        field->shown_ = this;
    }
}

void CMelvioDoc::SetTempo(int beatsPerMinute)
{
    if (beatsPerMinute == tempo)
        return;
    tempo = beatsPerMinute;
    MarkChanged();
}

void CMelvioDoc::Report(int errorClass, int stringId)
{
    if (services_.errors)
        services_.errors->Fehler_Melden(errorClass, stringId);
}

void CMelvioDoc::AddView(MelodyView* view)
{
    if (view && std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void CMelvioDoc::RemoveView(MelodyView* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

MelodyView* CMelvioDoc::GetMelodyView() const
{
    return views_.empty() ? nullptr : views_.front();
}

void CMelvioDoc::UpdateAllViews()
{
    for (std::size_t i = 0; i < views_.size(); ++i)
        views_[i]->OnUpdate();
}

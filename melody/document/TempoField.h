// The tool bar's tempo field as the melody documents reach it. One field serves every open
// melody, so it stands for one document at a time: the one that last put its tempo into it
// (CMelvioDoc::ShowTempo, on focus or after loading). A document that is not that one keeps
// its own tempo instead of taking whatever the field shows for another melody.
#pragma once

class CMelvioDoc;

constexpr int TEMPO_MIN = 40;
constexpr int TEMPO_MAX = 240;
constexpr int TEMPO_DEFAULT = 120;

class TempoField {
public:
    virtual ~TempoField() = default;

    // The field's text as a decimal number, limited to TEMPO_MIN..TEMPO_MAX and written back.
    virtual int ReadTempo() = 0;
    // Puts beatsPerMinute into the spin (and so into the field).
    virtual void ShowTempo(int beatsPerMinute) = 0;

    // The document whose tempo the field holds now, or null.
    const CMelvioDoc* ShownDocument() const { return shown_; }

private:
    friend class CMelvioDoc;
    const CMelvioDoc* shown_ = nullptr;
};

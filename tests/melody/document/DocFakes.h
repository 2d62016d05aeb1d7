// Recording stand-ins for what a melody document reaches outside itself.
#pragma once

#include "melody/document/ErrorReporter.h"
#include "melody/document/MelodyView.h"
#include "melody/document/PreviewPort.h"
#include "melody/document/TempoField.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

struct RecordingReporter : ErrorReporter {
    std::vector<std::pair<int, int>> reports;
    void Fehler_Melden(int errorClass, int stringId) override { reports.emplace_back(errorClass, stringId); }
};

// Behaves as the tool bar's field does: reading limits the text to 40..240 and writes it back.
struct FakeTempoField : TempoField {
    int text = 120; // what the field shows now (the user may type anything)
    std::vector<int> shown;
    int ReadTempo() override
    {
        text = std::clamp(text, TEMPO_MIN, TEMPO_MAX);
        return text;
    }
    void ShowTempo(int beatsPerMinute) override
    {
        text = beatsPerMinute;
        shown.push_back(beatsPerMinute);
    }
};

// Logs the port traffic as short words: "open 2", "close", "on 60", "off 60", "device 2".
struct FakePreviewPort : PreviewPort {
    int device = 0;
    bool open = false;
    int sounding = -1;
    std::vector<std::string> log;

    int CurrentDevice() const override { return device; }
    void SetCurrentDevice(int d) override
    {
        device = d;
        log.push_back("device " + std::to_string(d));
    }
    bool IsOpen() const override { return open; }
    void Open(int d) override
    {
        open = true;
        log.push_back("open " + std::to_string(d));
    }
    void Close() override
    {
        if (open)
            log.push_back("close");
        open = false;
    }
    int SoundingPitch() const override { return sounding; }
    void SetSoundingPitch(int pitch) override { sounding = pitch; }
    void NoteOn(int pitch) override { log.push_back("on " + std::to_string(pitch)); }
    void NoteOffLast() override
    {
        if (sounding >= 0)
            log.push_back("off " + std::to_string(sounding));
        sounding = -1;
    }
};

struct CountingView : MelodyView {
    int updates = 0;
    int scrolls = 0;
    void OnUpdate() override { ++updates; }
    void KeepCaretVisible() override { ++scrolls; }
};

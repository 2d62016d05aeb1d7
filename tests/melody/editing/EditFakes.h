// Stand-ins for what the staff editor, the palette and the commands reach: the window's
// scrolling, the modifier keys, the palette buttons, the user's messages and the clipboard.
#pragma once

#include "tests/melody/document/DocFakes.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/editing/NotePalette.h"
#include "melody/editing/PhoneEngine.h"
#include "melody/editing/SmartMessagePaste.h"
#include "melody/editing/StaffEditor.h"
#include "melody/editing/UserMessages.h"

#include <optional>
#include <string>
#include <vector>

struct RecordingEngine : PhoneEngine {
    struct Call {
        std::string what;
        HWND window;
        UINT message;
        std::vector<std::uint8_t> data;
        int play;
    };
    std::vector<Call> calls;
    int result = 0;
    int ATMelWrite(HWND window, UINT message, const void* data, int length) override
    {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        calls.push_back({"write", window, message, {bytes, bytes + length}, -1});
        return result;
    }
    int ATMelTest(HWND window, UINT message, int play) override
    {
        calls.push_back({"test", window, message, {}, play});
        return result;
    }
};

struct FakeSurface : StaffSurface {
    int scrollX = 0;
    int width = 600;
    int repaints = 0;
    std::vector<std::string> scrolls; // "to 95", "lines -2"
    int ScrollX() const override { return scrollX; }
    int ClientWidth() const override { return width; }
    void ScrollToX(int x) override
    {
        scrollX = x;
        scrolls.push_back("to " + std::to_string(x));
    }
    void ScrollLines(int lines) override { scrolls.push_back("lines " + std::to_string(lines)); }
    void Repaint() override { ++repaints; }
};

struct FakeKeys : KeyState {
    bool shift = false;
    bool rightShift = false;
    bool ctrl = false;
    bool ShiftDown() const override { return shift || rightShift; }
    bool RightShiftDown() const override { return rightShift; }
    bool CtrlDown() const override { return ctrl; }
};

struct RecordingPalette : PaletteButtons {
    std::vector<std::string> calls;
    void ReleaseSharp() override { calls.push_back("sharp up"); }
    void ReleaseDot() override { calls.push_back("dot up"); }
    void ChooseDuration(int duration) override { calls.push_back("duration " + std::to_string(duration)); }
};

struct RecordingMessages : UserMessages {
    std::vector<std::string> boxes;
    std::vector<std::string> status;
    void ShowExclamation(const std::string& text) override { boxes.push_back(text); }
    void SetStatusText(const std::string& text) override { status.push_back(text); }
};

struct FakeClipboard : TextClipboard {
    bool hasText = true;
    bool opens = true;
    bool locks = true;
    std::string text;
    std::size_t askedFor = 0;
    bool open = false;
    int closes = 0;
    bool HasText() override { return hasText; }
    bool Open() override { return open = opens; }
    std::optional<std::string> ReadText(std::size_t maxBytes) override
    {
        askedFor = maxBytes;
        if (!locks)
            return std::nullopt;
        return text.substr(0, maxBytes);
    }
    void Close() override
    {
        open = false;
        ++closes;
    }
};

// The document, its editor and what they reach, wired as the program wires them.
struct EditorBench {
    RecordingReporter reporter;
    FakeTempoField field;
    FakePreviewPort port;
    FakeSurface surface;
    FakeKeys keys;
    CMelvioDoc doc{CMelvioDoc::Services{&reporter, &field, &port}};
    StaffEditor editor{doc, surface, &keys};

    void Fill(const std::vector<int>& pitches, int duration = 2)
    {
        for (std::size_t i = 0; i < pitches.size(); ++i)
            doc.notes[i] = {pitches[i], duration, 0};
        doc.noteCount = int(pitches.size());
    }
    std::vector<int> Pitches() const
    {
        std::vector<int> p;
        for (int i = 0; i < doc.noteCount; ++i)
            p.push_back(doc.notes[std::size_t(i)].pitch);
        return p;
    }
    void Select(int anchor, int caret)
    {
        doc.anchor = anchor;
        doc.caret = caret;
    }
};

// The note palette bar without its window: the keyboard and button hit test in bar client
// coordinates, the images the eight buttons show (which are the toggles the user sees), and the
// notes the keyboard inserts into the active melody.
#pragma once

#include "melody/editing/StaffEditor.h"

#include <array>
#include <functional>

class CMelvioDoc;
class PreviewPort;

// Control ids of the bar's pictures.
constexpr int IDC_KEYBOARD = 1011;
constexpr int IDC_NOTE_WHOLE = 1012; // then half, quarter, eighth, sixteenth, thirty-second
constexpr int IDC_SHARP = 1018;
constexpr int IDC_DOT = 1019;

constexpr int PALETTE_BUTTONS = 8;
constexpr int BUTTON_SHARP = 6;
constexpr int BUTTON_DOT = 7;

// Where the palette finds the melody it works on.
class ActiveMelody {
public:
    virtual ~ActiveMelody() = default;
    // The active melody window's document and view; null when no melody is open.
    virtual CMelvioDoc* ActiveDocument() = 0;
    virtual StaffEditor* ActiveView() = 0;
};

class NotePalette : public PaletteButtons {
public:
    // preview may be null (no preview port: nothing sounds).
    NotePalette(ActiveMelody& melody, PreviewPort* preview);

    // The keyboard's mouse messages.
    void OnKeyboardDown(int x, int y);
    void OnKeyboardMove(int x, int y, bool leftButtonDown);
    void OnKeyboardUp();

    // The pitch (48 to 84, 0 for the rest key) at (x, y), or -1; a button hit switches images.
    int HitTest(int x, int y);
    void InsertKeyboardNote(int pitch, int duration);
    // Gives button id (1012 to 1019) its down or up image and applies it to the active view.
    void SetButtonImage(int id, bool down);

    bool IsDown(int button) const { return down_[std::size_t(button)]; }

    // PaletteButtons: the view puts buttons back.
    void ReleaseSharp() override;
    void ReleaseDot() override;
    void ChooseDuration(int duration) override;

    // Called after the images changed, so the bar can repaint.
    std::function<void()> imagesChanged;

    int pendingDot = 0;
    int lastButton = 2;
    int paletteDuration = 2;

private:
    void AllUp();
    void Changed();

    ActiveMelody& melody_;
    PreviewPort* preview_;
    // Quarter chosen at the start.
    std::array<bool, PALETTE_BUTTONS> down_ = {false, false, true, false, false, false, false, false};
    int soundingWithoutPort_ = -1;
};

#include "melody/editing/NotePalette.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/PreviewPort.h"

namespace {

// The keyboard picture: 552 x 90 pixels at (8, 8). Its upper band gives one semitone per 14
// pixels from 48, then 84 and the rest key; its lower band 22 white keys of 24 pixels and the
// rest key.
constexpr int BAR_MARGIN = 8;
constexpr int KEYBOARD_BOTTOM = 89;
constexpr int BUTTONS_LEFT = 564;
constexpr int UPPER_BAND_BOTTOM = 59;
constexpr int SEMITONE_WIDTH = 14;
constexpr int LAST_SEMITONE_X = 503;
constexpr int TOP_KEY_X = 527;
constexpr int REST_KEY_X = 551;
constexpr int WHITE_KEY_WIDTH = 24;
constexpr int WHITE_KEYS[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int LOWEST_KEY = 48;
constexpr int HIGHEST_KEY = 84;

// The two rows of buttons, in bar coordinates less the margin.
constexpr int UPPER_ROW_BOTTOM = 39;
constexpr int LOWER_ROW_TOP = 49;
struct Column {
    int left;
    int right;
};
constexpr Column COLUMNS[4] = {{BUTTONS_LEFT, 601}, {604, 641}, {644, 681}, {691, 728}};

} // namespace

NotePalette::NotePalette(ActiveMelody& melody, PreviewPort* preview) : melody_(melody), preview_(preview) {}

void NotePalette::Changed()
{
    if (imagesChanged)
        imagesChanged();
}

void NotePalette::SetButtonImage(int id, bool down)
{
    const int index = id - IDC_NOTE_WHOLE;
    if (index < 0 || index >= PALETTE_BUTTONS)
        return;
    down_[std::size_t(index)] = down;
    lastButton = index;
    Changed();
    StaffEditor* view = melody_.ActiveView();
    if (!view)
        return;
    if (index < BUTTON_SHARP) {
        paletteDuration = view->curDuration = index;
    } else if (index == BUTTON_SHARP) {
        view->sharpOn = down ? 1 : 0;
    } else {
        view->dotOn = down ? 1 : 0;
        if (down)
            pendingDot = 1;
    }
}

void NotePalette::AllUp()
{
    for (int i = 0; i < PALETTE_BUTTONS; ++i)
        SetButtonImage(IDC_NOTE_WHOLE + i, false);
}

int NotePalette::HitTest(int x, int y)
{
    const int d = x - BAR_MARGIN;
    const int e = y - BAR_MARGIN;
    if (d < 0 || e < 0 || e > KEYBOARD_BOTTOM)
        return -1;

    if (d < BUTTONS_LEFT) {
        SetButtonImage(IDC_SHARP, false);
        SetButtonImage(IDC_DOT, false);
        if (e <= UPPER_BAND_BOTTOM) {
            if (d <= LAST_SEMITONE_X)
                return LOWEST_KEY + d / SEMITONE_WIDTH;
            if (d <= TOP_KEY_X)
                return HIGHEST_KEY;
            return d <= REST_KEY_X ? 0 : -1;
        }
        if (d <= TOP_KEY_X)
            return WHITE_KEYS[(d / WHITE_KEY_WIDTH) % 7] + 12 * (d / (7 * WHITE_KEY_WIDTH)) + LOWEST_KEY;
        return d <= REST_KEY_X ? 0 : -1;
    }

    int row = -1;
    if (e <= UPPER_ROW_BOTTOM)
        row = 0;
    else if (e >= LOWER_ROW_TOP)
        row = 1;
    if (row < 0)
        return -1;
    for (int column = 0; column < 4; ++column) {
        if (d < COLUMNS[column].left || d > COLUMNS[column].right)
            continue;
        if (column < 3) {
            AllUp();
            SetButtonImage(IDC_NOTE_WHOLE + column + 3 * row, true);
        } else {
            SetButtonImage(row == 0 ? IDC_SHARP : IDC_DOT, true);
        }
        break;
    }
    return -1;
}

void NotePalette::InsertKeyboardNote(int pitch, int duration)
{
    if (pitch < 0)
        return;
    CMelvioDoc* doc = melody_.ActiveDocument();
    if (!doc || doc->caret >= MELODY_EDIT_LIMIT)
        return;
    const int stillSounding = preview_ ? preview_->SoundingPitch() : soundingWithoutPort_;
    if (pitch != stillSounding) {
        int struck = -1;
        doc->InsertNote(pitch, duration, pendingDot, &struck);
        if (!preview_)
            soundingWithoutPort_ = struck;
        pendingDot = 0;
    }
    doc->MarkChanged();
}

void NotePalette::OnKeyboardDown(int x, int y) { InsertKeyboardNote(HitTest(x, y), paletteDuration); }

void NotePalette::OnKeyboardMove(int x, int y, bool leftButtonDown)
{
    if (leftButtonDown)
        InsertKeyboardNote(HitTest(x, y), paletteDuration);
}

void NotePalette::OnKeyboardUp()
{
    // Without a device the port never opens, but the key still has to count as released, or
    // the same key could not be entered twice in a row.
    if (preview_) {
        if (preview_->IsOpen() && preview_->SoundingPitch() >= 0)
            preview_->NoteOffLast();
        preview_->SetSoundingPitch(-1);
    }
    soundingWithoutPort_ = -1;
}

void NotePalette::ReleaseSharp() { SetButtonImage(IDC_SHARP, false); }

void NotePalette::ReleaseDot()
{
    SetButtonImage(IDC_DOT, false);
    pendingDot = 0;
}

void NotePalette::ChooseDuration(int duration)
{
    if (duration < 0 || duration >= BUTTON_SHARP)
        return;
    AllUp();
    SetButtonImage(IDC_NOTE_WHOLE + duration, true);
}

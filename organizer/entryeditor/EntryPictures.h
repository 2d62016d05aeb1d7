// The entry editor's pictures, drawn by our own code: the kinds of an entry, the alarm clock and
// the toolbar's commands, each 16 x 16 pixels, and the strip of them that the editor's picture
// clip cuts into its image list.
#pragma once

#include <QImage>

namespace tessaro {

// In the order of the toolbar strip.
enum class EntryPicture {
    Memo,
    Meeting,
    Anniversary,
    PhoneCall,
    OnOff,
    Delete,
    Save,
    New,
    Help,
    Serie,
    Calendar,
    Alarm,
};
constexpr int EntryPictureCount = 12;
constexpr int EntryPictureSize = 16;
// The strip has room for three pictures more than it holds.
constexpr int EntryStripCells = 15;

QImage DrawEntryPicture(EntryPicture which);

// 240 x 16: the twelve pictures in order, then three empty cells.
QImage EntryToolStrip();

} // namespace tessaro

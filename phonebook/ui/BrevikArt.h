// The phonebook editor's pictures, drawn in code: the program icon, the two arrow icons of the
// copy buttons, the tool bar's images and the folder pictures of the folder combo box and the
// folder list (one 18-pixel image per folder kind, in a normal and a disabled look).
#pragma once

#include <QIcon>
#include <QPixmap>

namespace brevik {

constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_COPY_TO_PHONE = 143; // arrow to the phone list
constexpr int IDI_COPY_TO_PAB = 144;   // arrow to the address book list
constexpr int IDB_FOLDERS = 134;
constexpr int IDB_FOLDERS_DISABLED = 135;
constexpr int kFolderPictureSize = 18;

// Icons by resource id; an empty icon for an id that is not the editor's.
QIcon brevikIcon(int id);

// The tool bar's image of a command (16 x 15); a null pixmap for a command without one.
QPixmap toolbarImage(int command);

// The picture of a folder kind (1 the root, 2 a distribution list), 18 x 18 with a transparent
// background; the disabled look is grey.
QPixmap folderPicture(int kind, bool disabled);

} // namespace brevik

// The phone's state in the main window's status bar: maker and model with a picture, connected
// or not, and how many of the phone's calendar locations are taken.
#pragma once

#include <QString>

namespace tessaro {

inline const QString PanelMobile = QStringLiteral("Mobile");
inline const QString PanelMobileStatus = QStringLiteral("MobileStatus");
inline const QString PanelEntryCounter = QStringLiteral("EntryCounter");
inline const QString PictureMobileConnected = QStringLiteral("ImageHandy_gruen");
inline const QString PictureNoMobile = QStringLiteral("ImageHandy_grau");

// Rewrites the three panels from the phone-side state, then lets the main window update its
// commands.
void ShowMobileStatus();

} // namespace tessaro

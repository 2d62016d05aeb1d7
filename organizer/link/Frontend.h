// The guarded phone operations: a write or delete opens the link, refuses to run inside
// another one, and on any error closes the port before passing the error on.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace tessaro {

// Set while a guarded write or delete runs.
inline bool FrontendBusy = false;

// Refuses re-entry with -1998, opens the link (its result is not looked at: a failed opening
// has shown its box, and the first command then fails on the closed port), marks busy.
void BeginFunc(const QString& procName);

// Writes `data` as one object after making sure no upload is pending.
void SendeFeldAnMs(const QByteArray& data, const QByteArray& type, std::int16_t index);

// Deletes the object at `index`.
void RecordLoeschen(const QByteArray& type, std::int16_t index);

// True when no upload is pending or the pending one was reset; -1975 otherwise.
bool CheckMobileWrite();

} // namespace tessaro

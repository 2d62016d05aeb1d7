// The phone the demo starts with: the simulated phone's whole state, its stores filled as a phone
// in daily use holds them (both phone directories, call lists, messages, a ring tone and calendar
// entries), each written by the code of the suite that writes such data, so the demo shows what
// the programs will meet. tools/demo/profile/phone.json is this state as demo-phone writes it.
#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace torvane::demo {

QJsonObject demoPhoneState();
// The state as it stands in the file: indented JSON.
QByteArray demoPhoneFile();

} // namespace torvane::demo

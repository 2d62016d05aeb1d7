// Corvant's string table, by id as the resources number them. It also holds the error report
// texts of the suite's other programs, because Corvant shows every report.
#pragma once

#include <string>

namespace corvant {

constexpr int IDS_ERROR_NUMBER = 0;    // "Error %d", for a report id without a text
constexpr int IDS_PIN_REJECTED = 1;
constexpr int IDS_ERROR_CLASS_BASE = 300; // + the report's class: its title
constexpr int IDS_REPORT_DETAIL_OFFSET = 5000;
constexpr int IDS_APP_TITLE = 57344;
constexpr int IDS_CONFIGURING = 61210;
constexpr int IDS_HOME_DIRECTORY = 61213;
constexpr int IDS_VALIDITY_FIRST = 61214; // to 61230, the validity choices in order
// The status texts the forwarding and barring dialogs share.
constexpr int IDS_CHECK_IN_PROGRESS = 61240;
constexpr int IDS_ACTION_SUCCESSFUL = 61241;
constexpr int IDS_MAKER = 61277;
constexpr int IDS_PHONE_SETTING = 61278;
constexpr int IDS_PHONEBOOK_TITLE = 61279;
constexpr int IDS_RINGTONE_TITLE = 61280;
constexpr int IDS_HELP_FILE = 61281;

// The main program's report ids.
constexpr int IDS_ZEL_REGISTRATION = 41500;
constexpr int IDS_ZEL_DEREGISTRATION = 41501;
constexpr int IDS_MAX_PARTS_RANGE = 41502;
constexpr int IDS_WAIT_RANGE = 41503;

// Report classes (the first argument of Fehler_Melden).
constexpr int ERROR_CLASS_ERROR = 1;
constexpr int ERROR_CLASS_SOFTWARE = 2;
constexpr int ERROR_CLASS_EXCEPTIONAL = 3;
constexpr int ERROR_CLASS_OPERATING = 4;
constexpr int ERROR_CLASS_PHONE = 5;

// The text of id; null when the table has none.
const char* corvantString(int id);
// The text of id; empty when the table has none.
std::string loadString(int id);

} // namespace corvant

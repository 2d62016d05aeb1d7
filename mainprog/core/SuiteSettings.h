// The suite's settings below HKEY_CURRENT_USER "Software\Torvane\Quorvane PRO": the sections,
// the value names and the defaults they are read with.
#pragma once

#include "platform/registry/AppProfile.h"

#include <string>

namespace corvant {

namespace section {
constexpr char Settings[] = "Settings";
constexpr char MapiServer[] = "MAPIServer";
constexpr char Page1[] = "CfgPropPage1";
constexpr char Page2[] = "CfgPropPage2";
} // namespace section

namespace value {
// Settings
constexpr char ComPort[] = "KONF_COMPORT";
constexpr char MaxParts[] = "KONF_SM_MAX_ANZAHL";
constexpr char WaitMinutes[] = "KONF_ZEITSPANNE";
constexpr char ServiceCentre[] = "KONF_SMSC_ADRESSE";
constexpr char Validity[] = "KONF_SM_LEBENSDAUER";
constexpr char SpoolDir[] = "KONF_SMS_DIR";
constexpr char Preview[] = "KONF_PREVIEW";
constexpr char DebugDlg[] = "DebugDlg";
constexpr char TerminPrg[] = "TerminPrg";
constexpr char TerminPrgTrm[] = "TerminPrgTrm";
// MAPIServer (besides the mirrored KONF_ values)
constexpr char MapiLog[] = "MAPILog";
constexpr char RefNum[] = "SM_REF_NUM";
// CfgPropPage1
constexpr char PageMaxParts[] = "MaxNumSMS";
constexpr char PageWait[] = "SMSMaxWaitTime";
constexpr char PageServicePrefix[] = "SMSService"; // SMSService1 to SMSService4
constexpr char PageServicePos[] = "SMSServicePos";
constexpr char PageLifeTime[] = "SMSLifeTime";
constexpr char PagePathPrefix[] = "SMS_Path"; // SMS_Path1 to SMS_Path4
constexpr char PagePathPos[] = "SMS_PathPos";
constexpr char PagePreview[] = "PreviewActive";
// CfgPropPage2
constexpr char Phonebooks[] = "Phonebooks";
constexpr char Autoload[] = "Autoload";
constexpr char ShowCorrection[] = "ShowCorrection";
} // namespace value

constexpr char DEFAULT_COM_PORT[] = "COM1";
constexpr int HISTORY_ENTRIES = 4;

// The main program's profile: registry key "Torvane" (the maker), application "Quorvane PRO".
torvane::registry::AppProfile corvantProfile();

// The port the host opens: Settings/KONF_COMPORT, "COM1" when missing.
std::string configuredPort(const torvane::registry::AppProfile& profile);

// Where the SMS spool lives when no folder is configured: the user's data folder of the suite
// ($XDG_DATA_HOME/torvane/, or ~/.local/share/torvane/), ending with "/".
std::string defaultSpoolRoot();

// A configured folder as the spool root: the default when empty, with "/" appended when it does
// not end with one.
std::string spoolRootFrom(const std::string& folder);

} // namespace corvant

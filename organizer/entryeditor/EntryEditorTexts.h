// Offsets of the entry editor's texts in the organizer's language table (LangText).
#pragma once

namespace tessaro {

constexpr int TxtEditMobileEntry = 100; // second half of the window caption
constexpr int TxtAlarmPast = 158;       // the alarm would lie in the past: save without it?
constexpr int TxtDescriptionTip = 170;  // tooltip of the text box for a memo, meeting, anniversary
constexpr int TxtPhoneNumberTip = 171;  // tooltip of the text box for a phone call
constexpr int TxtAlarmTip = 182;
constexpr int TxtAlarmCaption = 183;

} // namespace tessaro

#include "mainprog/CorvantStrings.h"

#include <map>

namespace corvant {

namespace {

// The report texts of the whole suite (the melody editor 40001-40005, the phonebook editor
// 41000-41025, this program 41500-41509), each with its detail at id + 5000, and this
// program's own texts.
const std::map<int, const char*> kStrings {
    {0, "Error %d"},
    {1, "The PIN you have entered was not accepted. Please enter the correct PIN directly at the mobile phone and then restart QVN 3.0."},
    {301, "Error"},
    {302, "Software error"},
    {303, "Exceptional error"},
    {304, "operating error"},
    {305, "mobile phone error"},
    {40001, "Cannot find the temp-file !"},
    {45001, "Ring ton editor cannot find a temporary directory in your system. Get more information in the help contents of your operating system to set an environment variable pointing at the temp-directory."},
    {40002, "Cannot take hold of the registry !"},
    {45002, "The program was not installed correctly. Retry the installation of Quorvane 3.0 on your computer."},
    {40003, "Cannot find any MIDI-device !"},
    {45003, "The program also works without MIDI output devices. But then you can listen to the edited melodies only on the mobile phone."},
    {40004, "Cannot open the MIDI-device !"},
    {45004, "Close other programs using the MIDI output device."},
    {40005, "Error while playing the melody !"},
    {45005, "A MIDI synthesizer can play back only one melody at a time. Wait until the play back stops."},
    {41000, "Error while initializing MAPI"},
    {46000, "System error - try restart"},
    {41001, "Error during MAPI-Logon"},
    {46001, "System error - try restart"},
    {41002, "Error while opening the address book"},
    {46002, "System error - try restart"},
    {41003, "Error while opening the personal address book"},
    {46003, "System error - try restart"},
    {41004, "Error while opening the PAB-Root-Container"},
    {46004, "System error - try restart"},
    {41005, "GetContentsTable: No entries available."},
    {46005, "System error - try restart"},
    {41006, "Error during query of the PAB-Containers (GetContentsTable)"},
    {46006, "System error - try restart"},
    {41007, "Error during query of the PAB-Containers (HrQueryAllRows)"},
    {46007, "System error - try restart"},
    {41008, "Error while opening the PAB-Containers (OpenProperty)"},
    {46008, "System error - try restart"},
    {41009, "Error while opening the PAB-Containers (SetColumns)"},
    {46009, "System error - try restart"},
    {41010, "Error while opening the PAB-Containers (Restrict)"},
    {46010, "System error - try restart"},
    {41011, "Error while opening the PAB-Containers (GetRowCount)"},
    {46011, "System error - try restart"},
    {41012, "Error while creating the PAB-Entry (CreateEntry)"},
    {46012, "System error - try restart"},
    {41013, "Error while creating the PAB-Entry (SetProps)"},
    {46013, "System error - try restart"},
    {41014, "Error while creating the PAB-Entry: The entry already exists."},
    {46014, "System error - try restart"},
    {41015, "Error while creating the PAB-Entry (SaveChanges)"},
    {46015, "System error - try restart"},
    {41016, "Invalid input. Only '!' or '  ' allowed."},
    {46016, "Correct your entry"},
    {41017, "Communication error with the mobile phone. \nPossible reasons:\n1) The name already exists\n2) invalid index chosen (e.g. in Own directory)\n3) non GSM characters used."},
    {46017, "Possible reasons:\n1) The name already exists\n2) invalid index chosen (e.g. in Own directory)\n3) non GSM characters used."},
    {41018, "Action aborted."},
    {41019, "An error occurred while reading mobile phone data: No data."},
    {46019, "Check connection to mobile phone."},
    {41020, "Error: This directory can only be read."},
    {46020, "Select another mobile phone directory for writing"},
    {41021, "No data for writing - Action aborted."},
    {41022, "The name  '%s'  already exists in the PAB-list - Saving impossible.\nEnter another name ?"},
    {41023, "Incomplete input (input for all fields is required; in the last field \" \" or \"!\").\nComplete your input."},
    {46023, "Correct your entry"},
    {41024, "Mobile phone directory not available."},
    {46024, "Select another mobile phone directory"},
    {41025, "Maximum number of entries exceeded."},
    {46025, "Before inserting new entries, delete other entries in this directory "},
    {41500, "Error during the registration of ZEL-DLL"},
    {46500, "Error during the registration of ZEL-DLL. Wrong version or directory."},
    {41501, "Error during the de-registration of ZEL-DLL"},
    {46501, "Error during the de-registration of ZEL-DLL. Wrong version or directory."},
    {41502, "Error: max. number of concatenated  SMS outside 1...255"},
    {46502, "Error: max. number of concatenated  SMS outside 1...255"},
    {41503, "Error: maximum waiting period  for concatenated SMS outside  5...60 Min."},
    {46503, "Error: maximum waiting period  for concatenated SMS outside  5...60 Min."},
    {41504, "An error occurred while checking the barrings."},
    {46504, "An error occurred while checking the barrings. Check connection."},
    {41505, "An error occurred while setting the barrings."},
    {46505, "An error occurred while setting the barrings. Check connection."},
    {41507, "An error occurred while checking the call numbers."},
    {46507, "An error occurred while checking the call numbers. Check connection."},
    {41508, "An error occurred while saving the call numbers."},
    {46508, "An error occurred while saving the call numbers. Check connection."},
    {41509, "Error during password entry."},
    {46509, "Repeat your entry."},
    {57344, "Quorvane 3.0"},
    {61205, "Quorvane 3.0 - ready"},
    {61206, "Quorvane 3.0 - Phone not connected"},
    {61207, "Quorvane 3.0 - Phone not ready"},
    {61208, "Quorvane 3.0 - Entry required"},
    {61210, "Configuring"},
    {61213, "Home directory"},
    {61214, "5 min"},
    {61215, "10 min"},
    {61216, "20 min"},
    {61217, "30 min"},
    {61218, "1 h"},
    {61219, "2 h"},
    {61220, "6 h"},
    {61221, "12 h"},
    {61222, "1 day"},
    {61223, "2 days"},
    {61224, "5 days"},
    {61225, "1 week"},
    {61226, "2 weeks"},
    {61227, "5 weeks"},
    {61228, "10 weeks"},
    {61229, "20 weeks"},
    {61230, "Maximum"},
    {61277, "Torvane"},
    {61278, "Phone setting"},
    {61279, "Telephone Directory"},
    {61280, "Ring Tone Edit"},
    {61281, "qvnpro.hlp"},
};

} // namespace

const char* corvantString(int id)
{
    const auto it = kStrings.find(id);
    return it != kStrings.end() ? it->second : nullptr;
}

std::string loadString(int id)
{
    const char* text = corvantString(id);
    return text != nullptr ? std::string(text) : std::string();
}

} // namespace corvant

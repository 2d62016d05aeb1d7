// Where the melody editor's error reports go. The program hands them to the engine's
// Fehler_Melden, which has the main program show the text of the id; tests record them.
#pragma once

// Report classes as the main program files them.
constexpr int ERROR_CLASS_PC = 3;      // the PC side failed (MIDI device, registry, clipboard)
constexpr int ERROR_CLASS_REFUSED = 4; // input or an operation was refused
constexpr int ERROR_CLASS_PHONE = 5;   // the phone answered with an error

// String ids of the reports the document itself raises.
constexpr int IDS_ERR_LOAD_FILE = 40006;     // "Error while loading the file !"
constexpr int IDS_ERR_FILE_TOO_LONG = 40007; // "File too long !"

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void Fehler_Melden(int errorClass, int stringId) = 0;
};

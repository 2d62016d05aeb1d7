#include "melody/editing/SmartMessagePaste.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/Rtttl.h"

#include <algorithm>

void OnSmartMessagePaste(CMelvioDoc& doc, TextClipboard& clipboard, ErrorReporter* errors)
{
    auto report = [errors](int errorClass, int id) {
        if (errors)
            errors->Fehler_Melden(errorClass, id);
    };
    if (!clipboard.HasText()) {
        report(ERROR_CLASS_REFUSED, IDS_ERR_CLIPBOARD_NO_TEXT);
        return;
    }
    if (!clipboard.Open()) {
        report(ERROR_CLASS_PC, IDS_ERR_CLIPBOARD_OPEN);
        return;
    }
    std::string text;
    if (std::optional<std::string> read = clipboard.ReadText(RTTTL_MAX_TEXT))
        text = read->substr(0, std::min(read->size(), RTTTL_MAX_TEXT));
    else
        report(ERROR_CLASS_PC, IDS_ERR_CLIPBOARD_OPEN);
    clipboard.Close();

    ParseRtttl(doc, text, errors);
    // The caret stays on the melody, however much shorter the import made it.
    doc.caret = std::clamp(int(doc.caret), 0, int(doc.noteCount));
    doc.anchor = std::clamp(int(doc.anchor), 0, int(doc.noteCount));
    doc.MarkChanged();
}

// Edit "Smart Message from clipboard": the system clipboard's text read as RTTTL into the
// active melody.
#pragma once

#include <optional>
#include <string>

class CMelvioDoc;
class ErrorReporter;

// The system clipboard as the import reads it.
class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    virtual bool HasText() = 0;
    // False when another program holds the clipboard.
    virtual bool Open() = 0;
    // The text, at most maxBytes of it (Latin-1); nothing when its data cannot be locked.
    virtual std::optional<std::string> ReadText(std::size_t maxBytes) = 0;
    virtual void Close() = 0;
};

void OnSmartMessagePaste(CMelvioDoc& doc, TextClipboard& clipboard, ErrorReporter* errors);

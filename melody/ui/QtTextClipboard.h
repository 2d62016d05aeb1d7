// The system clipboard's text through Qt, in the suite's single-byte encoding.
#pragma once

#include "melody/editing/SmartMessagePaste.h"

class QtTextClipboard : public TextClipboard {
public:
    bool HasText() override;
    bool Open() override;
    std::optional<std::string> ReadText(std::size_t maxBytes) override;
    void Close() override;
};

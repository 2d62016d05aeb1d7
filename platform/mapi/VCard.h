// One vCard (version 3.0 or 4.0) as a file holds it: its content lines in their order, each
// line that nobody changed kept byte for byte as it was read (folding, parameters, case), so
// that writing a card back changes only what was changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::mapi::vcard {

struct Param {
    std::string name;
    std::vector<std::string> values; // quotes removed
};

struct ContentLine {
    // The line as it stood in the file (folds and line end included); empty for a line made
    // or changed here, which is written anew.
    std::string raw;
    std::string group;
    std::string name; // empty for a line that is not a content line (kept as it is)
    std::vector<Param> params;
    std::string value; // unfolded, still escaped, in the file's encoding

    bool is(std::string_view propertyName) const;
    const Param* param(std::string_view paramName) const;
    // Whether a parameter of that name holds the value (values compare without case).
    bool hasParamValue(std::string_view paramName, std::string_view value) const;
    void removeParam(std::string_view paramName);
    // The line without its line end, as it is written when raw is empty.
    std::string render() const;
};

class Card {
public:
    // The text of a file holding exactly one card of version 3.0 or 4.0 (blank lines around it
    // allowed). nullopt, with the reason in why, for anything else.
    static std::optional<Card> parse(std::string_view text, std::string* why = nullptr);
    // A new, empty card of version 4.0 (BEGIN, VERSION, END), written with CRLF line ends.
    static Card create();

    // The file's text.
    std::string serialize() const;

    std::string version() const;

    // The lines between VERSION... and END, in file order (VERSION itself included).
    const std::vector<ContentLine>& lines() const { return lines_; }
    std::vector<ContentLine>& lines() { return lines_; }

    // The first line of the property, or null.
    const ContentLine* find(std::string_view propertyName) const;
    ContentLine* find(std::string_view propertyName);

    // Gives the line a new value (already escaped, UTF-8); it is then written anew.
    static void setValue(ContentLine& line, std::string value);
    // Adds a line before END.
    void append(ContentLine line);
    // Removes the line at that position of lines().
    void removeAt(std::size_t position);

private:
    std::string prefix_; // blank lines before BEGIN
    std::string suffix_; // blank lines after END
    ContentLine begin_;
    ContentLine end_;
    std::vector<ContentLine> lines_;
    std::string eol_ = "\r\n";
};

} // namespace torvane::mapi::vcard

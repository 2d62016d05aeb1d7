#include "tests/integration/randominput/SavedFiles.h"

#include "platform/mapi/CardFolder.h"
#include "platform/outlook/CalendarFile.h"
#include "platform/registry/RegFileFormat.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace torvane::test {

std::vector<std::string> unreadableFiles(const std::string& config, const std::string& data)
{
    namespace fs = std::filesystem;
    std::vector<std::string> problems;

    const std::string calendar = data + "/torvane/calendar.ics";
    QString why;
    if (!fs::exists(calendar))
        problems.push_back(calendar + ": gone");
    else if (!outlook::CalendarFile::open(QString::fromStdString(calendar), &why))
        problems.push_back(calendar + ": " + why.toStdString());

    const fs::path cards = data + "/torvane/addressbook";
    const mapi::CardFolder folder(cards);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(cards, error)) {
        const std::string name = entry.path().filename().string();
        if (!mapi::CardFolder::isCardFileName(name))
            continue;
        mapi::vcard::Card card = mapi::vcard::Card::create();
        std::string reason;
        const mapi::CardFolder::Load loaded = folder.load(name, &card, &reason);
        // A card removed meanwhile is the user's doing, not a card lost.
        if (loaded != mapi::CardFolder::Load::Ok && loaded != mapi::CardFolder::Load::Missing)
            problems.push_back(entry.path().string() + ": " + reason);
    }
    if (error)
        problems.push_back(cards.string() + ": " + error.message());

    for (const fs::directory_entry& entry : fs::directory_iterator(config + "/torvane", error)) {
        if (entry.path().extension() != ".reg")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const registry::ParseResult parsed = registry::parseRegFile(text, entry.path().stem().string());
        if (!parsed.ok)
            problems.push_back(entry.path().string() + ": line " + std::to_string(parsed.line) + ": " + parsed.message);
    }
    if (error)
        problems.push_back(config + "/torvane: " + error.message());
    return problems;
}

} // namespace torvane::test

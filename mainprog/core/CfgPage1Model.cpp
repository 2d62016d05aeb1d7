#include "mainprog/core/CfgPage1Model.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/SuiteSettings.h"

#include <cctype>
#include <charconv>

namespace corvant {

namespace {

constexpr int kPageMaxPartsDefault = 255;
constexpr int kPageWaitDefault = 60;

constexpr int kEditMaxParts = 1029;
constexpr int kEditWaitMinutes = 1030;

std::string historyValue(const char* prefix, int n)
{
    return std::string(prefix) + std::to_string(n);
}

std::string entryAt(const std::vector<std::string>& entries, int index)
{
    return index >= 0 && index < int(entries.size()) ? entries[index] : std::string();
}

} // namespace

CfgPage1Model::CfgPage1Model(torvane::registry::AppProfile& profile)
    : profile_(profile)
{
}

std::vector<std::string> CfgPage1Model::readHistory(const char* prefix) const
{
    std::vector<std::string> entries;
    for (int n = 1; n <= HISTORY_ENTRIES; ++n) {
        std::string entry = profile_.GetProfileString(section::Page1, historyValue(prefix, n));
        if (!entry.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

void CfgPage1Model::writeHistory(const char* prefix, const std::vector<std::string>& entries)
{
    for (int n = 1; n <= HISTORY_ENTRIES; ++n)
        profile_.WriteProfileString(section::Page1, historyValue(prefix, n), entryAt(entries, n - 1));
}

CfgPage1View CfgPage1Model::load() const
{
    CfgPage1View view;
    view.maxParts = int(profile_.GetProfileInt(section::Page1, value::PageMaxParts, kPageMaxPartsDefault));
    view.waitMinutes = int(profile_.GetProfileInt(section::Page1, value::PageWait, kPageWaitDefault));
    view.serviceHistory = readHistory(value::PageServicePrefix);
    view.serviceSelection = int(profile_.GetProfileInt(section::Page1, value::PageServicePos, 0));
    view.validitySelection = int(profile_.GetProfileInt(section::Page1, value::PageLifeTime, VALIDITY_DEFAULT_INDEX));
    view.pathHistory = readHistory(value::PagePathPrefix);
    view.pathSelection = int(profile_.GetProfileInt(section::Page1, value::PagePathPos, 0));
    view.preview = profile_.GetProfileInt(section::Page1, value::PagePreview, 1) != 0;
    return view;
}

std::optional<LimitBreach> CfgPage1Model::checkLimits(std::optional<int> maxParts, std::optional<int> waitMinutes)
{
    if (!maxParts || *maxParts < MAX_PARTS_MIN || *maxParts > MAX_PARTS_MAX)
        return LimitBreach {IDS_MAX_PARTS_RANGE, kEditMaxParts};
    if (!waitMinutes || *waitMinutes < WAIT_MINUTES_MIN || *waitMinutes > WAIT_MINUTES_MAX)
        return LimitBreach {IDS_WAIT_RANGE, kEditWaitMinutes};
    return std::nullopt;
}

void CfgPage1Model::apply(const CfgPage1Choice& choice, const std::function<void()>& configureSmsManager)
{
    auto& p = profile_;
    if (choice.maxParts && *choice.maxParts >= MAX_PARTS_MIN && *choice.maxParts <= MAX_PARTS_MAX) {
        p.WriteProfileInt(section::Page1, value::PageMaxParts, *choice.maxParts);
        p.WriteProfileInt(section::Settings, value::MaxParts, *choice.maxParts);
        p.WriteProfileInt(section::MapiServer, value::MaxParts, *choice.maxParts);
    }
    if (choice.waitMinutes && *choice.waitMinutes >= WAIT_MINUTES_MIN && *choice.waitMinutes <= WAIT_MINUTES_MAX) {
        p.WriteProfileInt(section::Page1, value::PageWait, *choice.waitMinutes);
        p.WriteProfileInt(section::Settings, value::WaitMinutes, *choice.waitMinutes);
        p.WriteProfileInt(section::MapiServer, value::WaitMinutes, *choice.waitMinutes);
    }

    // Service centre. Item 0 of the combo is "Phone setting": the history entry of combo item
    // n is entry n - 1, and that is the number stored.
    if (choice.serviceSelection == 0) {
        p.WriteProfileString(section::Settings, value::ServiceCentre, "");
    } else {
        std::vector<std::string> history = choice.serviceHistory;
        int position = choice.serviceSelection < 0 ? 1 : choice.serviceSelection;
        if (!choice.typedService.empty()) {
            history = pushHistory(choice.typedService, history);
            position = 1;
        }
        writeHistory(value::PageServicePrefix, history);
        p.WriteProfileInt(section::Page1, value::PageServicePos, position);
        p.WriteProfileString(section::Settings, value::ServiceCentre, entryAt(history, position - 1));
    }

    const int validity = choice.validitySelection >= 0 && choice.validitySelection < VALIDITY_CHOICES
        ? choice.validitySelection
        : VALIDITY_DEFAULT_INDEX;
    p.WriteProfileInt(section::Page1, value::PageLifeTime, validity);
    p.WriteProfileInt(section::Settings, value::Validity, kValidityCodes[validity]);

    std::vector<std::string> paths = choice.pathHistory;
    int pathPosition = choice.pathSelection < 0 ? 0 : choice.pathSelection;
    if (!choice.typedPath.empty()) {
        paths = pushHistory(choice.typedPath, paths);
        pathPosition = 0;
    }
    writeHistory(value::PagePathPrefix, paths);
    p.WriteProfileInt(section::Page1, value::PagePathPos, pathPosition);
    const std::string root = spoolRootFrom(entryAt(paths, pathPosition));
    p.WriteProfileString(section::Settings, value::SpoolDir, root);
    p.WriteProfileString(section::MapiServer, value::SpoolDir, root);

    if (configureSmsManager)
        configureSmsManager();

    const int preview = choice.preview ? 1 : 0;
    p.WriteProfileInt(section::Page1, value::PagePreview, preview);
    p.WriteProfileInt(section::Settings, value::Preview, preview);
    p.WriteProfileInt(section::MapiServer, value::Preview, preview);
}

std::string filterServiceCentre(std::string_view text, int* caret)
{
    std::string out;
    int newCaret = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool keep = std::isdigit(static_cast<unsigned char>(c)) || (c == '+' && out.empty());
        if (keep)
            out += c;
        if (caret != nullptr && int(i) < *caret && keep)
            ++newCaret;
    }
    if (caret != nullptr)
        *caret = newCaret;
    return out;
}

std::vector<std::string> pushHistory(const std::string& entry, const std::vector<std::string>& history)
{
    std::vector<std::string> result {entry};
    for (const std::string& old : history) {
        if (int(result.size()) == HISTORY_ENTRIES)
            break;
        result.push_back(old);
    }
    return result;
}

std::optional<int> parseFieldNumber(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

} // namespace corvant

// The SMS page of the settings sheet without its widgets: what it shows at opening, the limits
// it checks, the service-centre filter, the two histories and the values it writes on OK.
#pragma once

#include "platform/registry/AppProfile.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvant {

constexpr int MAX_PARTS_MIN = 1;
constexpr int MAX_PARTS_MAX = 255;
constexpr int WAIT_MINUTES_MIN = 5;
constexpr int WAIT_MINUTES_MAX = 60;

constexpr int VALIDITY_CHOICES = 17;
constexpr int VALIDITY_DEFAULT_INDEX = 16; // "Maximum"
// The relative validity code of each choice ("5 min" ... "Maximum").
constexpr std::array<int, VALIDITY_CHOICES> kValidityCodes {
    0, 1, 3, 5, 11, 23, 71, 143, 167, 168, 171, 173, 180, 197, 202, 212, 255,
};

// What the page shows when it opens.
struct CfgPage1View {
    int maxParts = 255;
    int waitMinutes = 60;
    std::vector<std::string> serviceHistory; // the combo's items after "Phone setting"
    int serviceSelection = 0;                // combo index; "Phone setting" is 0
    int validitySelection = VALIDITY_DEFAULT_INDEX;
    std::vector<std::string> pathHistory; // the directory combo's items
    int pathSelection = 0;
    bool preview = true;
};

// What the page holds when OK is pressed.
struct CfgPage1Choice {
    std::optional<int> maxParts;    // nullopt: not a number
    std::optional<int> waitMinutes; // nullopt: not a number
    int serviceSelection = -1;      // -1: none (the shown text is not one of the items)
    std::vector<std::string> serviceHistory;
    std::string typedService; // empty: nothing typed since the page opened
    int validitySelection = -1;
    int pathSelection = -1;
    std::vector<std::string> pathHistory;
    std::string typedPath; // typed or browsed; empty: neither
    bool preview = true;
};

// A limit that a field breaks: the report id and the field's control.
struct LimitBreach {
    int reportId;
    int controlId;
};

class CfgPage1Model {
public:
    explicit CfgPage1Model(torvane::registry::AppProfile& profile);

    CfgPage1View load() const;

    // The first limit the values break (maximum number first), or none.
    static std::optional<LimitBreach> checkLimits(std::optional<int> maxParts, std::optional<int> waitMinutes);

    // The values written on OK. configureSmsManager runs after the directory is written.
    void apply(const CfgPage1Choice& choice, const std::function<void()>& configureSmsManager = {});

private:
    std::vector<std::string> readHistory(const char* prefix) const;
    void writeHistory(const char* prefix, const std::vector<std::string>& entries);

    torvane::registry::AppProfile& profile_;
};

// What typing leaves in the service-centre combo: digits, and a "+" only as the first character.
// caret (a position in text) is moved to the same place in the result.
std::string filterServiceCentre(std::string_view text, int* caret = nullptr);

// A history with a new entry in front: four entries at most, the oldest dropped.
std::vector<std::string> pushHistory(const std::string& entry, const std::vector<std::string>& history);

// A number typed into an edit field; nullopt when it is not one.
std::optional<int> parseFieldNumber(std::string_view text);

} // namespace corvant

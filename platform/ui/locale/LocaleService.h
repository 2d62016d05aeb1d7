// The user's regional settings as the programs ask for them: one text per item, in the picture
// style of the system's control panel ("dd.MM.yyyy", "HH:mm:ss", "h:mm:ss tt"). Tests install
// a locale of their own; the programs use the one of the running system.
#pragma once

#include <QString>

#include <optional>

namespace torvane {

// The items the programs ask for, numbered as the system numbers them.
constexpr unsigned LOCALE_SDATE = 0x1D;        // date separator
constexpr unsigned LOCALE_STIME = 0x1E;        // time separator
constexpr unsigned LOCALE_SSHORTDATE = 0x1F;   // short date picture
constexpr unsigned LOCALE_STIMEFORMAT = 0x1003; // time picture

// The error number of an item the locale does not know.
constexpr int ERROR_INVALID_FLAGS = 1004;

class LocaleService {
public:
    virtual ~LocaleService() = default;
    // The item's text; nullopt with `error` set when the locale cannot give it.
    virtual std::optional<QString> localeInfo(unsigned item, int& error) = 0;
};

// From the system's locale (Qt's, with its pictures turned into the control-panel style).
class SystemLocaleService : public LocaleService {
public:
    std::optional<QString> localeInfo(unsigned item, int& error) override;
};

// The service in use.
LocaleService& localeService();
// Installs `service` (nullptr: the system's again) and returns the one it replaces, or
// nullptr when that was the system's.
LocaleService* setLocaleService(LocaleService* service);

// Qt's picture letters turned into the control-panel style: "AP"/"ap" become "tt", zone letters go.
QString controlPanelPicture(const QString& qtPicture);
// The first character between two fields of a picture, e.g. "." of "dd.MM.yy"; "" when none.
QString pictureSeparator(const QString& picture);

} // namespace torvane

#include "platform/ui/locale/LocaleService.h"


#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(LocaleService, QtPicturesBecomeControlPanelPictures)
{
    const std::pair<const char*, const char*> cases[] = {
        {"h:mm:ss AP", "h:mm:ss tt"}, {"h:mm:ss ap", "h:mm:ss tt"}, {"HH:mm:ss t", "HH:mm:ss"},
        {"HH:mm:ss tttt", "HH:mm:ss"}, {"dd.MM.yy", "dd.MM.yy"},    {"H 'h' mm", "H 'h' mm"},
        {"h:mm A", "h:mm tt"}};
    for (const auto& [qt, panel] : cases)
        EXPECT_EQ(controlPanelPicture(QLatin1String(qt)).toStdString(), panel) << qt;
}

TEST(LocaleService, SeparatorIsWhatStandsBetweenTheFirstTwoFields)
{
    const std::pair<const char*, const char*> cases[] = {
        {"dd.MM.yyyy", "."}, {"M/d/yy", "/"}, {"yyyy-MM-dd", "-"}, {"h:mm:ss tt", ":"}, {"HH.mm", "."}, {"yyyy", ""}};
    for (const auto& [picture, sep] : cases)
        EXPECT_EQ(pictureSeparator(QLatin1String(picture)).toStdString(), sep) << picture;
}

class OneItem : public LocaleService {
public:
    std::optional<QString> localeInfo(unsigned item, int& error) override
    {
        if (item == LOCALE_SDATE)
            return QStringLiteral("|");
        error = ERROR_INVALID_FLAGS;
        return std::nullopt;
    }
};

TEST(LocaleService, InstalledServiceReplacesTheSystemsUntilRemoved)
{
    int error = 0;
    const auto system = localeService().localeInfo(LOCALE_SDATE, error);
    ASSERT_TRUE(system.has_value());

    OneItem mine;
    EXPECT_EQ(setLocaleService(&mine), nullptr);
    EXPECT_EQ(localeService().localeInfo(LOCALE_SDATE, error), QStringLiteral("|"));
    EXPECT_FALSE(localeService().localeInfo(LOCALE_STIME, error).has_value());
    EXPECT_EQ(error, ERROR_INVALID_FLAGS);
    EXPECT_EQ(setLocaleService(nullptr), &mine);
    EXPECT_EQ(localeService().localeInfo(LOCALE_SDATE, error), system);
    error = 0;
    EXPECT_FALSE(localeService().localeInfo(0x4242, error).has_value());
    EXPECT_EQ(error, ERROR_INVALID_FLAGS);
}

} // namespace
} // namespace torvane

#include "organizer/entryeditor/CheckForm.h"

#include "organizer/entryeditor/EntryPictures.h"

#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"

#include "platform/ui/controls/Twips.h"

#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <cmath>
#include <limits>

namespace tessaro {

std::int16_t MeasureTextWidth(const QString& text)
{
    QFont font(GridFontName);
    font.setPointSize(GridFontSize);
    // The measuring label sizes itself to whole pixels.
    const double pixels = std::ceil(QFontMetricsF(font).horizontalAdvance(text));
    const double twips = std::nearbyint(torvane::controls::pixelsToTwips(int(pixels)) * 1.1);
    if (twips > std::numeric_limits<std::int16_t>::max())
        throw overflowError();
    return std::int16_t(twips);
}

namespace CheckForm {

namespace {

torvane::controls::Picture picture(EntryPicture which)
{
    // One image per picture, so that every copy of it is the same picture.
    static const std::array<torvane::controls::Picture, EntryPictureCount> pictures = [] {
        std::array<torvane::controls::Picture, EntryPictureCount> all;
        for (int i = 0; i < EntryPictureCount; ++i)
            all[std::size_t(i)] = torvane::controls::Picture(DrawEntryPicture(EntryPicture(i)));
        return all;
    }();
    return pictures[std::size_t(which)];
}

} // namespace

torvane::controls::Picture Memo16x16() { return picture(EntryPicture::Memo); }
torvane::controls::Picture Meeting16x16() { return picture(EntryPicture::Meeting); }
torvane::controls::Picture Anniversary16x16() { return picture(EntryPicture::Anniversary); }
torvane::controls::Picture PhoneCall16x16() { return picture(EntryPicture::PhoneCall); }
torvane::controls::Picture AlarmClock16x16() { return picture(EntryPicture::Alarm); }

} // namespace CheckForm

} // namespace tessaro

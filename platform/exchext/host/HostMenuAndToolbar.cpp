#include "platform/exchext/host/HostMenuAndToolbar.h"

#include <utility>

namespace torvane::exchext {

HostMenu::HostMenu(std::string title)
    : m_title(std::move(title))
{
}

BOOL HostMenu::append(UINT flags, UINT_PTR commandId, const char* text)
{
    Item item;
    item.flags = flags;
    item.commandId = commandId;
    if (!(flags & MF_SEPARATOR)) {
        if (!text)
            return FALSE;
        item.text = text;
    }
    m_items.push_back(std::move(item));
    return TRUE;
}

HostToolbar::HostToolbar(int presetImages)
{
    // The host's own buttons come first in the image list.
    for (int i = 0; i < presetImages; ++i)
        m_images.push_back(Image{kImageSize, kImageSize, std::vector<std::uint32_t>(kImageSize * kImageSize)});
}

LRESULT HostToolbar::addBitmap(UINT count, const ExchBitmap& bitmap)
{
    if (count == 0 || !bitmap.pixels || bitmap.height != kImageSize
        || bitmap.width != int(count) * kImageSize)
        return -1;
    const LRESULT first = LRESULT(m_images.size());
    for (UINT n = 0; n < count; ++n) {
        Image image{kImageSize, kImageSize, {}};
        image.pixels.reserve(kImageSize * kImageSize);
        for (int y = 0; y < kImageSize; ++y) {
            const std::uint32_t* row = bitmap.pixels + std::size_t(y) * std::size_t(bitmap.width) + n * kImageSize;
            image.pixels.insert(image.pixels.end(), row, row + kImageSize);
        }
        m_images.push_back(std::move(image));
    }
    return first;
}

} // namespace torvane::exchext

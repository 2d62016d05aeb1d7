// The host's own menu and toolbar, recording what extensions add to them.
#pragma once

#include "platform/exchext/ExchExtTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace torvane::exchext {

class HostMenu final : public ExchMenu {
public:
    struct Item {
        UINT flags = MF_STRING;
        UINT_PTR commandId = 0;
        std::string text; // empty for a separator

        bool isSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    };

    explicit HostMenu(std::string title = {});

    BOOL append(UINT flags, UINT_PTR commandId, const char* text) override;

    const std::string& title() const { return m_title; }
    const std::vector<Item>& items() const { return m_items; }

private:
    std::string m_title;
    std::vector<Item> m_items;
};

class HostToolbar final : public ExchToolbar {
public:
    // One image of the toolbar's image list.
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels;
    };

    // Toolbar images are this size; pictures are cut into images of it.
    static constexpr int kImageSize = 16;

    explicit HostToolbar(int presetImages = 0);

    LRESULT addBitmap(UINT count, const ExchBitmap& bitmap) override;

    const std::vector<Image>& images() const { return m_images; }

private:
    std::vector<Image> m_images;
};

} // namespace torvane::exchext

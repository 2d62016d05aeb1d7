// The X display as another program sees it, for tests that drive the suite's real programs on a
// virtual X server: the top-level windows by their titles and where they lie, and a window sized
// from outside. Without a window manager a program's windows are the root's children, and a
// size asked by anyone is the size the window takes, as when the user drags its corner.
#pragma once

#include <QRect>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace torvane::test {

class XDisplay {
public:
    struct Window {
        xcb_window_t id = 0;
        QRect geometry;
    };

    XDisplay() : m_connection(xcb_connect(nullptr, nullptr)) {}
    ~XDisplay() { xcb_disconnect(m_connection); }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool connected() const { return xcb_connection_has_error(m_connection) == 0; }

    // The mapped top-level windows whose title begins with the prefix, topmost first.
    std::vector<Window> windows(const std::string& prefix) const
    {
        std::vector<Window> found;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root),
                                                                      nullptr));
        if (!tree)
            return found;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        // Children come bottom first.
        for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i) {
            if (!mapped(children[i]) || title(children[i]).rfind(prefix, 0) != 0)
                continue;
            const Reply<xcb_get_geometry_reply_t> geometry(
                xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, children[i]), nullptr));
            if (geometry)
                found.push_back({children[i], QRect(geometry->x, geometry->y, geometry->width, geometry->height)});
        }
        return found;
    }

    // Sizes the window as the user's drag of its corner does.
    void resize(xcb_window_t window, int width, int height) const
    {
        const std::uint32_t size[] = {std::uint32_t(width), std::uint32_t(height)};
        xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
        xcb_flush(m_connection);
    }

private:
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    template <class T>
    using Reply = std::unique_ptr<T, Free>;

    bool mapped(xcb_window_t window) const
    {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    std::string title(xcb_window_t window) const
    {
        const Reply<xcb_get_property_reply_t> name(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
        if (!name)
            return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                           std::size_t(xcb_get_property_value_length(name.get())));
    }

    xcb_connection_t* m_connection;
};

} // namespace torvane::test

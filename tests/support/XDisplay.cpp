#include "tests/support/XDisplay.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace torvane::test {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* r)
{
    return Reply<T>(r, &std::free);
}

constexpr xcb_keysym_t kShift = 0xffe1;
constexpr xcb_keysym_t kControl = 0xffe3;
constexpr xcb_keysym_t kAlt = 0xffe9;

} // namespace

XDisplay::XDisplay()
    : connection_(xcb_connect(nullptr, nullptr))
{
    if (!connected())
        return;
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    root_ = xcb_setup_roots_iterator(setup).data->root;
    protocols_ = atom("WM_PROTOCOLS");
    ping_ = atom("_NET_WM_PING");
    takeFocus_ = atom("WM_TAKE_FOCUS");
    deleteWindow_ = atom("WM_DELETE_WINDOW");
    pid_ = atom("_NET_WM_PID");
    netName_ = atom("_NET_WM_NAME");
    utf8_ = atom("UTF8_STRING");

    // The programs answer a ping on the root window, for those who listen for its structure
    // changes (or redirect them: the window manager) to hear.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);

    minCode_ = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto map = reply(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, std::uint8_t(count)), nullptr));
    if (map) {
        symsPerCode_ = map->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
        keymap_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(map.get()));
    }
    xcb_flush(connection_);
}

XDisplay::~XDisplay()
{
    xcb_disconnect(connection_);
}

bool XDisplay::connected() const
{
    return connection_ && xcb_connection_has_error(connection_) == 0;
}

xcb_atom_t XDisplay::atom(const char* name) const
{
    auto r = reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string XDisplay::title(xcb_window_t window) const
{
    for (auto [property, type] : {std::pair{netName_, utf8_}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_GET_PROPERTY_TYPE_ANY)}}) {
        auto name = reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, type, 0, 256), nullptr));
        if (name && xcb_get_property_value_length(name.get()) > 0)
            return std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                               std::size_t(xcb_get_property_value_length(name.get())));
    }
    return {};
}

pid_t XDisplay::pidOf(xcb_window_t window) const
{
    auto r = reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!r || xcb_get_property_value_length(r.get()) != 4)
        return 0;
    return pid_t(*static_cast<const std::uint32_t*>(xcb_get_property_value(r.get())));
}

std::vector<TopWindow> XDisplay::windows() const
{
    std::vector<TopWindow> found;
    auto tree = reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree)
        return found;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        auto attributes = reply(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        auto geometry = reply(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, children[i]), nullptr));
        if (!geometry)
            continue;
        TopWindow window;
        window.id = children[i];
        window.rect = QRect(geometry->x, geometry->y, geometry->width, geometry->height);
        window.pid = pidOf(children[i]);
        window.title = title(children[i]);
        window.popup = attributes->override_redirect != 0;
        found.push_back(std::move(window));
    }
    return found;
}

QRect XDisplay::find(const std::string& prefix) const
{
    const std::vector<TopWindow> all = windows();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (it->title.rfind(prefix, 0) == 0)
            return it->rect;
    return {};
}

void XDisplay::raise(xcb_window_t window)
{
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
}

void XDisplay::focus(xcb_window_t window)
{
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    // As a window manager tells a window that takes the focus itself: a window that a modal
    // dialog blocks hands it on to that dialog.
    tell(window, takeFocus_, XCB_CURRENT_TIME);
}

void XDisplay::close(xcb_window_t window)
{
    tell(window, deleteWindow_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
}

// A message of the window manager's protocol to the program that made the window.
void XDisplay::tell(xcb_window_t window, xcb_atom_t protocol, std::uint32_t argument)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = protocols_;
    event.data.data32[0] = protocol;
    event.data.data32[1] = argument;
    event.data.data32[2] = window;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
}

void XDisplay::fake(std::uint8_t type, std::uint8_t detail)
{
    xcb_test_fake_input(connection_, type, detail, XCB_CURRENT_TIME, root_, 0, 0, 0);
}

void XDisplay::move(QPoint at)
{
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, std::int16_t(at.x()),
                        std::int16_t(at.y()), 0);
}

void XDisplay::button(int number, bool press)
{
    fake(press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, std::uint8_t(number));
}

void XDisplay::click(QPoint at, int number)
{
    move(at);
    button(number, true);
    button(number, false);
    xcb_flush(connection_);
}

std::optional<XDisplay::KeyPlace> XDisplay::keyPlace(xcb_keysym_t key) const
{
    if (symsPerCode_ == 0)
        return std::nullopt;
    for (std::size_t i = 0; i < keymap_.size(); ++i) {
        const int column = int(i % std::size_t(symsPerCode_));
        if (keymap_[i] == key && column < 2)
            return KeyPlace {xcb_keycode_t(minCode_ + i / std::size_t(symsPerCode_)), column == 1};
    }
    return std::nullopt;
}

bool XDisplay::canType(const Chord& chord) const
{
    return keyPlace(chord.key).has_value();
}

void XDisplay::type(const Chord& chord)
{
    const std::optional<KeyPlace> place = keyPlace(chord.key);
    if (!place)
        return;
    std::vector<xcb_keycode_t> held;
    for (auto [wanted, modifier] : {std::pair{chord.control, kControl}, std::pair{chord.alt, kAlt},
                                    std::pair{chord.shift || place->shifted, kShift}}) {
        if (const std::optional<KeyPlace> m = wanted ? keyPlace(modifier) : std::nullopt) {
            fake(XCB_KEY_PRESS, m->code);
            held.push_back(m->code);
        }
    }
    fake(XCB_KEY_PRESS, place->code);
    fake(XCB_KEY_RELEASE, place->code);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        fake(XCB_KEY_RELEASE, *it);
    xcb_flush(connection_);
}

void XDisplay::pressWithControl(QPoint at, xcb_keysym_t key)
{
    move(at);
    type(Chord {key, true, false, false});
}

void XDisplay::sync()
{
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

void XDisplay::ping(xcb_window_t window, std::uint32_t serial)
{
    tell(window, ping_, serial);
    xcb_flush(connection_);
}

std::set<std::uint32_t> XDisplay::answeredPings()
{
    std::set<std::uint32_t> answered;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (message->window == root_ && message->type == protocols_ && message->data.data32[0] == ping_)
                answered.insert(message->data.data32[1]);
        }
        std::free(event);
    }
    return answered;
}

} // namespace torvane::test

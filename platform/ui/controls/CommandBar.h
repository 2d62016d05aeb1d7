// The menu-and-toolbar control: named bands (the menu bar, toolbars, pop-up menus) holding named
// tool instances, loaded from a stored layout (CommandBarLayout.h). Code reaches a tool through
// its band (bar.band("MainMenu").tool("mnuEntry")) or through the pool of all tools
// (bar.tool("EntrySerie")); a name that is not there raises ControlError(ErrSubscriptOutOfRange)
// with the bar's name as source. Names are compared exactly, letter case included.
//
// Instances and the pool. The same tool may stand in several bands; each appearance is an
// instance of its own with its own caption, tooltip, description, shortcut, enabled and visible
// flags and separator, so a menu item and its toolbar button can read differently and be
// switched apart. The value a tool holds is one for all its instances: pressed state, text,
// combo list and selection, width. A tool reached through the pool sets its per-instance fields
// on the pool's record and on every instance of that name at once, and reads them from the
// pool's record.
//
// Band and Tool are handles on the bar they came from: a look-up hands out a handle through which
// the caller changes the bar, as the window's code does with the controls it owns.
//
// Events reach the window as the signals below, raised by the user-side methods that the widget
// (or a test) calls:
// - toolClick(tool): a button, toggle or menu item was chosen (by mouse or shortcut); the control
//   does not flip a toggle's pressed state itself, the window's handler does.
// - toolNotify(tool) then bandOpen(band): a pop-up band is about to open from `tool` (a menu
//   title, a sub-menu item); the handlers may still change what the band shows.
// - comboDrop(tool): a combo tool's list is about to open; the handler may refill it.
// - toolGotFocus(tool), toolLostFocus(tool): an edit or combo tool got or lost the input focus.
// Disabled or hidden instances raise nothing.
//
// Keys: the window passes its key-downs and key-ups to keyDown/keyUp, which report whether the
// key was a shortcut the bar used. A shortcut runs the first enabled, visible and reachable
// instance that carries it: pop-up menu items first (in band order), then the menu bar, then the
// toolbars. A pop-up item is reachable when an enabled, visible tool of a reachable band opens
// its band, so a menu whose title is greyed or hidden takes no shortcuts.
#pragma once

#include "platform/ui/controls/CommandBarLayout.h"
#include "platform/ui/controls/Picture.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace torvane::controls {

class CommandBar;
class Tool;

class Band {
public:
    Band() = default;
    bool isValid() const { return m_bar != nullptr; }

    QString name() const;
    BandKind kind() const;
    QString caption() const;
    void setCaption(const QString& caption);

    int toolCount() const;
    Tool tool(int position) const; // 0 .. toolCount() - 1
    Tool tool(const QString& name) const;

    // The band's height in pixels as the widget last laid it out (0 before).
    int height() const;
    void setHeight(int pixels);

    bool operator==(const Band&) const = default;

private:
    friend class CommandBar;
    friend class Tool;
    Band(CommandBar* bar, int index) : m_bar(bar), m_index(index) {}
    auto& data() const;
    CommandBar* m_bar = nullptr;
    int m_index = -1;
};

// A handle on one tool instance (or the pool's record of a tool). Handles stay valid until the
// bar loads another layout.
class Tool {
public:
    Tool() = default;
    bool isValid() const { return m_bar != nullptr; }
    bool isPoolTool() const;
    // The band this instance stands in; an invalid band for a pool tool.
    Band band() const;

    QString name() const;
    int id() const;
    ToolKind kind() const;
    QString category() const;
    int picture() const;
    // The band this tool opens; invalid when it opens none.
    Band subBand() const;

    // Per instance.
    QString caption() const;
    void setCaption(const QString& caption);
    QString tooltip() const;
    void setTooltip(const QString& tooltip);
    QString description() const;
    void setDescription(const QString& description);
    int shortcut() const;
    void setShortcut(int code); // 0 .. 26, ErrInvalidPropertyValue otherwise
    bool isEnabled() const;
    void setEnabled(bool enabled);
    bool isVisible() const;
    void setVisible(bool visible);
    bool beginsGroup() const;

    // One per tool name.
    bool isPressed() const;
    void setPressed(bool pressed);
    QString text() const;
    void setText(const QString& text);
    int listCount() const;
    QString listItem(int index) const; // ErrSubscriptOutOfRange outside the list
    QStringList list() const;
    void addListItem(const QString& item);
    void clearList();
    int listIndex() const; // -1: nothing selected
    void setListIndex(int index); // -1 .. listCount() - 1
    int width() const;
    void setWidth(int pixels);
    bool isListOnly() const;
    void setListOnly(bool listOnly);

    bool operator==(const Tool&) const = default;

private:
    friend class CommandBar;
    friend class Band;
    Tool(CommandBar* bar, int record) : m_bar(bar), m_record(record) {}
    auto& record() const; // this instance's record
    auto& value() const;  // the value its tool holds
    CommandBar* m_bar = nullptr;
    int m_record = -1;
};

class CommandBar : public QObject {
    Q_OBJECT
public:
    explicit CommandBar(QObject* parent = nullptr);
    ~CommandBar() override;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Replaces bands and tools by `layout`. A band naming a tool the pool lacks, a sub-band that
    // is not a pop-up band of the layout, a duplicate name or a shortcut outside 0..26 raises
    // ControlError and leaves the bar as it was.
    void load(const CommandBarLayout& layout);

    int bandCount() const { return int(m_bands.size()); }
    Band band(int index) const;
    Band band(const QString& name) const;
    int toolCount() const { return m_poolCount; }
    Tool tool(int index) const; // the pool
    Tool tool(const QString& name) const;
    // Every instance of a tool, in band order.
    std::vector<Tool> instances(const QString& name) const;

    // The pictures the tools' picture indexes point into (a picture clip's cells).
    void setPictures(std::vector<Picture> pictures);
    Picture picture(int index) const; // null outside the list

    // Asks the widget to show the model's state again, or to lay its bands out again after
    // tools were shown or hidden. The widget follows every change anyway; these are the control's
    // explicit calls.
    void refresh();
    void recalcLayout();

    // Keys from the window: `key` is a Qt::Key, `modifiers` the keyboard modifiers.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);
    bool keyUp(int key, Qt::KeyboardModifiers modifiers);
    // The instance a shortcut key would run now (invalid when none).
    Tool shortcutTool(int code) const;

    // User side, called by the widget.
    // Chooses a tool: a click for most, the opening of its band for a tool that opens one.
    void activate(Tool tool);
    // `opener` is about to open its band.
    void bandOpening(Tool opener);
    void comboDropping(Tool tool);
    void toolFocusChanged(Tool tool, bool in);
    // The user typed into an edit or combo tool, or picked a list item.
    void userEdited(Tool tool, const QString& text);
    void userPicked(Tool tool, int index);

signals:
    void toolClick(torvane::controls::Tool tool);
    void bandOpen(torvane::controls::Band band);
    void toolNotify(torvane::controls::Tool tool);
    void comboDrop(torvane::controls::Tool tool);
    void toolGotFocus(torvane::controls::Tool tool);
    void toolLostFocus(torvane::controls::Tool tool);

    // For the widget.
    void layoutLoaded();
    void toolChanged(torvane::controls::Tool tool);
    void refreshRequested();
    void recalcLayoutRequested();

private:
    friend class Band;
    friend class Tool;

    // One per tool name.
    struct ToolValue {
        ToolSpec spec;
        bool pressed = false;
        QString text;
        QStringList list;
        int listIndex = -1;
    };
    // A pool tool's record (band -1) or an instance in a band.
    struct Record {
        int tool = -1;
        int band = -1;
        QString caption;
        QString tooltip;
        QString description;
        int shortcut = NoShortcut;
        bool enabled = true;
        bool visible = true;
        bool beginsGroup = false;
    };
    struct BandRecord {
        QString name;
        BandKind kind = BandKind::PopupMenu;
        QString caption;
        std::vector<int> records;
        int height = 0;
    };

    // Applies `change` to a record and, for a pool record, to every instance of its tool.
    template <typename Change>
    void changeRecord(int record, Change change);
    // Tells the widget about every instance of a tool after a change of its value.
    void valueChanged(int tool);
    [[noreturn]] void miss(const QString& what) const;
    bool usable(int record) const;
    std::vector<bool> reachableBands() const;

    QString m_name;
    std::vector<ToolValue> m_tools;
    std::vector<Record> m_records; // the pool's records first, one per tool
    int m_poolCount = 0;
    std::vector<BandRecord> m_bands;
    std::vector<Picture> m_pictures;
    int m_keyDown = 0; // the shortcut key whose key-down was used, so its key-up is used too
};

} // namespace torvane::controls

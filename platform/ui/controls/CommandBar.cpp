#include "platform/ui/controls/CommandBar.h"

#include "platform/ui/controls/ControlError.h"

#include <QHash>

namespace torvane::controls {

namespace {

void checkShortcut(const QString& source, int code)
{
    if (code < NoShortcut || code > LastShortcut)
        throw ControlError(ErrInvalidPropertyValue, source,
                           QStringLiteral("Invalid property value: shortcut %1").arg(code));
}

} // namespace

// ---- Band

auto& Band::data() const
{
    return m_bar->m_bands[std::size_t(m_index)];
}

QString Band::name() const { return data().name; }
BandKind Band::kind() const { return data().kind; }
QString Band::caption() const { return data().caption; }

void Band::setCaption(const QString& caption)
{
    data().caption = caption;
    emit m_bar->refreshRequested();
}

int Band::toolCount() const { return int(data().records.size()); }

Tool Band::tool(int position) const
{
    const auto& records = data().records;
    if (position < 0 || position >= int(records.size()))
        m_bar->miss(QStringLiteral("tool %1 of band \"%2\"").arg(position).arg(name()));
    return Tool(m_bar, records[std::size_t(position)]);
}

Tool Band::tool(const QString& toolName) const
{
    for (int record : data().records)
        if (m_bar->m_tools[std::size_t(m_bar->m_records[std::size_t(record)].tool)].spec.name == toolName)
            return Tool(m_bar, record);
    m_bar->miss(QStringLiteral("no tool \"%1\" in band \"%2\"").arg(toolName, name()));
}

int Band::height() const { return data().height; }
void Band::setHeight(int pixels) { data().height = pixels; }

// ---- Tool

auto& Tool::record() const
{
    return m_bar->m_records[std::size_t(m_record)];
}

auto& Tool::value() const
{
    return m_bar->m_tools[std::size_t(record().tool)];
}

bool Tool::isPoolTool() const { return m_record < m_bar->m_poolCount; }

Band Tool::band() const
{
    const int b = record().band;
    return b < 0 ? Band() : Band(m_bar, b);
}

QString Tool::name() const { return value().spec.name; }
int Tool::id() const { return value().spec.id; }
ToolKind Tool::kind() const { return value().spec.kind; }
QString Tool::category() const { return value().spec.category; }
int Tool::picture() const { return value().spec.picture; }

Band Tool::subBand() const
{
    const QString& sub = value().spec.subBand;
    return sub.isEmpty() ? Band() : m_bar->band(sub);
}

QString Tool::caption() const { return record().caption; }
QString Tool::tooltip() const { return record().tooltip; }
QString Tool::description() const { return record().description; }
int Tool::shortcut() const { return record().shortcut; }
bool Tool::isEnabled() const { return record().enabled; }
bool Tool::isVisible() const { return record().visible; }
bool Tool::beginsGroup() const { return record().beginsGroup; }

void Tool::setCaption(const QString& caption)
{
    m_bar->changeRecord(m_record, [&](auto& r) { r.caption = caption; });
}

void Tool::setTooltip(const QString& tooltip)
{
    m_bar->changeRecord(m_record, [&](auto& r) { r.tooltip = tooltip; });
}

void Tool::setDescription(const QString& description)
{
    m_bar->changeRecord(m_record, [&](auto& r) { r.description = description; });
}

void Tool::setShortcut(int code)
{
    checkShortcut(m_bar->m_name, code);
    m_bar->changeRecord(m_record, [&](auto& r) { r.shortcut = code; });
}

void Tool::setEnabled(bool enabled)
{
    m_bar->changeRecord(m_record, [&](auto& r) { r.enabled = enabled; });
}

void Tool::setVisible(bool visible)
{
    m_bar->changeRecord(m_record, [&](auto& r) { r.visible = visible; });
}

bool Tool::isPressed() const { return value().pressed; }
QString Tool::text() const { return value().text; }
int Tool::listCount() const { return int(value().list.size()); }
QStringList Tool::list() const { return value().list; }
int Tool::listIndex() const { return value().listIndex; }
int Tool::width() const { return value().spec.width; }
bool Tool::isListOnly() const { return value().spec.listOnly; }

QString Tool::listItem(int index) const
{
    if (index < 0 || index >= listCount())
        m_bar->miss(QStringLiteral("list item %1 of tool \"%2\"").arg(index).arg(name()));
    return value().list[index];
}

void Tool::setPressed(bool pressed)
{
    value().pressed = pressed;
    m_bar->valueChanged(record().tool);
}

void Tool::setText(const QString& text)
{
    value().text = text;
    m_bar->valueChanged(record().tool);
}

void Tool::addListItem(const QString& item)
{
    value().list.append(item);
    m_bar->valueChanged(record().tool);
}

void Tool::clearList()
{
    value().list.clear();
    value().listIndex = -1;
    m_bar->valueChanged(record().tool);
}

void Tool::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        throw ControlError(ErrInvalidPropertyValue, m_bar->m_name,
                           QStringLiteral("Invalid property value: list index %1 of tool \"%2\"").arg(index).arg(name()));
    value().listIndex = index;
    m_bar->valueChanged(record().tool);
}

void Tool::setWidth(int pixels)
{
    if (pixels < 0)
        throw ControlError(ErrInvalidPropertyValue, m_bar->m_name,
                           QStringLiteral("Invalid property value: width %1 of tool \"%2\"").arg(pixels).arg(name()));
    value().spec.width = pixels;
    m_bar->valueChanged(record().tool);
}

void Tool::setListOnly(bool listOnly)
{
    value().spec.listOnly = listOnly;
    m_bar->valueChanged(record().tool);
}

// ---- CommandBar

CommandBar::CommandBar(QObject* parent) : QObject(parent) {}
CommandBar::~CommandBar() = default;

void CommandBar::miss(const QString& what) const
{
    throw ControlError(ErrSubscriptOutOfRange, m_name, QStringLiteral("Subscript out of range: ") + what);
}

void CommandBar::load(const CommandBarLayout& layout)
{
    auto refuse = [&](const QString& why) {
        throw ControlError(ErrInvalidPropertyValue, m_name, QStringLiteral("Invalid layout: ") + why);
    };

    std::vector<ToolValue> tools;
    std::vector<Record> records;
    std::vector<BandRecord> bands;
    QHash<QString, int> toolIndex;
    QHash<QString, int> bandIndex;

    for (const ToolSpec& spec : layout.tools) {
        if (spec.name.isEmpty() || toolIndex.contains(spec.name))
            refuse(QStringLiteral("tool name \"%1\" empty or given twice").arg(spec.name));
        checkShortcut(m_name, spec.shortcut);
        toolIndex.insert(spec.name, int(tools.size()));
        tools.push_back(ToolValue{spec, false, {}, {}, -1});
        records.push_back(Record{int(tools.size()) - 1, -1, spec.caption, spec.tooltip, spec.description,
                                 spec.shortcut, true, true, false});
    }
    for (const BandSpec& b : layout.bands) {
        if (b.name.isEmpty() || bandIndex.contains(b.name))
            refuse(QStringLiteral("band name \"%1\" empty or given twice").arg(b.name));
        bandIndex.insert(b.name, int(bands.size()));
        BandRecord band{b.name, b.kind, b.caption, {}, 0};
        for (const ToolInstanceSpec& i : b.tools) {
            const auto found = toolIndex.constFind(i.tool);
            if (found == toolIndex.constEnd())
                refuse(QStringLiteral("band \"%1\" names the unknown tool \"%2\"").arg(b.name, i.tool));
            const ToolSpec& spec = tools[std::size_t(*found)].spec;
            const int shortcut = i.shortcut.value_or(spec.shortcut);
            checkShortcut(m_name, shortcut);
            band.records.push_back(int(records.size()));
            records.push_back(Record{*found, int(bands.size()), i.caption.value_or(spec.caption),
                                     i.tooltip.value_or(spec.tooltip), i.description.value_or(spec.description),
                                     shortcut, true, true, i.beginsGroup});
        }
        bands.push_back(std::move(band));
    }
    for (const ToolValue& t : tools) {
        const QString& sub = t.spec.subBand;
        if (sub.isEmpty())
            continue;
        const auto found = bandIndex.constFind(sub);
        if (found == bandIndex.constEnd() || bands[std::size_t(*found)].kind != BandKind::PopupMenu)
            refuse(QStringLiteral("tool \"%1\" opens \"%2\", which is no pop-up band").arg(t.spec.name, sub));
    }

    m_tools = std::move(tools);
    m_records = std::move(records);
    m_poolCount = int(m_tools.size());
    m_bands = std::move(bands);
    m_keyDown = 0;
    emit layoutLoaded();
}

Band CommandBar::band(int index) const
{
    if (index < 0 || index >= bandCount())
        miss(QStringLiteral("band %1").arg(index));
    return Band(const_cast<CommandBar*>(this), index);
}

Band CommandBar::band(const QString& bandName) const
{
    for (int i = 0; i < bandCount(); ++i)
        if (m_bands[std::size_t(i)].name == bandName)
            return Band(const_cast<CommandBar*>(this), i);
    miss(QStringLiteral("no band \"%1\"").arg(bandName));
}

Tool CommandBar::tool(int index) const
{
    if (index < 0 || index >= m_poolCount)
        miss(QStringLiteral("tool %1").arg(index));
    return Tool(const_cast<CommandBar*>(this), index);
}

Tool CommandBar::tool(const QString& toolName) const
{
    for (int i = 0; i < m_poolCount; ++i)
        if (m_tools[std::size_t(i)].spec.name == toolName)
            return Tool(const_cast<CommandBar*>(this), i);
    miss(QStringLiteral("no tool \"%1\"").arg(toolName));
}

std::vector<Tool> CommandBar::instances(const QString& toolName) const
{
    std::vector<Tool> result;
    for (int r = m_poolCount; r < int(m_records.size()); ++r)
        if (m_tools[std::size_t(m_records[std::size_t(r)].tool)].spec.name == toolName)
            result.push_back(Tool(const_cast<CommandBar*>(this), r));
    return result;
}

template <typename Change>
void CommandBar::changeRecord(int record, Change change)
{
    change(m_records[std::size_t(record)]);
    if (record >= m_poolCount) {
        emit toolChanged(Tool(this, record));
        return;
    }
    for (int r = m_poolCount; r < int(m_records.size()); ++r) {
        if (m_records[std::size_t(r)].tool == record) {
            change(m_records[std::size_t(r)]);
            emit toolChanged(Tool(this, r));
        }
    }
}

void CommandBar::valueChanged(int tool)
{
    for (int r = m_poolCount; r < int(m_records.size()); ++r)
        if (m_records[std::size_t(r)].tool == tool)
            emit toolChanged(Tool(this, r));
}

void CommandBar::setPictures(std::vector<Picture> pictures)
{
    m_pictures = std::move(pictures);
    emit refreshRequested();
}

Picture CommandBar::picture(int index) const
{
    if (index < 0 || index >= int(m_pictures.size()))
        return {};
    return m_pictures[std::size_t(index)];
}

void CommandBar::refresh()
{
    emit refreshRequested();
}

void CommandBar::recalcLayout()
{
    emit recalcLayoutRequested();
}

bool CommandBar::usable(int record) const
{
    const Record& r = m_records[std::size_t(record)];
    return r.enabled && r.visible;
}

std::vector<bool> CommandBar::reachableBands() const
{
    std::vector<bool> reachable(m_bands.size(), false);
    for (std::size_t b = 0; b < m_bands.size(); ++b)
        reachable[b] = m_bands[b].kind != BandKind::PopupMenu;
    // A pop-up band becomes reachable through a usable opener in a reachable band; repeat until
    // nothing changes, which also ends on bands that open each other.
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t b = 0; b < m_bands.size(); ++b) {
            if (!reachable[b])
                continue;
            for (int record : m_bands[b].records) {
                if (!usable(record))
                    continue;
                const QString& sub = m_tools[std::size_t(m_records[std::size_t(record)].tool)].spec.subBand;
                for (std::size_t s = 0; !sub.isEmpty() && s < m_bands.size(); ++s) {
                    if (!reachable[s] && m_bands[s].name == sub) {
                        reachable[s] = true;
                        grew = true;
                    }
                }
            }
        }
    }
    return reachable;
}

Tool CommandBar::shortcutTool(int code) const
{
    if (code == NoShortcut)
        return {};
    const std::vector<bool> reachable = reachableBands();
    for (BandKind kind : {BandKind::PopupMenu, BandKind::MenuBar, BandKind::ToolBar}) {
        for (std::size_t b = 0; b < m_bands.size(); ++b) {
            if (m_bands[b].kind != kind || !reachable[b])
                continue;
            for (int record : m_bands[b].records)
                if (m_records[std::size_t(record)].shortcut == code && usable(record))
                    return Tool(const_cast<CommandBar*>(this), record);
        }
    }
    return {};
}

namespace {

// The shortcut code of a key: Ctrl with a letter and no other modifier (the keypad flag aside).
int shortcutCode(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier || key < Qt::Key_A || key > Qt::Key_Z)
        return NoShortcut;
    return key - Qt::Key_A + 1;
}

} // namespace

bool CommandBar::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const Tool tool = shortcutTool(shortcutCode(key, modifiers));
    if (!tool.isValid())
        return false;
    m_keyDown = key;
    activate(tool);
    return true;
}

bool CommandBar::keyUp(int key, Qt::KeyboardModifiers)
{
    // The key-up of a used shortcut belongs to it, whatever modifiers are still held.
    if (m_keyDown == 0 || key != m_keyDown)
        return false;
    m_keyDown = 0;
    return true;
}

void CommandBar::activate(Tool tool)
{
    if (!tool.isValid() || tool.isPoolTool() || !usable(tool.m_record))
        return;
    if (tool.subBand().isValid())
        bandOpening(tool);
    else
        emit toolClick(tool);
}

void CommandBar::bandOpening(Tool opener)
{
    if (!usable(opener.m_record))
        return;
    const Band sub = opener.subBand();
    if (!sub.isValid())
        return;
    emit toolNotify(opener);
    emit bandOpen(sub);
}

void CommandBar::comboDropping(Tool tool)
{
    if (usable(tool.m_record))
        emit comboDrop(tool);
}

void CommandBar::toolFocusChanged(Tool tool, bool in)
{
    if (in)
        emit toolGotFocus(tool);
    else
        emit toolLostFocus(tool);
}

void CommandBar::userEdited(Tool tool, const QString& text)
{
    if (tool.text() != text)
        tool.setText(text);
}

void CommandBar::userPicked(Tool tool, int index)
{
    tool.setListIndex(index);
    tool.setText(index >= 0 ? tool.listItem(index) : QString());
}

} // namespace torvane::controls

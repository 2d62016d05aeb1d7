#include "platform/ui/controls/widgets/CommandBarWidget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidgetAction>

#include <functional>

namespace torvane::controls {

namespace {

// Pop-up bands may open each other; deeper than this is a loop in the layout, not a menu.
constexpr int kMaxMenuDepth = 8;

// A combo tool tells the bar before its list opens, so the list can be filled first.
class ToolCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override
    {
        if (beforePopup)
            beforePopup();
        QComboBox::showPopup();
    }
};

QString shortcutText(int code)
{
    return code == NoShortcut ? QString() : QStringLiteral("Ctrl+") + QChar(u'A' + (code - 1));
}

} // namespace

CommandBarWidget::CommandBarWidget(CommandBar& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_layout(new QVBoxLayout(this))
{
    setObjectName(model.name());
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    connect(&model, &QObject::destroyed, this, [this] { delete this; });
    connect(&model, &CommandBar::layoutLoaded, this, &CommandBarWidget::rebuild);
    connect(&model, &CommandBar::toolChanged, this, &CommandBarWidget::syncTool);
    connect(&model, &CommandBar::refreshRequested, this, &CommandBarWidget::syncAll);
    connect(&model, &CommandBar::recalcLayoutRequested, this, [this] {
        syncAll();
        m_layout->activate();
        measureBands();
    });
    rebuild();
}

CommandBarWidget::~CommandBarWidget()
{
    if (m_keyWindow)
        qApp->removeEventFilter(this);
    // The tools' widgets go with the bands; their focus changes are of no interest any more.
    m_items.clear();
}

void CommandBarWidget::rebuild()
{
    m_items.clear();
    for (QWidget* w : m_bandWidgets)
        delete w;
    m_bandWidgets.clear();
    for (QMenu* menu : m_menus)
        delete menu;
    m_menus.clear();

    for (BandKind kind : {BandKind::MenuBar, BandKind::ToolBar}) {
        for (int b = 0; b < m_model.bandCount(); ++b) {
            const Band band = m_model.band(b);
            if (band.kind() != kind)
                continue;
            QWidget* container = nullptr;
            if (kind == BandKind::MenuBar) {
                auto* bar = new QMenuBar(this);
                bar->setNativeMenuBar(false);
                container = bar;
            } else {
                auto* bar = new QToolBar(band.caption(), this);
                bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
                bar->setIconSize(QSize(16, 16));
                container = bar;
            }
            container->setObjectName(band.name());
            m_layout->addWidget(container);
            m_bandWidgets.push_back(container);
            addTools(container, band, false, 0);
        }
    }
    syncAll();
    measureBands();
}

void CommandBarWidget::addTools(QWidget* container, const Band& band, bool inMenu, int depth)
{
    for (int i = 0; i < band.toolCount(); ++i) {
        Item item;
        item.tool = band.tool(i);
        item.inMenu = inMenu;
        if (item.tool.beginsGroup()) {
            item.separator = new QAction(container);
            item.separator->setSeparator(true);
            container->addAction(item.separator);
        }
        const Tool tool = item.tool;
        const ToolKind kind = tool.kind();
        if (kind == ToolKind::Edit || kind == ToolKind::Combo) {
            QWidget* field = nullptr;
            if (kind == ToolKind::Edit) {
                item.edit = new QLineEdit(container);
                connect(item.edit, &QLineEdit::textEdited, this, [this, tool](const QString& text) {
                    m_model.userEdited(tool, text);
                });
                field = item.edit;
            } else {
                auto* combo = new ToolCombo(container);
                // Return in an editable one keeps what was typed as the tool's text; Qt would
                // otherwise add it to the list and report it as picked, an item the tool lacks.
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->beforePopup = [this, tool] { m_model.comboDropping(tool); };
                connect(combo, &QComboBox::activated, this,
                        [this, tool, combo](int index) { comboActivated(tool, *combo, index); });
                // What is typed into an editable one is the tool's text at once, as in an edit.
                connect(combo, &QComboBox::editTextChanged, this,
                        [this, tool](const QString& text) { m_model.userEdited(tool, text); });
                item.combo = combo;
                field = combo;
            }
            field->setObjectName(tool.name());
            field->installEventFilter(this);
            auto* action = new QWidgetAction(container);
            action->setDefaultWidget(field);
            item.action = action;
        } else {
            item.action = new QAction(container);
            item.action->setCheckable(kind == ToolKind::Toggle);
            if (tool.subBand().isValid()) {
                item.menu = buildMenu(tool, depth + 1);
                item.action->setMenu(item.menu);
            } else {
                connect(item.action, &QAction::triggered, this, [this, tool] {
                    m_model.activate(tool);
                    // The handler decides a toggle's state; Qt's own flip is undone unless it agreed.
                    syncTool(tool);
                });
            }
        }
        item.action->setObjectName(tool.name());
        container->addAction(item.action);
        m_items.push_back(item);
    }
}

QMenu* CommandBarWidget::buildMenu(const Tool& opener, int depth)
{
    if (depth > kMaxMenuDepth)
        return nullptr;
    const Band band = opener.subBand();
    auto* menu = new QMenu(this);
    menu->setObjectName(band.name());
    m_menus.push_back(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, opener] { m_model.bandOpening(opener); });
    addTools(menu, band, true, depth);
    return menu;
}

const CommandBarWidget::Item* CommandBarWidget::find(const Tool& tool) const
{
    for (const Item& item : m_items)
        if (item.tool == tool)
            return &item;
    return nullptr;
}

void CommandBarWidget::sync(const Item& item) const
{
    const Tool& tool = item.tool;
    QAction* action = item.action;
    QString text = tool.caption();
    if (item.inMenu && tool.shortcut() != NoShortcut)
        text += QLatin1Char('\t') + shortcutText(tool.shortcut());
    action->setText(text);
    action->setToolTip(tool.tooltip());
    action->setStatusTip(tool.description());
    action->setEnabled(tool.isEnabled());
    action->setVisible(tool.isVisible());
    if (item.separator)
        item.separator->setVisible(tool.isVisible());
    if (action->isCheckable())
        action->setChecked(tool.isPressed());
    const Picture picture = m_model.picture(tool.picture());
    action->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture.image())));

    if (QWidget* field = item.edit ? static_cast<QWidget*>(item.edit) : item.combo) {
        field->setToolTip(tool.tooltip());
        field->setEnabled(tool.isEnabled());
        if (tool.width() > 0)
            field->setFixedWidth(tool.width());
    }
    if (item.edit && item.edit->text() != tool.text())
        item.edit->setText(tool.text());
    if (QComboBox* combo = item.combo) {
        QSignalBlocker block(combo);
        combo->setEditable(!tool.isListOnly());
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != tool.list()) {
            combo->clear();
            combo->addItems(tool.list());
        }
        combo->setCurrentIndex(tool.listIndex());
        if (combo->isEditable() && combo->currentText() != tool.text())
            combo->setEditText(tool.text());
    }
}

void CommandBarWidget::comboActivated(const Tool& tool, const QComboBox& combo, int index)
{
    // The widget's list may differ from the tool's for a moment; only an item the tool holds at
    // that place is a pick. Anything else puts the widget back to what the tool holds.
    if (index >= 0 && index < tool.listCount() && tool.listItem(index) == combo.itemText(index))
        m_model.userPicked(tool, index);
    else
        syncTool(tool);
}

void CommandBarWidget::syncTool(const Tool& tool)
{
    if (const Item* item = find(tool))
        sync(*item);
}

void CommandBarWidget::syncAll()
{
    for (const Item& item : m_items)
        sync(item);
}

void CommandBarWidget::measureBands()
{
    for (QWidget* w : m_bandWidgets) {
        const int height = w->isVisible() && w->height() > 0 ? w->height() : w->sizeHint().height();
        m_model.band(w->objectName()).setHeight(height);
    }
}

void CommandBarWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    measureBands();
}

void CommandBarWidget::forwardKeysOf(QWidget* window)
{
    m_keyWindow = window;
    qApp->installEventFilter(this);
}

bool CommandBarWidget::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // A combo's own list, or another application, taking the keyboard for a while is no
        // change of the focus; each change is reported once.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return QWidget::eventFilter(watched, event);
        for (const Item& item : m_items) {
            if (watched != item.edit && watched != item.combo)
                continue;
            const bool in = type == QEvent::FocusIn;
            if (in != (m_focusedTool == item.tool)) {
                m_focusedTool = in ? item.tool : Tool();
                m_model.toolFocusChanged(item.tool, in);
            }
            break;
        }
    } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && m_keyWindow) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == m_keyWindow || m_keyWindow->isAncestorOf(widget))) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool used = type == QEvent::KeyPress ? m_model.keyDown(key->key(), key->modifiers())
                                                       : m_model.keyUp(key->key(), key->modifiers());
            if (used)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QMenuBar* CommandBarWidget::menuBar(const QString& band) const
{
    for (QWidget* w : m_bandWidgets)
        if (w->objectName() == band)
            return qobject_cast<QMenuBar*>(w);
    return nullptr;
}

QToolBar* CommandBarWidget::toolBar(const QString& band) const
{
    for (QWidget* w : m_bandWidgets)
        if (w->objectName() == band)
            return qobject_cast<QToolBar*>(w);
    return nullptr;
}

QMenu* CommandBarWidget::menuOpenedBy(const Tool& opener) const
{
    const Item* item = find(opener);
    return item ? item->menu : nullptr;
}

QAction* CommandBarWidget::action(const Tool& tool) const
{
    const Item* item = find(tool);
    return item ? item->action : nullptr;
}

QWidget* CommandBarWidget::toolWidget(const Tool& tool) const
{
    const Item* item = find(tool);
    if (!item)
        return nullptr;
    return item->edit ? static_cast<QWidget*>(item->edit) : item->combo;
}

} // namespace torvane::controls

// Shows a CommandBar model: its menu bars and toolbars stacked in band order (menu bars first),
// its pop-up bands as the menus their tools open. Captions (with their "&" access letters),
// shortcut texts, tooltips, pictures, enabled, visible and pressed states, edit texts and combo
// lists follow the model as it changes. Choosing a button or item calls CommandBar::activate;
// a menu about to open calls bandOpening first, so the handlers can still change it; a combo's
// list about to open calls comboDropping; edits, picks and focus changes go to the model too.
//
// The widget is deleted with its model.
//
// Shortcut keys are not Qt shortcuts: the window passes its keys to the bar (forwardKeysOf does
// that for a window and everything in it), so the bar alone decides which tool a key runs.
#pragma once

#include "platform/ui/controls/CommandBar.h"

#include <QWidget>

#include <vector>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolBar;
class QVBoxLayout;

namespace torvane::controls {

class CommandBarWidget : public QWidget {
    Q_OBJECT
public:
    CommandBarWidget(CommandBar& model, QWidget* parent = nullptr);
    ~CommandBarWidget() override;

    CommandBar& model() const { return m_model; }

    // Sends every key pressed or released in `window` (and its children) to the bar before the
    // focused control sees it; a key the bar uses goes no further.
    void forwardKeysOf(QWidget* window);

    // The widgets that show a band (a menu bar, toolbar or the menu a tool opens).
    QMenuBar* menuBar(const QString& band) const;
    QToolBar* toolBar(const QString& band) const;
    QMenu* menuOpenedBy(const Tool& opener) const;
    // What shows a tool instance: its action (buttons, items, titles) or its widget (edit, combo).
    QAction* action(const Tool& tool) const;
    QWidget* toolWidget(const Tool& tool) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Item {
        Tool tool;
        QAction* action = nullptr;    // the button or item, or the toolbar's action of a widget
        QAction* separator = nullptr; // the line before it
        QLineEdit* edit = nullptr;
        QComboBox* combo = nullptr;
        QMenu* menu = nullptr;        // the menu it opens
        bool inMenu = false;
    };

    void rebuild();
    void addTools(QWidget* container, const Band& band, bool inMenu, int depth);
    QMenu* buildMenu(const Tool& opener, int depth);
    void comboActivated(const Tool& tool, const QComboBox& combo, int index);
    void sync(const Item& item) const;
    void syncTool(const Tool& tool);
    void syncAll();
    void measureBands();
    const Item* find(const Tool& tool) const;

    CommandBar& m_model;
    QVBoxLayout* m_layout;
    std::vector<QWidget*> m_bandWidgets; // menu bars and toolbars, named after their bands
    std::vector<QMenu*> m_menus;
    std::vector<Item> m_items;
    QWidget* m_keyWindow = nullptr;
    Tool m_focusedTool; // the edit or combo tool that has the focus
};

} // namespace torvane::controls

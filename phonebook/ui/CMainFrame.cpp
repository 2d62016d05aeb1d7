#include "phonebook/ui/CMainFrame.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/ui/BrevikArt.h"
#include "phonebook/ui/CAboutDlg.h"
#include "platform/messaging/qt/WidgetWindow.h"
#include "platform/process/ProgramStart.h"
#include "platform/ui/help/HelpPage.h"
#include "platform/ui/msgservice/MessageService.h"
#include "platform/ui/statuspanes/LockKeyPanes.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>

namespace brevik {

namespace {

// The template's window title; the form's start replaces it with the application's.
constexpr char kTemplateTitle[] = "Brevik";

struct ToolCommand {
    int id;
    const char* tip;
};
// 0 is a separator.
constexpr ToolCommand kToolBar[] = {
    {ID_NEW_PAB_FOLDER, "Neue Verteilerliste (Ordner)"},
    {ID_OPEN_PAB_FOLDER, "Ordner des Persönlichen Adressbuchs öffnen"},
    {0, nullptr},
    {ID_EDIT_CUT, "Ausschneiden"},
    {ID_EDIT_COPY, "Kopieren"},
    {ID_EDIT_PASTE, "Einfügen"},
    {0, nullptr},
    {ID_EDIT_SELECT_ALL, "Alle Einträge markieren"},
    {ID_CHANGE_ENTRY, "Eintrag ändern"},
    {ID_NEW_ENTRY, "Neuen Eintrag hinzufügen"},
    {ID_EDIT_CLEAR_ALL, "Markierte Einträge löschen"},
    {0, nullptr},
    {ID_APP_ABOUT, "Info über Telefonbuch"},
};

} // namespace

CMainFrame::CMainFrame(PhoneEngine& engine, torvane::mapi::Mapi& mapi, Hooks hooks)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                               | Qt::WindowCloseButtonHint)
    , hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QString::fromLatin1(kTemplateTitle));
    setWindowIcon(brevikIcon(IDR_MAINFRAME));
    form_ = new CDlgView(engine, mapi, *this, this);
    setCentralWidget(form_);
    createToolBar();
    createStatusBar();
    createAccelerators();
    // No sizing border: the frame fits the form.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    window_ = new messaging::WidgetWindow(
        this, [this](UINT message, WPARAM wParam, LPARAM lParam) { return handleMessage(message, wParam, lParam); });
    connect(form_, &CDlgView::commandsChanged, this, &CMainFrame::UpdateCommands);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CMainFrame::UpdateCommands);
}

CMainFrame::~CMainFrame() = default;

HWND CMainFrame::hwnd() const
{
    return window_->hwnd();
}

void CMainFrame::createToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar%1").arg(IDR_MAINFRAME));
    bar->setIconSize(QSize(16, 15));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setMovable(true);
    for (const ToolCommand& tool : kToolBar) {
        if (tool.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(QIcon(toolbarImage(tool.id)), QString::fromUtf8(tool.tip));
        action->setObjectName(QStringLiteral("command%1").arg(tool.id));
        action->setStatusTip(QString::fromUtf8(tool.tip));
        const int id = tool.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_[id] = action;
    }
    addToolBar(Qt::TopToolBarArea, bar);
}

void CMainFrame::createStatusBar()
{
    pane0_ = new QLabel(this);
    pane0_->setObjectName(QStringLiteral("pane0"));
    statusBar()->addWidget(pane0_, 1);
    torvane::ui::addLockKeyPanes(*statusBar());
}

void CMainFrame::createAccelerators()
{
    const std::pair<int, QList<QKeySequence>> keys[] = {
        {ID_EDIT_SELECT_ALL, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
        {ID_APP_EXIT, {QKeySequence(Qt::CTRL | Qt::Key_B)}},
        {ID_EDIT_COPY, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {ID_CHANGE_ENTRY, {QKeySequence(Qt::CTRL | Qt::Key_E)}},
        {ID_NEW_ENTRY, {QKeySequence(Qt::CTRL | Qt::Key_I)}},
        {ID_NEW_PAB_FOLDER, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {ID_OPEN_PAB_FOLDER, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {ID_EDIT_PASTE, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        // Shift+Delete is no cut: a Delete key outside the preview's edits deletes, after asking.
        {ID_EDIT_CUT, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {ID_HELP, {QKeySequence(Qt::Key_F1)}},
        {ID_CONTEXT_HELP, {QKeySequence(Qt::SHIFT | Qt::Key_F1)}},
    };
    for (const auto& [id, sequences] : keys) {
        QAction* action = commandAction(id);
        if (!action) {
            action = new QAction(this);
            action->setObjectName(QStringLiteral("command%1").arg(id));
            const int command = id;
            connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
            addAction(action);
            actions_[id] = action;
        }
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

QAction* CMainFrame::commandAction(int id) const
{
    const auto found = actions_.find(id);
    return found != actions_.end() ? found->second : nullptr;
}

void CMainFrame::UpdateCommands()
{
    for (const auto& [id, action] : actions_)
        action->setEnabled(form_->IsCommandEnabled(id));
}

bool CMainFrame::RunCommand(int id)
{
    // While a phone job waits no command runs, wherever it comes from.
    if (hooks_.busy && hooks_.busy())
        return false;
    switch (id) {
    case ID_APP_ABOUT: {
        CAboutDlg about(this);
        torvane::ui::execDialog(about);
        return true;
    }
    case ID_APP_EXIT:
        form_->OnButtonQuit();
        return true;
    case ID_HELP:
    case ID_CONTEXT_HELP:
    case ID_HELP_INDEX:
        showHelp();
        return true;
    default:
        return form_->OnCommand(id);
    }
}

void CMainFrame::showHelp()
{
    if (torvane::ui::openHelpPage(QString::fromUtf8(brevikString(IDS_HELP_FILE))))
        return;
    torvane::ui::messageBox(this,
                            QStringLiteral("Die Hilfedatei %1 wurde nicht gefunden.")
                                .arg(QString::fromUtf8(brevikString(IDS_HELP_FILE))),
                            windowTitle(), torvane::ui::MB_OK | torvane::ui::MB_ICONEXCLAMATION);
}

QString CMainFrame::statusText() const
{
    return pane0_->text();
}

void CMainFrame::SetFormStatus(const QString& text)
{
    pane0_->setText(text);
}

void CMainFrame::SetFormBusy(bool busy)
{
    if (hooks_.setBusy)
        hooks_.setBusy(busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void CMainFrame::CloseForReal()
{
    closing_ = true;
    // Closed from the event loop: the quit road may have been entered from this frame's own
    // close event.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMainFrame::EndProgram()
{
    closing_ = true;
    hide();
    if (hooks_.endProgram)
        hooks_.endProgram();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        form_->model().ClosePab();
        event->accept();
        return;
    }
    // The close box, Alt+F4 and another program's WM_CLOSE ask what "Beenden" asks.
    event->ignore();
    form_->OnButtonQuit();
}

LRESULT CMainFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return RunCommand(LOWORD(wParam)) ? 1 : 0;
    if (message == WM_CLICK_LIST_ROW)
        return clickListRow(LOWORD(wParam), int(lParam), (wParam & MK_CONTROL) != 0);
    return 0;
}

int CMainFrame::clickListRow(int listId, int row, bool withControl)
{
    QTreeWidget* view = form_->list(listId == IDC_PAB_LIST ? LIST_PAB : LIST_PHONE);
    if (hooks_.busy && hooks_.busy())
        return -1;
    if (row < 0 || row >= view->topLevelItemCount())
        return int(view->selectedItems().size());
    QTreeWidgetItem* item = view->topLevelItem(row);
    view->scrollToItem(item);
    const QPointF at = view->visualItemRect(item).center();
    const QPointF global = view->viewport()->mapToGlobal(at);
    const Qt::KeyboardModifiers modifiers = withControl ? Qt::ControlModifier : Qt::NoModifier;
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(view->viewport(), &press);
    QApplication::sendEvent(view->viewport(), &release);
    return int(view->selectedItems().size());
}

} // namespace brevik

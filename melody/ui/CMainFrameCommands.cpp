// The main frame's commands: the actions with their menu texts and prompts, the two menu bars,
// the accelerators, the enable states, and what each command does on the active melody window.
#include "melody/ui/CMainFrame.h"

#include "melody/editing/EditCommands.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/SmartMessagePaste.h"
#include "melody/ui/CAboutDlg.h"
#include "melody/ui/CChildFrame.h"
#include "melody/ui/CMelvioView.h"
#include "melody/ui/CMidiSettingsDlg.h"
#include "melody/ui/MelodyDocument.h"
#include "melody/ui/MelvioArt.h"
#include "melody/ui/MelvioContext.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QUrl>

namespace ui = torvane::ui;

namespace {

constexpr char HELP_FILE[] = "qvnpro.hlp";

// Commands that need a melody window.
constexpr int MELODY_COMMANDS[] = {
    ID_FILE_CLOSE,   ID_FILE_SAVE,   ID_FILE_SAVE_AS, ID_EDIT_CUT,        ID_EDIT_COPY,        ID_EDIT_PASTE,
    ID_EDIT_DELETE,  ID_DELETE_ALL,  ID_PLAY,         ID_STOP,            ID_SMART_MESSAGE_PASTE, ID_MIDI_SETTINGS,
    ID_PHONE_PLAY,   ID_PHONE_STOP,  ID_SAVE_TO_PHONE, ID_WINDOW_NEW,     ID_WINDOW_CASCADE,   ID_WINDOW_TILE,
    ID_WINDOW_ARRANGE,
};

} // namespace

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setStatusTip(prompt);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    commands_[id] = action;
    return action;
}

void CMainFrame::CreateCommands()
{
    AddCommand(ID_FILE_NEW, tr("&New\tStrg+N"), tr("Creates a new melody."))->setIcon(melvio_art::toolImage(0));
    AddCommand(ID_FILE_OPEN, tr("&Open...\tStrg+O"), tr("Opens a melody file."))->setIcon(melvio_art::toolImage(1));
    AddCommand(ID_FILE_CLOSE, tr("&Close"), tr("Closes the melody."));
    AddCommand(ID_FILE_SAVE, tr("&Save\tStrg+S"), tr("Saves the melody."))->setIcon(melvio_art::toolImage(2));
    AddCommand(ID_FILE_SAVE_AS, tr("Save &as..."), tr("Saves the melody under a new name."));
    AddCommand(ID_APP_EXIT, tr("&Exit"), tr("Quits the ring tone editor."));
    AddCommand(ID_EDIT_CUT, tr("&Cut\tStrg+X"), tr("Cuts the selected notes."))->setIcon(melvio_art::toolImage(3));
    AddCommand(ID_EDIT_COPY, tr("Cop&y\tStrg+C"), tr("Copies the selected notes."))->setIcon(melvio_art::toolImage(4));
    AddCommand(ID_EDIT_PASTE, tr("&Paste\tStrg+V"), tr("Inserts the copied notes."))->setIcon(melvio_art::toolImage(5));
    AddCommand(ID_EDIT_DELETE, tr("&Delete\tEntf"), tr("Deletes the selected notes."));
    AddCommand(ID_DELETE_ALL, tr("Delete &all"), tr("Deletes the whole melody."));
    AddCommand(ID_SMART_MESSAGE_PASTE, tr("Smart &Message from clipboard"),
               tr("Replaces the melody by the RTTTL text on the clipboard."));
    AddCommand(ID_PLAY, tr("P&lay"), tr("Plays the melody on the computer."))->setIcon(melvio_art::toolImage(6));
    AddCommand(ID_STOP, tr("S&top"), tr("Stops the play back on the computer."))->setIcon(melvio_art::toolImage(7));
    AddCommand(ID_MIDI_SETTINGS, tr("&Settings..."), tr("Chooses the MIDI output device."));
    AddCommand(ID_PHONE_PLAY, tr("&Play ring tone on telephone"),
               tr("The current user-defined ring tone is played on the telephone."));
    AddCommand(ID_PHONE_STOP, tr("S&top playing the ring tone"), tr("The play back of the ring tone stopped."));
    AddCommand(ID_SAVE_TO_PHONE, tr("&Save the melody to telephone"), tr("Saves a melody on the telephone."));
    QAction* toolbar = AddCommand(ID_VIEW_TOOLBAR, tr("&Toolbar"), tr("Shows or hides the tool bar."));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = AddCommand(ID_VIEW_STATUS_BAR, tr("S&tatusbar"), tr("Shows or hides the status bar."));
    status->setCheckable(true);
    status->setChecked(true);
    AddCommand(ID_WINDOW_NEW, tr("&New Window"), tr("Opens another window on the melody."));
    AddCommand(ID_WINDOW_CASCADE, tr("&Cascade Windows"), tr("Arranges the windows overlapping."));
    AddCommand(ID_WINDOW_TILE, tr("&Tile windows"), tr("Arranges the windows side by side."));
    AddCommand(ID_WINDOW_ARRANGE, tr("&Arrange symbols"), tr("Arranges the symbols of minimized windows."));
    AddCommand(ID_HELP_INDEX, tr("&Help"), tr("Shows the help contents."));
    AddCommand(ID_APP_ABOUT, tr("&About..."), tr("Shows the version of the ring tone editor."));
    AddCommand(ID_HELP, tr("Help"), tr("Shows the help."));
    AddCommand(ID_CONTEXT_HELP, tr("Context help"), tr("Shows the help on a part of the window."));
}

void CMainFrame::BuildMenus(bool melodyOpen)
{
    if (menusBuilt_ && melodyOpen == menusForMelody_)
        return;
    menusBuilt_ = true;
    menusForMelody_ = melodyOpen;
    QMenuBar* bar = menuBar();
    bar->clear();
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(commands_[ID_FILE_NEW]);
    file->addAction(commands_[ID_FILE_OPEN]);
    if (melodyOpen) {
        file->addAction(commands_[ID_FILE_CLOSE]);
        file->addAction(commands_[ID_FILE_SAVE]);
        file->addAction(commands_[ID_FILE_SAVE_AS]);
    }
    file->addSeparator();
    file->addAction(commands_[ID_APP_EXIT]);
    if (melodyOpen) {
        QMenu* edit = bar->addMenu(tr("&Edit"));
        for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_DELETE_ALL})
            edit->addAction(commands_[id]);
        edit->addSeparator();
        edit->addAction(commands_[ID_SMART_MESSAGE_PASTE]);
        edit->addSeparator();
        edit->addAction(commands_[ID_PLAY]);
        edit->addAction(commands_[ID_STOP]);
        edit->addSeparator();
        edit->addAction(commands_[ID_MIDI_SETTINGS]);
        QMenu* phone = bar->addMenu(tr("&Telephone"));
        for (int id : {ID_PHONE_PLAY, ID_PHONE_STOP, ID_SAVE_TO_PHONE})
            phone->addAction(commands_[id]);
    }
    QMenu* view = bar->addMenu(tr("&View"));
    view->addAction(commands_[ID_VIEW_TOOLBAR]);
    view->addAction(commands_[ID_VIEW_STATUS_BAR]);
    if (melodyOpen) {
        QMenu* windows = bar->addMenu(tr("&Windows"));
        for (int id : {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE, ID_WINDOW_ARRANGE})
            windows->addAction(commands_[id]);
    }
    QMenu* help = bar->addMenu(tr("&?"));
    help->addAction(commands_[ID_HELP_INDEX]);
    help->addSeparator();
    help->addAction(commands_[ID_APP_ABOUT]);
    for (QMenu* menu : bar->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
}

void CMainFrame::CreateAccelerators()
{
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},       {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},  {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE}, {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},  {QKeySequence(Qt::Key_F1), ID_HELP},
        {QKeySequence(Qt::SHIFT | Qt::Key_F1), ID_CONTEXT_HELP},
    };
    for (const auto& [sequence, id] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { RunCommand(id); });
    }
}

QAction* CMainFrame::Command(int id) const
{
    auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second;
}

bool CMainFrame::IsCommandEnabled(int id)
{
    UpdateCommands();
    QAction* action = Command(id);
    return action && action->isEnabled();
}

bool CMainFrame::RunCommand(int id)
{
    if (!IsCommandEnabled(id))
        return false;
    OnCommand(id);
    return true;
}

void CMainFrame::UpdateCommands()
{
    MelodyDocument* document = ActiveMelodyDocument();
    for (int id : MELODY_COMMANDS)
        commands_[id]->setEnabled(document != nullptr);
    if (document) {
        const CMelvioDoc& d = document->doc;
        commands_[ID_PLAY]->setEnabled(d.canPlay != 0);
        commands_[ID_STOP]->setEnabled(d.canStop != 0);
        commands_[ID_SAVE_TO_PHONE]->setEnabled(d.canSendToPhone != 0);
        commands_[ID_PHONE_PLAY]->setEnabled(d.canPhonePlay != 0);
        commands_[ID_PHONE_STOP]->setEnabled(d.canPhoneStop != 0);
        commands_[ID_EDIT_PASTE]->setEnabled(CanPaste(d));
    }
    BuildMenus(!mdi_->subWindowList().isEmpty());
}

void CMainFrame::ShowHelp()
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(HELP_FILE));
    if (QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    ui::messageBox(this, tr("The help file %1 cannot be found.").arg(QString::fromLatin1(HELP_FILE)),
                   QString::fromLatin1(APPLICATION_TITLE), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void CMainFrame::ArrangeIcons()
{
    int x = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (window->isMinimized()) {
            const QSize size = window->size();
            window->move(x, mdi_->viewport()->height() - size.height());
            x += size.width();
        }
}

void CMainFrame::OnCommand(int id)
{
    if (DialogOpen())
        return;
    CMelvioView* view = ActiveMelodyView();
    MelodyDocument* document = view ? &view->Document() : nullptr;
    switch (id) {
    case ID_FILE_NEW:
        NewDocument();
        break;
    case ID_FILE_OPEN:
        if (context_.askOpenFile) {
            const QString path = context_.askOpenFile(this);
            if (!path.isEmpty())
                OpenDocument(path);
        }
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
        break; // the check mark's toggle shows or hides the bar
    case ID_HELP_INDEX:
    case ID_HELP:
    case ID_CONTEXT_HELP:
        ShowHelp();
        break;
    case ID_APP_ABOUT: {
        CAboutDlg about(this);
        ui::execDialog(about);
        break;
    }
    default:
        break;
    }
    if (!document) {
        UpdateCommands();
        return;
    }
    CMelvioDoc& d = document->doc;
    switch (id) {
    case ID_FILE_CLOSE:
        CloseDocument(*document);
        break;
    case ID_FILE_SAVE:
        SaveDocument(*document, false);
        break;
    case ID_FILE_SAVE_AS:
        SaveDocument(*document, true);
        break;
    case ID_EDIT_CUT:
        OnEditCut(d, view->Editor(), context_.errors);
        break;
    case ID_EDIT_COPY:
        OnEditCopy(d, context_.errors);
        break;
    case ID_EDIT_PASTE:
        OnEditPaste(d, view->Editor());
        break;
    case ID_EDIT_DELETE:
        OnEditDelete(view->Editor());
        break;
    case ID_DELETE_ALL:
        OnDeleteAll(d, view->Editor());
        break;
    case ID_SMART_MESSAGE_PASTE:
        if (context_.clipboard)
            OnSmartMessagePaste(d, *context_.clipboard, context_.errors);
        break;
    case ID_PLAY:
        view->Play();
        break;
    case ID_STOP:
        view->Stop();
        break;
    case ID_MIDI_SETTINGS: {
        CMidiSettingsDlg settings(outputs_, d.settingsDevice, this);
        if (ui::execDialog(settings) == ui::IDOK)
            d.settingsDevice = settings.Device();
        break;
    }
    case ID_SAVE_TO_PHONE:
        document->phone.OnSaveToPhone(view->Hwnd());
        break;
    case ID_PHONE_PLAY:
        document->phone.OnPhonePlay(view->Hwnd());
        break;
    case ID_PHONE_STOP:
        document->phone.OnPhoneStop(view->Hwnd());
        break;
    case ID_WINDOW_NEW:
        NewWindow(*document);
        break;
    case ID_WINDOW_CASCADE:
        mdi_->cascadeSubWindows();
        break;
    case ID_WINDOW_TILE:
        mdi_->tileSubWindows();
        break;
    case ID_WINDOW_ARRANGE:
        ArrangeIcons();
        break;
    default:
        break;
    }
    UpdateCommands();
}

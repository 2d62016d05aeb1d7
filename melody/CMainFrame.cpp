#include "melody/CMainFrame.h"

#include "melody/CAboutDlg.h"
#include "melody/CChildFrame.h"
#include "melody/CMelvioView.h"
#include "melody/CMidiSettingsDlg.h"
#include "melody/CNotePaletteBar.h"
#include "melody/CTempoEdit.h"
#include "melody/EditCommands.h"
#include "melody/ErrorReporter.h"
#include "melody/MelodyDocument.h"
#include "melody/MelvioArt.h"
#include "melody/MelvioContext.h"
#include "melody/MelvioIds.h"
#include "melody/MidiOutPort.h"
#include "melody/SmartMessagePaste.h"
#include "melody/WindowBinder.h"
#include "platform/midi/MidiOutputs.h"
#include "platform/registry/AppProfile.h"
#include "platform/ui/messagebox/MessageService.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace ui = torvane::ui;

namespace {

constexpr QPoint FRAME_AT{10, 10};
constexpr QSize FRAME_SIZE{750, 450};
constexpr char IDLE_TEXT[] = "Ready";
constexpr char HELP_FILE[] = "qvnpro.hlp";
constexpr char RTE_SUFFIX[] = "rte";

// Commands that need a melody window.
constexpr int MELODY_COMMANDS[] = {
    ID_FILE_CLOSE,   ID_FILE_SAVE,   ID_FILE_SAVE_AS, ID_EDIT_CUT,        ID_EDIT_COPY,        ID_EDIT_PASTE,
    ID_EDIT_DELETE,  ID_DELETE_ALL,  ID_PLAY,         ID_STOP,            ID_SMART_MESSAGE_PASTE, ID_MIDI_SETTINGS,
    ID_PHONE_PLAY,   ID_PHONE_STOP,  ID_SAVE_TO_PHONE, ID_WINDOW_NEW,     ID_WINDOW_CASCADE,   ID_WINDOW_TILE,
    ID_WINDOW_ARRANGE,
};

} // namespace

CMainFrame::CMainFrame(MelvioContext& context, torvane::midi::MidiOutputs& outputs,
                       torvane::registry::AppProfile* profile)
    : context_(context), outputs_(outputs), profile_(profile), palette_(*this, context.port)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromLatin1(MAIN_FRAME_TITLE));
    setWindowIcon(melvio_art::applicationIcon());
    move(FRAME_AT);
    resize(FRAME_SIZE);

    // Without an output device the editor still works; only the sound is missing.
    if (outputs_.deviceCount() <= 0 && context_.errors)
        context_.errors->Fehler_Melden(ERROR_CLASS_PC, IDS_ERR_NO_MIDI_DEVICE);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActivated);

    context_.palette = &palette_;
    context_.messages = this;
    context_.commandsChanged = [this] { UpdateCommands(); };

    CreateCommands();
    CreateTempoToolBar();
    CreateStatusBar();
    CreatePaletteBar();
    CreateAccelerators();
    BuildMenus(false);
    UpdateCommands();

    if (context_.binder)
        context_.binder->BindTopLevel(this);
}

CMainFrame::~CMainFrame()
{
    destroying_ = true;
    // Views first: they still reach their documents while they go. Closed windows waiting to
    // be deleted are no longer listed by the area, but they are still children.
    for (CChildFrame* window : findChildren<CChildFrame*>())
        delete window;
    for (auto& document : documents_)
        document->Close();
    documents_.clear();
    context_.palette = nullptr;
    context_.messages = nullptr;
    context_.commandsChanged = nullptr;
    context_.tempoField = nullptr;

    if (context_.port)
        context_.port->Close();
    if (profile_) {
        const int device = context_.port ? context_.port->CurrentDevice() : 0;
        if (!profile_->WriteProfileInt(PROFILE_SECTION, PROFILE_LAST_DEVICE, device) && context_.errors)
            context_.errors->Fehler_Melden(ERROR_CLASS_PC, IDS_ERR_REGISTRY);
    }
}

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

void CMainFrame::CreateTempoToolBar()
{
    QToolBar* bar = addToolBar(tr("Standard"));
    bar->setObjectName(QStringLiteral("toolBar59392"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 15));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE})
        bar->addAction(commands_[id]);
    bar->addSeparator();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        bar->addAction(commands_[id]);
    bar->addSeparator();
    for (int id : {ID_PLAY, ID_STOP})
        bar->addAction(commands_[id]);

    auto* holder = new QWidget(bar);
    holder->setFixedSize(230, 28);
    tempoEdit_ = new CTempoEdit(holder);
    tempoEdit_->setGeometry(5, 4, 35, 20);
    tempoSpin_ = new CTempoSpin(tempoEdit_, holder);
    tempoSpin_->setGeometry(45, 4, 15, 20);
    auto* label = new QLabel(tr("Beats per min."), holder);
    label->setObjectName(QStringLiteral("static103"));
    label->setGeometry(70, 4, 160, 20);
    bar->addWidget(holder);
    tempoEdit_->SetKept(tempoSpin_->Position());
    context_.tempoField = tempoEdit_;
    connect(commands_[ID_VIEW_TOOLBAR], &QAction::toggled, bar, &QWidget::setVisible);

    tempoEdit_->entered = [this](int tempo) {
        if (CMelvioView* view = ActiveMelodyView()) {
            view->Document().doc.tempo = tempo;
            view->setFocus(Qt::OtherFocusReason);
        }
    };
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar59393"));
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString(), bar);
        pane->setObjectName(QStringLiteral("indicator%1").arg(QString::fromLatin1(indicator)));
        pane->setMinimumWidth(fontMetrics().horizontalAdvance(QString::fromLatin1(indicator)) + 8);
        bar->addPermanentWidget(pane);
    }
    bar->showMessage(QString::fromLatin1(IDLE_TEXT));
    connect(commands_[ID_VIEW_STATUS_BAR], &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::CreatePaletteBar()
{
    auto* dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("paletteDock"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setTitleBarWidget(new QWidget(dock));
    paletteBar_ = new CNotePaletteBar(palette_, dock);
    dock->setWidget(paletteBar_);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    palette_.imagesChanged = [this] {
        if (paletteBar_)
            paletteBar_->RefreshImages();
    };
}

QString CMainFrame::StatusText() const { return statusBar()->currentMessage(); }

void CMainFrame::ShowExclamation(const std::string& text)
{
    ui::MessageService::show(this, {QString::fromLatin1(APPLICATION_TITLE), QString::fromLatin1(text.c_str()),
                                    ui::MessageIcon::Exclamation, ui::MessageButtons::Ok});
}

void CMainFrame::SetStatusText(const std::string& text) { statusBar()->showMessage(QString::fromLatin1(text.c_str())); }

CMelvioView* CMainFrame::ActiveMelodyView() const
{
    // The current window counts also while the frame itself is not the active window.
    auto* child = qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
    return child ? child->View() : nullptr;
}

MelodyDocument* CMainFrame::ActiveMelodyDocument() const
{
    CMelvioView* view = ActiveMelodyView();
    return view ? &view->Document() : nullptr;
}

CMelvioDoc* CMainFrame::ActiveDocument()
{
    MelodyDocument* document = ActiveMelodyDocument();
    return document ? &document->doc : nullptr;
}

StaffEditor* CMainFrame::ActiveView()
{
    CMelvioView* view = ActiveMelodyView();
    return view ? &view->Editor() : nullptr;
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

void CMainFrame::UpdateTitles()
{
    for (auto& document : documents_) {
        const auto& views = document->views;
        for (std::size_t i = 0; i < views.size(); ++i) {
            QString title = document->Title();
            if (views.size() > 1)
                title += QStringLiteral(":%1").arg(i + 1);
            if (QWidget* frame = views[i]->parentWidget())
                frame->setWindowTitle(title);
        }
    }
    MelodyDocument* active = ActiveMelodyDocument();
    setWindowTitle(active ? QString::fromLatin1(MAIN_FRAME_TITLE) + QStringLiteral(" - ") + active->Title()
                          : QString::fromLatin1(MAIN_FRAME_TITLE));
}

void CMainFrame::OnActivated(QMdiSubWindow*)
{
    UpdateTitles();
    UpdateCommands();
    if (CMelvioView* view = ActiveMelodyView())
        view->Document().doc.ShowTempo(view->Document().doc.tempo);
}

CChildFrame* CMainFrame::NewWindow(MelodyDocument& document)
{
    auto* frame = new CChildFrame(document);
    frame->canClose = [this](CChildFrame* f) { return CanCloseWindow(f); };
    connect(frame, &QObject::destroyed, this, [this] {
        if (destroying_)
            return;
        ForgetClosedDocuments();
        UpdateTitles();
        UpdateCommands();
    });
    mdi_->addSubWindow(frame);
    frame->setGeometry(0, 0, std::min(mdi_->width(), 700), 250);
    frame->show();
    mdi_->setActiveSubWindow(frame);
    frame->View()->setFocus(Qt::OtherFocusReason);
    UpdateTitles();
    UpdateCommands();
    return frame;
}

MelodyDocument* CMainFrame::NewDocument()
{
    documents_.push_back(std::make_unique<MelodyDocument>(context_, ++untitled_));
    MelodyDocument& document = *documents_.back();
    document.New();
    NewWindow(document);
    return &document;
}

MelodyDocument* CMainFrame::OpenDocument(const QString& path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (auto& document : documents_)
        if (!document->Path().isEmpty() && QFileInfo(document->Path()).absoluteFilePath() == wanted) {
            if (!document->views.empty())
                mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(document->views.front()->parentWidget()));
            return document.get();
        }
    auto document = std::make_unique<MelodyDocument>(context_, untitled_ + 1);
    if (!document->Open(path, this))
        return nullptr;
    documents_.push_back(std::move(document));
    NewWindow(*documents_.back());
    return documents_.back().get();
}

bool CMainFrame::SaveDocument(MelodyDocument& document, bool askName)
{
    QString path = document.Path();
    if (askName || path.isEmpty()) {
        if (!context_.askSaveFile)
            return false;
        path = context_.askSaveFile(this, document.Title());
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".") + QString::fromLatin1(RTE_SUFFIX);
    }
    const bool saved = document.Save(path, this);
    UpdateTitles();
    return saved;
}

bool CMainFrame::CanCloseDocument(MelodyDocument& document)
{
    if (!document.doc.IsModified())
        return true;
    const ui::MessageAnswer answer = ui::MessageService::show(
        this, {QString::fromLatin1(APPLICATION_TITLE), tr("Save changes to %1?").arg(document.Title()),
               ui::MessageIcon::Exclamation, ui::MessageButtons::YesNoCancel});
    if (answer == ui::MessageAnswer::Cancel)
        return false;
    if (answer == ui::MessageAnswer::Yes)
        return SaveDocument(document, false);
    return true;
}

bool CMainFrame::CanCloseWindow(CChildFrame* frame)
{
    MelodyDocument& document = frame->Document();
    // Only the last window of a melody asks about its changes.
    if (document.views.size() > 1)
        return true;
    return CanCloseDocument(document);
}

void CMainFrame::CloseDocument(MelodyDocument& document)
{
    if (!CanCloseDocument(document))
        return;
    document.doc.SetModifiedFlag(false); // asked once is enough
    const std::vector<CMelvioView*> views = document.views;
    for (CMelvioView* view : views)
        if (auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget()))
            delete frame;
}

void CMainFrame::ForgetClosedDocuments()
{
    for (auto it = documents_.begin(); it != documents_.end();) {
        if ((*it)->views.empty()) {
            (*it)->Close();
            it = documents_.erase(it);
        } else {
            ++it;
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    for (auto& document : documents_)
        if (!CanCloseDocument(*document)) {
            event->ignore();
            return;
        }
    for (auto& document : documents_)
        document->doc.SetModifiedFlag(false);
    QMainWindow::closeEvent(event);
}

void CMainFrame::ShowHelp()
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(HELP_FILE));
    if (QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    ui::MessageService::show(this, {QString::fromLatin1(APPLICATION_TITLE),
                                    tr("The help file %1 cannot be found.").arg(QString::fromLatin1(HELP_FILE)),
                                    ui::MessageIcon::Exclamation, ui::MessageButtons::Ok});
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
        about.exec();
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
        if (settings.exec() == QDialog::Accepted)
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

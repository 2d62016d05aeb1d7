// The main frame: its bars, the melody windows and their documents, opening, saving and
// closing, and what happens when the program ends.
#include "melody/ui/CMainFrame.h"

#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/MidiOutPort.h"
#include "melody/engine/WindowBinder.h"
#include "melody/ui/CChildFrame.h"
#include "melody/ui/CMelvioView.h"
#include "melody/ui/CNotePaletteBar.h"
#include "melody/ui/CTempoEdit.h"
#include "melody/ui/MelodyDocument.h"
#include "melody/ui/MelvioArt.h"
#include "melody/ui/MelvioContext.h"
#include "platform/midi/MidiOutputs.h"
#include "platform/registry/AppProfile.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>

namespace ui = torvane::ui;

namespace {

constexpr QPoint FRAME_AT{10, 10};
constexpr QSize FRAME_SIZE{750, 450};
constexpr char IDLE_TEXT[] = "Ready";
constexpr char RTE_SUFFIX[] = "rte";

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
            view->Document().doc.SetTempo(tempo);
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
    ui::messageBox(this, QString::fromLatin1(text.c_str()), QString::fromLatin1(APPLICATION_TITLE),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
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
    // The first window opens before the frame is shown: its layout gives the client area its
    // size only when asked.
    if (!mdi_->isVisible())
        layout()->activate();
    const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    frame->setGeometry(CascadedPlace(mdi_->contentsRect().size(), step, opened_++));
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
    // A tempo set in the tool bar but not yet taken (spun, or typed without Enter) is asked
    // about too.
    document.doc.SetTempo(document.doc.ReadTempo());
    if (!document.doc.IsModified())
        return true;
    const int answer = ui::messageBox(this, tr("Save changes to %1?").arg(document.Title()),
                                      QString::fromLatin1(APPLICATION_TITLE), ui::MB_YESNOCANCEL | ui::MB_ICONEXCLAMATION);
    if (answer == ui::IDCANCEL)
        return false;
    if (answer == ui::IDYES)
        return SaveDocument(document, false);
    return true;
}

bool CMainFrame::DialogOpen() { return QApplication::activeModalWidget() != nullptr; }

bool CMainFrame::CanCloseWindow(CChildFrame* frame)
{
    if (DialogOpen())
        return false;
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
    if (DialogOpen()) {
        event->ignore();
        return;
    }
    for (auto& document : documents_)
        if (!CanCloseDocument(*document)) {
            event->ignore();
            return;
        }
    for (auto& document : documents_)
        document->doc.SetModifiedFlag(false);
    QMainWindow::closeEvent(event);
}

// The form's controls in the places of dialog 130, its start, what it shows for the model
// (FormView), the two lists with their sorting, the directory and folder combo boxes, the
// context menus and the Delete key.
#include "phonebook/ui/CDlgView.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/ListSort.h"
#include "phonebook/ui/BrevikArt.h"
#include "phonebook/ui/CDirectoryCombo.h"
#include "phonebook/ui/CPreviewCombo.h"
#include "phonebook/ui/CPreviewHeader.h"
#include "phonebook/ui/DialogUnits.h"
#include "phonebook/ui/FolderItems.h"
#include "phonebook/ui/Latin1Text.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/ui/controlids/ControlIds.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace brevik {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

// Dialog 130: 369 x 199 dialog units.
constexpr int kFormWidth = 369;
constexpr int kFormHeight = 199;
// The preview's columns and the lists' columns, in dialog units.
constexpr int kPreviewColumns[4] = {112, 82, 20, 10};
constexpr int kListColumns[4] = {56, 50, 17, 22};
// The row the preview widths share: 224 dialog units less 4 pixels.
constexpr int kPreviewRowUnits = 224;
// How often a waiting phone job looks for the program that drives the engine: a job nobody
// carries out ends this long after its driver has gone.
constexpr int kEngineHostCheckMs = 1000;

// A report list that tells when a drag begins instead of dragging anything.
class ReportList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    std::function<void()> onBeginDrag;

protected:
    void startDrag(Qt::DropActions) override
    {
        if (onBeginDrag)
            onBeginDrag();
    }
};

} // namespace

CDlgView::CDlgView(PhoneEngine& engine, torvane::mapi::Mapi& mapi, FormOwner& owner, QWidget* parent)
    : QWidget(parent)
    , owner_(owner)
    , dialogs_(this)
    , model_(std::make_unique<DlgViewModel>(engine, *this, dialogs_, mapi))
{
    setObjectName(QStringLiteral("CDlgView"));
    engineWindow_ = new messaging::MessageWindow(
        [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            model_->OnEngineMessage(message, wParam, lParam);
            emit commandsChanged();
            return 0;
        },
        this);
    model_->setWindow(engineWindow_->hwnd());
    hostCheck_ = new QTimer(this);
    hostCheck_->setInterval(kEngineHostCheckMs);
    connect(hostCheck_, &QTimer::timeout, this, [this] {
        model_->CheckEngineHost();
        emit commandsChanged();
    });
    createControls();
}

CDlgView::~CDlgView()
{
    // The address book is let go before the widgets that show it.
    model_->ClosePab();
}

HWND CDlgView::engineWindow() const
{
    return engineWindow_->hwnd();
}

void CDlgView::createControls()
{
    const DialogUnits du(font());
    setFixedSize(du.x(kFormWidth), du.y(kFormHeight));

    const auto place = [&](QWidget* widget, int x, int y, int w, int h) {
        QRect r = du.rect(x, y, w, h);
        // A combo box or button the style draws taller than the template keeps its own height.
        r.setHeight(std::max(r.height(), std::min(widget->sizeHint().height(), du.y(h + 4))));
        widget->setGeometry(r);
    };

    auto* phoneLabel = new QLabel(QStringLiteral("Telefon"), this);
    auto* pabLabel = new QLabel(QStringLiteral("Persönliches Adressbuch"), this);
    place(phoneLabel, 15, 8, 148, 10);
    place(pabLabel, 204, 8, 148, 10);

    directoryCombo_ = new CDirectoryCombo(this);
    place(directoryCombo_, 15, 20, 148, 12);
    connect(directoryCombo_, &QComboBox::currentIndexChanged, this, &CDlgView::OnSelchangeDirectory);

    folderCombo_ = new CFolderCombo(this);
    place(folderCombo_, 204, 20, 148, 12);
    connect(folderCombo_, &QComboBox::currentIndexChanged, this, [this] {
        model_->OnSelchangePabFolder();
        emit commandsChanged();
    });

    phoneList_ = new ReportList(this);
    pabList_ = new ReportList(this);
    setUpList(phoneList_, IDC_PHONE_LIST);
    setUpList(pabList_, IDC_PAB_LIST);
    phoneList_->setGeometry(du.rect(15, 40, 148, 92));
    pabList_->setGeometry(du.rect(204, 40, 148, 92));

    copyToPab_ = nameControl(new QPushButton(this), ControlKind::Button, IDC_COPY_TO_PAB);
    copyToPhone_ = nameControl(new QPushButton(this), ControlKind::Button, IDC_COPY_TO_PHONE);
    copyToPab_->setIcon(brevikIcon(IDI_COPY_TO_PAB));
    copyToPhone_->setIcon(brevikIcon(IDI_COPY_TO_PHONE));
    for (QPushButton* arrow : {copyToPab_, copyToPhone_}) {
        arrow->setGeometry(du.rect(176, arrow == copyToPab_ ? 60 : 87, 16, 16));
        arrow->setIconSize(arrow->size() - QSize(6, 6));
        arrow->setAutoDefault(false);
    }
    copyToPab_->setToolTip(QStringLiteral("Kopieren der selektierten Einträge in die Liste des PABs"));
    copyToPhone_->setToolTip(QStringLiteral("Kopieren der selektierten Einträge in die Liste des TBs"));
    connect(copyToPab_, &QPushButton::clicked, this, &CDlgView::OnCopyToPabList);
    connect(copyToPhone_, &QPushButton::clicked, this, &CDlgView::OnCopyToPhoneList);

    previewLabel_ = nameControl(new QLabel(QStringLiteral("Vorschau"), this), ControlKind::Static, IDC_PREVIEW_LABEL);
    place(previewLabel_, 15, 145, 48, 10);
    for (int k = 0; k < 4; ++k)
        previewWidths_[std::size_t(k)] = du.x(kPreviewColumns[k]);
    rowWidth_ = du.x(kPreviewRowUnits) - 4;
    header_ = new CPreviewHeader(previewWidths_, [this] { LayoutPreviewEdits(); }, this);
    header_->setRowWidth(rowWidth_);
    header_->setGeometry(du.rect(66, 143, 225, 13));
    previewCombo_ = new CPreviewCombo(
        previewWidths_,
        [this](int k) { return k >= 0 && std::size_t(k) < preview_.size() ? &preview_[std::size_t(k)] : nullptr; },
        [this](int x) { FocusPreviewField(x); }, this);
    previewCombo_->setRowWidth(rowWidth_);
    previewCombo_->setGeometry(du.rect(66, 157, 237, 13));
    connect(previewCombo_, &CPreviewCombo::gotFocus, this, &CDlgView::OnSetfocusPreviewCombo);
    connect(previewCombo_, &CPreviewCombo::lostFocus, this, &CDlgView::ShowPreviewItem);
    connect(previewCombo_, &CPreviewCombo::droppedDown, this, &CDlgView::ShowPreviewItem);
    connect(previewCombo_, &CPreviewCombo::closedUp, this, &CDlgView::ShowPreviewItem);
    connect(previewCombo_, &QComboBox::currentIndexChanged, this, &CDlgView::OnSelchangePreviewCombo);

    const int editIds[4] = {IDC_PREVIEW_NAME, IDC_PREVIEW_NUMBER, IDC_PREVIEW_INDEX, IDC_PREVIEW_STATUS};
    const QRect comboArea = previewCombo_->geometry();
    for (int k = 0; k < 4; ++k) {
        auto* edit = nameControl(new QLineEdit(this), ControlKind::Edit, editIds[k]);
        edit->setFrame(false);
        edit->setMaxLength(255);
        edit->setGeometry(du.x(67), comboArea.top() + 2, 10, comboArea.height() - 4);
        edits_[std::size_t(k)] = edit;
    }
    edits_[2]->setAlignment(Qt::AlignCenter);
    edits_[3]->setAlignment(Qt::AlignCenter);
    // Only digits can be typed into the index, as the template's number style has it.
    edits_[2]->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edits_[2]));
    connect(edits_[0], &QLineEdit::textChanged, this, [this] {
        OnUpdatePreviewName();
        OnChangePreviewName();
    });
    connect(edits_[1], &QLineEdit::textChanged, this, [this] {
        OnUpdatePreviewNumber();
        OnChangePreviewNumber();
    });
    connect(edits_[2], &QLineEdit::textChanged, this, &CDlgView::OnChangePreviewIndex);
    connect(edits_[3], &QLineEdit::textChanged, this, &CDlgView::OnChangePreviewStatus);
    LayoutPreviewEdits();

    auto* saveToPhone = nameControl(new QPushButton(QStringLiteral("Auf Telefon speichern"), this), ControlKind::Button,
                                    IDC_SAVE_TO_PHONE);
    auto* saveAddressBook = nameControl(new QPushButton(QStringLiteral("Adressbuch speichern"), this),
                                        ControlKind::Button, IDC_SAVE_ADDRESS_BOOK);
    auto* quit = nameControl(new QPushButton(QStringLiteral("Beenden"), this), ControlKind::Button, IDC_QUIT);
    place(saveToPhone, 15, 178, 90, 14);
    place(saveAddressBook, 204, 178, 90, 14);
    place(quit, 302, 178, 50, 14);
    for (QPushButton* button : {saveToPhone, saveAddressBook, quit})
        button->setAutoDefault(false);
    connect(saveToPhone, &QPushButton::clicked, this, &CDlgView::OnSaveToPhone);
    connect(saveAddressBook, &QPushButton::clicked, this, &CDlgView::OnSaveAddressBook);
    connect(quit, &QPushButton::clicked, this, &CDlgView::OnButtonQuit);

    // The Delete key anywhere in the form but in the preview edits removes the selected entries.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (std::find(edits_.begin(), edits_.end(), child) == edits_.end())
            child->installEventFilter(this);
    for (QTreeWidget* list : {phoneList_, pabList_})
        list->viewport()->installEventFilter(this);
}

void CDlgView::setUpList(QTreeWidget* list, int id)
{
    const DialogUnits du(font());
    nameControl(list, ControlKind::List, id);
    list->setColumnCount(4);
    QStringList titles;
    for (int k = 0; k < 4; ++k)
        titles << QString::fromUtf8(brevikString(IDS_COLUMN_NAME + k));
    list->setHeaderLabels(titles);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(false);
    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::DragOnly);
    list->header()->setSectionsClickable(true);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int k = 0; k < 4; ++k)
        list->setColumnWidth(k, du.x(kListColumns[k]));
    const int kind = id == IDC_PAB_LIST ? LIST_PAB : LIST_PHONE;
    static_cast<ReportList*>(list)->onBeginDrag = [this, kind] { OnBegindragList(kind); };
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, kind](int column) { OnColumnClick(kind, column); });
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this, kind] { OnItemchangedList(kind); });
}

bool CDlgView::OnInitialUpdate(const StartSettings& settings)
{
    enableArrows(false, false);
    activeList_ = LIST_NONE;
    phoneSortColumn_ = 0;
    pabSortColumn_ = 0;
    const bool started = model_->Start(settings);
    emit commandsChanged();
    return started;
}

QTreeWidget* CDlgView::list(int listKind) const
{
    return listKind == LIST_PAB ? pabList_ : phoneList_;
}

QWidget* CDlgView::control(int id) const
{
    for (const ControlKind kind : {ControlKind::Button, ControlKind::Combo, ControlKind::Edit, ControlKind::List,
                                   ControlKind::Static})
        if (auto* found = torvane::ui::findControl<QWidget>(*this, kind, id))
            return found;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// What the model has the form show

void CDlgView::SetStatusText(int stringId)
{
    const char* text = brevikString(stringId);
    owner_.SetFormStatus(text ? QString::fromUtf8(text) : QString());
}

void CDlgView::SetBusy(bool busy)
{
    owner_.SetFormBusy(busy);
    if (busy)
        hostCheck_->start();
    else
        hostCheck_->stop();
    emit commandsChanged();
}

void CDlgView::SelectDirectoryInCombo(int directory)
{
    const QSignalBlocker quiet(directoryCombo_);
    directoryCombo_->setCurrentIndex(directory);
}

int CDlgView::DirectoryComboSelection() const
{
    return directoryCombo_->currentIndex();
}

void CDlgView::PhoneListFilled()
{
    showList(LIST_PHONE);
}

void CDlgView::PabListFilled()
{
    showList(LIST_PAB);
}

void CDlgView::FolderComboCleared()
{
    const QSignalBlocker quiet(folderCombo_);
    folderCombo_->clear();
}

void CDlgView::FolderTableFilled()
{
    folderCombo_->fill(model_->folders());
}

void CDlgView::SelectFolderInCombo(int row)
{
    const QSignalBlocker quiet(folderCombo_);
    folderCombo_->setCurrentIndex(row);
}

int CDlgView::FolderComboSelection() const
{
    return folderCombo_->currentIndex();
}

void CDlgView::SetPreviewRowVisible(bool visible)
{
    header_->setVisible(visible);
    previewCombo_->setVisible(visible);
    previewLabel_->setVisible(visible);
    for (QLineEdit* edit : edits_)
        edit->setVisible(visible);
}

void CDlgView::PostCloseToOwner()
{
    owner_.CloseForReal();
}

void CDlgView::EndProgram()
{
    owner_.EndProgram();
}

// ---------------------------------------------------------------------------------------------
// The lists

void CDlgView::showList(int listKind)
{
    activeList_ = LIST_NONE;
    enableArrows(false, false);
    emptyPreview();
    QTreeWidget* view = list(listKind);
    const QSignalBlocker quiet(view);
    view->clear();
    const bool phone = listKind == LIST_PHONE;
    const PhoneDirectory& block = model_->listBlock(listKind);
    if ((phone && model_->directories().usedCount == 0) || block.count == 0) {
        emit commandsChanged();
        return;
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(block.count);
    for (const int slot : SortedSlots(block, sortColumn(listKind))) {
        const PhoneBookEntry& entry = block.entries[std::size_t(slot)];
        auto* item = new QTreeWidgetItem(
            {fromLatin1(entry.name), fromLatin1(entry.number), QString::number(entry.index), fromLatin1(entry.status)});
        item->setData(0, Qt::UserRole, slot);
        items.append(item);
    }
    view->addTopLevelItems(items);
    emit commandsChanged();
}

int CDlgView::itemCount(int listKind) const
{
    return listKind == LIST_NONE ? 0 : list(listKind)->topLevelItemCount();
}

std::vector<int> CDlgView::selectedSlots(int listKind) const
{
    std::vector<int> chosen;
    if (listKind == LIST_NONE)
        return chosen;
    const QTreeWidget* view = list(listKind);
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        if (const QTreeWidgetItem* item = view->topLevelItem(row); item->isSelected())
            chosen.push_back(item->data(0, Qt::UserRole).toInt());
    return chosen;
}

int CDlgView::firstSelectedRow(int listKind) const
{
    if (listKind == LIST_NONE)
        return -1;
    const QTreeWidget* view = list(listKind);
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        if (view->topLevelItem(row)->isSelected())
            return row;
    return -1;
}

void CDlgView::selectRow(int listKind, int row)
{
    QTreeWidget* view = list(listKind);
    if (row < 0 || row >= view->topLevelItemCount())
        return;
    const QSignalBlocker quiet(view);
    QTreeWidgetItem* item = view->topLevelItem(row);
    view->setCurrentItem(item);
    item->setSelected(true);
    view->scrollToItem(item);
}

void CDlgView::OnColumnClick(int listKind, int column)
{
    if (listKind == LIST_PAB)
        pabSortColumn_ = column;
    else
        phoneSortColumn_ = column;
    // The items are shown again in the new order, none of them selected, the preview empty.
    showList(listKind);
}

void CDlgView::OnSelchangeDirectory(int index)
{
    if (!model_->jobPending()) {
        activeList_ = LIST_NONE;
        enableArrows(false, false);
    }
    model_->OnSelchangeDirectory(index);
    emit commandsChanged();
}

// ---------------------------------------------------------------------------------------------
// Context menu and the Delete key

std::unique_ptr<QMenu> CDlgView::CreateContextMenu()
{
    const int menuId = ContextMenuFor(activeList_, itemCount(activeList_));
    if (menuId == 0)
        return nullptr;
    const bool phone = menuId == IDR_PHONE_LIST_MENU;
    const std::pair<int, const char*> items[] = {
        phone ? std::pair{ID_COPY_TO_PAB_LIST, "Kopieren der selektierten Einträge in die Liste des PABs"}
              : std::pair{ID_COPY_TO_PHONE_LIST, "Kopieren der selektierten Einträge in die Liste des TBs"},
        phone ? std::pair{ID_UPLOAD_PHONE_LIST, "Upload der dargestellten TB-Liste zum Telefon"}
              : std::pair{ID_UPLOAD_PAB_LIST, "Upload der dargestellten PAB-Liste zum Persönlichen Adressbuch"},
        {ID_EDIT_SELECT_ALL, "Alle Einträge der Liste markieren"},
        {ID_EDIT_CLEAR_ALL, "Löschen der markierten Einträge"},
        {ID_EDIT_COPY, "Kopieren in Zwischenablage"},
        {ID_EDIT_PASTE, "Einfügen aus Zwischenablage"},
        {ID_CHANGE_ENTRY, "Eintrag ändern ..."},
        {ID_NEW_ENTRY, "Neuen Eintrag hinzufügen ..."},
    };
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("menu%1").arg(menuId));
    for (const auto& [command, text] : items) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setData(command);
        action->setEnabled(IsCommandEnabled(command));
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    }
    return menu;
}

void CDlgView::contextMenuEvent(QContextMenuEvent* event)
{
    if (auto menu = CreateContextMenu())
        menu->exec(event->globalPos());
    event->accept();
}

bool CDlgView::eventFilter(QObject* watched, QEvent* event)
{
    // Whatever modifier is held: Shift+Delete too asks before anything goes.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnEditClear();
        return true;
    }
    for (const int listKind : {LIST_PHONE, LIST_PAB}) {
        QTreeWidget* view = list(listKind);
        if (watched != view->viewport())
            continue;
        // A click is a press and its release, both seen here: a press that the busy program
        // dropped makes no click, and the release that ends a double click is none either.
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
            event->type() != QEvent::MouseButtonDblClick)
            continue;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            view->setProperty("pressed", true);
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            view->setProperty("pressed", false);
            OnDblclkList(listKind);
        } else if (view->property("pressed").toBool()) {
            view->setProperty("pressed", false);
            OnClickList(listKind, view->itemAt(mouse->position().toPoint()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brevik

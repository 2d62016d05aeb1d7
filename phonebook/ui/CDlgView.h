// The phonebook editor's form (dialog 130): the phone directory list and the address book list
// side by side, each with its combo box, the two arrow buttons between them, the preview row
// below (header, combo box and four edits) and the save and quit buttons. It shows what the
// model holds and hands the user's actions to it; the active list, the arrow buttons and the
// preview row are the form's own.
#pragma once

#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/EditFilters.h"
#include "phonebook/model/FormCommands.h"
#include "phonebook/model/PreviewHeaderRule.h"
#include "phonebook/ui/QtFormDialogs.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace messaging {
class MessageWindow;
}

namespace brevik {

class CDirectoryCombo;
class CFolderCombo;
class CPreviewCombo;
class CPreviewHeader;

// Control ids of dialog 130.
constexpr int IDC_DIRECTORY_COMBO = 1003;
constexpr int IDC_FOLDER_COMBO = 1004;
constexpr int IDC_PREVIEW_COMBO = 1005;
constexpr int IDC_PHONE_LIST = 1006;
constexpr int IDC_PAB_LIST = 1007;
constexpr int IDC_SAVE_TO_PHONE = 1010;
constexpr int IDC_SAVE_ADDRESS_BOOK = 1011;
constexpr int IDC_QUIT = 1012;
constexpr int IDC_COPY_TO_PHONE = 1013;
constexpr int IDC_COPY_TO_PAB = 1014;
constexpr int IDC_PREVIEW_NAME = 1021;
constexpr int IDC_PREVIEW_NUMBER = 1022;
constexpr int IDC_PREVIEW_INDEX = 1023;
constexpr int IDC_PREVIEW_STATUS = 1024;
constexpr int IDC_PREVIEW_HEADER = 1025;
constexpr int IDC_PREVIEW_LABEL = 1027;

// What the form needs of the frame around it.
class FormOwner {
public:
    virtual ~FormOwner() = default;
    // Pane 0 of the status bar.
    virtual void SetFormStatus(const QString& text) = 0;
    // The application's busy flag (input dropped) and the wait cursor.
    virtual void SetFormBusy(bool busy) = 0;
    // Closes the frame without asking again (the quit road has asked).
    virtual void CloseForReal() = 0;
    // A failure of the address book: the window goes and the program ends with -1.
    virtual void EndProgram() = 0;
};

class CDlgView : public QWidget, public FormView {
    Q_OBJECT

public:
    CDlgView(PhoneEngine& engine, torvane::mapi::Mapi& mapi, FormOwner& owner, QWidget* parent);
    ~CDlgView() override;

    // The form's start with the start-up settings: the address book opened, the first
    // directory asked for. False when a failure ended the program.
    bool OnInitialUpdate(const StartSettings& settings);

    DlgViewModel& model() { return *model_; }
    // The window the engine's answers go to.
    HWND engineWindow() const;

    // ---- Commands --------------------------------------------------------------------
    // Runs one of the form's commands (tool bar, accelerators, context menus), or clicks the
    // button with that id; false when the form has no such command or it is disabled.
    bool OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    int activeList() const { return activeList_; }
    // The context menu that a right click would bring up now, with its commands enabled as
    // they are; null when none is offered.
    std::unique_ptr<QMenu> CreateContextMenu();

    void OnSaveToPhone();
    void OnSaveAddressBook();
    void OnButtonQuit();
    void OnCopyToPhoneList();
    void OnCopyToPabList();
    void OnEditClear();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditSelectAll();
    void OnNewEntry();
    void OnChangeEntry();

    // ---- Preview row -----------------------------------------------------------------
    void LayoutPreviewEdits();
    void FocusPreviewField(int x);
    const PreviewWidths& previewWidths() const { return previewWidths_; }
    int previewRowWidth() const { return rowWidth_; }
    // The copies in the preview, one per item of the preview combo box.
    const std::vector<PhoneBookEntry>& previewSlots() const { return preview_; }

    // ---- Controls (by id, for the frame and for tests) -------------------------------
    QTreeWidget* list(int listKind) const;
    QWidget* control(int id) const;

    // ---- FormView --------------------------------------------------------------------
    void SetStatusText(int stringId) override;
    void SetBusy(bool busy) override;
    void SelectDirectoryInCombo(int directory) override;
    int DirectoryComboSelection() const override;
    void PhoneListFilled() override;
    void PabListFilled() override;
    void FolderComboCleared() override;
    void FolderTableFilled() override;
    void SelectFolderInCombo(int row) override;
    int FolderComboSelection() const override;
    void SetPreviewRowVisible(bool visible) override;
    void PostCloseToOwner() override;
    void EndProgram() override;

signals:
    // Something the command enabling depends on may have changed.
    void commandsChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void setUpList(QTreeWidget* list, int id);

    // Lists.
    void showList(int listKind);
    int sortColumn(int listKind) const { return listKind == LIST_PAB ? pabSortColumn_ : phoneSortColumn_; }
    int itemCount(int listKind) const;
    // The slots of the selected items in list order, and the display row of the first.
    std::vector<int> selectedSlots(int listKind) const;
    int firstSelectedRow(int listKind) const;
    void selectRow(int listKind, int row);
    void OnColumnClick(int listKind, int column);
    void OnClickList(int listKind, QTreeWidgetItem* hit);
    void OnDblclkList(int listKind);
    void OnBegindragList(int listKind);
    void OnItemchangedList(int listKind);
    bool directoryWritable() const;
    // The arrow buttons: 1014 copies into the address book list, 1013 into the directory.
    void enableArrows(bool toPab, bool toPhone);
    // The active list with its own arrow button enabled and the other disabled.
    void activate(int listKind, bool arrowEnabled);
    void removeSelected(int listKind);

    // Preview row.
    void FillPreviewCombo();
    void emptyPreview();
    void ShowPreviewItem();
    PhoneBookEntry* currentPreviewSlot();
    void OnSetfocusPreviewCombo();
    void OnSelchangePreviewCombo();
    void OnChangePreviewName();
    void OnChangePreviewNumber();
    void OnChangePreviewIndex();
    void OnChangePreviewStatus();
    void OnUpdatePreviewName();
    void OnUpdatePreviewNumber();
    void limitPreviewEdit(QLineEdit& edit, const std::optional<EditText>& limited);

    void OnSelchangeDirectory(int index);

    FormOwner& owner_;
    QtFormDialogs dialogs_;
    std::unique_ptr<DlgViewModel> model_;
    messaging::MessageWindow* engineWindow_ = nullptr;
    // While a phone job waits: is a program still there to carry it out?
    QTimer* hostCheck_ = nullptr;

    CDirectoryCombo* directoryCombo_ = nullptr;
    CFolderCombo* folderCombo_ = nullptr;
    QTreeWidget* phoneList_ = nullptr;
    QTreeWidget* pabList_ = nullptr;
    QPushButton* copyToPab_ = nullptr;   // 1014
    QPushButton* copyToPhone_ = nullptr; // 1013
    CPreviewHeader* header_ = nullptr;
    CPreviewCombo* previewCombo_ = nullptr;
    std::array<QLineEdit*, 4> edits_ = {};
    QLabel* previewLabel_ = nullptr;

    PreviewWidths previewWidths_ = {};
    int rowWidth_ = 0;
    int phoneSortColumn_ = 0;
    int pabSortColumn_ = 0;
    int activeList_ = LIST_NONE;
    int rememberedList_ = LIST_NONE;
    std::vector<PhoneBookEntry> preview_;
};

} // namespace brevik

// The form's commands: saving and quitting, the edit commands on the active list (delete, copy,
// cut, paste, select all), new and changed entries, and which of them may run.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/ui/CDlgView.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace brevik {

namespace ui = torvane::ui;

bool CDlgView::IsCommandEnabled(int id) const
{
    return brevik::IsCommandEnabled(id, {activeList_, itemCount(activeList_), model_->hasFlag(FLAG_CLIPBOARD),
                                         model_->nameLength(), model_->hasFlag(FLAG_BUSY)});
}

bool CDlgView::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return false;
    switch (id) {
    case ID_COPY_TO_PAB_LIST:
        OnCopyToPabList();
        break;
    case ID_COPY_TO_PHONE_LIST:
        OnCopyToPhoneList();
        break;
    case ID_UPLOAD_PHONE_LIST:
        OnSaveToPhone();
        break;
    case ID_UPLOAD_PAB_LIST:
        OnSaveAddressBook();
        break;
    case ID_EDIT_CLEAR_ALL:
        OnEditClear();
        break;
    case ID_EDIT_COPY:
        OnEditCopy();
        break;
    case ID_EDIT_CUT:
        OnEditCut();
        break;
    case ID_EDIT_PASTE:
        OnEditPaste();
        break;
    case ID_EDIT_SELECT_ALL:
        OnEditSelectAll();
        break;
    case ID_NEW_ENTRY:
        OnNewEntry();
        break;
    case ID_CHANGE_ENTRY:
        OnChangeEntry();
        break;
    case ID_NEW_PAB_FOLDER:
        model_->OnNewPabFolder();
        break;
    case ID_OPEN_PAB_FOLDER:
        model_->OnOpenPabFolder();
        break;
    default: {
        // A button of the form, clicked as the user would (a disabled one does nothing).
        auto* button = qobject_cast<QPushButton*>(control(id));
        if (!button || !button->isEnabled())
            return false;
        button->click();
        break;
    }
    }
    emit commandsChanged();
    return true;
}

void CDlgView::OnSaveToPhone()
{
    enableArrows(false, false);
    activeList_ = LIST_NONE;
    model_->OnSaveToPhone();
    emit commandsChanged();
}

void CDlgView::OnSaveAddressBook()
{
    enableArrows(false, false);
    activeList_ = LIST_NONE;
    model_->OnSaveAddressBook();
    emit commandsChanged();
}

void CDlgView::OnButtonQuit()
{
    model_->OnButtonQuit();
}

void CDlgView::removeSelected(int listKind)
{
    QTreeWidget* view = list(listKind);
    const int firstRow = firstSelectedRow(listKind);
    std::vector<int> indices;
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        if (const QTreeWidgetItem* item = view->topLevelItem(row); item->isSelected())
            indices.push_back(item->text(2).toInt());
    model_->DeleteByIndex(listKind, indices);
    showList(listKind);
    selectRow(listKind, std::min(firstRow, itemCount(listKind) - 1));
    // The PAB list's arrow comes back here whether or not the directory can be written.
    activate(listKind, true);
    FillPreviewCombo();
}

void CDlgView::OnEditClear()
{
    const int listKind = activeList_;
    if (listKind == LIST_NONE)
        return;
    QTreeWidget* view = list(listKind);
    const QList<QTreeWidgetItem*> selected = view->selectedItems();
    if (selected.isEmpty())
        return;
    QString question;
    if (selected.size() == 1) {
        const QTreeWidgetItem* item = view->topLevelItem(firstSelectedRow(listKind));
        const QString gap(5, QLatin1Char(' '));
        question = QString::fromUtf8(brevikString(IDS_ASK_DELETE_ONE)) + item->text(0) + gap + item->text(1) + gap +
                   item->text(2) + gap + item->text(3);
    } else {
        question = QString::fromUtf8(brevikString(IDS_ASK_DELETE_SEVERAL)).replace(QStringLiteral("%1"),
                                                                                    QString::number(selected.size()));
    }
    const int answer = ui::messageBox(this, question, QString::fromUtf8(brevikString(IDS_APP_TITLE)),
                                      ui::MB_YESNO | ui::MB_ICONQUESTION);
    if (answer != ui::IDYES) {
        SetStatusText(IDS_ABORTED);
        return;
    }
    removeSelected(listKind);
}

void CDlgView::OnEditCopy()
{
    model_->CopyToClipboard(activeList_, selectedSlots(activeList_));
    edits_[0]->copy();
}

void CDlgView::OnEditCut()
{
    const int listKind = activeList_;
    OnEditCopy();
    if (listKind != LIST_NONE && !list(listKind)->selectedItems().isEmpty())
        removeSelected(listKind);
}

void CDlgView::OnEditPaste()
{
    const int listKind = activeList_;
    if (listKind == LIST_NONE)
        return;
    model_->Paste(listKind, firstSelectedRow(listKind) + 1);
    showList(listKind);
}

void CDlgView::OnEditSelectAll()
{
    if (activeList_ == LIST_NONE)
        return;
    QTreeWidget* view = list(activeList_);
    {
        const QSignalBlocker quiet(view);
        view->selectAll();
    }
    FillPreviewCombo();
}

void CDlgView::OnNewEntry()
{
    const int listKind = activeList_;
    if (listKind == LIST_NONE)
        return;
    const std::optional<int> index = model_->NewEntry(listKind, firstSelectedRow(listKind) + 1);
    showList(listKind);
    if (!index)
        return;
    QTreeWidget* view = list(listKind);
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        if (view->topLevelItem(row)->text(2).toInt() == *index) {
            selectRow(listKind, row);
            break;
        }
}

void CDlgView::OnChangeEntry()
{
    const int listKind = activeList_;
    const std::vector<int> chosen = selectedSlots(listKind);
    if (chosen.empty())
        return;
    const int row = firstSelectedRow(listKind);
    if (!model_->ChangeEntry(listKind, chosen.front()))
        return;
    showList(listKind);
    selectRow(listKind, row);
}

} // namespace brevik

// The active list and the two arrow buttons, the preview row (its combo box, its four edits and
// what typing into them does to the copies) and copying the preview into the other list.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/EditFilters.h"
#include "phonebook/model/GsmName.h"
#include "phonebook/ui/CDlgView.h"
#include "phonebook/ui/CPreviewCombo.h"
#include "phonebook/ui/CPreviewHeader.h"
#include "phonebook/ui/Latin1Text.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace brevik {

// ---------------------------------------------------------------------------------------------
// The active list and the arrow buttons

bool CDlgView::directoryWritable() const
{
    return model_->directories().usedCount != 0 && model_->shownDirectory().readOnly == 0;
}

void CDlgView::enableArrows(bool toPab, bool toPhone)
{
    copyToPab_->setEnabled(toPab);
    copyToPhone_->setEnabled(toPhone);
}

void CDlgView::activate(int listKind, bool arrowEnabled)
{
    activeList_ = listKind;
    enableArrows(listKind == LIST_PHONE && arrowEnabled, listKind == LIST_PAB && arrowEnabled);
    emit commandsChanged();
}

void CDlgView::OnClickList(int listKind, QTreeWidgetItem* hit)
{
    const bool items = itemCount(listKind) > 0;
    if (listKind == LIST_PHONE) {
        activate(LIST_PHONE, items);
        if (hit)
            FillPreviewCombo();
        return;
    }
    activate(LIST_PAB, items && directoryWritable());
    if (directoryWritable())
        FillPreviewCombo();
}

void CDlgView::OnDblclkList(int listKind)
{
    const bool items = itemCount(listKind) > 0;
    activate(listKind, items && (listKind == LIST_PHONE || directoryWritable()));
    if (items)
        OnChangeEntry();
}

void CDlgView::OnBegindragList(int listKind)
{
    activate(listKind, listKind == LIST_PHONE || directoryWritable());
}

void CDlgView::OnItemchangedList(int listKind)
{
    if (!list(listKind)->selectedItems().isEmpty())
        FillPreviewCombo();
    emit commandsChanged();
}

// ---------------------------------------------------------------------------------------------
// The preview row

void CDlgView::emptyPreview()
{
    {
        const QSignalBlocker quiet(previewCombo_);
        previewCombo_->clear();
    }
    preview_.clear();
    previewCombo_->setEnabled(false);
    for (QLineEdit* edit : edits_)
        edit->clear();
}

void CDlgView::FillPreviewCombo()
{
    rememberedList_ = LIST_NONE;
    {
        const QSignalBlocker quiet(previewCombo_);
        previewCombo_->clear();
    }
    preview_.clear();
    previewCombo_->setEnabled(true);
    if (activeList_ != LIST_NONE) {
        const PhoneDirectory& block = model_->listBlock(activeList_);
        const QSignalBlocker quiet(previewCombo_);
        for (const int slot : selectedSlots(activeList_)) {
            const PhoneBookEntry& entry = block.entries[std::size_t(slot)];
            PhoneBookEntry copy;
            copy.name = entry.name;
            copy.number = entry.number;
            copy.index = entry.index;
            copy.status = entry.status;
            preview_.push_back(std::move(copy));
            previewCombo_->addItem(fromLatin1(entry.name), int(preview_.size() - 1));
        }
    }
    ShowPreviewItem();
}

PhoneBookEntry* CDlgView::currentPreviewSlot()
{
    if (preview_.empty())
        return nullptr;
    const int current = std::max(previewCombo_->currentIndex(), 0);
    return std::size_t(current) < preview_.size() ? &preview_[std::size_t(current)] : nullptr;
}

void CDlgView::ShowPreviewItem()
{
    const PhoneBookEntry* shown = currentPreviewSlot();
    if (!shown) {
        for (QLineEdit* edit : edits_)
            edit->clear();
        return;
    }
    // Copied first: setting one edit may change the copy the others are taken from.
    const PhoneBookEntry entry = *shown;
    edits_[0]->setText(fromLatin1(entry.name));
    edits_[1]->setText(fromLatin1(entry.number));
    edits_[2]->setText(QString::number(entry.index));
    edits_[3]->setText(fromLatin1(entry.status));
}

void CDlgView::OnSetfocusPreviewCombo()
{
    enableArrows(activeList_ == LIST_PHONE, activeList_ == LIST_PAB && directoryWritable());
    ShowPreviewItem();
}

void CDlgView::OnSelchangePreviewCombo()
{
    ShowPreviewItem();
    edits_[0]->setFocus();
    edits_[0]->selectAll();
}

void CDlgView::OnChangePreviewName()
{
    PhoneBookEntry* item = currentPreviewSlot();
    if (!item)
        return;
    const std::string text = toLatin1(edits_[0]->text().left(255));
    if (text.empty()) {
        // No entry goes anywhere without a name: the arrows wait until it has one again.
        enableArrows(false, false);
        if (activeList_ != LIST_NONE)
            rememberedList_ = activeList_;
        if (model_->nameLength() > 0)
            activeList_ = LIST_NONE;
        emit commandsChanged();
        return;
    }
    item->name = text;
    if (rememberedList_ != LIST_NONE) {
        activate(rememberedList_, true);
        rememberedList_ = LIST_NONE;
    }
}

void CDlgView::OnChangePreviewNumber()
{
    PhoneBookEntry* item = currentPreviewSlot();
    if (!item)
        return;
    // Blanks stay only in numbers bound for the address book.
    const bool blanks = activeList_ == LIST_PHONE;
    const std::string text = toLatin1(edits_[1]->text());
    if (IsValidNumberText(text, blanks)) {
        item->number = FilterPhoneNumber(text, blanks);
        return;
    }
    edits_[1]->setText(fromLatin1(FilterPhoneNumber(text, blanks)));
    edits_[1]->selectAll();
}

void CDlgView::OnChangePreviewIndex()
{
    if (PhoneBookEntry* item = currentPreviewSlot())
        item->index = IndexFromText(toLatin1(edits_[2]->text()));
}

void CDlgView::OnChangePreviewStatus()
{
    PhoneBookEntry* item = currentPreviewSlot();
    if (!item)
        return;
    const std::string text = toLatin1(edits_[3]->text());
    if (IsAcceptedPreviewStatus(text)) {
        item->status = text;
        return;
    }
    model_->ReportError(ERROR_CLASS_OPERATING, IDS_ERR_BAD_STATUS);
    edits_[3]->clear();
}

void CDlgView::OnUpdatePreviewName()
{
    if (activeList_ == LIST_PAB && currentPreviewSlot())
        limitPreviewEdit(*edits_[0], LimitPhoneName(editText(*edits_[0]), model_->nameLength()));
}

void CDlgView::OnUpdatePreviewNumber()
{
    if (activeList_ == LIST_PAB && currentPreviewSlot())
        limitPreviewEdit(*edits_[1], LimitPhoneNumber(editText(*edits_[1]), model_->numberLength()));
}

void CDlgView::limitPreviewEdit(QLineEdit& edit, const std::optional<EditText>& limited)
{
    // The change that follows takes the limited text; this one is no change of its own.
    if (!limited)
        return;
    const QSignalBlocker quiet(&edit);
    setEditText(edit, *limited);
}

void CDlgView::LayoutPreviewEdits()
{
    const auto [w0, w1, w2, w3] = previewWidths_;
    QRect r = edits_[0]->geometry();
    r.setWidth(w0 + 2);
    edits_[0]->setGeometry(r);
    edits_[0]->raise();
    const int widths[3] = {w1, w2 + 2, w3 - 4};
    int left = r.right() + 1;
    for (int k = 1; k < 4; ++k) {
        edits_[std::size_t(k)]->setGeometry(left, r.top(), std::max(widths[k - 1], 0), r.height());
        edits_[std::size_t(k)]->raise();
        left += std::max(widths[k - 1], 0);
    }
}

void CDlgView::FocusPreviewField(int x)
{
    int k = 3;
    if (x < previewWidths_[0])
        k = 0;
    else if (x < previewWidths_[0] + previewWidths_[1])
        k = 1;
    else if (x < previewWidths_[0] + previewWidths_[1] + previewWidths_[2])
        k = 2;
    edits_[std::size_t(k)]->setFocus();
    edits_[std::size_t(k)]->selectAll();
}

// ---------------------------------------------------------------------------------------------
// Copying the preview into the other list

void CDlgView::OnCopyToPhoneList()
{
    enableArrows(false, false);
    activeList_ = LIST_NONE;
    pabList_->clearSelection();
    const std::vector<PhoneBookEntry> items = preview_;
    model_->CopyIntoDirectory(items);
    showList(LIST_PHONE);
}

void CDlgView::OnCopyToPabList()
{
    enableArrows(false, false);
    activeList_ = LIST_NONE;
    phoneList_->clearSelection();
    const std::vector<PhoneBookEntry> items = preview_;
    model_->CopyIntoPabList(items);
    showList(LIST_PAB);
}

} // namespace brevik

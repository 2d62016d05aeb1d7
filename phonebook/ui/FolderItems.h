// The address book's folders as items of the folder combo box (1004) and of the folder list in
// the folder-choice dialog (1026): each item carries its folder-table row, and is drawn with
// the picture of its kind, indented by its depth in the tree of distribution lists.
#pragma once

#include "phonebook/model/PhoneDirectory.h"

#include <QComboBox>
#include <QListWidget>
#include <QStyledItemDelegate>

namespace brevik {

// Item roles: the folder-table row, its kind and its depth.
constexpr int kFolderRowRole = Qt::UserRole;
constexpr int kFolderKindRole = Qt::UserRole + 1;
constexpr int kFolderDepthRole = Qt::UserRole + 2;

class FolderItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The folder combo box: its list shows the tree, its own text part the chosen folder's name.
class CFolderCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CFolderCombo(QWidget* parent);
    // One item per row of the table, in row order; item 0 selected. No selection signal.
    void fill(const PabFolderTable& folders);
};

// The folder list of the folder-choice dialog.
class CFolderListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CFolderListBox(QWidget* parent);
    void fill(const PabFolderTable& folders);
};

} // namespace brevik

#include "phonebook/ui/FolderItems.h"

#include "phonebook/ui/BrevikArt.h"
#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/controlids/ControlIds.h"

#include <QPainter>
#include <QSignalBlocker>

namespace brevik {

namespace {

constexpr int kFolderComboId = 1004;
constexpr int kFolderListId = 1026;
constexpr int kIndent = 9;

} // namespace

QSize FolderItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    const int depth = index.data(kFolderDepthRole).toInt();
    return {kIndent * depth + kIndent + text.width(), std::max(kFolderPictureSize, text.height())};
}

void FolderItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QPalette& palette = option.palette;
    const QRect r = option.rect;
    const int depth = index.data(kFolderDepthRole).toInt();
    const int kind = index.data(kFolderKindRole).toInt();
    if (!selected)
        painter->fillRect(r, palette.base());
    painter->drawPixmap(r.left() + kIndent * (depth - 1), r.top(), folderPicture(kind, !enabled));
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);
    const QRect textRect(r.left() + kIndent * depth + kIndent, r.top() + 2, metrics.horizontalAdvance(text) + 2,
                         metrics.height());
    // Only the text gets the selection's background, the picture stays on the window colour.
    if (selected)
        painter->fillRect(textRect, palette.highlight());
    QColor ink = palette.text().color();
    if (selected)
        ink = palette.highlightedText().color();
    else if (!enabled)
        ink = palette.color(QPalette::Disabled, QPalette::WindowText);
    painter->setPen(ink);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

CFolderCombo::CFolderCombo(QWidget* parent)
    : QComboBox(parent)
{
    torvane::ui::nameControl(this, torvane::ui::ControlKind::Combo, kFolderComboId);
    setItemDelegate(new FolderItemDelegate(this));
}

void CFolderCombo::fill(const PabFolderTable& folders)
{
    const QSignalBlocker quiet(this);
    clear();
    for (int row = 0; row < folders.count && row < kFolderRows; ++row) {
        const PabFolder& folder = folders.rows[std::size_t(row)];
        addItem(fromLatin1(folder.name), row);
        setItemData(count() - 1, folder.kind, kFolderKindRole);
        setItemData(count() - 1, folder.depth, kFolderDepthRole);
    }
    setCurrentIndex(count() > 0 ? 0 : -1);
}

CFolderListBox::CFolderListBox(QWidget* parent)
    : QListWidget(parent)
{
    torvane::ui::nameControl(this, torvane::ui::ControlKind::List, kFolderListId);
    setItemDelegate(new FolderItemDelegate(this));
}

void CFolderListBox::fill(const PabFolderTable& folders)
{
    clear();
    // The root is listed even while the table is empty.
    const int rows = std::clamp(int(folders.count), 1, kFolderRows);
    for (int row = 0; row < rows; ++row) {
        const PabFolder& folder = folders.rows[std::size_t(row)];
        auto* item = new QListWidgetItem(fromLatin1(folder.name), this);
        item->setData(kFolderRowRole, row);
        item->setData(kFolderKindRole, folder.kind);
        item->setData(kFolderDepthRole, folder.depth);
    }
    setCurrentRow(0);
}

} // namespace brevik

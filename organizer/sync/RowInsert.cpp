#include "organizer/sync/RowInsert.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/sync/SyncErrors.h"
#include "organizer/sync/SyncMarks.h"

namespace tessaro {

namespace {

const QColor kWhite(255, 255, 255);

// Blanks that keep a row's text clear of its pictogram, by the picture's width.
QString padded(const controls::Grid& grid, const QString& text, int wideBlanks)
{
    const controls::Picture picture = grid.cellPicture();
    if (picture.isNull())
        return text;
    const int blanks = double(picture.width()) / 48 < 7 ? 5 : wideBlanks;
    return QString(blanks, u' ') + text;
}

void writeDateColumn(controls::Grid& grid, int row, int dateColumn, VbDate start)
{
    if (dateColumn < 0)
        return;
    grid.setCol(dateColumn);
    grid.setCellFontName(GridFontName);
    grid.setCellFontSize(GridFontSize);
    grid.setTextMatrix(row, dateColumn, DateColumnText(start));
    grid.setCellAlignment(controls::AlignCenterCenter);
}

// Finds the row an entry goes to (algorithm of the sorted insert) and inserts a new row there
// when it is not reused; leaves the current cell on (row, textColumn). Entry rows stand in start
// order from the first entry row down, followed only by empty rows, so halving finds the place.
bool placeRow(controls::Grid& grid, int first, int dateColumn, int textColumn, int otherTextColumn,
              int otherIdColumn, int ownIdColumn, const QString& ownId, const QString& text, const QString& key,
              int& row, bool& added)
{
    InsertKind kind = InsertKind::Insert;
    if (grid.textMatrix(first, dateColumn).isEmpty()) {
        row = first;
        kind = InsertKind::Reuse;
        added = true;
    } else {
        const int end = EntryRowsEnd(grid, first, dateColumn);
        int lo = first;
        int hi = end;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (grid.textMatrix(mid, dateColumn + 1) < key)
                lo = mid + 1;
            else
                hi = mid;
        }
        row = lo;
        if (lo < end && grid.textMatrix(lo, dateColumn + 1) == key) {
            if (!GetInsertEntryIndex(grid, text, key, grid.rows(), lo, textColumn, otherTextColumn, otherIdColumn,
                                     dateColumn, ownIdColumn, ownId, kind, row))
                return false;
        }
        added = kind == InsertKind::Insert;
    }
    if (kind == InsertKind::Insert)
        grid.addItem(QString(), row);
    grid.setRow(row);
    grid.setCol(textColumn);
    return true;
}

void tidyVisibleGrids(int dateColumn)
{
    RemoveEmptyRows(VisibleFG1(), dateColumn, GridRowCountFG1);
    RemoveEmptyRows(VisibleFG2(), dateColumn, GridRowCountFG2);
}

} // namespace

bool GetInsertEntryIndex(controls::Grid& grid, const QString& text, const QString& sortKey, int rowCount,
                         int firstRow, int textColumn, int otherTextColumn, int otherIdColumn, int dateColumn,
                         int ownIdColumn, const QString& ownId, InsertKind& kind, int& row)
{
    try {
        int r = firstRow;
        for (; r < rowCount && grid.textMatrix(r, dateColumn + 1) == sortKey; ++r) {
            // A row that holds another entry of this side is that entry's, however alike the texts.
            const QString rowId = grid.textMatrix(r, ownIdColumn);
            if (!rowId.isEmpty() && rowId != ownId)
                continue;
            bool match = false;
            if (!grid.textMatrix(r, otherIdColumn).isEmpty())
                match = CellCompare(text, grid.textMatrix(r, otherTextColumn));
            match = match || CellCompare(text, grid.textMatrix(r, textColumn));
            if (match) {
                kind = InsertKind::Reuse;
                row = r;
                return true;
            }
        }
        kind = InsertKind::Insert;
        row = r;
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("GetInsertEntryIndex"));
        return false;
    }
}

bool InsertGridEntry(controls::Grid& grid, const outlook::AppointmentItem& item, int firstRow, int textColumn,
                     int otherTextColumn, int dateColumn, int markColumn, int idColumn, bool* rowAdded)
{
    if (rowAdded)
        *rowAdded = false;
    try {
        const VbDate start = fromDateTime(item.Start());
        const std::int64_t at = vbDateSeconds(start);
        if (at < vbDateSeconds(RangeStart) || at > vbDateSeconds(RangeEnd))
            return true;
        int row = 0;
        bool added = false;
        if (!placeRow(grid, firstRow, dateColumn, textColumn, otherTextColumn, ColPhoneLocation, idColumn,
                      item.EntryID(), item.Subject(), SortKeyText(start), row, added))
            return false;
        InsertEntry(grid, item, start, dateColumn, markColumn, idColumn);
        FillCellControll(grid, row, ColPcText, ColPhoneText, markColumn);
        FillCellPicture(grid, row, ColSyncPicture, markColumn);
        tidyVisibleGrids(dateColumn);
        if (rowAdded)
            *rowAdded = added;
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("InsertGridEntry"));
        return false;
    }
}

bool InsertGridEntryMobile(controls::Grid& grid, const PhoneEntry& entry, int firstRow, int textColumn,
                           int otherTextColumn, int dateColumn, int markColumn, int locationColumn)
{
    try {
        int row = 0;
        bool added = false;
        if (!placeRow(grid, firstRow, dateColumn, textColumn, otherTextColumn, ColEntryId, locationColumn,
                      entry.Location, entry.DisplayText, SortKeyText(entry.StartTime), row, added))
            return false;
        InsertEntryMobile(grid, entry, entry.StartTime, dateColumn, markColumn, locationColumn);
        MobileEntriesRead = true;
        FillCellControll(grid, row, ColPcText, ColPhoneText, markColumn);
        FindCompare(grid, VisibleFG2(), row, grid.col(), ColPcText, markColumn);
        FillCellPicture(grid, row, ColSyncPicture, markColumn);
        tidyVisibleGrids(dateColumn);
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("InsertGridEntryMobile"));
        return false;
    }
}

bool InsertEntry(controls::Grid& grid, const outlook::AppointmentItem& item, VbDate start, int dateColumn,
                 int markColumn, int idColumn)
{
    try {
        const int row = grid.row();
        const controls::ImageList& kinds = Main_Form().ImageList[0];
        const int meeting = item.MeetingStatus();
        if (meeting == outlook::Meeting || meeting == outlook::MeetingReceived) {
            grid.setCellPicture(kinds.picture(QStringLiteral("m")));
            grid.setCellPictureAlignment(controls::AlignLeftCenter);
        }
        if (item.IsRecurring()) {
            QString key;
            switch (item.GetRecurrencePattern().RecurrenceType()) {
            case 0:
                key = QStringLiteral("s");
                break;
            case 1:
            case 2:
            case 3:
                key = QStringLiteral("w");
                break;
            case 5:
            case 6:
                key = QStringLiteral("y");
                break;
            default:
                break;
            }
            if (!key.isEmpty()) {
                grid.setCellPicture(kinds.picture(key));
                grid.setCellPictureAlignment(controls::AlignLeftCenter);
                grid.setCellBackColor(kWhite);
            }
        }
        grid.setCellAlignment(controls::AlignLeftCenter);
        grid.setRowHeight(row, RowHeightTwips);
        grid.setText(padded(grid, item.Subject(), 10));
        grid.setTextMatrix(row, idColumn, item.EntryID());
        grid.setTextMatrix(row, markColumn, MarkToPhone);
        grid.setTextMatrix(row, ColMark, MarkToPhone);
        grid.setTextMatrix(row, dateColumn + 1, SortKeyText(start));
        writeDateColumn(grid, row, dateColumn, start);
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("InsertEntry"));
        return false;
    }
}

const controls::ImageList& PictogramList(const PhoneEntry& entry)
{
    MainFormControls& f = Main_Form();
    const bool alarm = entry.AAlarmSet != FlagFalse || entry.DAlarmSet != FlagFalse;
    if (entry.IsMemo != FlagFalse)
        return alarm ? f.TIVMemoBellImageList : f.TIVMemoImageList;
    if (entry.IsMeeting != FlagFalse)
        return alarm ? f.TIVMeetingBellImageList : f.TIVMeetingImageList;
    if (entry.IsAnniversary != FlagFalse)
        return alarm ? f.TIVBirthdayBellImageList : f.TIVBirthdayImageList;
    if (entry.IsPhoneCall != FlagFalse)
        return alarm ? f.TIVCallBellImageList : f.TIVCallImageList;
    return alarm ? f.TIVMemoBellImageList : f.TIVMemoImageList;
}

QString PictogramKey(const PhoneEntry& entry)
{
    if (entry.IsSerie != FlagFalse) {
        if (entry.RRule == QLatin1String("D1"))
            return QStringLiteral("Day");
        if (entry.RRule == QLatin1String("D7") || entry.RRule == QLatin1String("W1"))
            return QStringLiteral("Week");
        if (entry.RRule == QLatin1String("Y1"))
            return QStringLiteral("Year");
    }
    return QStringLiteral("Normal");
}

bool InsertEntryMobile(controls::Grid& grid, const PhoneEntry& entry, VbDate start, int dateColumn, int markColumn,
                       int locationColumn)
{
    try {
        const int row = grid.row();
        const int column = grid.col();
        grid.setCellPicture(PictogramList(entry).picture(PictogramKey(entry)));
        grid.setCellPictureAlignment(controls::AlignLeftCenter);
        grid.setCellAlignment(controls::AlignLeftCenter);
        grid.setRowHeight(row, RowHeightTwips);
        grid.setText(padded(grid, entry.DisplayText, 14));
        grid.setTextMatrix(row, locationColumn, entry.Location);
        grid.setTextMatrix(row, markColumn, MarkToPc);
        grid.setTextMatrix(row, dateColumn + 1, SortKeyText(start));
        writeDateColumn(grid, row, dateColumn, start);
        grid.setCol(column);
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("InsertEntryMobile"));
        return false;
    }
}

void RemoveEmptyRows(controls::Grid& grid, int dateColumn, int minimumRows)
{
    try {
        for (int row = grid.rows() - 1; row >= minimumRows && grid.textMatrix(row, dateColumn).isEmpty(); --row)
            grid.removeItem(row);
    } catch (...) {
        ShowSyncError(QStringLiteral("RemoveEmptyRows"));
    }
}

int AddGridRow(controls::Grid& grid, int row)
{
    const int oldRow = grid.row();
    const int oldCol = grid.col();
    grid.addItem(QString(), row);
    const int added = row == -1 ? grid.rows() - 1 : row;
    grid.setRowHeight(added, RowHeightTwips);
    grid.setRow(added);
    grid.setCol(ColDateText);
    grid.setCellAlignment(controls::AlignCenterCenter);
    grid.setCol(ColSyncPicture);
    grid.setCellPictureAlignment(controls::AlignCenterCenter);
    for (int column : {ColPcText, ColPhoneText}) {
        grid.setCol(column);
        grid.setCellAlignment(controls::AlignLeftTop);
        grid.setCellPictureAlignment(controls::AlignLeftTop);
        grid.setCellBackColor(kWhite);
    }
    grid.setRow(oldRow);
    grid.setCol(oldCol);
    return added;
}

bool ClearEntry(controls::Grid& grid, int row, int column1, int column2, int column3)
{
    try {
        grid.setRow(row);
        grid.setCol(column1);
        if (!grid.cellPicture().isNull())
            grid.setCellPicture({});
        grid.setText(QString());
        grid.setTextMatrix(row, column2, QString());
        grid.setTextMatrix(row, column3, QString());
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("ClearEntry"));
        return false;
    }
}

} // namespace tessaro

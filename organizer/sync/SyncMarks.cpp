#include "organizer/sync/SyncMarks.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/sync/SyncErrors.h"

namespace tessaro {

bool CellCompare(const QString& a, const QString& b)
{
    try {
        // A phone text holds '?' where the appointment had a character beyond Latin-1: compared
        // as the phone holds them, a copied text still matches its appointment.
        const QString x = PhoneText(WithoutLeadingBlanks(a));
        const QString y = PhoneText(WithoutLeadingBlanks(b));
        if (x.isEmpty() || y.isEmpty())
            return x.isEmpty() && y.isEmpty();
        return x.size() <= y.size() ? y.contains(x, Qt::CaseSensitive) : x.contains(y, Qt::CaseSensitive);
    } catch (...) {
        ShowSyncError(QStringLiteral("CellCompare"));
        return false;
    }
}

namespace {

QString markOf(const controls::Grid& grid, int row, int pcText, int phoneText)
{
    if (!(MobileEntriesRead && OrganizerEntriesRead))
        return MarkNone;
    const bool pc = !grid.textMatrix(row, pcText - 1).isEmpty();
    const bool phone = !grid.textMatrix(row, phoneText - 1).isEmpty();
    if (pc && phone)
        return CellCompare(grid.textMatrix(row, pcText), grid.textMatrix(row, phoneText)) ? MarkMatched : MarkNone;
    if (pc)
        return MarkToPhone;
    if (phone)
        return MarkToPc;
    return MarkNone;
}

void pictureOfRow(controls::Grid& grid, int row, int pictureColumn, int markColumn)
{
    if (!OrganizerAvailable)
        return;
    grid.setRow(row);
    grid.setCol(pictureColumn);
    grid.setCellPictureAlignment(controls::AlignCenterCenter);
    const QString mark = grid.textMatrix(row, markColumn);
    // A row whose mark was never computed shows nothing either.
    if (mark == MarkNone || mark.isEmpty())
        grid.setCellPicture({});
    else
        grid.setCellPicture(Main_Form().ImageList[0].picture(mark));
}

// The occurrences of a phone series: the k-th is the start plus k steps. Years are counted from
// the start, so a series on 29 February is back on that day in every leap year.
class Occurrences {
public:
    Occurrences(VbDate start, const QString& rule, bool serie) : m_start(start), m_serie(serie)
    {
        if (rule == QLatin1String("D7") || rule == QLatin1String("W1"))
            m_interval = QStringLiteral("ww");
        else if (rule == QLatin1String("Y1"))
            m_interval = QStringLiteral("yyyy");
        else
            m_interval = QStringLiteral("d");
        m_current = start;
    }
    bool serie() const { return m_serie; }
    VbDate date() const { return m_current; }
    void next() { m_current = DateAdd(m_interval, double(++m_k), m_start); }

private:
    VbDate m_start;
    bool m_serie;
    QString m_interval;
    int m_k = 0;
    VbDate m_current;
};

// The first row in [from, end) whose sort key is not before `key`: the PC rows are in start
// order, so the rows before it cannot match.
int firstRowFrom(const controls::Grid& grid, int from, int end, const QString& key)
{
    int lo = from;
    int hi = end;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (grid.textMatrix(mid, ColSortKey) < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void markMatch(controls::Grid& phoneGrid, controls::Grid& pcGrid, int r, int j, int phoneText, int pcText, int mark)
{
    phoneGrid.setTextMatrix(r, mark, MarkMatched);
    pcGrid.setTextMatrix(j, mark, MarkMatched);
    CopyCell(phoneGrid, pcGrid, r, phoneText, j, phoneText);
    CopyCell(pcGrid, phoneGrid, j, pcText, r, pcText);
    FillCellPicture(phoneGrid, r, ColSyncPicture, mark);
    FillCellPicture(pcGrid, j, ColSyncPicture, mark);
}

} // namespace

void FillCellControll(controls::Grid& grid, int row, int pcTextColumn, int phoneTextColumn, int markColumn)
{
    try {
        grid.setTextMatrix(row, markColumn, markOf(grid, row, pcTextColumn, phoneTextColumn));
    } catch (...) {
        ShowSyncError(QStringLiteral("FillCellControll"));
    }
}

void FillGridControll(controls::Grid& grid, int firstRow, int pcTextColumn, int phoneTextColumn, int markColumn)
{
    try {
        for (int row = firstRow; row < grid.rows(); ++row)
            grid.setTextMatrix(row, markColumn, markOf(grid, row, pcTextColumn, phoneTextColumn));
    } catch (...) {
        ShowSyncError(QStringLiteral("FillGridControll"));
    }
}

bool FindCompare(controls::Grid& phoneGrid, controls::Grid& pcGrid, int row, int phoneTextColumn, int pcTextColumn,
                 int markColumn)
{
    try {
        if (!MobileEntriesRead || !OrganizerEntriesRead)
            return true;
        const VbDate start = SortKeyDate(phoneGrid.textMatrix(row, ColSortKey));
        const std::int64_t rangeStart = vbDateSeconds(RangeStart);
        const std::int64_t rangeEnd = vbDateSeconds(RangeEnd);
        if (vbDateSeconds(start) > rangeEnd)
            return true;

        bool serie = false;
        QString rule;
        const std::int64_t location = LeadingNumber(phoneGrid.textMatrix(row, phoneTextColumn - 1));
        if (location >= FirstLocation && location <= LastLocation) {
            const PhoneEntry& entry = PhoneEntryTable.Entries(int(location));
            serie = entry.IsSerie != FlagFalse;
            rule = entry.RRule;
        }
        Occurrences d(start, rule, serie);
        const QString phoneText = phoneGrid.textMatrix(row, phoneTextColumn);

        const int first = pcGrid.fixedRows();
        // The desktop grid holds entries when its first row names an appointment; an appointment
        // may well have an empty subject.
        if (pcGrid.rows() <= first || pcGrid.textMatrix(first, pcTextColumn - 1).isEmpty())
            return true;
        const int end = EntryRowsEnd(pcGrid, first, ColSortKey);

        for (;;) {
            if (vbDateSeconds(d.date()) >= rangeStart) {
                // The calendar shows an occurrence the clock skips at the time it becomes.
                QString key = SortKeyText(onTheClock(d.date()));
                int j = firstRowFrom(pcGrid, first, end, key);
                while (j < end) {
                    const QString e = pcGrid.textMatrix(j, ColSortKey);
                    if (key < e)
                        break;
                    if (key == e && CellCompare(phoneText, pcGrid.textMatrix(j, pcTextColumn))) {
                        markMatch(phoneGrid, pcGrid, row, j, phoneTextColumn, pcTextColumn, markColumn);
                        if (!d.serie())
                            return true;
                        d.next();
                        key = SortKeyText(onTheClock(d.date()));
                        j = firstRowFrom(pcGrid, j + 1, end, key);
                        continue;
                    }
                    ++j;
                }
                if (d.serie())
                    d.next();
            } else if (d.serie()) {
                while (vbDateSeconds(d.date()) < rangeStart && vbDateSeconds(d.date()) <= rangeEnd)
                    d.next();
            }
            if (!d.serie())
                return true;
            const std::int64_t at = vbDateSeconds(d.date());
            if (at < rangeStart || at > rangeEnd)
                return true;
        }
    } catch (...) {
        ShowSyncError(QStringLiteral("FindCompare"));
        return false;
    }
}

bool CopyCell(controls::Grid& source, controls::Grid& target, int sourceRow, int sourceColumn, int targetRow,
              int targetColumn)
{
    try {
        target.setRow(targetRow);
        target.setCol(targetColumn);
        source.setRow(sourceRow);
        source.setCol(sourceColumn);
        const controls::Picture picture = source.cellPicture();
        if (picture.width() > 0) {
            target.setCellPicture(picture);
            target.setCellPictureAlignment(controls::AlignLeftCenter);
        }
        target.setCellAlignment(controls::AlignLeftTop);
        target.setTextMatrix(targetRow, targetColumn, source.textMatrix(sourceRow, sourceColumn));
        target.setTextMatrix(targetRow, targetColumn - 1, source.textMatrix(sourceRow, sourceColumn - 1));
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("CopyCell"));
        return false;
    }
}

void FillCellPicture(controls::Grid& grid, int row, int pictureColumn, int markColumn)
{
    try {
        pictureOfRow(grid, row, pictureColumn, markColumn);
    } catch (...) {
        ShowSyncError(QStringLiteral("FillCellPicture"));
    }
}

void FillGridPicture(controls::Grid& grid, int firstRow, int pictureColumn, int markColumn)
{
    try {
        for (int row = firstRow; row < grid.rows(); ++row)
            pictureOfRow(grid, row, pictureColumn, markColumn);
    } catch (...) {
        ShowSyncError(QStringLiteral("FillGridPicture"));
    }
}

void CompareGrids(controls::Grid& phoneGrid, controls::Grid& pcGrid, int phoneTextColumn, int pcTextColumn,
                  int markColumn)
{
    for (int row = phoneGrid.fixedRows(); row < phoneGrid.rows(); ++row) {
        if (phoneGrid.textMatrix(row, phoneTextColumn).isEmpty())
            break;
        if (!FindCompare(phoneGrid, pcGrid, row, phoneTextColumn, pcTextColumn, markColumn))
            break;
    }
}

void ClearGridColumnCells(controls::Grid& grid, int textColumn, int firstRow, int endRow, bool withDateColumn)
{
    if (endRow < 1)
        endRow = grid.rows();
    grid.setCol(textColumn);
    for (int row = firstRow; row < endRow; ++row) {
        grid.setRow(row);
        grid.setCellPicture({});
        if (withDateColumn)
            grid.setTextMatrix(row, ColDateText, QString());
        grid.setTextMatrix(row, textColumn, QString());
        grid.setTextMatrix(row, textColumn - 1, QString());
        grid.setTextMatrix(row, textColumn - 2, QString());
    }
    grid.setRow(grid.fixedRows());
}

} // namespace tessaro

#include "organizer/sync/GridRows.h"

#include "organizer/daterange/DateTexts.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormControls.h"

namespace tessaro {

QString SortKeyText(VbDate start)
{
    const DateParts p = vbDateParts(start);
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(p.year, 4, 10, QLatin1Char('0'))
        .arg(p.month, 2, 10, QLatin1Char('0'))
        .arg(p.day, 2, 10, QLatin1Char('0'))
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'));
}

VbDate SortKeyDate(const QString& key)
{
    // yyyy-mm-dd hh:mm:ss
    static const char kShape[] = "0000-00-00 00:00:00";
    if (key.size() != qsizetype(sizeof kShape - 1))
        throw typeMismatchError();
    for (qsizetype i = 0; i < key.size(); ++i) {
        const bool digit = key[i] >= u'0' && key[i] <= u'9';
        if (kShape[i] == '0' ? !digit : key[i] != QLatin1Char(kShape[i]))
            throw typeMismatchError();
    }
    const auto num = [&](int at, int len) { return key.mid(at, len).toInt(); };
    const DateParts p{num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)};
    if (!isValidDateParts(p))
        throw typeMismatchError();
    return makeVbDate(p);
}

QString DateColumnText(VbDate start)
{
    return FormatDate(start, QStringLiteral("Ddd")) + QLatin1Char(' ') + FormatDate(start, ShortDateFormat) +
           QLatin1Char(' ') + FormatDate(start, ShortTimeFormat);
}

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

controls::Grid& GridOf(GridInstance instance)
{
    auto& pair = instance.grid == GridName::FG1 ? Main_Form().FG1 : Main_Form().FG2;
    return pair[std::size_t(instance.index)];
}

controls::Grid& VisibleFG1()
{
    return GridOf(VisibleGrid(GridName::FG1));
}

controls::Grid& VisibleFG2()
{
    return GridOf(VisibleGrid(GridName::FG2));
}

bool IsFG2(const controls::Grid& grid)
{
    return grid.name() == QLatin1String("FG2");
}

int EntryRowsEnd(const controls::Grid& grid, int first, int column)
{
    int lo = first;
    int hi = grid.rows();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (grid.textMatrix(mid, column).isEmpty())
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

} // namespace tessaro

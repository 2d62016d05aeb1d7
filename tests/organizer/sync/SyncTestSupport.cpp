#include "SyncTestSupport.h"

#include "organizer/link/OrganizerSeams.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/SyncInstall.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/outlook/NameSpace.h"


namespace tessaro::test {

bool FakePhone::InitComm()
{
    calls << QStringLiteral("InitComm");
    return linkOpens;
}

bool FakePhone::SendSingleEntry(const PhoneEntry& entry)
{
    ++writes;
    calls << QStringLiteral("write %1").arg(entry.LocationIndex);
    if (refusedWrites.count(writes))
        return false;
    held[entry.LocationIndex] = entry;
    return true;
}

bool FakePhone::RemoveEntryFromMobile(std::int16_t location)
{
    if (location == -1)
        return true;
    ++deletes;
    calls << QStringLiteral("delete %1").arg(location);
    if (refusedDeletes.count(deletes))
        return false;
    held.erase(location);
    return true;
}

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

VbDate vb(int y, int mo, int d, int h, int mi, int s)
{
    return makeVbDate(y, mo, d, h, mi, s);
}

void PrintTo(const Row& r, std::ostream* os)
{
    *os << "{" << r.date.toStdString() << " | " << r.key.toStdString() << " | id " << r.id.toStdString() << " | "
        << r.pcText.toStdString() << " | " << r.mark.toStdString() << " | loc " << r.location.toStdString() << " | "
        << r.phoneText.toStdString() << "}";
}

namespace {

// A picture of its own for every key, `pixels` wide.
controls::Picture pictureOf(int pixels, QRgb color)
{
    QImage image(pixels, 16, QImage::Format_ARGB32);
    image.fill(color);
    return controls::Picture(image);
}

std::vector<std::pair<QString, const controls::ImageList*>> pictureLists()
{
    MainFormControls& f = Main_Form();
    return {{QStringLiteral("ImageList"), &f.ImageList[0]},
            {QStringLiteral("Memo"), &f.TIVMemoImageList},
            {QStringLiteral("Meeting"), &f.TIVMeetingImageList},
            {QStringLiteral("Birthday"), &f.TIVBirthdayImageList},
            {QStringLiteral("Call"), &f.TIVCallImageList},
            {QStringLiteral("MemoBell"), &f.TIVMemoBellImageList},
            {QStringLiteral("MeetingBell"), &f.TIVMeetingBellImageList},
            {QStringLiteral("BirthdayBell"), &f.TIVBirthdayBellImageList},
            {QStringLiteral("CallBell"), &f.TIVCallBellImageList}};
}

void fillPictures()
{
    QRgb color = 0xff000001;
    // The meeting picture and the phone's plain memo are narrow: their texts stand off 5 blanks.
    for (const char* key : {"m", "s", "w", "y", "j", "r", "l"})
        Main_Form().ImageList[0].add(QLatin1String(key), pictureOf(qstrcmp(key, "m") == 0 ? 8 : 16, ++color));
    for (auto& [name, list] : pictureLists()) {
        if (name == QLatin1String("ImageList"))
            continue;
        auto* l = const_cast<controls::ImageList*>(list);
        for (const char* key : {"Normal", "Day", "Week", "Year"})
            l->add(QLatin1String(key),
                   pictureOf(name == QLatin1String("Memo") && qstrcmp(key, "Normal") == 0 ? 8 : 16, ++color));
    }
}

} // namespace

void SyncTest::SetUp()
{
    resetMain_Form();
    MainFormControls& f = Main_Form();
    for (auto* pair : {&f.FG1, &f.FG2})
        for (int i = 0; i < 2; ++i) {
            controls::Grid& g = (*pair)[std::size_t(i)];
            g.setCols(10);
            g.setRows(7);
            g.setFixedRows(2);
            g.setVisible(i == 0);
        }
    fillPictures();

    setRegionalDateNames(torvane::datetext::DateNames::english());
    LanguageBase = 10000;
    ShortDateFormat = QStringLiteral("dd.mm.yy");
    ShortTimeFormat = QStringLiteral("hh:mm");
    ShortDateTimeFormat = QStringLiteral("dd.mm.yy hh:mm");
    TimeFormat = QStringLiteral("hh:mm:ss");
    GridFontName = QStringLiteral("Courier New");
    OrganizerAvailable = true;
    OrganizerName = QStringLiteral("Calendar");
    OrganizerEntriesRead = false;
    OrganizerEntryCount = 0;
    ActiveGridIndexFG1 = 0;
    ActiveGridIndexFG2 = 0;
    GridRowCountFG1 = 7;
    GridRowCountFG2 = 7;
    FirstLocation = 1;
    LastLocation = 30;
    MobileCapacity = 30;
    PhoneEntryTable = EntryTable();
    PhoneEntryTable.Redim(1, 30);
    MobileEntriesRead = false;
    MobileEntryCount = 0;
    MobileConnected = true;
    setRange(QDate(2026, 3, 1), QDate(2026, 3, 31));

    m_services = setOrganizerServices({});
    setOrganizerServices(m_services);
    installSynchronisation();

    OutlookOptions = outlook::ApplicationOptions();
    OutlookOptions.calendarPath = calendarPath;
    OutlookOptions.clock = [this] { return now; };
    OutlookOptions.display = [this](outlook::AppointmentItem& item, bool) {
        ++windowsShown;
        if (appointmentWindow)
            appointmentWindow(item);
    };
}

void SyncTest::TearDown()
{
    OutlookApp.reset();
    OutlookOptions = outlook::ApplicationOptions();
    setOrganizerServices(m_services);
    resetMain_Form();
    OrganizerAvailable = false;
    OrganizerEntriesRead = false;
    MobileEntriesRead = false;
}

outlook::Application& SyncTest::calendar()
{
    return OutlookApplication();
}

outlook::Items SyncTest::calendarItems()
{
    return calendar().GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
}

outlook::AppointmentItem SyncTest::addAppointment(const QString& subject, const QDateTime& start,
                                                  const std::function<void(outlook::AppointmentItem&)>& more)
{
    outlook::AppointmentItem item = calendarItems().Add(outlook::AppointmentItemType);
    item.setSubject(subject);
    item.setStart(start);
    if (more)
        more(item);
    item.Save();
    return item;
}

PhoneEntry& SyncTest::addPhoneEntry(int location, VbDate start, const QString& text)
{
    PhoneEntry& e = PhoneEntryTable.Entries(location);
    e = PhoneEntry();
    e.Location = QString::number(location);
    e.LocationIndex = std::int16_t(location);
    e.StartTime = start;
    e.DtStart = start;
    e.DtStartSet = FlagTrue;
    e.Description = text;
    e.DisplayText = text;
    e.IsMemo = FlagTrue;
    ++PhoneEntryTable.Count;
    MobileEntryCount = PhoneEntryTable.Count;
    return e;
}

void SyncTest::setRange(QDate first, QDate last)
{
    RangeStart = vb(first.year(), first.month(), first.day());
    RangeEnd = vb(last.year(), last.month(), last.day(), 23, 59, 59);
    // The range fields say the same, for the steps that compute the range again.
    MainFormControls& f = Main_Form();
    f.TIVStartCalendar.setValue(first);
    f.PeriodeText.setText(QString::number(first.daysTo(last) + 1));
    if (f.PeriodeCombo.listCount() == 0)
        for (const char* unit : {"Day", "Week", "Month", "Year"})
            f.PeriodeCombo.addItem(QLatin1String(unit));
    f.PeriodeCombo.setListIndex(0);
}

void SyncTest::readBothSides()
{
    // An empty calendar is read as well, only the result says nothing was found.
    FillGridOutlookEntry(calendar(), 2, 4, 9, 5, 3, RangeStart, RangeEnd);
    ASSERT_TRUE(FillGridMobileEntry(PhoneEntryTable, 9, 4, 5, 8));
    FillGridControll(fg2(), 2, 4, 9, 5);
    FillGridPicture(fg2(), 2, 6, 5);
}

std::vector<Row> SyncTest::rows(const controls::Grid& g)
{
    std::vector<Row> out;
    for (int r = g.fixedRows(); r < g.rows(); ++r) {
        if (g.textMatrix(r, ColDateText).isEmpty())
            continue;
        out.push_back({g.textMatrix(r, 0), g.textMatrix(r, 1), g.textMatrix(r, 3),
                       WithoutLeadingBlanks(g.textMatrix(r, 4)), g.textMatrix(r, 5), g.textMatrix(r, 8),
                       WithoutLeadingBlanks(g.textMatrix(r, 9))});
    }
    return out;
}

QStringList SyncTest::column(const controls::Grid& g, int c)
{
    QStringList out;
    for (const Row& r : rows(g)) {
        switch (c) {
        case 0: out << r.date; break;
        case 1: out << r.key; break;
        case 3: out << r.id; break;
        case 4: out << r.pcText; break;
        case 5: out << r.mark; break;
        case 8: out << r.location; break;
        case 9: out << r.phoneText; break;
        default: out << QString(); break;
        }
    }
    return out;
}

QString SyncTest::pictureKey(const controls::Grid& g, int row, int c)
{
    auto& grid = const_cast<controls::Grid&>(g);
    const int oldRow = grid.row();
    const int oldCol = grid.col();
    grid.setRow(row);
    grid.setCol(c);
    const controls::Picture picture = grid.cellPicture();
    grid.setRow(oldRow);
    grid.setCol(oldCol);
    if (picture.isNull())
        return {};
    for (auto& [name, list] : pictureLists())
        for (int i = 1; i <= list->count(); ++i)
            if (list->picture(i) == picture)
                return name + QLatin1Char(':') + list->key(i);
    return QStringLiteral("?");
}

} // namespace tessaro::test

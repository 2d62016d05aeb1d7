// The marks that pair phone rows with PC rows: the text rule, the mark of a row in every state,
// and the matching of single entries and series against the PC rows of the range.
#include "organizer/sync/GridFill.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncMarks.h"

#include "SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;
using test::vb;

struct TextCase {
    const char* a;
    const char* b;
    bool match;
};

class CellCompareTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CellCompareTest, TheShorterTextOccursInTheLonger)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(CellCompare(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.match) << c.a << " / " << c.b;
    EXPECT_EQ(CellCompare(QString::fromUtf8(c.b), QString::fromUtf8(c.a)), c.match) << c.b << " / " << c.a;
}

INSTANTIATE_TEST_SUITE_P(Texts, CellCompareTest,
                         ::testing::Values(TextCase{"Dentist", "Dentist Dr. Weber", true},
                                           TextCase{"     Dr. We", "Dentist Dr. Weber", true},
                                           TextCase{"Weber", "Dentist Dr. Weber", true},
                                           TextCase{"dentist", "Dentist Dr. Weber", false},
                                           TextCase{"Dentist", "Dentisd", false},
                                           TextCase{"   ", "", true}, TextCase{"", "x", false},
                                           TextCase{"Café", "Café Luitpold", true}));

class MarksTest : public test::SyncTest {};

TEST_F(MarksTest, TheMarkOfARowInEveryState)
{
    controls::Grid& g = fg1();
    // Rows 2..6: both sides matching, both differing, PC only, phone only, neither.
    const char* cells[][4] = {{"ID1", "  Board", "3", "   Board meeting"},
                              {"ID2", "  Lunch", "4", "   Dinner"},
                              {"ID3", "  Lunch", "", ""},
                              {"", "", "5", "   Call"},
                              {"", "", "", ""}};
    for (int i = 0; i < 5; ++i) {
        g.setTextMatrix(2 + i, 3, QLatin1String(cells[i][0]));
        g.setTextMatrix(2 + i, 4, QLatin1String(cells[i][1]));
        g.setTextMatrix(2 + i, 8, QLatin1String(cells[i][2]));
        g.setTextMatrix(2 + i, 9, QLatin1String(cells[i][3]));
    }
    // Before the phone's entries are read every row is "g", whatever it holds.
    OrganizerEntriesRead = true;
    FillGridControll(g, 2, 4, 9, 5);
    QStringList marks;
    for (int r = 2; r < 7; ++r)
        marks << g.textMatrix(r, 5);
    EXPECT_EQ(marks, QStringList({"g", "g", "g", "g", "g"}));

    MobileEntriesRead = true;
    FillGridControll(g, 2, 4, 9, 5);
    FillGridPicture(g, 2, 6, 5);
    marks.clear();
    QStringList pictures;
    for (int r = 2; r < 7; ++r) {
        marks << g.textMatrix(r, 5);
        pictures << pictureKey(g, r, 6);
    }
    EXPECT_EQ(marks, QStringList({"j", "g", "r", "l", "g"}));
    EXPECT_EQ(pictures, QStringList({"ImageList:j", "", "ImageList:r", "ImageList:l", ""}));

    // Without the desktop calendar no pictogram is touched.
    OrganizerAvailable = false;
    g.setTextMatrix(3, 5, QStringLiteral("j"));
    FillCellPicture(g, 3, 6, 5);
    EXPECT_EQ(pictureKey(g, 3, 6), "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MarksTest, ASingleEntryMatchesOnlyAnAppointmentOfItsVeryStart)
{
    addAppointment(QStringLiteral("Dentist Dr. Weber"), at(2026, 3, 10, 9, 30));
    addAppointment(QStringLiteral("Board meeting"), at(2026, 3, 11, 14, 0));
    addAppointment(QStringLiteral("Jour fixe"), at(2026, 3, 12, 8, 0));
    addAppointment(QStringLiteral("Lunch"), at(2026, 4, 20, 12, 0));
    addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
    addPhoneEntry(2, vb(2026, 3, 11, 14, 1), QStringLiteral("Board meeting"));
    addPhoneEntry(3, vb(2026, 3, 12, 8, 0), QStringLiteral("jour fixe"));
    addPhoneEntry(4, vb(2026, 4, 20, 12, 0), QStringLiteral("Lunch"));
    readBothSides();

    // The beginning of a subject at the same start matches; a minute off or one letter's case
    // does not; an entry after the range is not matched at all.
    EXPECT_EQ(column(fg1(), 5), QStringList({"j", "l", "l", "l"}));
    EXPECT_EQ(column(fg2(), 5), QStringList({"j", "r", "r"}));
    // Each row shows the other side too.
    EXPECT_EQ(rows(fg1())[0].pcText, "Dentist Dr. Weber");
    EXPECT_EQ(rows(fg2())[0].phoneText, "Dentist");
    EXPECT_EQ(rows(fg2())[0].location, "1");
    EXPECT_EQ(pictureKey(fg2(), 2, 9), "Memo:Normal");
    EXPECT_EQ(pictureKey(fg1(), 2, 6), "ImageList:j");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MarksTest, AWeeklySeriesFromBeforeTheRangeMatchesEveryOccurrence)
{
    setRange(QDate(2026, 3, 2), QDate(2026, 3, 22));
    addAppointment(QStringLiteral("Team call"), at(2026, 3, 2, 10, 0), [](outlook::AppointmentItem& item) {
        item.GetRecurrencePattern().setRecurrenceType(1);
    });
    // The series began on a Monday in February; its occurrence on the range's first day counts.
    PhoneEntry& e = addPhoneEntry(1, vb(2026, 2, 2, 10, 0), QStringLiteral("Team"));
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("W1");
    readBothSides();

    EXPECT_EQ(column(fg2(), 5), QStringList({"j", "j", "j"}));
    EXPECT_EQ(column(fg2(), 9), QStringList({"Team", "Team", "Team"}));
    ASSERT_EQ(rows(fg1()).size(), 1u);
    EXPECT_EQ(rows(fg1())[0].mark, "j");
    EXPECT_EQ(rows(fg1())[0].pcText, "Team call");
}

TEST_F(MarksTest, AYearlySeriesFromTheTwentyNinthOfFebruaryComesBackOnIt)
{
    setRange(QDate(2028, 2, 1), QDate(2028, 3, 31));
    addAppointment(QStringLiteral("Leap day party"), at(2028, 2, 29, 20, 0));
    PhoneEntry& e = addPhoneEntry(1, vb(2024, 2, 29, 20, 0), QStringLiteral("Leap day"));
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("Y1");
    readBothSides();
    EXPECT_EQ(column(fg2(), 5), QStringList({"j"}));
}

TEST_F(MarksTest, AnAppointmentWithAnEmptySubjectIsStillAnEntry)
{
    addAppointment(QString(), at(2026, 3, 3, 7, 0));
    addPhoneEntry(1, vb(2026, 3, 3, 7, 0), QString());
    readBothSides();
    EXPECT_EQ(column(fg2(), 5), QStringList({"j"}));
    EXPECT_EQ(column(fg1(), 5), QStringList({"j"}));
}

TEST_F(MarksTest, ClearingASideStopsBeforeTheEndRow)
{
    controls::Grid& g = fg2();
    for (int r = 2; r < 7; ++r)
        for (int c : {0, 2, 3, 4, 8, 9})
            g.setTextMatrix(r, c, QStringLiteral("x"));
    ClearGridColumnCells(g, 4, 2, 5, false);
    EXPECT_EQ(g.textMatrix(4, 4), "");
    EXPECT_EQ(g.textMatrix(4, 3), "");
    EXPECT_EQ(g.textMatrix(4, 2), "");
    EXPECT_EQ(g.textMatrix(5, 4), "x");
    EXPECT_EQ(g.textMatrix(2, 0), "x");
    EXPECT_EQ(g.textMatrix(2, 9), "x");

    for (int end : {0, -1}) {
        g.setTextMatrix(6, 9, QStringLiteral("x"));
        ClearGridColumnCells(g, 9, 2, end, true);
        EXPECT_EQ(g.textMatrix(6, 9), "") << end;
        EXPECT_EQ(g.textMatrix(6, 0), "") << end;
        EXPECT_EQ(g.textMatrix(6, 4), "x") << end;
        EXPECT_EQ(g.row(), 2);
    }
}

} // namespace
} // namespace tessaro

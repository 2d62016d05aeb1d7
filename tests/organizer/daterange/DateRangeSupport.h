// The main window's range controls as start-up leaves them: grids of ten columns, the unit list
// with its four entries, English texts and regional names, and a recorder for the boxes shown.
#pragma once

#include "organizer/daterange/Calendar.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/MainFormControls.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/MainWindowFakes.h"

#include <gtest/gtest.h>

namespace tessaro::test {

class DateRangeTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetMain_Form();
        setRegionalDateNames(torvane::datetext::DateNames::english());
        LanguageBase = LanguageEnglish;
        ShortDateFormat = QStringLiteral("dd.mm.yy");
        OrganizerAvailable = true;
        ActiveGridIndexFG1 = 0;
        ActiveGridIndexFG2 = 1;
        MainFormControls& form = Main_Form();
        for (auto* grids : {&form.FG1, &form.FG2})
            for (auto& g : *grids) {
                g.setCols(10);
                g.setRows(7);
                g.setFixedRows(2);
            }
        for (const char* unit : {"Day", "Week", "Month", "Year"})
            form.PeriodeCombo.addItem(QLatin1String(unit));
        form.PeriodeCombo.setListIndex(1);
        form.PeriodeText.setText(QStringLiteral("1"));
        form.TIVStartCalendar.setValue(QDate(1999, 2, 4));
    }
    void TearDown() override
    {
        resetMain_Form();
        OrganizerAvailable = false;
    }

    BoxRecorder boxes;
    FakeMainWindow window;
};

} // namespace tessaro::test

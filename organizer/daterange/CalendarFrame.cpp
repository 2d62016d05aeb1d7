#include "organizer/daterange/CalendarFrame.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/ErrorReport.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"

namespace tessaro {

namespace {

VbDate calendarDay(const controls::MonthCalendar& calendar)
{
    const QDate d = calendar.value();
    return makeVbDate(d.year(), d.month(), d.day());
}

// The calendar 40 twips smaller than the frame, centred in it.
void placeCalendar(const CalendarPickerWindow& w, double left, double top, double width, double height)
{
    w.TIVStartCalendar.setWidth(width - 40);
    w.TIVStartCalendar.setHeight(height - 40);
    w.StartCalendarFrame.move(left, top, width, height);
    w.TIVStartCalendar.setTop((height - w.TIVStartCalendar.height()) / 2);
    w.TIVStartCalendar.setLeft((width - w.TIVStartCalendar.width()) / 2);
}

// The border: top and bottom, left and right, the far edges drawn 10 twips inside.
void drawBorder(const CalendarPickerWindow& w, double width, double height)
{
    w.Line1[0].setPoints(0, 0, width, 0);
    w.Line1[1].setPoints(0, height - 10, width, height - 10);
    w.Line2[0].setPoints(1, 0, 1, height);
    w.Line2[1].setPoints(width - 10, 0, width - 10, height);
}

} // namespace

CalendarPickerWindow MainFormPicker()
{
    MainFormControls& form = Main_Form();
    return {form.Form.name(), form.StartCalendarFrame, form.TIVStartCalendar, form.Line1, form.Line2};
}

QString SetGlobalStartEndDate(const CalendarPickerWindow& window, const QString& countText, int unitIndex)
{
    QString startText;
    try {
        const VbDate day = calendarDay(window.TIVStartCalendar);
        startText = SetStartDate(day);
        RangeStart = day;
        if (unitIndex < 0 || unitIndex >= int(PeriodIntervals.size()))
            throw subscriptError();
        RangeEnd = GetRangeEndDate(PeriodIntervals[std::size_t(unitIndex)], countText, day);
    } catch (...) {
        ShowCaughtError(QStringLiteral("SetGlobalStartEndDate"));
    }
    return startText;
}

void CalendarFrameSet(const CalendarPickerWindow& w, double left, double top, double width, double height)
{
    try {
        placeCalendar(w, left, top, width, height);
        drawBorder(w, width, height);
        w.TIVStartCalendar.bringToFront();
        w.StartCalendarFrame.bringToFront();
        w.TIVStartCalendar.setVisible(true);
        w.StartCalendarFrame.setVisible(true);
        w.TIVStartCalendar.setFocus();
    } catch (...) {
        ShowCaughtError(QStringLiteral("CalendarFrameSet"));
    }
}

void CalendarFrameSetMainForm(double left, double top, double width, double height)
{
    MainFormControls& form = Main_Form();
    const CalendarPickerWindow w = MainFormPicker();
    controls::MonthCalendar& cal = form.TIVStartCalendar;
    controls::Control& fields = form.DateFieldsFrame;
    controls::CommandButton& ok = form.CalCommandOK;
    controls::CommandButton& cancel = form.CalCommandCancel;
    try {
        placeCalendar(w, left, top, width, height);

        form.StartDateText.setHeight(form.PeriodeCombo.height());
        form.EndDateText.setHeight(form.StartDateText.height());
        form.PeriodeText.setHeight(form.StartDateText.height());
        fields.setHeight((form.PeriodeCombo.height() + 200) * 2 + 200);

        form.StartDateText.setWidth(1100);
        form.EndDateText.setWidth(form.StartDateText.width());
        form.PeriodeText.setWidth(600);
        form.PeriodeCombo.setWidth(1000);
        fields.setWidth((form.StartDateText.width() + 200) * 2 + 100);

        if (2 * ok.width() + 300 <= fields.width()) {
            // The buttons fit under the fields: centred below them.
            fields.setLeft(cal.left() + cal.width() + 100);
            ok.setLeft(fields.left() + (fields.width() - 2 * (ok.width() + 100)) / 2);
            cancel.setLeft(ok.left() + ok.width() + 100);
        } else {
            // Wide buttons set the width, and the fields frame spans them.
            ok.setLeft(cal.left() + cal.width() + 100);
            cancel.setLeft(ok.left() + ok.width() + 100);
            fields.setLeft(ok.left());
            fields.setWidth(cancel.left() + cancel.width() - ok.left());
        }

        form.StartDateText.setLeft((fields.width() - (form.StartDateText.width() + 50) * 2) / 2);
        form.EndDateText.setLeft(form.StartDateText.left() + form.StartDateText.width() + 100);
        form.PeriodeText.setLeft(form.StartDateText.left());
        form.PeriodeCombo.setLeft(form.PeriodeText.left() + form.PeriodeText.width() + 100);

        ok.setTop(cal.top() + cal.height() - ok.height() - 200);
        cancel.setTop(ok.top());
        form.StartDateText.setTop(300);
        form.EndDateText.setTop(form.StartDateText.top());
        form.PeriodeText.setTop(form.StartDateText.top() + form.StartDateText.height() + 100);
        form.PeriodeCombo.setTop(form.PeriodeText.top());

        form.StartCalendarFrame.setWidth(fields.left() + fields.width() + 100);
        drawBorder(w, form.StartCalendarFrame.width(), height);

        const std::initializer_list<controls::Control*> shown = {&cal,
                                                                 &form.StartCalendarFrame,
                                                                 &form.StartDateText,
                                                                 &form.EndDateText,
                                                                 &form.PeriodeCombo,
                                                                 &form.PeriodeText};
        for (controls::Control* c : shown)
            c->bringToFront();
        for (controls::Control* c : shown)
            c->setVisible(true);
        cal.setFocus();

        const DateParts start = vbDateParts(RangeStart);
        cal.setValue(QDate(start.year, start.month, start.day));
        form.StartDateText.setText(FormatDate(RangeStart, ShortDateFormat));

        form.StartDateText.setToolTipText(LangText(TxtTipStartDate));
        form.EndDateText.setToolTipText(LangText(TxtTipEndDate));
        form.PeriodeCombo.setToolTipText(LangText(TxtTipUnitList));
        form.PeriodeText.setToolTipText(LangText(TxtTipCount));

        MainForm().PeriodeText_Change();
    } catch (...) {
        ShowCaughtError(QStringLiteral("CalendarFrameSetMainForm"));
    }
}

void CalendarFrameClear(const CalendarPickerWindow& w)
{
    try {
        w.StartCalendarFrame.setVisible(false);
        w.TIVStartCalendar.setVisible(false);
        if (w.name == QLatin1String("Main_Form")) {
            MainFormControls& form = Main_Form();
            form.StartDateText.setVisible(false);
            form.PeriodeCombo.setVisible(false);
            form.PeriodeText.setVisible(false);
        }
    } catch (...) {
        ShowCaughtError(QStringLiteral("CalendarFrameClear"));
    }
}

} // namespace tessaro

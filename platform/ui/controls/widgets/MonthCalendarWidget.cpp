#include "platform/ui/controls/widgets/MonthCalendarWidget.h"

#include "platform/ui/controls/widgets/ControlBinding.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace torvane::controls {

namespace {

constexpr int kDaysAWeek = 7;

} // namespace

MonthCalendarWidget::MonthCalendarWidget(MonthCalendar& model, QWidget* parent)
    : QCalendarWidget(parent), m_model(model)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The picker takes a day from the pointer and the arrow keys, and hands typed keys to its
    // model; Qt's own pop-up for typing a date is no part of it, and Qt leaks that pop-up's
    // parser when the calendar goes while a typed date waits.
    setDateEditEnabled(false);
    m_view = findChild<QAbstractItemView*>();
    if (m_view) {
        m_view->installEventFilter(this);
        m_view->viewport()->installEventFilter(this);
    }
    bindToControl(this, model);
    showValue(model.value());
    connect(&model, &MonthCalendar::valueChanged, this, &MonthCalendarWidget::showValue);
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (m_showing || selectedDate() == m_model.value())
            return;
        m_pickedNow = true;
        m_model.userClick(selectedDate());
    });
    connect(this, &QCalendarWidget::clicked, this, [this](QDate day) {
        if (!std::exchange(m_pickedNow, false))
            m_model.userClick(day);
    });
    connect(this, &QCalendarWidget::activated, this, [this](QDate day) {
        // Enter activates a day too; that key is reported as a key press, not as a double click.
        if (std::exchange(m_doubleClicked, false))
            m_model.userDoubleClick(day);
    });
    connect(qApp, &QApplication::focusChanged, this, &MonthCalendarWidget::applicationFocusChanged);
    // Another month shown comes with its long name.
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendarWidget::fitNames);
}

MonthCalendarWidget::~MonthCalendarWidget()
{
    // The widget's own teardown moves the focus; that must not reach this half-destroyed object.
    disconnect(qApp, nullptr, this, nullptr);
}

void MonthCalendarWidget::showValue(QDate day)
{
    m_showing = true;
    setSelectedDate(day);
    m_showing = false;
}

bool MonthCalendarWidget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pickedNow = false;
        break;
    case QEvent::MouseButtonDblClick:
        // The calendar picks the day under the pointer and then reports it as activated.
        m_doubleClicked = true;
        break;
    case QEvent::KeyPress: {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && watched == m_view)
            m_model.userKeyPress(text.at(0).unicode());
        break;
    }
    default:
        break;
    }
    return QCalendarWidget::eventFilter(watched, event);
}

void MonthCalendarWidget::resizeEvent(QResizeEvent* event)
{
    QCalendarWidget::resizeEvent(event);
    fitNames();
}

void MonthCalendarWidget::changeEvent(QEvent* event)
{
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        fitNames();
}

// Short names where the long ones do not fit, rather than names cut to "M...": the weekdays' short
// names where every one fits its column, else their first letters; the month's long name where
// it fits beside the year and the arrows, else its short one.
void MonthCalendarWidget::fitNames()
{
    if (!m_view)
        return;
    const int column = m_view->viewport()->width() / kDaysAWeek;
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1);
    const QFontMetrics metrics(m_view->font());
    int widest = 0;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        widest = std::max(widest, metrics.horizontalAdvance(locale().dayName(day, QLocale::ShortFormat)));
    setHorizontalHeaderFormat(widest + margin <= column ? ShortDayNames : SingleLetterDayNames);

    auto* bar = findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"));
    auto* month = findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    if (!bar || !bar->layout() || !month)
        return;
    month->setText(locale().standaloneMonthName(monthShown(), QLocale::LongFormat));
    if (bar->layout()->sizeHint().width() > bar->width())
        month->setText(locale().standaloneMonthName(monthShown(), QLocale::ShortFormat));
}

void MonthCalendarWidget::applicationFocusChanged(QWidget* old, QWidget* now)
{
    // Focus leaving the application (no focus widget at all) is no loss of the focus.
    if (!now)
        return;
    const bool wasIn = old && (old == this || isAncestorOf(old));
    const bool isIn = now == this || isAncestorOf(now);
    if (wasIn == isIn)
        return;
    m_model.focusChanged(isIn, isIn ? QString() : focusTargetName(now));
}

} // namespace torvane::controls

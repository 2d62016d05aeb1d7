// What a user sees wrong in a window: a control outside it, or a text cut off by the control that
// shows it (a button's caption, a field's text, a list's entries, a month calendar's names).
#pragma once

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

namespace torvane::test {

// Every weekday name and day fits its cell (less a focus frame's margin and a pixel either side),
// and the month and the year their buttons.
inline void expectCalendarReadable(const QCalendarWidget& calendar)
{
    const auto* view = calendar.findChild<const QTableView*>();
    ASSERT_TRUE(view);
    const int margin = 2 * (calendar.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        for (int col = 0; col < view->model()->columnCount(); ++col) {
            const QModelIndex index = view->model()->index(row, col);
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : view->font());
            EXPECT_LE(metrics.horizontalAdvance(index.data().toString()), view->columnWidth(col) - margin)
                << "cuts " << index.data().toString().toStdString();
        }
    }
    for (const QToolButton* button : calendar.findChildren<const QToolButton*>())
        EXPECT_TRUE(!button->isVisibleTo(&calendar) || button->sizeHint().width() <= button->width())
            << "cuts " << button->text().toStdString();
}

// Everything shown lies inside the window, and no caption or text is wider than its control.
inline void expectNothingClipped(const QWidget& window)
{
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(window.rect().contains(QRect(w->mapTo(&window, QPoint(0, 0)), w->size()))) << name;
        if (const auto* push = qobject_cast<const QPushButton*>(w); push && !push->text().isEmpty()) {
            // A push button's own least width is no need of its caption's.
            QStyleOptionButton option;
            option.initFrom(push);
            const QRect contents = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            EXPECT_LE(push->fontMetrics().horizontalAdvance(push->text().remove(QLatin1Char('&'))), contents.width())
                << name << " caption cut";
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty()) {
            EXPECT_LE(button->sizeHint().width(), w->width()) << name << " caption cut";
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            // The text's room: inside the frame and the text margins, less the two pixels the
            // line edit keeps clear on each side.
            QStyleOptionFrame option;
            option.initFrom(edit);
            if (edit->hasFrame())
                option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
            const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
            EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()),
                      contents.marginsRemoved(edit->textMargins()).width() - 4)
                << name << " cuts " << edit->text().toStdString();
        }
        if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const int room =
                combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width();
            QStringList texts{combo->currentText()};
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            for (const QString& text : texts)
                EXPECT_LE(combo->fontMetrics().horizontalAdvance(text), room) << name << " cuts " << text.toStdString();
        }
        if (const auto* calendar = qobject_cast<const QCalendarWidget*>(w))
            expectCalendarReadable(*calendar);
    }
}

} // namespace torvane::test

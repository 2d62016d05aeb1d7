// What a user sees wrong in a window: a control outside it, or a caption or text cut off by the
// control that shows it (a button's caption, a field's text, a list's entries, a month
// calendar's weekday names, days and month and year).
#pragma once

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

namespace torvane::test {

// The width a line edit has for its text: inside its frame, its text margins and the two pixels
// it keeps on each side.
inline int textRoom(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins()).width() - 2 * 2;
}

// Every weekday name and day number fits its cell, and the month and the year their buttons.
inline void expectCalendarReadable(const QCalendarWidget& calendar)
{
    const std::string name = calendar.objectName().toStdString();
    const auto* view = calendar.findChild<const QTableView*>();
    ASSERT_TRUE(view) << name;
    const QAbstractItemModel* model = view->model();
    // The cell's text keeps a focus frame's margin and a pixel clear on either side.
    const int margin = 2 * (calendar.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int col = 0; col < model->columnCount(); ++col) {
            const QModelIndex index = model->index(row, col);
            const QString text = index.data().toString();
            QFont font = view->font();
            if (const QVariant f = index.data(Qt::FontRole); f.isValid())
                font = f.value<QFont>();
            EXPECT_LE(QFontMetrics(font).horizontalAdvance(text), view->columnWidth(col) - margin)
                << name << " cuts " << text.toStdString();
        }
    }
    for (const QToolButton* button : calendar.findChildren<const QToolButton*>()) {
        if (button->isVisibleTo(&calendar) && !button->text().isEmpty()) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name << " cuts " << button->text().toStdString();
        }
    }
}

// Everything shown lies inside the window, and no caption or text is wider than its control.
inline void expectNothingClipped(const QWidget& window)
{
    const QRect inside = window.rect();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const std::string name = w->objectName().toStdString();
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r)) << name;
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if (const auto* push = qobject_cast<const QPushButton*>(w); push && !push->text().isEmpty()) {
            // A push button's own least width is no need of its caption's.
            QStyleOptionButton option;
            option.initFrom(push);
            const QRect contents = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            EXPECT_LE(push->fontMetrics().horizontalAdvance(push->text().remove(QLatin1Char('&'))), contents.width())
                << name << " caption cut";
        } else if (button && !button->text().isEmpty()) {
            EXPECT_LE(w->sizeHint().width(), w->width()) << name << " caption cut";
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()), textRoom(*edit))
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

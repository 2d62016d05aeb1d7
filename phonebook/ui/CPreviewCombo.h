// The preview combo box (control 1005): one item per entry taken into the preview, drawn as the
// entry's name, number, index and status in the preview's four columns. Its own text part
// draws nothing, as the four preview edits lie over it; a click there puts the focus into the
// edit of that column instead of opening the list, which only the arrow opens.
#pragma once

#include "phonebook/model/PhoneDirectory.h"
#include "phonebook/model/PreviewHeaderRule.h"

#include <QComboBox>

#include <functional>

namespace brevik {

class CPreviewCombo : public QComboBox {
    Q_OBJECT

public:
    // slot(k): the preview slot shown as item k; focusField(x) puts the focus into the edit of
    // the column at x.
    CPreviewCombo(const PreviewWidths& widths, std::function<const PhoneBookEntry*(int)> slot,
                  std::function<void(int x)> focusField, QWidget* parent);

    void setRowWidth(int rowWidth) { rowWidth_ = rowWidth; }
    int rowWidth() const { return rowWidth_; }
    const PreviewWidths& widths() const { return widths_; }
    const PhoneBookEntry* slot(int k) const { return slot_ ? slot_(k) : nullptr; }

    void showPopup() override;
    void hidePopup() override;

signals:
    void gotFocus();
    void lostFocus();
    void droppedDown();
    void closedUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const PreviewWidths& widths_;
    std::function<const PhoneBookEntry*(int)> slot_;
    std::function<void(int)> focusField_;
    int rowWidth_ = 0;
};

} // namespace brevik

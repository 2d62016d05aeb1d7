// Dialog templates place their controls in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. The editor's form and dialogs keep
// their templates' places by converting with the font they are shown in.
#pragma once

#include <QFont>
#include <QRect>

namespace brevik {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const { return (units * baseX_ + 2) / 4; }
    int y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(left + width) - x(left), y(top + height) - y(top));
    }

private:
    int baseX_;
    int baseY_;
};

} // namespace brevik

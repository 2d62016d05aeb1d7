#include "phonebook/ui/CDirectoryCombo.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/PhoneDirectory.h"
#include "platform/ui/controlids/ControlIds.h"

namespace brevik {

CDirectoryCombo::CDirectoryCombo(QWidget* parent)
    : QComboBox(parent)
{
    torvane::ui::nameControl(this, torvane::ui::ControlKind::Combo, 1003);
    for (int row = 0; row < kDirectoryCount; ++row)
        addItem(QString::fromUtf8(brevikString(DirectoryTable[std::size_t(row)].nameString)), row);
    setCurrentIndex(0);
}

} // namespace brevik

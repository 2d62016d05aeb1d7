#include "mainprog/ui/CCfgPropPage3.h"

#include "platform/ui/controlids/ControlIds.h"

#include <QComboBox>
#include <QFormLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

CCfgPropPage3::CCfgPropPage3(torvane::registry::AppProfile& profile, QWidget* parent)
    : CfgPage(parent)
    , model_(profile)
{
    setObjectName(QStringLiteral("CCfgPropPage3"));
    port_ = new QComboBox(this);
    nameControl(port_, ControlKind::Combo, 1002);
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* name : kPortChoices)
        port_->addItem(QLatin1String(name));
    port_->setEditText(QString::fromLatin1(model_.load().c_str()));
    connect(port_, &QComboBox::currentTextChanged, this, &CfgPage::changed);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Port:"), port_);
}

void CCfgPropPage3::OnOK()
{
    model_.apply(port_->currentText().toLatin1().toStdString());
}

} // namespace corvant

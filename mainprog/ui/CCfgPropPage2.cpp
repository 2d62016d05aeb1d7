#include "mainprog/ui/CCfgPropPage2.h"

#include "platform/ui/controlids/ControlIds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

const std::array<const char*, PHONEBOOK_DIRECTORIES> kDirectoryNames {
    "SIM", "Mobile Equipment", "Last Dial", "Own", "Fix Dial", "Missed calls", "Call Back",
};

QCheckBox* box(QWidget* parent, int id, const QString& text, bool checked)
{
    auto* check = new QCheckBox(text, parent);
    nameControl(check, ControlKind::Check, id);
    check->setChecked(checked);
    return check;
}

} // namespace

CCfgPropPage2::CCfgPropPage2(torvane::registry::AppProfile& profile, QWidget* parent)
    : CfgPage(parent)
    , model_(profile)
{
    setObjectName(QStringLiteral("CCfgPropPage2"));
    const CfgPage2Values values = model_.load();

    auto* group = new QGroupBox(QStringLiteral("Directories"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int bit = 0; bit < PHONEBOOK_DIRECTORIES; ++bit) {
        directories_[bit] = box(group, kDirectoryChecks[bit], QLatin1String(kDirectoryNames[bit]), values.directories[bit]);
        groupLayout->addWidget(directories_[bit]);
        connect(directories_[bit], &QCheckBox::toggled, this, &CfgPage::changed);
    }
    autoload_ = box(this, CHECK_AUTOLOAD, QStringLiteral("Load the directories at start"), values.autoload);
    showCorrection_ = box(this, CHECK_SHOW_CORRECTION, QStringLiteral("show preview"), values.showCorrection);
    connect(autoload_, &QCheckBox::toggled, this, &CfgPage::changed);
    connect(showCorrection_, &QCheckBox::toggled, this, &CfgPage::changed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(autoload_);
    layout->addWidget(showCorrection_);
    layout->addStretch(1);
}

CfgPage2Values CCfgPropPage2::values() const
{
    CfgPage2Values values;
    for (int bit = 0; bit < PHONEBOOK_DIRECTORIES; ++bit)
        values.directories[bit] = directories_[bit]->isChecked();
    values.autoload = autoload_->isChecked();
    values.showCorrection = showCorrection_->isChecked();
    return values;
}

void CCfgPropPage2::OnOK()
{
    model_.apply(values());
}

} // namespace corvant

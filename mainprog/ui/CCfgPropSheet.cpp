#include "mainprog/ui/CCfgPropSheet.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/ui/CCfgPropPage1.h"
#include "mainprog/ui/CCfgPropPage2.h"
#include "mainprog/ui/CCfgPropPage3.h"
#include "mainprog/ui/CorvantArt.h"
#include "platform/registry/WriteFailures.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

constexpr int kApplyNow = 12321;

} // namespace

CCfgPropSheet::CCfgPropSheet(EngineApi& engine, torvane::registry::AppProfile& profile,
                             std::function<void()> configureSmsManager, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CCfgPropSheet"));
    setWindowTitle(QString::fromLatin1(corvantString(IDS_CONFIGURING)));
    setWindowIcon(corvantIcon(IDI_SETTINGS));

    tabs_ = new QTabWidget(this);
    pages_ = {
        new CCfgPropPage1(engine, profile, std::move(configureSmsManager), tabs_),
        new CCfgPropPage2(profile, tabs_),
        new CCfgPropPage3(profile, tabs_),
    };
    tabs_->addTab(pages_[0], QStringLiteral("SMS"));
    tabs_->addTab(pages_[1], QStringLiteral("Mobile phone directory"));
    tabs_->addTab(pages_[2], QStringLiteral("Connection"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    nameControl(buttons->button(QDialogButtonBox::Ok), ControlKind::Button, torvane::ui::IDOK);
    nameControl(buttons->button(QDialogButtonBox::Cancel), ControlKind::Button, torvane::ui::IDCANCEL);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setText(QStringLiteral("&Apply"));
    nameControl(apply_, ControlKind::Button, kApplyNow);
    apply_->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCfgPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCfgPropSheet::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { apply(); });
    for (CfgPage* page : pages_)
        connect(page, &CfgPage::changed, this, [this] { apply_->setEnabled(true); });
    connect(tabs_, &QTabWidget::currentChanged, this, &CCfgPropSheet::onPageChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void CCfgPropSheet::onPageChanged(int index)
{
    if (index == current_)
        return;
    if (!pages_[std::size_t(current_)]->OnKillActive()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(current_);
        return;
    }
    current_ = index;
}

bool CCfgPropSheet::apply()
{
    if (!pages_[std::size_t(current_)]->OnKillActive())
        return false;
    const torvane::registry::ConfirmedChange change; // the pages' values are one change to the user
    for (CfgPage* page : pages_)
        page->OnOK();
    apply_->setEnabled(false);
    return true;
}

void CCfgPropSheet::accept()
{
    if (apply())
        QDialog::accept();
}

} // namespace corvant

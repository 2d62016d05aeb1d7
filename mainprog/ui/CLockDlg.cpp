#include "mainprog/ui/CLockDlg.h"

#include "mainprog/ui/CPasswordDlg.h"
#include "mainprog/ui/CorvantArt.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::findControl;
using torvane::ui::nameControl;

namespace {

QPushButton* makeButton(QWidget* parent, int id, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    nameControl(button, ControlKind::Button, id);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CLockDlg::CLockDlg(CallServiceEngine& engine, torvane::registry::AppProfile& profile, std::function<void(bool)> appBusy,
                   std::function<void(const QString&)> status, QWidget* parent)
    : QDialog(parent)
    , appBusy_(std::move(appBusy))
    , status_(std::move(status))
{
    setObjectName(QStringLiteral("CLockDlg"));
    setWindowTitle(QStringLiteral("Barring"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    LockDlgLogic::Hooks hooks;
    hooks.status = [this](const std::string& text) {
        if (status_)
            status_(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    };
    hooks.appBusy = [this](bool busy) {
        if (appBusy_)
            appBusy_(busy);
        if (busy)
            setCursor(Qt::WaitCursor);
        else
            unsetCursor();
    };
    hooks.enable = [this](int id, bool on) { enableControl(id, on); };
    hooks.rowChanged = [this](int row) { showRow(row); };
    hooks.askPassword = [this]() -> std::optional<std::string> {
        CPasswordDlg dialog(this);
        if (torvane::ui::execDialog(dialog) != torvane::ui::IDOK)
            return std::nullopt;
        return dialog.password();
    };
    logic_ = std::make_unique<LockDlgLogic>(engine, profile, std::move(hooks));

    auto* grid = new QGridLayout;
    for (int row = 0; row < LOCK_ROW_COUNT; ++row) {
        const LockRowSpec& spec = kBarringFacilities[row];
        grid->addWidget(new QLabel(QString::fromLatin1(spec.label), this), row, 0);
        auto* combo = new QComboBox(this);
        nameControl(combo, ControlKind::Combo, spec.comboId);
        for (int i = 0; i < LOCK_CLASS_COUNT; ++i)
            combo->addItem(QString::fromLatin1(corvantString(IDS_LOCK_CLASS_FIRST + i)));
        combos_[row] = combo;
        connect(combo, &QComboBox::activated, this, [this, row](int index) { logic_->OnRowSelChange(row, index); });
        auto* check = makeButton(this, spec.checkId, "check");
        auto* set = makeButton(this, spec.setId, "set");
        connect(check, &QPushButton::clicked, this, [this, row] { logic_->OnCheckFacility(row); });
        connect(set, &QPushButton::clicked, this, [this, row] { logic_->OnSetFacility(row); });
        grid->addWidget(combo, row, 1);
        grid->addWidget(check, row, 2);
        grid->addWidget(set, row, 3);
    }

    auto* checkAll = makeButton(this, IDC_LOCK_CHECK_ALL, "check all");
    auto* deleteAll = makeButton(this, IDC_LOCK_DELETE_ALL, "delete all");
    auto* help = makeButton(this, IDC_LOCK_HELP, "Help");
    auto* close = makeButton(this, IDC_LOCK_CLOSE, "&Close");
    connect(checkAll, &QPushButton::clicked, this, [this] { logic_->OnCheckAll(); });
    connect(deleteAll, &QPushButton::clicked, this, [this] { logic_->OnSetAll(); });
    connect(close, &QPushButton::clicked, this, &CLockDlg::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkAll);
    buttons->addWidget(deleteAll);
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    window_ = new messaging::MessageWindow(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return handleMessage(message, wParam, lParam); }, this);
    logic_->setWindow(window_->hwnd());
    logic_->OnInitDialog();
}

CLockDlg::~CLockDlg()
{
    // A dialog torn down with a request out must not leave the program deaf to input.
    if (logic_->busy() && appBusy_)
        appBusy_(false);
}

HWND CLockDlg::hwnd() const
{
    return window_->hwnd();
}

void CLockDlg::accept()
{
    if (!logic_->OnOK())
        return;
    QDialog::accept();
}

void CLockDlg::reject()
{
    if (logic_->busy())
        return;
    QDialog::reject();
}

LRESULT CLockDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LOCK_QUERY_DONE)
        logic_->OnBarringQueried(wParam, lParam);
    else if (message == WM_LOCK_SET_DONE)
        logic_->OnBarringSet(lParam);
    return 0;
}

void CLockDlg::showRow(int row)
{
    const QSignalBlocker blocker(combos_[row]);
    combos_[row]->setCurrentIndex(logic_->selection(row));
}

void CLockDlg::enableControl(int id, bool on)
{
    if (auto* button = findControl<QPushButton>(*this, ControlKind::Button, id))
        button->setEnabled(on);
}

} // namespace corvant

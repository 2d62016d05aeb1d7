#include "mainprog/ui/CFwdDlg.h"

#include "mainprog/ui/CorvantArt.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/ui/controlids/ControlIds.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::findControl;
using torvane::ui::nameControl;

namespace {

QString latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* makeButton(QWidget* parent, int id, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    nameControl(button, ControlKind::Button, id);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CFwdDlg::CFwdDlg(CallServiceEngine& engine, torvane::registry::AppProfile& profile, std::function<void(bool)> appBusy,
                 QWidget* parent)
    : QDialog(parent)
    , appBusy_(std::move(appBusy))
{
    setObjectName(QStringLiteral("CFwdDlg"));
    setWindowTitle(QStringLiteral("Call Forwarding"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    FwdDlgLogic::Hooks hooks;
    hooks.status = [this](const std::string& text) { status_->setText(latin1(text)); };
    hooks.appBusy = [this](bool busy) {
        if (appBusy_)
            appBusy_(busy);
        updateCursor();
    };
    hooks.enable = [this](int id, bool on) { enableControl(id, on); };
    hooks.rowChanged = [this](int row) { showRow(row); };
    logic_ = std::make_unique<FwdDlgLogic>(engine, profile, std::move(hooks));

    auto* grid = new QGridLayout;
    const char* heads[] = {"Voice", "Data", "FAX"};
    for (int k = 0; k < 3; ++k)
        grid->addWidget(new QLabel(QString::fromLatin1(heads[k]), this), 0, 1 + k);
    // The reasons from top to bottom as the dialog shows them, with the delays under no reply.
    const struct {
        const char* label;
        int firstRow;
        int reason; // -1: the delay line
    } lines[] = {{"Not reachable", 0, 3}, {"No reply", 3, 2}, {"Delay (s)", 12, -1}, {"Busy", 6, 1}, {"All calls", 9, 0}};
    int gridRow = 1;
    for (const auto& line : lines) {
        grid->addWidget(new QLabel(QString::fromLatin1(line.label), this), gridRow, 0);
        for (int k = 0; k < 3; ++k) {
            const int row = line.firstRow + k;
            auto* combo = new QComboBox(this);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            nameControl(combo, ControlKind::Combo, kForwardingRows[row].comboId);
            combo->setMinimumWidth(130);
            combos_[row] = combo;
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, row](const QString& text) { logic_->OnRowEditUpdate(row, text.toLatin1().toStdString()); });
            connect(combo, &QComboBox::activated, this, [this, row](int index) { logic_->OnRowSelChange(row, index); });
            grid->addWidget(combo, gridRow, 1 + k);
        }
        if (line.reason >= 0) {
            const int reason = line.reason;
            auto* check = makeButton(this, fwdCheckButton(reason), "check");
            auto* set = makeButton(this, fwdSetButton(reason), "set");
            connect(check, &QPushButton::clicked, this, [this, reason] { logic_->OnCheckReason(reason); });
            connect(set, &QPushButton::clicked, this, [this, reason] { logic_->OnSetReason(reason); });
            grid->addWidget(check, gridRow, 4);
            grid->addWidget(set, gridRow, 5);
        }
        ++gridRow;
    }

    status_ = new QLabel(this);
    nameControl(status_, ControlKind::Static, IDC_FWD_STATUS);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);

    auto* checkAll = makeButton(this, IDC_FWD_CHECK_ALL, "check all");
    auto* setAll = makeButton(this, IDC_FWD_SET_ALL, "set all");
    auto* help = makeButton(this, IDC_HELP_BUTTON, "Help");
    auto* close = makeButton(this, IDC_FWD_CLOSE, "&Close");
    connect(checkAll, &QPushButton::clicked, this, [this] { logic_->OnCheckAll(); });
    connect(setAll, &QPushButton::clicked, this, [this] { logic_->OnSetAll(); });
    connect(close, &QPushButton::clicked, this, [this] {
        if (logic_->busy())
            return;
        logic_->OnCloseButton();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkAll);
    buttons->addWidget(setAll);
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    window_ = new messaging::MessageWindow(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return handleMessage(message, wParam, lParam); }, this);
    logic_->setWindow(window_->hwnd());
    for (int row = FWD_DELAY_FIRST_ROW; row < FWD_ROW_COUNT; ++row)
        showRow(row);
    logic_->OnInitDialog();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &CFwdDlg::focusChanged);
}

CFwdDlg::~CFwdDlg()
{
    qApp->removeEventFilter(this);
    // The focus leaves the combos while the widgets go; the logic must not hear of it then.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    // A dialog torn down with a request out must not leave the program deaf to input.
    if (logic_->busy() && appBusy_)
        appBusy_(false);
}

HWND CFwdDlg::hwnd() const
{
    return window_->hwnd();
}

void CFwdDlg::reject()
{
    if (logic_->busy())
        return;
    QDialog::reject();
}

LRESULT CFwdDlg::handleMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_FORWARD_QUERY_DONE)
        logic_->OnForwardingRead(lParam);
    else if (message == WM_FORWARD_SET_DONE)
        logic_->OnForwardingWritten(lParam);
    return 0;
}

void CFwdDlg::showRow(int row)
{
    QComboBox* combo = combos_[row];
    if (combo == nullptr)
        return;
    const FwdDlgLogic::Row& r = logic_->row(row);
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& entry : r.entries)
        combo->addItem(latin1(entry));
    combo->setCurrentIndex(r.selection);
    if (r.selection < 0)
        combo->setEditText(latin1(r.text));
}

void CFwdDlg::enableControl(int id, bool on)
{
    if (auto* button = findControl<QPushButton>(*this, ControlKind::Button, id))
        button->setEnabled(on);
}

void CFwdDlg::updateCursor()
{
    if (logic_->busy())
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

bool CFwdDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == this)
            logic_->OnMouseDown(true);
        else if (watched->isWidgetType())
            logic_->OnMouseDown(false);

        return QDialog::eventFilter(watched, event);
    }
    return QDialog::eventFilter(watched, event);
}

int CFwdDlg::rowOf(const QWidget* widget) const
{
    for (int row = 0; row < FWD_ROW_COUNT; ++row) {
        if (widget != nullptr && (widget == combos_[row] || combos_[row]->isAncestorOf(widget)))
            return row;
    }
    return -1;
}

void CFwdDlg::focusChanged(QWidget* old, QWidget* now)
{
    // The drop-down list of a combo takes the focus for a moment; that is no change of row.
    const auto isPopup = [](const QWidget* w) { return w != nullptr && w->window()->windowType() == Qt::Popup; };
    if (isPopup(old) || isPopup(now))
        return;
    const int from = rowOf(old);
    const int to = rowOf(now);
    if (from == to)
        return;
    if (from >= 0)
        logic_->OnRowKillFocus(from);
    if (to >= 0)
        logic_->OnRowSetFocus(to);
}

void CFwdDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const int next = logic_->OnEnter();
        combos_[next]->setFocus(Qt::TabFocusReason);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace corvant

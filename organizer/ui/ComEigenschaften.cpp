#include "organizer/ui/ComEigenschaften.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tessaro {

namespace {

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QComboBox* combo(const char* name, bool editable, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    // A typed value is the box's text only; the lists stay the fixed choices.
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void fill(QComboBox* box, const QStringList& entries)
{
    box->clear();
    box->addItems(entries);
}

} // namespace

ComEigenschaften::ComEigenschaften(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ComEigenschaften"));
    buildControls();
    LoadPropertySettings();
    setWindowTitle(LangText(TxtAppCaption) + QLatin1Char('-') + LangText(TxtComPortSettings));

    adjustSize();
    if (const QScreen* screen = this->screen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void ComEigenschaften::buildControls()
{
    tabSettings = new QTabWidget(this);
    tabSettings->setObjectName(QStringLiteral("tabSettings"));
    auto* page = new QWidget(tabSettings);
    page->setObjectName(QStringLiteral("tabComPort"));
    tabSettings->addTab(page, QStringLiteral("Com Port"));

    fraSettings = new QGroupBox(QStringLiteral("Settings"), page);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(fraSettings);

    // The port and its speed on the left, the character framing under "Parameter" on the right.
    cboPort = combo("cboPort", false, fraSettings);
    cboSpeed = combo("cboSpeed", true, fraSettings);
    cboDataBits = combo("cboDataBits", true, fraSettings);
    cboParity = combo("cboParity", false, fraSettings);
    cboStopBits = combo("cboStopBits", true, fraSettings);

    auto* fields = new QGridLayout;
    fields->setColumnMinimumWidth(2, 24);
    fields->addWidget(label(QStringLiteral("Port:"), "lblPort", fraSettings), 1, 0);
    fields->addWidget(cboPort, 1, 1);
    fields->addWidget(label(QStringLiteral("Speed:"), "lblSpeed", fraSettings), 2, 0);
    fields->addWidget(cboSpeed, 2, 1);
    fields->addWidget(label(QStringLiteral("Parameter"), "lblParameter", fraSettings), 0, 3, 1, 2);
    fields->addWidget(label(QStringLiteral("Databits:"), "lblDataBits", fraSettings), 1, 3);
    fields->addWidget(cboDataBits, 1, 4);
    fields->addWidget(label(QStringLiteral("Parity:"), "lblParity", fraSettings), 2, 3);
    fields->addWidget(cboParity, 2, 4);
    fields->addWidget(label(QStringLiteral("Stopbits:"), "lblStopBits", fraSettings), 3, 3);
    fields->addWidget(cboStopBits, 3, 4);

    fraFlow = new QGroupBox(QStringLiteral("&Protocoll"), fraSettings);
    fraFlow->setObjectName(QStringLiteral("fraFlow"));
    auto* flow = new QHBoxLayout(fraFlow);
    const char* const flowNames[] = {"None", "Xon/Xoff", "RTS", "Xon/RTS"};
    for (int i = 0; i < int(optFlow.size()); ++i) {
        optFlow[i] = new QRadioButton(QLatin1String(flowNames[i]), fraFlow);
        optFlow[i]->setObjectName(QStringLiteral("optFlow%1").arg(i));
        flow->addWidget(optFlow[i]);
        // Every choice counts, the one the load makes included.
        connect(optFlow[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_chosenFlow = i;
        });
    }

    GlobalTimeOut = new QLineEdit(DesignTimeoutText, fraSettings);
    GlobalTimeOut->setObjectName(QStringLiteral("GlobalTimeOut"));
    IrDaCheck = new QCheckBox(QStringLiteral("Infrared"), fraSettings);
    IrDaCheck->setObjectName(QStringLiteral("IrDaCheck"));
    IrDADelay = new QLineEdit(DesignInfraredDelayText, fraSettings);
    IrDADelay->setObjectName(QStringLiteral("IrDADelay"));
    IrDADelay->setEnabled(false);
    for (QLineEdit* box : {GlobalTimeOut, IrDADelay}) {
        box->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        box->installEventFilter(this);
    }

    auto* link = new QGridLayout;
    link->addWidget(label(QStringLiteral("Timeout"), "lblTimeout", fraSettings), 0, 0);
    link->addWidget(GlobalTimeOut, 0, 1);
    link->addWidget(IrDaCheck, 1, 0);
    link->addWidget(label(QStringLiteral("IrDa Init-Delay"), "lblIrDADelay", fraSettings), 2, 0);
    link->addWidget(IrDADelay, 2, 1);
    link->setColumnStretch(2, 1);

    auto* frame = new QVBoxLayout(fraSettings);
    frame->addLayout(fields);
    frame->addWidget(fraFlow);
    frame->addLayout(link);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabSettings);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(GlobalTimeOut, &QLineEdit::textChanged, this, [this] { filterNumber(GlobalTimeOut, TimeoutFallbackText); });
    connect(IrDADelay, &QLineEdit::textChanged, this, [this] { filterNumber(IrDADelay, InfraredDelayFallbackText); });
    connect(IrDaCheck, &QCheckBox::toggled, this, [this](bool ticked) {
        IrDADelay->setEnabled(ticked);
        IrDADelay->setText(ticked ? QString::number(InfraredDelay) : InfraredDelayFallbackText);
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void ComEigenschaften::filterNumber(QLineEdit* box, const QString& fallback)
{
    const QString number = NumericBoxText(box->text(), fallback);
    if (number != box->text())
        box->setText(number);
}

PortWindowFields ComEigenschaften::shownFields() const
{
    PortWindowFields f;
    for (int i = 0; i < cboPort->count(); ++i)
        f.ports << cboPort->itemText(i);
    f.port = cboPort->currentIndex();
    f.listsFilled = cboSpeed->count() > 0;
    f.settings.speed = cboSpeed->currentText();
    f.settings.dataBits = cboDataBits->currentText();
    f.settings.stopBits = cboStopBits->currentText();
    f.settings.parity = cboParity->currentIndex();
    f.handshaking = -1;
    for (int i = 0; i < int(optFlow.size()); ++i)
        if (optFlow[i]->isChecked())
            f.handshaking = i;
    f.timeout = GlobalTimeOut->text();
    f.infrared = IrDaCheck->isChecked();
    f.infraredDelay = IrDADelay->text();
    f.infraredDelayEnabled = IrDADelay->isEnabled();
    return f;
}

void ComEigenschaften::showFields(const PortWindowFields& f)
{
    fill(cboPort, f.ports);
    cboPort->setCurrentIndex(f.port);
    if (f.listsFilled) {
        fill(cboSpeed, PortSpeeds);
        fill(cboDataBits, PortDataBits);
        fill(cboParity, PortParities);
        fill(cboStopBits, PortStopBits);
    }
    cboSpeed->setEditText(f.settings.speed);
    cboDataBits->setEditText(f.settings.dataBits);
    cboStopBits->setEditText(f.settings.stopBits);
    cboParity->setCurrentIndex(f.settings.parity);
    if (f.handshaking >= 0 && f.handshaking < int(optFlow.size()))
        optFlow[f.handshaking]->setChecked(true);
    GlobalTimeOut->setText(f.timeout);
    // Ticking the box the way a click does fills the delay first; what the load found wins.
    IrDaCheck->setChecked(f.infrared);
    IrDADelay->setText(f.infraredDelay);
    IrDADelay->setEnabled(f.infraredDelayEnabled);
}

void ComEigenschaften::LoadPropertySettings()
{
    PortWindowFields f = shownFields();
    LoadPortProperties(ComDrvForm().MSComm1, f);
    showFields(f);
}

void ComEigenschaften::cmdOK_Click()
{
    PortChoice choice;
    choice.port = cboPort->currentText();
    choice.speed = cboSpeed->currentText();
    choice.parity = cboParity->currentText();
    choice.dataBits = cboDataBits->currentText();
    choice.stopBits = cboStopBits->currentText();
    choice.handshaking = m_chosenFlow;
    choice.timeout = GlobalTimeOut->text();
    choice.infrared = IrDaCheck->isChecked();
    choice.infraredDelay = IrDADelay->text();
    const PortApplyResult result = ApplyPortProperties(ComDrvForm().MSComm1, choice);
    // The boxes show the values taken, which matters when a failed save keeps the window open.
    GlobalTimeOut->setText(choice.timeout);
    if (choice.infrared)
        IrDADelay->setText(choice.infraredDelay);
    if (result == PortApplyResult::Saved)
        accept();
}

bool ComEigenschaften::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box != GlobalTimeOut && box != IrDADelay)
        return QDialog::eventFilter(watched, event);
    QString& atFocus = box == GlobalTimeOut ? m_timeoutAtFocus : m_delayAtFocus;
    switch (event->type()) {
    case QEvent::FocusIn:
        atFocus = box->text();
        break;
    case QEvent::FocusOut:
        // Leaving the box shows at once the value OK will take.
        box->setText(LinkWaitBoxText(box->text()));
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            box->setText(atFocus);
            return true;
        }
        // Enter neither presses OK nor does anything else in the boxes.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

namespace {

QPointer<ComEigenschaften>& programForm()
{
    static QPointer<ComEigenschaften> form;
    return form;
}

} // namespace

ComEigenschaften& ComEigenschaftenForm()
{
    QPointer<ComEigenschaften>& form = programForm();
    if (!form) {
        form = new ComEigenschaften;
        ComEigenschaften* loaded = form;
        QObject::connect(loaded, &QDialog::finished, loaded, [loaded] {
            if (programForm() == loaded)
                programForm() = nullptr;
            loaded->deleteLater();
        });
    }
    return *form;
}

bool ComEigenschaftenLoaded()
{
    return !programForm().isNull();
}

void ShowComEigenschaften(QWidget* owner)
{
    ComEigenschaften& form = ComEigenschaftenForm();
    if (form.parentWidget() != owner)
        form.setParent(owner, form.windowFlags());
    form.exec();
}

} // namespace tessaro

#include "melody/ui/CMidiSettingsDlg.h"

#include "platform/midi/MidiOutputs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CMidiSettingsDlg::CMidiSettingsDlg(torvane::midi::MidiOutputs& outputs, int device, QWidget* parent)
    : QDialog(parent), device_(device)
{
    setObjectName(QStringLiteral("dialog154"));
    setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Available MIDI Output Devices:"), this));
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("combo1018"));
    list_->setMinimumWidth(260);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const int count = outputs.deviceCount();
    for (int i = 0; i < count; ++i)
        list_->addItem(QString::fromStdString(outputs.deviceName(i)), i);
    if (count <= 0)
        list_->addItem(QString::fromLatin1(NO_MIDI_DEVICE_TEXT), 0);
    list_->setCurrentIndex(std::clamp(device, 0, list_->count() - 1));
}

void CMidiSettingsDlg::accept()
{
    // The position in the list is the device index.
    if (list_->currentIndex() >= 0)
        device_ = list_->currentIndex();
    QDialog::accept();
}

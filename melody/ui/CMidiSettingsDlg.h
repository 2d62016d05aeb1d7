// Edit "Settings...": the MIDI output device of a melody, chosen from the system's devices.
#pragma once

#include <QDialog>

class QComboBox;
namespace torvane::midi {
class MidiOutputs;
}

inline constexpr char NO_MIDI_DEVICE_TEXT[] = "No MIDI Device";

class CMidiSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CMidiSettingsDlg(torvane::midi::MidiOutputs& outputs, int device, QWidget* parent = nullptr);

    // The device chosen: the selected entry's device after OK, the one given after Cancel.
    int Device() const { return device_; }
    QComboBox* List() const { return list_; }

    void accept() override;

private:
    QComboBox* list_;
    int device_;
};

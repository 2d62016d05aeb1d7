// The rules of the port properties window: which ports the machine has, the lists of its
// fields, reading the serial control's settings text into the fields and composing it back,
// the number boxes, and applying the user's choice to the serial control, the settings
// globals and the registry. No widgets here: the window in organizer/ui shows these fields.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace tessaro {

class CommControl;

// Text 174, the second half of the window's caption ("COM-Port Settings").
constexpr int TxtComPortSettings = 174;

// The port numbers the window looks for.
constexpr int FirstListedPort = 1;
constexpr int LastListedPort = 16;

// The entries of the combo boxes, in the order they are shown.
extern const QStringList PortSpeeds;
extern const QStringList PortDataBits;
extern const QStringList PortParities; // Even, Odd, None, Mark, Space
extern const QStringList PortStopBits;

// Texts the two number boxes start with, and what they fall back to when their text cannot
// be read as a number.
inline const QString DesignTimeoutText = QStringLiteral("7500");
inline const QString DesignInfraredDelayText = QStringLiteral("700");
inline const QString TimeoutFallbackText = QStringLiteral("7500");
inline const QString InfraredDelayFallbackText = QStringLiteral("1");

// The shortest link time-out and infrared delay the window takes. A time-out of 0 leaves the
// link's waits without an end and a time-out of a few milliseconds fails every command; a
// smaller value is raised to this one.
constexpr int MinLinkWaitMs = 100;

// Whether port n is on the machine: it opens, or another program holds it. The program asks
// the platform's ports; tests install their own answer.
using PortProbe = std::function<bool(int portNumber)>;
// Installs a probe and returns the previous one; an empty one restores the platform's.
PortProbe setPortProbe(PortProbe probe);
bool PortPresent(int portNumber);

// The fields of a settings text such as "19200,n,8,1.5".
struct SettingsFields {
    QString speed;
    QString dataBits;
    QString stopBits;
    int parity = -1; // index into PortParities, -1 for none
};

// Splits the serial control's settings text by the positions of its fields, counted from the
// end: stop bits are one character, or three when the text holds a "." ("1.5"). The parity
// letter must be lower case, as the control reports it; any other selects no parity. A text
// too short to hold the fields raises the runtime's error 5.
SettingsFields SplitSettingsText(const QString& text);

// The settings text of the window's fields: the speed, the parity's first letter, the data
// bits and the stop bits, each trimmed, joined by commas ("115200,E,7,2").
QString ComposeSettingsText(const QString& speed, const QString& parity, const QString& dataBits,
                            const QString& stopBits);

// What a number box shows after a change: the number its text starts with ("" and a leading
// letter give "0"), or `fallback` when that number is too large to be formed.
QString NumericBoxText(const QString& text, const QString& fallback);

// The time-out or infrared delay that a number box's text stands for, raised to MinLinkWaitMs.
// A number above what a 16-bit setting holds raises the runtime's overflow error.
std::int16_t LinkWaitFromText(const QString& text);
// The text a number box shows for the value it stands for: raised to MinLinkWaitMs; a text
// whose number is too large stays as it is, for OK to refuse.
QString LinkWaitBoxText(const QString& text);

// What the window's controls show. A default-made one is the window's design state.
struct PortWindowFields {
    QStringList ports; // cboPort, "COM" + number
    int port = -1;     // selected entry of ports, -1 for none
    bool listsFilled = false;
    SettingsFields settings;
    int handshaking = -1; // the optFlow button that is on, -1 for none
    QString timeout = DesignTimeoutText;
    bool infrared = false;
    QString infraredDelay = DesignInfraredDelayText;
    bool infraredDelayEnabled = false;
};

// Fills the fields from the machine's ports, the serial control and the settings globals.
// The port probe swallows its own errors; any later error ends the load with the error box of
// "LoadPropertySettings", the fields after it keeping what they held: false.
bool LoadPortProperties(CommControl& comm, PortWindowFields& fields);

// What the window holds when the user presses OK.
struct PortChoice {
    QString port; // the selected cboPort entry, "" for none
    QString speed;
    QString parity;
    QString dataBits;
    QString stopBits;
    int handshaking = 0; // the optFlow index last chosen
    QString timeout;
    bool infrared = false;
    QString infraredDelay;
};

enum class PortApplyResult {
    Saved,   // applied and saved: the window goes
    Refused, // the serial control refused a value; its text was shown, nothing saved
    Failed,  // the error box was shown (or the save's own box); nothing more saved
};

// Applies the choice to the serial control (port, settings text, handshaking), then to the
// settings globals, and saves all settings. The time-out and the delay of a ticked infrared
// box come back as the values taken, for the boxes to show.
PortApplyResult ApplyPortProperties(CommControl& comm, PortChoice& choice);

} // namespace tessaro

// What the simulated phone knows about itself and its line: echo and result settings,
// identity, SIM lock, network registration, battery and signal. Feature modules keep their
// own stores (PhoneModule); this is the part every command may consult.
#pragma once

#include <QJsonObject>
#include <QString>

#include <string>

namespace torvane::phonesim {

// Kept across links: a program that set AT+CMEE=2 finds it so when it opens the port again.
struct LineConfig {
    bool echo = true;
    bool quiet = false;  // Q1: no result codes
    bool verbose = true; // V1: words, V0: numbers
    int cmee = 0;        // 0 ERROR, 1 +CME ERROR: number, 2 +CME ERROR: text

    bool operator==(const LineConfig&) const = default;
};

struct Identity {
    std::string manufacturer = "TORVANE";
    std::string model = "TV-35";

    bool operator==(const Identity&) const = default;
};

enum class SimLock { Ready, SimPin, SimPuk, SimPin2, SimPuk2 };

struct SimCard {
    SimLock lock = SimLock::Ready;
    std::string pin = "1234";
    std::string puk = "12345678";
    std::string pin2 = "4321";
    std::string puk2 = "87654321";
    int pinAttempts = 3;
    int pukAttempts = 10;
    int pin2Attempts = 3;
    int puk2Attempts = 10;

    bool operator==(const SimCard&) const = default;
};

// The <stat> values of a registration answer.
enum class Registration { NotRegistered = 0, Home = 1, Searching = 2, Denied = 3, Unknown = 4, Roaming = 5 };

struct Network {
    Registration registration = Registration::Home;
    int cregMode = 0; // the <n> of AT+CREG=<n>

    bool operator==(const Network&) const = default;
};

struct Battery {
    int status = 0; // 0 powered by battery
    int level = 80; // percent

    bool operator==(const Battery&) const = default;
};

struct Signal {
    int rssi = 20; // 0..31, 99 unknown
    int ber = 99;

    bool operator==(const Signal&) const = default;
};

struct PhoneState {
    LineConfig line;
    Identity identity;
    SimCard sim;
    Network network;
    Battery battery;
    Signal signal;

    bool operator==(const PhoneState&) const = default;
};

// "READY", "SIM PIN", "SIM PUK", "SIM PIN2", "SIM PUK2": the words of a PIN state answer.
const char* simLockText(SimLock lock);

QJsonObject phoneStateToJson(const PhoneState& state);
// Keys that are missing keep the value state has; a key of the wrong type or an unknown
// word is an error naming the key, and state is then left unchanged.
QString phoneStateFromJson(const QJsonObject& json, PhoneState& state);

} // namespace torvane::phonesim

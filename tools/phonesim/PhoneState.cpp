#include "tools/phonesim/PhoneState.h"

#include <QJsonValue>

namespace torvane::phonesim {

namespace {

constexpr SimLock kSimLocks[] = {SimLock::Ready, SimLock::SimPin, SimLock::SimPuk, SimLock::SimPin2,
                                 SimLock::SimPuk2};

struct RegistrationName {
    Registration value;
    const char* name;
};

constexpr RegistrationName kRegistrations[] = {
    {Registration::NotRegistered, "unregistered"}, {Registration::Home, "home"},
    {Registration::Searching, "searching"},        {Registration::Denied, "denied"},
    {Registration::Unknown, "unknown"},            {Registration::Roaming, "roaming"},
};

// Reads typed values out of one JSON object and remembers the first problem.
class Reader {
public:
    Reader(const QJsonObject& root, QString path, QString& error) : m_error(error), m_path(std::move(path))
    {
        m_obj = root;
    }

    Reader section(const QString& key)
    {
        const QJsonValue v = m_obj.value(key);
        if (!v.isUndefined() && !v.isObject())
            fail(key, "an object");
        return Reader(v.toObject(), m_path + key + ".", m_error);
    }

    void get(const QString& key, bool& out)
    {
        const QJsonValue v = m_obj.value(key);
        if (v.isBool())
            out = v.toBool();
        else if (!v.isUndefined())
            fail(key, "true or false");
    }

    void get(const QString& key, int& out, int min, int max)
    {
        const QJsonValue v = m_obj.value(key);
        if (v.isUndefined())
            return;
        const double d = v.toDouble(-1e300);
        if (!v.isDouble() || d != double(int(d)) || d < min || d > max)
            fail(key, QString("a whole number from %1 to %2").arg(min).arg(max));
        else
            out = int(d);
    }

    void get(const QString& key, std::string& out)
    {
        const QJsonValue v = m_obj.value(key);
        if (v.isString())
            out = v.toString().toStdString();
        else if (!v.isUndefined())
            fail(key, "a text");
    }

    void get(const QString& key, SimLock& out)
    {
        std::string word;
        if (!m_obj.contains(key))
            return;
        get(key, word);
        for (SimLock lock : kSimLocks)
            if (word == simLockText(lock)) {
                out = lock;
                return;
            }
        fail(key, "one of READY, SIM PIN, SIM PUK, SIM PIN2, SIM PUK2");
    }

    void get(const QString& key, Registration& out)
    {
        std::string word;
        if (!m_obj.contains(key))
            return;
        get(key, word);
        for (const auto& r : kRegistrations)
            if (word == r.name) {
                out = r.value;
                return;
            }
        fail(key, "one of unregistered, home, searching, denied, unknown, roaming");
    }

private:
    void fail(const QString& key, const QString& what)
    {
        if (m_error.isEmpty())
            m_error = QString("%1%2 must be %3").arg(m_path, key, what);
    }

    QJsonObject m_obj;
    QString& m_error;
    QString m_path;
};

QString str(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

const char* simLockText(SimLock lock)
{
    switch (lock) {
    case SimLock::Ready: return "READY";
    case SimLock::SimPin: return "SIM PIN";
    case SimLock::SimPuk: return "SIM PUK";
    case SimLock::SimPin2: return "SIM PIN2";
    case SimLock::SimPuk2: return "SIM PUK2";
    }
    return "READY";
}

QJsonObject phoneStateToJson(const PhoneState& s)
{
    const char* registration = "home";
    for (const auto& r : kRegistrations)
        if (r.value == s.network.registration)
            registration = r.name;
    return QJsonObject {
        {"line", QJsonObject {{"echo", s.line.echo}, {"quiet", s.line.quiet}, {"verbose", s.line.verbose},
                              {"cmee", s.line.cmee}}},
        {"identity", QJsonObject {{"manufacturer", str(s.identity.manufacturer)}, {"model", str(s.identity.model)}}},
        {"sim", QJsonObject {{"state", simLockText(s.sim.lock)},
                             {"pin", str(s.sim.pin)},
                             {"puk", str(s.sim.puk)},
                             {"pin2", str(s.sim.pin2)},
                             {"puk2", str(s.sim.puk2)},
                             {"pinAttempts", s.sim.pinAttempts},
                             {"pukAttempts", s.sim.pukAttempts},
                             {"pin2Attempts", s.sim.pin2Attempts},
                             {"puk2Attempts", s.sim.puk2Attempts}}},
        {"network", QJsonObject {{"registration", registration}, {"cregMode", s.network.cregMode}}},
        {"battery", QJsonObject {{"status", s.battery.status}, {"level", s.battery.level}}},
        {"signal", QJsonObject {{"rssi", s.signal.rssi}, {"ber", s.signal.ber}}},
    };
}

QString phoneStateFromJson(const QJsonObject& json, PhoneState& state)
{
    QString error;
    PhoneState s = state;
    Reader root(json, QString(), error);

    Reader line = root.section("line");
    line.get("echo", s.line.echo);
    line.get("quiet", s.line.quiet);
    line.get("verbose", s.line.verbose);
    line.get("cmee", s.line.cmee, 0, 2);

    Reader identity = root.section("identity");
    identity.get("manufacturer", s.identity.manufacturer);
    identity.get("model", s.identity.model);

    Reader sim = root.section("sim");
    sim.get("state", s.sim.lock);
    sim.get("pin", s.sim.pin);
    sim.get("puk", s.sim.puk);
    sim.get("pin2", s.sim.pin2);
    sim.get("puk2", s.sim.puk2);
    sim.get("pinAttempts", s.sim.pinAttempts, 0, 3);
    sim.get("pukAttempts", s.sim.pukAttempts, 0, 10);
    sim.get("pin2Attempts", s.sim.pin2Attempts, 0, 3);
    sim.get("puk2Attempts", s.sim.puk2Attempts, 0, 10);

    Reader network = root.section("network");
    network.get("registration", s.network.registration);
    network.get("cregMode", s.network.cregMode, 0, 2);

    Reader battery = root.section("battery");
    battery.get("status", s.battery.status, 0, 3);
    battery.get("level", s.battery.level, 0, 100);

    Reader signal = root.section("signal");
    signal.get("rssi", s.signal.rssi, 0, 99);
    signal.get("ber", s.signal.ber, 0, 99);

    if (error.isEmpty())
        state = s;
    return error;
}

} // namespace torvane::phonesim

// A phone for the calendar tests on the scripted device: it wakes up, says who it is, lists its
// calendar range and answers object reads and deletes from a map of locations, as the real
// phone frames them. Locations named silent get no answer, so the read runs into its time-out.
#pragma once

#include "ScriptedPort.h"

#include <QByteArray>

#include <map>
#include <set>

namespace tessaro::test {

class ScriptedCalendarPhone {
public:
    explicit ScriptedCalendarPhone(ScriptedPort& port) : m_port(port)
    {
        m_port.respond = [this](const QByteArray& data) { answer(data); };
    }
    ~ScriptedCalendarPhone() { m_port.respond = nullptr; }
    ScriptedCalendarPhone(const ScriptedCalendarPhone&) = delete;
    ScriptedCalendarPhone& operator=(const ScriptedCalendarPhone&) = delete;

    QByteArray manufacturer = "TORVANE";
    QByteArray model = "K45";
    // The information line of AT^SBNW=?; empty: the phone answers only OK.
    QByteArray rangeLine = "^SBNW: \"vcs\",(1-30)";
    std::map<int, QByteArray> objects;
    std::set<int> silentLocations;
    // Commands that get no answer at all.
    std::set<QByteArray> silentCommands;
    std::vector<int> reads;

private:
    static QByteArray info(const QByteArray& line) { return "\r\n" + line + "\r\n"; }

    void answer(const QByteArray& data)
    {
        static const QByteArray ok = "\r\nOK\r\n";
        if (silentCommands.count(data))
            return;
        if (data == "ATE0+CMEE=2\r") {
            m_port.answer(ok);
        } else if (data == "AT+CGMI\r") {
            m_port.answer(info(manufacturer) + ok);
        } else if (data == "AT+CGMM\r") {
            m_port.answer(info(model) + ok);
        } else if (data == "AT^SBNW=?\r") {
            m_port.answer((rangeLine.isEmpty() ? QByteArray() : info(rangeLine)) + ok);
        } else if (data.startsWith("AT^SBNR=\"vcs\",")) {
            const int location = data.mid(14).chopped(1).toInt();
            reads.push_back(location);
            if (silentLocations.count(location))
                return;
            QByteArray out;
            const auto it = objects.find(location);
            if (it != objects.end()) {
                const QByteArray& bytes = it->second;
                const int count = int((bytes.size() + 149) / 150);
                for (int block = 1; block <= count; ++block)
                    out += info("^SBNR: \"vcs\"," + QByteArray::number(location) + "," + QByteArray::number(block) +
                                "," + QByteArray::number(count)) +
                           bytes.mid((block - 1) * 150, 150).toHex().toUpper();
                out += "\r\n";
            }
            m_port.answer(out + ok);
        } else if (data.startsWith("AT^SBNW=vcs,") && data.endsWith(",0\r")) {
            objects.erase(data.mid(12).split(',').first().toInt());
            m_port.answer(ok);
        }
    }

    ScriptedPort& m_port;
};

} // namespace tessaro::test

// A serial device for link tests whose far end is a script: each write may queue an answer,
// now or at a later moment of the test's clock; opening can fail as often as the test says.
#pragma once

#include "organizer/link/CommControl.h"

#include "FakeLinkClock.h"

#include <QByteArray>

#include <functional>
#include <vector>

namespace tessaro::test {

class ScriptedPort : public SerialBackend {
public:
    explicit ScriptedPort(FakeLinkClock& clock) : m_clock(clock) {}

    OpenStatus open(int portNumber, QString& detail) override
    {
        openTimes.push_back(m_clock.nowMs());
        openedPort = portNumber;
        const OpenStatus s = openResult ? openResult() : OpenStatus::Opened;
        if (s != OpenStatus::Opened)
            detail = QStringLiteral("scripted");
        isOpen = s == OpenStatus::Opened;
        return s;
    }
    void close() override { isOpen = false; }
    bool configure(const LineSettings& s, QString&) override
    {
        settings = s;
        return true;
    }
    QByteArray readAll() override
    {
        QByteArray out = input;
        input.clear();
        return out;
    }
    bool write(const QByteArray& data) override
    {
        writes.push_back(data);
        writeTimes.push_back(m_clock.nowMs());
        if (respond)
            respond(data);
        return true;
    }
    int outQueueCount() override { return queued; }

    // Queues bytes from the phone now, or when the clock reaches `atMs`.
    void answer(const QByteArray& bytes) { input += bytes; }
    void answerAt(std::int64_t atMs, const QByteArray& bytes)
    {
        m_clock.at(atMs, [this, bytes] { input += bytes; });
    }

    std::function<OpenStatus()> openResult;
    std::function<void(const QByteArray&)> respond;
    std::vector<std::int64_t> openTimes;
    std::vector<QByteArray> writes;
    std::vector<std::int64_t> writeTimes;
    QByteArray input;
    LineSettings settings;
    int queued = 0;
    int openedPort = 0;
    bool isOpen = false;

private:
    FakeLinkClock& m_clock;
};

} // namespace tessaro::test

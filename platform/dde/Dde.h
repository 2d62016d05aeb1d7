// DDE between copies of a program, as the organizer uses it: one copy is the source of a topic
// under its application title ("Tessaro" / "DDE"); another copy executes a command on it
// ("KILL") or asks it to come to the front. The source is a local socket in the user's private
// runtime folder ($XDG_RUNTIME_DIR/torvane/), so only the user's own programs reach it; a lock
// beside it is held as long as the source lives, so a copy that is still starting up (or one
// that hangs) counts as running, and a crashed one frees it.
//
// The client side blocks for at most its time-out and needs no event loop; the source answers
// from the Qt event loop of its thread, also from inside nested event processing.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace torvane::dde {

enum class ExecuteResult {
    Accepted, // the source took the command
    Refused,  // the source refused it
    NoSource, // nobody serves the topic, or it did not answer in time
};

enum class Listen {
    Serving, // this source serves the topic now
    Taken,   // another live process serves it already
    NoLink,  // no private runtime folder (or no socket in it): nobody can serve it here
};

class DdeSource : public QObject {
    Q_OBJECT
public:
    // Answers true when the command is taken.
    using ExecuteHandler = std::function<bool(const QString& command)>;
    using ActivateHandler = std::function<void()>;

    explicit DdeSource(QObject* parent = nullptr);
    ~DdeSource() override;

    // Serves application|topic; unless Serving, this source serves nothing.
    Listen listen(const QString& application, const QString& topic);
    bool isListening() const;

    // Without a handler every command is refused and activation does nothing.
    void setExecuteHandler(ExecuteHandler handler) { m_execute = std::move(handler); }
    void setActivateHandler(ActivateHandler handler) { m_activate = std::move(handler); }

private:
    void accept();
    void serve(QLocalSocket* socket);
    void close();

    QLocalServer* m_server = nullptr;
    int m_lockFd = -1;
    QString m_lockPath;
    ExecuteHandler m_execute;
    ActivateHandler m_activate;
};

// True when a live process serves application|topic (it holds the lock). Without the user's own
// private runtime folder nobody does, and execute and activate find no source.
bool sourceRunning(const QString& application, const QString& topic);

// A DDE execute on the topic: the command text (one line) goes to the source, which answers
// whether it took it.
ExecuteResult execute(const QString& application, const QString& topic, const QString& command,
                      int timeoutMs = 5000);

// Asks the source to bring its window to the front; true when it answered.
bool activate(const QString& application, const QString& topic, int timeoutMs = 5000);

// Where the source of application|topic listens and locks (tests and diagnostics).
QString socketPath(const QString& application, const QString& topic);

} // namespace torvane::dde

#include "platform/dde/Dde.h"

#include "platform/messaging/EndpointFolder.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace torvane::dde {

namespace {

// A request is one line: "EXECUTE <command>" or "ACTIVATE"; the answer "ACK" or "NAK".
const QByteArray kExecute = QByteArrayLiteral("EXECUTE ");
const QByteArray kActivate = QByteArrayLiteral("ACTIVATE");
const QByteArray kAck = QByteArrayLiteral("ACK\n");
const QByteArray kNak = QByteArrayLiteral("NAK\n");
// Commands are short words; a peer that sends more without a line end is not one of ours.
constexpr qsizetype kMaxRequest = 4096;

QString fileStem(const QString& application, const QString& topic)
{
    QString stem = QStringLiteral("dde-") + application + QLatin1Char('-') + topic;
    for (QChar& c : stem)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return QString::fromStdString(messaging::endpointFolderPath()) + QLatin1Char('/') + stem;
}

QString lockPath(const QString& application, const QString& topic)
{
    return fileStem(application, topic) + QStringLiteral(".lock");
}

// The user's own private runtime folder, made when missing; false for a folder that is not
// one (a file, another user's, open to others, a symbolic link): nothing of the link goes there.
bool privateFolder()
{
    return messaging::ensurePrivateFolder(messaging::endpointFolderPath(), nullptr);
}

// Sends one request and reads the answer line; empty when there is none in time.
QByteArray ask(const QString& application, const QString& topic, const QByteArray& request, int timeoutMs)
{
    if (!sourceRunning(application, topic))
        return {};
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath(application, topic));
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return {};
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return {};
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    return answer;
}

} // namespace

QString socketPath(const QString& application, const QString& topic)
{
    return fileStem(application, topic) + QStringLiteral(".sock");
}

DdeSource::DdeSource(QObject* parent) : QObject(parent) {}

DdeSource::~DdeSource()
{
    close();
}

Listen DdeSource::listen(const QString& application, const QString& topic)
{
    close();
    if (!privateFolder())
        return Listen::NoLink;
    m_lockPath = lockPath(application, topic);
    m_lockFd = ::open(m_lockPath.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lockFd < 0) {
        close();
        return Listen::NoLink;
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        close();
        return Listen::Taken;
    }
    // Holding the lock, a socket file left there is a dead source's.
    const QString path = socketPath(application, topic);
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        close();
        return Listen::NoLink;
    }
    connect(m_server, &QLocalServer::newConnection, this, &DdeSource::accept);
    return Listen::Serving;
}

bool DdeSource::isListening() const
{
    return m_server != nullptr && m_server->isListening();
}

void DdeSource::close()
{
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

void DdeSource::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        if (socket->bytesAvailable() > 0)
            serve(socket);
    }
}

void DdeSource::serve(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kMaxRequest).chopped(1);
    bool accepted = false;
    if (line.startsWith(kExecute)) {
        const QString command = QString::fromUtf8(line.mid(kExecute.size()));
        accepted = m_execute && m_execute(command);
    } else if (line == kActivate) {
        if (m_activate)
            m_activate();
        accepted = true;
    }
    socket->write(accepted ? kAck : kNak);
    socket->flush();
    socket->disconnectFromServer();
}

bool sourceRunning(const QString& application, const QString& topic)
{
    if (!privateFolder())
        return false;
    const int fd = ::open(lockPath(application, topic).toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

ExecuteResult execute(const QString& application, const QString& topic, const QString& command, int timeoutMs)
{
    if (command.contains(QLatin1Char('\n')))
        return ExecuteResult::Refused;
    const QByteArray answer = ask(application, topic, kExecute + command.toUtf8(), timeoutMs);
    if (answer.startsWith(kAck))
        return ExecuteResult::Accepted;
    if (answer.startsWith(kNak))
        return ExecuteResult::Refused;
    return ExecuteResult::NoSource;
}

bool activate(const QString& application, const QString& topic, int timeoutMs)
{
    return ask(application, topic, kActivate, timeoutMs).startsWith(kAck);
}

} // namespace torvane::dde

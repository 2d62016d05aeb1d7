#include "platform/outlook/CalendarFile.h"
#include "platform/posix/WriteAll.h"

#include "platform/outlook/OutlookError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane::outlook {

namespace {

// A calendar larger than this is not a calendar a person keeps; refusing it keeps a stray
// file from exhausting memory.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
// How often a change is applied again when another program keeps writing meanwhile.
constexpr int WriteAttempts = 5;

CalendarFile::Stamp stampOf(const struct stat& st)
{
    CalendarFile::Stamp s;
    s.exists = true;
    s.device = static_cast<quint64>(st.st_dev);
    s.inode = static_cast<quint64>(st.st_ino);
    s.size = static_cast<qint64>(st.st_size);
    s.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

// The stamp of the file now; a missing file has the empty stamp, any other failure nothing.
std::optional<CalendarFile::Stamp> statPath(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return stampOf(st);
    if (errno == ENOENT || errno == ENOTDIR)
        return CalendarFile::Stamp{};
    return std::nullopt;
}

Error writeError(const QString& path, int err)
{
    return Error(ErrCalendarWrite, QStringLiteral("The calendar file cannot be written (%1: %2).")
                                       .arg(path, QString::fromLocal8Bit(std::strerror(err))));
}

// A calendar reached through a symbolic link stays a link: the file it names is replaced.
QString writeTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
}

enum class WriteOutcome { Written, ChangedMeanwhile };

struct WriteResult {
    WriteOutcome outcome;
    quint64 inode = 0; // of the file written
};

// Writes the bytes into a new file beside the calendar and renames it over the calendar,
// unless the calendar no longer has the stamp it was read with. Every step is checked, so the
// calendar is either the old file or the complete new one.
WriteResult writeAtomically(const QString& path, const QByteArray& bytes, const CalendarFile::Stamp& expected)
{
    const QString target = writeTarget(path);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        throw Error(ErrCalendarWrite, QStringLiteral("The calendar file cannot be written (cannot create %1).").arg(folder));
    QByteArray temp = QFile::encodeName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw writeError(target, errno);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.constData());
        return writeError(target, err);
    };
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        throw fail(errno);
    if (!torvane::writeAll(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())))
        throw fail(errno);
    struct stat written {};
    if (::fsync(fd) != 0)
        throw fail(errno);
    if (::fstat(fd, &written) != 0 || written.st_size != bytes.size())
        throw fail(EIO);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        throw writeError(target, err);
    }
    const auto now = statPath(path);
    if (!now || *now != expected) {
        ::unlink(temp.constData());
        return {WriteOutcome::ChangedMeanwhile};
    }
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        throw writeError(target, err);
    }
    // The rename itself is made durable with the folder.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {WriteOutcome::Written, static_cast<quint64>(written.st_ino)};
}

} // namespace

CalendarFile::CalendarFile(QString path) : m_path(std::move(path))
{
}

std::shared_ptr<CalendarFile> CalendarFile::open(const QString& path, QString* why)
{
    std::shared_ptr<CalendarFile> file(new CalendarFile(path));
    if (!file->load(why))
        return nullptr;
    return file;
}

bool CalendarFile::load(QString* why)
{
    m_readable = false;
    const auto before = statPath(m_path);
    if (!before) {
        if (why)
            *why = QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!before->exists) {
        m_data = std::make_shared<const CalendarData>();
        m_stamp = *before;
        m_readable = true;
        return true;
    }
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) {
        // Removed between the look and the opening: an empty calendar, as a missing file is.
        if (const auto gone = statPath(m_path); gone && !gone->exists) {
            m_data = std::make_shared<const CalendarData>();
            m_stamp = *gone;
            m_readable = true;
            return true;
        }
        if (why)
            *why = QStringLiteral("%1: %2").arg(m_path, f.errorString());
        return false;
    }
    // The stamp of the very file we read, so a replacement during the read is noticed later.
    struct stat st {};
    if (::fstat(f.handle(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (why)
            *why = QStringLiteral("%1: not a regular file").arg(m_path);
        return false;
    }
    if (st.st_size > MaxFileSize) {
        if (why)
            *why = QStringLiteral("%1: the file is too large for a calendar").arg(m_path);
        return false;
    }
    // readAll sizes its buffer from the file; a read of the largest size allowed would claim
    // that much memory on every refresh of a small calendar.
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError || bytes.size() > MaxFileSize) {
        if (why)
            *why = QStringLiteral("%1: %2").arg(m_path, f.errorString());
        return false;
    }
    QString reason;
    auto data = CalendarData::fromBytes(bytes, &reason);
    if (!data) {
        if (why)
            *why = QStringLiteral("%1: %2").arg(m_path, reason);
        return false;
    }
    m_data = std::make_shared<const CalendarData>(std::move(*data));
    m_stamp = stampOf(st);
    m_readable = true;
    return true;
}

void CalendarFile::refresh()
{
    const auto now = statPath(m_path);
    if (m_readable && now && *now == m_stamp)
        return;
    QString why;
    if (!load(&why))
        throw Error(ErrCalendarUnreadable, QStringLiteral("The calendar file cannot be read (%1).").arg(why));
}

std::shared_ptr<const CalendarData> CalendarFile::data()
{
    refresh();
    return m_data;
}

bool CalendarFile::modify(const std::function<bool(CalendarData&)>& change)
{
    for (int attempt = 0; attempt < WriteAttempts; ++attempt) {
        refresh();
        CalendarData copy = m_data->clone();
        if (!change(copy))
            return false;
        copy.reindex();
        const QByteArray bytes = copy.toBytes();

        // Another program wrote meanwhile: apply the change to what it wrote.
        const WriteResult result = writeAtomically(m_path, bytes, m_stamp);
        if (result.outcome == WriteOutcome::ChangedMeanwhile)
            continue;
        // When another program replaced the file right after the rename, the empty stamp makes
        // the next access read its file.
        const auto after = statPath(m_path);
        m_stamp = after && after->inode == result.inode ? *after : Stamp{};
        m_data = std::make_shared<const CalendarData>(std::move(copy));
        return true;
    }
    throw Error(ErrCalendarWrite, QStringLiteral("The calendar file cannot be written (%1 keeps changing).").arg(m_path));
}

} // namespace torvane::outlook

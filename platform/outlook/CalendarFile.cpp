#include "platform/outlook/CalendarFile.h"

#include "platform/files/FileReplace.h"
#include "platform/outlook/OutlookError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

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

enum class WriteOutcome { Written, ChangedMeanwhile };

struct WriteResult {
    WriteOutcome outcome;
    quint64 inode = 0; // of the file written
};

// The calendar is either the old file or the complete new one; the new one takes its place only
// while the calendar still has the stamp it was read with.
WriteResult writeAtomically(const QString& path, const QByteArray& bytes, const CalendarFile::Stamp& expected)
{
    const std::string file = QFile::encodeName(path).toStdString();
    const QString target = QFile::decodeName(files::writeTarget(file).c_str());
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        throw Error(ErrCalendarWrite, QStringLiteral("The calendar file cannot be written (cannot create %1).").arg(folder));
    struct stat written {};
    files::ReplaceOptions options;
    options.written = &written;
    options.stillWanted = [&] {
        const auto now = statPath(path);
        return now && *now == expected;
    };
    const int err = files::replaceFile(file, std::string_view(bytes.constData(), std::size_t(bytes.size())), options);
    if (err == ECANCELED)
        return {WriteOutcome::ChangedMeanwhile};
    if (err != 0)
        throw writeError(target, err);
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

#include "platform/outlook/CalendarData.h"

#include <QCryptographicHash>
#include <QSet>

namespace torvane::outlook {

namespace {

constexpr const char* ProductId = "-//Torvane//Torvane Calendar//EN";

IcalComponentPtr newCalendar()
{
    IcalComponentPtr root(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(root.get(), icalproperty_new_prodid(ProductId));
    icalcomponent_add_property(root.get(), icalproperty_new_version("2.0"));
    return root;
}

bool isBlank(const QByteArray& bytes)
{
    for (char c : bytes)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

// libical quietly skips lines before the calendar's BEGIN and after its END, and quietly
// re-nests components whose END does not match their BEGIN; such a file would change on
// rewrite, so it is not taken. Checked on the unfolded lines: every END closes the innermost
// open BEGIN of the same name, and everything lies inside one VCALENDAR.
bool nestedAsOneCalendar(const QByteArray& bytes)
{
    std::vector<QByteArray> open;
    int roots = 0;
    bool rootSeen = false;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        // Folded continuation lines belong to the line before.
        while (i + 1 < lines.size() && !lines[i + 1].isEmpty() && (lines[i + 1][0] == ' ' || lines[i + 1][0] == '\t')) {
            line = line.trimmed() + lines[i + 1].mid(1);
            ++i;
        }
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (open.empty() && rootSeen)
            return false; // anything after the calendar
        const qsizetype colon = line.indexOf(':');
        const qsizetype semicolon = line.indexOf(';');
        const qsizetype nameEnd = semicolon >= 0 && (colon < 0 || semicolon < colon) ? semicolon : colon;
        const QByteArray name = (nameEnd < 0 ? line : line.left(nameEnd)).trimmed().toUpper();
        const QByteArray value = colon < 0 ? QByteArray() : line.mid(colon + 1).trimmed().toUpper();
        if (name == "BEGIN") {
            if (open.empty()) {
                if (value != "VCALENDAR" || ++roots > 1)
                    return false;
                rootSeen = true;
            }
            open.push_back(value);
        } else if (name == "END") {
            if (open.empty() || open.back() != value)
                return false;
            open.pop_back();
        } else if (open.empty()) {
            return false; // a line before the calendar
        }
    }
    return rootSeen && open.empty();
}

QByteArray componentText(icalcomponent* c)
{
    IcalBufferPtr text(icalcomponent_as_ical_string_r(c));
    return QByteArray(text ? text.get() : "");
}

} // namespace

CalendarData::CalendarData() : m_root(newCalendar())
{
}

CalendarData::CalendarData(IcalComponentPtr root) : m_root(std::move(root))
{
}

std::optional<CalendarData> CalendarData::fromBytes(const QByteArray& bytes, QString* why)
{
    auto fail = [why](const QString& reason) -> std::optional<CalendarData> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (isBlank(bytes))
        return CalendarData();
    // libical reads up to the first NUL; whatever stands behind it would be lost on rewrite.
    if (bytes.contains('\0'))
        return fail(QStringLiteral("the file holds a NUL byte"));
    if (!nestedAsOneCalendar(bytes))
        return fail(QStringLiteral("the file is not one calendar with matching BEGIN and END lines"));
    icalerror_set_errors_are_fatal(0);
    const QByteArray text = bytes; // QByteArray keeps a terminating NUL for libical
    IcalComponentPtr root(icalparser_parse_string(text.constData()));
    // libical's parser leaves its error state set on bad input; it is ours to clear.
    icalerror_clear_errno();
    if (!root)
        return fail(QStringLiteral("the file is not an iCalendar object"));
    if (icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        return fail(QStringLiteral("the file holds more than one object or no calendar"));
    if (icalcomponent_count_errors(root.get()) != 0)
        return fail(QStringLiteral("the file has lines that cannot be read"));
    // Values libical takes but cannot write back (an unknown word where a keyword belongs)
    // come out empty; what we write must read back as written.
    const QByteArray written = componentText(root.get());
    IcalComponentPtr again(icalparser_parse_string(written.constData()));
    icalerror_clear_errno();
    if (!again || icalcomponent_count_errors(again.get()) != 0 || componentText(again.get()) != written)
        return fail(QStringLiteral("the file has values that cannot be kept"));
    CalendarData data(std::move(root));
    data.assignMissingUids();
    data.reindex();
    return data;
}

// libical's own component copy loses the text of keyword properties that hold a word of
// another program (TRANSP:SOMETIMES comes out empty), so the copy is read from the text, which
// reading made sure comes back unchanged.
CalendarData CalendarData::clone() const
{
    IcalComponentPtr root(icalparser_parse_string(toBytes().constData()));
    icalerror_clear_errno();
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        root.reset(icalcomponent_new_clone(m_root.get()));
    CalendarData copy(std::move(root));
    copy.reindex();
    return copy;
}

QByteArray CalendarData::toBytes() const
{
    return componentText(m_root.get());
}

QString CalendarData::uidOf(icalcomponent* event)
{
    const char* uid = icalcomponent_get_uid(event);
    return uid ? QString::fromUtf8(uid) : QString();
}

// Events need an id for GetItemFromID. One without a UID gets an id made from its own text, so
// that reading the same file again gives the same id; a second series with the same UID gets
// another one. Both are written to the file with the next change.
void CalendarData::assignMissingUids()
{
    QSet<QString> seenMasters;
    QHash<QByteArray, int> sameText;
    for (icalcomponent* ev = icalcomponent_get_first_component(m_root.get(), ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(m_root.get(), ICAL_VEVENT_COMPONENT)) {
        QString uid = uidOf(ev);
        const bool exception = icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        if (uid.isEmpty()) {
            const QByteArray hash = QCryptographicHash::hash(componentText(ev), QCryptographicHash::Sha1).toHex();
            const int n = sameText[hash]++;
            uid = QStringLiteral("torvane-") + QString::fromLatin1(hash) + (n ? QStringLiteral("-%1").arg(n) : QString());
            icalcomponent_set_uid(ev, uid.toUtf8().constData());
        } else if (!exception && seenMasters.contains(uid)) {
            QString renamed;
            for (int n = 2;; ++n) {
                renamed = uid + QStringLiteral("-%1").arg(n);
                if (!seenMasters.contains(renamed))
                    break;
            }
            uid = renamed;
            icalcomponent_set_uid(ev, uid.toUtf8().constData());
        }
        if (!exception)
            seenMasters.insert(uid);
    }
}

void CalendarData::reindex()
{
    m_events.clear();
    m_masters.clear();
    QHash<QString, icalcomponent*> firstOfUid;
    for (icalcomponent* ev = icalcomponent_get_first_component(m_root.get(), ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(m_root.get(), ICAL_VEVENT_COMPONENT)) {
        Event e;
        e.component = ev;
        e.uid = uidOf(ev);
        e.exception = icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        m_events.push_back(e);
        if (!e.exception && !m_masters.contains(e.uid))
            m_masters.insert(e.uid, ev);
        if (!firstOfUid.contains(e.uid))
            firstOfUid.insert(e.uid, ev);
    }
    // Changed occurrences whose series is missing stand for themselves.
    for (auto it = firstOfUid.cbegin(); it != firstOfUid.cend(); ++it)
        if (!m_masters.contains(it.key()))
            m_masters.insert(it.key(), it.value());
}

icalcomponent* CalendarData::master(const QString& uid) const
{
    return m_masters.value(uid, nullptr);
}

std::vector<icalcomponent*> CalendarData::componentsOf(const QString& uid) const
{
    std::vector<icalcomponent*> out;
    for (const Event& e : m_events)
        if (e.uid == uid)
            out.push_back(e.component);
    return out;
}

} // namespace torvane::outlook

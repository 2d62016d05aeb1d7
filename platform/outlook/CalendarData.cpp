#include "platform/outlook/CalendarData.h"

#include "platform/outlook/KeptMeaning.h"

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

QByteArray componentText(icalcomponent* c)
{
    IcalBufferPtr text(icalcomponent_as_ical_string_r(c));
    return QByteArray(text ? text.get() : "");
}

QByteArray propertiesText(icalcomponent* c)
{
    QByteArray out;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY)) {
        IcalBufferPtr text(icalproperty_as_ical_string_r(p));
        out += text ? text.get() : "";
    }
    return out;
}

IcalComponentPtr parse(const QByteArray& text)
{
    icalerror_set_errors_are_fatal(0);
    IcalComponentPtr c(icalparser_parse_string(text.constData())); // QByteArray keeps a terminating NUL
    // libical's parser leaves its error state set on bad input; it is ours to clear.
    icalerror_clear_errno();
    return c;
}

// libical's note on the first line it could not read, anywhere in the component.
const char* firstError(icalcomponent* c)
{
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY))
        return icalproperty_get_xlicerror(p);
    for (icalcomponent* inner = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        if (const char* error = firstError(inner))
            return error;
    return nullptr;
}

QString describe(icalcomponent* c)
{
    if (icalcomponent_isa(c) == ICAL_VTIMEZONE_COMPONENT) {
        icalproperty* tzid = icalcomponent_get_first_property(c, ICAL_TZID_PROPERTY);
        return QStringLiteral("the time zone \"%1\"").arg(QString::fromUtf8(tzid ? icalproperty_get_tzid(tzid) : ""));
    }
    const char* uid = icalcomponent_get_uid(c);
    const char* summary = icalcomponent_get_summary(c);
    if (uid && *uid)
        return QStringLiteral("the event \"%1\"").arg(QString::fromUtf8(uid));
    if (summary && *summary)
        return QStringLiteral("the event \"%1\"").arg(QString::fromUtf8(summary));
    return QStringLiteral("an event without UID");
}

// The name of the first line that differs between two texts libical wrote.
QByteArray firstDifferentLine(const QByteArray& a, const QByteArray& b)
{
    const std::vector<QByteArray> left = unfoldedLines(a);
    const std::vector<QByteArray> right = unfoldedLines(b);
    for (size_t i = 0; i < left.size(); ++i)
        if (i >= right.size() || left[i] != right[i])
            return parseContentLine(left[i]).name;
    return right.size() > left.size() ? parseContentLine(right[left.size()]).name : QByteArray();
}

// Why a component read from text cannot be taken; empty when it can. Events are what the
// object model changes, and a changed event is written by libical: it must have read every line
// and must write back what the file says, in a form it reads back the same. Time zones are
// only read, but every line of them counts for the times of the events. Everything else is
// written back as the file has it and never looked into.
QString problemOf(icalcomponent* c, const QByteArray& text, const QByteArray& rendered)
{
    const icalcomponent_kind kind = icalcomponent_isa(c);
    if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTIMEZONE_COMPONENT)
        return {};
    if (const char* error = firstError(c))
        return QStringLiteral("the file has lines that cannot be read (%1: %2)")
            .arg(describe(c), QString::fromUtf8(error).trimmed());
    if (kind != ICAL_VEVENT_COMPONENT)
        return {};
    QByteArray lost = text == rendered ? QByteArray() : firstLostProperty(text, rendered);
    if (lost.isEmpty()) {
        IcalComponentPtr again = parse(rendered);
        if (!again || icalcomponent_count_errors(again.get()) != 0)
            lost = icalcomponent_kind_to_string(kind);
        else if (const QByteArray twice = componentText(again.get()); twice != rendered)
            lost = firstDifferentLine(rendered, twice);
    }
    if (lost.isEmpty())
        return {};
    return QStringLiteral("the file has values that cannot be kept (%1 of %2)")
        .arg(QString::fromUtf8(lost), describe(c));
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
    return read(bytes, true, why);
}

std::optional<CalendarData> CalendarData::read(const QByteArray& bytes, bool strict, QString* why)
{
    using Kind = CalendarPiece::Kind;
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
    // libical quietly skips lines outside the calendar and re-nests components whose END does
    // not match their BEGIN; the pieces are only had when there is nothing of the sort.
    auto pieces = splitCalendar(bytes);
    if (!pieces)
        return fail(QStringLiteral("the file is not one calendar with matching BEGIN and END lines"));

    // libical puts every time zone it reads first, the last one read foremost, so the file is
    // read component by component: the order stays the file's.
    QByteArray calendar = "BEGIN:VCALENDAR\r\n";
    for (const CalendarPiece& piece : *pieces)
        if (piece.kind == Kind::Property)
            calendar += piece.text;
    calendar += "END:VCALENDAR\r\n";
    IcalComponentPtr root = parse(calendar);
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        return fail(QStringLiteral("the file is not an iCalendar object"));
    CalendarData data(std::move(root));
    data.m_crlf = !bytes.contains('\n') || bytes.contains("\r\n");
    data.m_renderedProperties = propertiesText(data.root());
    for (CalendarPiece& piece : *pieces) {
        Piece own{piece.kind, std::move(piece.text), nullptr, {}};
        if (own.kind == Kind::Component) {
            IcalComponentPtr component = parse(withoutEmptyTexts(own.text));
            if (!component)
                return fail(QStringLiteral("the file has a %1 that cannot be read").arg(QString::fromUtf8(piece.name)));
            own.rendered = componentText(component.get());
            if (strict) {
                if (const QString problem = problemOf(component.get(), own.text, own.rendered); !problem.isEmpty())
                    return fail(problem);
            }
            own.component = component.get();
            icalcomponent_add_component(data.root(), component.release());
        }
        data.m_pieces.push_back(std::move(own));
    }
    data.assignMissingUids();
    data.reindex();
    return data;
}

// Read again from the text, not with libical's own component copy, which loses the text of
// keyword properties that hold a word of another program (TRANSP:SOMETIMES comes out empty).
// The text is what reading took, or libical's writing of what changed since.
CalendarData CalendarData::clone() const
{
    if (auto copy = read(toBytes(), false, nullptr))
        return std::move(*copy);
    CalendarData copy(IcalComponentPtr(icalcomponent_new_clone(m_root.get())));
    copy.reindex();
    return copy;
}

QByteArray CalendarData::toBytes() const
{
    using Kind = CalendarPiece::Kind;
    if (m_pieces.empty())
        return componentText(m_root.get());
    std::vector<icalcomponent*> children;
    for (icalcomponent* c = icalcomponent_get_first_component(m_root.get(), ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(m_root.get(), ICAL_ANY_COMPONENT))
        children.push_back(c);
    const QSet<icalcomponent*> live(children.begin(), children.end());
    QSet<icalcomponent*> written;

    // The calendar's own properties are never changed by the object model; should they be,
    // they are written together where the first of them stood.
    const QByteArray properties = propertiesText(m_root.get());
    const bool propertiesChanged = properties != m_renderedProperties;
    bool propertiesDue = propertiesChanged;
    QByteArray out;
    for (const Piece& piece : m_pieces) {
        if (propertiesDue && piece.kind != Kind::Line) {
            out += inFileLineEnds(properties);
            propertiesDue = false;
        }
        switch (piece.kind) {
        case Kind::Line:
            out += piece.text;
            break;
        case Kind::Property:
            if (!propertiesChanged)
                out += piece.text;
            break;
        case Kind::Component:
            if (live.contains(piece.component)) {
                written.insert(piece.component);
                const QByteArray now = componentText(piece.component);
                out += now == piece.rendered ? piece.text : inFileLineEnds(now);
            }
            break;
        case Kind::End:
            // New components go last.
            for (icalcomponent* c : children)
                if (!written.contains(c))
                    out += inFileLineEnds(componentText(c));
            out += piece.text;
            break;
        }
    }
    return out;
}

QByteArray CalendarData::inFileLineEnds(QByteArray text) const
{
    return m_crlf ? text : text.replace("\r\n", "\n");
}

void CalendarData::removeComponent(icalcomponent* component)
{
    for (Piece& piece : m_pieces)
        if (piece.component == component)
            piece.component = nullptr;
    icalcomponent_remove_component(m_root.get(), component);
    icalcomponent_free(component);
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

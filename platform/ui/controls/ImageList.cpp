#include "platform/ui/controls/ImageList.h"

#include "platform/ui/controls/ControlError.h"

#include <algorithm>

namespace torvane::controls {

int ImageList::add(const QString& key, const Picture& picture, int position)
{
    if (position == 0)
        position = count() + 1;
    if (position < 1 || position > count() + 1)
        throw ControlError(ErrSubscriptOutOfRange, m_name,
                           QStringLiteral("Subscript out of range: position %1").arg(position));
    if (!key.isEmpty() && contains(key))
        throw ControlError(ErrKeyNotUnique, m_name, QStringLiteral("Key is not unique: ") + key);
    m_entries.insert(m_entries.begin() + (position - 1), Entry{key, picture});
    return position;
}

bool ImageList::contains(const QString& key) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == key; });
}

int ImageList::indexOf(const QString& key) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == key; });
    if (key.isEmpty() || it == m_entries.end())
        throw ControlError(ErrSubscriptOutOfRange, m_name, QStringLiteral("Subscript out of range: key \"%1\"").arg(key));
    return int(it - m_entries.begin()) + 1;
}

const ImageList::Entry& ImageList::entry(int index) const
{
    if (index < 1 || index > count())
        throw ControlError(ErrSubscriptOutOfRange, m_name, QStringLiteral("Subscript out of range: index %1").arg(index));
    return m_entries[std::size_t(index - 1)];
}

const QString& ImageList::key(int index) const
{
    return entry(index).key;
}

const Picture& ImageList::picture(int index) const
{
    return entry(index).picture;
}

const Picture& ImageList::picture(const QString& key) const
{
    return entry(indexOf(key)).picture;
}

} // namespace torvane::controls

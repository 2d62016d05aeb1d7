// An image list: pictures kept in order, each under an optional key, numbered from 1. Pictures
// may be inserted at a position, which moves the later ones up by one (the organizer builds its
// pictogram lists that way). A key or position the list does not hold is an error.
#pragma once

#include "platform/ui/controls/Picture.h"

#include <QString>

#include <vector>

namespace torvane::controls {

class ImageList {
public:
    explicit ImageList(QString name = {}) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Inserts at `position` (1 .. count + 1; 0 appends) and returns the picture's index. A key
    // already in the list is refused (ErrKeyNotUnique); an empty key is no key.
    int add(const QString& key, const Picture& picture, int position = 0);
    void clear() { m_entries.clear(); }

    int count() const { return int(m_entries.size()); }
    bool contains(const QString& key) const;
    // The index of `key`; ErrSubscriptOutOfRange when the list has no such key.
    int indexOf(const QString& key) const;
    const QString& key(int index) const;
    const Picture& picture(int index) const;
    const Picture& picture(const QString& key) const;

private:
    struct Entry {
        QString key;
        Picture picture;
    };
    const Entry& entry(int index) const;

    QString m_name;
    std::vector<Entry> m_entries;
};

} // namespace torvane::controls

// PROVISIONAL: an in-memory registry until the platform's registry layer lands.
#include "organizer/link/Registry.h"

#include <QHash>

namespace tessaro {

namespace {

struct Key {
    QHash<QString, RegData> values;
};

QHash<QString, Key>& store(RegRoot root)
{
    static QHash<QString, Key> cu, lm;
    return root == RegRoot::CurrentUser ? cu : lm;
}

RegErrorState& lastError()
{
    static RegErrorState e;
    return e;
}

} // namespace

RegErrorState LastRegError()
{
    return lastError();
}

bool RegKeyExists(RegRoot root, const QString& keyPath)
{
    return store(root).contains(keyPath.toLower());
}

bool RegValueRead(RegRoot root, const QString& keyPath, const QString& name, RegData& value)
{
    auto it = store(root).find(keyPath.toLower());
    if (it == store(root).end())
        return false;
    auto v = it->values.find(name.toLower());
    if (v == it->values.end())
        return false;
    value = *v;
    return true;
}

bool RegKeyCreate(RegRoot root, const QString& keyPath, const QString&)
{
    if (RegKeyExists(root, keyPath))
        return false;
    store(root).insert(keyPath.toLower(), Key{});
    return true;
}

bool RegValueWrite(RegRoot root, const QString& keyPath, const QString& name, const RegData& value)
{
    auto it = store(root).find(keyPath.toLower());
    if (it == store(root).end())
        return false;
    it->values.insert(name.toLower(), value);
    return true;
}

} // namespace tessaro

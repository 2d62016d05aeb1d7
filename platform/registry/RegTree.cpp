#include "platform/registry/RegTree.h"

namespace torvane::registry {

namespace {

char foldChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return char(u + 0x20);
    return c;
}

} // namespace

std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = foldChar(c);
    return out;
}

bool equalsFolded(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldChar(a[i]) != foldChar(b[i]))
            return false;
    return true;
}

const RegValue* RegKey::find(std::string_view name) const
{
    for (const auto& value : values)
        if (equalsFolded(value.name, name))
            return &value;
    return nullptr;
}

bool RegKey::set(std::string_view name, DWORD type, std::string_view data)
{
    for (auto& value : values) {
        if (!equalsFolded(value.name, name))
            continue;
        if (value.type == type && value.data == data)
            return false;
        value.type = type;
        value.data = data;
        return true;
    }
    values.push_back(RegValue {std::string(name), type, std::string(data)});
    return true;
}

bool RegKey::remove(std::string_view name)
{
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (equalsFolded(it->name, name)) {
            values.erase(it);
            return true;
        }
    }
    return false;
}

RegTree::RegTree()
{
    keys_.emplace(std::string(), RegKey {});
}

const RegKey* RegTree::find(std::string_view path) const
{
    const auto it = keys_.find(foldCase(path));
    return it == keys_.end() ? nullptr : &it->second;
}

RegKey* RegTree::find(std::string_view path)
{
    const auto it = keys_.find(foldCase(path));
    return it == keys_.end() ? nullptr : &it->second;
}

RegKey& RegTree::create(std::string_view path, bool* created)
{
    if (created)
        *created = false;
    RegKey* key = &keys_.at(std::string());
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view prefix = path.substr(0, end);
        const std::string folded = foldCase(prefix);
        auto it = keys_.find(folded);
        if (it == keys_.end()) {
            // A new key is spelled below its parent's spelling, as the parent was first written.
            std::string spelling = key->path.empty() ? std::string() : key->path + "\\";
            spelling += path.substr(start, end - start);
            it = keys_.emplace(folded, RegKey {std::move(spelling), {}}).first;
            if (created && end == path.size())
                *created = true;
        }
        key = &it->second;
        start = end + 1;
    }
    return *key;
}

bool RegTree::hasSubkeys(std::string_view path) const
{
    if (path.empty())
        return keys_.size() > 1;
    const std::string prefix = foldCase(path) + "\\";
    const auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

bool RegTree::remove(std::string_view path)
{
    if (path.empty())
        return false;
    return keys_.erase(foldCase(path)) > 0;
}

} // namespace torvane::registry

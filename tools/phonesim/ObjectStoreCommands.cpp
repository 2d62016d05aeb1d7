#include "tools/phonesim/ObjectStoreCommands.h"

#include "tools/phonesim/CmeError.h"
#include "tools/phonesim/HexText.h"

#include <QJsonArray>

#include <cstring>

namespace torvane::phonesim {

namespace {

constexpr std::size_t kBlockBytes = 150;

std::string unquoted(const std::string& s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s.substr(1, s.size() - 2);
    return s;
}

bool startsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const char* const kHeaderFaultNames[] = {"none", "blockNumber", "location", "type"};

} // namespace

ObjectStoreCommands::ObjectStoreCommands()
{
    ranges["vcs"] = Range{1, 50};
}

std::string ObjectStoreCommands::phoneForm(const std::string& text)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        const bool lineEnd = end != std::string::npos;
        if (!lineEnd)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        const bool dateTime = startsWith(line, "DTSTART:") || startsWith(line, "DALARM:") || startsWith(line, "AALARM:");
        if (dateTime && endsWith(line, "Z"))
            line.pop_back();
        if (startsWith(line, "RRULE:") && endsWith(line, " #0"))
            line.resize(line.size() - 3);
        out += line;
        if (lineEnd)
            out += "\r\n";
        pos = lineEnd ? end + 2 : end;
    }
    return out;
}

bool ObjectStoreCommands::textsFit(const std::string& text)
{
    const bool phoneCall = text.find("\r\nCATEGORIES:PHONE CALL\r\n") != std::string::npos;
    const std::size_t limit = phoneCall ? PhoneNumberLength : EntryTextLength;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(pos, end - pos);
        for (const char* key : {"DESCRIPTION:", "SUMMARY:"})
            if (startsWith(line, key) && line.size() - std::strlen(key) > limit)
                return false;
        pos = end + 2;
    }
    return true;
}

bool ObjectStoreCommands::inRange(const std::string& type, int location) const
{
    const auto it = ranges.find(type);
    return it == ranges.end() || (location >= it->second.first && location <= it->second.last);
}

void ObjectStoreCommands::store(const Upload& upload)
{
    objects[upload.type][upload.location] = upload.type == "vcs" ? phoneForm(upload.data) : upload.data;
}

CommandResult ObjectStoreCommands::read(CommandContext& ctx, const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test)
        return CommandResult::ok();
    if (cmd.form != AtForm::Set)
        return CommandResult::error();
    const auto args = atArguments(cmd.args);
    if (!args || args->size() != 2)
        return CommandResult::error();
    const std::string type = unquoted((*args)[0]);
    const auto location = atNumber((*args)[1]);
    if (!location || !inRange(type, *location))
        return CommandResult::cme(CmeInvalidIndex);
    const auto byType = objects.find(type);
    if (byType == objects.end())
        return CommandResult::ok();
    const auto object = byType->second.find(*location);
    if (object == byType->second.end() || object->second.empty())
        return CommandResult::ok();

    const std::string& bytes = object->second;
    const int count = int((bytes.size() + kBlockBytes - 1) / kBlockBytes);
    // The type is named in the headers as the command named it, quotes and all.
    const std::string typeAsSent = cmd.args.substr(0, cmd.args.find(','));
    for (int block = 1; block <= count; ++block) {
        std::string headerType = typeAsSent;
        int headerLocation = *location;
        int headerBlock = block;
        const bool last = block == count;
        if (headerFault == HeaderFault::WrongBlockNumber && block == 2)
            headerBlock = 3;
        if (headerFault == HeaderFault::WrongLocation && last)
            headerLocation = *location + 1;
        if (headerFault == HeaderFault::WrongType && last)
            headerType = "\"vcx\"";
        ctx.info("^SBNR: " + headerType + "," + std::to_string(headerLocation) + "," + std::to_string(headerBlock) +
                 "," + std::to_string(count));
        ctx.info(toHex(bytes.substr(std::size_t(block - 1) * kBlockBytes, kBlockBytes)));
    }
    return CommandResult::ok();
}

CommandResult ObjectStoreCommands::write(CommandContext& ctx, const AtCommand& cmd)
{
    switch (cmd.form) {
    case AtForm::Test:
        for (const auto& [type, range] : ranges)
            ctx.info("^SBNW: \"" + type + "\",(" + std::to_string(range.first) + "-" + std::to_string(range.last) + ")");
        return CommandResult::ok();
    case AtForm::Query:
        if (pending)
            ctx.info("^SBNW: \"" + pending->type + "\"," + std::to_string(pending->location) + "," +
                     std::to_string(pending->block) + "," + std::to_string(pending->count));
        else
            ctx.info("^SBNW: \"\",0,0,0");
        return CommandResult::ok();
    case AtForm::Action:
        return CommandResult::error();
    case AtForm::Set:
        break;
    }
    const auto args = atArguments(cmd.args);
    if (!args || args->size() < 2 || args->size() > 4)
        return CommandResult::error();
    const std::string type = unquoted((*args)[0]);
    const auto location = atNumber((*args)[1]);
    if (type.empty() || !location || !inRange(type, *location))
        return CommandResult::cme(CmeInvalidIndex);

    if (args->size() == 2) {
        // Reset of an unfinished upload.
        if (pending && !stuckUpload && pending->type == type && pending->location == *location)
            pending.reset();
        return CommandResult::ok();
    }
    const auto block = atNumber((*args)[2]);
    if (!block)
        return CommandResult::error();
    if (args->size() == 3) {
        if (*block != 0)
            return CommandResult::error();
        if (pending && pending->type == type && pending->location == *location)
            return CommandResult::cme(CmeOperationNotAllowed);
        if (auto byType = objects.find(type); byType != objects.end())
            byType->second.erase(*location);
        return CommandResult::ok();
    }
    const auto count = atNumber((*args)[3]);
    if (!count || *count < 1 || *block < 1 || *block > *count)
        return CommandResult::error();
    if (*block == 1) {
        if (pending)
            return CommandResult::cme(CmeOperationNotAllowed);
        pending = Upload{type, *location, 0, *count, {}};
    } else if (!pending || pending->type != type || pending->location != *location || pending->count != *count ||
               pending->block + 1 != *block) {
        return CommandResult::cme(CmeOperationNotAllowed);
    }
    const int thisBlock = *block;
    auto takeBlock = [this, thisBlock](CommandContext&, const std::string& data, bool submitted) {
        if (!submitted || !pending)
            return CommandResult::error(); // an aborted block leaves the upload pending
        const auto bytes = fromHex(data);
        if (!bytes || bytes->size() > kBlockBytes)
            return CommandResult::error();
        pending->data += *bytes;
        pending->block = thisBlock;
        if (thisBlock == pending->count) {
            const Upload upload = std::move(*pending);
            pending.reset();
            // Like a phone, it will not hold a text longer than its entry takes; the location
            // keeps what it held.
            if (upload.type == "vcs" && !textsFit(upload.data))
                return CommandResult::cme(CmeTextTooLong);
            store(upload);
        }
        return CommandResult::ok();
    };
    // The phone asks for the block with ">" on a line of its own.
    return CommandResult::prompt(std::move(takeBlock), kObjectPrompt);
}

void ObjectStoreCommands::addCommands(CommandTable& table)
{
    table.add("^SBNR", [this](CommandContext& ctx, const AtCommand& cmd) { return read(ctx, cmd); });
    table.add("^SBNW", [this](CommandContext& ctx, const AtCommand& cmd) { return write(ctx, cmd); });
}

QString ObjectStoreCommands::loadState(const QJsonObject& json)
{
    std::map<std::string, std::map<int, std::string>> loaded;
    const QJsonObject byType = json.value(QStringLiteral("objects")).toObject();
    for (auto t = byType.begin(); t != byType.end(); ++t) {
        if (!t.value().isObject())
            return QStringLiteral("objectStore.objects.%1 is not an object").arg(t.key());
        const QJsonObject locations = t.value().toObject();
        for (auto l = locations.begin(); l != locations.end(); ++l) {
            bool ok = false;
            const int location = l.key().toInt(&ok);
            const auto bytes = fromHex(l.value().toString().toStdString());
            if (!ok || !l.value().isString() || !bytes)
                return QStringLiteral("objectStore.objects.%1.%2 is not a location with hex data").arg(t.key(), l.key());
            if (t.key() == QLatin1String("vcs") && !textsFit(*bytes))
                return QStringLiteral("objectStore.objects.vcs.%1 holds a text longer than the phone takes").arg(l.key());
            loaded[t.key().toStdString()][location] = *bytes;
        }
    }
    HeaderFault loadedFault = headerFault;
    if (json.contains(QStringLiteral("headerFault"))) {
        const QString name = json.value(QStringLiteral("headerFault")).toString();
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (name == QLatin1String(kHeaderFaultNames[i]))
                found = i;
        if (found < 0)
            return QStringLiteral("objectStore.headerFault is not none, blockNumber, location or type");
        loadedFault = HeaderFault(found);
    }
    const QJsonValue stuck = json.value(QStringLiteral("stuckUpload"));
    if (!stuck.isUndefined() && !stuck.isBool())
        return QStringLiteral("objectStore.stuckUpload is not true or false");
    std::map<std::string, Range> loadedRanges = ranges;
    const QJsonObject rangeJson = json.value(QStringLiteral("ranges")).toObject();
    for (auto r = rangeJson.begin(); r != rangeJson.end(); ++r) {
        const QJsonArray pair = r.value().toArray();
        if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble())
            return QStringLiteral("objectStore.ranges.%1 is not [first, last]").arg(r.key());
        loadedRanges[r.key().toStdString()] = Range{pair[0].toInt(), pair[1].toInt()};
    }
    objects = std::move(loaded);
    ranges = std::move(loadedRanges);
    headerFault = loadedFault;
    if (stuck.isBool())
        stuckUpload = stuck.toBool();
    return {};
}

QJsonObject ObjectStoreCommands::saveState() const
{
    QJsonObject byType;
    for (const auto& [type, locations] : objects) {
        QJsonObject out;
        for (const auto& [location, bytes] : locations)
            out.insert(QString::number(location), QString::fromStdString(toHex(bytes)));
        byType.insert(QString::fromStdString(type), out);
    }
    QJsonObject rangeJson;
    for (const auto& [type, range] : ranges)
        rangeJson.insert(QString::fromStdString(type), QJsonArray{range.first, range.last});
    return QJsonObject{{QStringLiteral("objects"), byType},
                       {QStringLiteral("ranges"), rangeJson},
                       {QStringLiteral("stuckUpload"), stuckUpload},
                       {QStringLiteral("headerFault"), QLatin1String(kHeaderFaultNames[int(headerFault)])}};
}

} // namespace torvane::phonesim

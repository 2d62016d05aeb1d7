#include "tools/phonesim/PhonebookCommands.h"

#include "tools/phonesim/CmeError.h"

#include <QJsonArray>

namespace torvane::phonesim {

namespace {

constexpr int kTypeInternational = 145;
constexpr int kTypeUnknown = 129;

bool isDialString(const std::string& number)
{
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        const bool digit = (c >= '0' && c <= '9') || c == '*' || c == '#';
        if (!digit && !(c == '+' && i == 0))
            return false;
    }
    return true;
}

std::string listLine(int index, const PhonebookCommands::Entry& entry)
{
    return "+CPBR: " + std::to_string(index) + ",\"" + entry.number + "\"," + std::to_string(entry.type) + ",\"" +
           entry.text + "\"";
}

} // namespace

PhonebookCommands::PhonebookCommands()
{
    storages["SM"] = Storage{1, 250, 20, 14, false, {}};
    storages["ME"] = Storage{1, 100, 40, 18, false, {}};
    storages["FD"] = Storage{1, 10, 20, 14, false, {}};
    storages["OW"] = Storage{1, 3, 20, 14, false, {}};
    storages["LD"] = Storage{1, 10, 20, 14, true, {}};
    storages["MC"] = Storage{1, 10, 20, 14, true, {}};
    storages["CD"] = Storage{1, 10, 20, 14, true, {}};
}

CommandResult PhonebookCommands::select(const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test || cmd.form == AtForm::Query)
        return CommandResult::ok();
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->size() != 1)
        return CommandResult::error();
    if (!storages.contains((*args)[0]))
        return CommandResult::cme(CmeOperationNotSupported);
    selected = (*args)[0];
    return CommandResult::ok();
}

CommandResult PhonebookCommands::read(CommandContext& ctx, const AtCommand& cmd)
{
    const Storage& storage = storages.at(selected);
    if (cmd.form == AtForm::Test) {
        ctx.info("+CPBR: (" + std::to_string(storage.first) + "-" + std::to_string(storage.last) + ")," +
                 std::to_string(storage.numberLength) + "," + std::to_string(storage.textLength));
        return CommandResult::ok();
    }
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->empty() || args->size() > 2)
        return CommandResult::error();
    const auto from = atNumber((*args)[0]);
    const auto to = args->size() == 2 ? atNumber((*args)[1]) : from;
    if (!from || !to || *from < storage.first || *to > storage.last || *from > *to)
        return CommandResult::cme(CmeInvalidIndex);
    for (auto it = storage.entries.lower_bound(*from); it != storage.entries.end() && it->first <= *to; ++it)
        ctx.info(listLine(it->first, it->second));
    return CommandResult::ok();
}

CommandResult PhonebookCommands::write(const AtCommand& cmd)
{
    Storage& storage = storages.at(selected);
    if (cmd.form == AtForm::Test)
        return CommandResult::ok();
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->empty() || args->size() > 4)
        return CommandResult::error();
    if (storage.readOnly)
        return CommandResult::cme(CmeOperationNotAllowed);

    std::optional<int> index;
    if (!(*args)[0].empty()) {
        index = atNumber((*args)[0]);
        if (!index || *index < storage.first || *index > storage.last)
            return CommandResult::cme(CmeInvalidIndex);
    }
    const std::string number = args->size() > 1 ? (*args)[1] : std::string();
    if (number.empty()) {
        // Only an index: that entry goes.
        if (!index)
            return CommandResult::cme(CmeInvalidIndex);
        storage.entries.erase(*index);
        return CommandResult::ok();
    }
    if (!isDialString(number))
        return CommandResult::cme(CmeInvalidDialCharacters);
    if (int(number.size()) > storage.numberLength)
        return CommandResult::cme(CmeDialStringTooLong);
    int type = number[0] == '+' ? kTypeInternational : kTypeUnknown;
    if (args->size() > 2 && !(*args)[2].empty()) {
        const auto given = atNumber((*args)[2]);
        if (!given || *given > 255)
            return CommandResult::error();
        type = *given;
    }
    const std::string text = args->size() > 3 ? (*args)[3] : std::string();
    if (int(text.size()) > storage.textLength)
        return CommandResult::cme(CmeTextTooLong);
    if (!index) {
        // No index: the first free one.
        for (int i = storage.first; i <= storage.last && !index; ++i)
            if (!storage.entries.contains(i))
                index = i;
        if (!index)
            return CommandResult::cme(CmeMemoryFull);
    }
    storage.entries[*index] = Entry{number, type, text};
    return CommandResult::ok();
}

void PhonebookCommands::addCommands(CommandTable& table)
{
    table.add("^SPBS", [this](CommandContext&, const AtCommand& cmd) { return select(cmd); });
    table.add("+CPBR", [this](CommandContext& ctx, const AtCommand& cmd) { return read(ctx, cmd); });
    table.add("+CPBW", [this](CommandContext&, const AtCommand& cmd) { return write(cmd); });
}

QString PhonebookCommands::loadState(const QJsonObject& json)
{
    std::map<std::string, Storage> loaded = storages;
    const QJsonObject byName = json.value(QStringLiteral("storages")).toObject();
    for (auto s = byName.begin(); s != byName.end(); ++s) {
        const QJsonObject o = s.value().toObject();
        Storage storage;
        storage.first = o.value(QStringLiteral("first")).toInt(1);
        storage.last = o.value(QStringLiteral("last")).toInt(0);
        storage.numberLength = o.value(QStringLiteral("numberLength")).toInt(20);
        storage.textLength = o.value(QStringLiteral("textLength")).toInt(14);
        storage.readOnly = o.value(QStringLiteral("readOnly")).toBool(false);
        if (s.key().size() != 2 || storage.first < 0 || storage.last < storage.first || storage.numberLength < 1 ||
            storage.textLength < 0)
            return QStringLiteral("phonebooks.storages.%1 needs a two-letter name, first <= last and lengths")
                .arg(s.key());
        for (const QJsonValue& e : o.value(QStringLiteral("entries")).toArray()) {
            const QJsonObject entry = e.toObject();
            const int index = entry.value(QStringLiteral("index")).toInt(-1);
            const std::string number = entry.value(QStringLiteral("number")).toString().toStdString();
            if (index < storage.first || index > storage.last || number.empty())
                return QStringLiteral("phonebooks.storages.%1 holds an entry without index or number").arg(s.key());
            storage.entries[index] = Entry{number, entry.value(QStringLiteral("type")).toInt(kTypeUnknown),
                                           entry.value(QStringLiteral("text")).toString().toLatin1().toStdString()};
        }
        loaded[s.key().toStdString()] = std::move(storage);
    }
    storages = std::move(loaded);
    if (!storages.contains(selected))
        selected = storages.begin()->first;
    return {};
}

QJsonObject PhonebookCommands::saveState() const
{
    QJsonObject byName;
    for (const auto& [name, storage] : storages) {
        QJsonArray entries;
        for (const auto& [index, entry] : storage.entries)
            entries.append(QJsonObject{{QStringLiteral("index"), index},
                                       {QStringLiteral("number"), QString::fromStdString(entry.number)},
                                       {QStringLiteral("type"), entry.type},
                                       {QStringLiteral("text"), QString::fromLatin1(entry.text)}});
        byName.insert(QString::fromStdString(name),
                      QJsonObject{{QStringLiteral("first"), storage.first},
                                  {QStringLiteral("last"), storage.last},
                                  {QStringLiteral("numberLength"), storage.numberLength},
                                  {QStringLiteral("textLength"), storage.textLength},
                                  {QStringLiteral("readOnly"), storage.readOnly},
                                  {QStringLiteral("entries"), entries}});
    }
    return QJsonObject{{QStringLiteral("storages"), byName}};
}

} // namespace torvane::phonesim

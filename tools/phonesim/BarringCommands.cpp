#include "tools/phonesim/BarringCommands.h"

#include "tools/phonesim/CmeError.h"

namespace torvane::phonesim {

namespace {

constexpr int kUnlock = 0;
constexpr int kLock = 1;
constexpr int kQuery = 2;
constexpr int kAllClasses = 7;

} // namespace

BarringCommands::BarringCommands()
{
    for (const char* facility : {"AO", "OI", "OX", "AI", "IR"})
        barred[facility] = 0;
}

CommandResult BarringCommands::lock(CommandContext& ctx, const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test) {
        std::string list;
        for (const auto& [facility, classes] : barred)
            list += (list.empty() ? "" : ",") + ("\"" + facility + "\"");
        ctx.info("^SLCK: (" + list + ")");
        return CommandResult::ok();
    }
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->size() < 2 || args->size() > 4)
        return CommandResult::error();
    const auto facility = barred.find((*args)[0]);
    const auto mode = atNumber((*args)[1]);
    if (facility == barred.end() || !mode || *mode > kQuery)
        return CommandResult::cme(CmeOperationNotSupported);

    if (*mode == kQuery) {
        int classes = kAllClasses;
        if (args->size() > 2 && !(*args)[2].empty()) {
            const auto given = atNumber((*args)[2]);
            if (!given || (*given & kAllClasses) == 0)
                return CommandResult::cme(CmeOperationNotSupported);
            classes = *given & kAllClasses;
        }
        // One line per barred class; a single "not barred" line for the classes asked about.
        const int barredNow = facility->second & classes;
        if (barredNow == 0)
            ctx.info("^SLCK: 0," + std::to_string(classes));
        for (int bit = 1; bit <= 4; bit <<= 1)
            if (barredNow & bit)
                ctx.info("^SLCK: 1," + std::to_string(bit));
        return CommandResult::ok();
    }

    if (args->size() < 3 || (*args)[2] != password)
        return CommandResult::cme(CmeIncorrectPassword);
    int classes = kAllClasses;
    if (args->size() > 3 && !(*args)[3].empty()) {
        const auto given = atNumber((*args)[3]);
        if (!given || (*given & kAllClasses) == 0)
            return CommandResult::cme(CmeOperationNotSupported);
        classes = *given & kAllClasses;
    }
    if (*mode == kLock)
        facility->second |= classes;
    else if (*mode == kUnlock)
        facility->second &= ~classes;
    return CommandResult::ok();
}

void BarringCommands::addCommands(CommandTable& table)
{
    table.add("^SLCK", [this](CommandContext& ctx, const AtCommand& cmd) { return lock(ctx, cmd); });
}

QString BarringCommands::loadState(const QJsonObject& json)
{
    std::map<std::string, int> loaded = barred;
    const QJsonObject byFacility = json.value(QStringLiteral("barred")).toObject();
    for (auto f = byFacility.begin(); f != byFacility.end(); ++f) {
        const auto known = loaded.find(f.key().toStdString());
        if (known == loaded.end() || !f.value().isDouble() || f.value().toInt() < 0 || f.value().toInt() > kAllClasses)
            return QStringLiteral("barring.barred.%1 is not a known facility with classes 0-7").arg(f.key());
        known->second = f.value().toInt();
    }
    const QJsonValue word = json.value(QStringLiteral("password"));
    if (!word.isUndefined() && !word.isString())
        return QStringLiteral("barring.password is not a text");
    barred = std::move(loaded);
    if (word.isString())
        password = word.toString().toStdString();
    return {};
}

QJsonObject BarringCommands::saveState() const
{
    QJsonObject byFacility;
    for (const auto& [facility, classes] : barred)
        byFacility.insert(QString::fromStdString(facility), classes);
    return QJsonObject{{QStringLiteral("barred"), byFacility},
                       {QStringLiteral("password"), QString::fromStdString(password)}};
}

} // namespace torvane::phonesim

#include "tools/phonesim/ForwardingCommands.h"

#include "tools/phonesim/CmeError.h"

#include <QJsonArray>

#include <optional>
#include <vector>

namespace torvane::phonesim {

namespace {

enum Mode { Disable = 0, Enable = 1, Query = 2, Register = 3, Erase = 4 };

constexpr int kNoReply = 2;
constexpr int kAllClasses = 7;
constexpr int kMaxDigits = 20;
constexpr int kMaxDelay = 30;
constexpr int kTypeInternational = 145;
constexpr int kTypeUnknown = 129;

int classIndex(int bit)
{
    return bit == 1 ? 0 : bit == 2 ? 1 : 2;
}

bool isNumber(const std::string& number)
{
    const std::size_t from = !number.empty() && number[0] == '+' ? 1 : 0;
    if (number.size() == from || number.size() - from > std::size_t(kMaxDigits))
        return false;
    for (std::size_t i = from; i < number.size(); ++i)
        if (number[i] < '0' || number[i] > '9')
            return false;
    return true;
}

// Field `i` of the arguments, when given and not empty.
std::optional<std::string> field(const std::vector<std::string>& args, std::size_t i)
{
    if (i < args.size() && !args[i].empty())
        return args[i];
    return std::nullopt;
}

} // namespace

ForwardingCommands::Forward& ForwardingCommands::at(int reason, int classBit)
{
    return forwards[std::size_t(reason)][std::size_t(classIndex(classBit))];
}

CommandResult ForwardingCommands::forward(CommandContext& ctx, const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test) {
        ctx.info("+CCFC: (0-3)");
        return CommandResult::ok();
    }
    const auto parsed = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !parsed || parsed->size() < 2 || parsed->size() > 8)
        return CommandResult::error();
    const std::vector<std::string>& args = *parsed;
    const auto reason = atNumber(args[0]);
    const auto mode = atNumber(args[1]);
    if (!reason || *reason >= kReasons || !mode || *mode > Erase)
        return CommandResult::cme(CmeOperationNotSupported);

    int classes = kAllClasses;
    if (const auto given = field(args, 4)) {
        const auto n = atNumber(*given);
        if (!n || (*n & kAllClasses) == 0)
            return CommandResult::cme(CmeOperationNotSupported);
        classes = *n & kAllClasses;
    }
    const auto number = field(args, 2);
    if (number && !isNumber(*number))
        return CommandResult::cme(CmeInvalidDialCharacters);
    int type = number && (*number)[0] == '+' ? kTypeInternational : kTypeUnknown;
    if (const auto given = field(args, 3)) {
        const auto n = atNumber(*given);
        if (!n || *n > 255)
            return CommandResult::error();
        type = *n;
    }
    std::optional<int> time;
    if (const auto given = field(args, 7)) {
        time = atNumber(*given);
        if (!time || *time < 1 || *time > kMaxDelay)
            return CommandResult::cme(CmeOperationNotSupported);
    }

    if (*mode == Query) {
        for (int bit = 1; bit <= 4; bit <<= 1) {
            if (!(classes & bit))
                continue;
            const Forward& f = at(*reason, bit);
            if (!f.active) {
                ctx.info("+CCFC: 0," + std::to_string(bit));
                continue;
            }
            std::string line = "+CCFC: 1," + std::to_string(bit) + ",\"" + f.number + "\"," + std::to_string(f.type);
            if (*reason == kNoReply)
                line += ",,," + std::to_string(f.time);
            ctx.info(line);
        }
        return CommandResult::ok();
    }

    // Registration needs a number; enabling without one needs a number registered before.
    if (*mode == Register && !number)
        return CommandResult::cme(CmeOperationNotAllowed);
    for (int bit = 1; bit <= 4; bit <<= 1) {
        if ((classes & bit) && *mode == Enable && !number && at(*reason, bit).number.empty())
            return CommandResult::cme(CmeOperationNotAllowed);
    }
    for (int bit = 1; bit <= 4; bit <<= 1) {
        if (!(classes & bit))
            continue;
        Forward& f = at(*reason, bit);
        switch (*mode) {
        case Disable:
            f.active = false;
            break;
        case Enable:
        case Register:
            if (number) {
                f.number = *number;
                f.type = type;
            }
            if (time && *reason == kNoReply)
                f.time = *time;
            f.active = true;
            break;
        case Erase:
            f = Forward{};
            break;
        }
    }
    return CommandResult::ok();
}

void ForwardingCommands::addCommands(CommandTable& table)
{
    table.add("+CCFC", [this](CommandContext& ctx, const AtCommand& cmd) { return forward(ctx, cmd); });
}

QString ForwardingCommands::loadState(const QJsonObject& json)
{
    auto loaded = forwards;
    const QJsonValue list = json.value(QStringLiteral("forwards"));
    if (!list.isUndefined() && !list.isArray())
        return QStringLiteral("forwarding.forwards is not a list");
    for (const QJsonValue& v : list.toArray()) {
        const QJsonObject o = v.toObject();
        const int reason = o.value(QStringLiteral("reason")).toInt(-1);
        const int bit = o.value(QStringLiteral("class")).toInt(0);
        const std::string number = o.value(QStringLiteral("number")).toString().toStdString();
        if (reason < 0 || reason >= kReasons || (bit != 1 && bit != 2 && bit != 4) || !isNumber(number))
            return QStringLiteral("forwarding.forwards holds an entry without reason 0-3, class 1, 2 or 4 and number");
        Forward& f = loaded[std::size_t(reason)][std::size_t(classIndex(bit))];
        f.number = number;
        f.active = o.value(QStringLiteral("active")).toBool(true);
        f.type = o.value(QStringLiteral("type")).toInt(number[0] == '+' ? kTypeInternational : kTypeUnknown);
        f.time = o.value(QStringLiteral("time")).toInt(20);
    }
    forwards = loaded;
    return {};
}

QJsonObject ForwardingCommands::saveState() const
{
    QJsonArray list;
    for (int reason = 0; reason < kReasons; ++reason) {
        for (int bit = 1; bit <= 4; bit <<= 1) {
            const Forward& f = forwards[std::size_t(reason)][std::size_t(classIndex(bit))];
            if (f.number.empty())
                continue;
            list.append(QJsonObject{{QStringLiteral("reason"), reason},
                                    {QStringLiteral("class"), bit},
                                    {QStringLiteral("number"), QString::fromStdString(f.number)},
                                    {QStringLiteral("type"), f.type},
                                    {QStringLiteral("active"), f.active},
                                    {QStringLiteral("time"), f.time}});
        }
    }
    return QJsonObject{{QStringLiteral("forwards"), list}};
}

} // namespace torvane::phonesim

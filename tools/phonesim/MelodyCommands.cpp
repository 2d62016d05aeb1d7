#include "tools/phonesim/MelodyCommands.h"

#include "tools/phonesim/CmeError.h"
#include "tools/phonesim/HexText.h"

namespace torvane::phonesim {

namespace {

constexpr int kMelodyLocation = 0;
constexpr int kMaxVolume = 4;
constexpr std::size_t kMaxMelodyBytes = 16 * 1024;

} // namespace

CommandResult MelodyCommands::upload(const AtCommand& cmd)
{
    const auto args = atArguments(cmd.args);
    if (!args || args->size() < 2 || args->size() > 4)
        return CommandResult::error();
    const auto location = atNumber((*args)[1]);
    if (!location || *location != kMelodyLocation)
        return CommandResult::cme(CmeInvalidIndex);
    if (args->size() == 2) {
        // Reset of an unfinished upload.
        pending.reset();
        return CommandResult::ok();
    }
    const auto part = atNumber((*args)[2]);
    if (!part)
        return CommandResult::error();
    if (args->size() == 3) {
        if (*part != 0)
            return CommandResult::error();
        melody.clear();
        playing = false;
        return CommandResult::ok();
    }
    const auto parts = atNumber((*args)[3]);
    if (!parts || *parts < 1 || *part < 1 || *part > *parts)
        return CommandResult::error();
    if (*part == 1)
        pending = Upload{*parts, 0, {}};
    else if (!pending || pending->parts != *parts || pending->received + 1 != *part)
        return CommandResult::cme(CmeOperationNotAllowed);

    auto takePart = [this](CommandContext&, const std::string& data, bool submitted) {
        if (!submitted || !pending)
            return CommandResult::error(); // an aborted part leaves the upload where it was
        const auto bytes = fromHex(data);
        if (!bytes || bytes->size() > std::size_t(kPartBytes) ||
            pending->data.size() + bytes->size() > kMaxMelodyBytes)
            return CommandResult::error();
        pending->data += *bytes;
        if (++pending->received == pending->parts) {
            melody = pending->data;
            pending.reset();
        }
        return CommandResult::ok();
    };
    return CommandResult::prompt(std::move(takePart), kObjectPrompt);
}

CommandResult MelodyCommands::ringTone(CommandContext& ctx, const AtCommand& cmd)
{
    switch (cmd.form) {
    case AtForm::Query:
        ctx.info("^SRTC: " + std::to_string(ringType) + "," + std::to_string(volume) + "," + (playing ? "1" : "0"));
        return CommandResult::ok();
    case AtForm::Test:
        ctx.info("^SRTC: (0-" + std::to_string(kMelodyType) + "),(0-" + std::to_string(kMaxVolume) + ")");
        return CommandResult::ok();
    case AtForm::Action:
        if (playing) {
            playing = false;
            return CommandResult::ok();
        }
        if (ringType == kMelodyType && melody.empty())
            return CommandResult::cme(CmeNotFound);
        playing = true;
        ++playsStarted;
        return CommandResult::ok();
    case AtForm::Set:
        break;
    }
    const auto args = atArguments(cmd.args);
    if (!args || args->empty() || args->size() > 2)
        return CommandResult::error();
    const auto type = atNumber((*args)[0]);
    const auto level = args->size() == 2 ? atNumber((*args)[1]) : std::optional<int>(volume);
    if (!type || *type > kMelodyType || !level || *level > kMaxVolume)
        return CommandResult::cme(CmeInvalidIndex);
    ringType = *type;
    volume = *level;
    return CommandResult::ok();
}

void MelodyCommands::addCommands(CommandTable& table)
{
    table.addForArgument("^SBNW", "mid", [this](CommandContext&, const AtCommand& cmd) { return upload(cmd); });
    table.add("^SRTC", [this](CommandContext& ctx, const AtCommand& cmd) { return ringTone(ctx, cmd); });
}

QString MelodyCommands::loadState(const QJsonObject& json)
{
    const auto bytes = fromHex(json.value(QStringLiteral("melody")).toString().toStdString());
    const int type = json.value(QStringLiteral("ringType")).toInt(ringType);
    const int level = json.value(QStringLiteral("volume")).toInt(volume);
    if (!bytes || bytes->size() > kMaxMelodyBytes)
        return QStringLiteral("melody.melody is not hex data of at most 16 KB");
    if (type < 0 || type > kMelodyType || level < 0 || level > kMaxVolume)
        return QStringLiteral("melody.ringType is not 0-42 or melody.volume not 0-4");
    melody = *bytes;
    ringType = type;
    volume = level;
    return {};
}

QJsonObject MelodyCommands::saveState() const
{
    return QJsonObject{{QStringLiteral("melody"), QString::fromStdString(toHex(melody))},
                       {QStringLiteral("ringType"), ringType},
                       {QStringLiteral("volume"), volume}};
}

} // namespace torvane::phonesim

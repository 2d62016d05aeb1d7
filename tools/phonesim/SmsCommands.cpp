#include "tools/phonesim/SmsCommands.h"

#include <QJsonArray>

namespace torvane::phonesim {

namespace {

// Message service errors of GSM 07.05.
constexpr int kCmsOperationNotAllowed = 302;
constexpr int kCmsInvalidPduParameter = 304;
constexpr int kCmsInvalidIndex = 321;
constexpr int kCmsMemoryFull = 322;

// The longest TPDU a program may announce: a submit with a 20-digit address, an absolute
// validity period and 140 octets of user data.
constexpr int kMaxTpduOctets = 164;

constexpr int kListAll = 4;

std::string withoutPlus(const std::string& number)
{
    return !number.empty() && number[0] == '+' ? number.substr(1) : number;
}

// The octets of a stored PDU after its service-centre part.
int tpduOctets(const std::string& pdu)
{
    const auto read = readHandedPdu(pdu);
    return read ? read->tpduOctets : 0;
}

} // namespace

int SmsCommands::receive(const std::string& pdu)
{
    if (pdu.empty())
        return -1;
    for (int place = 1; place <= capacity; ++place) {
        if (!messages.contains(place)) {
            messages[place] = Message{SmsReceivedUnread, pdu};
            return place;
        }
    }
    return -1;
}

CommandResult SmsCommands::list(CommandContext& ctx, const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test) {
        ctx.info("^SMGL: (0-4)");
        return CommandResult::ok();
    }
    if (cmd.form != AtForm::Set)
        return CommandResult::error();
    const auto status = atNumber(cmd.args);
    if (!status || *status > kListAll)
        return CommandResult::cms(kCmsOperationNotAllowed);
    // Unlike AT+CMGL, this listing leaves every message's status as it was: a message stays
    // unread, and listed, until it is deleted.
    for (const auto& [place, message] : messages) {
        if (*status != kListAll && message.status != *status)
            continue;
        ctx.info("^SMGL: " + std::to_string(place) + "," + std::to_string(message.status) + ",," +
                 std::to_string(tpduOctets(message.pdu)));
        ctx.info(message.pdu);
    }
    return CommandResult::ok();
}

CommandResult SmsCommands::remove(const AtCommand& cmd)
{
    if (cmd.form == AtForm::Test)
        return CommandResult::ok();
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->empty() || args->size() > 2)
        return CommandResult::error();
    const auto place = atNumber((*args)[0]);
    if (args->size() == 2 && atNumber((*args)[1]) != 0)
        return CommandResult::cms(kCmsOperationNotAllowed);
    if (!place || !messages.contains(*place))
        return CommandResult::cms(kCmsInvalidIndex);
    messages.erase(*place);
    return CommandResult::ok();
}

CommandResult SmsCommands::takePdu(const AtCommand& cmd, const std::string& command)
{
    if (cmd.form == AtForm::Test)
        return CommandResult::ok();
    const auto args = atArguments(cmd.args);
    if (cmd.form != AtForm::Set || !args || args->empty() || args->size() > 2)
        return CommandResult::error();
    const auto length = atNumber((*args)[0]);
    if (!length || *length < 1 || *length > kMaxTpduOctets)
        return CommandResult::cms(kCmsInvalidPduParameter);
    int status = SmsStoredUnsent;
    if (args->size() == 2) {
        const auto second = atNumber((*args)[1]);
        if (!second || (command == "+CMGW" && *second > SmsStoredSent))
            return CommandResult::cms(kCmsOperationNotAllowed);
        status = *second;
    } else if (command == "^SSTK") {
        return CommandResult::error();
    }
    return CommandResult::prompt([this, command, length = *length, status](CommandContext& ctx, const std::string& data,
                                                                           bool submitted) {
        // ESC: nothing is sent or stored.
        if (!submitted)
            return CommandResult::ok();
        return onPdu(ctx, command, length, status, data);
    });
}

CommandResult SmsCommands::onPdu(CommandContext& ctx, const std::string& command, int length, int status,
                                 const std::string& data)
{
    std::string hex;
    for (char c : data)
        if (c != '\r' && c != '\n')
            hex.push_back(c);
    const auto pdu = readHandedPdu(hex);
    if (!pdu || pdu->tpduOctets != length)
        return CommandResult::cms(kCmsInvalidPduParameter);
    handed.push_back({command, hex});

    if (command == "+CMGW") {
        // A message stored as received is a deliver, one stored for sending a submit.
        const int wanted = status <= SmsReceivedRead ? 0 : 1;
        if (pdu->messageType != wanted)
            return CommandResult::cms(kCmsInvalidPduParameter);
        for (int place = 1; place <= capacity; ++place) {
            if (!messages.contains(place)) {
                messages[place] = Message{status, hex};
                ctx.info("+CMGW: " + std::to_string(place));
                return CommandResult::ok();
            }
        }
        return CommandResult::cms(kCmsMemoryFull);
    }

    m_reference = (m_reference + 1) & 0xFF;
    if (command == "+CMGC") {
        ctx.info("+CMGC: " + std::to_string(m_reference));
        return CommandResult::ok();
    }
    if (pdu->messageType != 1)
        return CommandResult::cms(kCmsInvalidPduParameter);
    const auto destination = submitDestination(pdu->tpdu);
    if (!destination)
        return CommandResult::cms(kCmsInvalidPduParameter);
    if (withoutPlus(*destination) == withoutPlus(ownNumber)) {
        if (const auto back = deliverForSubmit(pdu->tpdu, serviceCentre, ownNumber, networkTime))
            receive(*back);
    }
    ctx.info(command + ": " + std::to_string(m_reference));
    return CommandResult::ok();
}

void SmsCommands::addCommands(CommandTable& table)
{
    table.add("^SMGL", [this](CommandContext& ctx, const AtCommand& cmd) { return list(ctx, cmd); });
    table.add("+CMGD", [this](CommandContext&, const AtCommand& cmd) { return remove(cmd); });
    for (const char* command : {"+CMGS", "+CMGW", "+CMGC", "^SSTK"})
        table.add(command, [this, name = std::string(command)](CommandContext&, const AtCommand& cmd) {
            return takePdu(cmd, name);
        });
}

QString SmsCommands::loadState(const QJsonObject& json)
{
    std::map<int, Message> loaded;
    const QJsonValue list = json.value(QStringLiteral("messages"));
    if (!list.isUndefined() && !list.isArray())
        return QStringLiteral("sms.messages is not a list");
    int loadedCapacity = capacity;
    if (const QJsonValue c = json.value(QStringLiteral("capacity")); !c.isUndefined()) {
        if (!c.isDouble() || c.toInt() < 1 || c.toInt() > 1000)
            return QStringLiteral("sms.capacity is not a number from 1 to 1000");
        loadedCapacity = c.toInt();
    }
    for (const QJsonValue& v : list.toArray()) {
        const QJsonObject m = v.toObject();
        const int place = m.value(QStringLiteral("index")).toInt(-1);
        const int status = m.value(QStringLiteral("status")).toInt(-1);
        const std::string pdu = m.value(QStringLiteral("pdu")).toString().toStdString();
        if (place < 1 || place > loadedCapacity || status < 0 || status > SmsStoredSent || !readHandedPdu(pdu))
            return QStringLiteral("sms.messages holds an entry without index, status 0-3 and a hex pdu");
        loaded[place] = Message{status, pdu};
    }
    for (const char* key : {"ownNumber", "serviceCentre"})
        if (const QJsonValue v = json.value(QLatin1String(key)); !v.isUndefined() && !v.isString())
            return QStringLiteral("sms.%1 is not a text").arg(QLatin1String(key));
    messages = std::move(loaded);
    capacity = loadedCapacity;
    ownNumber = json.value(QStringLiteral("ownNumber")).toString(QString::fromStdString(ownNumber)).toStdString();
    serviceCentre =
        json.value(QStringLiteral("serviceCentre")).toString(QString::fromStdString(serviceCentre)).toStdString();
    return {};
}

QJsonObject SmsCommands::saveState() const
{
    QJsonArray list;
    for (const auto& [place, message] : messages)
        list.append(QJsonObject{{QStringLiteral("index"), place},
                                {QStringLiteral("status"), message.status},
                                {QStringLiteral("pdu"), QString::fromStdString(message.pdu)}});
    return QJsonObject{{QStringLiteral("messages"), list},
                       {QStringLiteral("capacity"), capacity},
                       {QStringLiteral("ownNumber"), QString::fromStdString(ownNumber)},
                       {QStringLiteral("serviceCentre"), QString::fromStdString(serviceCentre)}};
}

} // namespace torvane::phonesim

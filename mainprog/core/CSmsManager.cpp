#include "mainprog/core/CSmsManager.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/HostMessages.h"
#include "mainprog/core/SpoolFile.h"
#include "mainprog/core/SuiteSettings.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace corvant {

namespace {

constexpr UINT kBoxInformation = 0x40;
constexpr UINT kBoxExclamation = 0x30;
constexpr UINT kBoxYesNoQuestion = 0x4 | 0x20;
constexpr int kYes = 6;
constexpr char kOutgoingPattern[] = "SMS*.tmp";

std::string format(const std::string& pattern, int value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
    return buffer;
}

} // namespace

// ---- CMessage ----

bool CMessage::addPart(int sequence, const std::string& partText)
{
    for (const CSMText& part : parts)
        if (part.sequence == sequence)
            return false;
    parts.push_back({sequence, partText});
    return true;
}

bool CMessage::isComplete() const
{
    if (total < 1)
        return false;
    for (int i = 1; i <= total; ++i)
        if (std::none_of(parts.begin(), parts.end(), [i](const CSMText& p) { return p.sequence == i; }))
            return false;
    return true;
}

void CMessage::SortParts()
{
    // Parts are distinct by sequence number already; an incomplete message keeps all it has.
    std::stable_sort(parts.begin(), parts.end(),
                     [](const CSMText& a, const CSMText& b) { return a.sequence < b.sequence; });
}

void CMessage::JoinParts()
{
    text.clear();
    for (const CSMText& part : parts)
        text += part.text;
    parts.clear();
}

// ---- construction and configuration ----

CSmsManager::CSmsManager(SmsEngine& engine, SpoolFileSystem& files, SmsDialogs& dialogs, SmsClock& clock,
                         torvane::registry::AppProfile profile, HWND hostWindow, std::string tracePath)
    : engine_(engine), files_(files), dialogs_(dialogs), clock_(clock), profile_(std::move(profile)),
      host_(hostWindow), tracePath_(std::move(tracePath))
{
    if (mapiLog())
        files_.appendTrace(tracePath_, "Start", true);
}

CSmsManager::~CSmsManager()
{
    if (!outbox_.empty() && !files_.matching(outbox_, kOutgoingPattern).empty())
        dialogs_.messageBox(false, loadString(61255), loadString(61256), kBoxInformation);
    for (auto& message : pending_) {
        message->SortParts();
        message->JoinParts();
        message->text = spool::trim(spool::FilterSmsText(message->text));
        if (message->text.empty())
            continue;
        // The box says "saved": it is shown only when the file was written.
        if (WriteIncoming(message->sender, message->text, message->timeStamp))
            dialogs_.messageBox(false, loadString(61275), loadString(61256), kBoxInformation);
        else
            Trace("Unvollstaendige Nachricht nicht schreibbar von " + message->sender);
    }
    pending_.clear();
    if (mapiLog())
        files_.appendTrace(tracePath_, "\nStop", false);
}

bool CSmsManager::mapiLog() const
{
    return profile_.GetProfileInt(section::MapiServer, value::MapiLog, 0) != 0;
}

void CSmsManager::Trace(const std::string& text)
{
    if (mapiLog())
        files_.appendTrace(tracePath_, "\r" + text, false);
}

void CSmsManager::Configure()
{
    maxParts_ = profile_.GetProfileInt(section::MapiServer, value::MaxParts, 1);
    preview_ = static_cast<int>(profile_.GetProfileInt(section::MapiServer, value::Preview, 1));
    waitMinutes_ = static_cast<int>(profile_.GetProfileInt(section::MapiServer, value::WaitMinutes, 60));
    const std::string root = spoolRootFrom(profile_.GetProfileString(section::MapiServer, value::SpoolDir, ""));
    inbox_ = root + "sms_in/";
    outbox_ = root + "sms_out/";
    files_.ensureDirectory(inbox_);
    files_.ensureDirectory(outbox_);
    skipped_.clear();
    refused_.clear();
    sendArmed_ = true;
    Trace("Start Timer SEND");
    receiveArmed_ = true;
    Trace("Start Timer READ");
}

// ---- send road ----

void CSmsManager::ScanOutbox()
{
    const std::vector<std::string> names = files_.matching(outbox_, kOutgoingPattern);
    std::string found;
    for (const std::string& name : names)
        if (!skipped_.count(name) && !refused_.count(name)) {
            found = name;
            break;
        }
    if (found.empty()) {
        // Only files passed over are left: try them again at the next tick.
        skipped_.clear();
        return;
    }
    sendArmed_ = false;
    Trace("KillTimer SEND, Datei gefunden");
    LoadOutgoing(found);
}

void CSmsManager::LoadOutgoing(const std::string& name)
{
    current_ = outbox_ + name;
    std::string bytes;
    const SpoolFileSystem::Read read = files_.readAll(current_, spool::kMaxFileBytes, bytes);
    if (read == SpoolFileSystem::Read::TooLarge) {
        Trace("Datei zu gross, nicht gesendet: " + current_);
        refused_.insert(name);
        sendArmed_ = true;
        return;
    }
    const std::string text = spool::textOf(bytes);
    if (read != SpoolFileSystem::Read::Ok || text.empty()) {
        // Kept for a later try; the other files go first meanwhile.
        Trace("Datei nicht lesbar oder leer: " + current_);
        skipped_.insert(name);
        sendArmed_ = true;
        return;
    }

    const spool::OutgoingFile file = spool::parseOutgoing(text);
    if (file.hasNumber && !file.furtherRecipients.empty()) {
        const size_t restStart = text.size() - file.rest.size();
        for (const std::string& piece : file.furtherRecipients) {
            Trace(format("Rufnr bei Index %d in Nachricht <", static_cast<int>(file.rest.find(spool::kNumberMarker))) +
                  file.rest + "> ");
            Trace("Nr. <" + piece + "> zugefuegt ");
        }
        if (!SplitRecipients(text, restStart, file.furtherRecipients, file.commonTail)) {
            skipped_.insert(name);
            sendArmed_ = true;
            return;
        }
    }

    number_ = file.destination;
    if (!spool::isValidDestination(number_)) {
        char buffer[1024];
        std::snprintf(buffer, sizeof buffer, "%s %s.", number_.c_str(), loadString(61257).c_str());
        dialogs_.messageBox(false, std::string(buffer) + "\n" + loadString(61258), loadString(61259),
                            kBoxInformation);
        files_.remove(current_);
        sendArmed_ = true;
        Trace("Start Timer nach falsche Zieladresse");
        return;
    }

    text_ = spool::FilterSmsText(spool::MergeSubjectAndBody(file.subject, file.body));
    parts_ = spool::CountParts(text_);
    if (maxParts_ >= 1 && parts_ > maxParts_) {
        dialogs_.messageBox(true, format(loadString(61260), static_cast<int>(maxParts_)), loadString(61261),
                            kBoxExclamation);
        parts_ = maxParts_;
        text_ = text_.substr(0, static_cast<size_t>(maxParts_) * spool::kPartLength);
    }

    mode_ = -1;
    if (preview_ != 0) {
        const std::string line = parts_ > 1 ? format("Es werden insgesamt %d Short Messages versendet.",
                                                     static_cast<int>(parts_))
                                            : std::string();
        const SmsDialogs::PreviewChoice choice = dialogs_.preview(number_, spool::previewText(text_, parts_), line);
        if (!choice.send) {
            if (dialogs_.messageBox(true, loadString(61262), loadString(61263), kBoxYesNoQuestion) == kYes)
                files_.remove(current_);
            sendArmed_ = true;
            Trace("Start Timer nach verwerfen");
            return;
        }
        mode_ = choice.storeOnSim ? 2 : -1;
    }

    int reference = static_cast<int>(profile_.GetProfileInt(section::MapiServer, value::RefNum, 0)) + 1;
    if (reference > 255 || reference < 0)
        reference = 0;
    reference_ = reference;
    profile_.WriteProfileInt(section::MapiServer, value::RefNum, reference_);

    sent_ = 0;
    tries_ = 0;
    sending_ = true;
    SendNextPart();
}

bool CSmsManager::SplitRecipients(const std::string& text, size_t restStart, const std::vector<std::string>& pieces,
                                  const std::string& tail)
{
    // Either every further recipient gets its file, or none does and the file waits.
    std::vector<std::string> written;
    for (const std::string& piece : pieces) {
        const std::string path = files_.createUnique(outbox_, "SMS");
        if (path.empty() || !files_.writeAll(path, piece + tail)) {
            if (!path.empty())
                files_.remove(path);
            for (const std::string& done : written)
                files_.remove(done);
            Trace("Weitere Empfaenger nicht schreibbar, Datei bleibt: " + current_);
            return false;
        }
        written.push_back(path);
    }
    // The further recipients now have their own files: they are dropped from this one, so
    // that they are not split off a second time should the program end before it is sent.
    if (!files_.writeAll(current_, text.substr(0, restStart) + tail))
        Trace("Datei nicht gekuerzt: " + current_);
    return true;
}

void CSmsManager::SendNextPart()
{
    ++sent_;
    ++tries_;
    const std::string part = spool::partText(text_, parts_, sent_);
    Trace(part);
    char line[128];
    std::snprintf(line, sizeof line, "RefNum gesendet: %d\nSequNum gesendet: %d", reference_, static_cast<int>(sent_));
    Trace(line);
    sendArmed_ = false;
    const int rc = engine_.ATSMSend(host_, WM_SMS_SEND_DONE, number_, part, reference_,
                                    static_cast<int>(parts_ - sent_ + 1), static_cast<int>(parts_), mode_,
                                    profile_.GetProfileString(section::Settings, value::ServiceCentre, ""),
                                    static_cast<int>(profile_.GetProfileInt(section::Settings, value::Validity, 255)));
    if (rc < 0) {
        char buffer[1024];
        std::snprintf(buffer, sizeof buffer, loadString(61264).c_str(), part.c_str(), reference_,
                      static_cast<int>(sent_));
        dialogs_.messageBox(false, buffer, loadString(61265), kBoxExclamation);
        // No answer comes for a refused request: the file is set aside, already reported.
        setAside(false);
    }
}

void CSmsManager::setAside(bool report)
{
    const std::string aside = current_ + ".err";
    sending_ = false;
    if (files_.rename(current_, aside)) {
        Trace("Datei beiseite gelegt: " + aside);
    } else {
        const size_t slash = current_.find_last_of('/');
        refused_.insert(current_.substr(slash == std::string::npos ? 0 : slash + 1));
        Trace("Datei nicht umbenannt, bleibt liegen: " + current_);
    }
    if (report) {
        char buffer[1024];
        std::snprintf(buffer, sizeof buffer, loadString(61264).c_str(),
                      spool::partText(text_, parts_, sent_).c_str(), reference_, static_cast<int>(sent_));
        dialogs_.messageBox(false, buffer, loadString(61265), kBoxExclamation);
    }
    sendArmed_ = true;
}

void CSmsManager::OnPartSent(int result)
{
    if (!sending_)
        return; // an answer for a file already finished or set aside
    if (result != 0) {
        if (tries_ >= kMaxTries) {
            Trace(format("Teil nach %d Versuchen nicht gesendet", kMaxTries));
            setAside(true);
            return;
        }
        if (sent_ >= 1)
            --sent_;
        SendNextPart();
        return;
    }
    tries_ = 0;
    if (sent_ < parts_) {
        SendNextPart();
        return;
    }
    finishFile();
}

void CSmsManager::finishFile()
{
    sending_ = false;
    files_.remove(current_);
    sendArmed_ = true;
    Trace("Start Timer nach Senden");
}

// ---- receive road ----

void CSmsManager::RequestRead()
{
    receiveArmed_ = false;
    engine_.ATSMRead(host_, WM_SMS_READ_DONE);
}

std::uint16_t CSmsManager::MinuteStamp()
{
    const std::time_t now = static_cast<std::time_t>(clock_.now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    return static_cast<std::uint16_t>(utc.tm_min);
}

bool CSmsManager::IsExpired(const CMessage& message)
{
    return clock_.now() - message.firstArrival >= static_cast<std::int64_t>(waitMinutes_) * 60;
}

void CSmsManager::OnMessageRead(int result)
{
    if (result == 0) {
        Trace("Stop Timer READ SMSOnATMsgRead");
        SmsRecord record;
        if (!engine_.ATSMGet(record)) {
            receiveArmed_ = true;
            Trace("Kein Leseergebnis");
        } else {
            bool stored = true;
            if (hasUndeleted_ && record == undeleted_) {
                Trace("Bereits gespeichert, nur loeschen");
            } else if (record.total <= 1) {
                stored = WriteIncoming(record.sender, spool::FilterSmsText(record.text), record.timeStamp);
            } else {
                holdPart(record);
            }
            if (stored) {
                lastRead_ = record;
                if (engine_.ATSMDel(host_, WM_SMS_DELETE_DONE) < 0) {
                    dialogs_.messageBox(false, loadString(61266), loadString(61267), kBoxExclamation);
                    undeleted_ = record;
                    hasUndeleted_ = true;
                    receiveArmed_ = true;
                }
            } else {
                // Left on the phone: the next poll reads it again.
                receiveArmed_ = true;
                Trace("Eingang nicht schreibbar, SMS bleibt auf dem Telefon");
            }
        }
    } else if (result == -2) {
        receiveArmed_ = true;
        Trace("Start Timer READ nach  Status = NOMSG");
    } else {
        receiveArmed_ = true;
        Trace("Start Timer READ nach  Status = ERROR");
    }
    expiryPass();
}

void CSmsManager::OnMessageDeleted(int result)
{
    if (result == -1) {
        // Stored already; should the same message be read again it is only deleted.
        undeleted_ = lastRead_;
        hasUndeleted_ = true;
        dialogs_.messageBox(false, loadString(61266), loadString(61267), kBoxExclamation);
        receiveArmed_ = true;
        Trace("Start Timer READ nach fehlgeschlagenem Loeschen");
        return;
    }
    hasUndeleted_ = false;
    receiveArmed_ = true;
    Trace("Start Timer READ nach Message empfangen");
}

void CSmsManager::holdPart(const SmsRecord& record)
{
    for (auto& message : pending_) {
        if (message->sender == record.sender && message->reference == record.reference) {
            message->addPart(record.sequence, record.text);
            return; // completion is found by the pass after this answer
        }
    }
    auto message = std::make_unique<CMessage>();
    message->sender = record.sender;
    message->reference = record.reference;
    message->total = record.total;
    message->timeStamp = record.timeStamp;
    message->minuteStamp = MinuteStamp();
    message->firstArrival = clock_.now();
    message->addPart(record.sequence, record.text);
    pending_.push_back(std::move(message));
}

bool CSmsManager::AssembleMessage(CMessage& message)
{
    // Joined from a copy: should the file not be written, the parts stay for the next try.
    CMessage joined = message;
    joined.SortParts();
    joined.JoinParts();
    joined.text = spool::FilterSmsText(joined.text);
    if (joined.text.empty())
        return true;
    return WriteIncoming(joined.sender, joined.text, joined.timeStamp);
}

void CSmsManager::expiryPass()
{
    // Message boxes run a loop that may hand over further answers: no second pass meanwhile.
    if (inExpiryPass_)
        return;
    inExpiryPass_ = true;
    std::vector<std::unique_ptr<CMessage>> keep;
    int expiredWritten = 0;
    std::vector<std::unique_ptr<CMessage>> list;
    list.swap(pending_);
    for (auto& message : list) {
        const bool complete = message->isComplete();
        const bool expired = !complete && IsExpired(*message);
        if ((complete || expired) && AssembleMessage(*message)) {
            if (expired)
                ++expiredWritten;
            continue;
        }
        keep.push_back(std::move(message));
    }
    // Parts that arrived while the list was out are kept behind the older ones.
    for (auto& message : pending_)
        keep.push_back(std::move(message));
    pending_.swap(keep);
    for (int i = 0; i < expiredWritten; ++i)
        dialogs_.messageBox(false, loadString(61275), loadString(61276), kBoxInformation);
    inExpiryPass_ = false;
}

bool CSmsManager::WriteIncoming(const std::string& sender, const std::string& text, int timeStamp)
{
    const std::time_t stamp = static_cast<std::time_t>(timeStamp);
    std::tm local{};
    localtime_r(&stamp, &local);
    const spool::InboxDate date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
    const std::string path = files_.createUnique(inbox_, "SMS");
    if (path.empty())
        return false;
    if (!files_.writeAll(path, spool::inboxFile(sender, text, date, loadString(61252)))) {
        files_.remove(path);
        return false;
    }
    return true;
}

} // namespace corvant

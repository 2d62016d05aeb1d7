#include "mainprog/core/CSmsManager.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/HostMessages.h"
#include "mainprog/core/PhoneStatusAnswer.h"
#include "mainprog/core/SmsSendRecord.h"
#include "mainprog/core/SpoolFile.h"
#include "mainprog/core/SuiteSettings.h"

#include "engine/zeldll.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace corvant {

namespace {

constexpr UINT kBoxInformation = 0x40;
constexpr UINT kBoxExclamation = 0x30;
constexpr UINT kBoxYesNoQuestion = 0x4 | 0x20;
constexpr int kYes = 6;
constexpr char kOutgoingPattern[] = "SMS*.tmp";

// The minute of the hour (UTC) of a moment.
std::uint16_t minuteOf(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&time, &utc);
    return static_cast<std::uint16_t>(utc.tm_min);
}

std::string format(const std::string& pattern, int value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
    return buffer;
}

} // namespace

// ---- CMessage ----

bool CMessage::hasPart(int sequence) const
{
    return std::any_of(parts.begin(), parts.end(), [sequence](const CSMText& p) { return p.sequence == sequence; });
}

bool CMessage::addPart(int sequence, const std::string& partText, std::uint64_t key)
{
    if (hasPart(sequence))
        return false;
    parts.push_back({sequence, partText, key});
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
      host_(hostWindow), tracePath_(std::move(tracePath)), store_(files, [this](const std::string& t) { Trace(t); })
{
    if (mapiLog())
        files_.appendTrace(tracePath_, "Start", true);
}

CSmsManager::~CSmsManager()
{
    if (!outbox_.empty() && !files_.matching(outbox_, kOutgoingPattern).empty())
        dialogs_.messageBox(false, loadString(61255), loadString(61256), kBoxInformation);
    for (auto& message : pending_) {
        // The box says "saved": it is shown only when the file is safe. Otherwise the parts stay
        // in the store for the next start.
        const Assembled assembled = AssembleMessage(*message, true);
        if (assembled == Assembled::Written && message->total > 1)
            dialogs_.messageBox(false, loadString(61275), loadString(61256), kBoxInformation);
        else if (assembled == Assembled::NotWritten)
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
    // The data folder stands where the designs had a drive's root, which is always there; a new
    // home lacks it, so it is made level by level. A folder the user set is not: one that is
    // missing (a drive not mounted) must not take messages off the phone into a stand-in.
    if (root == defaultSpoolRoot())
        for (size_t slash = root.find('/', 1); slash != std::string::npos; slash = root.find('/', slash + 1))
            files_.ensureDirectory(root.substr(0, slash + 1));
    inbox_ = root + "sms_in/";
    outbox_ = root + "sms_out/";
    files_.ensureDirectory(inbox_);
    files_.ensureDirectory(outbox_);
    store_.open(inbox_);
    takeBackStore();
    // A record whose file is gone (sent, or taken away by someone) has nothing left to say.
    const std::vector<std::string> outgoing = files_.matching(outbox_, kOutgoingPattern);
    for (const std::string& name : files_.matching(outbox_, std::string(kOutgoingPattern) + spool::kSendRecordSuffix)) {
        const std::string file = name.substr(0, name.size() - std::strlen(spool::kSendRecordSuffix));
        if (std::find(outgoing.begin(), outgoing.end(), file) == outgoing.end())
            files_.remove(outbox_ + name);
    }
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
    if (awaitingVerdict_ || waitingForPhone_) {
        // The poll's tick asks for the phone's state instead, also when the host's own status
        // polling is off.
        askPhoneState();
        return;
    }
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

void CSmsManager::removeFile(const std::string& path)
{
    // The record goes after its file, never before: a record without its file is harmless (it
    // is cleared at the next start), a file without its record would be sent whole again.
    if (files_.remove(path))
        files_.remove(path + spool::kSendRecordSuffix);
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
        removeFile(current_);
        sendArmed_ = true;
        Trace("Start Timer nach falsche Zieladresse");
        return;
    }

    partTexts_ = spool::cutParts(spool::FilterSmsText(spool::MergeSubjectAndBody(file.subject, file.body)));
    const bool cut = maxParts_ >= 1 && partTexts_.size() > maxParts_;
    if (cut)
        partTexts_.resize(maxParts_);
    parts_ = static_cast<unsigned>(partTexts_.size());
    sent_ = 0;
    tries_ = 0;
    if (resumeFromRecord())
        return;

    if (cut)
        dialogs_.messageBox(true, format(loadString(61260), static_cast<int>(maxParts_)), loadString(61261),
                            kBoxExclamation);
    mode_ = -1;
    if (preview_ != 0) {
        const std::string line = parts_ > 1 ? format("Es werden insgesamt %d Short Messages versendet.",
                                                     static_cast<int>(parts_))
                                            : std::string();
        const SmsDialogs::PreviewChoice choice = dialogs_.preview(number_, spool::previewText(partTexts_), line);
        if (!choice.send) {
            if (dialogs_.messageBox(true, loadString(61262), loadString(61263), kBoxYesNoQuestion) == kYes)
                removeFile(current_);
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

    // Without its record a restart could not tell which parts went: nothing goes until it is kept.
    if (!writeRecord(0)) {
        Trace("Sendeprotokoll nicht schreibbar, Datei bleibt: " + current_);
        skipped_.insert(name);
        sendArmed_ = true;
        return;
    }
    sending_ = true;
    SendNextPart();
}

bool CSmsManager::resumeFromRecord()
{
    std::string bytes;
    const SpoolFileSystem::Read read = files_.readAll(current_ + spool::kSendRecordSuffix, spool::kMaxFileBytes, bytes);
    if (read == SpoolFileSystem::Read::Unreadable)
        return false; // none: a file not begun yet
    std::string why = "zu gross";
    std::optional<spool::SendRecord> record;
    if (read == SpoolFileSystem::Read::Ok)
        record = spool::parseSendRecord(bytes, &why);
    if (record && (record->parts != parts_ || record->digest != spool::sendDigest(number_, partTexts_))) {
        record.reset();
        why = "fuer einen anderen Text";
    }
    if (!record) {
        // A part may then go a second time, but none is left out.
        Trace("Sendeprotokoll von " + current_ + " nicht verwendbar (" + why + "), Nachricht geht ganz mit neuer RefNum");
        return false;
    }
    reference_ = record->reference;
    mode_ = record->mode;
    sent_ = record->accepted;
    char line[96];
    std::snprintf(line, sizeof line, "Fortsetzung nach Neustart: RefNum %d, %u Teile schon gesendet", reference_, sent_);
    Trace(line);
    sending_ = true;
    if (sent_ >= parts_)
        finishFile();
    else
        SendNextPart();
    return true;
}

bool CSmsManager::writeRecord(unsigned accepted)
{
    // A new record appears whole; the updates after each part are written over it in place,
    // which costs the send road less time per part (a torn one fails its check: sent whole).
    const spool::SendRecord record{reference_, mode_, parts_, accepted, spool::sendDigest(number_, partTexts_)};
    const std::string path = current_ + spool::kSendRecordSuffix;
    const std::string bytes = spool::formatSendRecord(record);
    return (accepted > 0 && files_.overwriteDurably(path, bytes)) || files_.writeDurably(path, bytes);
}

bool CSmsManager::SplitRecipients(const std::string& text, size_t restStart, const std::vector<std::string>& pieces,
                                  const std::string& tail)
{
    // Either every further recipient gets its file, or none does and the file waits.
    std::vector<std::string> written;
    for (const std::string& piece : pieces) {
        const std::string path = files_.createUnique(outbox_, "SMS");
        if (path.empty() || !files_.writeDurably(path, piece + tail)) {
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
    // Replaced whole or not at all: a file cut short by a crash would lose the message.
    if (!files_.writeDurably(current_, text.substr(0, restStart) + tail))
        Trace("Datei nicht gekuerzt: " + current_);
    return true;
}

void CSmsManager::SendNextPart()
{
    ++sent_;
    const std::string& part = partTexts_[parts_ - sent_];
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

void CSmsManager::resendPart()
{
    if (sent_ >= 1)
        --sent_;
    SendNextPart();
}

void CSmsManager::setAside(bool report)
{
    const std::string aside = current_ + ".err";
    sending_ = false;
    awaitingVerdict_ = waitingForPhone_ = false;
    if (files_.rename(current_, aside)) {
        files_.remove(current_ + spool::kSendRecordSuffix);
        Trace("Datei beiseite gelegt: " + aside);
    } else {
        // Kept with its record: the next run goes on where this one stopped.
        const size_t slash = current_.find_last_of('/');
        refused_.insert(current_.substr(slash == std::string::npos ? 0 : slash + 1));
        Trace("Datei nicht umbenannt, bleibt liegen: " + current_);
    }
    if (report) {
        char buffer[1024];
        std::snprintf(buffer, sizeof buffer, loadString(61264).c_str(), partTexts_[parts_ - sent_].c_str(), reference_,
                      static_cast<int>(sent_));
        dialogs_.messageBox(false, buffer, loadString(61265), kBoxExclamation);
    }
    sendArmed_ = true;
}

void CSmsManager::askPhoneState()
{
    // -1: a check is under way already; its answer comes all the same.
    engine_.ATStatusCheck(host_, WM_STATUS_CHECK_DONE);
}

void CSmsManager::OnPartSent(int result)
{
    if (!sending_ || awaitingVerdict_ || waitingForPhone_)
        return; // an answer for a file already finished or set aside, or not waited for
    if (result != 0) {
        // Whether this was a try depends on whether the phone answers at all: asked first.
        Trace("Teil nicht gesendet, Telefon wird geprueft");
        awaitingVerdict_ = true;
        askPhoneState();
        return;
    }
    tries_ = 0;
    if (!writeRecord(sent_))
        Trace("Sendeprotokoll nicht fortgeschrieben: " + current_);
    if (sent_ < parts_) {
        SendNextPart();
        return;
    }
    finishFile();
}

void CSmsManager::OnPhoneStatus(int phoneStatus, int /*result*/)
{
    if (!sending_ || !(awaitingVerdict_ || waitingForPhone_))
        return;
    const bool ready = phoneStateFor(phoneStatus) == PHONESTATE_READY;
    if (waitingForPhone_) {
        if (!ready)
            return;
        waitingForPhone_ = false;
        Trace("Telefon wieder bereit, Teil geht erneut");
        resendPart();
        return;
    }
    awaitingVerdict_ = false;
    if (!ready) {
        // A phone that is gone or not ready has refused nothing: the part waits for it.
        waitingForPhone_ = true;
        Trace("Telefon nicht bereit, Senden wartet");
        return;
    }
    // The phone answers, so it (or its network) refused the part.
    if (++tries_ >= kMaxTries) {
        Trace(format("Teil nach %d Versuchen nicht gesendet", kMaxTries));
        setAside(true);
        return;
    }
    resendPart();
}

void CSmsManager::finishFile()
{
    sending_ = false;
    removeFile(current_);
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
    return minuteOf(clock_.now());
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
            // A single SMS is held as a message of one part: the pass below delivers it.
            const std::uint64_t key = smsKey(record);
            bool stored = true;
            if (store_.wasDelivered(key))
                Trace("Bereits gespeichert, nur loeschen");
            else
                stored = holdPart(record);
            if (stored) {
                lastReadKey_ = key;
                if (engine_.ATSMDel(host_, WM_SMS_DELETE_DONE) < 0) {
                    dialogs_.messageBox(false, loadString(61266), loadString(61267), kBoxExclamation);
                    receiveArmed_ = true;
                }
            } else {
                // Left on the phone: the next poll reads it again.
                receiveArmed_ = true;
                Trace("Eingang nicht schreibbar, SMS bleibt auf dem Telefon");
            }
        }
    } else if (result == -2) {
        // Nothing unread is left on the phone: no copy of a delivered message can come back.
        store_.forgetAll();
        receiveArmed_ = true;
        Trace("Start Timer READ nach  Status = NOMSG");
    } else {
        receiveArmed_ = true;
        Trace("Start Timer READ nach  Status = ERROR");
    }
    store_.moveWaiting();
    expiryPass();
}

void CSmsManager::OnMessageDeleted(int result)
{
    if (result == -1) {
        // Stored already: read again, it is only deleted. Reported once per message, not at
        // every poll that finds it still there.
        if (!hasFailedDelete_ || failedDeleteKey_ != lastReadKey_)
            dialogs_.messageBox(false, loadString(61266), loadString(61267), kBoxExclamation);
        failedDeleteKey_ = lastReadKey_;
        hasFailedDelete_ = true;
        receiveArmed_ = true;
        Trace("Start Timer READ nach fehlgeschlagenem Loeschen");
        return;
    }
    hasFailedDelete_ = false;
    store_.forget(lastReadKey_);
    receiveArmed_ = true;
    Trace("Start Timer READ nach Message empfangen");
}

bool CSmsManager::holdPart(const SmsRecord& record)
{
    // Parts meet by sender and reference; a single SMS only meets itself, read again.
    const bool single = record.total <= 1;
    const std::uint64_t key = smsKey(record);
    CMessage* message = nullptr;
    for (auto& pending : pending_) {
        const bool same = single ? pending->parts.size() == 1 && pending->parts[0].key == key
                                 : pending->total > 1 && pending->sender == record.sender &&
                                       pending->reference == record.reference;
        if (same) {
            message = pending.get();
            break;
        }
    }
    if (message && message->hasPart(record.sequence))
        return true; // stored already; completion is found by the pass after this answer
    const std::int64_t now = clock_.now();
    std::unique_ptr<CMessage> created;
    if (!message) {
        created = std::make_unique<CMessage>();
        created->sender = record.sender;
        created->reference = record.reference;
        created->total = std::max(record.total, 1);
        created->timeStamp = record.timeStamp;
        created->minuteStamp = MinuteStamp();
        created->firstArrival = now;
        created->storeId = store_.newId();
        message = created.get();
    }
    const StoredPart part{record.sender, record.reference, record.total, record.sequence,
                          record.timeStamp, now,           record.text};
    if (!store_.storePart(message->storeId, part))
        return false;
    message->addPart(record.sequence, record.text, key);
    if (created)
        pending_.push_back(std::move(created));
    return true;
}

void CSmsManager::takeBackStore()
{
    const std::int64_t keepFrom = clock_.now() - static_cast<std::int64_t>(waitMinutes_) * 60;
    for (SmsPartsStore::Message& stored : store_.takeBack(clock_.now(), keepFrom)) {
        if (std::any_of(pending_.begin(), pending_.end(), [&](const auto& m) { return m->storeId == stored.id; }))
            continue; // held already (the settings were applied again)
        const StoredPart& first = *std::min_element(stored.parts.begin(), stored.parts.end(),
                                                    [](const StoredPart& a, const StoredPart& b) {
                                                        return a.arrival < b.arrival;
                                                    });
        auto message = std::make_unique<CMessage>();
        message->sender = first.sender;
        message->reference = first.reference;
        message->total = std::max(first.total, 1);
        message->timeStamp = first.timeStamp;
        message->firstArrival = first.arrival;
        message->minuteStamp = minuteOf(first.arrival);
        message->storeId = stored.id;
        for (const StoredPart& part : stored.parts)
            message->addPart(part.sequence, part.text, smsKey(part));
        Trace("Teile aus dem Speicher zurueck: " + message->sender);
        pending_.push_back(std::move(message));
    }
}

CSmsManager::Assembled CSmsManager::AssembleMessage(CMessage& message, bool trim)
{
    // Joined from a copy: should the file not be written, the parts stay for the next try.
    CMessage joined = message;
    joined.SortParts();
    joined.JoinParts();
    joined.text = spool::FilterSmsText(joined.text);
    if (trim)
        joined.text = spool::trim(joined.text);
    // A single SMS is written even when its text is empty; a joined message is not.
    if (joined.text.empty() && message.total > 1) {
        std::vector<int> sequences;
        for (const CSMText& part : message.parts)
            sequences.push_back(part.sequence);
        store_.discard(message.storeId, sequences);
        return Assembled::Empty;
    }
    return WriteIncoming(message.storeId, joined.sender, joined.text, joined.timeStamp, message.parts)
               ? Assembled::Written
               : Assembled::NotWritten;
}

void CSmsManager::expiryPass()
{
    // Message boxes run a loop that may hand over further answers: no second pass meanwhile.
    if (inExpiryPass_)
        return;
    inExpiryPass_ = true;
    store_.forgetBefore(clock_.now() - static_cast<std::int64_t>(waitMinutes_) * 60);
    std::vector<std::unique_ptr<CMessage>> keep;
    int expiredWritten = 0;
    std::vector<std::unique_ptr<CMessage>> list;
    list.swap(pending_);
    for (auto& message : list) {
        const bool complete = message->isComplete();
        const bool expired = !complete && IsExpired(*message);
        if ((complete || expired) && AssembleMessage(*message) != Assembled::NotWritten) {
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

bool CSmsManager::WriteIncoming(const std::string& storeId, const std::string& sender, const std::string& text,
                                int timeStamp, const std::vector<CSMText>& parts)
{
    const std::time_t stamp = static_cast<std::time_t>(timeStamp);
    std::tm local{};
    localtime_r(&stamp, &local);
    const spool::InboxDate date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
    std::vector<int> sequences;
    std::vector<std::uint64_t> keys;
    for (const CSMText& part : parts) {
        sequences.push_back(part.sequence);
        keys.push_back(part.key);
    }
    return store_.deliver(storeId, sequences, keys, spool::inboxFile(sender, text, date, loadString(61252)),
                          clock_.now());
}

} // namespace corvant

#include "mainprog/core/SmsPartsStore.h"

#include "mainprog/core/SpoolRecord.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace corvant {

namespace {

constexpr char kPartKind[] = "torvane sms part";
constexpr char kDeliveredKind[] = "torvane sms delivered";
constexpr char kPartSuffix[] = ".part";
constexpr char kOutSuffix[] = ".out";
constexpr char kDoneSuffix[] = ".done";
constexpr char kNewSuffix[] = ".new"; // a durable write that never got renamed into place
constexpr char kBadSuffix[] = ".bad";
constexpr std::size_t kMaxRecordBytes = 8192;
constexpr std::size_t kMaxKeys = 255;

constexpr long long kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr long long kTimeLimit = 1'000'000'000'000'000ll; // far beyond any clock

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::uint64_t keyOf(const std::string& sender, int reference, int total, int sequence, int timeStamp,
                    const std::string& text)
{
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%d,%d,%d,%d,", reference, total, sequence, timeStamp);
    std::uint64_t key = spool::fnv1a64(std::to_string(sender.size()) + ":" + sender);
    key = spool::fnv1a64(numbers, key);
    return spool::fnv1a64(text, key);
}

// "<id>-<sequence>.part", "<id>.out" or "<id>.done": the message id, or empty for other names.
std::string idOf(const std::string& name)
{
    for (const char* suffix : {kOutSuffix, kDoneSuffix})
        if (endsWith(name, suffix))
            return name.substr(0, name.size() - std::char_traits<char>::length(suffix));
    if (endsWith(name, kPartSuffix)) {
        const size_t dash = name.find('-');
        return dash == std::string::npos ? std::string() : name.substr(0, dash);
    }
    return {};
}

} // namespace

std::uint64_t smsKey(const SmsRecord& r)
{
    return keyOf(r.sender, r.reference, r.total, r.sequence, r.timeStamp, r.text);
}

std::uint64_t smsKey(const StoredPart& p)
{
    return keyOf(p.sender, p.reference, p.total, p.sequence, p.timeStamp, p.text);
}

namespace spool {

std::string formatPart(const StoredPart& part)
{
    RecordWriter w(kPartKind);
    w.bytes("sender", part.sender);
    w.number("reference", part.reference);
    w.number("total", part.total);
    w.number("sequence", part.sequence);
    w.number("stamp", part.timeStamp);
    w.number("arrival", part.arrival);
    w.bytes("text", part.text);
    return w.finish();
}

std::optional<StoredPart> parsePart(const std::string& bytes, std::string* why)
{
    RecordReader r(bytes, kPartKind);
    StoredPart part;
    long long reference = 0, total = 0, sequence = 0, stamp = 0, arrival = 0;
    r.bytes("sender", 64, part.sender);
    r.number("reference", 0, 65535, reference);
    r.number("total", 0, 255, total);
    r.number("sequence", 0, 255, sequence);
    r.number("stamp", kInt32Min, kInt32Max, stamp);
    r.number("arrival", -kTimeLimit, kTimeLimit, arrival);
    r.bytes("text", 1024, part.text);
    if (!r.end()) {
        if (why)
            *why = r.why();
        return std::nullopt;
    }
    part.reference = static_cast<int>(reference);
    part.total = static_cast<int>(total);
    part.sequence = static_cast<int>(sequence);
    part.timeStamp = static_cast<int>(stamp);
    part.arrival = arrival;
    return part;
}

std::string formatDelivered(const DeliveredNote& note)
{
    RecordWriter w(kDeliveredKind);
    w.number("at", note.at);
    w.number("keys", static_cast<long long>(note.keys.size()));
    for (std::uint64_t key : note.keys)
        w.hex("key", key);
    return w.finish();
}

std::optional<DeliveredNote> parseDelivered(const std::string& bytes, std::string* why)
{
    RecordReader r(bytes, kDeliveredKind);
    DeliveredNote note;
    long long count = 0, at = 0;
    r.number("at", -kTimeLimit, kTimeLimit, at);
    r.number("keys", 1, kMaxKeys, count);
    for (long long i = 0; i < count && r.ok(); ++i) {
        std::uint64_t key = 0;
        if (r.hex("key", key))
            note.keys.push_back(key);
    }
    if (!r.end()) {
        if (why)
            *why = r.why();
        return std::nullopt;
    }
    note.at = at;
    return note;
}

} // namespace spool

SmsPartsStore::SmsPartsStore(SpoolFileSystem& files, Trace trace) : files_(files), trace_(std::move(trace)) {}

void SmsPartsStore::open(const std::string& inbox)
{
    inbox_ = inbox;
    folder_ = inbox + "parts/";
    files_.ensureDirectory(folder_);
}

void SmsPartsStore::makeFolderOf(const std::string& id)
{
    // Made again before every write: the inbox may not have been writable when the store was
    // opened, or the folder may have been removed since; neither may keep parts off the disk,
    // and with them the messages on the phone, until the program is started again. A message
    // keeps the folder it began in (the spool folder may have been changed since).
    const std::string folder = id.substr(0, id.rfind('/') + 1);
    if (folder.size() < 2)
        return;
    files_.ensureDirectory(folder.substr(0, folder.rfind('/', folder.size() - 2) + 1));
    files_.ensureDirectory(folder);
}

std::string SmsPartsStore::partPath(const std::string& id, int sequence) const
{
    return id + "-" + std::to_string(sequence) + kPartSuffix;
}

void SmsPartsStore::setAside(const std::string& path, const std::string& why)
{
    // Whatever it still holds is the user's: kept, never deleted.
    files_.rename(path, path + kBadSuffix);
    trace_("Teilespeicher: " + path + " unlesbar (" + why + "), beiseite gelegt");
}

bool SmsPartsStore::moveOut(const std::string& outPath)
{
    if (!files_.moveToUnique(outPath, inbox_, "SMS").empty())
        return true;
    waiting_ = true;
    trace_("Eingang nicht schreibbar, Nachricht wartet: " + outPath);
    return false;
}

std::vector<SmsPartsStore::Message> SmsPartsStore::takeBack(std::int64_t now, std::int64_t forgetBefore)
{
    // Every file of the store by the message it belongs to.
    struct Files {
        std::vector<std::string> parts;
        bool out = false;
        bool done = false;
    };
    std::map<std::string, Files> byId;
    for (const std::string& name : files_.matching(folder_, "*")) {
        if (endsWith(name, kNewSuffix)) {
            files_.remove(folder_ + name); // never committed: the old state stands
            continue;
        }
        const std::string id = idOf(name);
        if (id.empty())
            continue; // set aside before, or not the store's
        Files& f = byId[id];
        if (endsWith(name, kPartSuffix))
            f.parts.push_back(name);
        else if (endsWith(name, kOutSuffix))
            f.out = true;
        else
            f.done = true;
    }

    std::vector<Message> messages;
    for (const auto& [id, f] : byId) {
        std::optional<spool::DeliveredNote> note;
        const std::string donePath = folder_ + id + kDoneSuffix;
        if (f.done) {
            std::string bytes, why;
            if (files_.readAll(donePath, kMaxRecordBytes, bytes) == SpoolFileSystem::Read::Ok)
                note = spool::parseDelivered(bytes, &why);
            else
                why = "not readable";
            if (!note)
                setAside(donePath, why);
        }
        std::vector<std::pair<std::string, StoredPart>> parts;
        for (const std::string& name : f.parts) {
            const std::string path = folder_ + name;
            std::string bytes, why;
            std::optional<StoredPart> part;
            if (files_.readAll(path, kMaxRecordBytes, bytes) == SpoolFileSystem::Read::Ok)
                part = spool::parsePart(bytes, &why);
            else
                why = "not readable";
            if (part)
                parts.emplace_back(path, *part);
            else
                setAside(path, why);
        }
        if (f.out && !note) {
            // Cut short between its inbox file and its note: the note is made from the parts,
            // which stay until it is written.
            spool::DeliveredNote made{now, {}};
            for (const auto& [path, part] : parts)
                made.keys.push_back(smsKey(part));
            if (made.keys.empty() || !files_.writeDurably(donePath, spool::formatDelivered(made))) {
                trace_("Zustellung nicht abzuschliessen, bleibt im Speicher: " + id);
                continue;
            }
            note = made;
        }
        Message message{folder_ + id, {}};
        for (const auto& [path, part] : parts) {
            // Parts of a delivered message are left over when a crash came before their removal.
            if (note && std::count(note->keys.begin(), note->keys.end(), smsKey(part)))
                files_.remove(path);
            else
                message.parts.push_back(part);
        }
        if (f.out)
            moveOut(folder_ + id + kOutSuffix);
        if (note) {
            if (note->at < forgetBefore)
                files_.remove(donePath);
            else
                delivered_[donePath] = *note;
        }
        if (!message.parts.empty())
            messages.push_back(std::move(message));
    }
    return messages;
}

std::string SmsPartsStore::newId()
{
    for (;;) {
        char id[16];
        std::snprintf(id, sizeof id, "M%08X", nextId_++);
        if (files_.matching(folder_, std::string(id) + "*").empty())
            return folder_ + id;
    }
}

bool SmsPartsStore::storePart(const std::string& id, const StoredPart& part)
{
    makeFolderOf(id);
    return files_.writeDurably(partPath(id, part.sequence), spool::formatPart(part));
}

void SmsPartsStore::discard(const std::string& id, const std::vector<int>& sequences)
{
    for (int sequence : sequences)
        files_.remove(partPath(id, sequence));
}

bool SmsPartsStore::deliver(const std::string& id, const std::vector<int>& sequences,
                            const std::vector<std::uint64_t>& keys, const std::string& inboxBytes, std::int64_t now)
{
    makeFolderOf(id);
    const std::string outPath = id + kOutSuffix;
    if (!files_.writeDurably(outPath, inboxBytes))
        return false;
    // Without its note a copy the phone still holds would be delivered again: no delivery.
    const std::string donePath = id + kDoneSuffix;
    const spool::DeliveredNote note{now, keys};
    if (!files_.writeDurably(donePath, spool::formatDelivered(note))) {
        files_.remove(outPath);
        return false;
    }
    delivered_[donePath] = note;
    discard(id, sequences);
    moveOut(outPath);
    return true;
}

void SmsPartsStore::moveWaiting()
{
    if (!waiting_)
        return;
    waiting_ = false;
    for (const std::string& name : files_.matching(folder_, std::string("*") + kOutSuffix))
        moveOut(folder_ + name);
}

bool SmsPartsStore::wasDelivered(std::uint64_t key) const
{
    for (const auto& [path, note] : delivered_)
        if (std::count(note.keys.begin(), note.keys.end(), key))
            return true;
    return false;
}

void SmsPartsStore::dropNote(std::map<std::string, spool::DeliveredNote>::iterator it)
{
    files_.remove(it->first);
    delivered_.erase(it);
}

void SmsPartsStore::forget(std::uint64_t key)
{
    // The note goes with its last key; until then its file keeps them all, which can only make
    // a copy that is gone already count as delivered.
    for (auto it = delivered_.begin(); it != delivered_.end();) {
        auto next = std::next(it);
        std::vector<std::uint64_t>& keys = it->second.keys;
        keys.erase(std::remove(keys.begin(), keys.end(), key), keys.end());
        if (keys.empty())
            dropNote(it);
        it = next;
    }
}

void SmsPartsStore::forgetAll()
{
    while (!delivered_.empty())
        dropNote(delivered_.begin());
}

void SmsPartsStore::forgetBefore(std::int64_t time)
{
    for (auto it = delivered_.begin(); it != delivered_.end();) {
        auto next = std::next(it);
        if (it->second.at < time)
            dropNote(it);
        it = next;
    }
}

} // namespace corvant

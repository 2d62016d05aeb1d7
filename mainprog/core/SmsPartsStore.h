// Where the receive road keeps what it has taken off the phone and not yet put into the inbox:
// the parts of concatenated messages still being received, and the inbox files on their way
// into "sms_in". It lives in the inbox's folder "parts/", which the gateway alone uses:
//
//   <id>-<sequence>.part  one part, written whole and flushed before the phone's copy is deleted
//   <id>.out              the inbox file of a message being delivered, moved into the inbox whole
//   <id>.done             the keys of a delivered message's parts, so that a copy the phone still
//                         holds (its deletion was not confirmed before the program ended) is only
//                         deleted when it is read again, not delivered a second time
//
// A single SMS is stored as a part of one like any other. A delivery writes .out, then .done,
// removes the parts and moves .out into the inbox; whichever step a crash interrupts, the next
// start finishes it (a .out without its note gets one made from the parts, which are removed only
// after it), so a message reaches the inbox once.
#pragma once

#include "mainprog/core/SmsSeams.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvant {

// One received part as the store keeps it.
struct StoredPart {
    std::string sender;
    int reference = 0;
    int total = 0;
    int sequence = 0;
    int timeStamp = 0;        // of this part, seconds since 1970
    std::int64_t arrival = 0; // when it was taken off the phone, absolute seconds
    std::string text;
    bool operator==(const StoredPart&) const = default;
};

// What tells one read SMS from another: sender, concatenation numbers, time stamp and text.
std::uint64_t smsKey(const SmsRecord& record);
std::uint64_t smsKey(const StoredPart& part);

namespace spool {

struct DeliveredNote {
    std::int64_t at = 0; // when it was delivered
    std::vector<std::uint64_t> keys;
    bool operator==(const DeliveredNote&) const = default;
};

std::string formatPart(const StoredPart& part);
std::optional<StoredPart> parsePart(const std::string& bytes, std::string* why = nullptr);
std::string formatDelivered(const DeliveredNote& note);
std::optional<DeliveredNote> parseDelivered(const std::string& bytes, std::string* why = nullptr);

} // namespace spool

class SmsPartsStore {
public:
    using Trace = std::function<void(const std::string&)>;

    SmsPartsStore(SpoolFileSystem& files, Trace trace);

    // The store of this inbox folder (its "parts/"), created when missing, and again whenever a
    // write finds it missing.
    void open(const std::string& inbox);

    // A message's id is the path of its files without their endings, so that a message keeps its
    // files when the spool folder is changed while it is being received.
    struct Message {
        std::string id;
        std::vector<StoredPart> parts; // in the order of their file names
    };
    // What the store holds: the messages still being received. Deliveries a crash cut short
    // are finished first; notes of deliveries older than `forgetBefore` are dropped; a file that
    // cannot be read is kept aside as "<name>.bad" and traced, never deleted.
    std::vector<Message> takeBack(std::int64_t now, std::int64_t forgetBefore);

    // A name for a new message that no file of the store uses.
    std::string newId();
    bool storePart(const std::string& id, const StoredPart& part);
    // The parts of a message given up without an inbox file.
    void discard(const std::string& id, const std::vector<int>& sequences);

    // True once the message's inbox file is safe in the store: it is in the inbox now, or waits
    // for the next moveWaiting() when the inbox cannot take it yet.
    bool deliver(const std::string& id, const std::vector<int>& sequences, const std::vector<std::uint64_t>& keys,
                 const std::string& inboxBytes, std::int64_t now);
    void moveWaiting();
    bool hasWaiting() const { return waiting_; }

    bool wasDelivered(std::uint64_t key) const;
    // The phone no longer holds the message of this key (or nothing unread at all, or nothing
    // delivered before `time`).
    void forget(std::uint64_t key);
    void forgetAll();
    void forgetBefore(std::int64_t time);

private:
    // The folder of a message's files and the inbox it lies in, made when missing.
    void makeFolderOf(const std::string& id);
    std::string partPath(const std::string& id, int sequence) const;
    bool moveOut(const std::string& outPath);
    void setAside(const std::string& path, const std::string& why);
    void dropNote(std::map<std::string, spool::DeliveredNote>::iterator it);

    SpoolFileSystem& files_;
    Trace trace_;
    std::string inbox_;
    std::string folder_;
    std::map<std::string, spool::DeliveredNote> delivered_; // by the path of their .done
    bool waiting_ = false;
    unsigned nextId_ = 0;
};

} // namespace corvant

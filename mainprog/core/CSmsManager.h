// The SMS gateway between the spool folders and the phone. Send road: a file dropped into
// "sms_out" is read, split by recipient, merged, filtered, cut into parts and handed to the
// engine last part first; it is deleted when all parts went through. Receive road: the phone is
// read one message at a time; a single SMS goes straight into "sms_in", parts are held until
// their message is complete (or waited too long) and written as one file.
//
// No message is lost or sent twice because of the gateway, also across a restart: a message
// leaves the phone only after it is stored on the disk (a single SMS in the inbox, a part in the
// inbox's parts store, SmsPartsStore.h); a spool file leaves the outbox only after its last part
// went, or is set aside as "<name>.err" when the phone refused a part three times, and a record
// beside it (SmsSendRecord.h) lets a restart go on with the next part under the same reference.
// A part that fails while the phone does not answer at all is no try: the send road waits for
// the phone to be ready again.
#pragma once

#include "mainprog/core/SmsManagerHooks.h"
#include "mainprog/core/SmsPartsStore.h"
#include "mainprog/core/SmsSeams.h"
#include "platform/registry/AppProfile.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace corvant {

// One part of a received concatenated message.
struct CSMText {
    int sequence = 0;
    std::string text;
    std::uint64_t key = 0; // smsKey of the part as it was read
};

// A received message being assembled.
class CMessage {
public:
    std::uint16_t minuteStamp = 0;
    std::vector<CSMText> parts;
    int reference = 0;
    int total = 0;
    int timeStamp = 0;
    std::string text;
    std::string sender;
    std::int64_t firstArrival = 0; // absolute seconds, for the waiting period
    std::string storeId;            // its name in the parts store

    // Adds a part unless its sequence number is held already; false for a duplicate.
    bool addPart(int sequence, const std::string& partText, std::uint64_t key = 0);
    bool hasPart(int sequence) const;
    // All sequence numbers 1..total are held.
    bool isComplete() const;
    // Every part held, in ascending sequence order (each number once).
    void SortParts();
    // text = the parts' texts in list order; the parts list ends empty.
    void JoinParts();
};

class CSmsManager : public SmsManagerHooks {
public:
    static constexpr int kMaxTries = 3;

    CSmsManager(SmsEngine& engine, SpoolFileSystem& files, SmsDialogs& dialogs, SmsClock& clock,
                torvane::registry::AppProfile profile, HWND hostWindow,
                std::string tracePath = "Mapitest.log");
    ~CSmsManager() override;

    bool receivePollArmed() const override { return receiveArmed_; }
    // While a part waits for the phone the poll's tick asks for its state instead of scanning.
    bool sendPollArmed() const override { return sendArmed_ || awaitingVerdict_ || waitingForPhone_; }
    void RequestRead() override;
    void ScanOutbox() override;
    void OnPartSent(int result) override;
    void OnMessageRead(int result) override;
    void OnMessageDeleted(int result) override;
    void OnPhoneStatus(int phoneStatus, int result) override;
    void Configure() override;

    const std::string& outboxDirectory() const { return outbox_; }
    const std::string& inboxDirectory() const { return inbox_; }
    size_t pendingCount() const { return pending_.size(); }

    bool IsExpired(const CMessage& message);
    std::uint16_t MinuteStamp();
    void Trace(const std::string& text);

private:
    void LoadOutgoing(const std::string& name);
    bool SplitRecipients(const std::string& text, size_t restStart, const std::vector<std::string>& pieces,
                         const std::string& tail);
    bool resumeFromRecord();
    bool writeRecord(unsigned accepted);
    void removeFile(const std::string& path);
    void SendNextPart();
    void resendPart();
    void setAside(bool report);
    void finishFile();
    void askPhoneState();
    bool holdPart(const SmsRecord& record);
    bool WriteIncoming(const std::string& storeId, const std::string& sender, const std::string& text, int timeStamp,
                       const std::vector<CSMText>& parts);
    enum class Assembled { Written, Empty, NotWritten };
    // trim: blanks at both ends of the joined text are dropped (at exit).
    Assembled AssembleMessage(CMessage& message, bool trim = false);
    void takeBackStore();
    void expiryPass();
    bool mapiLog() const;

    SmsEngine& engine_;
    SpoolFileSystem& files_;
    SmsDialogs& dialogs_;
    SmsClock& clock_;
    torvane::registry::AppProfile profile_;
    HWND host_;
    std::string tracePath_;

    int mode_ = -1;
    bool receiveArmed_ = false;
    bool sendArmed_ = false;
    std::string number_;
    unsigned parts_ = 0;
    std::vector<std::string> partTexts_; // by sequence number, from 1
    int reference_ = 0;
    unsigned sent_ = 0;
    int tries_ = 0; // refusals of the part under way
    bool sending_ = false;
    bool awaitingVerdict_ = false; // a part failed: does the phone answer at all?
    bool waitingForPhone_ = false; // it did not: the part goes again once it is ready
    std::vector<std::unique_ptr<CMessage>> pending_;
    std::string current_;
    std::string outbox_;
    std::string inbox_;
    int waitMinutes_ = 60;
    int preview_ = 1;
    unsigned maxParts_ = 1;

    // Outbox files passed over for now (unreadable) and for this run (too large, cannot be moved).
    std::set<std::string> skipped_;
    std::set<std::string> refused_;
    SmsPartsStore store_;
    std::uint64_t lastReadKey_ = 0;      // the message whose deletion is under way
    std::uint64_t failedDeleteKey_ = 0;  // reported already when its deletion fails again
    bool hasFailedDelete_ = false;
    bool inExpiryPass_ = false;
};

} // namespace corvant

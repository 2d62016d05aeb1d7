// The personal address book as the phonebook editor reaches it: a library instance that is
// initialised and logged on to, a session that opens the address book, the address book that
// names its personal root container and opens entries by identifier, and the containers,
// tables and entries of Prop.h and Table.h. Objects are shared pointers; letting the last one
// go releases the object. Every call returns a result code (negative: failure) and can be
// made to fail through Faults.
//
// The store behind it is a folder of vCard files (CardFolder.h): one contact card per entry, a
// group card per distribution list whose members are the cards it names, the entry's comment
// as the card's note.
#pragma once

#include "platform/mapi/CardFolder.h"
#include "platform/mapi/MapiContext.h"
#include "platform/mapi/MapiFaults.h"
#include "platform/mapi/MapiTypes.h"
#include "platform/mapi/Prop.h"
#include "platform/mapi/Table.h"

#include <filesystem>
#include <memory>

namespace torvane::mapi {

class AddrBook : public Object {
public:
    explicit AddrBook(std::shared_ptr<detail::Context> context);

    // The personal root container's identifier.
    HRESULT GetPAB(EntryId& id);
    // The root (its id, or an empty id), a list (as a Container) or an entry. objectType gets
    // PR_OBJECT_TYPE's value. MAPI_E_NOT_FOUND for a card that is gone or no longer readable,
    // MAPI_E_INVALID_ENTRYID for bytes that are no identifier of ours.
    HRESULT OpenEntry(const EntryId& id, ULONG flags, ULONG& objectType, std::shared_ptr<Prop>& object);
};

class Session : public Object {
public:
    explicit Session(std::shared_ptr<detail::Context> context);

    HRESULT OpenAddressBook(ULONG flags, std::shared_ptr<AddrBook>& addressBook);
    HRESULT Logoff(ULONG flags);
};

class Mapi {
public:
    // faults null: a set of its own (see faults()).
    explicit Mapi(std::filesystem::path folder = CardFolder::defaultPath(), std::shared_ptr<Faults> faults = nullptr);

    // Each MAPIInitialize that succeeds wants one MAPIUninitialize.
    HRESULT MAPIInitialize();
    // MAPI_E_NOT_INITIALIZED before MAPIInitialize; MAPI_E_LOGON_FAILED when the folder is
    // something else than a folder.
    HRESULT MAPILogonEx(ULONG flags, std::shared_ptr<Session>& session);
    void MAPIUninitialize();

    bool initialized() const { return context_->initializeCount > 0; }
    // Objects handed out and not released yet.
    int liveObjects() const { return context_->liveObjects; }
    Faults& faults() { return *context_->faults; }
    const CardFolder& folder() const { return context_->folder; }

private:
    std::shared_ptr<detail::Context> context_;
};

} // namespace torvane::mapi

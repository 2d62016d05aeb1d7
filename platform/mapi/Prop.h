// The objects of the address book that have properties: its root container, distribution
// lists (group cards, which are containers of their members) and entries (contact cards).
//
// Properties of an entry: PR_ENTRYID, PR_OBJECT_TYPE, PR_DISPLAY_NAME_A (the card's FN),
// PR_PRIMARY_TELEPHONE_NUMBER_A (its preferred TEL), PR_ADDRTYPE_A ("SMTP"; "MAPIPDL" for a
// list), PR_EMAIL_ADDRESS_A (EMAIL) and PR_COMMENT_A (NOTE), each present when the card has it.
// Changes wait in the object until SaveChanges, which applies them to the card as the folder
// holds it then, so that what another program changed meanwhile is kept.
#pragma once

#include "platform/mapi/MapiContext.h"
#include "platform/mapi/MapiTypes.h"
#include "platform/mapi/Table.h"
#include "platform/mapi/VCard.h"

#include <memory>
#include <string>
#include <vector>

namespace torvane::mapi {

class Prop : public Object {
public:
    enum class Kind { Root, MailUser, DistList };

    // Made by the layer (AddrBook::OpenEntry, Container::CreateEntry).
    Prop(std::shared_ptr<detail::Context> context, Kind kind, std::string fileName, vcard::Card card);

    Kind kind() const { return kind_; }
    LONG objectType() const;

    // tags null: every property the object has. With tags, the values in that order, a missing
    // one as PT_ERROR MAPI_E_NOT_FOUND, and the result MAPI_W_ERRORS_RETURNED.
    HRESULT GetProps(const std::vector<ULONG>* tags, std::vector<PropValue>& values);
    // Properties that cannot be set (computed ones, unknown ones) are listed in problems; the
    // others wait for SaveChanges.
    HRESULT SetProps(const std::vector<PropValue>& values, std::vector<PropProblem>* problems = nullptr);
    // Writes the waiting changes. A new entry created with a duplicate check fails with
    // MAPI_E_COLLISION when its container already holds an entry of the same display name.
    HRESULT SaveChanges(ULONG flags);
    // PR_CREATE_TEMPLATES of a container, as IID_IMAPITable: the templates for new entries.
    HRESULT OpenProperty(ULONG tag, const InterfaceId& iid, std::shared_ptr<Table>& table);

protected:
    // The card's properties as they would be saved now.
    std::vector<PropValue> currentProps() const;
    HRESULT saveNew();
    HRESULT saveExisting();
    // Applies the waiting values to a card; whether it changed.
    bool applyPending(vcard::Card& card) const;

    Kind kind_;
    std::string fileName_; // empty for the root and for an entry not saved yet
    vcard::Card card_;
    std::vector<PropValue> pending_;

    // For a new entry: the group card it goes into (empty: the root), the duplicate check.
    bool isNew_ = false;
    std::string parentGroup_;
    bool checkDuplicates_ = false;

    friend class Container;
};

class Container : public Prop {
public:
    using Prop::Prop;

    // The entries and lists of the container, sorted by display name: for the root every card
    // of the folder, for a list its members.
    HRESULT GetContentsTable(ULONG flags, std::shared_ptr<Table>& table);
    // templateId: a template of PR_CREATE_TEMPLATES, or the id of the root or of this list
    // (a plain entry). CREATE_CHECK_DUP_LOOSE or _STRICT makes SaveChanges refuse a display
    // name the container already holds.
    HRESULT CreateEntry(const EntryId& templateId, ULONG flags, std::shared_ptr<Prop>& entry);
    // From the root: the cards go (and leave every list). From a list: they leave the list.
    // Entries that are not there give MAPI_W_PARTIAL_COMPLETION.
    HRESULT DeleteEntries(const std::vector<EntryId>& ids, ULONG flags);
};

// The properties a card shows as an entry or list of the address book.
std::vector<PropValue> cardProps(const std::string& fileName, const vcard::Card& card);

} // namespace torvane::mapi

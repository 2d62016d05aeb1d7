#include "platform/mapi/Prop.h"

#include "platform/mapi/CardFields.h"
#include "platform/mapi/VCardText.h"

#include <algorithm>
#include <set>

namespace torvane::mapi {

namespace {

constexpr const char* kRootName = "Personal Address Book";
constexpr const char* kMailAddressType = "SMTP";
constexpr const char* kListAddressType = "MAPIPDL";

HRESULT loadFailure(CardFolder::Load load)
{
    switch (load) {
    case CardFolder::Load::Ok:
        return S_OK;
    case CardFolder::Load::Missing:
    case CardFolder::Load::NotUnderstood:
        return MAPI_E_NOT_FOUND;
    case CardFolder::Load::Failed:
        break;
    }
    return MAPI_E_DISK_ERROR;
}

std::string lowerLatin1(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// The rows of a container: every card for the root (group empty), the members of the group
// card otherwise; sorted by display name, then file name.
HRESULT containerRows(const detail::Context& context, const std::string& group, RowSet& rows)
{
    rows.clear();
    auto cards = context.folder.loadAll();
    if (!cards)
        return MAPI_E_DISK_ERROR;
    // The members by their uid as sameUid compares them, so that a list is matched in one pass.
    std::set<std::string> members;
    bool root = group.empty();
    if (!root) {
        const auto it = std::find_if(cards->begin(), cards->end(), [&](const StoredCard& c) { return c.fileName == group; });
        if (it == cards->end())
            return MAPI_E_NOT_FOUND;
        for (const std::string& member : readCardFields(it->card).members)
            if (std::string uid = lowerLatin1(normalUid(member)); !uid.empty())
                members.insert(std::move(uid));
    }
    struct Keyed {
        std::string key;
        std::string fileName;
        Row row;
    };
    std::vector<Keyed> keyed;
    for (const StoredCard& stored : *cards) {
        if (!root && !members.contains(lowerLatin1(cardUid(stored.card))))
            continue;
        const CardFields fields = readCardFields(stored.card);
        keyed.push_back({lowerLatin1(fields.displayName), stored.fileName, cardProps(stored.fileName, stored.card)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.fileName < b.fileName;
    });
    for (Keyed& k : keyed)
        rows.push_back(std::move(k.row));
    return S_OK;
}

RowSet templateRows()
{
    RowSet rows;
    rows.push_back({PropValue::string(PR_ADDRTYPE_A, kMailAddressType),
                    PropValue::binary(PR_ENTRYID, entryids::templateFor(kMailAddressType)),
                    PropValue::string(PR_DISPLAY_NAME_A, "Contact")});
    rows.push_back({PropValue::string(PR_ADDRTYPE_A, kListAddressType),
                    PropValue::binary(PR_ENTRYID, entryids::templateFor(kListAddressType)),
                    PropValue::string(PR_DISPLAY_NAME_A, "Distribution list")});
    return rows;
}

} // namespace

std::vector<PropValue> cardProps(const std::string& fileName, const vcard::Card& card)
{
    const CardFields fields = readCardFields(card);
    std::vector<PropValue> props;
    if (!fileName.empty())
        props.push_back(PropValue::binary(PR_ENTRYID, entryids::card(fileName)));
    props.push_back(PropValue::longValue(PR_OBJECT_TYPE, fields.group ? MAPI_DISTLIST : MAPI_MAILUSER));
    props.push_back(PropValue::string(PR_DISPLAY_NAME_A, fields.displayName));
    props.push_back(PropValue::string(PR_ADDRTYPE_A, fields.group ? kListAddressType : kMailAddressType));
    if (!fields.email.empty() && !fields.group)
        props.push_back(PropValue::string(PR_EMAIL_ADDRESS_A, fields.email));
    if (!fields.phone.empty())
        props.push_back(PropValue::string(PR_PRIMARY_TELEPHONE_NUMBER_A, fields.phone));
    if (!fields.note.empty())
        props.push_back(PropValue::string(PR_COMMENT_A, fields.note));
    return props;
}

Prop::Prop(std::shared_ptr<detail::Context> context, Kind kind, std::string fileName, vcard::Card card)
    : Object(std::move(context)), kind_(kind), fileName_(std::move(fileName)), card_(std::move(card))
{
}

LONG Prop::objectType() const
{
    switch (kind_) {
    case Kind::Root:
        return MAPI_ABCONT;
    case Kind::DistList:
        return MAPI_DISTLIST;
    case Kind::MailUser:
        break;
    }
    return MAPI_MAILUSER;
}

std::vector<PropValue> Prop::currentProps() const
{
    if (kind_ == Kind::Root) {
        return {PropValue::binary(PR_ENTRYID, entryids::root()), PropValue::longValue(PR_OBJECT_TYPE, MAPI_ABCONT),
                PropValue::string(PR_DISPLAY_NAME_A, kRootName)};
    }
    vcard::Card card = card_;
    applyPending(card);
    std::vector<PropValue> props = cardProps(fileName_, card);
    // The object is what it was opened or created as, even if the card says otherwise now.
    for (PropValue& value : props) {
        if (value.tag == PR_OBJECT_TYPE)
            value.l = objectType();
        if (value.tag == PR_ADDRTYPE_A)
            value.str = kind_ == Kind::DistList ? kListAddressType : kMailAddressType;
    }
    return props;
}

HRESULT Prop::GetProps(const std::vector<ULONG>* tags, std::vector<PropValue>& values)
{
    values.clear();
    if (const HRESULT hr = enter(Call::GetProps); hr != S_OK)
        return hr;
    std::vector<PropValue> props = currentProps();
    if (!tags) {
        values = std::move(props);
        return S_OK;
    }
    HRESULT result = S_OK;
    for (const ULONG tag : *tags) {
        const auto it = std::find_if(props.begin(), props.end(), [&](const PropValue& v) { return v.tag == tag; });
        if (it != props.end()) {
            values.push_back(*it);
        } else {
            values.push_back(PropValue::error(changePropType(tag, PT_ERROR), MAPI_E_NOT_FOUND));
            result = MAPI_W_ERRORS_RETURNED;
        }
    }
    return result;
}

HRESULT Prop::SetProps(const std::vector<PropValue>& values, std::vector<PropProblem>* problems)
{
    if (problems)
        problems->clear();
    if (const HRESULT hr = enter(Call::SetProps); hr != S_OK)
        return hr;
    const auto problem = [&](ULONG tag, HRESULT code) {
        if (problems)
            problems->push_back({tag, code});
    };
    for (const PropValue& value : values) {
        switch (value.tag) {
        case PR_DISPLAY_NAME_A:
        case PR_PRIMARY_TELEPHONE_NUMBER_A:
        case PR_COMMENT_A:
            break;
        case PR_EMAIL_ADDRESS_A:
            // A list has no address of its own.
            if (kind_ == Kind::MailUser)
                break;
            problem(value.tag, MAPI_E_COMPUTED);
            continue;
        case PR_ENTRYID:
        case PR_OBJECT_TYPE:
        case PR_ADDRTYPE_A:
            problem(value.tag, MAPI_E_COMPUTED);
            continue;
        default:
            problem(value.tag, MAPI_E_NO_SUPPORT);
            continue;
        }
        if (kind_ == Kind::Root) {
            problem(value.tag, MAPI_E_COMPUTED);
            continue;
        }
        std::erase_if(pending_, [&](const PropValue& p) { return p.tag == value.tag; });
        pending_.push_back(value);
    }
    return S_OK;
}

bool Prop::applyPending(vcard::Card& card) const
{
    bool changed = false;
    for (const PropValue& value : pending_) {
        switch (value.tag) {
        case PR_DISPLAY_NAME_A:
            changed = setDisplayName(card, value.str) || changed;
            break;
        case PR_PRIMARY_TELEPHONE_NUMBER_A:
            changed = setPrimaryPhone(card, value.str) || changed;
            break;
        case PR_COMMENT_A:
            changed = setNote(card, value.str) || changed;
            break;
        case PR_EMAIL_ADDRESS_A:
            changed = setEmail(card, value.str) || changed;
            break;
        default:
            break;
        }
    }
    return changed;
}

HRESULT Prop::SaveChanges(ULONG flags)
{
    (void)flags;
    if (const HRESULT hr = enter(Call::SaveChanges); hr != S_OK)
        return hr;
    if (kind_ == Kind::Root)
        return S_OK;
    return isNew_ ? saveNew() : saveExisting();
}

HRESULT Prop::saveNew()
{
    vcard::Card card = card_;
    applyPending(card);
    const CardFields fields = readCardFields(card);
    if (checkDuplicates_) {
        RowSet rows;
        if (const HRESULT hr = containerRows(*context_, parentGroup_, rows); failed(hr))
            return hr;
        for (const Row& row : rows) {
            const PropValue* name = findProp(row, PR_DISPLAY_NAME_A);
            if (name && name->str == fields.displayName)
                return MAPI_E_COLLISION;
        }
    }
    vcard::Card group = vcard::Card::create();
    if (!parentGroup_.empty() && context_->folder.load(parentGroup_, &group) != CardFolder::Load::Ok)
        return MAPI_E_NOT_FOUND;
    const std::string fileName = CardFolder::fileNameFor(fields.uid);
    if (!context_->folder.write(fileName, card))
        return MAPI_E_DISK_ERROR;
    if (!parentGroup_.empty() && addMember(group, fields.uid) && !context_->folder.write(parentGroup_, group)) {
        // Without its list the new card would be one the user never asked for.
        context_->folder.remove(fileName);
        return MAPI_E_DISK_ERROR;
    }
    fileName_ = fileName;
    card_ = std::move(card);
    pending_.clear();
    isNew_ = false;
    return S_OK;
}

HRESULT Prop::saveExisting()
{
    vcard::Card fresh = vcard::Card::create();
    if (const HRESULT hr = loadFailure(context_->folder.load(fileName_, &fresh)); failed(hr))
        return hr;
    if (applyPending(fresh) && !context_->folder.write(fileName_, fresh))
        return MAPI_E_DISK_ERROR;
    card_ = std::move(fresh);
    pending_.clear();
    return S_OK;
}

HRESULT Prop::OpenProperty(ULONG tag, const InterfaceId& iid, std::shared_ptr<Table>& table)
{
    table.reset();
    if (const HRESULT hr = enter(Call::OpenProperty); hr != S_OK)
        return hr;
    if (tag != PR_CREATE_TEMPLATES || !(iid == IID_IMAPITable) || kind_ == Kind::MailUser)
        return MAPI_E_NO_SUPPORT;
    table = std::make_shared<Table>(context_, templateRows());
    return S_OK;
}

HRESULT Container::GetContentsTable(ULONG flags, std::shared_ptr<Table>& table)
{
    (void)flags;
    table.reset();
    if (const HRESULT hr = enter(Call::GetContentsTable); hr != S_OK)
        return hr;
    RowSet rows;
    if (const HRESULT hr = containerRows(*context_, kind_ == Kind::Root ? std::string() : fileName_, rows); failed(hr))
        return hr;
    table = std::make_shared<Table>(context_, std::move(rows));
    return S_OK;
}

HRESULT Container::CreateEntry(const EntryId& templateId, ULONG flags, std::shared_ptr<Prop>& entry)
{
    entry.reset();
    if (const HRESULT hr = enter(Call::CreateEntry); hr != S_OK)
        return hr;
    const auto decoded = entryids::decode(templateId);
    if (!decoded)
        return MAPI_E_INVALID_ENTRYID;
    Kind kind = Kind::MailUser;
    switch (decoded->kind) {
    case entryids::Kind::Template:
        if (decoded->payload == kListAddressType)
            kind = Kind::DistList;
        else if (decoded->payload != kMailAddressType)
            return MAPI_E_INVALID_ENTRYID;
        break;
    case entryids::Kind::Root:
        break;
    case entryids::Kind::Card:
        // The container's own id stands for a plain entry, as the root's does.
        if (decoded->payload != fileName_)
            return MAPI_E_INVALID_ENTRYID;
        break;
    }
    const std::string uid = CardFolder::newUid();
    auto created = std::make_shared<Prop>(context_, kind, std::string(), newCard(uid, kind == Kind::DistList));
    created->isNew_ = true;
    created->parentGroup_ = kind_ == Kind::Root ? std::string() : fileName_;
    created->checkDuplicates_ = (flags & (CREATE_CHECK_DUP_LOOSE | CREATE_CHECK_DUP_STRICT)) != 0;
    entry = std::move(created);
    return S_OK;
}

HRESULT Container::DeleteEntries(const std::vector<EntryId>& ids, ULONG flags)
{
    (void)flags;
    if (const HRESULT hr = enter(Call::DeleteEntries); hr != S_OK)
        return hr;
    CardFolder& folder = context_->folder;
    bool partial = false;
    std::vector<std::string> files;
    for (const EntryId& id : ids) {
        const auto decoded = entryids::decode(id);
        if (!decoded || decoded->kind != entryids::Kind::Card) {
            partial = true;
            continue;
        }
        files.push_back(decoded->payload);
    }
    if (kind_ == Kind::DistList) {
        vcard::Card group = vcard::Card::create();
        if (const HRESULT hr = loadFailure(folder.load(fileName_, &group)); failed(hr))
            return hr;
        bool changed = false;
        for (const std::string& file : files) {
            vcard::Card member = vcard::Card::create();
            if (folder.load(file, &member) != CardFolder::Load::Ok ||
                !removeMember(group, readCardFields(member).uid)) {
                partial = true;
                continue;
            }
            changed = true;
        }
        if (changed && !folder.write(fileName_, group))
            return MAPI_E_DISK_ERROR;
        return partial ? MAPI_W_PARTIAL_COMPLETION : S_OK;
    }
    if (kind_ != Kind::Root)
        return MAPI_E_NO_SUPPORT;
    for (const std::string& file : files) {
        vcard::Card card = vcard::Card::create();
        if (folder.load(file, &card) != CardFolder::Load::Ok) {
            partial = true;
            continue;
        }
        const std::string uid = readCardFields(card).uid;
        if (!folder.remove(file))
            return MAPI_E_DISK_ERROR;
        // The card leaves every list that named it.
        auto cards = folder.loadAll();
        if (!cards)
            return MAPI_E_DISK_ERROR;
        for (StoredCard& stored : *cards)
            if (readCardFields(stored.card).group && removeMember(stored.card, uid) &&
                !folder.write(stored.fileName, stored.card))
                return MAPI_E_DISK_ERROR;
    }
    return partial ? MAPI_W_PARTIAL_COMPLETION : S_OK;
}

} // namespace torvane::mapi

#include "platform/mapi/AddressBook.h"

#include "platform/mapi/CardFields.h"

#include <cstring>

namespace torvane::mapi {

namespace {

constexpr std::uint8_t kMagic[4] = {'T', 'V', 'A', 'B'};
constexpr std::uint8_t kRootKind = 'R';
constexpr std::uint8_t kCardKind = 'C';
constexpr std::uint8_t kTemplateKind = 'T';

EntryId makeId(std::uint8_t kind, const std::string& payload)
{
    EntryId id(std::begin(kMagic), std::end(kMagic));
    id.push_back(kind);
    id.insert(id.end(), payload.begin(), payload.end());
    return id;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Values and identifiers

PropValue PropValue::longValue(ULONG tag, LONG value)
{
    PropValue v;
    v.tag = tag;
    v.l = value;
    return v;
}

PropValue PropValue::string(ULONG tag, std::string value)
{
    PropValue v;
    v.tag = tag;
    v.str = std::move(value);
    return v;
}

PropValue PropValue::binary(ULONG tag, EntryId value)
{
    PropValue v;
    v.tag = tag;
    v.bin = std::move(value);
    return v;
}

PropValue PropValue::error(ULONG tag, HRESULT code)
{
    PropValue v;
    v.tag = changePropType(tag, PT_ERROR);
    v.l = code;
    return v;
}

const PropValue* findProp(const Row& row, ULONG tag)
{
    for (const PropValue& value : row)
        if (value.tag == tag)
            return &value;
    return nullptr;
}

namespace entryids {

EntryId root()
{
    return makeId(kRootKind, {});
}

EntryId card(const std::string& fileName)
{
    return makeId(kCardKind, fileName);
}

EntryId templateFor(const std::string& addressType)
{
    return makeId(kTemplateKind, addressType);
}

std::optional<Decoded> decode(const EntryId& id)
{
    if (id.size() < 5 || std::memcmp(id.data(), kMagic, 4) != 0)
        return std::nullopt;
    const std::string payload(id.begin() + 5, id.end());
    switch (id[4]) {
    case kRootKind:
        if (!payload.empty())
            return std::nullopt;
        return Decoded{Kind::Root, payload};
    case kCardKind:
        if (!CardFolder::isCardFileName(payload))
            return std::nullopt;
        return Decoded{Kind::Card, payload};
    case kTemplateKind:
        return Decoded{Kind::Template, payload};
    default:
        return std::nullopt;
    }
}

} // namespace entryids

// ---------------------------------------------------------------------------------------------
// Objects

Object::Object(std::shared_ptr<detail::Context> context) : context_(std::move(context))
{
    ++context_->liveObjects;
}

Object::~Object()
{
    --context_->liveObjects;
    context_->faults->enter(Call::Release);
}

AddrBook::AddrBook(std::shared_ptr<detail::Context> context) : Object(std::move(context)) {}

HRESULT AddrBook::GetPAB(EntryId& id)
{
    id.clear();
    if (const HRESULT hr = enter(Call::GetPAB); hr != S_OK)
        return hr;
    id = entryids::root();
    return S_OK;
}

HRESULT AddrBook::OpenEntry(const EntryId& id, ULONG flags, ULONG& objectType, std::shared_ptr<Prop>& object)
{
    (void)flags;
    object.reset();
    objectType = 0;
    if (const HRESULT hr = enter(Call::OpenEntry); hr != S_OK)
        return hr;
    if (id.empty()) {
        object = std::make_shared<Container>(context_, Prop::Kind::Root, std::string(), vcard::Card::create());
        objectType = ULONG(MAPI_ABCONT);
        return S_OK;
    }
    const auto decoded = entryids::decode(id);
    if (!decoded)
        return MAPI_E_INVALID_ENTRYID;
    switch (decoded->kind) {
    case entryids::Kind::Root:
        object = std::make_shared<Container>(context_, Prop::Kind::Root, std::string(), vcard::Card::create());
        objectType = ULONG(MAPI_ABCONT);
        return S_OK;
    case entryids::Kind::Template:
        return MAPI_E_NO_SUPPORT;
    case entryids::Kind::Card:
        break;
    }
    vcard::Card card = vcard::Card::create();
    switch (context_->folder.load(decoded->payload, &card)) {
    case CardFolder::Load::Ok:
        break;
    case CardFolder::Load::Missing:
    case CardFolder::Load::NotUnderstood:
        return MAPI_E_NOT_FOUND;
    case CardFolder::Load::Failed:
        return MAPI_E_DISK_ERROR;
    }
    if (readCardFields(card).group) {
        object = std::make_shared<Container>(context_, Prop::Kind::DistList, decoded->payload, std::move(card));
        objectType = ULONG(MAPI_DISTLIST);
    } else {
        object = std::make_shared<Prop>(context_, Prop::Kind::MailUser, decoded->payload, std::move(card));
        objectType = ULONG(MAPI_MAILUSER);
    }
    return S_OK;
}

Session::Session(std::shared_ptr<detail::Context> context) : Object(std::move(context)) {}

HRESULT Session::OpenAddressBook(ULONG flags, std::shared_ptr<AddrBook>& addressBook)
{
    (void)flags;
    addressBook.reset();
    if (const HRESULT hr = enter(Call::OpenAddressBook); hr != S_OK)
        return hr;
    addressBook = std::make_shared<AddrBook>(context_);
    return S_OK;
}

HRESULT Session::Logoff(ULONG flags)
{
    (void)flags;
    return enter(Call::Logoff);
}

Mapi::Mapi(std::filesystem::path folder, std::shared_ptr<Faults> faults)
    : context_(std::make_shared<detail::Context>(CardFolder(std::move(folder)), std::move(faults)))
{
}

HRESULT Mapi::MAPIInitialize()
{
    if (const HRESULT hr = context_->faults->enter(Call::Initialize); hr != S_OK)
        return hr;
    ++context_->initializeCount;
    return S_OK;
}

HRESULT Mapi::MAPILogonEx(ULONG flags, std::shared_ptr<Session>& session)
{
    (void)flags;
    session.reset();
    if (const HRESULT hr = context_->faults->enter(Call::LogonEx); hr != S_OK)
        return hr;
    if (context_->initializeCount == 0)
        return MAPI_E_NOT_INITIALIZED;
    if (!context_->folder.usable())
        return MAPI_E_LOGON_FAILED;
    session = std::make_shared<Session>(context_);
    return S_OK;
}

void Mapi::MAPIUninitialize()
{
    context_->faults->enter(Call::Uninitialize);
    if (context_->initializeCount > 0)
        --context_->initializeCount;
}

} // namespace torvane::mapi

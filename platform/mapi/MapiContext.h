// What every object of one Mapi instance shares: the card folder, the injected failures and
// the count of objects alive. Internal to the layer.
#pragma once

#include "platform/mapi/CardFolder.h"
#include "platform/mapi/MapiFaults.h"
#include "platform/mapi/MapiTypes.h"

#include <memory>
#include <optional>
#include <string>

namespace torvane::mapi {

namespace detail {

struct Context {
    explicit Context(CardFolder f, std::shared_ptr<Faults> injected)
        : folder(std::move(f)), faults(injected ? std::move(injected) : std::make_shared<Faults>())
    {
    }
    CardFolder folder;
    std::shared_ptr<Faults> faults;
    int liveObjects = 0;
    int initializeCount = 0;
};

} // namespace detail

// Base of the objects handed out: counts itself alive until its last reference goes (the
// counterpart of releasing it).
class Object {
public:
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

protected:
    explicit Object(std::shared_ptr<detail::Context> context);
    HRESULT enter(Call call) const { return context_->faults->enter(call); }
    std::shared_ptr<detail::Context> context_;
};

// Entry identifiers of the layer: the address book's root, a card file, a creation template.
namespace entryids {

enum class Kind { Root, Card, Template };

EntryId root();
EntryId card(const std::string& fileName);
EntryId templateFor(const std::string& addressType);

struct Decoded {
    Kind kind;
    std::string payload; // the file name or the template's address type
};
std::optional<Decoded> decode(const EntryId& id);

} // namespace entryids

} // namespace torvane::mapi

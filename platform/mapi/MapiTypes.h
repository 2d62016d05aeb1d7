// The vocabulary of the personal address book layer: result codes, property tags, flags,
// entry identifiers, property values, rows and restrictions, with the numbers the programs
// that use it rely on.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace torvane::mapi {

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;

constexpr HRESULT S_OK = 0;
// Failures are negative, warnings positive.
constexpr HRESULT MAPI_E_CALL_FAILED = HRESULT(0x80004005u);
constexpr HRESULT MAPI_E_NOT_ENOUGH_MEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT MAPI_E_INVALID_PARAMETER = HRESULT(0x80070057u);
constexpr HRESULT MAPI_E_NO_SUPPORT = HRESULT(0x80040102u);
constexpr HRESULT MAPI_E_INVALID_ENTRYID = HRESULT(0x80040107u);
constexpr HRESULT MAPI_E_NOT_FOUND = HRESULT(0x8004010Fu);
constexpr HRESULT MAPI_E_LOGON_FAILED = HRESULT(0x80040111u);
constexpr HRESULT MAPI_E_DISK_ERROR = HRESULT(0x80040116u);
constexpr HRESULT MAPI_E_COMPUTED = HRESULT(0x8004011Au);
constexpr HRESULT MAPI_E_COLLISION = HRESULT(0x80040604u);
constexpr HRESULT MAPI_E_NOT_INITIALIZED = HRESULT(0x80040605u);
constexpr HRESULT MAPI_W_ERRORS_RETURNED = HRESULT(0x00040380u);
constexpr HRESULT MAPI_W_PARTIAL_COMPLETION = HRESULT(0x00040680u);

constexpr bool failed(HRESULT hr) { return hr < 0; }

// Property types (low 16 bits of a tag) and the tags in use.
constexpr ULONG PT_LONG = 0x0003;
constexpr ULONG PT_ERROR = 0x000A;
constexpr ULONG PT_OBJECT = 0x000D;
constexpr ULONG PT_STRING8 = 0x001E;
constexpr ULONG PT_BINARY = 0x0102;
constexpr ULONG propType(ULONG tag) { return tag & 0xFFFFu; }
constexpr ULONG propId(ULONG tag) { return tag >> 16; }
constexpr ULONG changePropType(ULONG tag, ULONG type) { return (tag & 0xFFFF0000u) | type; }

constexpr ULONG PR_ENTRYID = 0x0FFF0102;
constexpr ULONG PR_OBJECT_TYPE = 0x0FFE0003;
constexpr ULONG PR_DISPLAY_NAME_A = 0x3001001E;
constexpr ULONG PR_ADDRTYPE_A = 0x3002001E;
constexpr ULONG PR_EMAIL_ADDRESS_A = 0x3003001E;
constexpr ULONG PR_COMMENT_A = 0x3004001E;
constexpr ULONG PR_PRIMARY_TELEPHONE_NUMBER_A = 0x3A1A001E;
constexpr ULONG PR_CREATE_TEMPLATES = 0x3604000D;

// Values of PR_OBJECT_TYPE.
constexpr LONG MAPI_ABCONT = 4;
constexpr LONG MAPI_MAILUSER = 6;
constexpr LONG MAPI_DISTLIST = 8;

// Flags.
constexpr ULONG MAPI_LOGON_UI = 0x00000001;
constexpr ULONG MAPI_EXTENDED = 0x00000020;
constexpr ULONG MAPI_NO_MAIL = 0x00008000;
constexpr ULONG MAPI_MODIFY = 0x00000001;
constexpr ULONG MAPI_BEST_ACCESS = 0x00000010;
constexpr ULONG CREATE_CHECK_DUP_STRICT = 0x00000001;
constexpr ULONG CREATE_CHECK_DUP_LOOSE = 0x00000002;
constexpr ULONG RELOP_EQ = 4;

// The interface a property is opened as (OpenProperty).
struct InterfaceId {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
    bool operator==(const InterfaceId&) const = default;
};
constexpr InterfaceId IID_IMAPITable{0x00020301, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// An entry identifier: opaque bytes, valid across sessions.
using EntryId = std::vector<std::uint8_t>;

// One property value. The member that counts follows the tag's type: l for PT_LONG (and the
// failure code of a PT_ERROR value), str for PT_STRING8 (Latin-1 bytes), bin for PT_BINARY.
struct PropValue {
    ULONG tag = 0;
    LONG l = 0;
    std::string str;
    EntryId bin;

    static PropValue longValue(ULONG tag, LONG value);
    static PropValue string(ULONG tag, std::string value);
    static PropValue binary(ULONG tag, EntryId value);
    static PropValue error(ULONG tag, HRESULT code);
    bool operator==(const PropValue&) const = default;
};

using Row = std::vector<PropValue>;
using RowSet = std::vector<Row>;

// The value of tag in row, or null.
const PropValue* findProp(const Row& row, ULONG tag);

// A property that SetProps could not set, and why.
struct PropProblem {
    ULONG tag = 0;
    HRESULT code = S_OK;
};

// Keeps the rows whose property tag compares as relop with value (only RELOP_EQ is known).
struct PropertyRestriction {
    ULONG relop = RELOP_EQ;
    ULONG tag = 0;
    PropValue value;
};

} // namespace torvane::mapi

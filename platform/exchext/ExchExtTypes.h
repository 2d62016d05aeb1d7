// The vocabulary of the mail client's extension interfaces: result codes, 16-byte interface
// identifiers, the contexts a host installs an extension in, and the records and handles that
// the command interface exchanges with the host (menus, toolbar entries, button records).
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);

// An interface identifier. Two identifiers are the same interface when all 16 bytes agree.
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16);
using IID = GUID;
using REFIID = const IID&;

inline bool isEqualIid(REFIID a, REFIID b)
{
    return std::memcmp(&a, &b, sizeof(IID)) == 0;
}

// Where the host installs an extension (the argument of IExchExt::Install).
constexpr ULONG EECONTEXT_SESSION = 1;
constexpr ULONG EECONTEXT_VIEWER = 2;
constexpr ULONG EECONTEXT_REMOTEVIEWER = 3;
constexpr ULONG EECONTEXT_SEARCHVIEWER = 4;

// IExchExtCallback::GetVersion: which version to answer.
constexpr ULONG EECBGV_GETBUILDVERSION = 1;
// The build version's upper 16 bits carry the host's major version.
constexpr ULONG EECBGV_BUILDVERSION_MAJOR_MASK = 0xFFFF0000u;

// Toolbar ids in TBENTRY and QueryButtonInfo.
constexpr ULONG EETBID_STANDARD = 1;

// Kinds of text in IExchExtCommands::QueryHelpText.
constexpr ULONG EECQHT_STATUS = 1;
constexpr ULONG EECQHT_TOOLTIP = 2;

// Menu item kinds for ExchMenu::append.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

// Button states and styles in TBBUTTON.
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTYLE_BUTTON = 0x00;

// A host menu that an extension may add items to.
class ExchMenu {
public:
    // text is ignored for a separator. FALSE when the item could not be added.
    virtual BOOL append(UINT flags, UINT_PTR commandId, const char* text) = 0;

protected:
    ~ExchMenu() = default;
};
using HMENU = ExchMenu*;

// A picture handed to a toolbar: width x height pixels, 0xAARRGGBB, rows top to bottom.
struct ExchBitmap {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
};

// A host toolbar window. addBitmap takes `count` images laid side by side in one picture and
// answers the index of the first of them in the toolbar's image list, or -1.
class ExchToolbar {
public:
    virtual LRESULT addBitmap(UINT count, const ExchBitmap& bitmap) = 0;

protected:
    ~ExchToolbar() = default;
};

// One toolbar of the host window, with the first button index it reserved for the extension
// being installed; the extension advances itbbBase past the buttons it takes.
struct TBENTRY {
    ExchToolbar* toolbar; // null when the toolbar has no window yet
    ULONG tbid;
    ULONG ulFlags;
    UINT itbbBase;
};

// What a toolbar shows for one button.
struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;
    BYTE fsStyle;
    DWORD_PTR dwData;
    INT_PTR iString;
};

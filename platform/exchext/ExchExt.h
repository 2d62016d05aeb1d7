// The mail client's extension interfaces. A host calls them by position, so the order of the
// virtual operations below is part of the contract and must not change. Objects count their
// references and free themselves in Release; nothing deletes them through these types.
#pragma once

#include "platform/exchext/ExchExtTypes.h"

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// The host's side, passed into most calls. A host of this suite offers the version and the
// menu look-up; that is all its extensions ask of it.
struct IExchExtCallback : IUnknown {
    virtual HRESULT GetVersion(ULONG* version, ULONG flags) = 0;
    // The menu holding the host's command `commandId`; posMin/posMax may be null.
    virtual HRESULT GetMenuPos(ULONG commandId, HMENU* menu, ULONG* posMin, ULONG* posMax, ULONG flags) = 0;

protected:
    ~IExchExtCallback() = default;
};

// The extension object the entry point hands out.
struct IExchExt : IUnknown {
    // S_OK when the extension takes part in this context, S_FALSE when it stays out.
    virtual HRESULT Install(IExchExtCallback* callback, ULONG context, ULONG flags) = 0;

protected:
    ~IExchExt() = default;
};

struct IExchExtCommands : IUnknown {
    // firstFreeCommandId: in, the first command id the extension may take; out, past those taken.
    virtual HRESULT InstallCommands(IExchExtCallback* callback, HWND window, HMENU menu, UINT* firstFreeCommandId,
                                    TBENTRY* toolbars, UINT toolbarCount, ULONG flags) = 0;
    virtual void InitMenu(IExchExtCallback* callback) = 0;
    virtual HRESULT DoCommand(IExchExtCallback* callback, UINT commandId) = 0;
    virtual HRESULT Help(IExchExtCallback* callback, UINT commandId) = 0;
    virtual HRESULT QueryHelpText(UINT commandId, ULONG kind, char* text, UINT length) = 0;
    virtual HRESULT QueryButtonInfo(ULONG toolbarId, UINT buttonIndex, TBBUTTON* button, char* description,
                                    UINT length, ULONG flags) = 0;
    virtual HRESULT ResetToolbar(ULONG toolbarId, ULONG flags) = 0;

protected:
    ~IExchExtCommands() = default;
};

struct IExchExtUserEvents : IUnknown {
    virtual void OnSelectionChange(IExchExtCallback* callback) = 0;
    virtual void OnObjectChange(IExchExtCallback* callback) = 0;

protected:
    ~IExchExtUserEvents() = default;
};

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IExchExt = {0x00020D11, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IExchExtCommands = {0x00020D12, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IExchExtUserEvents = {0x00020D13, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The entry point every extension library exports by this name, with C linkage.
inline constexpr const char* kExchEntryPointName = "ExchEntryPoint";
using ExchEntryPointFunction = IExchExt* (*)();

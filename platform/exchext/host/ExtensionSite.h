// One window of the host (a viewer) with its own menu and toolbars, driving one extension
// object through the calls in the order the host makes them: entry point, Install for the
// window's context, QueryInterface for the command and event interfaces, InstallCommands, then
// the user's work (button info, help text, commands, help, events) and, last, Release.
#pragma once

#include "platform/exchext/ExchExt.h"
#include "platform/exchext/host/ExtensionLibrary.h"
#include "platform/exchext/host/HostCallback.h"
#include "platform/exchext/host/HostMenuAndToolbar.h"

#include <memory>
#include <string>
#include <vector>

namespace torvane::exchext {

// The host's build version for its current major version (upper 16 bits 0x000D).
constexpr ULONG kHostBuildVersion = 0x000D0000u | 0x0F5Cu;
// The host's own command whose menu extensions put their items in.
constexpr ULONG kHostToolsCommand = 134;

struct ToolbarSetup {
    ULONG tbid = EETBID_STANDARD;
    UINT firstButton = 0;   // the first button index reserved for the extension
    bool hasWindow = true;  // a toolbar without a window takes no pictures
    int presetImages = 0;   // images the host's own buttons already use
};

struct SiteSetup {
    ULONG context = EECONTEXT_VIEWER;
    ULONG buildVersion = kHostBuildVersion;
    HWND window = 0x1;
    UINT firstFreeCommandId = 1000;
    std::vector<ToolbarSetup> toolbars{ToolbarSetup{}};
    std::vector<ULONG> hostCommands{kHostToolsCommand}; // the host's own items in its menu
};

class ExtensionSite {
public:
    struct Button {
        ULONG tbid = 0;
        UINT index = 0;
    };

    ExtensionSite(const ExtensionLibrary& library, SiteSetup setup);
    ~ExtensionSite();

    ExtensionSite(const ExtensionSite&) = delete;
    ExtensionSite& operator=(const ExtensionSite&) = delete;

    // create, install and, when the extension takes part, queryInterfaces and installCommands.
    bool open();

    bool create();
    HRESULT install();
    bool queryInterfaces();
    HRESULT installCommands();

    void initMenu();
    HRESULT command(UINT commandId);
    HRESULT help(UINT commandId);
    HRESULT helpText(UINT commandId, ULONG kind, std::string& text, UINT length = 256);
    HRESULT buttonInfo(ULONG tbid, UINT index, TBBUTTON& record, std::string& text, UINT length = 256);
    HRESULT resetToolbar(ULONG tbid);
    void selectionChange();
    void objectChange();

    // Releases every interface the host holds, inner ones first.
    void release();

    const SiteSetup& setup() const { return m_setup; }
    IExchExt* extension() const { return m_extension; }
    IExchExtCommands* commands() const { return m_commands; }
    IExchExtUserEvents* userEvents() const { return m_userEvents; }
    HostCallback& callback() { return m_callback; }
    const HostMenu& menu() const { return m_menu; }
    const std::vector<TBENTRY>& toolbarEntries() const { return m_entries; }
    const HostToolbar* toolbar(std::size_t entry) const;

    // The command ids the extension took at InstallCommands.
    std::vector<UINT> extensionCommands() const;
    // The buttons the extension took at InstallCommands, per toolbar entry.
    std::vector<Button> extensionButtons() const;

private:
    const ExtensionLibrary& m_library;
    SiteSetup m_setup;
    HostCallback m_callback;
    HostMenu m_menu{"Tools"};
    std::vector<std::unique_ptr<HostToolbar>> m_toolbars;
    std::vector<TBENTRY> m_entries;
    UINT m_nextFreeCommandId = 0;
    IExchExt* m_extension = nullptr;
    IExchExtCommands* m_commands = nullptr;
    IExchExtUserEvents* m_userEvents = nullptr;
};

} // namespace torvane::exchext

#include "platform/exchext/host/ExtensionSite.h"

#include <utility>

namespace torvane::exchext {

namespace {

std::string textOf(const std::vector<char>& buffer)
{
    std::size_t n = 0;
    while (n < buffer.size() && buffer[n] != '\0')
        ++n;
    return std::string(buffer.data(), n);
}

} // namespace

ExtensionSite::ExtensionSite(const ExtensionLibrary& library, SiteSetup setup)
    : m_library(library)
    , m_setup(std::move(setup))
    , m_callback(m_setup.buildVersion)
    , m_nextFreeCommandId(m_setup.firstFreeCommandId)
{
    ULONG position = 0;
    for (ULONG command : m_setup.hostCommands) {
        m_menu.append(MF_STRING, command, "host command");
        m_callback.addHostCommand(command, &m_menu, position++);
    }
    for (const ToolbarSetup& toolbar : m_setup.toolbars) {
        m_toolbars.push_back(toolbar.hasWindow ? std::make_unique<HostToolbar>(toolbar.presetImages) : nullptr);
        m_entries.push_back(TBENTRY{m_toolbars.back().get(), toolbar.tbid, 0, toolbar.firstButton});
    }
}

ExtensionSite::~ExtensionSite()
{
    release();
}

bool ExtensionSite::open()
{
    if (!create() || install() != S_OK || !queryInterfaces())
        return false;
    installCommands();
    return true;
}

bool ExtensionSite::create()
{
    if (!m_extension)
        m_extension = m_library.createExtension();
    return m_extension != nullptr;
}

HRESULT ExtensionSite::install()
{
    if (!m_extension)
        return E_POINTER;
    return m_extension->Install(&m_callback, m_setup.context, 0);
}

bool ExtensionSite::queryInterfaces()
{
    if (!m_extension)
        return false;
    void* object = nullptr;
    if (!m_commands && m_extension->QueryInterface(IID_IExchExtCommands, &object) == S_OK)
        m_commands = static_cast<IExchExtCommands*>(object);
    object = nullptr;
    if (!m_userEvents && m_extension->QueryInterface(IID_IExchExtUserEvents, &object) == S_OK)
        m_userEvents = static_cast<IExchExtUserEvents*>(object);
    return m_commands != nullptr;
}

HRESULT ExtensionSite::installCommands()
{
    if (!m_commands)
        return E_POINTER;
    return m_commands->InstallCommands(&m_callback, m_setup.window, &m_menu, &m_nextFreeCommandId,
                                       m_entries.empty() ? nullptr : m_entries.data(), UINT(m_entries.size()), 0);
}

void ExtensionSite::initMenu()
{
    if (m_commands)
        m_commands->InitMenu(&m_callback);
}

HRESULT ExtensionSite::command(UINT commandId)
{
    return m_commands ? m_commands->DoCommand(&m_callback, commandId) : E_POINTER;
}

HRESULT ExtensionSite::help(UINT commandId)
{
    return m_commands ? m_commands->Help(&m_callback, commandId) : E_POINTER;
}

HRESULT ExtensionSite::helpText(UINT commandId, ULONG kind, std::string& text, UINT length)
{
    if (!m_commands)
        return E_POINTER;
    std::vector<char> buffer(length + 1, '\0');
    const HRESULT result = m_commands->QueryHelpText(commandId, kind, buffer.data(), length);
    text = textOf(buffer);
    return result;
}

HRESULT ExtensionSite::buttonInfo(ULONG tbid, UINT index, TBBUTTON& record, std::string& text, UINT length)
{
    if (!m_commands)
        return E_POINTER;
    std::vector<char> buffer(length + 1, '\0');
    const HRESULT result = m_commands->QueryButtonInfo(tbid, index, &record, buffer.data(), length, 0);
    text = textOf(buffer);
    return result;
}

HRESULT ExtensionSite::resetToolbar(ULONG tbid)
{
    return m_commands ? m_commands->ResetToolbar(tbid, 0) : E_POINTER;
}

void ExtensionSite::selectionChange()
{
    if (m_userEvents)
        m_userEvents->OnSelectionChange(&m_callback);
}

void ExtensionSite::objectChange()
{
    if (m_userEvents)
        m_userEvents->OnObjectChange(&m_callback);
}

void ExtensionSite::release()
{
    if (m_userEvents)
        std::exchange(m_userEvents, nullptr)->Release();
    if (m_commands)
        std::exchange(m_commands, nullptr)->Release();
    if (m_extension)
        std::exchange(m_extension, nullptr)->Release();
}

const HostToolbar* ExtensionSite::toolbar(std::size_t entry) const
{
    return entry < m_toolbars.size() ? m_toolbars[entry].get() : nullptr;
}

std::vector<UINT> ExtensionSite::extensionCommands() const
{
    std::vector<UINT> commands;
    for (UINT id = m_setup.firstFreeCommandId; id < m_nextFreeCommandId; ++id)
        commands.push_back(id);
    return commands;
}

std::vector<ExtensionSite::Button> ExtensionSite::extensionButtons() const
{
    std::vector<Button> buttons;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        for (UINT index = m_setup.toolbars[i].firstButton; index < m_entries[i].itbbBase; ++index)
            buttons.push_back(Button{m_entries[i].tbid, index});
    return buttons;
}

} // namespace torvane::exchext

#include "outlookbutton/CButtonExtCommands.h"

#include "outlookbutton/CButtonExt.h"
#include "outlookbutton/PlinketModule.h"
#include "outlookbutton/PlinketResources.h"
#include "platform/exchext/ExchMessageBox.h"

#include <algorithm>
#include <cstring>

namespace torvane::plinket {

namespace {

// The host command whose menu receives our item (the Tools menu).
constexpr ULONG kAnchorCommand = 134;

constexpr const char* kItemText = "Torvane Appointments";
constexpr const char* kButtonText = "Torvane Appointments Button";
constexpr const char* kAboutCaption = "About Tessaro-AddIn Button";
constexpr const char* kAboutText = "Called through IExchExtCommands::Help()\n"
                                   "Contained in Plinket.dll\n"
                                   "\n"
                                   "Copyright (C) Torvane. All rights reserved.";

// At most length - 1 characters and a terminator; nothing at all into no room.
void copyText(char* buffer, UINT length, const char* text)
{
    if (!buffer || length == 0)
        return;
    const std::size_t n = std::min<std::size_t>(std::strlen(text), length - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}

} // namespace

CButtonExtCommands::CButtonExtCommands(CButtonExt* parent)
    : InnerObject(parent)
{
}

HRESULT CButtonExtCommands::InstallCommands(IExchExtCallback* callback, HWND window, HMENU, UINT* firstFreeCommandId,
                                            TBENTRY* toolbars, UINT toolbarCount, ULONG)
{
    if (m_context != EECONTEXT_VIEWER && m_context != EECONTEXT_SEARCHVIEWER)
        return S_FALSE;
    if (!callback || !firstFreeCommandId)
        return E_INVALIDARG;

    m_window = window;
    m_commandId = (*firstFreeCommandId)++;
    m_hasCommand = true;
    HMENU menu = nullptr;
    if (callback->GetMenuPos(kAnchorCommand, &menu, nullptr, nullptr, 0) == S_OK && menu) {
        menu->append(MF_SEPARATOR, 0, nullptr);
        menu->append(MF_STRING, m_commandId, kItemText);
    }

    // The search viewer has no room for the button; it gets the menu item only.
    if (m_context == EECONTEXT_VIEWER && toolbars) {
        for (UINT i = toolbarCount; i-- > 0;) {
            if (toolbars[i].tbid == EETBID_STANDARD) {
                addButton(toolbars[i]);
                break;
            }
        }
    }
    return S_OK;
}

void CButtonExtCommands::addButton(TBENTRY& toolbar)
{
    m_buttonIndex = toolbar.itbbBase++;
    m_buttonToolbarId = toolbar.tbid;
    m_hasButton = true;
    // No picture rather than the picture of someone else's image 0.
    m_bitmapIndex = -1;
    if (!toolbar.toolbar)
        return;
    const BitmapResource* resource = findBitmapResource(IDB_BUTTON);
    if (!resource)
        return;
    const auto pixels = bitmapPixels(*resource);
    const ExchBitmap bitmap{BitmapResource::kWidth, BitmapResource::kHeight, pixels.data()};
    m_bitmapIndex = int(toolbar.toolbar->addBitmap(1, bitmap));
}

void CButtonExtCommands::InitMenu(IExchExtCallback*)
{
}

HRESULT CButtonExtCommands::DoCommand(IExchExtCallback*, UINT commandId)
{
    if (!isOwnCommand(commandId))
        return S_FALSE;
    runConfiguredCommand();
    return S_OK;
}

HRESULT CButtonExtCommands::Help(IExchExtCallback*, UINT commandId)
{
    if (!isOwnCommand(commandId))
        return S_FALSE;
    exchext::showMessageBox(m_window, kAboutText, kAboutCaption, MB_OK);
    return S_OK;
}

HRESULT CButtonExtCommands::QueryHelpText(UINT commandId, ULONG kind, char* text, UINT length)
{
    if (!isOwnCommand(commandId))
        return S_FALSE;
    if (kind == EECQHT_STATUS || kind == EECQHT_TOOLTIP)
        copyText(text, length, kItemText);
    return S_OK;
}

HRESULT CButtonExtCommands::QueryButtonInfo(ULONG toolbarId, UINT buttonIndex, TBBUTTON* button, char* description,
                                            UINT length, ULONG)
{
    if (!m_hasButton || toolbarId != m_buttonToolbarId || buttonIndex != m_buttonIndex)
        return S_FALSE;
    if (button) {
        button->iBitmap = m_bitmapIndex;
        button->idCommand = int(m_commandId);
        button->fsState = TBSTATE_ENABLED;
        button->fsStyle = TBSTYLE_BUTTON;
        button->dwData = 0;
        button->iString = -1;
    }
    copyText(description, length, kButtonText);
    return S_OK;
}

HRESULT CButtonExtCommands::ResetToolbar(ULONG, ULONG)
{
    return S_OK;
}

} // namespace torvane::plinket

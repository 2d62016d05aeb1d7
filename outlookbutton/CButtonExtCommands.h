// The command object: puts "Torvane Appointments" into the viewer's menu and, in the main
// viewer, a button with the library's picture onto the standard toolbar, and runs the
// configured command when either is chosen.
#pragma once

#include "outlookbutton/InnerObject.h"

namespace torvane::plinket {

class CButtonExt;

class CButtonExtCommands final
    : public InnerObject<CButtonExtCommands, IExchExtCommands, IID_IExchExtCommands, CButtonExt> {
public:
    explicit CButtonExtCommands(CButtonExt* parent);

    HRESULT InstallCommands(IExchExtCallback* callback, HWND window, HMENU menu, UINT* firstFreeCommandId,
                            TBENTRY* toolbars, UINT toolbarCount, ULONG flags) override;
    void InitMenu(IExchExtCallback* callback) override;
    HRESULT DoCommand(IExchExtCallback* callback, UINT commandId) override;
    HRESULT Help(IExchExtCallback* callback, UINT commandId) override;
    HRESULT QueryHelpText(UINT commandId, ULONG kind, char* text, UINT length) override;
    HRESULT QueryButtonInfo(ULONG toolbarId, UINT buttonIndex, TBBUTTON* button, char* description, UINT length,
                            ULONG flags) override;
    HRESULT ResetToolbar(ULONG toolbarId, ULONG flags) override;

private:
    friend class CButtonExt;
    friend class InnerObject;
    ~CButtonExtCommands() = default;

    bool isOwnCommand(UINT commandId) const { return m_hasCommand && commandId == m_commandId; }
    void addButton(TBENTRY& toolbar);

    UINT m_commandId = 0;
    UINT m_buttonIndex = 0;
    int m_bitmapIndex = 0;
    HWND m_window = 0;
    // Ids and indexes are only ours once the host gave them: 0 is a valid id of someone else.
    bool m_hasCommand = false;
    bool m_hasButton = false;
    ULONG m_buttonToolbarId = 0;
};

} // namespace torvane::plinket

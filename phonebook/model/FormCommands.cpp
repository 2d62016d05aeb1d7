#include "phonebook/model/FormCommands.h"

namespace brevik {

bool IsCommandEnabled(int command, const CommandState& state)
{
    if (state.busy)
        return false;
    const bool listWithItems = state.activeList != LIST_NONE && state.activeItems > 0;
    switch (command) {
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_SELECT_ALL:
    case ID_EDIT_CLEAR_ALL:
    case ID_CHANGE_ENTRY:
        return listWithItems;
    case ID_EDIT_PASTE:
        return state.clipboard;
    case ID_NEW_ENTRY:
        return state.activeList == LIST_PAB || (state.activeList == LIST_PHONE && state.nameLength > 0);
    default:
        return true;
    }
}

int ContextMenuFor(int activeList, int activeItems)
{
    if (activeItems <= 0)
        return 0;
    if (activeList == LIST_PHONE)
        return IDR_PHONE_LIST_MENU;
    if (activeList == LIST_PAB)
        return IDR_PAB_LIST_MENU;
    return 0;
}

} // namespace brevik

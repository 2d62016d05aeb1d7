// The form's commands by id, which of them the user may run in the form's present state, and
// which context menu a right click brings up.
#pragma once

namespace brevik {

// The list whose selection the commands act on.
enum ActiveList : int { LIST_NONE = 0, LIST_PHONE = 1, LIST_PAB = 2 };

// Commands of the tool bar, the accelerators and the context menus.
constexpr int ID_NEW_PAB_FOLDER = 32771;
constexpr int ID_OPEN_PAB_FOLDER = 32772;
constexpr int ID_COPY_TO_PAB_LIST = 32774;
constexpr int ID_UPLOAD_PHONE_LIST = 32775;
constexpr int ID_COPY_TO_PHONE_LIST = 32780;
constexpr int ID_UPLOAD_PAB_LIST = 32781;
constexpr int ID_CHANGE_ENTRY = 32785;
constexpr int ID_NEW_ENTRY = 32786;
constexpr int ID_EDIT_CLEAR_ALL = 57633;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_INDEX = 57666;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;

// The context menus: 136 over the phone list, 138 over the address book list.
constexpr int IDR_PHONE_LIST_MENU = 136;
constexpr int IDR_PAB_LIST_MENU = 138;

struct CommandState {
    int activeList = LIST_NONE;
    int activeItems = 0;      // items of the active list
    bool clipboard = false;   // FLAG_CLIPBOARD
    int nameLength = 0;       // 0 until a directory was read
    bool busy = false;        // a phone job waits for its answer
};

// Whether the edit and entry commands may run; other commands are not governed here (true).
// While a phone job waits none may: the job's answer must find the lists as it left them.
bool IsCommandEnabled(int command, const CommandState& state);

// The menu a right click shows: only over an active list that has items; 0 for none.
int ContextMenuFor(int activeList, int activeItems);

} // namespace brevik

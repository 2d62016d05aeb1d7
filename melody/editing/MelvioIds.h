// The numbers of the melody editor: commands, reply messages, error reports.
#pragma once

#include "platform/wintypes.h"

// Commands of the menus, the tool bar and the accelerators.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_EDIT_DELETE = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_WINDOW_NEW = 57648;
constexpr int ID_WINDOW_ARRANGE = 57649;
constexpr int ID_WINDOW_CASCADE = 57650;
constexpr int ID_WINDOW_TILE = 57651;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_HELP_INDEX = 57667;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_PLAY = 32771;
constexpr int ID_DELETE_ALL = 32775;
constexpr int ID_STOP = 32776;
constexpr int ID_SAVE_TO_PHONE = 32779;
constexpr int ID_SMART_MESSAGE_PASTE = 32780;
constexpr int ID_PHONE_PLAY = 32781;
constexpr int ID_PHONE_STOP = 32784;
constexpr int ID_MIDI_SETTINGS = 32785;

// Answers of the engine's melody jobs to the view that asked.
constexpr UINT WM_MELODY_WRITE_DONE = WM_USER + 100;
constexpr UINT WM_MELODY_TEST_DONE = WM_USER + 101;

// Error reports through Fehler_Melden (class, id); the main program shows them.
constexpr int IDS_ERR_NO_TEMP_DIR = 40001;
constexpr int IDS_ERR_REGISTRY = 40002;
constexpr int IDS_ERR_NO_MIDI_DEVICE = 40003;
constexpr int IDS_ERR_MIDI_OPEN = 40004;
constexpr int IDS_ERR_PLAY = 40005;
// 40006 and 40007 are the document's (ErrorReporter.h).
constexpr int IDS_ERR_STOP = 40008;
constexpr int IDS_ERR_PHONE_WRITE = 40009;
constexpr int IDS_ERR_PHONE_PLAY = 40010;
constexpr int IDS_ERR_NO_SELECTION = 40011;
constexpr int IDS_ERR_CLIPBOARD_NO_TEXT = 40012;
constexpr int IDS_ERR_CLIPBOARD_OPEN = 40013;
constexpr int IDS_ERR_RTTTL_FORMAT = 40014;
constexpr int IDS_ERR_RTTTL_DURATION = 40015;
constexpr int IDS_ERR_RTTTL_OCTAVE = 40016;
constexpr int IDS_ERR_RTTTL_TEMPO = 40017;
constexpr int IDS_ERR_RTTTL_HEADER = 40018;
constexpr int IDS_ERR_NO_MEMORY = 40019;
constexpr int IDS_ERR_TEMP_NAME = 40020;
constexpr int IDS_ERR_TEMP_OPEN = 40021;

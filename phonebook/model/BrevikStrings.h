// The phonebook editor's string table, by id as the resources number them: status texts,
// questions, directory names, the words of the address book comments, and the editor's report
// texts (41000-41025, shown by the main program). Texts are German, as the editor speaks.
#pragma once

#include <string>

namespace brevik {

constexpr int IDS_APP_TITLE = 57344;

// Directory names, in the order of the directory table's name column.
constexpr int IDS_DIR_OWN = 61206;
constexpr int IDS_DIR_SIM = 61207;
constexpr int IDS_DIR_MOBILE = 61208;
constexpr int IDS_DIR_LAST_DIAL = 61209;
constexpr int IDS_DIR_FIX_DIAL = 61210;
constexpr int IDS_DIR_MISSED = 61211;
constexpr int IDS_DIR_CALL_BACK = 61212;

constexpr int IDS_PAB_ROOT = 61221;

constexpr int IDS_COLUMN_NAME = 61231;
constexpr int IDS_COLUMN_NUMBER = 61232;
constexpr int IDS_COLUMN_INDEX = 61233;
constexpr int IDS_COLUMN_STATUS = 61234; // also the VIP status text "!"

// Status-bar texts.
constexpr int IDS_READING = 61235;
constexpr int IDS_DONE = 61237;
constexpr int IDS_WRITING = 61238;
constexpr int IDS_PAB_WRITING = 61243;
constexpr int IDS_ABORTED = 41018;
constexpr int IDS_NOTHING_TO_WRITE = 41021;

// Words of the address book comment.
constexpr int IDS_STANDARD_STATUS = 61245;
constexpr int IDS_INDEX = 61246;
constexpr int IDS_VIP_STATUS = 61247;

// Dialog texts and questions.
constexpr int IDS_NEW_FOLDER_TITLE = 61248;
constexpr int IDS_NEW_FOLDER_PROMPT = 61249;
constexpr int IDS_OTHER_NAME_TITLE = 61250;
constexpr int IDS_OTHER_NAME_PROMPT = 61251;
constexpr int IDS_NEW_PHONE_ENTRY_TITLE = 61253;
constexpr int IDS_NEW_PAB_ENTRY_TITLE = 61254;
constexpr int IDS_CHANGE_PHONE_ENTRY_TITLE = 61255;
constexpr int IDS_CHANGE_PAB_ENTRY_TITLE = 61256;
constexpr int IDS_ASK_SAVE_PHONE_BEFORE_QUIT = 61258;
constexpr int IDS_ASK_SAVE_PAB_BEFORE_QUIT = 61259;
constexpr int IDS_ASK_SAVE_PAB_BEFORE_FOLDER = 61261;
constexpr int IDS_ASK_SAVE_PHONE_BEFORE_CHANGE = 61262;
constexpr int IDS_ASK_DELETE_ONE = 61266;      // followed by the entry's columns
constexpr int IDS_ASK_DELETE_SEVERAL = 61267;  // "%1" the count

// The program's own texts.
constexpr int IDS_HELP_FILE = 61264;

// Reports (Fehler_Melden) of the address book road, class 2.
constexpr int IDS_ERR_MAPI_INIT = 41000;
constexpr int IDS_ERR_MAPI_LOGON = 41001;
constexpr int IDS_ERR_OPEN_ADDRESS_BOOK = 41002;
constexpr int IDS_ERR_OPEN_PAB = 41003;
constexpr int IDS_ERR_OPEN_ROOT = 41004;
constexpr int IDS_ERR_NO_ENTRIES = 41005;
constexpr int IDS_ERR_CONTENTS_TABLE = 41006;
constexpr int IDS_ERR_QUERY_ROWS = 41007;
constexpr int IDS_ERR_OPEN_PROPERTY = 41008;
constexpr int IDS_ERR_SET_COLUMNS = 41009;
constexpr int IDS_ERR_RESTRICT = 41010;
constexpr int IDS_ERR_ROW_COUNT = 41011;
constexpr int IDS_ERR_CREATE_ENTRY = 41012;
constexpr int IDS_ERR_SET_PROPS = 41013;
constexpr int IDS_ERR_ENTRY_EXISTS = 41014;
constexpr int IDS_ERR_SAVE_CHANGES = 41015;
// Reports of the phone road and the lists.
constexpr int IDS_ERR_BAD_STATUS = 41016;
constexpr int IDS_ERR_WRITE = 41017;
constexpr int IDS_ERR_NO_DATA = 41019;
constexpr int IDS_ERR_READ_ONLY = 41020;
constexpr int IDS_ERR_NAME_EXISTS = 41022; // also a question (Yes/No), "%s" the name
constexpr int IDS_ERR_INCOMPLETE = 41023;
constexpr int IDS_ERR_NO_DIRECTORY = 41024;
constexpr int IDS_ERR_FULL = 41025;

// Report classes (the first argument of Fehler_Melden).
constexpr int ERROR_CLASS_SOFTWARE = 2;
constexpr int ERROR_CLASS_EXCEPTIONAL = 3;
constexpr int ERROR_CLASS_OPERATING = 4;
constexpr int ERROR_CLASS_PHONE = 5;

// The text of id in UTF-8; null when the table has none.
const char* brevikString(int id);
// The text of id in the suite's Latin-1 bytes (for texts that become data, such as the
// comment words and the root folder's name); empty when the table has none.
std::string brevikStringLatin1(int id);

} // namespace brevik

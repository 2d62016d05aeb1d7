#include "phonebook/model/BrevikStrings.h"

#include <iterator>

namespace brevik {

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr Entry kTable[] = {
    {IDS_APP_TITLE, "Telefonbuch"},
    {IDS_DIR_OWN, "Own-Telefonbuch"},
    {IDS_DIR_SIM, "SIM-Telefonbuch"},
    {IDS_DIR_MOBILE, "Mobile Equipment-Telefonbuch"},
    {IDS_DIR_LAST_DIAL, "Last dial-Telefonbuch"},
    {IDS_DIR_FIX_DIAL, "Fix dial-Telefonbuch"},
    {IDS_DIR_MISSED, "Missed calls-Telefonbuch"},
    {IDS_DIR_CALL_BACK, "Call back-Telefonbuch"},
    {IDS_PAB_ROOT, "Persönliches Adressbuch"},
    {IDS_COLUMN_NAME, "Name"},
    {IDS_COLUMN_NUMBER, "Tel.-Nr."},
    {IDS_COLUMN_INDEX, "Nr."},
    {IDS_COLUMN_STATUS, "!"},
    {IDS_READING, "Telefonbuch wird gelesen..."},
    {IDS_DONE, "Aktion erfolgreich"},
    {IDS_WRITING, "Telefonbuch wird beschrieben..."},
    {IDS_PAB_WRITING, "Persönliches Adressbuch wird beschrieben..."},
    {IDS_STANDARD_STATUS, "Standard-Status"},
    {IDS_INDEX, "Index"},
    {IDS_VIP_STATUS, "VIP-Status"},
    {IDS_NEW_FOLDER_TITLE, "Verteilerliste (Ordner) bei aktueller Selektion einfügen"},
    {IDS_NEW_FOLDER_PROMPT, "Eingabe des Verteilerlisten-Namens:"},
    {IDS_OTHER_NAME_TITLE, "Eingabe eines anderen Namens für die Speicherung im PAB"},
    {IDS_OTHER_NAME_PROMPT, "Name eingeben:"},
    {IDS_NEW_PHONE_ENTRY_TITLE, "Einfügen eines neuen Eintrags in das Telefonbuch"},
    {IDS_NEW_PAB_ENTRY_TITLE, "Einfügen eines neuen Eintrags in das Persönliche Adressbuch"},
    {IDS_CHANGE_PHONE_ENTRY_TITLE, "Ändern eines existierenden Telefonbuch-Eintrags"},
    {IDS_CHANGE_PAB_ENTRY_TITLE, "Ändern eines existierenden Persönlichen Adressbuch-Eintrags"},
    {IDS_ASK_SAVE_PHONE_BEFORE_QUIT,
     "Es wurden Änderungen im Telefonbuch vorgenommen.\nSoll das Telefonbuch vor dem Verlassen gespeichert werden ?"},
    {IDS_ASK_SAVE_PAB_BEFORE_QUIT,
     "Es wurden Änderungen im Persönlichen Adressbuch vorgenommen.\nSoll das Persönliche Adressbuch vor dem "
     "Verlassen gespeichert werden ?"},
    {IDS_ASK_SAVE_PHONE_BEFORE_CHANGE,
     "Es wurden Änderungen im Telefonbuch vorgenommen.\nSoll das Telefonbuch vor dem Wechsel gespeichert werden ?"},
    {IDS_ASK_DELETE_ONE, "Soll dieser Eintrag wirklich gelöscht werden ?\n\n"},
    {IDS_ASK_DELETE_SEVERAL, "Sollen diese %1 Einträge wirklich gelöscht werden ?\n\n"},
    {IDS_HELP_FILE, "qvnpro.hlp"},
    {IDS_ASK_SAVE_PAB_BEFORE_FOLDER,
     "Es wurden Änderungen im Persönlichen Adressbuch vorgenommen.\nSoll das Persönliche Adressbuch vor dem "
     "Wechsel des Ordners gespeichert werden ?"},
    {IDS_ERR_MAPI_INIT, "Fehler bei MAPI-Initialisierung"},
    {IDS_ERR_MAPI_LOGON, "Fehler bei MAPI-Logon"},
    {IDS_ERR_OPEN_ADDRESS_BOOK, "Fehler bei Öffnen des Adreßbuches"},
    {IDS_ERR_OPEN_PAB, "Fehler bei Öffnen des Persönlichen Adreßbuches"},
    {IDS_ERR_OPEN_ROOT, "Fehler bei Öffnen des PAB-Root-Containers"},
    {IDS_ERR_NO_ENTRIES, "GetContentsTable: keine Einträge vorhanden."},
    {IDS_ERR_CONTENTS_TABLE, "Fehler bei Abfragen des PAB-Containers (GetContentsTable)"},
    {IDS_ERR_QUERY_ROWS, "Fehler bei Abfragen des PAB-Containers (HrQueryAllRows)"},
    {IDS_ERR_OPEN_PROPERTY, "Fehler bei Öffnen des PAB-Containers (OpenProperty)"},
    {IDS_ERR_SET_COLUMNS, "Fehler bei Öffnen des PAB-Containers (SetColumns)"},
    {IDS_ERR_RESTRICT, "Fehler bei Öffnen des PAB-Containers (Restrict)"},
    {IDS_ERR_ROW_COUNT, "Fehler bei Öffnen des PAB-Containers (GetRowCount)"},
    {IDS_ERR_CREATE_ENTRY, "Fehler bei Erzeugung des PAB-Eintrags (CreateEntry)"},
    {IDS_ERR_SET_PROPS, "Fehler bei Erzeugung des PAB-Eintrags (SetProps)"},
    {IDS_ERR_ENTRY_EXISTS, "Fehler bei Erzeugung des PAB-Eintrags: Der Eintrag existiert bereits."},
    {IDS_ERR_SAVE_CHANGES, "Fehler bei Erzeugung des PAB-Eintrags (SaveChanges)"},
    {IDS_ERR_BAD_STATUS, "Unzulässige Eingabe. Nur '!' oder '  ' möglich."},
    {IDS_ERR_WRITE,
     "Fehler bei der Kommunikation mit dem Telefon. \nMögliche Ursachen:\n1) Der Name existiert bereits\n2) Der "
     "Index wurde zu hoch gewählt (z.B. bei Own-Telefonbuch)\n3) Bestimmte Sonderzeichen wurden im Namen verwendet."},
    {IDS_ABORTED, "Aktion wurde abgebrochen."},
    {IDS_ERR_NO_DATA, "Es ist ein Fehler beim Lesen der Telefon-Daten aufgetreten: Keine Daten."},
    {IDS_ERR_READ_ONLY, "Fehler: Dieses Telefonbuch kann nur gelesen werden."},
    {IDS_NOTHING_TO_WRITE, "Keine Daten zum Schreiben vorhanden - Aktion wurde abgebrochen."},
    {IDS_ERR_NAME_EXISTS,
     "Der Name  '%s'  existiert bereits in der PAB-Liste - Speicherung nicht möglich.\nSoll ein anderer Name "
     "eingegeben werden ?"},
    {IDS_ERR_INCOMPLETE,
     "Unvollständige Eingabe (alle Felder - außer dem letzten -) müssen eingegeben werden.\nErgänzen Sie Ihre "
     "Eingabe."},
    {IDS_ERR_NO_DIRECTORY,
     "Es ist ein Fehler beim Lesen der Telefon-Daten aufgetreten: Das Telefonbuch ist nicht vorhanden."},
    {IDS_ERR_FULL, "Fehler: Maximalzahl der Telefonbuch-Einträge überschritten."},
};

} // namespace

const char* brevikString(int id)
{
    for (const Entry& e : kTable)
        if (e.id == id)
            return e.text;
    return nullptr;
}

std::string brevikStringLatin1(int id)
{
    const char* text = brevikString(id);
    std::string out;
    if (!text)
        return out;
    // The table's texts use only Latin-1 characters, so every UTF-8 sequence is two bytes.
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            out += char(c);
        } else if ((c & 0xE0) == 0xC0 && p[1]) {
            out += char(((c & 0x1F) << 6) | (static_cast<unsigned char>(p[1]) & 0x3F));
            ++p;
        }
    }
    return out;
}

} // namespace brevik

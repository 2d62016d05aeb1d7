// The organizer's string table. One row per text: its offset, the English text
// (string 10000 + offset) and the German text (string 20000 + offset).
#include "organizer/link/TessaroStrings.h"

#include "organizer/link/PublicVar.h"

#include <algorithm>
#include <iterator>

namespace tessaro {

namespace {

struct TextRow {
    int offset;
    const char* english;
    const char* german;
};

// Sorted by offset. Source files are UTF-8. Offsets 1, 7, 9 and 15 to 99 hold no text; 153 to 157
// hold numbers the entry editor reads per language.
const TextRow kTexts[] = {
    {0, "Date", "Termin"},
    {2, "synchronous  PC entries", "synchrone PC-Einträge"},
    {3, "Date Range", "Zeitraum"},
    {4, "Mobile", "Telefon"},
    {5, "Synch", "Synch"},
    {6, "all mobile entries", "alle Telefoneinträge"},
    {8, "Date", "Termin"},
    {10, "PC entries", "PC-Einträge"},
    {11, "Date Range", "Zeitbereich"},
    {12, "PC", "PC"},
    {13, "Synch", "Synch"},
    {14, "synchronous mobile entries", "synchrone Telefoneinträge"},
    {100, "Edit mobile entry", "Telefoneintrag bearbeiten"},
    {101, "PIM", "PIM"},
    {102, "The existing PIM is currently not supported. To you want to start without PIM?",
     "Die vorhandene Version des PIM wird nicht unterstützt! Wollen Sie ohne PIM starten?"},
    {103, "Too many new entries due to the serie. To you want to export all possible entries?",
     "Durch die Übertragung sind mehrere Serien entstanden! Die zulässige Anzahl an Einträgen wird überschritten. "
     "Sollen die zulässigen Einträge übertragen werden?"},
    {104, "Number of possible entries", "Anzahl der freien Einträge"},
    {105, "Entry", "Eintrag"},
    {106, "Mobile does not respond within timeout!", "Das Telefon hat in der vorgegebenen Zeit nicht reagiert!"},
    {107, "Please check mobile and cable!", "Bitte überprüfen Sie Telefon und Kabel!"},
    {108, "Ready reading mobile entries!", "Auslesen der Telefoneinträge beendet!"},
    {109, "Error reading mobile entries!", "Fehler beim Auslesen der Telefoneinträge!"},
    {110, "Ready reading Outlook entries!", "Einlesen der Outlookeinträge beendet!"},
    {111, "Do you really want to cancel?", "Wollen Sie wirklich abbrechen?"},
    {112, "Synchronize with the new date range?", "Mit neuem Zeitbereich synchronisieren?"},
    {113, "Too many entries!  Max possible entries", "Zu viele Einträge! Maximal möglich Einträge"},
    {114, "Mobile", "Telefon"},
    {115, "Warning! The entry will be deletet from the mobile. All entries of this SERIE will be removed, too!",
     "Achtung! Dieser Eintrag und alle weiteren Termine dieser Serie werden aus dem Telefon gelöscht."},
    {116, "Warning! The entry will be deletet from the mobile.",
     "Achtung! Dieser Eintrag wird aus dem Telefon gelöscht."},
    {117, "Are you sure?", "Sind Sie sicher?"},
    {118, "Warning! You are removing the entry from Outlook!", "Achtung! Dieser Eintrag wird aus dem PIM gelöscht."},
    {119, "Mobile OK", "Telefon erfolgreich getestet!"},
    {120, "Save changes?", "Änderungen speichern?"},
    {121, "Warning! You are removing all entries from the mobile!",
     "Achtung! Alle Termine im Telefon werden gelöscht!"},
    {122, "Searching for Outlook entries", "Suche nach Outlookeinträgen"},
    {123, "Search for entry", "Suche nach Eintrag"},
    {124, "Please wait. Reading status from mobile!", "Bitte warten, während der Telefonstatus eingelesen wird!"},
    {125, "Please wait. Reading entries from mobile!",
     "Bitte warten, während die Einträge des Telefons ausgelesen werden!"},
    {126, "Please wait. Writing entries to grid!", "Bitte warten, während die Tabelleneinträge erstellt werden!"},
    {127, "Warning! The entry will be deletet from Outlook. All entries of this SERIE will be removed, too!",
     "Achtung! Dieser Eintrag und alle weiteren Termine dieser Serie werden aus Outlook gelöscht."},
    {128, "from", "vom"},
    {129, "to", "bis"},
    {130, "Entries read", "Einträge gelesen"},
    {131, "Mobile Entries occupied", "Telefoneinträge belegt"},
    {132, "connected", "verbunden"},
    {133, "No mobile", "Kein Telefon"},
    {134, "offline", "nicht verbunden"},
    {135, "Read mobile entries.", "Telefoneinträge einlesen."},
    {136, "Read organizer entries.", "Outlookeinträge einlesen."},
    {137, "Select start date and date range.", "Startdatum und Zeitbereich festlegen."},
    {138, "Open entry.", "Eintrag bearbeiten."},
    {139, "Create new entry.", "Neuen Eintrag erstellen."},
    {140, "Delete entry.", "Eintrag löschen."},
    {141, "Clear Tessaro grids.", "Einträge aus den Tabellen löschen."},
    {142, "Test mobile.", "Telefon testen."},
    {143, "Save entry and close window.", "Eintrag speichern und Eingabe schließen."},
    {144, "Set entry date.", "Eintragdatum einstellen."},
    {145, "Activate serie.", "Serie aktivieren."},
    {146, "&Entry", "&Eintrag"},
    {147, "Hel&p", "&Hilfe"},
    {148, "&Delete entry", "Eintrag &löschen"},
    {149, "&Save and close", "Eintrag &speichern und schließen"},
    {150, "Se&rie", "S&erie"},
    {151, "Hel&p", "H&ilfe"},
    {152, "Abo&ut", "&Über"},
    {153, "4", "12"},
    {154, "19", "19"},
    {155, "18", "5"},
    {156, "16", "9"},
    {157, "21", "11"},
    {158, "The alarm cannot be activated as the alarm time is already past. Do you agree?",
     "Der Alarm kann nicht aktiviert werden, da die Alarmzeit bereits vergangen ist. Sind Sie einverstanden?"},
    {159, "User break.", "Abbruch durch Benutzer."},
    {160, "Mobile message", "Meldung vom Telefon"},
    {161, "Error reading from mobile: wrong type!", "Fehler beim Lesen der Telefondaten: falscher Typ!"},
    {162, "Error reading from mobile: wrong subtype!", "Fehler beim Lesen der Telefondaten: falscher Subtyp!"},
    {163, "Error reading from mobile: wrong block number!",
     "Fehler beim Lesen der Telefondaten: falsche Blocknummer!"},
    {164, "Error sending entry data to mobile: wrong receipt!", "Fehler beim Senden des Eintrags: falsche Quittung!"},
    {165, "Error! Reentrant call!", "Fehler! Funktion bereits aktiv!"},
    {166, "Error! Could not find source entry of", "Fehler beim Ermitteln des Quelleintrags zu"},
    {167, "Unexpected tag after", "Unerwarteter Tag nach"},
    {168, "Error! The Port is not available! Failed to open port: ",
     "Der Port ist nicht verfügbar! Fehler beim Öffnen des Port: "},
    {169, "A data upload is already active and cannot be reset by the application.",
     "Es ist ein Uploadvorgang aktiv, der vom Programm nicht zurückgesetzt werden kann."},
    {170, "Insert description text. The text may not exceed 16 characters!",
     "Text eintragen. Der Text ist auf max. 16 Zeichen begrenzt!"},
    {171, "Insert a phone number. The number may not exceed 21 characters including +!",
     "Telefonnummer eintragen. Die Nummer ist auf max. 21 Zeichen inklusive + begrenzt!"},
    {172, "Torvane Appointments", "Torvane Termine"},
    {173, "for mobile phones", "für Mobiltelefone"},
    {174, "COM-Port Settings", "COM-Port Einstellungen"},
    {175, "Enter start date.", "Startdatum eingeben."},
    {176, "Select time.", "Uhrzeit auswählen."},
    {177, "Select periode.", "Periode auswählen."},
    {178, "Start date of the active time range.", "Startdatum des aktiven Zeitbereichs."},
    {179, "End date of the active time range.", "Enddatum des aktiven Zeitbereichs."},
    {180, "Selection of possible date units.", "Auswahl der möglichen Perioden."},
    {181, "Number of date units.", "Anzahl der Datumseinheiten."},
    {182, "Switch on/off the alarm", "Wecker ein-/ausschalten"},
    {183, "Set Alarm", "Wecker setzen"},
};

} // namespace

QString LoadResString(int id)
{
    const bool german = id >= LanguageGerman;
    const int offset = id - (german ? LanguageGerman : LanguageEnglish);
    if (offset < 0 || offset >= LanguageGerman - LanguageEnglish)
        return {};
    const auto* row = std::lower_bound(std::begin(kTexts), std::end(kTexts), offset,
                                       [](const TextRow& r, int o) { return r.offset < o; });
    if (row == std::end(kTexts) || row->offset != offset)
        return {};
    return QString::fromUtf8(german ? row->german : row->english);
}

QString LangText(int offset)
{
    return LoadResString(LanguageBase + offset);
}

namespace {

QString byLanguage(const char* english, const char* german)
{
    return QString::fromLatin1(LanguageBase == LanguageGerman ? german : english);
}

} // namespace

QString LanguageFrameCaption()
{
    return byLanguage("Language", "Sprache");
}

QString CancelButtonCaption()
{
    return byLanguage("cancel", "abbrechen");
}

QString HelpFileName()
{
    return byLanguage("TessaroHelpe.hlp", "TessaroHelpd.hlp");
}

} // namespace tessaro

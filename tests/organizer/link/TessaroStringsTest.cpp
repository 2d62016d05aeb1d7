// The organizer's texts: every text of both blocks at its offset, the offsets without one, and
// the captions that are chosen between two fixed texts.
#include "organizer/link/LanguageSwitch.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaro {
namespace {

struct Text {
    int offset;
    const char8_t* english;
    const char8_t* german;
};

QString utf8(const char8_t* s)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(s));
}

// Written as the user reads them, slips of the pen and double blanks included.
const Text kTexts[] = {
    {0, u8"Date", u8"Termin"},
    {2, u8"synchronous  PC entries", u8"synchrone PC-Einträge"},
    {3, u8"Date Range", u8"Zeitraum"},
    {4, u8"Mobile", u8"Telefon"},
    {5, u8"Synch", u8"Synch"},
    {6, u8"all mobile entries", u8"alle Telefoneinträge"},
    {8, u8"Date", u8"Termin"},
    {10, u8"PC entries", u8"PC-Einträge"},
    {11, u8"Date Range", u8"Zeitbereich"},
    {12, u8"PC", u8"PC"},
    {13, u8"Synch", u8"Synch"},
    {14, u8"synchronous mobile entries", u8"synchrone Telefoneinträge"},
    {100, u8"Edit mobile entry", u8"Telefoneintrag bearbeiten"},
    {101, u8"PIM", u8"PIM"},
    {102, u8"The existing PIM is currently not supported. To you want to start without PIM?",
     u8"Die vorhandene Version des PIM wird nicht unterstützt! Wollen Sie ohne PIM starten?"},
    {103, u8"Too many new entries due to the serie. To you want to export all possible entries?",
     u8"Durch die Übertragung sind mehrere Serien entstanden! Die zulässige Anzahl an Einträgen wird "
     u8"überschritten. Sollen die zulässigen Einträge übertragen werden?"},
    {104, u8"Number of possible entries", u8"Anzahl der freien Einträge"},
    {105, u8"Entry", u8"Eintrag"},
    {106, u8"Mobile does not respond within timeout!", u8"Das Telefon hat in der vorgegebenen Zeit nicht reagiert!"},
    {107, u8"Please check mobile and cable!", u8"Bitte überprüfen Sie Telefon und Kabel!"},
    {108, u8"Ready reading mobile entries!", u8"Auslesen der Telefoneinträge beendet!"},
    {109, u8"Error reading mobile entries!", u8"Fehler beim Auslesen der Telefoneinträge!"},
    {110, u8"Ready reading Outlook entries!", u8"Einlesen der Outlookeinträge beendet!"},
    {111, u8"Do you really want to cancel?", u8"Wollen Sie wirklich abbrechen?"},
    {112, u8"Synchronize with the new date range?", u8"Mit neuem Zeitbereich synchronisieren?"},
    {113, u8"Too many entries!  Max possible entries", u8"Zu viele Einträge! Maximal möglich Einträge"},
    {114, u8"Mobile", u8"Telefon"},
    {115, u8"Warning! The entry will be deletet from the mobile. All entries of this SERIE will be removed, too!",
     u8"Achtung! Dieser Eintrag und alle weiteren Termine dieser Serie werden aus dem Telefon gelöscht."},
    {116, u8"Warning! The entry will be deletet from the mobile.",
     u8"Achtung! Dieser Eintrag wird aus dem Telefon gelöscht."},
    {117, u8"Are you sure?", u8"Sind Sie sicher?"},
    {118, u8"Warning! You are removing the entry from Outlook!",
     u8"Achtung! Dieser Eintrag wird aus dem PIM gelöscht."},
    {119, u8"Mobile OK", u8"Telefon erfolgreich getestet!"},
    {120, u8"Save changes?", u8"Änderungen speichern?"},
    {121, u8"Warning! You are removing all entries from the mobile!",
     u8"Achtung! Alle Termine im Telefon werden gelöscht!"},
    {122, u8"Searching for Outlook entries", u8"Suche nach Outlookeinträgen"},
    {123, u8"Search for entry", u8"Suche nach Eintrag"},
    {124, u8"Please wait. Reading status from mobile!", u8"Bitte warten, während der Telefonstatus eingelesen wird!"},
    {125, u8"Please wait. Reading entries from mobile!",
     u8"Bitte warten, während die Einträge des Telefons ausgelesen werden!"},
    {126, u8"Please wait. Writing entries to grid!", u8"Bitte warten, während die Tabelleneinträge erstellt werden!"},
    {127, u8"Warning! The entry will be deletet from Outlook. All entries of this SERIE will be removed, too!",
     u8"Achtung! Dieser Eintrag und alle weiteren Termine dieser Serie werden aus Outlook gelöscht."},
    {128, u8"from", u8"vom"},
    {129, u8"to", u8"bis"},
    {130, u8"Entries read", u8"Einträge gelesen"},
    {131, u8"Mobile Entries occupied", u8"Telefoneinträge belegt"},
    {132, u8"connected", u8"verbunden"},
    {133, u8"No mobile", u8"Kein Telefon"},
    {134, u8"offline", u8"nicht verbunden"},
    {135, u8"Read mobile entries.", u8"Telefoneinträge einlesen."},
    {136, u8"Read organizer entries.", u8"Outlookeinträge einlesen."},
    {137, u8"Select start date and date range.", u8"Startdatum und Zeitbereich festlegen."},
    {138, u8"Open entry.", u8"Eintrag bearbeiten."},
    {139, u8"Create new entry.", u8"Neuen Eintrag erstellen."},
    {140, u8"Delete entry.", u8"Eintrag löschen."},
    {141, u8"Clear Tessaro grids.", u8"Einträge aus den Tabellen löschen."},
    {142, u8"Test mobile.", u8"Telefon testen."},
    {143, u8"Save entry and close window.", u8"Eintrag speichern und Eingabe schließen."},
    {144, u8"Set entry date.", u8"Eintragdatum einstellen."},
    {145, u8"Activate serie.", u8"Serie aktivieren."},
    {146, u8"&Entry", u8"&Eintrag"},
    {147, u8"Hel&p", u8"&Hilfe"},
    {148, u8"&Delete entry", u8"Eintrag &löschen"},
    {149, u8"&Save and close", u8"Eintrag &speichern und schließen"},
    {150, u8"Se&rie", u8"S&erie"},
    {151, u8"Hel&p", u8"H&ilfe"},
    {152, u8"Abo&ut", u8"&Über"},
    {153, u8"4", u8"12"},
    {154, u8"19", u8"19"},
    {155, u8"18", u8"5"},
    {156, u8"16", u8"9"},
    {157, u8"21", u8"11"},
    {158, u8"The alarm cannot be activated as the alarm time is already past. Do you agree?",
     u8"Der Alarm kann nicht aktiviert werden, da die Alarmzeit bereits vergangen ist. Sind Sie einverstanden?"},
    {159, u8"User break.", u8"Abbruch durch Benutzer."},
    {160, u8"Mobile message", u8"Meldung vom Telefon"},
    {161, u8"Error reading from mobile: wrong type!", u8"Fehler beim Lesen der Telefondaten: falscher Typ!"},
    {162, u8"Error reading from mobile: wrong subtype!", u8"Fehler beim Lesen der Telefondaten: falscher Subtyp!"},
    {163, u8"Error reading from mobile: wrong block number!",
     u8"Fehler beim Lesen der Telefondaten: falsche Blocknummer!"},
    {164, u8"Error sending entry data to mobile: wrong receipt!",
     u8"Fehler beim Senden des Eintrags: falsche Quittung!"},
    {165, u8"Error! Reentrant call!", u8"Fehler! Funktion bereits aktiv!"},
    {166, u8"Error! Could not find source entry of", u8"Fehler beim Ermitteln des Quelleintrags zu"},
    {167, u8"Unexpected tag after", u8"Unerwarteter Tag nach"},
    {168, u8"Error! The Port is not available! Failed to open port: ",
     u8"Der Port ist nicht verfügbar! Fehler beim Öffnen des Port: "},
    {169, u8"A data upload is already active and cannot be reset by the application.",
     u8"Es ist ein Uploadvorgang aktiv, der vom Programm nicht zurückgesetzt werden kann."},
    {170, u8"Insert description text. The text may not exceed 16 characters!",
     u8"Text eintragen. Der Text ist auf max. 16 Zeichen begrenzt!"},
    {171, u8"Insert a phone number. The number may not exceed 21 characters including +!",
     u8"Telefonnummer eintragen. Die Nummer ist auf max. 21 Zeichen inklusive + begrenzt!"},
    {172, u8"Torvane Appointments", u8"Torvane Termine"},
    {173, u8"for mobile phones", u8"für Mobiltelefone"},
    {174, u8"COM-Port Settings", u8"COM-Port Einstellungen"},
    {175, u8"Enter start date.", u8"Startdatum eingeben."},
    {176, u8"Select time.", u8"Uhrzeit auswählen."},
    {177, u8"Select periode.", u8"Periode auswählen."},
    {178, u8"Start date of the active time range.", u8"Startdatum des aktiven Zeitbereichs."},
    {179, u8"End date of the active time range.", u8"Enddatum des aktiven Zeitbereichs."},
    {180, u8"Selection of possible date units.", u8"Auswahl der möglichen Perioden."},
    {181, u8"Number of date units.", u8"Anzahl der Datumseinheiten."},
    {182, u8"Switch on/off the alarm", u8"Wecker ein-/ausschalten"},
    {183, u8"Set Alarm", u8"Wecker setzen"},
};

TEST(TessaroStrings, EveryTextOfBothBlocksAtItsOffset)
{
    for (const Text& t : kTexts) {
        EXPECT_EQ(LoadResString(10000 + t.offset), utf8(t.english)) << t.offset;
        EXPECT_EQ(LoadResString(20000 + t.offset), utf8(t.german)) << t.offset;
    }
}

TEST(TessaroStrings, LookupFollowsTheLanguageBase)
{
    const std::int16_t saved = LanguageBase;
    for (const Text& t : kTexts) {
        LanguageBase = 10000;
        EXPECT_EQ(LangText(t.offset), utf8(t.english)) << t.offset;
        LanguageBase = 20000;
        EXPECT_EQ(LangText(t.offset), utf8(t.german)) << t.offset;
    }
    LanguageBase = saved;
}

TEST(TessaroStrings, OffsetsWithoutTextAreEmpty)
{
    std::set<int> held;
    for (const Text& t : kTexts)
        held.insert(t.offset);
    EXPECT_EQ(held.size(), 96u);
    for (int offset = -5; offset < 10000; ++offset) {
        if (held.count(offset))
            continue;
        EXPECT_TRUE(LoadResString(10000 + offset).isEmpty()) << offset;
        EXPECT_TRUE(LoadResString(20000 + offset).isEmpty()) << offset;
    }
    for (int id : {0, 172, 9999, 30000, 30172, -1})
        EXPECT_TRUE(LoadResString(id).isEmpty()) << id;
}

TEST(TessaroStrings, TwoWayCaptionsAreGermanOnlyAt20000)
{
    const std::int16_t saved = LanguageBase;
    struct Case {
        std::int16_t base;
        const char* frame;
        const char* cancel;
        const char* help;
    };
    const Case cases[] = {
        {10000, "Language", "cancel", "TessaroHelpe.hlp"},
        {20000, "Sprache", "abbrechen", "TessaroHelpd.hlp"},
        {0, "Language", "cancel", "TessaroHelpe.hlp"},
    };
    for (const Case& c : cases) {
        LanguageBase = c.base;
        EXPECT_EQ(LanguageFrameCaption(), QLatin1String(c.frame)) << c.base;
        EXPECT_EQ(CancelButtonCaption(), QLatin1String(c.cancel)) << c.base;
        EXPECT_EQ(HelpFileName(), QLatin1String(c.help)) << c.base;
    }
    LanguageBase = saved;
}

} // namespace
} // namespace tessaro

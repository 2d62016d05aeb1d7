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

// Sorted by offset. Source files are UTF-8.
const TextRow kTexts[] = {
    {106, "Mobile does not respond within timeout!", "Das Telefon hat in der vorgegebenen Zeit nicht reagiert!"},
    {107, "Please check mobile and cable!", "Bitte überprüfen Sie Telefon und Kabel!"},
    {160, "Mobile message", "Meldung vom Telefon"},
    {161, "Error reading from mobile: wrong type!", "Fehler beim Lesen der Telefondaten: falscher Typ!"},
    {162, "Error reading from mobile: wrong subtype!", "Fehler beim Lesen der Telefondaten: falscher Subtyp!"},
    {163, "Error reading from mobile: wrong block number!", "Fehler beim Lesen der Telefondaten: falsche Blocknummer!"},
    {165, "Error! Reentrant call!", "Fehler! Funktion bereits aktiv!"},
    {167, "Unexpected tag after", "Unerwarteter Tag nach"},
    {168, "Error! The Port is not available! Failed to open port: ",
     "Der Port ist nicht verfügbar! Fehler beim Öffnen des Port: "},
    {169, "A data upload is already active and cannot be reset by the application.",
     "Es ist ein Uploadvorgang aktiv, der vom Programm nicht zurückgesetzt werden kann."},
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

} // namespace tessaro

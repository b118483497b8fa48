// The save question that every change of the shown page asks, and the
// clearing of the page that follows it.
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace book {

bool Zeitbuch::Seite_sichern_fragen() {
    if (host().actionEnabled(Action::Speichern) && bearbeitungErlaubt) {
        static const std::string frage =
            platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden");
        if (platform::MessageBox(frage, "Achtung", platform::Buttons::YesNo) ==
            platform::Answer::Yes) {
            const bool inDatenbank = angemeldet;
            bool gesichert = inDatenbank ? Monat_speichern() : host().saveMonthFileAs();
            // A database save that failed has said why; the month file is the
            // way out that its message points to. After "Nein" to overwriting
            // another program's save the page simply stays.
            if (!gesichert && inDatenbank && !ueberschreibenAbgelehnt)
                gesichert = host().saveMonthFileAs();
            if (!gesichert) return false;  // nothing is cleared after a failed save
        }
        host().enableAction(Action::Speichern, false);
    }
    host().setTextCursor(0, 0);  // the cleared page has no selection
    seiteLeeren();
    tag = 1;
    Summen_anzeigen(0);
    host().adjustScrollRange();
    host().repaintSheet(true);
    host().setTimeCaret(5);
    Zeile_auswaehlen(0, true, false);
    if (!angemeldet) host().setCalendarYearBlock(false);
    return true;
}

}  // namespace book

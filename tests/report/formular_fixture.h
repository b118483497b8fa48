// A statement form as a user keeps it in "Formular.txt": head fields from
// table 1, one frame row per sheet line from table 2, the standby weeks from
// table 3, sums, conditions and groups.
// Returned as Windows-1252 bytes.
#pragma once

#include <string>

#include "platform/core/codepage.h"

namespace report::testing {

inline const char* formularUtf8() {
    return R"(# Überstundenabrechnung - Formular für den Ausdruck
ausrichtung hochformat
seiten 2
set schrifthöhe 9 fontart normal

frame oben 200 links 0 breite 1900 höhe 220 tabelle tab1
  object rechteck oben 0 links 0 breite 1900 höhe 220 stift 8 farbe 404040 end
  object dbtext text Name oben 50 links 20 breite 700 höhe 50 fontart fett wenn datensatz end
end

seitenframe
  object bitmap text Logo oben 0 links 1500 breite 400 höhe 180 gruppe 1 else Ersatzlogo end
  object label text "Überstunden- und Bereitschaftsabrechnung" oben 40 links 0
    breite 1400 höhe 80 schrifthöhe 16 fontart fett fontart unterstrichen ausrichtung hmitte end
  object seitevon text " von " oben 2760 links 1600 breite 200 höhe 40 end
end

set oben 450 höhe 60 schrifthöhe 7 fontart fett
object label text "lfd Nr" links 0 breite 90 end
set oben 0 höhe 40 schrifthöhe 8 fontart normal

frame oben 520 links 0 breite 1900 höhe 1500 tabelle tab2
  object dbtext text Datum links 90 breite 110 wenn änderung end
  object dbtext text Gesamt links 600 breite 110 ausrichtung rechts add SummeGesamt end
  object dbtext text Text links 1110 breite 790 höhe 120 ausrichtung box ausrichtung vmitte
    anzeige format end
  object linie oben 40 links 0 breite 1900 höhe 0 stift 2 farbe C0C0C0 wenn nerster end
  object variable text Zeilen wert 1 typ zahl wenn letzter end
end

frame oben 2050 links 0 breite 650 höhe 300 tabelle tab3 spalten 2
  object dbtext text KW oben 40 links 10 breite 80 wenn nleer einzelschritt 40 end
end
data tab3
  row "KW","VB"
  row --,keine Bereitschaft
end

set oben 2650 höhe 40 schrifthöhe 8 gruppe 0 farbe 000000 stift 5 anzahl 0
object label text "Kopie" oben 1000 links 800 breite 300 textwinkel 450 schrittweite 0
  wenn neueseite farbe 8080FF end
)";
}

inline std::string formularText() {
    static const std::string text = platform::cp1252(formularUtf8());
    return text;
}

}  // namespace report::testing

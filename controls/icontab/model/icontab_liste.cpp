// The editor's lists: the drop-down's pick list of strings, and the list
// inputs that take their entries from another table or a list source.
#include <algorithm>

#include "controls/icontab/model/icontab_bedienung.h"

namespace table {

Rect listenPlatz(const Rect& box, int eintraege, int itemHoehe, int oben, int unten) {
    const int h = std::max(eintraege, 1) * itemHoehe + 2;
    Rect r{box.left, box.bottom, box.left + std::max(box.width(), 100), box.bottom + h};
    if (r.bottom <= unten) return r;
    if (unten - box.bottom >= 10 * itemHoehe) {
        r.bottom = unten;
        return r;
    }
    r.bottom = box.top;
    r.top = box.top - h;
    if (r.top < oben) r.top = oben;
    return r;
}

int IconTabBedienung::listenAnzahl() const {
    if (!eingabe_) return 0;
    const Filter_Struct& f = eingabe_->filter;
    switch (eingabe_->art) {
        case 1:
            return f.Liste ? static_cast<int>(f.Liste->size()) : 0;
        case 2:
            if (const Tabdefinition* q = f.Tabelle ? f.Tabelle->aktuelleTabelle() : nullptr)
                return std::max(0, q->rowCount() - q->FixedRows);
            return 0;
        case 3:
            return f.Quelle ? f.Quelle->anzahl() : 0;
        default:
            return 0;
    }
}

std::string IconTabBedienung::listenEintrag(int i) const {
    if (!eingabe_ || i < 0 || i >= listenAnzahl()) return {};
    const Filter_Struct& f = eingabe_->filter;
    switch (eingabe_->art) {
        case 1:
            return (*f.Liste)[static_cast<size_t>(i)];
        case 2: {
            const Tabdefinition* q = f.Tabelle->aktuelleTabelle();
            return q->zelle(q->FixedRows + i, f.Suchspalte);
        }
        case 3:
            return f.Quelle->eintrag(i);
        default:
            return {};
    }
}

// Up and Down in a list input: the neighbouring entry of the source.
void IconTabBedienung::listenSchritt(bool hoch) {
    Eingabe& e = *eingabe_;
    const int n = listenAnzahl();
    int i = e.listIndex;
    if (e.art == 2 && i >= 0 && e.filter.Tabelle != nullptr) {
        if (const Tabdefinition* q = e.filter.Tabelle->aktuelleTabelle()) i -= q->FixedRows;
    }
    i = i < 0 ? 0 : i + (hoch ? -1 : 1);
    if (n == 0 || i < 0 || i >= n) return;
    e.text.SetString(-1, listenEintrag(i));
    e.selStart = 0;
    e.selLaenge = e.text.GetTextLength();
    e.cursor = Cursordef{0, 0, e.cursor.Scroll};
    e.geaendert = true;
    e.listIndex = i;
    if (e.art == 2 && e.filter.Tabelle != nullptr) {
        IconTabBedienung& q = *e.filter.Tabelle;
        if (Tabdefinition* qt = q.aktuelleTabelle()) {
            e.listIndex = qt->FixedRows + i;
            q.ChangeRow(e.listIndex, qt);
        }
    }
    cursorSetzen(0, true);
}

// Typing in a list input completes the text from the source.
void IconTabBedienung::listenSuche() {
    Eingabe& e = *eingabe_;
    const std::string vor = e.text.GetTextStr(EingabeText::kVorCursor, e.cursor, 0, 0);
    int row = -1;
    std::string treffer;
    int gleich = 0;
    if (e.art == 2 && e.filter.Tabelle != nullptr) {
        SuchResult r;
        row = e.filter.Tabelle->FindRow(vor, true, e.filter.Suchspalte, nullptr, -1, false, -1, &r);
        if (row >= 0) {
            treffer = e.filter.Tabelle->GetCell(e.filter.Suchspalte, row);
            gleich = r.matched;
        }
    } else if (e.art == 3 && e.filter.Quelle != nullptr) {
        // The first entry that starts with the typed text.
        for (int i = 0; i < e.filter.Quelle->anzahl() && row < 0; ++i) {
            const std::string s = e.filter.Quelle->eintrag(i);
            if (gleicheZeichen(vor, s) == static_cast<int>(vor.size())) {
                row = i;
                treffer = s;
                gleich = static_cast<int>(vor.size());
            }
        }
    }
    if (row < 0) {
        beep();
        return;
    }
    e.listIndex = row;
    e.text.SetString(-1, treffer);
    e.selStart = gleich;
    e.selLaenge = e.text.GetTextLength() - gleich;
    e.cursor = e.text.PosinCurPos(gleich);
}

void IconTabBedienung::listeOeffnen() {
    Eingabe& e = *eingabe_;
    if (e.art != 1 || !e.filter.Liste) return;  // nothing to pick from
    e.liste = *e.filter.Liste;
    e.listeWahl = e.liste.empty() ? -1 : 0;
    const std::string text = eingabeText();
    if (!text.empty()) {
        // The first entry the text starts, case folded as the searches fold.
        for (size_t i = 0; i < e.liste.size(); ++i) {
            if (gleicheZeichen(text, e.liste[i]) == static_cast<int>(text.size())) {
                e.listeWahl = static_cast<int>(i);
                break;
            }
        }
    }
    e.listeOffen = true;
    listeZeigen(true);
}

void IconTabBedienung::listeSchliessen() {
    if (!eingabe_ || !eingabe_->listeOffen) return;
    eingabe_->listeOffen = false;
    listeZeigen(false);
}

void IconTabBedienung::SetListIndex(int index, int step) {
    if (!eingabe_ || !eingabe_->listeOffen) return;
    Eingabe& e = *eingabe_;
    int neu = index;
    if (step != 0) neu = (step & 0x80) ? e.listeWahl - 1 : e.listeWahl + 1;
    if (neu == e.listeWahl || neu < 0 || neu >= static_cast<int>(e.liste.size())) return;
    e.listeWahl = neu;
    listeZeigen(true);
}

std::string IconTabBedienung::GetListEintrag() {
    if (!eingabe_ || eingabe_->listeWahl < 0 ||
        eingabe_->listeWahl >= static_cast<int>(eingabe_->liste.size()))
        return {};
    eingabe_->listIndex = eingabe_->listeWahl;
    return eingabe_->liste[static_cast<size_t>(eingabe_->listeWahl)];
}

void IconTabBedienung::listeGeklickt(int index) {
    if (!eingabe_ || !eingabe_->listeOffen) return;
    SetListIndex(index, 0);
    Eingabe& e = *eingabe_;
    const std::string wahl = GetListEintrag();
    listeSchliessen();
    if (e.listIndex < 0) return;
    e.text.SetString(-1, wahl);
    e.selLaenge = 0;
    e.cursor = Cursordef{};
    e.geaendert = true;
    eingabeUebernehmen();
    cursorSetzen(0, true);
}

}  // namespace table

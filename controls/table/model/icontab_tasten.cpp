// Keys of IconTabBedienung: row movement, Enter through the editable cells,
// the editor's cursor keys and the pick lists, typed characters.
#include <algorithm>

#include "controls/table/model/icontab_bedienung.h"

namespace table {
namespace {

// Control characters of Ctrl+C, Ctrl+V and Ctrl+X.
constexpr char kCtrlC = 3;
constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;

}  // namespace

void IconTabBedienung::EvKeyUp(Taste taste) {
    if (taste == Taste::Shift) shift_ = false;
}

void IconTabBedienung::EvKeyDown(Taste taste) {
    if (taste == Taste::Shift) {
        shift_ = true;
        return;
    }
    if (eingabeOffen() && editorTaste(taste)) return;
    switch (taste) {
        case Taste::Tab:
            NextWindow();
            break;
        case Taste::Enter: {
            const Tabdefinition* t = letzteFokusTabelle();
            if (OnDoppelKlick && t != nullptr && t->Selected >= t->FixedRows) OnDoppelKlick(*this);
            break;
        }
        case Taste::SeiteHoch:
            Ver_Change(SB_PAGEUP, 0);
            break;
        case Taste::SeiteRunter:
            Ver_Change(SB_PAGEDOWN, 0);
            break;
        case Taste::F3:
            weiter_ = true;
            Suche(kSucheJetzt);
            break;
        case Taste::Links:
            zeileBewegen(true, 1);
            break;
        case Taste::Rechts:
            zeileBewegen(false, 1);
            break;
        case Taste::Hoch:
            zeileBewegen(true, zeilenSchritt());
            break;
        case Taste::Runter:
            zeileBewegen(false, zeilenSchritt());
            break;
        default:
            break;
    }
}

// Up and Down step by a row, in the icon view by a line of tiles.
int IconTabBedienung::zeilenSchritt() const {
    const Tabdefinition* t = letzteFokusTabelle();
    if (t == nullptr || t->Anzeige != A_Icon) return 1;
    const DetailPane& p = pane();
    if (Detailfenster() && p.zeilenNeben > 0) {
        const int kachel = t->Selected - t->FixedRows;
        if (kachel >= 0 && kachel < p.kachelnNeben * p.zeilenNeben) return mindestens1(p.kachelnNeben);
    }
    return mindestens1(layout().iconsProZeile);
}

void IconTabBedienung::zeileBewegen(bool hoch, int schritt) {
    Tabdefinition* t = letzteFokusTabelle();
    if (t == nullptr) t = aktuelleTabelle();
    if (t == nullptr) return;
    int ziel;
    if (t->Selected < t->FixedRows || !t->hatRow(t->Selected)) {
        // Nothing selected: the first plain data row.
        ziel = t->FixedRows;
        while (t->hatRow(ziel) && t->Rows[static_cast<size_t>(ziel)].Art != 0) ++ziel;
        if (!t->hatRow(ziel)) return;
        if (hoch && neueZeileAn() && t->Anzeige == A_Tabelle && t->Selected < 0) return;
    } else {
        ziel = t->Selected + (hoch ? -schritt : schritt);
        while (t->hatRow(ziel) && ziel >= t->FixedRows && t->Rows[static_cast<size_t>(ziel)].Art != 0)
            ziel += hoch ? -1 : 1;
    }
    if (ziel < t->FixedRows) {
        // Above the first data row: the new-record line, or the top.
        if (neueZeileAn() && t->Anzeige == A_Tabelle && t->FixedRows == 0 &&
            t == GetTabelle(0, false)) {
            neueZeileWaehlen(t);
            return;
        }
        if (topRow() != 0) Ver_Change(SB_THUMBPOSITION, 0);
        return;
    }
    if (ziel >= t->rowCount()) {
        if (topRow() != maxTopRow()) Ver_Change(SB_THUMBPOSITION, maxTopRow());
        return;
    }
    suchText_.clear();
    const int spalte = eingabeOffen() ? eingabe_->spalte : 0;
    if (eingabeOffen()) {
        eingabeUebernehmen();
        ChangeRow(ziel, t);
        Set_Input(ziel);
        cursorSetzen(0, true);
    } else {
        ChangeRow(ziel, t);
    }
    setAktuelleSpalte(spalte);
    if (OnSelectCell) OnSelectCell(*this, ziel, spalte);
    if (suchfeldDa()) suchfeldNotFund(0);
}

void IconTabBedienung::neueZeileWaehlen(Tabdefinition* t) {
    if (t->Selected < 0) return;
    suchText_.clear();
    if (eingabeOffen()) {
        eingabeUebernehmen();
        Input_Show(false);
    }
    ChangeRow(-1, t);
    if (OnSelectCell) OnSelectCell(*this, -1, 0);
}

void IconTabBedienung::EvKeyChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 32 || ch == '\b') {
        if (eingabeOffen()) {
            tippen(ch);
            return;
        }
        if (suchfeldDa()) {
            suchfeldZeichen(ch);
        } else if (ch == '\b') {
            if (suchText_.empty()) return;
            suchText_.pop_back();
        } else {
            suchText_ += ch;
        }
        Suche(kSucheJetzt);
        return;
    }
    if (!eingabeOffen() || eingabe_->art != 0) return;
    switch (ch) {
        case kCtrlC:
            EvPopUp(Befehl::Kopieren);
            break;
        case kCtrlV:
            EvPopUp(Befehl::Einfuegen);
            break;
        case kCtrlX:
            EvPopUp(Befehl::Ausschneiden);
            break;
        default:
            break;
    }
}

// ---- Keys inside the editor; false leaves the key to the grid ----

bool IconTabBedienung::editorTaste(Taste taste) {
    Eingabe& e = *eingabe_;
    const bool liste = e.art == 2 || e.art == 3;
    switch (taste) {
        case Taste::Esc:
            if (e.listeOffen) {
                listeSchliessen();
            } else if (e.tab != nullptr) {
                Set_Input(e.tab->Selected);
                cursorSetzen(0, true);
            }
            return true;
        case Taste::Enter:
            enterImEditor();
            return true;
        case Taste::Entf:
            if (e.art != 0) return true;
            if (e.selLaenge > 0) {
                DelSelect(false);
            } else {
                const Cursordef c = e.text.begrenzt(e.cursor);
                e.text.DeleteText(c.Zeile, c.Spalte, 1);
            }
            e.geaendert = true;
            cursorSetzen(0, true);
            return true;
        case Taste::Zurueck:
            if (!liste) return true;
            [[fallthrough]];
        case Taste::Links:
        case Taste::Rechts: {
            if (e.listeOffen) return true;
            const bool links = taste != Taste::Rechts;
            if (liste) {
                // The selection runs from the cursor to the end.
                e.cursor = e.text.bewege(e.cursor, links ? -1 : 1);
                e.selStart = e.text.SetSelStart(e.cursor.Zeile, e.cursor.Spalte);
                e.selLaenge = e.text.GetTextLength() - e.selStart;
                cursorSetzen(0, true);
            } else {
                e.selLaenge = 0;
                cursorSetzen(links ? -1 : 1, true);
            }
            return true;
        }
        case Taste::Hoch:
        case Taste::Runter: {
            const bool hoch = taste == Taste::Hoch;
            if (e.listeOffen) {
                SetListIndex(e.listeWahl, hoch ? 0x80 : 1);
                return true;
            }
            if (e.art == 1 && !hoch) {
                listeOeffnen();
                return true;
            }
            if (liste) {
                listenSchritt(hoch);
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

// Enter: the next editable cell, the next row, the next table, or out.
void IconTabBedienung::enterImEditor() {
    Eingabe& e = *eingabe_;
    if (e.listeOffen) {
        const std::string wahl = GetListEintrag();
        listeSchliessen();
        if (e.listIndex >= 0) {
            e.text.SetString(-1, wahl);
            e.geaendert = true;
        }
    }
    Tabdefinition* t = e.tab;
    if (t == nullptr) return;
    const bool geaendert = e.geaendert;
    eingabeUebernehmen();
    if (!eingabe_ || eingabe_->tab != t) return;
    const int row = t->Selected;
    int zielRow = row;
    int zielSpalte = naechsteEditSpalte(t, row, e.spalte);
    const bool letzte = row == t->rowCount() - 1;
    if (zielSpalte < 0 || (letzte && NeuerDatensatz && !geaendert)) {
        zielSpalte = -1;
        if (!letzte) {
            zielRow = row + 1;
            zielSpalte = naechsteEditSpalte(t, zielRow, -1);
        } else {
            for (int n = t->Nummer + 1; n < tabellenZahl(); ++n) {
                Tabdefinition* u = GetTabelle(n, false);
                if (u->EditMaske == 0 || u->rowCount() <= u->FixedRows) continue;
                const int s = naechsteEditSpalte(u, u->FixedRows, -1);
                if (s < 0) continue;
                t = u;
                zielRow = u->FixedRows;
                zielSpalte = s;
                setFokusTabelle(u);
                break;
            }
        }
    }
    if (zielSpalte < 0) {
        // No cell left: the focus goes on.
        Input_Show(false);
        if (OnNextWindow) {
            OnNextWindow(*this);
        } else {
            NextWindow();
        }
        return;
    }
    e.spalte = zielSpalte;
    e.tab = t;
    if (zielRow != t->Selected) ChangeRow(zielRow, t);
    Set_Input(zielRow);
    cursorSetzen(0, true);
    neuZeichnen();
    setAktuelleSpalte(zielSpalte);
    if (OnSelectCell) OnSelectCell(*this, zielRow, zielSpalte);
    if (shift_) {
        if (OnNextWindow) {
            OnNextWindow(*this);
        } else {
            NextWindow();
        }
    }
}

// The first column after `nach` in the mask that OnIsEditCol allows; -1 none.
int IconTabBedienung::naechsteEditSpalte(Tabdefinition* t, int row, int nach) {
    for (int c = std::max(nach + 1, 0); c < 32 && c < t->Spalten; ++c) {
        if (!(t->EditMaske & spaltenBit(c))) continue;
        bool enabled = true;
        if (OnIsEditCol) OnIsEditCol(*this, row, c, enabled, t->Nummer);
        if (enabled) return c;
    }
    return -1;
}

// ---- Pick lists ----

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
        row = e.filter.Tabelle->FindRow(vor, true, e.filter.Suchspalte, false, -1, false, -1, &r);
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
        for (size_t i = 0; i < e.liste.size(); ++i) {
            if (e.liste[i].compare(0, text.size(), text) == 0) {
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

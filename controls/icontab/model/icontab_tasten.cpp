// Keys of IconTabBedienung: row movement, Enter through the editable cells,
// the editor's cursor keys, typed characters.
#include <algorithm>

#include "controls/icontab/model/icontab_bedienung.h"

namespace table {
namespace {

// Control characters of Ctrl+C, Ctrl+V and Ctrl+X.
constexpr char kCtrlC = 3;
constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;
// DEL: the desktop reports the Delete key with this text.
constexpr unsigned char kDel = 0x7F;

}  // namespace

void IconTabBedienung::EvKeyUp(Taste taste) {
    if (taste == Taste::Shift) shift_ = false;
}

void IconTabBedienung::EvKeyVorab(Taste taste) {
    if (taste == Taste::Shift) shift_ = true;
}

void IconTabBedienung::EvKeyDown(Taste taste) {
    if (taste == Taste::Shift) {
        shift_ = true;
        return;
    }
    // Without a table that had the focus there is nothing the keys act on.
    if (letzteFokusTabelle() == nullptr) return;
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
        if (kachel >= 0 && kachel < p.kachelnNeben * p.zeilenNeben)
            return mindestens1(p.kachelnNeben);
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
        while (t->hatRow(ziel) && ziel >= t->FixedRows &&
               t->Rows[static_cast<size_t>(ziel)].Art != 0)
            ziel += hoch ? -1 : 1;
    }
    if (ziel < t->FixedRows) {
        // Above the first data row: the new-record line, or the top.
        if (neueZeileAn() && t->Anzeige == A_Tabelle) {
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
    // Control characters are never typed text; Backspace deletes.
    if ((c >= 32 && c != kDel) || ch == '\b') {
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

// Enter: the next editable cell, the next data row, the next table, or out.
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
    // The way on starts from the row typed in: the commit's handler may
    // move the selection or change the kinds of the rows.
    const int row = t->Selected;
    const int spalte = e.spalte;
    eingabeUebernehmen();
    if (!eingabe_ || eingabe_->tab != t) return;
    int zielRow = row;
    int zielSpalte = -1;
    if (datenZeile(*t, row)) zielSpalte = naechsteEditSpalte(t, row, spalte);
    const bool letzte = row == t->rowCount() - 1;
    if (zielSpalte < 0 || (letzte && NeuerDatensatz && !geaendert)) {
        zielSpalte = -1;
        zielRow = naechsteDatenZeile(*t, row);
        if (zielRow >= 0) {
            zielSpalte = naechsteEditSpalte(t, zielRow, -1);
        } else {
            for (int n = t->Nummer + 1; n < tabellenZahl(); ++n) {
                Tabdefinition* u = GetTabelle(n, false);
                const int r = naechsteDatenZeile(*u, u->FixedRows - 1);
                if (u->EditMaske == 0 || r < 0) continue;
                const int s = naechsteEditSpalte(u, r, -1);
                if (s < 0) continue;
                t = u;
                zielRow = r;
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
    eingabe_->spalte = zielSpalte;
    eingabe_->tab = t;
    if (zielRow != t->Selected) ChangeRow(zielRow, t);
    if (!eingabe_ || !t->hatRow(zielRow)) return;
    Set_Input(zielRow);
    if (!eingabe_ || eingabe_->tab != t) return;  // OnGetFilter switched the editor off
    // A handler that closed the editor under the commit does not end Enter.
    eingabe_->sichtbar = true;
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

// Rows that take input: data rows of no kind.
bool IconTabBedienung::datenZeile(const Tabdefinition& t, int row) {
    return row >= t.FixedRows && t.hatRow(row) && t.Rows[static_cast<size_t>(row)].Art == 0;
}

// The first data row below `nach`; -1 none.
int IconTabBedienung::naechsteDatenZeile(const Tabdefinition& t, int nach) {
    for (int r = std::max(nach + 1, t.FixedRows); r < t.rowCount(); ++r)
        if (datenZeile(t, r)) return r;
    return -1;
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

}  // namespace table

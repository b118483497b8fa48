// Mouse and focus of IconTabBedienung: the hit test over the screen layout,
// presses on title cells (sort and search column), on data cells (selection
// and the editor), releases (context menus, double clicks).
#include <algorithm>

#include "controls/table_shared/edit_kontextmenue.h"
#include "controls/icontab/model/icontab_bedienung.h"

namespace table {
namespace {

struct Treffer {
    int row = -1;
    int col = -1;
    bool neueZeile = false;
};

// The row under (x, y) in the icon views, as the shared layout placed
// their tiles and entries; -1 none.
int kachelTreffer(const Tabdefinition& t, const TabellenPlatz& p, const LayoutMasse& m, int x,
                  int y) {
    int index = -1;
    if (y >= p.bottom) return -1;  // the gap below the table
    if (t.Anzeige == A_IconList) {
        const int dy = y - p.top + p.scroll;
        if (dy >= 0) index = dy / mindestens1(m.listZeilenHoehe);
    } else if (t.Anzeige == A_Icon && m.icons) {
        index = kachelBei(p.kacheln, x, y);
    }
    if (index < 0) return -1;
    const long long row = static_cast<long long>(t.FixedRows) + index;
    return row < t.rowCount() ? static_cast<int>(row) : -1;
}

// Fixed cells: the fixed rows and, in the grid, the fixed columns.
bool festeZelle(const Tabdefinition& t, int row, int col) {
    return row < t.FixedRows || (t.Anzeige == A_Tabelle && col >= 0 && col < t.FixedCols);
}

}  // namespace

void IconTabBedienung::EvButton(Knopf knopf, bool druck, int x, int y) {
    if (!hatFokus()) {
        if (!druck) return;
        fokusNehmen();
    }
    if (eingabe_ && eingabe_->listeOffen) {
        // Only the list takes clicks while it is open.
        listeZeigen(true);
        return;
    }
    const Tabdefinition* altHit = hitTab_;
    hitTab_ = nullptr;
    hitRow_ = -1;
    hitCol_ = -1;
    if (altHit != nullptr) neuZeichnen();  // the pressed look ends
    const TabBild b = bild();
    if (y < b.masse.captionHoehe) {
        if (druck && knopf == Knopf::Rechts) captionMenu(x, y);
        if (druck && knopf == Knopf::Links && DragDrop) ziehenBeginnen(x, y);
        if (!druck) loslassen(knopf, x, y);
        return;
    }
    if (druck) gedrueckt_ = true;
    const TabellenPlatz* p = b.tabelleBei(y);
    Tabdefinition* t = p ? GetTabelle(p->tab->Nummer, false) : nullptr;
    const int tabNummer = t != nullptr ? t->Nummer : -1;
    Treffer h;
    if (t != nullptr && gedrueckt_) {
        if (t->Anzeige == A_Tabelle) {
            if (const ZeilenPlatz* z = b.zeileBei(*p, y)) {
                if (z->row == kNeueZeile) {
                    h.neueZeile = true;
                } else if (!(t->Rows[static_cast<size_t>(z->row)].Art & kTitelZeile)) {
                    h.row = z->row;
                    if (const SpaltenPlatz* s =
                            b.spalteBei(*p, t->Rows[static_cast<size_t>(z->row)], x))
                        h.col = s->col;
                    // A chart with several label columns: its label columns 1
                    // and 3 and the right button hit no column.
                    if (t->IstGrafik && t->GrafikLabelSpalten > 1 &&
                        (h.col == 1 || h.col == 3 || knopf == Knopf::Rechts))
                        h.col = -1;
                }
            }
        } else if (t->Anzeige == A_Bitmap) {
            if (druck) bildZoomen(knopf == Knopf::Links);
        } else {
            h.row = kachelTreffer(*t, *p, masse(), x, y);
        }
    }
    if (h.neueZeile && druck && t->Selected >= 0) neueZeileWaehlen(t);
    if (t != nullptr && h.row >= 0) {
        hitTab_ = t;
        hitRow_ = h.row;
        hitCol_ = h.col;
        if (festeZelle(*t, h.row, h.col)) {
            fixDruck(t, knopf, druck, h.row, h.col, x);
        } else if (druck) {
            datenDruck(t, knopf, h.row, h.col, x, y);
        } else if (knopf == Knopf::Rechts) {
            // Right release on a data row: a context menu.
            if (eingabeOffen() && eingabe_->art == 0) {
                const int sel = eingabe_->selLaenge > 0 ? kAusschneiden | kKopieren | kLoeschen : 0;
                editMenu(x, y, sel | kEinfuegen | kZeilenumbruch);
            } else {
                kontextMenu(x, y);
            }
        }
    }
    // A host's handler (a selection event, a menu choice) may have freed the
    // table meanwhile.
    if (t != nullptr && GetTabelle(tabNummer, false) != t) t = nullptr;
    // The drawing has no rows: a right release there opens the context menu,
    // which offers to print the drawing.
    if (t != nullptr && t->Anzeige == A_Vektor && gedrueckt_ && !druck && knopf == Knopf::Rechts)
        kontextMenu(x, y);
    if (!druck) {
        // A double click completes on its release.
        if (doppel_) {
            doppel_ = false;
            const Tabdefinition* f = letzteFokusTabelle();
            if (OnDoppelKlick && f != nullptr && f->Selected >= f->FixedRows &&
                hitTab_ != nullptr && hitRow_ >= hitTab_->FixedRows)
                OnDoppelKlick(*this);
        }
        loslassen(knopf, x, y);
    } else if (knopf == Knopf::Links && DragDrop) {
        ziehenBeginnen(x, y);
    }
}

void IconTabBedienung::loslassen(Knopf, int, int) {
    gedrueckt_ = false;
    mausAktionBeenden();
    if (hitTab_ != nullptr && hitRow_ >= 0 && festeZelle(*hitTab_, hitRow_, hitCol_)) {
        hitTab_ = nullptr;
        hitRow_ = -1;
        hitCol_ = -1;
        neuZeichnen();
    }
}

// A fixed cell (a title cell, or a fixed column of a data row): the left
// button sorts, the right one picks the search column.
void IconTabBedienung::fixDruck(Tabdefinition* t, Knopf knopf, bool druck, int row, int col,
                                int x) {
    if (!druck || col < 0) return;
    if (knopf == Knopf::Links && spaltenGroesseBeginnen(x)) {
        // Grabbing a border presses no title cell.
        hitTab_ = nullptr;
        hitRow_ = -1;
        hitCol_ = -1;
        return;
    }
    if (knopf == Knopf::Links && Sortierung()) {
        const bool abwaerts = col == sortSpalte() ? !Abwaerts() : Abwaerts();
        setSortierung(col, abwaerts);
        if (OnSortCell) OnSortCell(*this, static_cast<char>(col), abwaerts);
        if (GetTabelle(t->Nummer, false) != t) return;  // the host rebuilt the tables
    } else if (knopf == Knopf::Rechts && col < kSpaltenGrenze) {
        setSuchSpalte(col);
        if (suchNamen()) suchfeldSpalte(col);
    }
    neuZeichnen();
    if (OnClickFixed) OnClickFixed(*this, row, col);
}

// A data cell: the selection moves there, the editor follows or closes.
void IconTabBedienung::datenDruck(Tabdefinition* t, Knopf knopf, int row, int col, int x, int y) {
    if (t->Rows[static_cast<size_t>(row)].Art & kTitelZeile) return;  // grey rows are data
    const bool wechsel = t != letzteFokusTabelle() || row != t->Selected;
    if (eingabe_ && t->EditMaske != 0) {
        bool editierbar = col >= 0 && (t->EditMaske & spaltenBit(col)) && t->Anzeige == A_Tabelle;
        if (editierbar && OnIsEditCol) OnIsEditCol(*this, row, col, editierbar, t->Nummer);
        if (GetTabelle(t->Nummer, false) != t || !t->hatRow(row)) return;
        const bool drin = eingabeAuf(t, row, col);
        if (!editierbar) {
            if (eingabeOffen()) {
                eingabeUebernehmen();
                Input_Show(false);
            }
        } else if (drin && knopf == Knopf::Rechts) {
            // The edit menu follows on the release and acts on the selection.
        } else if (drin) {
            Eingabe& e = *eingabe_;
            e.selLaenge = 0;
            SetMouseCursor(x, y);
            auswahlBeginnen();
            if (e.art == 1 && x >= e.box.right - 14) {
                listeOeffnen();
            } else if (e.art == 2 || e.art == 3) {
                e.selStart = e.text.SetSelStart(e.cursor.Zeile, e.cursor.Spalte);
                e.selLaenge = e.text.GetTextLength() - e.selStart;
                cursorSetzen(0, true);
            }
        } else {
            eingabeUebernehmen();
            if (!eingabe_ || !t->hatRow(row)) return;
            setFokusTabelle(t);
            if (wechsel) ChangeRow(row, t);
            eingabe_->spalte = col;
            eingabe_->tab = t;
            Set_Input(row);
            eingabe_->sichtbar = true;
            cursorSetzen(0, true);
            neuZeichnen();
        }
    }
    if (!t->hatRow(row)) return;
    if (wechsel) {
        suchText_.clear();
        setFokusTabelle(t);
        if (t->Selected != row) ChangeRow(row, t);
        if (suchfeldDa()) suchfeldNotFund(0);
    }
    setAktuelleSpalte(std::max(col, 0));
    if (wechsel) neuZeichnen();
    if (OnSelectCell && (auswahlSichtbar() || ZwangsMessage)) OnSelectCell(*this, row, col);
}

// ---- Focus ----

void IconTabBedienung::EvActivate() {
    if (suchfeldDa()) {
        suchfeldVerbinden();
        suchfeldSpalte(-1);
        if (const Tabdefinition* t = GetTabelle(tabellenZahl() - 1, false); t && t->FixedRows > 0) {
            const int namen = t->FixedRows - 1;
            for (int c = 0; c < t->SichtSpaltenLayout && c < t->Spalten && c < kSpaltenGrenze; ++c)
                suchfeldSpaltenName(t->zelle(namen, c), c);
            if (t->zelleDa(namen, suchSpalte())) suchfeldSpalte(suchSpalte());
        }
    }
    neuZeichnen();
    shift_ = false;
}

void IconTabBedienung::EvKillFocus() {
    if (eingabeOffen()) {
        listeSchliessen();
        // Committed while still open: closing forgets the text.
        if (eingabe_->geaendert) TextChange();
        if (eingabe_) Input_Show(false);
    }
    gedrueckt_ = false;
    mausAktionBeenden();
    neuZeichnen();
    if (suchfeldDa()) suchfeldNotFund(0);
}

}  // namespace table

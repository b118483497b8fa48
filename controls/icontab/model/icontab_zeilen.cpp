// The row and cell operations of IconTabModell: reading, inserting,
// deleting and clearing rows, selection, row kinds, fixed rows and columns,
// lazy data columns and copying a table.
#include <algorithm>
#include <new>
#include <stdexcept>

#include "controls/icontab/model/icontab_modell.h"
#include "platform/core/message_box.h"

namespace table {

std::string IconTabModell::GetCell(int col, int row, int tab) {
    Tabdefinition* t = tab >= 0 ? GetTabelle(tab, false) : row != -1 ? aktuell_ : letzteFokus_;
    if (t == nullptr) return {};
    if (col == -1) {
        col = aktSpalte_;
        if (t->Selected >= 0) {
            row = t->Selected;
        } else if (!auswahlSichtbar_) {
            return {};
        }
    } else if (row == -1) {
        if (t->Selected < 0) return {};
        row = t->Selected;
    }
    if (t->index(row, col) < 0) return {};
    if (eingabeAuf(t, row, col)) return eingabeText();
    if (t->Rows[static_cast<size_t>(row)].DatenCols & spaltenBit(col)) {
        GetDaten(row, t);
        if (!lebt(t)) return {};
    }
    return t->zelle(row, col);
}

int IconTabModell::GetRowCount(bool all, int tab) {
    const Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return 0;
    return t->rowCount() - (all ? 0 : t->FixedRows);
}

bool IconTabModell::IfSelected() const {
    return aktuell_ != nullptr && aktuell_->Selected >= aktuell_->FixedRows &&
           aktuell_->Selected >= 0 && auswahlSichtbar_;
}

void IconTabModell::SetTyp(int col) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || col <= 0 || col >= t->Spalten || t->Numerisch.empty()) return;
    t->Numerisch[static_cast<size_t>(col)] = 1;
}

// ---- Inserting ----

void IconTabModell::gruppeNachEinfuegen(Tabdefinition& t, int p) {
    RowDef* rd = t.row(p);
    if (rd == nullptr || p <= t.FixedRows || t.zelle(p, 0).empty()) return;
    const int gruppenSpalte = std::min(t.FixedCols, t.Spalten - 1);
    if (gruppenSpalte < 0 || t.Numerisch.empty() || t.Numerisch[static_cast<size_t>(gruppenSpalte)])
        return;
    rd->Gruppe = 0;
    for (int c = 0, n = t.FixedCols; c < t.Spalten && n < t.SichtSpalten - 1 && n < 255; ++c, ++n) {
        if (!t.zelleDa(p, c) || t.zelle(p, c) != t.zelle(p - 1, c)) break;
        rd->Gruppe = static_cast<std::uint8_t>(n + 1);
    }
}

void IconTabModell::einfuegen(Tabdefinition& t, int p, const std::vector<std::string>* cells,
                              size_t& s, int value) {
    RowDef rd;
    rd.Hoehe = DefaultRowHeight;
    rd.DatenCols = DatenCols;
    rd.Wert = value;
    t.Rows.insert(t.Rows.begin() + p, rd);
    t.Hoehe += DefaultRowHeight;

    const size_t start = static_cast<size_t>(p) * static_cast<size_t>(t.Spalten);
    const bool quelle = cells != nullptr && s < cells->size();
    if (t.Zellen.size() < start) {
        if (!quelle) return;
        t.Zellen.resize(start);
    }
    t.Zellen.insert(t.Zellen.begin() + static_cast<std::ptrdiff_t>(start),
                    static_cast<size_t>(t.Spalten), std::string());
    for (int c = 0; c < t.Spalten; ++c) {
        if (cells == nullptr || s >= cells->size()) break;
        const std::string& text = (*cells)[s++];
        t.Zellen[start + static_cast<size_t>(c)] = text;
        if (!AutoBreite || breitenVomBenutzer_ || c >= t.SichtSpaltenLayout) continue;
        if (p == 0 && !MitUeberschrift) continue;
        int bedarf = metrik_->breite(text, false) + 4;
        if (p == 0 && (suchfeldDa() || sortierung_)) {
            bedarf += 16;
        } else {
            if (c == t.FixedCols && !Zusatztext.empty())
                bedarf += metrik_->breite(Zusatztext, false);
            bedarf += 4;
        }
        SpaltenEintrag& e = t.SpaltenInfo[static_cast<size_t>(c)];
        if (e.Breite < bedarf) e.Breite = bedarf;
    }
    zeilenHoeheAnpassen(t, p);
}

int IconTabModell::InsertRow(int row, const std::vector<std::string>* cells, int count, int value,
                             int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr || row > t->rowCount() || row < -1 || count < 1) return -1;
    int p = row == -1 ? t->rowCount() : row;
    if (!eingabeVorVerschieben(t, p, false) || p > t->rowCount()) return -1;
    try {
        size_t s = 0;
        for (int k = 0; k < count; ++k) {
            einfuegen(*t, p, cells, s, value);
            if (Group) gruppeNachEinfuegen(*t, p);
            ++p;
        }
        if (Group) gruppeNachEinfuegen(*t, p);
    } catch (const std::bad_alloc&) {
        platform::MessageBox(kSpeicherFehler, "Fehler", platform::Buttons::Ok);
        return -1;
    } catch (const std::length_error&) {
        platform::MessageBox(kSpeicherFehler, "Fehler", platform::Buttons::Ok);
        return -1;
    }
    auswahlPruefen(t);
    if (lock_ && !AutoUpdate) return p;
    SetGroesse();
    neuZeichnen();
    hintSetzen(datensaetze(*t));
    return p;
}

// After rows moved: a selection that no longer names a data row goes.
void IconTabModell::auswahlPruefen(Tabdefinition* t) {
    if (t->Selected >= t->rowCount() || (t->Selected >= 0 && t->Selected < t->FixedRows))
        ChangeRow(-1, t);
}

// The editor follows the selected row's index, not its record: before rows
// at or above it come or go, its input is stored into the record it was
// typed for and it closes; on a deleted row it closes without storing.
bool IconTabModell::eingabeVorVerschieben(Tabdefinition* t, int row, bool geloescht) {
    if (!eingabeAuf(t, -1, -1) || row > t->Selected) return true;
    if (geloescht && row == t->Selected) {
        eingabeVerbergen();
        return true;
    }
    return eingabeAbschliessen(t);
}

bool IconTabModell::eingabeAbschliessen(Tabdefinition* t) {
    if (!eingabeAuf(t, -1, -1)) return true;
    const int nummer = t->Nummer;
    eingabeUebernehmen();
    // The commit's handler may have rebuilt the tables.
    if (GetTabelle(nummer, false) != t) return false;
    eingabeVerbergen();
    return true;
}

void IconTabModell::DeleteRow(int row) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || !t->hatRow(row)) return;
    if (!eingabeVorVerschieben(t, row, true) || !t->hatRow(row)) return;
    const size_t start = static_cast<size_t>(row) * static_cast<size_t>(t->Spalten);
    if (start < t->Zellen.size()) {
        const size_t ende = std::min(t->Zellen.size(), start + static_cast<size_t>(t->Spalten));
        t->Zellen.erase(t->Zellen.begin() + static_cast<std::ptrdiff_t>(start),
                        t->Zellen.begin() + static_cast<std::ptrdiff_t>(ende));
    }
    t->Hoehe -= t->Rows[static_cast<size_t>(row)].Hoehe;
    t->Rows.erase(t->Rows.begin() + row);
    if (t->Selected == t->rowCount()) --t->Selected;
    if (t->Selected >= 0 && t->Selected < t->FixedRows) t->Selected = -1;
    SetGroesse();
    neuZeichnen();
    hintSetzen(datensaetze(*t));
}

void IconTabModell::Clear(bool all, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return;
    std::vector<std::string> titel;
    if (!all && !t->Zellen.empty() && !t->Rows.empty() && t->FixedRows >= 1) {
        const size_t n = std::min(t->Zellen.size(), static_cast<size_t>(t->Spalten));
        titel.assign(t->Zellen.begin(), t->Zellen.begin() + static_cast<std::ptrdiff_t>(n));
    }
    t->Zellen.clear();
    t->Rows.clear();
    t->Hoehe = 0;
    if (all || t->Anzeige == A_Bitmap || t->Anzeige == A_Vektor) {
        bitmapAnsichtLeeren(t);
        eingabeVergessen(t);
        t->Selected = -1;
    } else {
        t->Zellen = std::move(titel);
        RowDef rd;
        rd.Hoehe = DefaultRowHeight;
        rd.DatenCols = DatenCols;
        rd.Wert = t->ZeilenLayout ? -1 : t->SichtSpalten;
        const int n = std::max(0, t->FixedRows) + (NeuerDatensatz ? 1 : 0);
        t->Rows.assign(static_cast<size_t>(n), rd);
        t->Hoehe = n * DefaultRowHeight;
        for (int r = 0; r < t->FixedRows && r < n; ++r) zeilenHoeheAnpassen(*t, r);
        // Row 1 stays selected only where it still exists.
        t->Selected = t->Selected >= 1 && 1 < n && 1 >= t->FixedRows ? 1 : -1;
    }
    if (eingabeSichtbar()) eingabeVerbergen();
    hintSetzen(0);
    SetGroesse();
    neuZeichnen();
}

// ---- Selection ----

int IconTabModell::GetRow() const {
    if (!auswahlSichtbar_) return -2;
    const Tabdefinition* t = letzteFokus_ ? letzteFokus_ : aktuell_;
    return t ? t->Selected : -2;
}

void IconTabModell::SetRow(int row) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || row >= t->rowCount()) return;
    if (row >= 0) {
        row = std::max(row, t->FixedRows);
        if (row >= t->rowCount()) return;
        auswahlSichtbar_ = true;
    } else if (row == -2) {
        auswahlSichtbar_ = false;
        row = -1;
    } else {
        auswahlSichtbar_ = true;
        row = -1;
    }
    ChangeRow(row, t);
}

void IconTabModell::ChangeRow(int row, Tabdefinition* table) {
    if (table == nullptr) return;
    if (row < 0 || row >= table->rowCount()) row = -1;
    auswahlWechsel();
    eingabeUebernehmen();
    if (!Multitabselect) {
        for (const auto& t : tabellen_) {
            if (t.get() == table || t->Selected < 0) continue;
            const int alt = t->Selected;
            t->Selected = -1;
            if (eingabeAuf(t.get(), -1, -1)) eingabeVerbergen();
            zeichneZeile(alt, t.get());
        }
    }
    const int alt = table->Selected;
    table->Selected = row;
    if (row != alt) eingabeZeileGewechselt(table);
    // Without a selected row the new-record line shows as chosen.
    if (neueZeileAn_ && table->Anzeige == A_Tabelle && (alt < 0) != (row < 0))
        zeichneZeile(kNeueZeile, table);
    if (alt >= 0) zeichneZeile(alt, table);
    if (row >= 0) {
        // The new row's repaint brings it into view, in whichever table.
        neueAuswahl_ = true;
        struct Ende {
            bool& f;
            ~Ende() { f = false; }
        } ende{neueAuswahl_};
        zeichneZeile(row, table);
    }
}

int IconTabModell::NextRow(bool up, unsigned steps, Tabdefinition* table) {
    Tabdefinition* t = table ? table : aktuell_;
    if (t == nullptr) return -1;
    int r = std::max(t->Selected, t->FixedRows);
    int ergebnis = -1;
    for (;;) {
        if (r < t->FixedRows || r >= t->rowCount()) break;
        if (t->Rows[static_cast<size_t>(r)].Art == 0 && steps == 0) {
            ergebnis = r;
            break;
        }
        r += up ? -1 : 1;
        if (steps > 0) --steps;
    }
    if (ergebnis != -1) return ergebnis;
    if (t->Selected >= t->FixedRows && t->Selected < t->rowCount()) return t->Selected;
    t->Selected = t->FixedRows < t->rowCount() ? t->FixedRows : -1;
    return -1;
}

// ---- Row attributes ----

void IconTabModell::SetRowColor(int row, TColor colour) {
    if (RowDef* rd = aktuell_ ? aktuell_->row(row) : nullptr) {
        rd->Farbe = colour;
        if (!lock_) neuZeichnen();
    }
}

void IconTabModell::SetRowIcon(int row, int icon) {
    if (RowDef* rd = aktuell_ ? aktuell_->row(row) : nullptr) {
        rd->Icon = icon;
        if (!lock_) neuZeichnen();
    }
}

void IconTabModell::SetRowStatus(int row, int symbol) {
    if (RowDef* rd = aktuell_ ? aktuell_->row(row) : nullptr) {
        rd->Status = symbol;
        if (!lock_) neuZeichnen();
    }
}

void IconTabModell::SetRowArt(unsigned row, RowArt art) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || row >= static_cast<unsigned>(t->rowCount())) return;
    const int r = static_cast<int>(row);
    // A selected row that takes a kind loses the selection: the editor on it
    // stores its input into this record first.
    if (art != 0 && t->Selected == r && (!eingabeAbschliessen(t) || !t->hatRow(r))) return;
    zeilenArt(*t, r, art);
}

void IconTabModell::zeilenArt(Tabdefinition& t, int row, RowArt art) {
    RowDef& rd = t.Rows[static_cast<size_t>(row)];
    t.Hoehe -= rd.Hoehe;
    rd.Art = art;
    bool geaendert = false;
    if (art & kTitelZeile) {
        rd.Hoehe = t.zelle(row, 0).empty() ? DefaultRowHeight / 2 : metrik_->titelHoehe();
        geaendert = true;
    } else {
        // Otherwise the row is as high as its tallest cell.
        rd.Zeilen = zeilenZahl(t, row);
        if (rd.Hoehe != hoeheFuer(rd.Zeilen)) {
            rd.Hoehe = hoeheFuer(rd.Zeilen);
            geaendert = true;
        }
    }
    t.Hoehe += rd.Hoehe;
    if (art != 0 && t.Selected == row) {
        t.Selected = -1;
        eingabeZeileGewechselt(&t);
    }
    if (lock_ && !AutoUpdate) return;
    if (geaendert) {
        SetGroesse();
        neuZeichnen();
    } else {
        zeichneZeile(row, &t);
    }
}

std::vector<std::string> IconTabModell::GetRowCells(int row) const {
    std::vector<std::string> out;
    if (aktuell_ == nullptr || !aktuell_->hatRow(row)) return out;
    for (int c = 0; c < aktuell_->Spalten; ++c) out.push_back(aktuell_->zelle(row, c));
    return out;
}

std::vector<std::pair<std::string, int>> IconTabModell::Get_Spalten(int first,
                                                                    bool flaggedOnly) const {
    std::vector<std::pair<std::string, int>> out;
    if (tabellen_.empty()) return out;
    const Tabdefinition& t = *tabellen_.back();
    if (t.FixedRows <= 0 || t.Numerisch.empty()) return out;
    const int namensZeile = t.FixedRows - 1;
    for (int c = std::max(0, first); c < t.SichtSpaltenLayout && c < t.Spalten; ++c) {
        if (flaggedOnly && t.Numerisch[static_cast<size_t>(c)] == 0) continue;
        out.emplace_back(
            t.zelleDa(namensZeile, c) ? t.zelle(namensZeile, c) : "Spalte " + std::to_string(c + 1),
            c);
    }
    return out;
}

int IconTabModell::Get_GrafSpalte() const {
    if (aktuell_ == nullptr) return -1;
    const int s = aktuell_->Grafik.WertSpalte;
    return s >= aktuell_->FixedCols && s < aktuell_->SichtSpaltenLayout ? s
                                                                        : aktuell_->FixedCols + 1;
}

void IconTabModell::SetFixedRows(int n, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr || n < 0) return;
    // The selected record becomes a fixed row and the selection moves on:
    // the editor stores its input into that record first.
    if (t->Selected >= 0 && t->Selected < n && !eingabeAbschliessen(t)) return;
    t->FixedRows = n;
    if (t->Selected >= 0 && t->Selected < n) t->Selected = NextRow(false, 0, t);
    if (detail_) BerechneListe(t);
    if (t->IstGrafik) Set_Grafik(t, false, -1);
    if (lock_ && !AutoUpdate) return;
    SetGroesse();
    neuZeichnen();
}

void IconTabModell::SetFixedCols(int n, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr || n < 0) return;
    t->FixedCols = n;
    if (detail_) BerechneListe(t);
    if (t->IstGrafik) Set_Grafik(t, false, -1);
    SetGroesse();
    neuZeichnen();
}

void IconTabModell::SetColWidth(int col, int width) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || t->SpaltenInfo.empty() || col < 0 || col >= t->SichtSpalten) return;
    t->SpaltenInfo[static_cast<size_t>(col)] = {width, width, 1};
    eingabeVerschieben();
    neuZeichnen();
}

void IconTabModell::breiteVomBenutzer(Tabdefinition& t, int col, int breite) {
    if (col < 0 || col >= static_cast<int>(t.SpaltenInfo.size())) return;
    t.SpaltenInfo[static_cast<size_t>(col)].Breite = breite;
    breitenVomBenutzer_ = true;
}

char IconTabModell::Sort_Spalte() const {
    return static_cast<char>((sortSpalte_ & 0x7F) | (abwaerts_ ? 0x80 : 0));
}

void IconTabModell::WSort_Spalte(char spalte) {
    const auto b = static_cast<unsigned char>(spalte);
    abwaerts_ = (b & 0x80) != 0;
    sortSpalte_ = b & 0x7F;
    neuZeichnen();  // the marker stands in the last title row, which need not be row 0
}

// ---- Lazy data columns ----

void IconTabModell::GetDaten(int row, Tabdefinition* t) {
    if (!OnGetDaten || t == nullptr || !t->hatRow(row)) return;
    scratch_.clear();
    for (int c = 0; c < t->Spalten; ++c) scratch_.push_back(t->zelle(row, c));
    const std::uint32_t maske = t->Rows[static_cast<size_t>(row)].DatenCols;
    // Cleared first: a handler that reads the row again does not recurse.
    t->Rows[static_cast<size_t>(row)].DatenCols = 0;
    const bool gesperrt = lock_;
    lock_ = true;
    layoutGeaendert_ = false;
    std::vector<std::string> liste = scratch_;
    OnGetDaten(*this, row, liste, maske, t->Nummer);
    bool layout = false;
    if (lebt(t) && t->hatRow(row)) {
        // Entries the handler dropped leave their cells as they are.
        for (int c = 0; c < t->Spalten && c < static_cast<int>(liste.size()); ++c) {
            const std::string& neu = liste[static_cast<size_t>(c)];
            if (t->zelleDa(row, c) && t->zelle(row, c) == neu) continue;
            const RowDef& rd = t->Rows[static_cast<size_t>(row)];
            SetCell(static_cast<unsigned>(row), static_cast<unsigned>(c), neu, rd.Farbe, rd.Icon,
                    t->Nummer);
            layout = layout || layoutGeaendert_;
            if (!lebt(t) || !t->hatRow(row)) break;
        }
    }
    lock_ = gesperrt;
    layoutGeaendert_ = layout;
}

void IconTabModell::SetDatenCols(int row, std::uint32_t mask, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr || !t->hatRow(row)) return;
    t->Rows[static_cast<size_t>(row)].DatenCols = mask;
    if (row >= t->ErsteSichtbare) neuZeichnen();
}

std::uint32_t IconTabModell::GetDatenCols(int row, int tab) {
    const Tabdefinition* t = tabelle(tab);
    const RowDef* rd = t ? t->row(row) : nullptr;
    return rd ? rd->DatenCols : 0;
}

// ---- Copy ----

void IconTabModell::Tab_Kopie(IconTabModell* target) {
    if (target == nullptr || tabellen_.empty() || target == this) return;
    const Tabdefinition& q = *tabellen_.front();
    target->SetTabelle(static_cast<unsigned>(q.rowCount()), static_cast<unsigned>(q.Spalten),
                       q.SichtSpalten, 0);
    Tabdefinition* z = target->GetTabelle(0, false);
    if (z == nullptr) return;
    // Cell by cell: a text with a line break stays one cell, and its row
    // as high as it needs.
    z->Zellen = q.Zellen;
    for (int r = 0; r < z->rowCount(); ++r) target->zeilenHoeheAnpassen(*z, r);
    for (int c = 0; c < q.Spalten; ++c)
        target->SetColWidth(c, q.SpaltenInfo[static_cast<size_t>(c)].Breite);
    target->FEndUpdate(false);
}

}  // namespace table

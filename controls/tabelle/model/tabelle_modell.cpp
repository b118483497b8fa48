#include "controls/tabelle/model/tabelle_modell.h"

#include <algorithm>

namespace table {
namespace {

// Result bits of the search field's comparison (see such_text.h).
constexpr int kGleich = static_cast<int>(0x80000000u);
constexpr int kPraefix = 0x40000000;
constexpr int kAnzahl = 0x3FFFFFFF;

constexpr TColor kGelb = 0x00FFFF;
constexpr int kNeueZeileHoehe = 20;
constexpr int kStartZeilenHoehe = 16;
// Room beside a title for the sort arrow or the search marker.
constexpr int kMarkerPlatz = 14;

// The capital of a Windows-1252 character.
char gross(char ch) {
    const auto b = static_cast<unsigned char>(ch);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 0x10);
    if (b == 0xFF) return static_cast<char>(0x9F);
    return ch;
}

// True when `text` stands at the start of the cell written in capitals.
bool amAnfangGross(const std::string& zelle, const std::string& text) {
    if (text.size() > zelle.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (gross(zelle[i]) != text[i]) return false;
    return true;
}

const std::string kLeer;

}  // namespace

TabelleModell::TabelleModell(GitterMetrik* metrik) {
    setMetrik(metrik);
    SetColCount(5);
    SetRowCount(5);
    SetDefaultRowHeight(kStartZeilenHoehe);
    SetFixedCols(0);
    SetOptions((Options() | goRowSelect | goColSizing | goThumbTracking) & ~goRangeSelect);
}

TabelleModell::~TabelleModell() = default;

void TabelleModell::FNeueZeile(bool on) {
    neueZeile_ = on;
    SetRowHeight(1, on ? kNeueZeileHoehe : DefaultRowHeight());
    neuZeichnen();
}

// ---- The table ----

void TabelleModell::SetTabelle(int rows, int cols, unsigned visibleCols) {
    lock_ = true;
    if (suchfeldDa() && !suchfeldHatZiel()) {
        suchfeldVerbinden();
        suchfeldSpalte(-1);
    }
    cols = std::max(cols, 1);
    if (grafik_.an && cols != spalten_) {
        const auto i = static_cast<size_t>(grafik_.v);
        if (i < zellen_.size()) grafikTitel_ = zellen_[i];
        Set_Grafik(false, 0);
    }
    if (cols != ColCount()) handGroesse_ = false;
    sicht_ = visibleCols == static_cast<unsigned>(cols) || visibleCols == 0 ? kAlle : visibleCols;
    zellen_.clear();
    numerisch_.clear();
    if (rows <= 0) rows = 2;
    farben_.assign(static_cast<size_t>(rows), 0);
    zeilen_ = rows;
    SetRowCount(rows + (neueZeile_ ? 1 : 0));
    SetColCount(cols);
    numerisch_.assign(static_cast<size_t>(cols), 0);
    spalten_ = cols;
    if (AutoBreite && !handGroesse_) {
        for (int c = 0; c < cols; ++c) SetColWidth(c, -1);
        letzteBreite_ = -1;
    }
    if (sortSpalte_ >= cols) sortSpalte_ = 0;
    if (spaltenNamen_) suchfeldSpalte(-1);
    if (AutoUpdate) FEndUpdate(false);
}

void TabelleModell::SetCell(int ARow, int ACol, const std::string& text, TColor colour) {
    // The stride is the stored column count, also while the chart shows four.
    if (ARow < 0 || ARow >= zeilen_ || ACol < 0 || ACol >= spalten_ || farben_.empty()) return;
    farben_[static_cast<size_t>(ARow)] = colour;
    const size_t index =
        static_cast<size_t>(ARow) * static_cast<size_t>(spalten_) + static_cast<size_t>(ACol);
    if (zellen_.size() <= index) zellen_.resize(index + 1);
    zellen_[index] = text;
    if (spaltenNamen_ && index < sicht_ && index < static_cast<size_t>(spalten_))
        suchfeldSpaltenName(text, static_cast<int>(index));
    const bool gewachsen = breiteAnpassen(ARow, ACol, text);
    if (gewachsen)
        letzteSpalteFuellen(false);
    else if (!lock_)
        neuZeichnen();
}

bool TabelleModell::breiteAnpassen(int row, int col, const std::string& text) {
    if (!AutoBreite || grafik_.an || handGroesse_ || static_cast<unsigned>(col) >= sicht_)
        return false;
    if (row == 0 && !MitUeberschrift) return false;
    canvasGroesse_ = schriftGroesse_;
    int w = metrik().breite(text, canvasGroesse_, false) + 4;
    w += row == 0 && (suchfeldDa() || Sortierung) ? kMarkerPlatz : 2;
    const bool letzte = col == ColCount() - 1 || static_cast<unsigned>(col) + 1 == sicht_;
    if (letzte) {
        if (w <= letzteBreite_) return false;
        letzteBreite_ = w;
    } else {
        if (w <= ColWidth(col)) return false;
        SetColWidth(col, w);
    }
    return true;
}

void TabelleModell::letzteSpalteFuellen(bool immer) {
    const int letzte =
        sicht_ < static_cast<unsigned>(ColCount()) ? static_cast<int>(sicht_) - 1 : ColCount() - 1;
    if (letzte < 0) return;
    int natur = letzteBreite_;
    if (natur < 0) {
        // Without a measured text the last column keeps its own width.
        if (AutoBreite || !immer) return;
        natur = DefaultColWidth();
    }
    // The columns up to the last one, each with its grid line, reach the
    // client area's right edge; the area already ends at the vertical bar.
    int summe = natur + linieX();
    for (int c = 0; c < letzte; ++c)
        if (ColWidth(c) >= 0) summe += ColWidth(c) + linieX();
    SetColWidth(letzte, natur + std::max(clientBreite() - summe, 0));
    if (!lock_) neuZeichnen();
}

void TabelleModell::EvGroesse() {
    if (grafik_.an) return;
    letzteSpalteFuellen(true);
}

std::string TabelleModell::GetCell(int ACol, int ARow) const {
    if (ARow == -1) {
        if (!auswahlSichtbar_) return {};
        ARow = Row();
    }
    if (neueZeile_ && ARow == 1) return {};
    const int s = neueZeile_ && ARow >= 2 ? ARow - 1 : ARow;
    if (s < 0 || ACol < 0 || ACol >= spalten_) return {};
    return zelle(s, ACol);
}

const std::string& TabelleModell::zelle(int storedRow, int col) const {
    if (storedRow < 0 || col < 0 || col >= spalten_) return kLeer;
    const size_t i =
        static_cast<size_t>(storedRow) * static_cast<size_t>(spalten_) + static_cast<size_t>(col);
    return i < zellen_.size() ? zellen_[i] : kLeer;
}

int TabelleModell::gespeicherteZeile(int gridRow) const {
    if (gridRow <= 0) return -1;
    if (!neueZeile_) return gridRow;
    return gridRow == 1 ? -1 : gridRow - 1;
}

TColor TabelleModell::zeilenFarbe(int storedRow) const {
    if (storedRow < 0 || static_cast<size_t>(storedRow) >= farben_.size()) return 0;
    return farben_[static_cast<size_t>(storedRow)];
}

int TabelleModell::GetRow() const {
    return auswahlSichtbar_ ? Row() : -1;
}

void TabelleModell::SetRow(int row) {
    if (row < 0) {
        auswahlSichtbar_ = false;
        zeichneZeile(Row());
    } else {
        if (row >= RowCount()) return;  // past the last row: nothing to select
        zeileNull_ = row == 0;
        SetCurrentRow(row == 0 ? 1 : row);
        auswahlSichtbar_ = true;
        neuZeichnen();
    }
    gemeldet_ = Row();
}

void TabelleModell::FEndUpdate(bool lock) {
    lock_ = lock;
    if (grafik_.an) {
        Set_Grafik(true, grafik_.v);
    } else if (!grafikTitel_.empty()) {
        const auto it = std::find(zellen_.begin(), zellen_.end(), grafikTitel_);
        const auto i = it - zellen_.begin();
        if (it != zellen_.end() && i < ColCount()) Set_Grafik(true, static_cast<int>(i));
    }
    grafikTitel_.clear();
    neuZeichnen();
    hintSetzen();
    if (spaltenNamen_) suchfeldSpalte(suchSpalte_);
}

void TabelleModell::hintSetzen() {
    long n = 0;
    if (spalten_ > 0) {
        const long s = spalten_;
        n = (static_cast<long>(zellen_.size()) + s - 1) / s - 1;
    }
    n = std::max(n, 0L);
    hint_ = std::to_string(n) + (n == 1 ? " Datensatz" : " Datens\xE4tze") + " in der Tabelle";
    hintGesetzt();
}

char TabelleModell::FSort_Spalte() const {
    return static_cast<char>((sortSpalte_ & 0x7F) | (abwaerts_ ? 0x80 : 0));
}

void TabelleModell::WSort_Spalte(char c) {
    const auto b = static_cast<unsigned char>(c);
    const int spalte = b & 0x7F;
    // The direction stays: a host that sets a column keeps the user's order.
    sortSpalte_ = spalte < ColCount() ? spalte : 0;
    zeichneZeile(0);
}

// ---- Input ----

void TabelleModell::titelDruck(Knopf knopf, int x) {
    const int col = spalteBei(x);
    if (col < 0) return;
    int rahmen = col;
    if (grafik_.an) rahmen = col > 0 ? 2 : 0;
    if (knopf == Knopf::Links && Sortierung) {
        int s = col;
        if (grafik_.an) {
            s = col == 2 ? grafik_.v : 0;
            rahmen = col == 2 ? 2 : 0;
        }
        if (s == sortSpalte_)
            abwaerts_ = !abwaerts_;
        else
            sortSpalte_ = s;
        if (OnSortCell) OnSortCell(*this, static_cast<char>(sortSpalte_ + 1), abwaerts_);
    } else if (knopf == Knopf::Rechts && !grafik_.an && col < kSpaltenGrenze) {
        // Columns the search field cannot report stay out of the search.
        suchSpalte_ = col;
        if (spaltenNamen_ && static_cast<size_t>(col) < zellen_.size() && col < spalten_ &&
            static_cast<unsigned>(col) < sicht_)
            suchfeldSpalte(col);
    }
    gedrueckt_ = rahmen;
    zeichneZeile(0);
    datenGedrueckt_ = false;
}

void TabelleModell::datenDruck() {
    datenGedrueckt_ = true;
    if (Row() == gemeldet_) zeichneZeile(Row());
    gemeldet_ = Row();
    zeileNull_ = false;
    auswahlMelden();
    neuZeichnen();
}

bool TabelleModell::zellDruck(int x, int y, bool erweitern) {
    const int zeile = zeileBei(y);
    const int spalte = spalteBei(x);
    const bool zelle = zeile >= FixedRows && (spalte < 0 || spalte >= FixedCols());
    if (zelle) {
        if (erweitern && hatOption(goRangeSelect)) {
            SetAnker(spalte, zeile);
        } else {
            SetCurrentRow(zeile);
            SetCurrentCol(spalte);
        }
        // A press on a row selects it, as a key does, also where the host
        // had hidden the selection.
        auswahlSichtbar_ = true;
    }
    datenDruck();
    return zelle;
}

void TabelleModell::ziehen(int x, int y) {
    const int vorher = Row();
    const int anker = AnkerRow();
    SetAnker(spalteBei(x), zeileBeimZiehen(y));
    if (Row() != vorher || AnkerRow() != anker) neuZeichnen();
}

void TabelleModell::loslassen() {
    if (gedrueckt_ >= 0) {
        gedrueckt_ = -1;
        zeichneZeile(0);
    } else if (Row() != gemeldet_) {
        auswahlMelden();
        gemeldet_ = Row();
    }
}

void TabelleModell::auswahlMelden() {
    if (OnSelectCell && auswahlSichtbar_) OnSelectCell(*this, Row());
}

void TabelleModell::KeyDown(Taste taste, bool umschalt) {
    switch (taste) {
        case Taste::F3:
            weiterSuchen_ = true;
            Suche(kSucheJetzt);
            return;
        case Taste::Links:
        case Taste::Rechts:
            return;
        default:
            break;
    }
    // Every other key goes to the grid, which moves the row for the six
    // movement keys; any key shows a hidden selection again.
    const int vorher = Row();
    static constexpr GitterModell::Taste kGitter[] = {
        GitterModell::Taste::Hoch,      GitterModell::Taste::Runter,
        GitterModell::Taste::SeiteHoch, GitterModell::Taste::SeiteRunter,
        GitterModell::Taste::Anfang,    GitterModell::Taste::Ende};
    if (taste != Taste::Andere)
        bewege(kGitter[static_cast<int>(taste) - static_cast<int>(Taste::Hoch)], umschalt);
    auswahlSichtbar_ = true;
    if (Row() != vorher) {
        auswahlMelden();
        gemeldet_ = Row();
    }
    zeileNull_ = false;
    neuZeichnen();
}

void TabelleModell::KeyPress(char key) {
    if (suchfeldDa()) {
        suchfeldZeichen(key);
    } else {
        if (Row() != suchZeile_) suchText_.clear();
        suchText_ += key;
    }
    Suche(kSucheJetzt);
}

void TabelleModell::EvDoppelK() {
    if (OnDoppelKlick && Row() != 0 && datenGedrueckt_) OnDoppelKlick(*this);
}

void TabelleModell::EvActivate() {
    fokusNehmen();
    if (!suchfeldDa()) return;
    suchfeldVerbinden();
    suchfeldSpalte(-1);
    const size_t grenze =
        std::min({static_cast<size_t>(spalten_), static_cast<size_t>(sicht_), zellen_.size()});
    for (size_t i = 0; i < grenze; ++i) suchfeldSpaltenName(zellen_[i], static_cast<int>(i));
    if (static_cast<size_t>(suchSpalte_) < zellen_.size()) suchfeldSpalte(suchSpalte_);
}

// ---- Search ----

void TabelleModell::Suche(Such_Kommando cmd) {
    switch (cmd) {
        case kSucheJetzt:
            suchen();
            return;
        case kAbgekoppelt:
            fixedFarbe_ = kBtnFace;
            spaltenNamen_ = false;
            neuZeichnen();
            return;
        case kAngekoppelt:
            fixedFarbe_ = kGelb;
            spaltenNamen_ = true;
            neuZeichnen();
            return;
        case kEnterGedrueckt:
            EvDoppelK();
            return;
        default:
            if (cmd - kSpalteGewaehlt < static_cast<unsigned>(kSpaltenGrenze)) {
                suchSpalte_ = static_cast<int>(cmd - kSpalteGewaehlt);
                zeichneZeile(0);
            }
            return;
    }
}

// The walk over the search column: from the row after the current one when
// the search continues (F3, start button), else from the first data row, to
// the end of the list and once round to where it started.
void TabelleModell::suchen() {
    if (!weiterSuchen_ && suchfeldDa()) weiterSuchen_ = suchfeldVon();
    const int zeilen = spalten_ > 0
                           ? static_cast<int>((zellen_.size() + static_cast<size_t>(spalten_) - 1) /
                                              static_cast<size_t>(spalten_))
                           : 0;
    int start = 1;
    if (weiterSuchen_) start = std::max(gespeicherteZeile(Row()), 0) + 1;
    weiterSuchen_ = true;
    const bool feld = suchfeldDa();
    int treffer = -1;
    int praefix = -1;
    int bester = 0;
    auto pruefe = [&](int r) {
        const size_t i = static_cast<size_t>(r) * static_cast<size_t>(spalten_) +
                         static_cast<size_t>(suchSpalte_);
        if (suchSpalte_ >= spalten_ || i >= zellen_.size()) return false;
        const std::string& z = zellen_[i];
        if (feld) {
            const int v = suchfeldVergleich(z);
            if ((v & kGleich) != 0) {
                treffer = r;
                return true;
            }
            if ((v & kPraefix) != 0)
                praefix = r;
            else
                bester = std::max(bester, v & kAnzahl);
            return false;
        }
        if (amAnfangGross(z, suchText_)) {
            treffer = r;
            return true;
        }
        return false;
    };
    bool fertig = false;
    for (int r = start; r < zeilen && !fertig; ++r) fertig = pruefe(r);
    if (!fertig && start != 1)
        for (int r = 1; r < std::min(start, zeilen) && !fertig; ++r) fertig = pruefe(r);
    if (treffer < 0) treffer = praefix;

    if (treffer >= 0) {
        SetCurrentRow(treffer + (neueZeile_ ? 1 : 0));
        if (auswahlSichtbar_ && zeileNull_) zeileNull_ = false;
        auswahlMelden();
        gemeldet_ = Row();
        neuZeichnen();
    } else {
        beep();
        if (feld)
            suchfeldNotFund(bester);
        else if (!suchText_.empty())
            suchText_.pop_back();
    }
    suchZeile_ = Row();
    weiterSuchen_ = false;
}

}  // namespace table

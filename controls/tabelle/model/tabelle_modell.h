// The grid table TTabelle without its window: the cells in one flat list,
// row colours, sort and search columns, the type-ahead search, the new-row
// line, automatic column widths and the chart view. The window's effects
// (repaint, beep, the search field, the hint) are virtual hooks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controls/table_shared/model/tab_typen.h"
#include "controls/tabelle/model/tabelle_gitter.h"
#include "controls/tabelle/model/tabelle_metrik.h"
#include "controls/suchfeld/model/such_kommando.h"

namespace table {

// The chart view's state: which column is charted and how it is laid out.
struct TabellenGrafik {
    bool an = false;
    int v = 1;                    // the charted stored column
    int n = 0;                    // columns taking part: the visible limit or all stored ones
    int A = 0;                    // columns after v
    int L = 0;                    // label lines per chart row
    int h = 0;                    // chart text height
    int volleBreite = 0;          // the longest bar in pixels
    std::vector<int> balken;      // bar length per stored row
    std::vector<int> abstand[2];  // label offsets before v and after v
    std::vector<int> breiten;     // column widths before the chart
    int gespeicherteGroesse = 8;  // canvas font size before the chart
    int gespeicherteHoehe = 16;   // DefaultRowHeight before the chart
    int zeilen() const { return L < 1 ? 1 : L; }
};

class TabelleModell : public GitterModell, public SuchZiel {
public:
    explicit TabelleModell(GitterMetrik* metrik = nullptr);
    ~TabelleModell() override;
    TabelleModell(const TabelleModell&) = delete;
    TabelleModell& operator=(const TabelleModell&) = delete;

    // ---- Published settings ----
    bool AutoBreite = false;
    bool MitUeberschrift = false;
    bool Sortierung = false;
    bool AutoUpdate = false;
    std::string NeueZeileText;
    bool NeueZeile() const { return neueZeile_; }
    void FNeueZeile(bool on);

    // ---- The table ----
    void SetTabelle(int rows, int cols, unsigned visibleCols);
    void SetCell(int ARow, int ACol, const std::string& text, TColor colour);
    std::string GetCell(int ACol, int ARow) const;
    int GetRow() const;
    void SetRow(int row);
    void FEndUpdate(bool lock);
    bool gesperrt() const { return lock_; }
    // Bit 7 = descending, bits 0-6 = the column. The writer takes the column
    // from bits 0-6 and leaves the direction as it is.
    char FSort_Spalte() const;
    void WSort_Spalte(char c);
    bool Abwaerts() const { return abwaerts_; }
    int sortSpalte() const { return sortSpalte_; }
    int suchSpalte() const { return suchSpalte_; }
    const std::string& Hint() const { return hint_; }

    // Stored rows and columns: row 0 holds the titles.
    int gespeicherteZeilen() const { return zeilen_; }
    int gespeicherteSpalten() const { return spalten_; }
    // The stored cell, "" beyond the list.
    const std::string& zelle(int storedRow, int col) const;
    // The stored row a grid row shows, -1 for the title and new-row lines.
    int gespeicherteZeile(int gridRow) const;
    TColor zeilenFarbe(int storedRow) const;
    bool hatFarben() const { return !farben_.empty(); }
    // The visible-column limit; kAlle when every column shows.
    static constexpr unsigned kAlle = 0xFFFFFFFFu;
    unsigned sichtGrenze() const { return sicht_; }

    // ---- Selection state ----
    bool auswahlSichtbar() const { return auswahlSichtbar_; }
    bool zeileNull() const { return zeileNull_; }
    int gedrueckteSpalte() const { return gedrueckt_; }
    bool handGroesse() const { return handGroesse_; }

    // ---- Input, as the window hands it over ----
    enum class Knopf { Links, Rechts };
    // A press in the title row at x that did not start a column sizing.
    void titelDruck(Knopf knopf, int x);
    // A press below the title row, after the grid moved the current row.
    void datenDruck();
    // A press below the title row at x, y: the grid moves the current cell
    // there (a fixed column moves nothing; `erweitern`, Shift, with
    // goRangeSelect marks up to it), then datenDruck. True when the press
    // hit a cell the grid selects, so that a drag may follow.
    bool zellDruck(int x, int y, bool erweitern);
    // The pointer moved to x, y with the button of such a press held: the
    // current row follows it (goRangeSelect: the marked range).
    void ziehen(int x, int y);
    void spaltenGroesseBeginnt() { handGroesse_ = true; }
    void loslassen();
    // F3, Left, Right, the row keys and any other key; `umschalt` is Shift.
    enum class Taste {
        F3,
        Links,
        Rechts,
        Hoch,
        Runter,
        SeiteHoch,
        SeiteRunter,
        Anfang,
        Ende,
        Andere
    };
    void KeyDown(Taste taste, bool umschalt = false);
    void KeyPress(char key);
    void EvDoppelK();
    void EvActivate();
    void EvGroesse();

    // ---- Search ----
    void Suche(Such_Kommando cmd) override;
    TColor fixedFarbe() const { return fixedFarbe_; }
    const std::string& eigenerSuchText() const { return suchText_; }

    // ---- Chart ----
    void SetTyp(int col);
    std::vector<std::pair<std::string, int>> Get_Spalten(int first) const;
    int Get_GrafSpalte() const;
    void Set_Grafik(bool on, int col);
    const TabellenGrafik& grafik() const { return grafik_; }
    // The label lines a chart column (1 or 3) shows for a stored row.
    std::vector<std::string> grafikZeilen(int storedRow, int gridCol) const;
    int grafikAbstand(int gridCol, int line) const;
    int canvasGroesse() const { return canvasGroesse_; }

    // ---- Events ----
    std::function<void(TabelleModell& sender, long ARow)> OnSelectCell;
    std::function<void(TabelleModell& sender, char Sort_Spalte, bool Abwaerts)> OnSortCell;
    std::function<void(TabelleModell& sender)> OnDoppelKlick;
    std::function<void(TabelleModell& sender, bool Grafik)> OnModeChange;

protected:
    // ---- Hooks ----
    virtual void neuZeichnen() {}
    virtual void zeichneZeile(int /*gridRow*/) {}
    virtual void beep() {}
    virtual void hintGesetzt() {}
    virtual void fokusNehmen() {}
    // The search field set as Suchelement.
    virtual bool suchfeldDa() const { return false; }
    virtual bool suchfeldHatZiel() const { return false; }
    virtual void suchfeldVerbinden() {}
    virtual void suchfeldSpalte(int /*col*/) {}
    virtual void suchfeldSpaltenName(const std::string& /*name*/, int /*col*/) {}
    virtual bool suchfeldVon() const { return false; }
    virtual int suchfeldVergleich(const std::string& /*zelle*/) const { return 0; }
    virtual void suchfeldNotFund(int /*pos*/) {}
    virtual void suchfeldZeichen(char /*ch*/) {}

    // The control's font size; AutoBreite and the chart measure with it.
    void setSchriftGroesse(int points) { schriftGroesse_ = points; }
    int schriftGroesse() const { return schriftGroesse_; }
    void setMetrik(GitterMetrik* m) { metrik_ = m ? m : &festeMetrik_; }
    GitterMetrik& metrik() const { return *metrik_; }
    // The control's whole width, its vertical bar included: the chart's
    // columns leave room for the bar themselves.
    virtual int steuerBreite() const { return clientBreite(); }

private:
    void letzteSpalteFuellen(bool immer);
    bool breiteAnpassen(int row, int col, const std::string& text);
    void auswahlMelden();
    void suchen();
    void hintSetzen();
    void grafikLayout(int col);
    int labelSpalte(int gruppe, int erste, int anzahl);

    FesteGitterMetrik festeMetrik_;
    GitterMetrik* metrik_ = &festeMetrik_;
    int schriftGroesse_ = 8;
    int canvasGroesse_ = 8;

    std::vector<std::string> zellen_;
    std::vector<TColor> farben_;
    std::vector<std::uint8_t> numerisch_;
    int zeilen_ = 0;   // stored rows, titles included
    int spalten_ = 5;  // cells per stored row
    unsigned sicht_ = kAlle;

    bool neueZeile_ = false;
    bool abwaerts_ = false;
    bool handGroesse_ = false;
    bool lock_ = false;
    bool weiterSuchen_ = false;
    int sortSpalte_ = 0;
    int suchSpalte_ = 0;
    int gedrueckt_ = -1;
    std::string suchText_;
    int gemeldet_ = 1;       // grid row last passed to OnSelectCell
    int letzteBreite_ = -1;  // natural width of the last column
    int suchZeile_ = -1;     // current row at the last search
    bool datenGedrueckt_ = false;
    bool auswahlSichtbar_ = true;
    bool zeileNull_ = false;
    bool spaltenNamen_ = false;
    TColor fixedFarbe_ = kBtnFace;
    std::string hint_;
    TabellenGrafik grafik_;
    std::string grafikTitel_;
};

// The number in a cell text in hundredths: digits count, "," or "." starts
// two decimals, everything else is skipped ("1.234,5" gives 123).
int Str_in_Zahl(const std::string& s);

}  // namespace table

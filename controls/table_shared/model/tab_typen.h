// The records of the table control: one table (Tabdefinition), one row
// (RowDef), a column entry, the row kinds and the display formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace table {

// Platform colour value: 0x00BBGGRR, or 0x80000000 | index for system colours.
using TColor = std::uint32_t;
constexpr TColor kSchwarz = 0x000000;
constexpr TColor kWeiss = 0xFFFFFF;
constexpr TColor kBtnFace = 0x8000000F;
// The frame and fixed cells while a search field is attached.
constexpr TColor kSuchRahmen = 0xAEF6C0;

enum TAnzeigeFormat : std::uint8_t {
    A_Restore = 0,  // only as an argument: back to the format before a bitmap/vector view
    A_Tabelle = 1,
    A_Icon = 2,
    A_IconList = 3,
    A_Bitmap = 4,
    A_Vektor = 5,
};

enum TBereichStyle : std::uint8_t { zaKein, zaVon, zaBis, zaVonBis, zaAm };

// Row kind bits.
using RowArt = std::uint8_t;
constexpr RowArt kTitelZeile = 1;  // one cell across all columns, 16-point bold
constexpr RowArt kGraueZeile = 2;

struct RowDef {
    int Icon = -1;
    int Status = -1;
    int Hoehe = 0;
    TColor Farbe = 0;         // 0 = black text
    std::uint8_t Gruppe = 0;  // leading columns equal to the row above
    RowArt Art = 0;
    // Stretching of the last visible column: only while col + 1 < Wert,
    // compared unsigned (so -1 always stretches).
    int Wert = -1;
    int Zeilen = 1;               // text lines
    std::uint32_t DatenCols = 0;  // columns still to fetch through OnGetDaten
};

struct SpaltenEintrag {
    int Breite = 0;       // pixels; -1 = automatic
    int Breitester = -1;  // widest data text, -1 = none yet
    int BreitesterRow = 0;
};

// What the chart view keeps of a table while it shows it; filled by the chart.
struct GrafikDaten {
    std::vector<int> Breiten;  // saved column widths
    std::vector<int> LabelBreiten[2];
    std::vector<int> Hoehen;    // saved row heights
    std::vector<double> Werte;  // the parsed number of each charted cell
    int FontSize = 0;
    int Zeilen = 0;
    int Angehaengt = 0;  // empty rows a column chart appended
    double Maximum = 0;
    int WertSpalte = -1;
    int AlteWertSpalte = -1;
    int RechteSpalten = 0;
    float Skala = 0;
    int BalkenDicke = 0;     // column chart: the width of each column
    int LayoutSpalten = 0;   // the laid-out visible columns before the chart
    int ZeilenHoehe = 0;     // one label line
    int FettHoehe = 0;       // one bold line (values, column chart labels)
    int BalkenHoehe = 0;     // column chart: the room of the tallest column
    int LabelHoehe = 0;      // column chart: the labels under the columns
    bool Senkrecht = false;  // column chart: the labels stand upright
};

struct Tabdefinition {
    // Cell (row, col) is Zellen[row * Spalten + col]; the list may end early.
    std::vector<std::string> Zellen;
    int Nummer = 0;  // position in the list
    int Spalten = 0;
    int FixedRows = 0;
    int FixedCols = 0;
    int SichtSpalten = 0;        // the first n columns are shown
    int SichtSpaltenLayout = 0;  // as laid out (changed by the chart)
    std::vector<SpaltenEintrag> SpaltenInfo;
    int BreitesterTitel = 0;  // bold title + ": " (detail pane)
    int BreitesterWert = 0;
    std::string Text;
    std::uint32_t EditMaske = 0;  // bit c: column c may be edited
    std::vector<RowDef> Rows;
    std::vector<std::uint8_t> Numerisch;  // per column: only digits and '.'
    int FontSize = 0;
    GrafikDaten Grafik;
    int Hoehe = 0;  // sum of the row heights
    int Selected = -1;
    int GrafikLabelSpalten = 1;
    int ErsteSichtbare = 0;  // first visible row, set while painting
    bool IstGrafik = false;
    bool SpaltenGrafik = false;
    bool ZeilenLayout = false;
    bool StdStatus = false;
    TAnzeigeFormat Anzeige = A_Tabelle;

    int rowCount() const { return static_cast<int>(Rows.size()); }
    bool hatRow(int row) const { return row >= 0 && row < rowCount(); }
    RowDef* row(int r) { return hatRow(r) ? &Rows[static_cast<size_t>(r)] : nullptr; }
    const RowDef* row(int r) const { return hatRow(r) ? &Rows[static_cast<size_t>(r)] : nullptr; }
    // The cell's index in Zellen, -1 outside the table.
    long long index(int r, int c) const {
        if (!hatRow(r) || c < 0 || c >= Spalten) return -1;
        return static_cast<long long>(r) * Spalten + c;
    }
    // "" for a cell outside the table or beyond the end of the list.
    const std::string& zelle(int r, int c) const;
    bool zelleDa(int r, int c) const {
        const long long i = index(r, c);
        return i >= 0 && i < static_cast<long long>(Zellen.size());
    }
};

// Bit c of a column mask; columns from 32 on have no bit.
inline std::uint32_t spaltenBit(int c) {
    return c >= 0 && c < 32 ? std::uint32_t{1} << c : 0;
}

}  // namespace table

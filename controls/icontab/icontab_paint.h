// Draws the grid tables of a table control from its screen layout: cell
// backgrounds, 3-D edges of fixed cells, sort and search markers, grouped
// cells, grid lines, texts, the selected row and the new-record line.
#pragma once

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <array>
#include <functional>

#include "controls/icontab/model/icontab_bild.h"
#include "controls/icontab/model/icontab_modell.h"
#include "platform/ui/drawing/canvas.h"

namespace table {

// The glyph and advance of each Windows-1252 byte in one font: cell texts
// are drawn as glyph runs without shaping, like the per-character metric
// measures them.
class GlyphSatz {
public:
    void laden(const QFont& font);
    bool passt(const QFont& font) const { return geladen_ && font_ == font; }
    // Draws text with its baseline at y.
    void zeichnen(QPainter& p, int x, int y, std::string_view text) const;
    // The advance of text, rounded to whole pixels.
    int breite(std::string_view text) const;

private:
    QFont font_;
    QRawFont raw_;
    std::array<quint32, 256> index_{};
    std::array<qreal, 256> vorschub_{};
    bool geladen_ = false;
};

// Glyphs of the normal and the title font, kept by the control between paints.
struct GlyphCache {
    GlyphSatz normal, titel;
};

// The markers drawn in title cells: ascending, descending, search column.
struct TitelMarker {
    QImage auf, ab, suche;
};
const TitelMarker& titelMarker();

// A cell drawn: row, column, cell rectangle, its text, the row kind and the
// table number; called after the cell was drawn, on the control's canvas.
using ZellZeichner = std::function<void(int row, int col, const Rect& r, const std::string& text,
                                        RowArt art, int tab)>;

struct GitterStil {
    GlyphCache* glyphen = nullptr;         // required
    ui::TColor hintergrund = ui::clWhite;  // the control's Color
    ui::TColor rahmen = ui::clBtnFace;     // fixed cells
    bool fokus = false;                    // the control has the focus
    const Tabdefinition* fokusTabelle = nullptr;
    int zeilenHoehe = 18;  // DefaultRowHeight
    bool keineAngaben = true;
    bool group = false;
    // Title cells of the last fixed row: the sort mark, else the search column.
    bool sortierung = false;
    int sortSpalte = 0;
    bool abwaerts = false;
    bool suchfeld = false;
    int suchSpalte = 0;
    // The cell the mouse holds pressed; row -1 = none.
    const Tabdefinition* gedruecktTabelle = nullptr;
    int gedruecktRow = -1;
    int gedruecktCol = -1;
    // The table whose in-cell input is open (its box is drawn over the row).
    const Tabdefinition* eingabeTabelle = nullptr;
    std::string neueZeileText;
    bool neueZeileGewaehlt = false;  // the current table has no selected row
    int schriftGroesse = 8;          // the control font's points
    // Written in front of the text of the first non-fixed column of every
    // ordinary data row (Zusatztext).
    std::string zusatztext;
    ZellZeichner userDraw;
    // The text colour of one data cell, 0 = the row's.
    std::function<TColor(const Tabdefinition& t, int row, int col)> zellFarbe;
};

// Paints every grid row placed in `bild`; the canvas font is the cell font.
// With `nurTab`, only its row `nurRow` (a row draws inside its own band).
void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s,
                 const Tabdefinition* nurTab = nullptr, int nurRow = -1);

// The caption bar over (0, 0, breite, hoehe): the caption in 10-point bold
// black on the title colour, closed by a dark and a light line.
void paintTitel(ui::Canvas& c, int breite, int hoehe, const std::string& caption,
                ui::TColor titelColor);

}  // namespace table

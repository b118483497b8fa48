// Where everything of the table control lies on screen for the current
// scroll position: each table's area, its rows and its column edges.
// Painting and hit-testing both read it; nothing else places rows.
#pragma once

#include <vector>

#include "controls/table_shared/model/tab_typen.h"
#include "platform/core/rect.h"

namespace table {

using platform::Rect;

// Rows at the top of a table's area above the first data row.
constexpr int kNeueZeile = -1;  // the new-record line

struct ZeilenPlatz {
    int row = 0;  // kNeueZeile for the new-record line
    int top = 0;
    int bottom = 0;
};

struct SpaltenPlatz {
    int col = 0;
    int left = 0;
    int right = 0;
};

// The icon view's tiles: tile i (row - fixed rows) line by line, the first
// kachelnNeben x zeilenNeben beside the detail pane, the rest below it.
struct KachelMasse {
    int top = 0;  // the table's top, before the 10-pixel margin and the scroll
    int scroll = 0;
    int iconBreite = 0;
    int iconHoehe = 0;
    int hAbstand = 20;
    int vAbstand = 40;
    int iconsProZeile = 1;
    int kachelnNeben = 1;  // tiles per line beside the pane
    int zeilenNeben = 0;   // lines beside the pane; 0 without a pane
};

struct TabellenPlatz {
    const Tabdefinition* tab = nullptr;
    int top = 0;
    int bottom = 0;           // end of its area; the gap to the next table follows
    int ersteDatenZeile = 0;  // first data row shown (the table's first visible row)
    // The part of the vertical position this table consumed: data rows in
    // the grid, pixels in the icon views. The position walks the tables in
    // list order: each one scrolled past entirely is left out (see
    // TabBild::darueber) and takes its share, the first one placed takes the
    // rest; the tables below it start at their top.
    int scroll = 0;
    KachelMasse kacheln;                // the icon view's tiles
    std::vector<ZeilenPlatz> zeilen;    // grid rows in painting order
    std::vector<SpaltenPlatz> spalten;  // fixed columns, then from the first visible one
};

struct BildMasse {
    int clientBreite = 100;
    int clientHoehe = 100;
    int captionHoehe = 0;
    int topRow = 0;   // vertical position: data rows in the grid, pixels otherwise
    int leftCol = 0;  // first visible column
    bool neueZeile = false;
    int neueZeileHoehe = 0;
    // The icon view (tiles only with an image list) and the icon list.
    bool icons = false;
    int iconBreite = 0;
    int iconHoehe = 0;
    int hAbstand = 20;
    int vAbstand = 40;
    int iconsProZeile = 1;
    int kachelnNeben = 1;  // tiles per line beside the detail pane
    int zeilenNeben = 0;   // tile lines beside the pane; 0 without a pane
    int listZeilenHoehe = 18;
};

// Tables stand one below the other: 10 pixels between two, 5 more after a
// table of tiles.
constexpr int kTabellenAbstand = 10;
constexpr int kKachelAbstand = 15;
// A tile scrolled into view keeps this much room below its frame.
constexpr int kKachelRandUnten = 4;

// The content height of n tiles (the last line's frame and one pixel more)
// and of an icon list of n entries; the layout counts the same heights.
long long kachelInhalt(long long n, int iconsProZeile, int kachelnNeben, int zeilenNeben,
                       int linie);
long long listenInhalt(long long n, int zeilenHoehe);
// The rows below the fixed ones.
int datenZeilen(const Tabdefinition& t);
// The gap below a table: kKachelAbstand after tiles (`icons`: an image list
// is set), else kTabellenAbstand.
int abstandNach(const Tabdefinition& t, bool icons);
// The part of the vertical position a table scrolled past entirely takes
// before the next one gets the rest: a grid its data rows, tiles and lists
// their pixel content `inhalt` and the gap below; -1 for a picture or a
// drawing, which take what is left. Placing the tables and counting the
// scroll range both go by it.
long long abdeckung(const Tabdefinition& t, bool icons, long long inhalt);

struct TabBild {
    BildMasse masse;
    std::vector<TabellenPlatz> tabellen;
    // The tables the position scrolled past, above the first one placed.
    std::vector<const Tabdefinition*> darueber;

    // Whether the position scrolled t away above the tables placed.
    bool weggescrollt(const Tabdefinition* t) const;
    // The table whose area (with the gap below it) holds y, nullptr below all.
    const TabellenPlatz* tabelleBei(int y) const;
    // The placed row of `tab` that covers y, nullptr when none.
    const ZeilenPlatz* zeileBei(const TabellenPlatz& t, int y) const;
    // The placed column that covers x, nullptr when none; the row's stretch
    // of the last visible column counts.
    const SpaltenPlatz* spalteBei(const TabellenPlatz& t, const RowDef& row, int x) const;
    const TabellenPlatz* platzVon(const Tabdefinition* tab) const;
    const ZeilenPlatz* platzVon(const TabellenPlatz& t, int row) const;
    // A cell's rectangle: a title row spans the client width; the last
    // visible column reaches the right edge where the row allows it.
    Rect zelle(const TabellenPlatz& t, const ZeilenPlatz& z, const SpaltenPlatz& s) const;
};

// Whether a row stretches its column col to the right edge (unsigned compare).
inline bool dehnt(const RowDef& row, int col) {
    return static_cast<unsigned>(col + 1) < static_cast<unsigned>(row.Wert);
}

TabBild berechneBild(const std::vector<const Tabdefinition*>& tabellen, const BildMasse& m);

// The icon's rectangle of tile i.
Rect kachelIcon(int i, const KachelMasse& k);
// The tile's frame: the icon widened by half the gap on both sides, 5 pixels
// up, down to the next line.
Rect kachelRahmen(const Rect& icon, const KachelMasse& k);
// The first row whose tile frame ends below the table's top (or the caption
// bar), where painting and clicks end a line; rowCount when none.
int ersteKachel(const TabBild& b, const TabellenPlatz& p);
// The rows whose tile frames show between the table's top (or the caption
// bar) and the client's bottom, in order.
std::vector<int> sichtbareKacheln(const TabBild& b, const TabellenPlatz& p);
// The tile whose frame holds (x, y), counted from 0; -1 outside every line's
// tiles. Tiles beyond the table's rows are the caller's to reject.
int kachelBei(const KachelMasse& k, int x, int y);

}  // namespace table

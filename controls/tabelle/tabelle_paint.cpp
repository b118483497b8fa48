#include "controls/tabelle/tabelle_paint.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr int kTextAbstand = 2;  // text start right of the cell's left edge
constexpr int kMarkerBreite = 10;
constexpr int kMarkerHoehe = 12;
constexpr int kNeueZeileSchrift = 12;
constexpr int kGrossSchrift = 16;

struct Zelle {
    int col;
    int row;
    platform::Rect r;
    bool selected;
};

void fuellen(ui::Canvas& c, const platform::Rect& r, ui::TColor farbe) {
    c.brush = ui::Brush{farbe, ui::BrushStyle::Solid};
    c.FillRect(r);
}

void text(ui::Canvas& c, const platform::Rect& r, int x, int y, const std::string& s) {
    c.brush.style = ui::BrushStyle::Clear;
    c.TextRect(r, x, y, s);
}

// Title cell: the sort arrow or the search marker before the text.
// The chart shows no search column (suchSpalte false).
void titel(ui::Canvas& c, const TabelleModell& t, const Zelle& z, int x, int spalte, bool sortHier,
           bool suchSpalte, bool suchfeld, const std::string& s) {
    const int y = z.r.top + (t.RowHeight(0) - kMarkerHoehe) / 2;
    suchSpalte = suchSpalte && spalte == t.suchSpalte();
    if (t.Sortierung && sortHier) {
        zeichneSortPfeil(c, x, y, t.Abwaerts());
        x += kMarkerBreite;
        if (suchSpalte) c.font.color = ui::clPurple;
    } else if (suchSpalte && suchfeld) {
        zeichneSuchMarker(c, x, y);
        x += kMarkerBreite;
    }
    text(c, z.r, x, z.r.top, s);
}

void grafikZelle(ui::Canvas& c, const TabelleModell& t, const Zelle& z, int s, int x) {
    const TabellenGrafik& g = t.grafik();
    if (z.row == 0) {
        if (z.col == 0) titel(c, t, z, x, 0, t.sortSpalte() == 0, false, false, t.zelle(0, 0));
        if (z.col == 2)
            titel(c, t, z, x, g.v, t.sortSpalte() == g.v, false, false, t.zelle(0, g.v));
        return;
    }
    c.font.setSize(t.canvasGroesse());
    switch (z.col) {
        case 0:
            if (g.L > 1) {
                c.font.setSize(kGrossSchrift);
                c.font.bold = true;
            }
            text(c, z.r, x, z.r.top, t.zelle(s, 0));
            break;
        case 2: {
            const int balken =
                static_cast<size_t>(s) < g.balken.size() ? g.balken[static_cast<size_t>(s)] : 0;
            if (balken > 0) fuellen(c, {x, z.r.top + 3, x + balken, z.r.bottom - 3}, ui::clSilver);
            c.font.bold = true;
            text(c, z.r, x, z.r.top + (g.zeilen() * g.h) / 2 - g.h / 2, t.zelle(s, g.v));
            break;
        }
        default: {
            const std::vector<std::string> zeilen = t.grafikZeilen(s, z.col);
            for (size_t j = 0; j < zeilen.size(); ++j) {
                const int line = static_cast<int>(j);
                text(c, z.r, x + t.grafikAbstand(z.col, line), z.r.top + line * g.h, zeilen[j]);
            }
            break;
        }
    }
}

void zelle(ui::Canvas& c, const TabelleModell& t, const TabellenStil& stil, const Zelle& z) {
    const int s = z.row == 0 ? 0 : t.gespeicherteZeile(z.row);
    const ui::TColor farbe = t.zeilenFarbe(s);
    const bool markiert = t.auswahlSichtbar() && !t.zeileNull();
    if (z.selected) {
        if (!markiert)
            fuellen(c, z.r, stil.hintergrund);
        else if (farbe != 0)
            fuellen(c, z.r, farbe);
        else if (!stil.fokus)
            fuellen(c, z.r, ui::clInactiveCaption);
    }
    c.font = stil.font;
    if (t.NeueZeile() && z.row == 1) {
        // The text runs across the whole row, whatever the column.
        c.font.color = z.selected ? ui::clWhite : ui::clRed;
        c.font.setSize(kNeueZeileSchrift);
        text(c, z.r, 0, z.r.top, t.NeueZeileText);
        return;
    }
    c.font.color = z.selected && markiert ? ui::clWhite : farbe;
    const int x = z.r.left + kTextAbstand;
    if (t.grafik().an) {
        grafikZelle(c, t, z, s, x);
    } else if (z.row == 0) {
        titel(c, t, z, x, z.col, z.col == t.sortSpalte(), true, stil.suchfeld, t.zelle(0, z.col));
    } else {
        text(c, z.r, x, z.r.top, t.zelle(s, z.col));
    }
    if (z.row == 0 && z.col == t.gedrueckteSpalte()) {
        c.pen = ui::Pen{ui::clBlack, 1, ui::PenStyle::Solid};
        c.MoveTo(z.r.left + 1, z.r.top + 1);
        c.LineTo(z.r.right - 2, z.r.top + 1);
        c.LineTo(z.r.right - 2, z.r.bottom - 2);
        c.LineTo(z.r.left + 1, z.r.bottom - 2);
        c.LineTo(z.r.left + 1, z.r.top + 1);
    }
}

}  // namespace

void CanvasMetrik::setBasis(const ui::Font& basis) {
    basis_ = basis;
    tabellen_.clear();
}

const CanvasMetrik::Tabelle& CanvasMetrik::tabelle(int punkte, bool fett) {
    const int dpi = canvas_.pixelsPerInch();
    const auto key = std::make_tuple(punkte, fett, dpi);
    const auto it = tabellen_.find(key);
    if (it != tabellen_.end()) return it->second;
    ui::Font f = basis_;
    f.setSize(punkte);
    f.bold = fett;
    QFont qf = ui::toQFont(f, dpi);
    qf.setKerning(false);
    const QFontMetrics fm(qf);
    Tabelle t;
    for (int b = 32; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        t.breiten[static_cast<size_t>(b)] =
            fm.horizontalAdvance(ui::toQString(std::string_view(&ch, 1)));
    }
    t.hoehe = fm.height();
    return tabellen_.emplace(key, t).first->second;
}

int CanvasMetrik::breite(std::string_view s, int punkte, bool fett) {
    const Tabelle& t = tabelle(punkte, fett);
    int summe = 0;
    for (const char ch : s) summe += t.breiten[static_cast<unsigned char>(ch)];
    return summe;
}

int CanvasMetrik::hoehe(int punkte, bool fett) {
    return tabelle(punkte, fett).hoehe;
}

void zeichneSortPfeil(ui::Canvas& c, int x, int y, bool abwaerts) {
    c.pen = ui::Pen{ui::clGray, 1, ui::PenStyle::Solid};
    c.brush = ui::Brush{ui::clGray, ui::BrushStyle::Solid};
    const int l = x + 1, r = x + 8, m = x + 4;
    if (abwaerts)
        c.Polygon({{l, y + 4}, {r, y + 4}, {m, y + 9}});
    else
        c.Polygon({{m, y + 3}, {r, y + 8}, {l, y + 8}});
}

void zeichneSuchMarker(ui::Canvas& c, int x, int y) {
    c.pen = ui::Pen{ui::clMaroon, 1, ui::PenStyle::Solid};
    c.brush = ui::Brush{ui::clRed, ui::BrushStyle::Solid};
    c.Ellipse(x + 1, y + 3, x + 8, y + 10);
}

void paintTabelle(ui::Canvas& c, const TabelleModell& t, const TabellenStil& stil, int breite,
                  int hoehe) {
    fuellen(c, {0, 0, breite, hoehe}, stil.hintergrund);
    std::vector<int> zeilen{0};
    for (int r = t.TopRow(); r < t.RowCount(); ++r) zeilen.push_back(r);
    // Fixed columns first, then the scrolling ones from the left column.
    std::vector<int> spalten;
    for (int col = 0; col < t.FixedCols(); ++col) spalten.push_back(col);
    for (int col = t.LeftCol(); col < t.ColCount(); ++col) spalten.push_back(col);
    for (const int row : zeilen) {
        int oben = -1;
        for (const int col : spalten) {
            const platform::Rect r = t.CellRect(col, row);
            if (r.isEmpty() && t.ColWidth(col) < 0) continue;
            oben = r.top;
            if (r.left > breite) break;
            const bool fix = t.fest(col, row);
            const bool sel = t.gewaehlt(col, row);
            fuellen(c, r, fix ? t.fixedFarbe() : sel ? ui::clHighlight : stil.hintergrund);
            c.pen = ui::Pen{fix ? ui::clGray : ui::clSilver, 1, ui::PenStyle::Solid};
            // A line takes its pixel only while its option is on; fixed
            // cells draw theirs by the fixed options.
            if (t.linieX() > 0 && t.hatOption(fix ? goFixedVertLine : goVertLine)) {
                c.MoveTo(r.right, r.top);
                c.LineTo(r.right, r.bottom + t.linieY());
            }
            if (t.linieY() > 0 && t.hatOption(fix ? goFixedHorzLine : goHorzLine)) {
                c.MoveTo(r.left, r.bottom);
                c.LineTo(r.right, r.bottom);
            }
            if (!t.gesperrt() && t.hatFarben() && !r.isEmpty())
                zelle(c, t, stil, Zelle{col, row, r, sel});
        }
        if (row > 0 && oben > hoehe) break;
    }
}

}  // namespace table

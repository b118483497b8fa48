#include "controls/table/icontab_paint.h"

#include <string_view>

namespace table {
namespace {

constexpr ui::TColor kGitter = 0x808080;
constexpr ui::TColor kAuswahlOhneFokus = 0xFFF6FF;

void linien(ui::Canvas& c, const Rect& r) {
    c.pen.color = kGitter;
    c.MoveTo(r.left, r.bottom - 1);
    c.LineTo(r.right - 1, r.bottom - 1);
    c.LineTo(r.right - 1, r.top - 1);
}

// Lines split at CR (an LF after it skipped), one line height apart.
void text(ui::Canvas& c, const Rect& r, int x, const std::string& s, int zeilenHoehe) {
    const int linie = c.TextHeight("A");
    if (s.find('\r') == std::string::npos) {
        c.TextRect(r, x, r.top + r.height() / 2 - linie / 2, s);
        return;
    }
    int y = r.top + zeilenHoehe / 2 - linie / 2;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t ende = std::min(s.find('\r', start), s.size());
        c.TextRect(r, x, y, std::string_view(s).substr(start, ende - start));
        y += linie;
        if (ende == s.size()) break;
        start = ende + 1;
        if (start < s.size() && s[start] == '\n') ++start;
    }
}

void zeile(ui::Canvas& c, const TabBild& bild, const TabellenPlatz& p, const ZeilenPlatz& z,
           const GitterStil& s, bool auswahlSichtbar) {
    const Tabdefinition& t = *p.tab;
    if (z.row == kNeueZeile) {
        const Rect r{0, z.top, bild.masse.clientBreite, z.bottom};
        c.brush.color = s.hintergrund;
        c.FillRect(r);
        linien(c, r);
        c.font.color = ui::clGray;
        c.brush.style = ui::BrushStyle::Clear;
        text(c, r, 4, s.neueZeileText, s.zeilenHoehe);
        c.brush.style = ui::BrushStyle::Solid;
        return;
    }
    const RowDef& rd = t.Rows[static_cast<size_t>(z.row)];
    const bool titel = (rd.Art & kTitelZeile) != 0;
    const bool fixRow = z.row < t.FixedRows;
    const bool gewaehlt = auswahlSichtbar && z.row == t.Selected && !fixRow;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = bild.zelle(p, z, sp);
        const bool fix = (fixRow && !titel) || sp.col < t.FixedCols;
        ui::TColor grund = s.hintergrund;
        ui::TColor farbe = rd.Farbe != 0 ? rd.Farbe : ui::clBlack;
        if (fix) {
            grund = s.rahmen;
            farbe = ui::clBlack;
        } else if (rd.Art & kGraueZeile) {
            grund = ui::clBtnFace;
        } else if (gewaehlt) {
            grund = s.fokus ? (rd.Farbe != 0 ? rd.Farbe : ui::clHighlight) : kAuswahlOhneFokus;
            if (s.fokus) farbe = ui::clWhite;
        }
        c.brush.color = grund;
        c.FillRect(r);
        linien(c, r);
        const std::string& inhalt = t.zelle(z.row, titel ? 0 : sp.col);
        const bool leer = inhalt.empty() && !fix && rd.Art == 0 && s.keineAngaben;
        const ui::Font basis = c.font;
        if (titel) {
            c.font.setSize(16);
            c.font.bold = true;
        }
        c.font.color = leer ? ui::clGray : farbe;
        c.brush.style = ui::BrushStyle::Clear;
        text(c, r, r.left + (fix ? 4 : 2), leer ? IconTabModell::kKeineAngaben : inhalt,
             s.zeilenHoehe);
        c.brush.style = ui::BrushStyle::Solid;
        c.font = basis;
        if (titel) break;  // one cell across the row
    }
}

}  // namespace

void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s) {
    const ui::Font basis = c.font;
    c.pen = ui::Pen{};
    c.brush = ui::Brush{};
    for (const TabellenPlatz& p : bild.tabellen) {
        if (p.tab->Anzeige != A_Tabelle) continue;
        for (const ZeilenPlatz& z : p.zeilen) zeile(c, bild, p, z, s, m.auswahlSichtbar());
    }
    c.font = basis;
}

}  // namespace table

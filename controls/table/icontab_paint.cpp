#include "controls/table/icontab_paint.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/ui/font_mapping.h"
#include "platform/ui/qt_text.h"

namespace table {
namespace {

constexpr ui::TColor kGitter = 0x808080;
constexpr ui::TColor kAuswahlOhneFokus = 0xFFF6FF;

}  // namespace

void GlyphSatz::laden(const QFont& font) {
    font_ = font;
    raw_ = QRawFont::fromFont(font);
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        const QList<quint32> g =
            b < 32 ? QList<quint32>()
                   : raw_.glyphIndexesForString(ui::toQString(std::string_view(&ch, 1)));
        index_[static_cast<size_t>(b)] = g.size() == 1 ? g[0] : 0;
        vorschub_[static_cast<size_t>(b)] =
            g.size() == 1 ? raw_.advancesForGlyphIndexes(g)[0].x() : 0;
    }
    geladen_ = true;
}

void GlyphSatz::zeichnen(QPainter& p, int x, int y, std::string_view text) const {
    if (text.empty()) return;
    QList<quint32> glyphen;
    QList<QPointF> orte;
    glyphen.reserve(static_cast<qsizetype>(text.size()));
    orte.reserve(static_cast<qsizetype>(text.size()));
    qreal vorne = 0;
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        glyphen.push_back(index_[b]);
        orte.push_back(QPointF(vorne, 0));
        vorne += vorschub_[b];
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphen);
    run.setPositions(orte);
    p.drawGlyphRun(QPointF(x, y), run);
}

namespace {

// Colours and fonts resolved once per paint: a screen has a hundred cells.
struct Werkzeug {
    QPainter& p;
    QColor hintergrund, rahmen, grau, auswahl, auswahlOhneFokus, gitter, weiss, schwarz, blass;
    QFont normal, titel;
    int ascentNormal = 0, ascentTitel = 0, linie = 0, titelLinie = 0;
    const GitterStil& s;

    // Grey-scale smoothed: Qt draws unsmoothed text several times slower.
    QFont schrift(ui::Font f, int ppi) {
        QFont q = ui::toQFont(f, ppi);
        q.setKerning(false);
        return q;
    }

    Werkzeug(ui::Canvas& c, const GitterStil& stil) : p(c.painter()), s(stil) {
        hintergrund = ui::toQColor(stil.hintergrund);
        rahmen = ui::toQColor(stil.rahmen);
        grau = ui::toQColor(ui::clBtnFace);
        auswahl = ui::toQColor(ui::clHighlight);
        auswahlOhneFokus = ui::toQColor(kAuswahlOhneFokus);
        gitter = ui::toQColor(kGitter);
        weiss = ui::toQColor(ui::clWhite);
        schwarz = ui::toQColor(ui::clBlack);
        blass = ui::toQColor(ui::clGray);
        normal = schrift(c.font, c.pixelsPerInch());
        ui::Font t = c.font;
        t.setSize(16);
        t.bold = true;
        titel = schrift(t, c.pixelsPerInch());
        if (!stil.glyphen->normal.passt(normal)) stil.glyphen->normal.laden(normal);
        if (!stil.glyphen->titel.passt(titel)) stil.glyphen->titel.laden(titel);
        const QFontMetrics n(normal), g(titel);
        ascentNormal = n.ascent();
        linie = n.height();
        ascentTitel = g.ascent();
        titelLinie = g.height();
    }

    // Lines split at CR (an LF after it skipped), one line height apart; a
    // single line is centred in the row. The next cell's fill cuts what
    // runs past the right edge.
    void text(const Rect& r, int x, const std::string& str, bool gross) {
        const int h = gross ? titelLinie : linie;
        const int a = gross ? ascentTitel : ascentNormal;
        const GlyphSatz& g = gross ? s.glyphen->titel : s.glyphen->normal;
        if (str.find('\r') == std::string::npos) {
            g.zeichnen(p, x, r.top + r.height() / 2 - h / 2 + a, str);
            return;
        }
        int y = r.top + s.zeilenHoehe / 2 - h / 2;
        size_t start = 0;
        for (;;) {
            const size_t ende = std::min(str.find('\r', start), str.size());
            g.zeichnen(p, x, y + a, std::string_view(str).substr(start, ende - start));
            y += h;
            if (ende == str.size()) break;
            start = ende + 1;
            if (start < str.size() && str[start] == '\n') ++start;
        }
    }
};

void neueZeile(Werkzeug& w, const TabBild& bild, const ZeilenPlatz& z) {
    const Rect r{0, z.top, bild.masse.clientBreite, z.bottom};
    w.p.fillRect(ui::toQRect(r), w.hintergrund);
    w.p.setPen(w.blass);
    w.text(r, 4, w.s.neueZeileText, false);
    w.p.setPen(w.gitter);
    w.p.drawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
}

void zeile(Werkzeug& w, const TabBild& bild, const TabellenPlatz& p, const ZeilenPlatz& z,
           bool auswahlSichtbar) {
    const Tabdefinition& t = *p.tab;
    const RowDef& rd = t.Rows[static_cast<size_t>(z.row)];
    const bool titel = (rd.Art & kTitelZeile) != 0;
    const bool fixRow = z.row < t.FixedRows;
    const bool gewaehlt = auswahlSichtbar && z.row == t.Selected && !fixRow;
    const QColor zeilenFarbe = rd.Farbe != 0 ? ui::toQColor(rd.Farbe) : w.schwarz;
    if (titel) w.p.setFont(w.titel);
    int rechts = 0;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = bild.zelle(p, z, sp);
        rechts = r.right;
        const bool fix = (fixRow && !titel) || sp.col < t.FixedCols;
        const QColor* grund = &w.hintergrund;
        const QColor* farbe = &zeilenFarbe;
        if (fix) {
            grund = &w.rahmen;
            farbe = &w.schwarz;
        } else if (rd.Art & kGraueZeile) {
            grund = &w.grau;
        } else if (gewaehlt) {
            grund = !w.s.fokus ? &w.auswahlOhneFokus : rd.Farbe != 0 ? &zeilenFarbe : &w.auswahl;
            if (w.s.fokus) farbe = &w.weiss;
        }
        w.p.fillRect(ui::toQRect(r), *grund);
        const std::string& inhalt = t.zelle(z.row, titel ? 0 : sp.col);
        const bool leer = inhalt.empty() && !fix && rd.Art == 0 && w.s.keineAngaben;
        w.p.setPen(leer ? w.blass : *farbe);
        w.text(r, r.left + (fix ? 4 : 2), leer ? IconTabModell::kKeineAngaben : inhalt, titel);
        if (titel) break;  // one cell across the row
    }
    if (titel) w.p.setFont(w.normal);
    // The grid after the texts: a text that ran long does not cover it.
    w.p.setPen(w.gitter);
    w.p.drawLine(0, z.bottom - 1, rechts - 1, z.bottom - 1);
    if (titel) return;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = bild.zelle(p, z, sp);
        w.p.drawLine(r.right - 1, z.top, r.right - 1, z.bottom - 1);
    }
}

}  // namespace

void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s) {
    Werkzeug w(c, s);
    w.p.save();
    w.p.setRenderHint(QPainter::Antialiasing, false);
    w.p.setFont(w.normal);
    w.p.setBrush(Qt::NoBrush);
    for (const TabellenPlatz& p : bild.tabellen) {
        if (p.tab->Anzeige != A_Tabelle) continue;
        for (const ZeilenPlatz& z : p.zeilen) {
            if (z.row == kNeueZeile) {
                neueZeile(w, bild, z);
            } else {
                zeile(w, bild, p, z, m.auswahlSichtbar());
            }
        }
    }
    w.p.restore();
}

}  // namespace table

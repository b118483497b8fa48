#include "controls/icontab/icontab_paint.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr ui::TColor kGitter = 0x808080;
constexpr ui::TColor kAuswahlOhneFokus = 0xFFF6FF;
// The new-record line: chosen with and without the focus, and its text.
constexpr ui::TColor kNeuGewaehlt = 0x7AF27AEC & 0xFFFFFF;
constexpr ui::TColor kNeuOhneFokus = 0xFAFAD2;
constexpr ui::TColor kNeuText = 0xDB2D2D;
constexpr int kMarkerBreite = 10;  // a marker moves the title text this far

QImage marker(int art) {
    QImage m(8, 8, QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    if (art == 0) {
        p.drawPolygon(QPolygonF({QPointF(0, 6.5), QPointF(8, 6.5), QPointF(4, 1.5)}));
    } else if (art == 1) {
        p.drawPolygon(QPolygonF({QPointF(0, 1.5), QPointF(8, 1.5), QPointF(4, 6.5)}));
    } else {  // a magnifier
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
        p.drawEllipse(QRectF(0.6, 0.6, 4.8, 4.8));
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.8));
        p.drawLine(QPointF(4.8, 4.8), QPointF(7.4, 7.4));
    }
    return m;
}

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

int GlyphSatz::breite(std::string_view text) const {
    qreal b = 0;
    for (const char ch : text) b += vorschub_[static_cast<unsigned char>(ch)];
    return static_cast<int>(std::lround(b));
}

const TitelMarker& titelMarker() {
    static const TitelMarker m{marker(0), marker(1), marker(2)};
    return m;
}

namespace {

// Colours and fonts resolved once per paint: a screen has a hundred cells.
struct Werkzeug {
    QPainter& p;
    ui::Canvas& canvas;
    QColor hintergrund, rahmen, grau, auswahl, auswahlOhneFokus, gitter, weiss, schwarz, blass;
    QColor hell, licht, schatten, dunkel;
    QFont normal, titel, neu;
    // On a backing image of a screen's device pixel ratio a one-unit line
    // is moved to the middle of its unit, so it covers the unit's pixels as
    // the cell fills do.
    bool skaliert = false;
    void strich(int x1, int y1, int x2, int y2) {
        if (!skaliert) return p.drawLine(x1, y1, x2, y2);
        p.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    }
    void kasten(int x, int y, int w, int h) {
        if (!skaliert) return p.drawRect(x, y, w, h);
        p.drawRect(QRectF(x + 0.5, y + 0.5, w, h));
    }
    int ascentNormal = 0, ascentTitel = 0, linie = 0, titelLinie = 0;
    const GitterStil& s;

    // Grey-scale smoothed: Qt draws unsmoothed text several times slower.
    QFont schrift(ui::Font f, int ppi) {
        QFont q = ui::toQFont(f, ppi);
        q.setKerning(false);
        return q;
    }

    Werkzeug(ui::Canvas& c, const GitterStil& stil) : p(c.painter()), canvas(c), s(stil) {
        skaliert = p.device() != nullptr && p.device()->devicePixelRatio() != 1.0;
        hintergrund = ui::toQColor(stil.hintergrund);
        rahmen = ui::toQColor(stil.rahmen);
        grau = ui::toQColor(ui::clBtnFace);
        auswahl = ui::toQColor(ui::clHighlight);
        auswahlOhneFokus = ui::toQColor(kAuswahlOhneFokus);
        gitter = ui::toQColor(kGitter);
        weiss = ui::toQColor(ui::clWhite);
        schwarz = ui::toQColor(ui::clBlack);
        blass = ui::toQColor(ui::clGray);
        hell = ui::toQColor(ui::clBtnHighlight);
        licht = ui::toQColor(ui::cl3DLight);
        schatten = ui::toQColor(ui::clBtnShadow);
        dunkel = ui::toQColor(ui::cl3DDkShadow);
        normal = schrift(c.font, c.pixelsPerInch());
        ui::Font t = c.font;
        t.setSize(16);
        t.bold = true;
        titel = schrift(t, c.pixelsPerInch());
        ui::Font n = c.font;
        n.setSize(stil.schriftGroesse * 3 / 2);
        n.bold = true;
        neu = schrift(n, c.pixelsPerInch());
        if (!stil.glyphen->normal.passt(normal)) stil.glyphen->normal.laden(normal);
        if (!stil.glyphen->titel.passt(titel)) stil.glyphen->titel.laden(titel);
        const QFontMetrics nm(normal), g(titel);
        ascentNormal = nm.ascent();
        linie = nm.height();
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

    // A 2-pixel 3-D edge inside the cell (the grid lines at its right and
    // bottom stay); pressed cells are drawn sunken.
    void kante(const Rect& r, bool gedrueckt) {
        const int l = r.left, t = r.top, rr = r.right - 2, b = r.bottom - 2;
        if (rr - l < 3 || b - t < 3) return;
        const QColor& aussenHell = gedrueckt ? dunkel : hell;
        const QColor& innenHell = gedrueckt ? schatten : licht;
        const QColor& aussenDunkel = gedrueckt ? hell : dunkel;
        const QColor& innenDunkel = gedrueckt ? licht : schatten;
        p.setPen(aussenHell);
        strich(l, t, rr, t);
        strich(l, t, l, b);
        p.setPen(innenHell);
        strich(l + 1, t + 1, rr - 1, t + 1);
        strich(l + 1, t + 1, l + 1, b - 1);
        p.setPen(aussenDunkel);
        strich(l, b, rr, b);
        strich(rr, t, rr, b);
        p.setPen(innenDunkel);
        strich(l + 1, b - 1, rr - 1, b - 1);
        strich(rr - 1, t + 1, rr - 1, b - 1);
    }
};

// Each component halfway toward white.
QColor aufgehellt(const QColor& c) {
    return QColor(c.red() + (255 - c.red()) / 2, c.green() + (255 - c.green()) / 2,
                  c.blue() + (255 - c.blue()) / 2);
}

void neueZeile(Werkzeug& w, const TabBild& bild, const ZeilenPlatz& z, int leftCol,
               int maxLeftCol) {
    const Rect r{leftCol > 0 ? -1 : 0, z.top,
                 bild.masse.clientBreite + (leftCol < maxLeftCol ? 1 : 0), z.bottom};
    QColor grund = w.hintergrund;
    QColor farbe = ui::toQColor(kNeuText);
    if (w.s.neueZeileGewaehlt) {
        grund = ui::toQColor(w.s.fokus ? kNeuGewaehlt : kNeuOhneFokus);
        if (w.s.fokus) farbe = w.weiss;
    }
    w.p.fillRect(ui::toQRect(r), grund);
    w.p.setPen(w.gitter);
    w.kasten(r.left, r.top, r.width() - 1, r.height() - 1);
    w.p.setFont(w.neu);
    w.p.setPen(farbe);
    w.p.drawText(2, z.top + 1 + QFontMetrics(w.neu).ascent(), ui::toQString(w.s.neueZeileText));
    w.p.setFont(w.normal);
}

// Marker and text offset of a title cell in the last fixed row.
const QImage* markerVon(const GitterStil& s, int col) {
    const TitelMarker& m = titelMarker();
    if (s.sortierung) return col == s.sortSpalte ? (s.abwaerts ? &m.ab : &m.auf) : nullptr;
    if (s.suchfeld && col == s.suchSpalte) return &m.suche;
    return nullptr;
}

struct Zeile {
    const TabBild& bild;
    const TabellenPlatz& p;
    const ZeilenPlatz& z;
    const ZeilenPlatz* naechste;  // the row placed below, if any
    bool auswahlSichtbar;
    int aktSpalte;
};

void zeile(Werkzeug& w, const Zeile& zl) {
    const TabellenPlatz& p = zl.p;
    const ZeilenPlatz& z = zl.z;
    const GitterStil& s = w.s;
    const Tabdefinition& t = *p.tab;
    const RowDef& rd = t.Rows[static_cast<size_t>(z.row)];
    const bool titel = (rd.Art & kTitelZeile) != 0;
    const bool fixRow = z.row < t.FixedRows;
    const bool letzteFix = z.row == t.FixedRows - 1;
    const bool gewaehlt = zl.auswahlSichtbar && z.row == t.Selected && !fixRow;
    const bool eingabe = gewaehlt && s.eingabeTabelle == &t;
    const bool aktiv = s.fokus && s.fokusTabelle == &t && !eingabe;
    const QColor zeilenFarbe = rd.Farbe != 0 ? ui::toQColor(rd.Farbe) : w.schwarz;
    const bool gruppe = s.group && !fixRow && z.row != p.ersteDatenZeile;
    if (titel) w.p.setFont(w.titel);
    int rechts = 0;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = zl.bild.zelle(p, z, sp);
        rechts = r.right;
        const bool fixSpalte = sp.col < t.FixedCols;
        const bool fix = (fixRow && !titel) || fixSpalte;
        QColor grund = w.hintergrund;
        QColor farbe = zeilenFarbe;
        if (s.zellFarbe && !fix) {
            if (const TColor f = s.zellFarbe(t, z.row, sp.col); f != 0) farbe = ui::toQColor(f);
        }
        if (fix) {
            grund = w.rahmen;
            farbe = w.schwarz;
        } else if (rd.Art & kGraueZeile) {
            grund = w.grau;
        } else if (eingabe) {
            grund = w.weiss;
        } else if (gewaehlt) {
            if (aktiv) {
                grund = rd.Farbe != 0 ? zeilenFarbe : w.auswahl;
                if (sp.col == zl.aktSpalte) grund = aufgehellt(grund);
                farbe = w.weiss;
            } else {
                grund = w.auswahlOhneFokus;
            }
        }
        w.p.fillRect(ui::toQRect(r), grund);
        if (fix && !titel) {
            const bool gedrueckt =
                (s.gedruecktTabelle == &t && s.gedruecktRow == z.row && s.gedruecktCol == sp.col) ||
                (fixSpalte && z.row == t.Selected && zl.auswahlSichtbar);
            w.kante(r, gedrueckt);
        }
        int x = r.left + (fix ? 4 : 2);
        if (letzteFix && !titel) {
            if (const QImage* m = markerVon(s, sp.col)) {
                w.p.drawImage(r.left + 3, r.top + (r.height() - m->height()) / 2, *m);
                x += kMarkerBreite;
            }
        }
        const std::string& inhalt = t.zelle(z.row, titel ? 0 : sp.col);
        const bool verdeckt = gruppe && sp.col < rd.Gruppe;
        const bool leer = inhalt.empty() && !fix && rd.Art == 0 && s.keineAngaben && !verdeckt;
        // The extra text stands in front of the first non-fixed column's
        // text; the automatic width counted it.
        const bool zusatz =
            !s.zusatztext.empty() && !fixRow && rd.Art == 0 && sp.col == t.FixedCols && !verdeckt;
        if (zusatz && leer) {
            w.p.setPen(farbe);
            w.text(r, x, s.zusatztext, false);
            x += s.glyphen->normal.breite(s.zusatztext);
        }
        if (!verdeckt) {
            w.p.setPen(leer ? w.blass : farbe);
            w.text(r, x,
                   leer     ? IconTabModell::kKeineAngaben
                   : zusatz ? s.zusatztext + inhalt
                            : inhalt,
                   titel);
        }
        if (s.userDraw) {
            w.p.save();
            s.userDraw(z.row, sp.col, r, inhalt, rd.Art, t.Nummer);
            w.p.restore();
        }
        if (titel) break;  // one cell across the row
    }
    if (titel) w.p.setFont(w.normal);
    // The grid after the texts: a text that ran long does not cover it.
    w.p.setPen(w.gitter);
    // The line to the next row is left out where that row continues a group.
    const RowDef* unten =
        zl.naechste != nullptr && zl.naechste->row >= t.FixedRows && !fixRow && s.group
            ? t.row(zl.naechste->row)
            : nullptr;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = zl.bild.zelle(p, z, sp);
        if (unten == nullptr || sp.col >= unten->Gruppe || titel)
            w.strich(r.left, z.bottom - 1, r.right - 1, z.bottom - 1);
        if (titel) break;
        w.strich(r.right - 1, z.top, r.right - 1, z.bottom - 1);
    }
    // The outline marks a selected row while the control lacks the focus or
    // an in-cell input is open.
    if (gewaehlt && (!s.fokus || s.eingabeTabelle != nullptr) && rechts > 0) {
        w.p.setPen(w.auswahl);
        w.kasten(0, z.top, rechts - 1, z.bottom - z.top - 1);
    }
}

}  // namespace

void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s,
                 const Tabdefinition* nurTab, int nurRow) {
    Werkzeug w(c, s);
    w.p.save();
    w.p.setRenderHint(QPainter::Antialiasing, false);
    w.p.setFont(w.normal);
    w.p.setBrush(Qt::NoBrush);
    for (const TabellenPlatz& p : bild.tabellen) {
        if (p.tab->Anzeige != A_Tabelle || p.tab->IstGrafik) continue;  // charts draw bars
        if (nurTab != nullptr && p.tab != nurTab) continue;
        for (size_t i = 0; i < p.zeilen.size(); ++i) {
            const ZeilenPlatz& z = p.zeilen[i];
            if (nurTab != nullptr && z.row != nurRow) continue;
            if (z.row == kNeueZeile) {
                neueZeile(w, bild, z, m.leftCol(), m.maxLeftCol());
                continue;
            }
            const ZeilenPlatz* naechste = i + 1 < p.zeilen.size() ? &p.zeilen[i + 1] : nullptr;
            zeile(w, Zeile{bild, p, z, naechste, m.auswahlSichtbar(), m.aktuelleSpalte()});
        }
    }
    w.p.restore();
}

void paintTitel(ui::Canvas& c, int breite, int hoehe, const std::string& caption,
                ui::TColor titelColor) {
    const ui::Font alt = c.font;
    const ui::Brush altBrush = c.brush;
    c.brush = ui::Brush{titelColor, ui::BrushStyle::Solid};
    c.font.color = ui::clBlack;
    c.font.setSize(10);
    c.font.bold = true;
    c.TextRect({0, 0, breite, hoehe}, 4, 2, caption);
    c.pen = ui::Pen{ui::cl3DDkShadow};
    c.MoveTo(0, hoehe - 1);
    c.LineTo(breite, hoehe - 1);
    c.pen = ui::Pen{ui::cl3DLight};
    c.MoveTo(0, hoehe - 2);
    c.LineTo(breite, hoehe - 2);
    c.font = alt;
    c.brush = altBrush;
}

}  // namespace table

// TIconTab's other views drawn from their layouts: the chart's bars and
// labels, the icon list entries, the icon view's detail pane, the bitmap
// and the vector drawing (also onto a printer page).
#include <QPainter>

#include "controls/icontab/icontab.h"
#include "controls/icontab/model/grafik_bild.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr ui::TColor kListenRand = 0xD8D8D8;
constexpr ui::TColor kListeFokus = 0xFAF6DE;
constexpr ui::TColor kListeOhneFokus = 0xFAF6FF;
constexpr ui::TColor kPaneRahmen = 0xDFDFDF;

QPoint qp(const Point& p) {
    return {p.x, p.y};
}

std::vector<QPoint> qps(const std::vector<Point>& v) {
    std::vector<QPoint> q;
    q.reserve(v.size());
    for (const Point& p : v) q.push_back(qp(p));
    return q;
}

// Clips the canvas to r until it goes out of scope. The painter is not
// saved: restoring it would undo the font that the canvas thinks is set.
class Ausschnitt {
public:
    Ausschnitt(ui::Canvas& c, const Rect& r)
        : p_(c.painter()), hatte_(p_.hasClipping()), alt_(p_.clipRegion()) {
        p_.setClipRect(ui::toQRect(r), hatte_ ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    ~Ausschnitt() {
        if (hatte_)
            p_.setClipRegion(alt_);
        else
            p_.setClipping(false);
    }

private:
    QPainter& p_;
    bool hatte_;
    QRegion alt_;
};

}  // namespace

// ---- Metrics and the view record ----

DruckMetrik& TIconTab::vektorMetrik() {
    if (!vektorMetrik_)
        vektorMetrik_ = std::make_unique<QtDruckMetrik>(kVektorSchrift, logicalDpiY());
    return *vektorMetrik_;
}

DruckMetrik& TIconTab::listenMetrik() {
    if (!listenMetrik_) listenMetrik_ = std::make_unique<QtDruckMetrik>(font_.name, logicalDpiY());
    return *listenMetrik_;
}

void TIconTab::bitmapAnsichtLeeren(Tabdefinition* t) {
    IconTabModell::bitmapAnsichtLeeren(t);
    datenBild_.reset();
}

ui::Bitmap* TIconTab::GetBild() {
    if (bildAnzeige() == nullptr) return nullptr;
    if (!datenBild_) datenBild_ = std::make_unique<ui::Bitmap>();
    return datenBild_.get();
}

bool TIconTab::bildGroesseMelden() {
    return datenBild_ && bildMasse(datenBild_->width(), datenBild_->height());
}

void TIconTab::SetBild(const QImage& bild) {
    ui::Bitmap* b = GetBild();
    if (b == nullptr) return;
    b->assign(bild);
    bildGroesse(b->width(), b->height());
}

// ---- Painting ----

void TIconTab::paintAnsichten(const TabBild& b) {
    for (const TabellenPlatz& p : b.tabellen) {
        switch (p.tab->Anzeige) {
            case A_Tabelle:
                if (p.tab->IstGrafik) paintGrafik(b, p);
                break;
            case A_IconList:
                paintListe(b, p);
                break;
            case A_Icon:
                if (Detailfenster() && pane().rect.right > 0 && !icons_.empty())
                    PaintInfo(*p.tab, p.tab->Selected);
                break;
            case A_Bitmap:
                paintBitmap(p);
                break;
            case A_Vektor:
                Paint_Vektor(false, canvas());
                break;
            default:
                break;
        }
    }
}

void TIconTab::paintGrafik(const TabBild& b, const TabellenPlatz& p) {
    ui::Canvas& c = canvas();
    GrafikStil s;
    s.hintergrund = Color;
    s.rahmen = rahmenFarbe();
    s.auswahlSichtbar = auswahlSichtbar();
    const std::vector<GrafikTeil> teile = grafikTeile(b, p, listenMetrik(), s);
    const Ausschnitt a(c, {0, p.top, clientBreite(), p.bottom});
    ui::Font f = font_;
    f.setSize(kGrafikPunkte);
    f.color = ui::clBlack;
    for (const GrafikTeil& t : teile) {
        switch (t.art) {
            case GrafikTeil::Flaeche:
                c.brush = ui::Brush{t.farbe, ui::BrushStyle::Solid};
                c.FillRect(t.r);
                break;
            case GrafikTeil::Vieleck:
                c.brush = ui::Brush{t.farbe, ui::BrushStyle::Solid};
                c.pen = ui::Pen{t.farbe};
                c.Polygon(qps(t.ecken));
                break;
            case GrafikTeil::Linie:
                c.pen = ui::Pen{t.farbe};
                c.MoveTo(t.r.left, t.r.top);
                c.LineTo(t.r.right, t.r.bottom);
                break;
            case GrafikTeil::Text: {
                f.bold = t.fett;
                f.color = t.farbe;
                f.orientation = t.senkrecht ? 900 : 0;
                c.font = f;
                c.brush.style = ui::BrushStyle::Clear;
                const Ausschnitt zelle(c, t.r);
                c.TextOut(t.pos.x, t.pos.y, t.text);
                break;
            }
        }
    }
    c.font = font_;
    c.pen = ui::Pen{};
}

void TIconTab::paintListe(const TabBild& b, const TabellenPlatz& p) {
    const Tabdefinition& t = *p.tab;
    const ListenLayout& l = liste();
    const int lh = std::max(1, l.zeilenHoehe);
    ui::Canvas& c = canvas();
    const Ausschnitt a(c, {0, p.top, clientBreite(), std::min(p.bottom, clientHoehe())});
    const int iconB = icons_.empty() ? 0 : icons_.front().width();
    const int rechts = clientBreite() + maxLeftCol() - leftCol() - 1;
    ui::Font fett = font_;
    fett.bold = true;
    fett.color = ui::clBlack;
    ui::Font normal = font_;
    normal.color = ui::clBlack;
    const int erste = t.FixedCols;
    for (int r = std::max(0, t.FixedRows); r < t.rowCount(); ++r) {
        const int y = p.top + (r - t.FixedRows) * lh - p.scroll;
        if (y + lh <= p.top) continue;
        if (y >= b.masse.clientHoehe) break;
        const int x0 = -leftCol();
        const RowDef& rd = t.Rows[static_cast<size_t>(r)];
        const bool gewaehlt = r == t.Selected && auswahlSichtbar();
        QPainter& q = c.painter();
        q.save();
        q.setRenderHint(QPainter::Antialiasing, true);
        const QRectF eintrag(x0 + 0.5, y + 0.5, rechts - x0 - 1, lh - 1);
        if (gewaehlt) {
            q.setPen(ui::toQColor(hasFocus() ? ui::clHighlight : ui::clGray));
            q.setBrush(ui::toQColor(hasFocus() ? kListeFokus : kListeOhneFokus));
            q.drawRoundedRect(eintrag, 10, 10);
        } else {
            q.setPen(ui::toQColor(rahmenFarbe() == kSuchRahmen ? kSuchRahmen : kListenRand));
            q.setBrush(ui::toQColor(Color));
            q.drawRect(eintrag);
        }
        q.restore();
        if (rd.Icon >= 0 && rd.Icon < static_cast<int>(icons_.size()))
            c.Draw(x0 + 2, y + 5, icons_[static_cast<size_t>(rd.Icon)]);
        c.brush.style = ui::BrushStyle::Clear;
        fett.color = rd.Farbe != 0 ? rd.Farbe : ui::clBlack;
        c.font = fett;
        const int textY = y + 5 + (lh - 10 - c.TextHeight("G")) / 2;
        c.TextOut(x0 + iconB + 6, textY, Zusatztext + t.zelle(r, erste));
        c.font = normal;
        int x = x0;
        for (int col = 0; col < static_cast<int>(l.breiten.size()); ++col) {
            const int w = l.breiten[static_cast<size_t>(col)];
            if (col > erste && w > 0) {
                const Rect zelle{x, y, x + w, y + lh};
                const Ausschnitt z(c, zelle);
                c.TextOut(x + 2, y + (lh - l.kleineHoehe) / 2 + 5, t.zelle(r, col));
            }
            x += w;
        }
    }
    c.font = font_;
}

void TIconTab::PaintInfo(const Tabdefinition& t, int row) {
    if (t.rowCount() == 0) return;
    ui::Canvas& c = canvas();
    const Rect r{pane().rect.left, pane().rect.top, clientBreite(), pane().rect.bottom};
    c.pen = ui::Pen{kPaneRahmen};
    c.brush = ui::Brush{ui::clInfoBk, ui::BrushStyle::Solid};
    c.Rectangle(r);
    c.brush.style = ui::BrushStyle::Clear;
    ui::Font f = font_;
    f.color = ui::clInfoText;
    c.font = f;
    const int lh = c.TextHeight("A");
    int y = r.top + 3;
    for (int col = std::max(t.FixedCols, 1); col < t.SichtSpalten && col < t.Spalten; ++col) {
        f.bold = true;
        c.font = f;
        c.TextOut(r.left + 4, y, t.zelle(0, col) + ": ");
        f.bold = false;
        c.font = f;
        const std::string& wert = t.zelle(row, col);
        c.TextOut(r.left + 4 + t.BreitesterTitel, y,
                  row >= t.FixedRows && !wert.empty() ? wert : kKeineAngaben);
        y += lh;
    }
    c.font = font_;
    c.pen = ui::Pen{};
}

void TIconTab::paintBitmap(const TabellenPlatz& p) {
    const BitmapAnzeige* a = bildAnzeige();
    if (a == nullptr || !datenBild_ || datenBild_->width() <= 0) return;
    ui::Canvas& c = canvas();
    const int w = static_cast<int>(datenBild_->width() * a->zoom);
    const int h = static_cast<int>(datenBild_->height() * a->zoom);
    const int cw = clientBreite(), ch = clientHoehe() - p.top;
    // A picture smaller than the window stands in its middle.
    const int x = w < cw ? (cw - w) / 2 : -leftCol();
    const int y = p.top + (h < ch ? (ch - h) / 2 : -topRow());
    const Ausschnitt aus(c, {0, p.top, cw, clientHoehe()});
    c.painter().setRenderHint(QPainter::SmoothPixmapTransform, false);
    c.StretchDraw(platform::rectAt(x, y, std::max(1, w), std::max(1, h)), *datenBild_);
}

void TIconTab::Paint_Vektor(bool print, ui::Canvas& canvas, const Rect& ziel) {
    const BitmapAnzeige* a = bildAnzeige();
    if (a == nullptr) return;
    const VektorDaten& d = a->vektor;
    VektorBild gedruckt;
    if (print) {
        QtDruckMetrik m(kVektorSchrift, canvas.pixelsPerInch());
        gedruckt = skaliereVektor(d, ziel, &m);
    }
    const VektorBild& b = print ? gedruckt : a->bild;
    const Ausschnitt aus(canvas, print ? ziel : Rect{0, b.ziel.top, clientBreite(), clientHoehe()});
    for (const VektorForm& f : b.formen) {
        const Graphik_Struct& g = d.objekte[static_cast<size_t>(f.objekt)];
        const bool markiert = (d.marker[static_cast<size_t>(f.objekt)] & kMarkiert) != 0;
        const TColor farbe = g.Farbe & 0xFFFFFF;
        switch (f.art) {
            case 1:
                canvas.pen = markiert ? ui::Pen{ui::clHighlight, 3} : ui::Pen{farbe};
                canvas.MoveTo(f.p[0].x, f.p[0].y);
                canvas.LineTo(f.p[1].x, f.p[1].y);
                break;
            case 2:
            case 3:
            case 4:
                for (const VektorFlaeche& fl : f.flaechen) {
                    canvas.brush = ui::Brush{fl.farbe, ui::BrushStyle::Solid};
                    canvas.pen =
                        markiert ? ui::Pen{ui::clHighlight, 2} : ui::Pen{schattiert(fl.farbe)};
                    canvas.Polygon(qps(fl.ecken));
                }
                break;
            case 5: {
                if (f.text.empty()) break;
                ui::Font font;
                font.name = kVektorSchrift;
                font.setSize(f.punkte);
                font.color = farbe;
                canvas.font = font;
                canvas.brush.style = ui::BrushStyle::Clear;
                canvas.TextOut(f.textPos.x, f.textPos.y, f.text);
                if (markiert) {
                    canvas.brush = ui::Brush{ui::clHighlight, ui::BrushStyle::Solid};
                    canvas.FrameRect({f.p[0].x, f.p[0].y, f.p[1].x, f.p[1].y});
                }
                break;
            }
            default:
                break;
        }
        canvas.pen = ui::Pen{};  // black again
    }
    canvas.font = font_;
}

}  // namespace table

#include "controls/tabelle/tabelle_druck.h"

#include <QImage>
#include <cmath>

#include "controls/tabelle/model/tabelle_druckplan.h"
#include "controls/tabelle/tabelle_paint.h"
#include "platform/core/message_box.h"

namespace table {
namespace {

constexpr int kTitelZuschlag = 6;  // points added for the document title

class Seitendruck {
public:
    Seitendruck(const TabelleModell& t, ui::Canvas& c, const GitterDruckPlan& p,
                const ui::Font& font)
        : t_(t), c_(c), p_(p), font_(font) {
        int x = p.rand;
        for (const int b : p.breiten) {
            links_.push_back(x);
            x += b;
        }
        links_.push_back(x);
        const TabellenGrafik& g = t.grafik();
        if (g.an && g.volleBreite != 0 && p.breiten.size() > 2)
            massstab_ = static_cast<double>(p.breiten[2] - p.m) / g.volleBreite;
    }

    void seite(int nummer) {
        const int rh = p_.rh;
        const bool grafik = t_.grafik().an;
        const int L = grafik ? t_.grafik().zeilen() : 1;
        int y = nummer == 0 ? 3 * rh : rh;
        const int oben = y;
        setzeFont(false, false);
        c_.font.bold = true;
        for (size_t c = 0; c < p_.breiten.size(); ++c) {
            if (grafik && (c == 1 || c == 3)) continue;
            const int spalte = grafik && c == 2 ? t_.grafik().v : static_cast<int>(c);
            c_.TextOut(links_[c] + p_.m / 2, y, t_.zelle(0, spalte));
        }
        linie(y);
        y += rh;
        const int von = p_.ersteZeile(nummer);
        const int bis = von + p_.zeilenAufSeite(nummer);
        for (int r = von; r < bis; ++r) {
            linie(y);
            for (size_t c = 0; c < p_.breiten.size(); ++c) zelle(r, static_cast<int>(c), y, L);
            y += rh * L;
        }
        linie(y);
        c_.pen = ui::Pen{ui::clBlack, 1, ui::PenStyle::Solid};
        for (const int x : links_) {
            c_.MoveTo(x, oben);
            c_.LineTo(x, y + 1);
        }
        if (p_.seiten > 1) {
            setzeFont(false, false);
            c_.TextOut(p_.rand, p_.seitenHoehe - rh,
                       "Seite " + std::to_string(nummer + 1) + " von " + std::to_string(p_.seiten) +
                           " Seiten");
        }
    }

private:
    void setzeFont(bool fett, bool doppelt) {
        c_.font = font_;
        c_.font.color = ui::clBlack;
        c_.font.setSize(doppelt ? 2 * p_.groesse : p_.groesse);
        c_.font.bold = fett;
        c_.brush.style = ui::BrushStyle::Clear;
    }

    void linie(int y) {
        c_.pen = ui::Pen{ui::clBlack, 1, ui::PenStyle::Solid};
        c_.MoveTo(p_.rand, y);
        c_.LineTo(p_.rand + p_.gesamt, y);
    }

    void zelle(int r, int c, int y, int L) {
        const int x = links_[static_cast<size_t>(c)] + p_.m / 2;
        const TabellenGrafik& g = t_.grafik();
        if (!g.an) {
            setzeFont(false, false);
            c_.TextOut(x, y, t_.zelle(r, c));
            return;
        }
        const int rh = p_.rh;
        if (c == 0) {
            setzeFont(g.L > 1, g.L > 1);
            c_.TextOut(x, y, t_.zelle(r, 0));
        } else if (c == 2) {
            const int b =
                static_cast<size_t>(r) < g.balken.size() ? g.balken[static_cast<size_t>(r)] : 0;
            const int rand = L > 1 ? rh / 3 : rh / 5;
            const int laenge = static_cast<int>(std::lround(b * massstab_));
            if (laenge > 0) {
                c_.pen.style = ui::PenStyle::Clear;
                c_.brush = ui::Brush{ui::clSilver, ui::BrushStyle::Solid};
                c_.FillRect({x, y + rand, x + laenge, y + L * rh - rand});
            }
            setzeFont(false, false);
            c_.TextOut(x, y + (L * rh) / 2 - rh / 2, t_.zelle(r, g.v));
        } else {
            setzeFont(false, false);
            const std::vector<std::string> zeilen = t_.grafikZeilen(r, c);
            for (size_t j = 0; j < zeilen.size(); ++j)
                c_.TextOut(x, y + static_cast<int>(j) * rh, zeilen[j]);
        }
    }

    const TabelleModell& t_;
    ui::Canvas& c_;
    const GitterDruckPlan& p_;
    ui::Font font_;
    std::vector<int> links_;  // left edge of each column, then the right edge
    double massstab_ = 0;
};

}  // namespace

bool druckeTabelle(const TabelleModell& t, ui::Printer& drucker, const std::string& titel,
                   const ui::Font& font) {
    // Every job starts in portrait; the plan turns to landscape when needed.
    drucker.setLandscape(false);
    const ui::PrinterMetrics hoch = drucker.metrics();
    drucker.setLandscape(true);
    const ui::PrinterMetrics quer = drucker.metrics();
    drucker.setLandscape(false);

    QImage bild(1, 1, QImage::Format_RGB32);
    ui::Canvas mess;
    mess.attach(static_cast<QPaintDevice*>(&bild), hoch.pixelsPerInchY);
    CanvasMetrik metrik(mess, font);
    const GitterDruckPlan plan =
        planeDruck(t, metrik, font.size(hoch.pixelsPerInchY), {hoch.pageWidth, hoch.pageHeight},
                   {quer.pageWidth, quer.pageHeight});
    mess.detach();
    if (plan.zuBreit) {
        platform::MessageBox(kZuBreitText, kZuBreitTitel);
        return false;
    }
    if (!plan.druckbar()) return false;
    drucker.setLandscape(plan.quer);
    if (!drucker.BeginDoc(titel)) {
        ui::showPrintFailure(false);
        return false;
    }
    ui::Canvas& c = drucker.canvas();
    c.font = font;
    c.font.color = ui::clBlack;
    c.font.setSize(plan.groesse + kTitelZuschlag);
    c.font.bold = true;
    c.brush.style = ui::BrushStyle::Clear;
    c.TextOut(plan.rand, plan.rh, titel);
    Seitendruck seiten(t, c, plan, font);
    for (int p = 0; p < plan.seiten; ++p) {
        if (p > 0) drucker.NewPage();
        seiten.seite(p);
    }
    if (!drucker.EndDoc()) {
        ui::showPrintFailure(true);
        return false;
    }
    return true;
}

}  // namespace table

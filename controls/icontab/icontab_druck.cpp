// TIconTab::Print: all tables on the printer, one after the other, in the
// font size that makes the widest fill the page, landscape when needed, the
// head rows repeated on every page and "Seite n von N Seiten" below.
#include "controls/table_shared/ausgabe_dienste.h"
#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_druck.h"
#include "platform/core/message_box.h"
#include "platform/ui/printing/printer.h"

namespace table {
namespace {

constexpr ui::TColor kKopfGrund = 0xE0E0E0;

// Lines split at CR, an LF after it skipped, one line height apart.
void zellText(ui::Canvas& c, const Rect& r, int x, int y, int h, const std::string& text) {
    size_t start = 0;
    for (;;) {
        const size_t ende = std::min(text.find('\r', start), text.size());
        c.TextRect(r, x, y, std::string_view(text).substr(start, ende - start));
        if (ende == text.size()) return;
        y += h;
        start = ende + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

// One row: cells at the planned column positions, lines around each cell.
// `ersteAufSeite`: the first data row of its table on this page, which
// repeats the texts of a group; `untenGruppe`: how many leading columns the
// row printed below continues, which leave out their line in between.
void zeile(ui::Canvas& c, QtDruckMetrik& m, const DruckPlan& plan, const Tabdefinition& t,
           const Breiten& b, const DruckZeile& z, bool ersteAufSeite, bool group, int untenGruppe) {
    const RowDef& rd = t.Rows[static_cast<size_t>(z.row)];
    const bool fix = z.row < t.FixedRows;
    const bool titel = (rd.Art & kTitelZeile) != 0;
    c.font = m.font(plan.punkte, fix || titel);
    c.font.color = ui::clBlack;
    int x = b.breiten[0];
    const int rechtsAussen = [&] {
        int r = x;
        for (size_t i = 1; i < b.breiten.size(); ++i) r += b.breiten[i];
        return r;
    }();
    c.pen = ui::Pen{ui::clBlack};
    c.brush =
        ui::Brush{fix || (rd.Art & kGraueZeile) ? kKopfGrund : ui::clWhite,
                  fix || (rd.Art & kGraueZeile) ? ui::BrushStyle::Solid : ui::BrushStyle::Clear};
    if (titel) {
        const Rect r{x, z.y, rechtsAussen, z.y + z.hoehe};
        c.TextRect(r, x + 2, z.y, t.zelle(z.row, 0));
        c.brush.style = ui::BrushStyle::Clear;
        c.Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
        return;
    }
    for (size_t i = 1; i < b.breiten.size(); ++i) {
        const int col = static_cast<int>(i) - 1;
        const Rect r{x, z.y, x + b.breiten[i], z.y + z.hoehe};
        if (c.brush.style == ui::BrushStyle::Solid) c.FillRect(r);
        const bool verdeckt = group && !fix && !ersteAufSeite && col < rd.Gruppe;
        if (t.IstGrafik && col == 2) {
            // The bar in grey under the value.
            const ui::Brush alt = c.brush;
            c.brush = ui::Brush{kGrafikGrau, ui::BrushStyle::Solid};
            const int lang = static_cast<int>(grafikAnteil(t, z.row) * std::max(0, r.width() - 4));
            if (lang > 0) c.FillRect({r.left + 2, r.top + 2, r.left + 2 + lang, r.bottom - 1});
            c.brush = alt;
        }
        if (!verdeckt) {
            const ui::BrushStyle alt = c.brush.style;
            c.brush.style = ui::BrushStyle::Clear;
            zellText(c, r, x + 2, z.y, plan.zeilenHoehe,
                     t.IstGrafik ? grafikZellen(t, z.row)[static_cast<size_t>(std::min(col, 3))]
                                 : t.zelle(z.row, col));
            c.brush.style = alt;
        }
        // Left and right edge; the top line is left out inside a group.
        c.MoveTo(r.left, r.top);
        c.LineTo(r.left, r.bottom + 1);
        c.MoveTo(r.right, r.top);
        c.LineTo(r.right, r.bottom + 1);
        if (!(group && !fix && col < rd.Gruppe && !ersteAufSeite)) {
            c.MoveTo(r.left, r.top);
            c.LineTo(r.right + 1, r.top);
        }
        if (col >= untenGruppe) {
            c.MoveTo(r.left, r.bottom);
            c.LineTo(r.right + 1, r.bottom);
        }
        x = r.right;
    }
}

}  // namespace

void TIconTab::Print(const std::string& title) {
    if (tabellenZahl() == 0 || !druckerWaehlen(this)) return;
    ui::Printer& pr = ui::printer();
    const std::vector<const Tabdefinition*> tabellen = tabellenListe();
    QtDruckMetrik m(font_.name, std::max(1, pr.metrics().pixelsPerInchY));
    // A printer that cannot turn its paper offers its upright page twice.
    const auto format = [&pr](bool quer) {
        ausrichten(pr, quer);
        const ui::PrinterMetrics pm = pr.metrics();
        return SeitenFormat{pm.pageWidth, pm.pageHeight};
    };
    const DruckPlan plan = planeDruck(tabellen, m, format, title);
    if (plan.ergebnis == DruckErgebnis::ZuBreit) {
        ausrichten(pr, false);
        platform::MessageBox(kZuBreitText, kZuBreitTitel, platform::Buttons::Ok);
        return;
    }
    if (plan.ergebnis != DruckErgebnis::Drucken) return;
    ausrichten(pr, plan.quer);
    const int seiten = static_cast<int>(plan.seiten.size());
    if (seiten > kSeitenFrage &&
        platform::MessageBox(seitenFrage(seiten), kSeitenFrageTitel, platform::Buttons::OkCancel) ==
            platform::Answer::Cancel)
        return;
    if (!pr.BeginDoc(title)) {
        ui::showPrintFailure(false);
        return;
    }
    for (int s = 0; s < seiten; ++s) {
        if (s > 0) pr.NewPage();
        ui::Canvas& c = pr.canvas();
        int links = 2 * m.breite("m", plan.punkte, false);
        for (const DruckSeite& seite : plan.seiten)
            if (!seite.zeilen.empty()) {
                links = plan.breiten[static_cast<size_t>(seite.zeilen[0].tabelle)].breiten[0];
                break;
            }
        if (s == 0 && !title.empty() && plan.seiten[0].vektor < 0) {
            c.font = m.font(plan.punkte + 4, true);
            c.font.color = ui::clBlack;
            c.brush.style = ui::BrushStyle::Clear;
            c.TextOut(links, 0, title);
        }
        if (const int v = plan.seiten[static_cast<size_t>(s)].vektor; v >= 0) {
            // The drawing under the title, centred at the top in 20 points bold.
            c.font = m.font(20, true);
            c.font.color = ui::clBlack;
            c.brush.style = ui::BrushStyle::Clear;
            const int oben = title.empty() ? 0 : c.TextHeight(title) + plan.zeilenHoehe;
            if (!title.empty()) c.TextOut((plan.seite.breite - c.TextWidth(title)) / 2, 0, title);
            Paint_Vektor(true, c, {links, oben, plan.seite.breite - links, plan.fussY});
        }
        int tabelle = -1;
        bool erste = true;
        const std::vector<DruckZeile>& zeilen = plan.seiten[static_cast<size_t>(s)].zeilen;
        for (size_t i = 0; i < zeilen.size(); ++i) {
            const DruckZeile& z = zeilen[i];
            const Tabdefinition& t = *tabellen[static_cast<size_t>(z.tabelle)];
            if (z.tabelle != tabelle) erste = true;
            tabelle = z.tabelle;
            int unten = 0;
            if (Group && z.row >= t.FixedRows && i + 1 < zeilen.size() &&
                zeilen[i + 1].tabelle == z.tabelle && zeilen[i + 1].row >= t.FixedRows)
                unten = t.Rows[static_cast<size_t>(zeilen[i + 1].row)].Gruppe;
            zeile(c, m, plan, t, plan.breiten[static_cast<size_t>(z.tabelle)], z, erste, Group,
                  unten);
            if (z.row >= t.FixedRows) erste = false;
        }
        const std::string fuss = seitenFuss(s + 1, seiten);
        if (!fuss.empty()) {
            c.font = m.font(plan.punkte, false);
            c.font.color = ui::clBlack;
            c.brush.style = ui::BrushStyle::Clear;
            c.TextOut(links, plan.fussY, fuss);
        }
    }
    const bool fertig = pr.EndDoc();
    ausrichten(pr, false);
    // A file printed onto a full disk fails only here.
    if (!fertig) ui::showPrintFailure(true);
}

}  // namespace table

#include "app/statement/statement_print.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/statement/statement_pages.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/printing/printer.h"

namespace app {
namespace {

using platform::cp1252;

// Column widths in characters of the body font: lfd Nr, Datum, Wochentag,
// Von, Bis, gesamt, normal %, extra %, night, holiday, work text; the
// right margin is 2 more.
constexpr std::array<int, 11> kBreiten = {5, 6, 11, 6, 6, 6, 4, 5, 5, 5, 31};
// The work text starts in this column of its sheet line.
constexpr int kTextSpalte = 59;
static_assert(kTextSpalte == 5 + 6 + 11 + 6 + 6 + 6 + 4 + 5 + 5 + 5);
constexpr int kReihen = 65;  // rows of h to the page

// The totals block in print order: the two holiday lines change places.
constexpr std::array<int, 11> kSummenFolge = {0, 1, 2, 3, 5, 4, 6, 7, 8, 9, 10};

ui::TColor zeilenFarbe(const std::string& zeile, bool farbig) {
    if (!farbig || zeile.empty()) return ui::clBlack;
    switch (zeile[0]) {
        case '!': return ui::clGreen;
        case '-': return ui::clPurple;
        case '=': return ui::clBlue;
        case '>': return ui::clRed;
        default: return ui::clBlack;
    }
}

class Statement {
public:
    Statement(const Abrechnung& a, const ui::Bitmap* logo, ui::Canvas& c, int w, int h)
        : a_(a), logo_(logo), c_(c), standard_(a.standardFormular() || a.jahresbilanz),
          masse_(seitenMasse(standard_)), W_(w), H_(h) {}

    void metrikenSetzen();
    void kopf();
    void seite(int n, int m, const std::vector<Reihe>& reihen);

private:
    void font(const char* name, int points, bool bold = false) {
        c_.font.name = name;
        c_.font.setSize(points);
        c_.font.bold = bold;
    }
    void text(int x, int y, const std::string& s) { c_.TextOut(x, y, s); }
    void linie(int x1, int y1, int x2, int y2) {
        c_.MoveTo(x1, y1);
        c_.LineTo(x2, y2);
    }
    // A text of the page head and where it starts.
    struct Kopffeld {
        int x;
        std::string text;
    };
    // The fields of one head row, each cut where the next one starts, so
    // that no text runs into another.
    void kopfReihe(int y, std::vector<Kopffeld> felder);
    void spaltenKoepfe();
    void titel();
    void rumpf(const std::vector<Reihe>& reihen, bool letzte);
    void summenBlock();

    const Abrechnung& a_;
    const ui::Bitmap* logo_;
    ui::Canvas& c_;
    const bool standard_;  // standard layout: option set, or the year balance
    const Seitenmasse masse_;
    const int W_, H_;
    // Where column k of a sheet line printed at x_[0] + cw_ / 2 starts.
    int spalteX(int k) const {
        return x_[0] + cw_ / 2 + static_cast<int>(std::lround(k * schritt_));
    }

    int cw_ = 8, th_ = 13, h_ = 1, v_ = 0, B_ = 0, R_ = 0;
    double schritt_ = 8;  // the body font's pitch with its fraction
    int CH_ = 0, HY_ = 0;
    std::array<int, 12> x_{};
};

void Statement::metrikenSetzen() {
    c_.font.color = ui::clBlack;
    font("Courier New", 10);
    cw_ = std::max(1, c_.TextWidth("8"));
    schritt_ = std::max(1.0, c_.TextAdvance("8"));
    th_ = c_.TextHeight("8");
    c_.pen.width = standard_ ? 1 : std::max(2, cw_ / 8);
    B_ = H_ - th_;
    h_ = std::max(1, B_ / kReihen);
    v_ = std::max(0, (h_ - th_) / 2);
    R_ = W_ - (2 * cw_ + cw_ / 2);
    // The columns at the pitch the sheet lines are printed in, fraction and
    // all: with a whole-number width a line's last columns and the work text
    // drawn over them came apart by up to a character's fraction times 59.
    x_[11] = R_;
    int zeichen = 0;
    for (int i = 10; i >= 0; --i) {
        zeichen += kBreiten[static_cast<size_t>(i)];
        x_[static_cast<size_t>(i)] = R_ - static_cast<int>(std::lround(zeichen * schritt_));
    }
    CH_ = standard_ ? 5 * h_ : 10 * h_;
    HY_ = standard_ ? 0 : 7 * h_;
}

void Statement::kopfReihe(int y, std::vector<Kopffeld> felder) {
    std::stable_sort(felder.begin(), felder.end(),
                     [](const Kopffeld& a, const Kopffeld& b) { return a.x < b.x; });
    const int hoehe = c_.TextHeight("Mg");
    for (size_t i = 0; i < felder.size(); ++i) {
        const Kopffeld& f = felder[i];
        // A small gap before the next field keeps the two apart on paper.
        const int bis = i + 1 < felder.size() ? felder[i + 1].x - cw_ / 2 : W_;
        c_.TextRect({f.x, y, std::max(f.x, bis), y + hoehe}, f.x, y, f.text);
    }
}

void Statement::kopf() {
    const bool formular = a_.standardFormular();
    std::vector<Kopffeld> namen, werte;
    if (!a_.jahresbilanz) {
        namen.push_back({(formular ? x_[6] : x_[8]) - cw_ / 8, "Monat/Jahr"});
        if (!formular) namen.push_back({x_[4] - cw_ / 8, "Bereich"});
    }
    if (a_.angemeldet) {
        namen.push_back({x_[0], "Name, Vorname"});
        namen.push_back({R_ - 10 * cw_, "Pers.Nr"});
    }
    kopfReihe(HY_, namen);

    font("Courier New", 12, true);
    const std::string zeitraum = a_.jahresbilanz ? cp1252("Übersicht von ") + a_.jahrText
                                                 : a_.monatText + " " + a_.jahrText;
    const int x = standard_ ? x_[0] + (R_ - x_[0]) / 2 - c_.TextWidth(zeitraum) / 2
                            : x_[8] - cw_ / 8;
    werte.push_back({x, zeitraum});
    if (a_.angemeldet) {
        werte.push_back({R_ - 10 * cw_, a_.personalNr});
        werte.push_back({x_[0], a_.nachname + " " + a_.vorname});
        // The area belongs under its heading, which only the full layout has.
        if (!standard_) werte.push_back({x_[4], a_.bereich});
    }
    kopfReihe(HY_ + h_, werte);
    font("Courier New", 10);
}

void Statement::spaltenKoepfe() {
    c_.font.color = ui::clBlack;
    const int y = CH_ + v_;
    font("MS Sans Serif", 8);
    text(x_[0] + cw_, y, "lfd Nr");
    text(x_[1] + cw_, y, "Datum");
    text(x_[2] + cw_, y, "Wochentag");
    text(x_[3] + 2 * cw_, y, "Von");
    text(x_[4] + 2 * cw_, y, "Bis");
    font("MS Sans Serif", 6);
    text(x_[5] + cw_ / 2, y, "gesamt Std.");
    font("MS Sans Serif", 8);
    text(x_[6] + cw_ / 2, y, a_.spaltenKoepfe[0]);
    text(x_[7] + cw_, y, a_.spaltenKoepfe[1]);
    text(x_[8] + cw_, y, a_.spaltenKoepfe[2]);
    font("MS Sans Serif", 6);
    text(x_[9] + cw_ / 2, y, "Feiertag");
    font("MS Sans Serif", 8);
    text(x_[10] + 11 * cw_, y, cp1252("Grund der Überstunden"));
}

void Statement::titel() {
    int start = x_[2];
    if (!standard_) {
        if (logo_ != nullptr && logo_->width() > 0 && logo_->height() > 0)
            c_.StretchDraw({x_[10] + cw_ / 2, h_, R_ - cw_ / 2, 5 * h_}, *logo_);
        c_.Rectangle(x_[0], 0, R_, 6 * h_);
        linie(x_[10], 0, x_[10], 6 * h_);
        start = x_[0];
    } else {
        c_.font.name = "Courier New";
    }
    c_.font.setSize(16);
    c_.font.bold = true;
    text(start + cw_, 3 * h_, cp1252("Überstunden- und Bereitschaftsabrechnung"));
    font("Courier New", 10);
}

void Statement::rumpf(const std::vector<Reihe>& reihen, bool letzte) {
    const int erste = masse_.ersteReihe;
    // The head row's lower edge, also above text continued from the last page.
    linie(x_[0], erste * h_, R_, erste * h_);
    int r = 0;
    for (const Reihe& reihe : reihen) {
        const std::string& zeile = a_.zeilen[static_cast<size_t>(reihe.zeile)];
        const std::string& t = a_.texte[static_cast<size_t>(reihe.zeile)];
        const int oben = (erste + r) * h_;
        const int y = oben + v_;
        c_.font.color = zeilenFarbe(zeile, a_.farbe());
        if (reihe.stueck == 0) {
            text(spalteX(0), y, zeile);
            linie(x_[0], oben, R_, oben);
        }
        const size_t von = static_cast<size_t>(reihe.stueck) * kTextStueck;
        if (von < t.size()) {
            // In register with the line's own columns. A line that runs on
            // under its work text (the year balance's) keeps that place: the
            // text's leading blanks are left out.
            std::string stueck = t.substr(von, kTextStueck);
            size_t vorne = 0;
            if (zeile.size() > static_cast<size_t>(kTextSpalte)) {
                vorne = std::min(stueck.size(), stueck.find_first_not_of(' '));
                stueck.erase(0, vorne);
            }
            if (!stueck.empty())
                c_.TextRect({spalteX(kTextSpalte), oben + v_, R_ - cw_ / 2, oben + v_ + h_},
                            spalteX(kTextSpalte + static_cast<int>(vorne)), y, stueck);
        }
        ++r;
    }
    c_.font.color = ui::clBlack;
    const int bis = letzte ? masse_.summenReihe : kReihen - 1;
    for (int reihe = erste + r; reihe <= bis; ++reihe) linie(x_[0], reihe * h_, R_, reihe * h_);
}

void Statement::seite(int n, int m, const std::vector<Reihe>& reihen) {
    const bool letzte = n == m;
    spaltenKoepfe();
    titel();
    rumpf(reihen, letzte);
    if (letzte) summenBlock();
    const int unten = letzte ? masse_.summenReihe * h_ : B_;
    for (int i = 1; i <= 10; ++i) linie(x_[i], CH_, x_[i], unten);
    if (m > 1) {
        c_.font.color = ui::clBlack;
        font("Courier New", 10);
        text(x_[6], B_ + h_ / 4, "Seite " + std::to_string(n) + " von " + std::to_string(m));
    }
    c_.Rectangle(x_[0], CH_, R_, B_);
}

void Statement::summenBlock() {
    font("Courier New", 12);
    const int y0 = masse_.summenReihe * h_ + h_ / 2;
    const int cw12 = c_.TextWidth("8");
    const int lh = c_.TextHeight("8") + 2 * v_;
    c_.font.color = a_.farbe() ? ui::clBlue : ui::clBlack;
    for (int k = 0; k < 11; ++k)
        text(x_[3], y0 + k * lh + v_, a_.summenZeilen[static_cast<size_t>(kSummenFolge[k])]);

    if (standard_) {
        const bool unterschrift = a_.bearbeitungErlaubt || a_.nurMitUnterschrift();
        text(x_[3], B_ - lh,
             unterschrift ? std::string("Unterschrift")
                          : cp1252("Dokument ist ohne Unterschrift gültig!"));
    } else {
        font("Courier New", 12, true);
        text(x_[0], B_ - lh, "Unterschriften:");
        font("Courier New", 8, true);
        const int h8 = c_.TextHeight("M");
        const struct {
            int x;
            const char* name;
            const char* punkte;
        } felder[3] = {{x_[2] + 8 * cw12, "Antragsteller", "............."},
                       {x_[7], "Abteilungsleiter", "................"},
                       {x_[10] + 8 * cw12, "Geschäftsleitung", "................"}};
        for (const auto& f : felder) {
            text(f.x, B_ - h8, cp1252(f.name));
            text(f.x, B_ - 2 * h8, f.punkte);
        }
        font("Courier New", 12);
    }

    if (!a_.jahresbilanz) {
        c_.font.color = a_.farbe() ? ui::clRed : ui::clBlack;
        for (size_t j = 0; j < a_.bereitschaftsZeilen.size() && j < 11; ++j)
            text(x_[0] + cw12 + cw12 / 2, y0 + static_cast<int>(j) * lh + v_,
                 a_.bereitschaftsZeilen[j]);
        c_.Rectangle(x_[0] + cw12, y0, x_[0] + 16 * cw12, y0 + 11 * lh);
        linie(x_[0] + cw12, y0 + 2 * lh, x_[0] + 16 * cw12, y0 + 2 * lh);
        const int xk = x_[0] + 4 * cw12 - cw12 / 2;
        linie(xk, y0 + lh, xk, y0 + 11 * lh);
    }

    for (int i = 0; i <= 11; ++i) linie(x_[3], y0 + i * lh, R_, y0 + i * lh);
    linie(x_[3], y0, x_[3], standard_ ? B_ : y0 + 11 * lh);
    linie(x_[3] + 36 * cw12, y0, x_[3] + 36 * cw12, y0 + 11 * lh);
    linie(x_[3] + 43 * cw12, y0 + 6 * lh, x_[3] + 43 * cw12, y0 + 11 * lh);
    if (!standard_) linie(x_[0], y0 + 11 * lh + lh / 2, R_, y0 + 11 * lh + lh / 2);
    c_.font.color = ui::clBlack;
    font("Courier New", 10);
}

}  // namespace

bool druckeStandardAbrechnung(const Abrechnung& a, const ui::Bitmap* logo, ui::Printer& printer) {
    const bool standard = a.standardFormular() || a.jahresbilanz;
    const std::vector<std::vector<Reihe>> plan = seitenPlanen(a.texte, standard);
    const int m = static_cast<int>(plan.size());
    printer.setLandscape(false);
    const std::string titel = a.jahresbilanz
                                  ? cp1252("Jahresübersicht von ") + a.jahrText
                                  : cp1252("Überstunden vom ") + a.monatText + " " + a.jahrText;
    if (!printer.BeginDoc(titel)) {
        ui::showPrintFailure(false);
        return false;
    }
    const ui::PrinterMetrics pm = printer.metrics();
    ui::Canvas& c = printer.canvas();
    // Frames and boxes unfilled, texts without a background.
    c.brush.style = ui::BrushStyle::Clear;
    c.pen = {ui::clBlack, 1, ui::PenStyle::Solid};
    c.font = ui::Font();
    Statement s(a, logo, c, pm.pageWidth, pm.pageHeight);
    s.metrikenSetzen();
    s.kopf();
    for (int n = 1; n <= m; ++n) {
        if (n > 1) printer.NewPage();
        s.seite(n, m, plan[static_cast<size_t>(n - 1)]);
    }
    if (!printer.EndDoc()) {
        ui::showPrintFailure(true);
        return false;
    }
    return true;
}

}  // namespace app

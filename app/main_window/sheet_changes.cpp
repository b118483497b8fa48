// What the month sheet shows, kept to draw only what changed: the open
// line's row, one paint per user action, the marking of drawn areas (which
// also tells whether the caret was drawn over) and the move of a scroll.
#include <QRect>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"

namespace app {

// Scrolled: the lines still shown move with their pixels, as a scroll
// moves a window's content, and only the rows that came into view are drawn.
void TForm1::blattVerschieben(const std::vector<GezeigteZeile>& jetzt) {
    int d = 0;
    for (const GezeigteZeile& z : jetzt) {
        if (z.line < 0) break;
        const auto a = std::find_if(gezeigt_.begin(), gezeigt_.end(),
                                    [&](const GezeigteZeile& g) { return g.line == z.line; });
        if (a != gezeigt_.end()) {
            d = a->row - z.row;
            break;
        }
    }
    if (d == 0 || std::abs(d) >= geo_.visibleRows) return;
    // Pixels move only by whole device pixels: at a ratio such as 1.25 an
    // odd number of rows lands between pixels, where the rows drawn afresh
    // fall on other pixels than moved ones. Unmoved, every row that now
    // shows another line differs from what it showed and is drawn again.
    const qreal dpr = canvas().image() != nullptr ? canvas().image()->devicePixelRatio() : 1.0;
    const qreal shift = kRowPitch * d * dpr;
    if (shift != std::floor(shift)) return;
    if (caretAn_) {
        drawCaret(caretAt_.x, caretAt_.y);
        caretAn_ = false;
    }
    const int w = geo_.rightEdge + 1;
    const int von = geo_.rowTop(std::max(d, 0)) - 1, nach = geo_.rowTop(std::max(-d, 0)) - 1;
    const int h = kRowPitch * (geo_.visibleRows - std::abs(d)) + 1;
    ui::Canvas& c = canvas();
    c.copyMode = ui::CopyMode::SrcCopy;
    c.CopyRect({0, nach, w, nach + h}, c, {0, von, w, von + h});
    blattGezeichnet(geo_.top, geo_.rowTop(geo_.visibleRows));
    std::vector<GezeigteZeile> bleibt;
    for (GezeigteZeile& g : gezeigt_) {
        g.row -= d;
        if (g.row >= 0 && g.row + g.shown <= geo_.visibleRows) bleibt.push_back(std::move(g));
    }
    gezeigt_ = std::move(bleibt);
}

int TForm1::offeneReihe() const {
    const int n = static_cast<int>(buch_.texte.size());
    for (int line = std::max(0, ersteZeile), row = 0; line < n && row < geo_.visibleRows; ++line) {
        const bool open = line == buch_.aktuelleZeile && !buch_.jahresbilanz &&
                          line < static_cast<int>(buch_.zeilen.size()) && buch_.bearbeitungErlaubt;
        const int rows = open ? openLineRows(buch_.textLaenge)
                              : storedLineRows(static_cast<int>(buch_.texte[line].size()));
        if (open) return row + rows > geo_.visibleRows ? -1 : row;
        row += rows;
    }
    return -1;
}

TForm1::Rollzustand TForm1::rollzustand() const {
    return {ScrollBar1->value(), ScrollBar1->maximum(), ScrollBar1->pageStep(), ScrollBar1->isEnabled()};
}

TForm1::EinmalMalen::EinmalMalen(TForm1& form) : form_(form) {
    if (form_.malSammeln_++ > 0) return;
    form_.MonthCalendar1->holdDrawing(true);
    form_.rollVorher_ = form_.rollzustand();
    form_.ScrollBar1->setUpdatesEnabled(false);
}

TForm1::EinmalMalen::~EinmalMalen() {
    if (--form_.malSammeln_ > 0) return;
    form_.MonthCalendar1->holdDrawing(false);
    // Enabled again without the repaint that setUpdatesEnabled(true) asks for.
    form_.ScrollBar1->setAttribute(Qt::WA_UpdatesDisabled, false);
    if (!(form_.rollzustand() == form_.rollVorher_)) form_.ScrollBar1->update();
    if (form_.rahmenFaellig_ && !form_.malVoll_) {
        form_.rahmenFaellig_ = false;
        form_.Rahmen_zeichnen();
    }
    if (!form_.malFaellig_) return;
    const bool voll = form_.malVoll_;
    form_.malFaellig_ = form_.malVoll_ = false;
    form_.FormPaint(voll);
}

// Marked up to the sheet's right edge line, which the scroll bar covers: a
// drawn row does not repaint the bar.
void TForm1::blattGezeichnet(int top, int bottom) {
    blattGezeichnet(QRect(0, top, geo_.rightEdge, bottom - top + 1));
}

void TForm1::blattGezeichnet(const QRect& r) {
    canvas_->Invalidate(r);
    // Drawn over, the caret is gone; the next caret step draws it afresh.
    if (caretAn_ && r.intersects(QRect(caretAt_.x, caretAt_.y, 2, 16))) caretAn_ = false;
}

void TForm1::blattVergessen() {
    gezeigt_.clear();
    gezeigteSumme_.clear();
    for (std::string& z : gezeigteSummen_) z.clear();
}

void TForm1::kindAktionenSetzen() {
    const char kind = buch_.eingabe.empty() ? ' ' : buch_.eingabe[0];
    checkCommand("Extra_Kronlauf", kind == '!');
    checkCommand("Freizeitausgleich", kind == '-');
    checkCommand("UeStundenKonto", kind == '+');
    checkCommand("AZVerlagern", kind == 'V');
    checkCommand("Mehrarbeit", kind == 'M');
}

}  // namespace app

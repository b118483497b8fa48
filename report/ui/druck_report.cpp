#include "report/ui/druck_report.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/ui/drawing/canvas.h"
#include "platform/ui/drawing/color.h"
#include "platform/ui/printing/printer.h"
#include "report/report_draw.h"
#include "report/ui/qt_report_canvas.h"
#include "report/ui/report_print.h"

namespace report {
namespace {

const char* const kKnopfText[4] = {"<<", "<", ">", ">>"};
constexpr ui::TColor kRahmenFarbe = 0x9F9F9F;

// A quarter of the way from c to white.
ui::TColor heller(ui::TColor c) {
    ui::TColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = static_cast<int>((c >> shift) & 0xFF);
        out |= static_cast<ui::TColor>(v + (255 - v) / 4) << shift;
    }
    return out;
}

// Hands on to the page's canvas what the pass draws on one page; the other
// pages are walked and measured but drawn nowhere.
class EineSeite : public ReportCanvas {
public:
    EineSeite(ReportCanvas& c, int seite) : c_(c), gezeigt_(seite) {}
    void setFont(const CanvasFont& f, int ppi) override { c_.setFont(f, ppi); }
    int textWidth(std::string_view t) override { return c_.textWidth(t); }
    int textHeight(std::string_view t) override { return c_.textHeight(t); }
    void setPen(uint32_t farbe, int breite, bool gestrichelt) override {
        c_.setPen(farbe, breite, gestrichelt);
    }
    void setBrush(uint32_t farbe, Pinsel p) override { c_.setBrush(farbe, p); }
    void textRect(const platform::Rect& clip, int x, int y, std::string_view t) override {
        if (seite_ == gezeigt_) c_.textRect(clip, x, y, t);
    }
    void rectangle(const platform::Rect& r) override {
        if (seite_ == gezeigt_) c_.rectangle(r);
    }
    void line(int x1, int y1, int x2, int y2) override {
        if (seite_ == gezeigt_) c_.line(x1, y1, x2, y2);
    }
    void ellipse(const platform::Rect& r) override {
        if (seite_ == gezeigt_) c_.ellipse(r);
    }
    void stretchDraw(const platform::Rect& r, const Bild& b) override {
        if (seite_ == gezeigt_) c_.stretchDraw(r, b);
    }
    void newPage() override { ++seite_; }

private:
    ReportCanvas& c_;
    int gezeigt_;
    int seite_ = 0;
};

}  // namespace

TDruckReport::TDruckReport(QWidget* parent) : ui::Control(parent) {
    resize(200, 283);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->move(0, 0);
    scroll_->hide();
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { HorChange(v); });
}

TDruckReport::~TDruckReport() { report_.Clear_Report(true); }

bool TDruckReport::SetReportdaten(std::string_view text) {
    const bool ok = report_.SetReportdaten(text);
    seite_ = 0;
    scrollPos_ = 0;
    scroll_->blockSignals(true);
    scroll_->setValue(0);
    scroll_->blockSignals(false);
    neuZeichnen_ = true;
    SetGroesse();
    if (isVisible()) Paint();
    return ok;
}

void TDruckReport::Drucken(const std::string& title, int copies) {
    if (druckeReport(report_, ui::printer(), title, copies) && OnDruck) OnDruck(*this);
}

void TDruckReport::SetKonstrukt(int value) {
    if (report_.Konstrukt == value) return;
    report_.Konstrukt = value;
    neuZeichnen_ = true;
    Paint();
}

int TDruckReport::seitenAnzahl() const { return std::max(1, report_.SeitenGesamt()); }

void TDruckReport::SetGroesse() {
    const int sbBreite = scroll_->sizeHint().width();
    geo_ = vorschauGeometrie(width(), height(), report_.Seitenbreite(), report_.Seitenhoehe(),
                             knopfLeiste_, sbBreite);
    scroll_->blockSignals(true);
    scroll_->setVisible(geo_.scrollbar);
    if (geo_.scrollbar) {
        scroll_->setGeometry(geo_.scrollbarLinks, 0, sbBreite, geo_.scrollbarHoehe);
        scroll_->setMaximum(geo_.scrollBereich);
        scroll_->setPageStep(std::max(1, geo_.scrollbarHoehe));
        scrollPos_ = std::min(scrollPos_, geo_.scrollBereich);
        scroll_->setValue(scrollPos_);
    }
    scroll_->blockSignals(false);
    neuZeichnen_ = true;
}

void TDruckReport::Resized(int, int) {
    SetGroesse();
    if (isVisible()) Paint();
}

void TDruckReport::showEvent(QShowEvent* e) {
    ui::Control::showEvent(e);
    Paint();
}

// A page image as wide as the control and as high as the scrolled page:
// the control's colour around a white page with its margins outlined.
void TDruckReport::leereSeite() {
    bild_ = QImage(std::max(1, width()), std::max({1, height(), geo_.seiteUnten}),
                   QImage::Format_RGB32);
    bild_.fill(ui::toQColor(color()));
    ui::Canvas c(&bild_);
    c.brush.color = ui::clWhite;
    c.FillRect({geo_.seiteLinks, geo_.seiteOben, geo_.seiteRechts, geo_.seiteUnten});
    const double sx = static_cast<double>(geo_.seiteRechts - geo_.seiteLinks) / report_.Seitenbreite();
    const double sy = static_cast<double>(geo_.seiteUnten - geo_.seiteOben) / report_.Seitenhoehe();
    c.pen = {0xFF0000, 1, ui::PenStyle::Dash};
    c.brush.style = ui::BrushStyle::Clear;
    c.Rectangle(geo_.seiteLinks + static_cast<int>(report_.RandLinks() * sx),
                geo_.seiteOben + static_cast<int>(report_.RandOben() * sy),
                geo_.seiteRechts - static_cast<int>(report_.RandRechts() * sx),
                geo_.seiteUnten - static_cast<int>(report_.RandUnten() * sy));
}

// One drawing pass over all pages; the page shown lands in the image.
void TDruckReport::seitenZeichnen() {
    leereSeite();
    ui::Canvas canvas(&bild_);
    QtReportCanvas rc(canvas);
    EineSeite seite(rc, seite_);
    const DrawZiel ziel = vorschauZiel(report_, geo_.seiteLinks, geo_.seiteOben,
                                       geo_.seiteRechts - geo_.seiteLinks,
                                       geo_.seiteUnten - geo_.seiteOben);
    DrawCanvas(report_, seite, ziel);
    canvas.detach();
}

void TDruckReport::Paint() {
    if (report_.Seiten() != 1 && report_.Zaehlen()) {
        QtReportCanvas rc(canvas());
        DrawCanvas(report_, rc,
                   vorschauZiel(report_, geo_.seiteLinks, geo_.seiteOben,
                                geo_.seiteRechts - geo_.seiteLinks,
                                geo_.seiteUnten - geo_.seiteOben));
    }
    seite_ = std::clamp(seite_, 0, seitenAnzahl() - 1);
    if (neuZeichnen_) {
        if (knopfLeiste_ != (seitenAnzahl() >= 2)) {
            knopfLeiste_ = !knopfLeiste_;
            SetGroesse();
        }
        seitenZeichnen();
        neuZeichnen_ = false;
    }
    zeigen();
}

// Copies the scrolled strip of the page shown and draws the buttons.
void TDruckReport::zeigen() {
    ui::Canvas& c = canvas();
    const int sichtbar = height() - (knopfLeiste_ ? kKnopfLeiste : 0);
    c.brush = {color(), ui::BrushStyle::Solid};
    c.FillRect({0, 0, width(), height()});
    if (!bild_.isNull()) {
        c.painter().drawImage(QPoint(0, 0), bild_, QRect(0, scrollPos_, width(), sichtbar));
    }
    if (knopfLeiste_) DrawButton(-1);
    Invalidate();
}

void TDruckReport::DrawButton(int index) {
    if (index < 0) {
        for (int i = 0; i < 4; ++i) DrawButton(i);
        return;
    }
    ui::Canvas& c = canvas();
    const ui::Font alt = c.font;
    const bool gedrueckt = gedrueckt_ && knopf_ == index;
    platform::Rect r = knopfRechteck(width(), height(), index);
    c.brush = {ui::clBtnFace, ui::BrushStyle::Solid};
    c.FillRect(r);
    ui::TColor farbe = kRahmenFarbe;
    for (int stufe = 0; stufe < 2; ++stufe) {
        const ui::TColor hell = heller(heller(farbe));
        const ui::TColor dunkel = farbe;
        c.pen = {gedrueckt ? dunkel : hell, 1, ui::PenStyle::Solid};
        c.MoveTo(r.left, r.bottom - 1);
        c.LineTo(r.left, r.top);
        c.LineTo(r.right - 1, r.top);
        c.pen.color = gedrueckt ? hell : dunkel;
        c.LineTo(r.right - 1, r.bottom - 1);
        c.LineTo(r.left, r.bottom - 1);
        farbe = heller(farbe);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    c.font.setSize(10);
    c.font.color = ui::clBlack;
    c.brush.style = ui::BrushStyle::Clear;
    const std::string_view t = kKnopfText[index];
    const int x = r.left + (r.width() - c.TextWidth(t)) / 2 + (gedrueckt ? 1 : 0);
    const int y = r.top + (r.height() - c.TextHeight(t)) / 2 + (gedrueckt ? 1 : 0);
    c.TextOut(x, y, t);
    c.font = alt;
    Invalidate();
}

void TDruckReport::MouseDown(ui::MouseButton b, int, int x, int y) {
    if (b != ui::MouseButton::Left) return;
    const int i = knopfLeiste_ ? knopfBei(width(), height(), x, y) : -1;
    if (i >= 0) {
        knopf_ = i;
        gedrueckt_ = true;
        DrawButton(i);
        captureMouse();
    } else if (scroll_->isVisible() && !scroll_->hasFocus()) {
        scroll_->setFocus();
    }
}

void TDruckReport::MouseUp(ui::MouseButton b, int, int x, int y) {
    if (b != ui::MouseButton::Left) return;
    releaseMouseCapture();
    if (!gedrueckt_) return;
    gedrueckt_ = false;
    if (knopfBei(width(), height(), x, y) == knopf_) {
        const int neu = seiteNachKnopf(knopf_, seite_, seitenAnzahl());
        if (neu != seite_) {
            seite_ = neu;
            neuZeichnen_ = true;
            Paint();
            return;
        }
    }
    DrawButton(knopf_);
}

void TDruckReport::MouseMove(int, int, int) {
    if (report_.Konstrukt == 0 && scroll_->isVisible() && !scroll_->hasFocus()) scroll_->setFocus();
}

void TDruckReport::MouseWheel(int delta, int, int, int) {
    if (!scroll_->isVisible()) return;
    // A step a notch, also when a fine wheel sends the notch in parts.
    int neu = scrollPos_;
    for (int n = rad_.add(delta); n != 0; n += n > 0 ? -1 : 1)
        neu = scrollNachRad(neu, n, scroll_->maximum());
    if (neu == scrollPos_) return;
    scrollPos_ = neu;
    scroll_->blockSignals(true);
    scroll_->setValue(neu);
    scroll_->blockSignals(false);
    zeigen();
}

void TDruckReport::HorChange(int position) {
    if (position == scrollPos_) return;
    scrollPos_ = position;
    zeigen();
}

}  // namespace report

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
void TDruckReport::neueSeite(size_t n) {
    if (bilder_.size() <= n) bilder_.resize(n + 1);
    QImage& bild = bilder_[n];
    bild = QImage(std::max(1, width()), std::max({1, height(), geo_.seiteUnten}),
                  QImage::Format_RGB32);
    bild.fill(ui::toQColor(color()));
    ui::Canvas c(&bild);
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

void TDruckReport::seitenZeichnen() {
    bilder_.clear();
    neueSeite(0);
    ui::Canvas canvas(&bilder_[0]);
    QtReportCanvas rc(canvas, [&] {
        // Attach again after the vector grew: the images may have moved.
        canvas.detach();
        neueSeite(bilder_.size());
        canvas.attach(&bilder_.back());
    });
    const DrawZiel ziel = vorschauZiel(report_, geo_.seiteLinks, geo_.seiteOben,
                                       geo_.seiteRechts - geo_.seiteLinks,
                                       geo_.seiteUnten - geo_.seiteOben);
    DrawCanvas(report_, rc, ziel);
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
    if (neuZeichnen_) {
        if (knopfLeiste_ != (seitenAnzahl() >= 2)) {
            knopfLeiste_ = !knopfLeiste_;
            SetGroesse();
        }
        seitenZeichnen();
        neuZeichnen_ = false;
    }
    seite_ = std::clamp(seite_, 0, seitenAnzahl() - 1);
    zeigen();
}

// Copies the scrolled strip of the page shown and draws the buttons.
void TDruckReport::zeigen() {
    ui::Canvas& c = canvas();
    const size_t n = static_cast<size_t>(seite_) < bilder_.size() ? seite_ : 0;
    const int sichtbar = height() - (knopfLeiste_ ? kKnopfLeiste : 0);
    c.brush = {color(), ui::BrushStyle::Solid};
    c.FillRect({0, 0, width(), height()});
    if (n < bilder_.size()) {
        c.painter().drawImage(QPoint(0, 0), bilder_[n], QRect(0, scrollPos_, width(), sichtbar));
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
            zeigen();
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
    const int neu = scrollNachRad(scrollPos_, delta, scroll_->maximum());
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

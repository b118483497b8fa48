// TIconTab's caption bar with its date range, the new-record line's height,
// and the status symbols animated on the icon view's selected tile.
#include <QFontMetrics>
#include <QPainter>

#include "controls/calendar/zeit.h"
#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_titel.h"
#include "platform/ui/drawing/font_mapping.h"

namespace table {
namespace {

constexpr int kSymbolBreite = 32;
constexpr int kSymbolHoehe = 23;
// The work bitmap's background under a highlighted tile.
constexpr ui::TColor kStatusFokus = 0xFAF6DE;
constexpr ui::TColor kStatusOhneFokus = 0xFAF6FF;

// The strip cell of one frame of one symbol; white is transparent.
QImage symbolZelle(const QImage& strip, int frame, int status) {
    QImage z = strip.copy(frame * kSymbolBreite, status * kSymbolHoehe, kSymbolBreite, kSymbolHoehe)
                   .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < z.height(); ++y) {
        auto* px = reinterpret_cast<QRgb*>(z.scanLine(y));
        for (int x = 0; x < z.width(); ++x)
            if ((px[x] & 0xFFFFFF) == 0xFFFFFF) px[x] = 0;
    }
    return z;
}

}  // namespace

// ---- Caption bar ----

void TIconTab::captionNeu() {
    ui::Font f = font_;
    f.setSize(10);
    f.bold = true;
    const int textHoehe = QFontMetrics(ui::toQFont(f, logicalDpiY())).height();
    int feld = 0;
    for (const calendar::TZeit* z : {von_, bis_})
        if (z != nullptr) feld = std::max(feld, z->height());
    setCaptionHoehe(captionHoehe(caption_.empty(), textHoehe, zeitbereich_, feld));
}

void TIconTab::SetCaption(const std::string& caption) {
    caption_ = caption;
    captionNeu();
    if (gesperrt()) return;
    if (Detailfenster() && GetA_Format() == A_Icon) Errechne_Fenster(aktuelleTabelle());
    SetGroesse();
    neuZeichnen();
}

calendar::TZeit* TIconTab::feldAnlegen(bool von) {
    auto* z = new calendar::TZeit(this);
    z->SetSize(8);
    z->SetTitelColor(titelColor_);
    z->model().Von = von;
    z->OnChange = [this](calendar::TZeit&, platform::DateTime) { ZeitEvent(); };
    z->move(z->x(), 0);
    return z;
}

void TIconTab::SetBereich(TBereichStyle style) {
    zeitbereich_ = style;
    const BereichFelder f = bereichFelder(style);
    if (f.von && von_ == nullptr) {
        von_ = feldAnlegen(true);
        von_->SetCaption("Vom");
        if (bis_ != nullptr) {
            von_->SetPartner(bis_);
            bis_->SetPartner(von_);
        }
    }
    if (f.bis && bis_ == nullptr) {
        bis_ = feldAnlegen(false);
        if (von_ != nullptr) {
            von_->SetPartner(bis_);
            bis_->SetPartner(von_);
        }
    }
    if (bis_ != nullptr && f.bis) bis_->SetCaption(f.bisCaption);
    if (von_ != nullptr) von_->setVisible(f.von);
    if (bis_ != nullptr) bis_->setVisible(f.bis);
    captionNeu();
    bereichPlatzieren();
    if (gesperrt()) return;
    SetGroesse();
    neuZeichnen();
}

void TIconTab::bereichPlatzieren() {
    // The client width is the control's less a shown vertical bar.
    const BereichLinks l = bereichLinks(zeitbereich_, clientBreite(), 0, von_ ? von_->width() : 0,
                                        bis_ ? bis_->width() : 0);
    if (von_ != nullptr) von_->move(l.von, 0);
    if (bis_ != nullptr) bis_->move(l.bis, 0);
}

void TIconTab::ZeitEvent() {
    if (!BereichChange) return;
    const platform::DateTime von = von_ ? von_->GetValue() : 0;
    const platform::DateTime bis = bis_ ? bis_->GetValue() : 0;
    const BereichWerte w = bereichWerte(von_ ? &von : nullptr, bis_ ? &bis : nullptr);
    BereichChange(*this, w.von, w.bis);
}

std::string TIconTab::druckTitel() const {
    const platform::DateTime von = von_ ? von_->GetDateValue() : 0;
    const platform::DateTime bis = bis_ ? bis_->GetDateValue() : 0;
    return table::druckTitel(caption_, zeitbereich_, von_ ? &von : nullptr, bis_ ? &bis : nullptr);
}

void TIconTab::SetTitelColor(ui::TColor colour) {
    titelColor_ = colour;
    for (calendar::TZeit* z : {von_, bis_})
        if (z != nullptr) z->SetTitelColor(colour);
    if (bild().masse.captionHoehe > 0) neuZeichnen();
}

int TIconTab::neueZeileMessen() {
    ui::Font f = font_;
    f.setSize(f.size(logicalDpiY()) * 3 / 2);
    f.bold = true;
    return QFontMetrics(ui::toQFont(f, logicalDpiY())).height() + 2;
}

// ---- Status symbols ----

ui::Bitmap& TIconTab::GetSymbole() {
    if (!symbole_) symbole_ = std::make_unique<ui::Bitmap>();
    return *symbole_;
}

void TIconTab::SetSymbole(std::unique_ptr<ui::Bitmap> strip) {
    symbole_ = std::move(strip);
    neuZeichnen();
}

void TIconTab::DrawStatus(const Rect& r, int frame, int status, int icon, bool highlight) {
    if (!symbole_ || symbole_->width() == 0 || frame < 0 || frame >= kStatusFrames || status < 0)
        return;
    const int iw = r.width(), ih = r.height();
    const int x = r.left + iw / 2 - kSymbolBreite / 2;
    const int y = r.top + ih / 2 - kSymbolHoehe / 2;
    const int caption = bild().masse.captionHoehe;
    if (y < caption) return;
    if (Detailfenster() && pane().rect.right > 0 && x + kSymbolBreite > pane().rect.left &&
        y < pane().rect.bottom)
        return;
    QImage arbeit(kSymbolBreite, kSymbolHoehe, QImage::Format_RGB32);
    const ui::TColor grund = highlight ? (hasFocus() ? kStatusFokus : kStatusOhneFokus) : Color;
    arbeit.fill(ui::toQColor(grund));
    {
        QPainter p(&arbeit);
        const QImage symbol = symbolZelle(symbole_->image(), frame, status);
        const bool iconDa = icon >= 0 && icon < static_cast<int>(icons_.size());
        // The symbol pulses behind and in front of the icon.
        const bool iconZuerst = frame >= 4 && frame <= 12;
        const QPoint iconOrt(r.left - x, r.top - y);
        if (iconZuerst && iconDa) p.drawImage(iconOrt, icons_[static_cast<size_t>(icon)]);
        p.drawImage(0, 0, symbol);
        if (!iconZuerst && iconDa) p.drawImage(iconOrt, icons_[static_cast<size_t>(icon)]);
    }
    canvas().Draw(x, y, arbeit);
    Invalidate();
}

void TIconTab::onTime() {
    if (gesperrt() || !isVisible()) return;  // the timer keeps running for later
    bool gezeichnet = false;
    const TabBild b = bild();
    for (const TabellenPlatz& p : b.tabellen) {
        const Tabdefinition& t = *p.tab;
        if (t.Anzeige != A_Icon || icons_.empty() || !t.StdStatus || !symbole_ ||
            symbole_->width() == 0)
            continue;
        const RowDef* rd = t.row(t.Selected);
        if (rd == nullptr || t.Selected < t.FixedRows || rd->Status < 0) continue;
        const KachelMasse k = kachelMasse(p);
        const Rect icon = kachelIcon(t.Selected - t.FixedRows, k);
        if (icon.bottom <= b.masse.captionHoehe || icon.top >= clientHoehe()) continue;
        frame_ = naechsterFrame(frame_);
        DrawStatus(icon, frame_, rd->Status, rd->Icon, auswahlSichtbar());
        gezeichnet = true;
    }
    if (!gezeichnet) disarmTimer(kStatusTimer);
}

}  // namespace table

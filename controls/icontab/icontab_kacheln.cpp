// TIconTab's icon view: a tile per data row with its icon, its label under
// it and, on tables with status, the row's status symbol at its still frame.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_titel.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr ui::TColor kKachelRand = 0xD8D8D8;
constexpr ui::TColor kKachelFokus = 0xFAF6DE;
constexpr ui::TColor kKachelOhneFokus = 0xFAF6FF;

// The label under the icon: centred when it fits, else wrapped character by
// character inside the widened tile and cut above its bottom.
void beschriftung(QPainter& p, const QFontMetrics& fm, const Rect& icon, const Rect& rahmen,
                  int hAbstand, const QString& text) {
    const int platz = icon.width() + hAbstand - hAbstand / 4;
    int y = icon.bottom + 2;
    if (fm.horizontalAdvance(text) <= platz) {
        p.drawText(icon.left + (icon.width() - fm.horizontalAdvance(text)) / 2, y + fm.ascent(),
                   text);
        return;
    }
    const int links = rahmen.left - hAbstand / 3 + hAbstand / 2;
    const int breite = rahmen.width() + 2 * (hAbstand / 3) - hAbstand;
    qsizetype start = 0;
    while (start < text.size() && y + fm.height() <= rahmen.bottom - 5) {
        qsizetype ende = start + 1;
        while (ende < text.size() &&
               fm.horizontalAdvance(text.mid(start, ende - start + 1)) <= breite)
            ++ende;
        p.drawText(links, y + fm.ascent(), text.mid(start, ende - start));
        start = ende;
        y += fm.height();
    }
}

}  // namespace

KachelMasse TIconTab::kachelMasse(const TabellenPlatz& p) const {
    return p.kacheln;
}

void TIconTab::paintKacheln(const TabBild& b) {
    if (icons_.empty()) return;
    ui::Canvas& c = canvas();
    QPainter& p = c.painter();
    p.save();
    ui::Font f = font_;
    const QFont schrift = ui::toQFont(f, c.pixelsPerInch());
    const QFontMetrics fm(schrift);
    p.setFont(schrift);
    p.setRenderHint(QPainter::Antialiasing, true);
    bool symbole = false;
    struct Symbol {
        Rect icon;
        const RowDef* rd;
        bool gewaehlt;
    };
    std::vector<Symbol> status;
    for (const TabellenPlatz& tp : b.tabellen) {
        const Tabdefinition& t = *tp.tab;
        if (t.Anzeige != A_Icon) continue;
        const KachelMasse k = kachelMasse(tp);
        for (const int r : sichtbareKacheln(b, tp)) {
            const Rect icon = kachelIcon(r - t.FixedRows, k);
            const Rect rahmen = kachelRahmen(icon, k);
            const RowDef& rd = t.Rows[static_cast<size_t>(r)];
            const bool gewaehlt = r == t.Selected && auswahlSichtbar();
            const QRectF q(rahmen.left + 0.5, rahmen.top + 0.5, rahmen.width() - 1,
                           rahmen.height() - 1);
            if (gewaehlt) {
                p.setPen(ui::toQColor(hasFocus() ? ui::clHighlight : ui::clGray));
                p.setBrush(ui::toQColor(hasFocus() ? kKachelFokus : kKachelOhneFokus));
                p.drawRoundedRect(q, 10, 10);
            } else {
                p.setPen(ui::toQColor(rahmenFarbe() == kSuchRahmen ? kSuchRahmen : kKachelRand));
                p.setBrush(ui::toQColor(Color));
                p.drawRect(q);
            }
            if (rd.Icon >= 0 && rd.Icon < static_cast<int>(icons_.size()))
                p.drawImage(icon.left, icon.top, icons_[static_cast<size_t>(rd.Icon)]);
            p.setPen(ui::toQColor(rd.Farbe != 0 ? rd.Farbe : ui::clBlack));
            beschriftung(p, fm, icon, rahmen, k.hAbstand, ui::toQString(t.zelle(r, 0)));
            if (t.StdStatus && symbole_ && rd.Status >= 0) status.push_back({icon, &rd, gewaehlt});
            if (t.StdStatus && symbole_ && rd.Status >= 0 && r == t.Selected) symbole = true;
        }
    }
    p.restore();
    for (const Symbol& s : status)
        DrawStatus(s.icon, kStillerFrame, s.rd->Status, s.rd->Icon, s.gewaehlt);
    if (symbole) armTimer(kStatusTimer, 150);
}

void TIconTab::auswahlWechsel() {
    frame_ = kStillerFrame;
}

}  // namespace table

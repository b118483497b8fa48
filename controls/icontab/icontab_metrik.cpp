#include "controls/icontab/icontab_metrik.h"

#include <QFontMetrics>

#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

void tabelle(const QFont& f, std::array<int, 256>& breiten) {
    const QFontMetrics fm(f);
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        breiten[static_cast<size_t>(b)] =
            b < 32 ? 0 : fm.horizontalAdvance(ui::toQString(std::string_view(&ch, 1)));
    }
}

}  // namespace

void QtMetrik::setFont(const ui::Font& font, int pixelsPerInch) {
    QFont f = ui::toQFont(font, pixelsPerInch);
    f.setKerning(false);
    tabelle(f, normal_);
    hoehe_ = QFontMetrics(f).height();
    f.setBold(true);
    tabelle(f, fett_);
    ui::Font titel = font;
    titel.setSize(16);
    titel.bold = true;
    titelHoehe_ = QFontMetrics(ui::toQFont(titel, pixelsPerInch)).height();
}

int QtMetrik::breite(std::string_view text, bool fett) {
    const std::array<int, 256>& t = fett ? fett_ : normal_;
    int summe = 0;
    for (const char ch : text) summe += t[static_cast<unsigned char>(ch)];
    return summe;
}

ui::Font QtDruckMetrik::font(int punkte, bool fett) const {
    ui::Font f;
    f.name = name_;
    f.setSize(punkte);
    f.bold = fett;
    return f;
}

int QtDruckMetrik::breite(std::string_view text, int punkte, bool fett) {
    return QFontMetrics(ui::toQFont(font(punkte, fett), ppi_))
        .horizontalAdvance(ui::toQString(text));
}

int QtDruckMetrik::hoehe(std::string_view, int punkte, bool fett) {
    return QFontMetrics(ui::toQFont(font(punkte, fett), ppi_)).height();
}

}  // namespace table

#include "controls/table_shared/model/tab_titel.h"

#include <algorithm>
#include <cmath>

namespace table {

BereichFelder bereichFelder(TBereichStyle style) {
    BereichFelder f;
    f.von = style == zaVon || style == zaVonBis;
    f.bis = style == zaBis || style == zaVonBis || style == zaAm;
    f.bisCaption = style == zaAm ? "Am" : "Bis";
    return f;
}

int captionHoehe(bool captionLeer, int textHoehe, TBereichStyle style, int feldHoehe) {
    const int felder = style != zaKein && feldHoehe > 0 ? feldHoehe + 1 : 0;
    if (!captionLeer) return std::max(textHoehe + 5, felder);
    return felder;
}

BereichLinks bereichLinks(TBereichStyle style, int breite, int balken, int vonBreite,
                          int bisBreite) {
    BereichLinks l;
    l.bis = breite - bisBreite - balken;
    l.von = breite - vonBreite - balken - (style == zaVonBis ? bisBreite + 5 : 0);
    return l;
}

BereichWerte bereichWerte(const platform::DateTime* von, const platform::DateTime* bis) {
    BereichWerte w;
    if (von != nullptr) w.von = *von;
    if (bis != nullptr) w.bis = std::trunc(*bis);
    return w;
}

std::string druckTitel(const std::string& caption, TBereichStyle style,
                       const platform::DateTime* von, const platform::DateTime* bis) {
    const auto bits = static_cast<unsigned>(style);
    std::string t = caption;
    if ((bits & kBereichVon) && von != nullptr) t += " vom " + platform::dateToText(*von);
    if ((bits & (kBereichBis | kBereichAm)) && bis != nullptr)
        t += ((bits & kBereichBis) ? " bis " : " am ") + platform::dateToText(*bis);
    return t;
}

}  // namespace table

#include "book/sheet/month_entry.h"

#include "book/sheet/zeitbuch.h"

namespace book {

Zeilensatz lineOfSheet(const std::string& line, const std::string& workText) {
    auto field = [&](int column) {
        return static_cast<uint8_t>(Zeitbuch::Zweistellig_lesen(line.c_str() + column));
    };
    Zeilensatz z;
    z.tag = field(col::kDay);
    z.vonStunde = field(col::kFromHour);
    z.vonMinute = field(col::kFromMinute);
    z.bisStunde = field(col::kToHour);
    z.bisMinute = field(col::kToMinute);
    z.monat = field(col::kMonth);
    z.art = line.empty() ? ' ' : line[col::kMarker];
    z.text = workText.substr(0, kWorkTextMax);
    return z;
}

std::string monthEntry(const PageImage& page) {
    const int periods = page.handMode ? page.periods : 0;
    std::string out = encodeEntryHead(
        monthKey(page.year, page.handMode, page.counts), static_cast<uint8_t>(page.month), 0,
        static_cast<uint32_t>(page.lineCount + (periods > 0 ? 1 : 0)));
    if (periods > 0) out += encodeStandbyRecord(page.standby, periods);
    for (int i = 0; i < page.lineCount; ++i)
        out += encodeLineRecord(lineOfSheet(page.lines[i], page.texts[i]));
    return out;
}

}  // namespace book

// The caption bar of the table control without a window: its height, which
// date fields a date range shows and where, the values it reports, the print
// title, and the frame counter of the status symbol animation.
#pragma once

#include <string>

#include "controls/table_shared/model/tab_typen.h"
#include "platform/core/date.h"

namespace table {

// TBereichStyle as bits: 1 = from, 2 = to, 4 = on.
constexpr unsigned kBereichVon = 1;
constexpr unsigned kBereichBis = 2;
constexpr unsigned kBereichAm = 4;

struct BereichFelder {
    bool von = false;  // first field, caption "Vom"
    bool bis = false;  // second field, caption "Bis" or "Am"
    const char* bisCaption = "Bis";
};
BereichFelder bereichFelder(TBereichStyle style);

// textHoehe: "A" at 10 points bold; feldHoehe: the date fields' height
// (0 while none exists).
int captionHoehe(bool captionLeer, int textHoehe, TBereichStyle style, int feldHoehe);

// Left edges of the two fields at the right end of the bar; "Vom" stands
// left of "Bis" with 5 pixels between them.
struct BereichLinks {
    int von = 0;
    int bis = 0;
};
BereichLinks bereichLinks(TBereichStyle style, int breite, int balken, int vonBreite,
                          int bisBreite);

// What BereichChange reports: the first field's value as it is, the second
// field's without its time of day; 0 for a field that does not exist.
struct BereichWerte {
    platform::DateTime von = 0;
    platform::DateTime bis = 0;
};
BereichWerte bereichWerte(const platform::DateTime* von, const platform::DateTime* bis);

// Caption + " vom " + first date and " bis " / " am " + second date, as far
// as the style and the fields have them; dates as "dd.mm.yyyy".
std::string druckTitel(const std::string& caption, TBereichStyle style,
                       const platform::DateTime* von, const platform::DateTime* bis);

// The status animation: 16 frames, still symbols show frame 8.
constexpr int kStatusFrames = 16;
constexpr int kStillerFrame = 8;
inline int naechsterFrame(int frame) {
    return (frame + 1) % kStatusFrames;
}

}  // namespace table

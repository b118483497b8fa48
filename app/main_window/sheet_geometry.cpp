#include "app/main_window/sheet_geometry.h"

#include <algorithm>

#include "platform/core/codepage.h"

namespace app {

const std::array<HeaderSection, 11> kHeaderSections = {{
    {" lfd Nr", 41, false},
    {"Datum", 46, false},
    {"Wochentag", 90, true},
    {"Von", 47, true},
    {"Bis", 47, true},
    {"Ges", 46, true},
    {"", 36, true},
    {"", 41, true},
    {"Nacht", 41, true},
    {"F-Tag", 41, true},
    {"Art der Arbeit", 247, true},
}};

int sectionRight(int i) {
    int x = 0;
    for (int k = 0; k <= i && k < static_cast<int>(kHeaderSections.size()); ++k)
        x += kHeaderSections[k].width;
    return x;
}

int openLineRows(int length) {
    if (length >= 150) return 5;
    return std::max(0, length) / kTextPerRow + 1;
}

int storedLineRows(int length) { return std::max(1, (length + kTextPerRow - 1) / kTextPerRow); }

void SheetGeometry::compute(int calendarTop, int clientWidth) {
    height = std::max(0, (calendarTop - top - 2) / kRowPitch * kRowPitch);
    visibleRows = height / kRowPitch;
    rightEdge = clientWidth - kScrollBarWidth;
}

int scrollExtent(const std::vector<std::string>& texts, int visibleRows, int current) {
    int sum = 0;
    for (int i = static_cast<int>(texts.size()) - 1; i >= 0; --i) {
        const int len = static_cast<int>(texts[i].size());
        sum += len == 0 ? 1 : (len - 1) / kTextPerRow + 1;
        if (sum >= visibleRows) return visibleRows + i + (sum > visibleRows ? 1 : 0);
    }
    return current;
}

int firstLineShowing(const std::vector<std::string>& texts, int index, int visibleRows) {
    int r = visibleRows;
    int i = index;
    while (r > 0 && i >= 0) {
        const int len = i < static_cast<int>(texts.size()) ? static_cast<int>(texts[i].size()) : 0;
        r = r - len / kTextPerRow - 1;
        --i;
    }
    if (r < 0) i -= r;
    return i + 1;
}

const std::string& statusText(int code) {
    static const std::array<std::string, 8> texts = {
        std::string(),
        platform::cp1252("Das aktuelle Überstunden-Jahr muß mit dem Jahr des ausgewählten "
                         "Tages übereinstimmen"),
        platform::cp1252("Die maximale Anzahl an Zeichen für die 'Art der Arbeit' ist erreicht!"),
        platform::cp1252("Die Eingabezeile enthält einen Fehler im Zeitbereich oder in den "
                         "erforderlichen Angaben!"),
        platform::cp1252("Achtung, das letzte Zeichen in der 'Art der Arbeit' wurde abgeschnitten!"),
        platform::cp1252("Die Handeinstellung der Zuschläge kann nicht während der Jahresbilanz "
                         "vorgenommen werden!"),
        platform::cp1252("Gültige Jahresangaben beginnen ab 1900!"),
        platform::cp1252("In der ausgewählten Woche muss ein Tag selektiert werden!"),
    };
    return code >= 1 && code <= 7 ? texts[code] : texts[0];
}

}  // namespace app

#include "book/calculation/standby_lines.h"

namespace book {

const char kStandbyHeading[] = " Bereitschaft";
const char kStandbyColumnHeading[] = "KW  von   bis ";

namespace {

void twoDigits(std::string& text, size_t at, int value) {
    value %= 100;  // a damaged record must not widen the line
    text[at] = static_cast<char>('0' + value / 10);
    text[at + 1] = static_cast<char>('0' + value % 10);
}

}  // namespace

// Byte 0: week number in the low 6 bits, 0x80 starts in the previous year,
// 0x40 ends in the next; bytes 1-4: start day, start month, end day, end month.
std::string standbyLineText(const uint8_t* record) {
    std::string text(14, ' ');
    const int week = record[0] & 0x3F;
    if (record[0] & 0x80) {
        text[0] = '<';
        text[1] = 'J';
    } else if (record[0] & 0x40) {
        text[0] = '>';
        text[1] = 'J';
    } else {
        if (week >= 10) text[0] = static_cast<char>('0' + week / 10);
        text[1] = static_cast<char>('0' + week % 10);
    }
    if (record[1] == record[3] && record[2] == record[4]) {
        text.replace(3, 4, " am ");
        twoDigits(text, 7, record[1]);
        text[9] = '.';
        twoDigits(text, 10, record[2]);
    } else {
        twoDigits(text, 3, record[1]);
        text[5] = '.';
        twoDigits(text, 6, record[2]);
        text[8] = '-';
        twoDigits(text, 9, record[3]);
        text[11] = '.';
        twoDigits(text, 12, record[4]);
    }
    return text;
}

void Bereitschaftszeile(std::vector<std::string>& list, const StandbyList& records,
                        bool yearBalance) {
    // Rebuilt from the headings every time: savers count the periods as the
    // lines below the two headings.
    list.assign({kStandbyHeading, kStandbyColumnHeading});
    if (yearBalance) return;
    for (size_t i = 0; i + 5 <= records.size(); i += 5) {
        if ((records[i] & 0x3F) == 0) break;
        list.push_back(standbyLineText(&records[i]));
    }
}

}  // namespace book

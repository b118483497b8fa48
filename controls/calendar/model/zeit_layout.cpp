#include "controls/calendar/model/zeit_layout.h"

#include <algorithm>

namespace calendar {
namespace {

// Character index in a block's text -> digit within the block.
constexpr int kDateDigitOfChar[10] = {0, 1, 1, 2, 3, 3, 4, 5, 6, 7};  // "DD.MM.YYYY"
constexpr int kTimeDigitOfChar[5] = {0, 1, 1, 2, 3};                  // "HH:MM"

// Separators before a digit within its block.
int separatorsBefore(bool date, int digit) {
    return date ? (digit >= 4 ? 2 : digit >= 2 ? 1 : 0) : digit >= 2 ? 1 : 0;
}

}  // namespace

ZeitLayout layoutZeit(TZeitStyle style, bool zeitDatum, int captionWidth, int charWidth,
                      int charHeight) {
    ZeitLayout l;
    l.style = style;
    l.zeitDatum = zeitDatum && style == TZeitStyle::zaBeides;
    l.charWidth = charWidth;
    l.charHeight = charHeight;
    l.captionWidth = captionWidth;
    l.height = charHeight + 4;
    l.x0 = captionWidth + 5;
    const int extra = style == TZeitStyle::zaDatum ? 4 : style == TZeitStyle::zaUhr ? 3 : 5;
    l.width = (lastDigit(style) + extra) * charWidth + l.x0 + 12;
    if (style == TZeitStyle::zaBeides) l.width += 13;
    l.buttonX = l.width - charWidth - 7;

    const bool firstIsDate =
        style == TZeitStyle::zaDatum || (style == TZeitStyle::zaBeides && !l.zeitDatum);
    ZeitBlock& first = l.blocks[0];
    first.date = firstIsDate;
    first.textX = l.x0;
    first.box = {l.x0 - 3, 2, first.chars() * charWidth + l.x0 + 3, l.height - 2};
    if (style == TZeitStyle::zaBeides) {
        l.blockCount = 2;
        ZeitBlock& second = l.blocks[1];
        second.date = !firstIsDate;
        const int left = first.chars() * charWidth + l.x0 + 10;
        second.textX = left + 3;
        second.box = {left, 2, second.textX + second.chars() * charWidth + 3, l.height - 2};
    }
    return l;
}

Rect ZeitLayout::cursorCell(int digit) const {
    const bool date = style != TZeitStyle::zaUhr && digit < 8;
    const int local = date || style == TZeitStyle::zaUhr ? digit : digit - 8;
    const ZeitBlock& b = blockCount == 2 && blocks[1].date == date ? blocks[1] : blocks[0];
    const int x = b.textX + (local + separatorsBefore(date, local)) * charWidth;
    return {x, 4, x + charWidth, charHeight + 2};
}

int ZeitLayout::digitAt(int x, int y) const {
    for (int i = 0; i < blockCount; ++i) {
        const ZeitBlock& b = blocks[i];
        if (x < b.box.left || x > b.box.right || y < b.box.top || y >= b.box.bottom) continue;
        const int ch = std::clamp(charWidth > 0 ? (x - b.textX) / charWidth : 0, 0, b.chars() - 1);
        if (b.date) return kDateDigitOfChar[ch];
        const int local = kTimeDigitOfChar[ch];
        return style == TZeitStyle::zaUhr ? local : local + 8;
    }
    return -1;
}

}  // namespace calendar

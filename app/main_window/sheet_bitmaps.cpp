#include "app/main_window/sheet_bitmaps.h"

namespace app {

void drawCaretBitmap(ui::Bitmap& bitmap) {
    bitmap.setSize(2, 16);
    ui::Canvas& c = bitmap.canvas();
    c.brush = {ui::clBlack, ui::BrushStyle::Solid};
    c.FillRect({0, 0, 2, 16});
}

int glyphOffset(char kind) {
    switch (kind) {
        case '!': return 8;
        case '-': return 16;
        case '+': return 24;
        case 'V': return 32;
        case 'M': return 40;
        default: return 0;
    }
}

void drawKindGlyphs(ui::Bitmap& bitmap) {
    bitmap.setSize(48, 14);
    ui::Canvas& c = bitmap.canvas();
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.FillRect({0, 0, 48, 14});
    // Each glyph: a small coloured mark in the colour its lines are drawn in.
    struct Glyph {
        char kind;
        ui::TColor colour;
    };
    static constexpr Glyph glyphs[] = {{'!', ui::clGreen},  {'-', ui::clPurple},
                                       {'+', ui::clMaroon}, {'V', ui::clNavy},
                                       {'M', ui::clBlue}};
    for (const Glyph& g : glyphs) {
        const int x = glyphOffset(g.kind);
        c.pen = {g.colour, 1, ui::PenStyle::Solid};
        c.brush = {g.colour, ui::BrushStyle::Solid};
        switch (g.kind) {
            case '!':
                c.FillRect({x + 3, 2, x + 5, 9});
                c.FillRect({x + 3, 10, x + 5, 12});
                break;
            case '-':
                c.FillRect({x + 1, 6, x + 7, 8});
                break;
            case '+':
                c.FillRect({x + 1, 6, x + 7, 8});
                c.FillRect({x + 3, 4, x + 5, 10});
                break;
            case 'V':
                for (int i = 0; i < 4; ++i) {
                    c.FillRect({x + i, 3 + 2 * i, x + i + 1, 5 + 2 * i});
                    c.FillRect({x + 7 - i, 3 + 2 * i, x + 8 - i, 5 + 2 * i});
                }
                break;
            case 'M':
                c.FillRect({x + 1, 3, x + 2, 11});
                c.FillRect({x + 6, 3, x + 7, 11});
                c.FillRect({x + 2, 4, x + 3, 6});
                c.FillRect({x + 5, 4, x + 6, 6});
                c.FillRect({x + 3, 6, x + 5, 8});
                break;
        }
    }
}

}  // namespace app

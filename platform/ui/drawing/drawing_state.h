// The state the drawing code sets before it draws: pen, brush and font, each
// read by the canvas at the moment of every drawing call.
#pragma once

#include <string>

#include "platform/ui/drawing/color.h"

namespace ui {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };

struct Pen {
    TColor color = clBlack;
    int width = 1;  // device pixels; 0 counts as 1
    PenStyle style = PenStyle::Solid;
};

// Hatched styles draw their lines in the brush colour over what is there.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct Brush {
    TColor color = clWhite;
    BrushStyle style = BrushStyle::Solid;
};

// The font's size is kept as it was last set: a height in device pixels
// (negative: the character height, positive: the height of the text cell) or
// a size in points, turned into pixels with the resolution of the canvas it
// draws on, so one font prints as large as it shows.
struct Font {
    std::string name = "MS Sans Serif";  // mapped to an installed family when drawn
    TColor color = clWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int orientation = 0;  // tenths of a degree, counter-clockwise

    void setHeight(int pixels) { height_ = pixels; points_ = 0; }
    void setSize(int points) { points_ = points; height_ = 0; }
    // The height for a device of the given resolution (negative = character height).
    int height(int pixelsPerInch) const {
        if (points_ == 0) return height_;
        return -((points_ * pixelsPerInch + 36) / 72);
    }
    // Points for that resolution (the stored size when the font was set so).
    int size(int pixelsPerInch) const {
        if (points_ != 0) return points_;
        const int h = height_ < 0 ? -height_ : height_;
        return (h * 72 + pixelsPerInch / 2) / pixelsPerInch;
    }

    bool operator==(const Font&) const = default;

private:
    int height_ = 0;
    int points_ = 8;
};

}  // namespace ui

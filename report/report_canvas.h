// What the report layout draws on: a small canvas interface in device units
// that the printer, the preview, the PDF writer and the test recorder each
// implement, and the pictures a host hands to a report by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/rect.h"

namespace report {

// A picture fetched through OnGetBitmap; the canvas that draws it knows its
// concrete type.
class Bild {
public:
    virtual ~Bild() = default;
    virtual bool isEmpty() const = 0;
};

enum class Pinsel : uint8_t { Leer, Voll, Kreuz };  // clear, solid, diagonal cross hatch

struct CanvasFont {
    std::string name = "Times New Roman";
    int32_t size = 10;    // points
    uint8_t style = 0;    // kFett | kKursiv | kUnterstrichen
    int32_t angle = 0;    // tenths of a degree, counter-clockwise
    uint32_t colour = 0;  // 0x00BBGGRR
    bool operator==(const CanvasFont&) const = default;
};

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // The font for the following texts; its size in points becomes pixels at
    // pixelsPerInch.
    virtual void setFont(const CanvasFont& font, int pixelsPerInch) = 0;
    virtual int textWidth(std::string_view text) = 0;
    // Height of the text cell.
    virtual int textHeight(std::string_view text) = 0;

    virtual void setPen(uint32_t colour, int width, bool dashed) = 0;
    virtual void setBrush(uint32_t colour, Pinsel style) = 0;

    // One line with the top of its cell at (x, y), clipped to clip; an empty
    // clip does not clip.
    virtual void textRect(const platform::Rect& clip, int x, int y, std::string_view text) = 0;
    // Outline with the pen, inside with the brush.
    virtual void rectangle(const platform::Rect& r) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void ellipse(const platform::Rect& r) = 0;
    virtual void stretchDraw(const platform::Rect& r, const Bild& bild) = 0;

    // The pass moves on to the next page.
    virtual void newPage() = 0;
};

}  // namespace report

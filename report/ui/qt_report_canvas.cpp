#include "report/ui/qt_report_canvas.h"

#include "report/report_struct.h"

namespace report {

void QtReportCanvas::setFont(const CanvasFont& font, int pixelsPerInch) {
    ui::Font f;
    f.name = font.name;
    f.color = font.colour;
    f.bold = font.style & kFett;
    f.italic = font.style & kKursiv;
    f.underline = font.style & kUnterstrichen;
    f.orientation = font.angle;
    // The character height in pixels of the size at the report's resolution,
    // whatever the device's own resolution is.
    f.setHeight(-((font.size * pixelsPerInch + 36) / 72));
    canvas_.font = f;
}

void QtReportCanvas::setPen(uint32_t colour, int width, bool dashed) {
    canvas_.pen.color = colour;
    canvas_.pen.width = width;
    canvas_.pen.style = dashed ? ui::PenStyle::Dash : ui::PenStyle::Solid;
}

void QtReportCanvas::setBrush(uint32_t colour, Pinsel style) {
    canvas_.brush.color = colour;
    canvas_.brush.style = style == Pinsel::Leer   ? ui::BrushStyle::Clear
                          : style == Pinsel::Voll ? ui::BrushStyle::Solid
                                                  : ui::BrushStyle::DiagCross;
}

void QtReportCanvas::textRect(const platform::Rect& clip, int x, int y, std::string_view text) {
    if (clip.isEmpty()) {
        canvas_.TextOut(x, y, text);
    } else {
        canvas_.TextRect(clip, x, y, text);
    }
}

void QtReportCanvas::line(int x1, int y1, int x2, int y2) {
    canvas_.MoveTo(x1, y1);
    canvas_.LineTo(x2, y2);
}

void QtReportCanvas::ellipse(const platform::Rect& r) {
    canvas_.Ellipse(r.left, r.top, r.right, r.bottom);
}

void QtReportCanvas::stretchDraw(const platform::Rect& r, const Bild& bild) {
    if (const auto* q = dynamic_cast<const QtBild*>(&bild)) canvas_.StretchDraw(r, q->image);
}

}  // namespace report

#include "report/pdf_canvas.h"

#include <algorithm>

#include "report/pdf_fonts.h"
#include "report/report_struct.h"

namespace report {
namespace {

std::string zahl(int64_t v) {
    return std::to_string(v);
}

}  // namespace

std::string SetPDFColor(uint32_t colour, bool fill) {
    std::string out;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t p = ((colour >> shift) & 0xFF) * 100 / 255;
        if (shift > 0) out += ' ';
        if (p >= 100) {
            out += "1.0";
        } else {
            out += "0.";
            out += static_cast<char>('0' + p / 10);
            out += static_cast<char>('0' + p % 10);
        }
    }
    out += fill ? " rg\r" : " RG\r";
    return out;
}

std::string pdfText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '(' || ch == ')' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += '\\';
            out += static_cast<char>('0' + (c >> 6));
            out += static_cast<char>('0' + ((c >> 3) & 7));
            out += static_cast<char>('0' + (c & 7));
        } else {
            out += ch;
        }
    }
    return out;
}

void PdfCanvas::setFont(const CanvasFont& font, int pixelsPerInch) {
    font_ = font;
    em_ = std::max(1, (font.size * pixelsPerInch + 36) / 72);
}

int PdfCanvas::textWidth(std::string_view text) {
    const int64_t w = static_cast<int64_t>(pdfTextBreite(text, font_.style & kFett)) * em_;
    return static_cast<int>((w + 500) / 1000);
}

int PdfCanvas::textHeight(std::string_view) {
    return pdfZellenhoehe(em_);
}

void PdfCanvas::setPen(uint32_t colour, int, bool) {
    stift_ = colour;
}

// The text rise of minus the size puts the glyphs below the line's top.
void PdfCanvas::textRect(const platform::Rect&, int x, int y, std::string_view text) {
    const std::string size = zahl(font_.size);
    std::string& s = aktuell();
    s += SetPDFColor(font_.colour, true);
    s += "BT\r/F";
    s += (font_.style & kFett) ? '2' : '1';
    s += ' ' + size + " Tf\r" + zahl(x) + ' ' + zahl(int64_t{h_} - y) + " TD\r-" + size + " Ts\r(" +
         pdfText(text) + ") Tj\rET\r";
}

void PdfCanvas::rectangle(const platform::Rect& r) {
    std::string& s = aktuell();
    s += SetPDFColor(stift_, false);
    s += "1 w \r" + zahl(r.left) + ' ' + zahl(int64_t{h_} - r.bottom) + ' ' + zahl(r.width()) +
         ' ' + zahl(r.height()) + " re\rs\r";
}

void PdfCanvas::line(int x1, int y1, int x2, int y2) {
    std::string& s = aktuell();
    s += SetPDFColor(stift_, false);
    s += zahl(x1) + ' ' + zahl(int64_t{h_} - y1) + " m\r" + zahl(x2) + ' ' +
         zahl(int64_t{h_} - y2) + " l\rs\r";
}

// Four Bezier quarter arcs (v: the first control point is the current
// point) through the middles of the box's sides.
void PdfCanvas::ellipse(const platform::Rect& r) {
    const std::string x = zahl(r.left);
    const std::string x2 = zahl(r.right);
    const std::string cx = zahl(r.left + r.width() / 2);
    const std::string b = zahl(int64_t{h_} - r.bottom);
    const std::string t = zahl(int64_t{h_} - r.top);
    const std::string m = zahl(int64_t{h_} - r.top - r.height() / 2);
    std::string& s = aktuell();
    s += SetPDFColor(stift_, false);
    s += "1 w \r" + cx + ' ' + b + " m\r";
    s += ' ' + x + ' ' + b + ' ' + x + ' ' + m + " v\r";
    s += ' ' + x + ' ' + t + ' ' + cx + ' ' + t + " v\r";
    s += ' ' + x2 + ' ' + t + ' ' + x2 + ' ' + m + " v\r";
    s += ' ' + x2 + ' ' + b + ' ' + cx + ' ' + b + " v\rs\r";
}

void PdfCanvas::newPage() {
    seiten_.emplace_back();
}

}  // namespace report

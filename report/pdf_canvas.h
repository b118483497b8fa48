// The canvas of the PDF writer: each page becomes an uncompressed content
// stream of text and path operators in PDF units (y grows upward from the
// page's foot); texts are measured with the standard Times metrics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_canvas.h"

namespace report {

// The colour operator for the low, middle and high byte (red, green, blue)
// of colour, each as "0.dd" or "1.0": "rg" for the fill (texts), "RG" for
// the stroke (shapes).
std::string SetPDFColor(uint32_t colour, bool fill);

// A PDF literal string body: "(", ")" and "\" escaped, control bytes in octal.
std::string pdfText(std::string_view text);

class PdfCanvas : public ReportCanvas {
public:
    explicit PdfCanvas(int seitenHoehe) : h_(seitenHoehe) {}

    void setFont(const CanvasFont& font, int pixelsPerInch) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void setPen(uint32_t colour, int width, bool dashed) override;
    void setBrush(uint32_t, Pinsel) override {}
    void textRect(const platform::Rect& clip, int x, int y, std::string_view text) override;
    void rectangle(const platform::Rect& r) override;
    void line(int x1, int y1, int x2, int y2) override;
    void ellipse(const platform::Rect& r) override;
    void stretchDraw(const platform::Rect&, const Bild&) override {}  // no pictures in PDF
    void newPage() override;

    // The content streams, one per page; the last page is the one being drawn.
    std::vector<std::string>& seiten() { return seiten_; }

private:
    std::string& aktuell() { return seiten_.back(); }

    int h_;
    CanvasFont font_;
    int em_ = 10;  // font size in canvas units
    uint32_t stift_ = 0;
    std::vector<std::string> seiten_ = std::vector<std::string>(1);
};

}  // namespace report

// The report canvas over the platform's Qt canvas: printer pages and
// preview images draw through it, and QtBild carries a host's picture.
#pragma once

#include <QImage>
#include <functional>

#include "platform/ui/drawing/canvas.h"
#include "report/report_canvas.h"

namespace report {

class QtBild : public Bild {
public:
    explicit QtBild(QImage image) : image(std::move(image)) {}
    bool isEmpty() const override { return image.isNull(); }
    QImage image;
};

class QtReportCanvas : public ReportCanvas {
public:
    // newPage is called when the pass moves on to the next page (a printer
    // starts one; the preview, which keeps one page image, passes none).
    explicit QtReportCanvas(ui::Canvas& canvas, std::function<void()> newPage = {})
        : canvas_(canvas), newPage_(std::move(newPage)) {}

    void setFont(const CanvasFont& font, int pixelsPerInch) override;
    int textWidth(std::string_view text) override { return canvas_.TextWidth(text); }
    int textHeight(std::string_view text) override { return canvas_.TextHeight(text); }
    void setPen(uint32_t colour, int width, bool dashed) override;
    void setBrush(uint32_t colour, Pinsel style) override;
    void textRect(const platform::Rect& clip, int x, int y, std::string_view text) override;
    void rectangle(const platform::Rect& r) override { canvas_.Rectangle(r); }
    void line(int x1, int y1, int x2, int y2) override;
    void ellipse(const platform::Rect& r) override;
    void stretchDraw(const platform::Rect& r, const Bild& bild) override;
    void newPage() override {
        if (newPage_) newPage_();
    }

private:
    ui::Canvas& canvas_;
    std::function<void()> newPage_;
};

}  // namespace report

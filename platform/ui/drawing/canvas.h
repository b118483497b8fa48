// The canvas the drawing code draws on, over QPainter: the pen/brush/font
// state model and the coordinate rules the code was written for. One
// implementation serves window backing images, bitmaps and printer pages.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/drawing/color.h"
#include "platform/ui/drawing/drawing_state.h"
#include "platform/ui/drawing/rect.h"

class QPaintDevice;

namespace ui {

class Bitmap;

// How Draw, StretchDraw and CopyRect combine the source with what is there.
// On devices without raster operations (printers) every mode but DstInvert
// copies the source, and DstInvert does nothing.
enum class CopyMode {
    SrcCopy,    // the source
    DstInvert,  // the destination inverted, the source ignored
    SrcPaint,   // source OR destination
    SrcAnd,     // source AND destination
    SrcInvert,  // source XOR destination
};

// Returned by pixel reads outside the image or on a device without pixels.
constexpr TColor kInvalidColor = 0xFFFFFFFF;

class Canvas {
public:
    Canvas() = default;
    explicit Canvas(QImage* image) { attach(image); }
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Binds the canvas to an image (pixels can be read back) or another paint
    // device such as a printer; the drawing state is kept. pixelsPerInch 0
    // takes the device's logical resolution (96 for images).
    void attach(QImage* image);
    void attach(QPaintDevice* device, int pixelsPerInch = 0);
    // Ends drawing on the current device (a printer needs this before it
    // ends); false when the device failed to finish (a file not written).
    bool detach();
    bool isAttached() const { return painter_ != nullptr; }
    QImage* image() const { return image_; }
    int pixelsPerInch() const { return pixelsPerInch_; }

    // The drawing state, read at every call.
    Pen pen;
    Brush brush;
    Font font;
    CopyMode copyMode = CopyMode::SrcCopy;
    QPoint penPos;

    // Called with every text drawn (TextOut, TextRect) and its position;
    // the recording printer keeps these.
    std::function<void(int x, int y, const std::string& text)> onText;
    // Called right after onText with the area the text really covers (its
    // box, cut to the clip rectangle of TextRect).
    std::function<void(const Rect& covered)> onTextArea;

    void MoveTo(int x, int y) { penPos = QPoint(x, y); }
    // Draws from the pen position to (x, y) without the last pixel.
    void LineTo(int x, int y);
    void Polyline(const std::vector<QPoint>& points);
    // Outline with the pen, inside with the brush; covers left..right-1, top..bottom-1.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const Rect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    // With the brush, no outline; right and bottom edge excluded.
    void FillRect(const Rect& r);
    // A one-pixel frame in the brush colour just inside r.
    void FrameRect(const Rect& r);
    // Inverts every pixel of r (a self-drawn caret, marked cells).
    void Invert(const Rect& r);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<QPoint>& points);

    // Texts are Windows-1252. The top of the text cell is at y; with a solid
    // brush the cell is filled with the brush colour first. The pen position
    // moves to the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // TextOut clipped to r.
    void TextRect(const Rect& r, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    // TextWidth with its fraction: on a printer a fixed-pitch character is
    // rarely a whole number of pixels wide, and n characters advance n times one.
    qreal TextAdvance(std::string_view text);
    int TextHeight(std::string_view text);

    void Draw(int x, int y, const Bitmap& bitmap);
    void StretchDraw(const Rect& dest, const Bitmap& bitmap);
    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const Rect& dest, const QImage& image);
    // Copies srcRect of source (which may be this canvas) onto dest, scaled
    // when the sizes differ, combined by copyMode. A source without an image
    // copies nothing.
    void CopyRect(const Rect& dest, const Canvas& source, const Rect& srcRect);

    // x, y in the canvas's units; on an image of several pixels per unit the
    // pixel at the centre of the unit.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // The painter for drawing the canvas has no call for; it is set to the
    // canvas's pen and brush. Valid while attached.
    QPainter& painter();

private:
    void begin(QPaintDevice* device, int pixelsPerInch);
    void drawSegment(QPoint from, QPoint to);
    void applyPen();
    void applyBrush();
    void applyFont();
    // One-pixel pens on an image of several pixels per unit: the line covers
    // the unit pixel right of and below each point, as fills do.
    bool scaledThinPen() const { return ratio_ != 1.0 && pen.width <= 1; }
    QPointF thinPoint(QPoint p) const { return QPointF(p) + QPointF(0.5, 0.5); }
    void drawImageWithMode(const QRectF& dest, const QImage& src, bool transparent);
    bool hasRasterOps() const;

    std::unique_ptr<QPainter> painter_;
    QImage* image_ = nullptr;
    int pixelsPerInch_ = 96;
    qreal ratio_ = 1.0;  // device pixels per unit of the image (its device pixel ratio)
    Font appliedFont_;
    bool fontApplied_ = false;
};

}  // namespace ui

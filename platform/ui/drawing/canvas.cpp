#include "platform/ui/drawing/canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

Qt::PenStyle toQtPenStyle(PenStyle s) {
    switch (s) {
        case PenStyle::Solid:
        case PenStyle::InsideFrame: return Qt::SolidLine;
        case PenStyle::Dash: return Qt::DashLine;
        case PenStyle::Dot: return Qt::DotLine;
        case PenStyle::DashDot: return Qt::DashDotLine;
        case PenStyle::DashDotDot: return Qt::DashDotDotLine;
        case PenStyle::Clear: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle toQtBrushStyle(BrushStyle s) {
    switch (s) {
        case BrushStyle::Solid: return Qt::SolidPattern;
        case BrushStyle::Clear: return Qt::NoBrush;
        case BrushStyle::Horizontal: return Qt::HorPattern;
        case BrushStyle::Vertical: return Qt::VerPattern;
        case BrushStyle::FDiagonal: return Qt::FDiagPattern;
        case BrushStyle::BDiagonal: return Qt::BDiagPattern;
        case BrushStyle::Cross: return Qt::CrossPattern;
        case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QBrush toQBrush(const Brush& b) { return QBrush(toQColor(b.color), toQtBrushStyle(b.style)); }

// The image with every pixel of the key colour made transparent.
QImage withTransparentKey(const QImage& src, TColor key) {
    QImage out = src.convertToFormat(QImage::Format_ARGB32);
    const QRgb k = toQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
        }
    }
    return out;
}

}  // namespace

Canvas::~Canvas() { detach(); }

void Canvas::attach(QImage* image) {
    detach();
    image_ = image;
    begin(image, 96);
}

void Canvas::attach(QPaintDevice* device, int pixelsPerInch) {
    detach();
    if (device != nullptr && device->devType() == QInternal::Image) {
        image_ = static_cast<QImage*>(device);
    }
    begin(device, pixelsPerInch);
}

void Canvas::begin(QPaintDevice* device, int pixelsPerInch) {
    if (device == nullptr) return;
    ratio_ = image_ != nullptr ? image_->devicePixelRatio() : 1.0;
    pixelsPerInch_ = pixelsPerInch > 0 ? pixelsPerInch : device->logicalDpiY();
    if (pixelsPerInch_ <= 0) pixelsPerInch_ = 96;
    auto p = std::make_unique<QPainter>();
    if (!p->begin(device)) {
        image_ = nullptr;
        return;
    }
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // On images text is drawn in whole pixels of the font colour, as the
    // drawing code expects when it reads pixels back or inverts cells.
    if (device->devType() == QInternal::Image) p->setRenderHint(QPainter::TextAntialiasing, false);
    painter_ = std::move(p);
    fontApplied_ = false;
}

bool Canvas::detach() {
    const bool ok = !painter_ || painter_->end();
    painter_.reset();
    image_ = nullptr;
    return ok;
}

QPainter& Canvas::painter() {
    if (!painter_) throw std::logic_error("canvas is not attached to a device");
    applyPen();
    applyBrush();
    return *painter_;
}

bool Canvas::hasRasterOps() const {
    return painter_ && painter_->paintEngine() &&
           painter_->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

void Canvas::applyPen() {
    if (pen.style == PenStyle::Clear) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    // Width 0 and 1 are the one-pixel cosmetic pen, whose square cap draws
    // both end points; wider pens have round ends.
    const bool wide = pen.width > 1;
    // Scaled, a one-pixel pen is one unit wide, like the rest of the drawing.
    const qreal width = wide ? pen.width : scaledThinPen() ? 1.0 : 0.0;
    QPen p(toQColor(pen.color), width, toQtPenStyle(pen.style),
           wide ? Qt::RoundCap : Qt::SquareCap, Qt::MiterJoin);
    painter_->setPen(p);
}

void Canvas::applyBrush() { painter_->setBrush(toQBrush(brush)); }

void Canvas::applyFont() {
    if (fontApplied_ && appliedFont_ == font) return;
    QFont f = toQFont(font, pixelsPerInch_);
    if (image_ != nullptr) f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias));
    painter_->setFont(f);
    appliedFont_ = font;
    fontApplied_ = true;
}

void Canvas::drawSegment(QPoint from, QPoint to) {
    if (from == to) return;
    if (pen.width > 1) {
        painter_->drawLine(from, to);
        return;
    }
    // Qt's one-pixel lines draw both end points here; stop one step short
    // of the end along the longer axis, so the end pixel stays undrawn in
    // either direction.
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    QPoint last;
    if (std::abs(dx) >= std::abs(dy)) {
        const int x = to.x() - (dx > 0 ? 1 : -1);
        const double t = static_cast<double>(x - from.x()) / dx;
        last = QPoint(x, from.y() + static_cast<int>(std::lround(t * dy)));
    } else {
        const int y = to.y() - (dy > 0 ? 1 : -1);
        const double t = static_cast<double>(y - from.y()) / dy;
        last = QPoint(from.x() + static_cast<int>(std::lround(t * dx)), y);
    }
    if (scaledThinPen()) {
        painter_->drawLine(thinPoint(from), thinPoint(last));
        return;
    }
    painter_->drawLine(from, last);
}

void Canvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (painter_ && pen.style != PenStyle::Clear) {
        applyPen();
        drawSegment(penPos, to);
    }
    penPos = to;
}

void Canvas::Polyline(const std::vector<QPoint>& points) {
    if (!painter_ || points.size() < 2 || pen.style == PenStyle::Clear) return;
    applyPen();
    for (size_t i = 1; i < points.size(); ++i) drawSegment(points[i - 1], points[i]);
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    if (!painter_) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (pen.style == PenStyle::Clear) {
        // Without an outline the filled area is one pixel smaller each way.
        if (brush.style != BrushStyle::Clear) {
            painter_->fillRect(QRect(left, top, right - left - 1, bottom - top - 1), toQBrush(brush));
        }
        return;
    }
    if (brush.style != BrushStyle::Clear) {
        painter_->fillRect(QRect(left, top, right - left, bottom - top), toQBrush(brush));
    }
    if (right - left < 1 || bottom - top < 1) return;
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    if (scaledThinPen()) {
        painter_->drawRect(QRectF(thinPoint(QPoint(left, top)), QSizeF(right - left - 1, bottom - top - 1)));
        return;
    }
    painter_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void Canvas::FillRect(const Rect& r) {
    if (!painter_ || r.isEmpty() || brush.style == BrushStyle::Clear) return;
    painter_->fillRect(toQRect(r), toQBrush(brush));
}

void Canvas::FrameRect(const Rect& r) {
    if (!painter_ || r.isEmpty()) return;
    const QColor c = toQColor(brush.color);
    painter_->fillRect(QRect(r.left, r.top, r.width(), 1), c);
    painter_->fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), c);
    painter_->fillRect(QRect(r.left, r.top, 1, r.height()), c);
    painter_->fillRect(QRect(r.right - 1, r.top, 1, r.height()), c);
}

void Canvas::Invert(const Rect& r) {
    if (!painter_ || r.isEmpty() || !hasRasterOps()) return;
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_->fillRect(toQRect(r), Qt::black);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    if (!painter_) return;
    applyPen();
    applyBrush();
    if (scaledThinPen()) {
        painter_->drawEllipse(QRectF(thinPoint(QPoint(left, top)), QSizeF(right - left - 1, bottom - top - 1)));
        return;
    }
    painter_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void Canvas::Polygon(const std::vector<QPoint>& points) {
    if (!painter_ || points.size() < 2) return;
    applyPen();
    applyBrush();
    if (scaledThinPen()) {
        QPolygonF shifted;
        for (const QPoint& p : points) shifted << thinPoint(p);
        painter_->drawPolygon(shifted, Qt::OddEvenFill);
        return;
    }
    painter_->drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void Canvas::TextOut(int x, int y, std::string_view text) {
    if (!painter_) return;
    applyFont();
    const QString s = toQString(text);
    const QFontMetrics fm = painter_->fontMetrics();
    const int width = fm.horizontalAdvance(s);
    painter_->save();
    painter_->translate(x, y);
    if (font.orientation != 0) painter_->rotate(-font.orientation / 10.0);
    if (brush.style == BrushStyle::Solid) {
        painter_->fillRect(QRect(0, 0, width, fm.height()), toQColor(brush.color));
    }
    painter_->setPen(toQColor(font.color));
    painter_->drawText(0, fm.ascent(), s);
    painter_->restore();
    penPos = QPoint(x + width, y);
    if (onText) onText(x, y, std::string(text));
    if (onTextArea) onTextArea(platform::rectAt(x, y, width, fm.height()));
}

void Canvas::TextRect(const Rect& r, int x, int y, std::string_view text) {
    if (!painter_) return;
    applyFont();
    const QString s = toQString(text);
    const QFontMetrics fm = painter_->fontMetrics();
    painter_->save();
    painter_->setClipRect(toQRect(r));
    // A solid brush fills the whole rectangle behind the text.
    if (brush.style == BrushStyle::Solid) painter_->fillRect(toQRect(r), toQColor(brush.color));
    painter_->setPen(toQColor(font.color));
    painter_->drawText(x, y + fm.ascent(), s);
    painter_->restore();
    if (onText) onText(x, y, std::string(text));
    if (onTextArea) {
        const Rect box = platform::rectAt(x, y, fm.horizontalAdvance(s), fm.height());
        onTextArea({std::max(box.left, r.left), std::max(box.top, r.top),
                    std::min(box.right, r.right), std::min(box.bottom, r.bottom)});
    }
}

int Canvas::TextWidth(std::string_view text) {
    const QString s = toQString(text);
    if (painter_) {
        applyFont();
        return painter_->fontMetrics().horizontalAdvance(s);
    }
    return QFontMetrics(toQFont(font, pixelsPerInch_)).horizontalAdvance(s);
}

qreal Canvas::TextAdvance(std::string_view text) {
    const QString s = toQString(text);
    if (painter_) {
        applyFont();
        return QFontMetricsF(painter_->font(), painter_->device()).horizontalAdvance(s);
    }
    return QFontMetricsF(toQFont(font, pixelsPerInch_)).horizontalAdvance(s);
}

int Canvas::TextHeight(std::string_view) {
    if (painter_) {
        applyFont();
        return painter_->fontMetrics().height();
    }
    return QFontMetrics(toQFont(font, pixelsPerInch_)).height();
}

void Canvas::drawImageWithMode(const QRectF& dest, const QImage& src, bool transparent) {
    if (!painter_ || dest.isEmpty() || src.isNull()) return;
    if (transparent) {
        painter_->drawImage(dest, src);
        return;
    }
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (hasRasterOps()) {
        switch (copyMode) {
            case CopyMode::SrcCopy: break;
            case CopyMode::DstInvert: Invert(fromQRect(dest.toRect())); return;
            case CopyMode::SrcPaint: mode = QPainter::RasterOp_SourceOrDestination; break;
            case CopyMode::SrcAnd: mode = QPainter::RasterOp_SourceAndDestination; break;
            case CopyMode::SrcInvert: mode = QPainter::RasterOp_SourceXorDestination; break;
        }
    } else if (copyMode == CopyMode::DstInvert) {
        return;
    }
    painter_->setCompositionMode(mode);
    painter_->drawImage(dest, src);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
    StretchDraw(Rect{x, y, x + bitmap.width(), y + bitmap.height()}, bitmap);
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& bitmap) {
    if (bitmap.transparent) {
        drawImageWithMode(toQRect(dest),
                          withTransparentKey(bitmap.image(), bitmap.transparentKey()), true);
    } else {
        drawImageWithMode(toQRect(dest), bitmap.image(), false);
    }
}

void Canvas::Draw(int x, int y, const QImage& image) {
    drawImageWithMode(QRect(QPoint(x, y), image.deviceIndependentSize().toSize()), image, false);
}

void Canvas::StretchDraw(const Rect& dest, const QImage& image) {
    drawImageWithMode(toQRect(dest), image, false);
}

void Canvas::CopyRect(const Rect& dest, const Canvas& source, const Rect& srcRect) {
    if (!painter_ || dest.isEmpty()) return;
    if (copyMode == CopyMode::DstInvert) {
        Invert(dest);
        return;
    }
    if (source.image_ == nullptr || srcRect.isEmpty()) return;
    // A copy first: the source may be this very image. On scaled images the
    // device pixels that fills of srcRect and dest cover, so a copy at a
    // fractional ratio lands on the same pixels as the units it copies.
    const auto edge = [](int v, qreal r) { return static_cast<int>(std::ceil(v * r - 0.5)); };
    const qreal s = source.ratio_, r = ratio_;
    const QImage part =
        source.image_->copy(QRect(QPoint(edge(srcRect.left, s), edge(srcRect.top, s)),
                                  QPoint(edge(srcRect.right, s) - 1, edge(srcRect.bottom, s) - 1)));
    drawImageWithMode(QRectF(QPointF(edge(dest.left, r) / r, edge(dest.top, r) / r),
                             QPointF(edge(dest.right, r) / r, edge(dest.bottom, r) / r)),
                      part, false);
}

TColor Canvas::Pixel(int x, int y) const {
    if (image_ == nullptr) return kInvalidColor;
    if (ratio_ != 1.0) {
        if (x < 0 || y < 0) return kInvalidColor;
        x = static_cast<int>((x + 0.5) * ratio_);
        y = static_cast<int>((y + 0.5) * ratio_);
    }
    if (!image_->valid(x, y)) return kInvalidColor;
    return fromQRgb(image_->pixel(x, y));
}

void Canvas::SetPixel(int x, int y, TColor color) {
    if (!painter_) return;
    painter_->fillRect(QRect(x, y, 1, 1), toQColor(color));
}

}  // namespace ui

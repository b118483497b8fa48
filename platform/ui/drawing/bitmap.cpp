#include "platform/ui/drawing/bitmap.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/ui/drawing/qt_text.h"

namespace ui {

Bitmap::Bitmap(int width, int height) { setSize(width, height); }

void Bitmap::setSize(int width, int height, qreal ratio) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_ && ratio == image_.devicePixelRatio() && !image_.isNull())
        return;
    canvas_.detach();
    QImage next(static_cast<int>(std::ceil(width * ratio)), static_cast<int>(std::ceil(height * ratio)),
                QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(Qt::white);
    if (!image_.isNull() && width > 0 && height > 0) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    width_ = width;
    height_ = height;
    if (width > 0 && height > 0) canvas_.attach(&image_);
}

bool Bitmap::loadFromFile(const std::string& path) {
    QImage loaded;
    if (!loaded.load(toQString(path))) return false;
    assign(loaded);
    return true;
}

void Bitmap::assign(const QImage& image) {
    canvas_.detach();
    image_ = image.convertToFormat(QImage::Format_RGB32);
    const QSize units = image_.deviceIndependentSize().toSize();
    width_ = units.width();
    height_ = units.height();
    if (!image_.isNull()) canvas_.attach(&image_);
}

TColor Bitmap::transparentKey() const {
    if (transparentColor != clDefault) return transparentColor;
    if (image_.isNull()) return clNone;
    return fromQRgb(image_.pixel(0, image_.height() - 1));
}

}  // namespace ui

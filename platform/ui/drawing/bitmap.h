// An off-screen bitmap with its own canvas: drawn on, read back, and drawn
// onto other canvases (optionally with one colour transparent).
#pragma once

#include <QImage>
#include <string>

#include "platform/ui/drawing/canvas.h"

namespace ui {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // In units; the image has `ratio` pixels per unit (see setSize).
    int width() const { return width_; }
    int height() const { return height_; }
    // Keeps what lies inside the new size; new area is white. A ratio above 1
    // gives a sharp image for a screen of that device pixel ratio; the drawing
    // code keeps its units.
    void setSize(int width, int height, qreal ratio = 1.0);
    // Any image format Qt reads (BMP among them). False when the file is
    // missing or unreadable; the bitmap is then unchanged.
    bool loadFromFile(const std::string& path);
    void assign(const QImage& image);

    Canvas& canvas() { return canvas_; }
    const QImage& image() const { return image_; }

    // When set, Draw leaves the pixels of the key colour out; the key is
    // transparentColor, or the bottom-left pixel while that is clDefault.
    bool transparent = false;
    TColor transparentColor = clDefault;
    TColor transparentKey() const;

private:
    QImage image_;
    int width_ = 0, height_ = 0;
    Canvas canvas_;
};

}  // namespace ui

// A self-drawn text caret: a rectangle inverted on a control's canvas, so
// drawing it twice restores the pixels. The owner blinks it from its own timer
// and hides it while it redraws the area under it.
#pragma once

#include "platform/ui/rect.h"

namespace ui {

class Control;

class Caret {
public:
    explicit Caret(Control& owner) : owner_(owner) {}
    ~Caret() = default;
    Caret(const Caret&) = delete;
    Caret& operator=(const Caret&) = delete;

    // A new caret shape, hidden (the old one erased).
    void create(int width, int height);
    // Erases the caret; it stays hidden until created again.
    void destroy();
    void setPos(int x, int y);
    // Shows the caret (drawn at once) / erases and hides it.
    void show();
    void hide();
    // Toggles a shown caret between drawn and erased.
    void blink();

    bool visible() const { return visible_; }
    bool drawn() const { return drawn_; }
    Rect rect() const { return Rect{x_, y_, x_ + width_, y_ + height_}; }

private:
    void setDrawn(bool on);

    Control& owner_;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool created_ = false;
    bool visible_ = false;
    bool drawn_ = false;
};

}  // namespace ui

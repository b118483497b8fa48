#include "platform/ui/caret.h"

#include "platform/ui/control.h"

namespace ui {

void Caret::setDrawn(bool on) {
    if (on == drawn_) return;
    owner_.canvas().Invert(rect());
    drawn_ = on;
    owner_.Invalidate();
}

void Caret::create(int width, int height) {
    hide();
    width_ = width;
    height_ = height;
    created_ = true;
}

void Caret::destroy() {
    hide();
    created_ = false;
}

void Caret::setPos(int x, int y) {
    const bool wasDrawn = drawn_;
    setDrawn(false);
    x_ = x;
    y_ = y;
    if (wasDrawn) setDrawn(true);
}

void Caret::show() {
    if (!created_) return;
    visible_ = true;
    setDrawn(true);
}

void Caret::hide() {
    setDrawn(false);
    visible_ = false;
}

void Caret::blink() {
    if (visible_) setDrawn(!drawn_);
}

}  // namespace ui

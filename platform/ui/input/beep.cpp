#include "platform/ui/input/beep.h"

#include <QApplication>

namespace ui {
namespace {

std::function<void()>& handler() {
    static std::function<void()> h;
    return h;
}

}  // namespace

void Beep() {
    if (handler()) {
        handler()();
    } else if (qApp != nullptr) {
        QApplication::beep();
    }
}

void setBeepHandler(std::function<void()> h) { handler() = std::move(h); }

}  // namespace ui

// Private window messages: a per-class message map from message number to
// handler, and synchronous delivery to a window (SendMessage), so components
// can tell the window that hosts them, e.g. the calendar's 0x8190/0x8191.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

class QWidget;

namespace ui {

// First number of the application's private messages.
constexpr unsigned kAppMessageBase = 0x8000;

struct Message {
    unsigned msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::intptr_t result = 0;  // what SendMessage returns
};

// A window that takes private messages. Classes answer through a MessageMap
// and hand what their map lacks to their base class:
//
//   bool dispatchMessage(ui::Message& m) override {
//       static const ui::MessageMap<MainWindow> map{
//           {WM_KALENDERDATUM, &MainWindow::EvKalenderDatum}};
//       return map.dispatch(*this, m) || Base::dispatchMessage(m);
//   }
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // True when the message was handled.
    virtual bool dispatchMessage(Message&) { return false; }
};

template <class T>
class MessageMap {
public:
    using Handler = void (T::*)(Message&);
    MessageMap(std::initializer_list<std::pair<unsigned, Handler>> entries) : entries_(entries) {}

    bool dispatch(T& target, Message& m) const {
        for (const auto& [msg, handler] : entries_) {
            if (msg == m.msg) {
                (target.*handler)(m);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::pair<unsigned, Handler>> entries_;
};

// Delivers the message at once to `window` and returns its result; 0 when
// the window is null, takes no messages, or has no handler for it.
std::intptr_t SendMessage(QWidget* window, unsigned msg, std::uintptr_t wParam = 0,
                          std::intptr_t lParam = 0);

// The application's active top-level window, or null. A component that
// reports to the window hosting it sends to its own top-level window
// (widget->window()): that is the active one whenever the user clicks it,
// and the desktop's activation may lag behind the click.
QWidget* ActiveWindow();

}  // namespace ui

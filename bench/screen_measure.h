// Measuring what a user sees: widgets shown and exposed on the platform's
// screen, paint events counted per window, CPU time taken around input
// that goes through the event loop (so the copy to the screen is in it).
#pragma once

#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <cstdio>
#include <cstdlib>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace bench {

inline double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Counts the paint events of one widget, or of every widget of a window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const QWidget* target, bool wholeWindow = false)
        : target_(target), window_(wholeWindow) {
        qApp->installEventFilter(this);
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int count() const { return count_; }
    void reset() { count_ = 0; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->isWidgetType()) {
            const auto* w = static_cast<const QWidget*>(o);
            if (w == target_ || (window_ && w->window() == target_->window())) {
                ++count_;
                if (getenv("KLB_BENCH_DEBUG")) {  // which widget painted where
                    const QRect r = static_cast<QPaintEvent*>(e)->rect();
                    fprintf(stderr, "paint %s %p<%p %d,%d %dx%d\n", w->metaObject()->className(), (const void*)w, (const void*)w->parentWidget(), r.x(), r.y(), r.width(), r.height());
                }
            }
        }
        return false;
    }

private:
    const QWidget* target_;
    bool window_;
    int count_ = 0;
};

// Shows the window and waits until the platform has exposed and painted it.
inline bool showExposed(QWidget& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return false;
    QApplication::processEvents();
    return true;
}

}  // namespace bench

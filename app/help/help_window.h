// The help viewer, one non-modal window for the whole program that opens
// above the window help was asked from, and the F1 key that finds the help
// context of the control or window that has the keyboard.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

class QTextBrowser;
class QUrl;

namespace app {

class HelpWindow : public QDialog {
public:
    // Shows `page` in the program's help window above `from`'s window. The
    // window belongs to that window for the window manager and for Qt: above
    // a modal dialog it is not blocked by it, and the dialog, not blocked by
    // it either, stays usable. Escape closes it.
    static HelpWindow* open(const QUrl& page, QWidget* from);
    // The help window while it exists (it goes with the window it belongs to).
    static HelpWindow* current();

    QTextBrowser* browser() const { return browser_; }
    // The window it belongs to now.
    QWidget* owner() const { return owner_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    HelpWindow();
    // Moves the window to `owner` (nullptr: a window of its own), keeping it
    // above every window that stays on top.
    void belongTo(QWidget* owner);

    QTextBrowser* browser_ = nullptr;
    QPointer<QWidget> owner_;
};

// Where a help window of `frame` size goes beside the window it belongs to
// (`owner`, its frame; invalid without one): right of it, else left of it,
// whichever covers less of it once kept inside `area`, so that window stays
// in sight; centred in `area` without an owner.
QPoint helpPlacement(const QSize& frame, const QRect& owner, const QRect& area);

// The help context of a window or control (0: none of its own).
void setHelpContext(QWidget& w, int context);
// The context F1 finds for `w`: its own, else the nearest parent's within
// its window; 0 when none has one.
int helpContextOf(const QWidget* w);

// F1 in any window of the program: calls `open(context, window)` with the
// context of the control that receives the key and its window; a window
// without a help context gets nothing. The key handling lives as long as
// `owner`.
void installHelpKey(QObject& owner, std::function<void(int context, QWidget* window)> open);

}  // namespace app

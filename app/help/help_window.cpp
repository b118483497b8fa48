#include "app/help/help_window.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>
#include <utility>

#include "platform/ui/windows/window_placement.h"

namespace app {
namespace {

constexpr const char* kContextProperty = "klbHelpContext";

// The one help window of the program while it exists.
QPointer<HelpWindow>& theHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// Another window of the program stays on top (the administration window,
// or a dialog above it): help must not open behind it.
bool programStaysOnTop(const QWidget* besides) {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != besides && w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint))
            return true;
    return false;
}

class HelpKey : public QObject {
public:
    HelpKey(QObject& owner, std::function<void(int, QWidget*)> open)
        : QObject(&owner), open_(std::move(open)) {
        qApp->installEventFilter(this);
    }
    ~HelpKey() override {
        if (qApp != nullptr) qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || !o->isWidgetType()) return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_F1 ||
            (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* w = static_cast<QWidget*>(o);
        const int context = helpContextOf(w);
        if (context == 0) return false;
        if (!k->isAutoRepeat()) open_(context, w->window());
        return true;
    }

private:
    std::function<void(int, QWidget*)> open_;
};

}  // namespace

HelpWindow::HelpWindow() {
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Hilfe"));
    setModal(false);
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    layout->addWidget(browser_);
}

HelpWindow* HelpWindow::current() { return theHelpWindow(); }

void HelpWindow::belongTo(QWidget* owner) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (programStaysOnTop(this)) flags |= Qt::WindowStaysOnTopHint;
    if (owner == parentWidget() && flags == windowFlags()) return;
    if (owner_ != nullptr) owner_->removeEventFilter(this);
    owner_ = owner;
    setParent(owner, flags);  // hides the window
    if (owner != nullptr) owner->installEventFilter(this);
}

HelpWindow* HelpWindow::open(const QUrl& page, QWidget* from) {
    QWidget* owner = from != nullptr ? from->window() : nullptr;
    QPointer<HelpWindow>& w = theHelpWindow();
    if (w != nullptr && owner == w.data()) owner = w->owner_;
    if (w == nullptr) w = new HelpWindow;
    const bool placed = w->isVisible() && w->owner_ == owner;
    w->belongTo(owner);
    w->browser_->setSource(page);
    if (!placed) {
        const QRect area = ui::availableArea(owner);
        w->resize(QSize(640, 560).boundedTo(area.size() * 0.9));
        // The frame the window manager adds is known only once shown: the
        // last one seen, else none.
        const QSize extra = w->frameGeometry().size() - w->geometry().size();
        const bool shown = owner != nullptr && owner->isVisible();
        w->move(helpPlacement(w->size() + extra.expandedTo(QSize(0, 0)),
                              shown ? owner->frameGeometry() : QRect(), area));
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* e) {
    // The window it belongs to closes (a dialog that ends): help stays open
    // above the window that dialog belonged to.
    if (watched == owner_ && e->type() == QEvent::Hide && !e->spontaneous() && isVisible()) {
        QWidget* next = owner_->parentWidget() != nullptr ? owner_->parentWidget()->window()
                                                          : nullptr;
        const QRect frame = geometry();
        belongTo(next);
        setGeometry(frame);
        show();
    }
    // The window it belongs to shows later (the main window after the
    // sign-in at start): help stays above it.
    if (watched == owner_ && e->type() == QEvent::Show && isVisible()) raise();
    return false;
}

QPoint helpPlacement(const QSize& frame, const QRect& owner, const QRect& area) {
    if (!owner.isValid()) {
        QRect r(QPoint(), frame);
        r.moveCenter(area.center());
        return ui::fitInto(r, area);
    }
    const QRect right(QPoint(owner.right() + 1, owner.top()), frame);
    const QRect left(QPoint(owner.left() - frame.width(), owner.top()), frame);
    QPoint best;
    qint64 bestCover = -1;
    for (const QRect& want : {right, left}) {
        const QRect at(ui::fitInto(want, area), frame);
        const QRect cover = at.intersected(owner);
        const qint64 covered = cover.isEmpty() ? 0 : qint64(cover.width()) * cover.height();
        if (bestCover < 0 || covered < bestCover) best = at.topLeft(), bestCover = covered;
    }
    return best;
}

void setHelpContext(QWidget& w, int context) { w.setProperty(kContextProperty, context); }

int helpContextOf(const QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
        const int context = w->property(kContextProperty).toInt();
        if (context != 0) return context;
        if (w->isWindow()) break;
    }
    return 0;
}

void installHelpKey(QObject& owner, std::function<void(int context, QWidget* window)> open) {
    new HelpKey(owner, std::move(open));
}

}  // namespace app

#include "controls/suchfeld/such_liste.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include "controls/suchfeld/model/such_liste_platz.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/ui/input/mouse_hook.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/drawing/rect.h"
#include "platform/ui/windows/window_messages.h"

namespace table::suchliste {
namespace {

// One for the program. Plain pointers: the last field frees them, so
// nothing is left to destroy after the application object is gone.
struct Geteilt {
    QListWidget* liste = nullptr;
    ui::MouseHook* hook = nullptr;
    TSuchfeld* besitzer = nullptr;
    int felder = 0;
};
Geteilt g;

int zeilenHoehe() {
    return QFontMetrics(g.liste->font()).height();
}

bool aufListe(const QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
        if (w == g.liste) return true;
    }
    return false;
}

// Follows the pointer over the list, takes an entry on a left press and
// closes the list on a left press anywhere but on its field.
bool mausHook(ui::MouseHookEvent art, QWidget* ziel, QPoint global, Qt::MouseButton knopf) {
    if (g.liste == nullptr || !g.liste->isVisible()) return false;
    const bool links = art == ui::MouseHookEvent::Press && knopf == Qt::LeftButton;
    if (!links && art != ui::MouseHookEvent::Move) return false;
    if (aufListe(ziel)) {
        const QRect innen = g.liste->contentsRect();
        const QPoint p = g.liste->mapFromGlobal(global) - innen.topLeft();
        const int scroll =
            g.liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g.liste);
        const int index =
            listenIndex(p.x(), p.y(), innen.width(), innen.height(), zeilenHoehe(),
                        g.liste->verticalScrollBar()->value(), g.liste->count(), scroll);
        if (index < 0) return false;
        if (index < g.liste->count()) g.liste->setCurrentRow(index);
        if (links) {
            g.liste->hide();
            ui::SendMessage(g.besitzer, kSetListIndex, static_cast<std::uintptr_t>(index));
        }
    } else if (links && (g.besitzer == nullptr || !g.besitzer->istEigenesFenster(ziel))) {
        g.liste->hide();
    }
    return false;
}

void erzeugen() {
    g.liste = new QListWidget();
    g.liste->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::WindowDoesNotAcceptFocus);
    g.liste->setAttribute(Qt::WA_ShowWithoutActivating);
    g.liste->setFocusPolicy(Qt::NoFocus);
    g.liste->setFrameStyle(QFrame::Box | QFrame::Plain);
    g.liste->setLineWidth(1);
    g.liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.liste->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    g.liste->setUniformItemSizes(true);
    g.hook = new ui::MouseHook(mausHook);
}

}  // namespace

void anmelden() {
    ++g.felder;
}

void abmelden(TSuchfeld* feld) {
    if (g.besitzer == feld) {
        if (g.liste != nullptr) g.liste->hide();
        g.besitzer = nullptr;
    }
    if (--g.felder > 0) return;
    delete g.hook;
    delete g.liste;
    g = Geteilt{};
}

bool sichtbar() {
    return g.liste != nullptr && g.liste->isVisible();
}

void verbergen() {
    if (g.liste != nullptr) g.liste->hide();
}

void zeige(TSuchfeld* feld, const std::vector<std::string>& eintraege) {
    if (g.liste == nullptr) erzeugen();
    QFont font = feld->font();
    font.setWeight(QFont::Normal);
    g.liste->setFont(font);
    const int hoehe = zeilenHoehe();
    g.liste->clear();
    for (const std::string& e : eintraege) {
        auto* item = new QListWidgetItem(ui::toQString(e), g.liste);
        item->setSizeHint(QSize(0, hoehe));
    }
    const QPoint oben = feld->mapToGlobal(QPoint(0, 0));
    const platform::Rect feldRect =
        platform::rectAt(oben.x(), oben.y(), feld->width(), feld->height());
    const QScreen* screen = feld->screen();
    const platform::Rect schirm = screen != nullptr
                                      ? ui::fromQRect(screen->availableGeometry())
                                      : platform::Rect{-100000, -100000, 100000, 100000};
    g.liste->setGeometry(
        ui::toQRect(listenPlatz(feldRect, schirm, hoehe, static_cast<int>(eintraege.size()))));
    g.liste->show();
    g.besitzer = feld;
}

QListWidget* fenster() {
    return g.liste;
}
TSuchfeld* besitzer() {
    return g.besitzer;
}

}  // namespace table::suchliste

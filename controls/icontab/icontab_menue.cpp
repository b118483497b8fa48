// TIconTab's menus at the mouse (the context menu over the rows, the host's
// caption menu, the text-editing menu of the editor) and dragging the
// control itself.
#include <QApplication>
#include <QDrag>
#include <QMimeData>

#include "controls/table_shared/edit_kontextmenue.h"
#include "controls/icontab/icontab.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {

// ---- Menus ----

void TIconTab::kontextMenu(int x, int y) {
    if (!menu_ && PopupMenu == nullptr) return;
    const QPoint wo = mapToGlobal(QPoint(x, y));
    if (menu_) {
        const bool vektor = GetA_Format() == A_Vektor;
        for (ui::MenuItem& i : menu_->items()) {
            if (i.id == kDrucken) {
                i.caption = vektor ? "Grafik Drucken" : "Tabelle Drucken";
            } else {
                i.enabled = !vektor;
            }
        }
    }
    if (PopupMenu == nullptr) {
        menuZeigen(wo);
        return;
    }
    // The default entries join the host's menu only while it is shown; they
    // carry ids of their own so the host's ids stay free.
    ui::PopupMenu& m = *PopupMenu;
    auto& items = m.items();
    const auto eigene = static_cast<std::ptrdiff_t>(items.size());
    if (menu_) {
        for (ui::MenuItem i : menu_->items()) {
            i.id += kStandardIds;
            items.push_back(std::move(i));
        }
    }
    const int id = m.popup(wo, this);
    items.erase(items.begin() + eigene, items.end());
    if (id >= kStandardIds) {
        menuAusfuehren(id - kStandardIds);
    } else if (id != 0 && OnMenuWahl) {
        OnMenuWahl(*this, m, id);
    }
}

void TIconTab::captionMenu(int x, int y) {
    if (CaptionPopup == nullptr) return;
    ui::PopupMenu& m = *CaptionPopup;
    const int id = m.popup(mapToGlobal(QPoint(x, y)), this);
    if (id != 0 && OnMenuWahl) OnMenuWahl(*this, m, id);
}

void TIconTab::editMenu(int, int, int maske) {
    Edit_Kontextmenue(this, maske);
}

// ---- Dragging ----

QMimeData* TIconTab::ziehDaten() const {
    auto* d = new QMimeData;
    d->setData(QString::fromLatin1(kZiehTyp), objectName().toUtf8());
    return d;
}

// The press arms the drag; it starts once the pointer has moved far enough,
// so a plain click still selects and a double click still counts.
void TIconTab::ziehenBeginnen(int x, int y) {
    ziehBereit_ = true;
    ziehVon_ = QPoint(x, y);
}

void TIconTab::ziehenStarten() {
    auto* drag = new QDrag(this);
    drag->setMimeData(ziehDaten());
    drag->exec(Qt::MoveAction | Qt::CopyAction);
}

}  // namespace table

#include "platform/ui/windows/popup_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

int showQtMenu(const PopupMenu& menu, QPoint globalPos, QWidget* parent) {
    QMenu m(parent);
    for (const MenuItem& it : menu.items()) {
        if (it.separator) {
            m.addSeparator();
            continue;
        }
        QAction* a = m.addAction(toQString(it.caption));
        a->setData(it.id);
        a->setEnabled(it.enabled);
        a->setCheckable(it.checked);
        a->setChecked(it.checked);
    }
    const QAction* chosen = m.exec(globalPos);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

PopupMenuHandler& handler() {
    static PopupMenuHandler h;
    return h;
}

}  // namespace

MenuItem& PopupMenu::add(std::string caption, int id) {
    items_.push_back(MenuItem{std::move(caption), id, true, false, false});
    return items_.back();
}

void PopupMenu::addSeparator() { items_.push_back(MenuItem{"-", 0, true, false, true}); }

MenuItem* PopupMenu::item(int id) {
    for (MenuItem& it : items_) {
        if (!it.separator && it.id == id) return &it;
    }
    return nullptr;
}

int PopupMenu::popup(QPoint globalPos, QWidget* parent) const {
    if (handler()) return handler()(*this, globalPos);
    return showQtMenu(*this, globalPos, parent);
}

void setPopupMenuHandler(PopupMenuHandler h) { handler() = std::move(h); }

ScriptedPopupMenus::ScriptedPopupMenus() {
    setPopupMenuHandler([this](const PopupMenu& menu, QPoint pos) {
        shown_.push_back(Shown{menu.items(), pos});
        if (choices_.empty()) return 0;
        const int id = choices_.front();
        choices_.pop_front();
        for (const MenuItem& it : menu.items()) {
            if (!it.separator && it.id == id) return it.enabled ? id : 0;
        }
        return 0;
    });
}

ScriptedPopupMenus::~ScriptedPopupMenus() { setPopupMenuHandler(nullptr); }

}  // namespace ui

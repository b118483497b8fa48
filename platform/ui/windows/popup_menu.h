// Pop-up (context) menus: items with ids, shown at a screen position, the
// chosen id returned. Tests install a handler that chooses instead of a user.
#pragma once

#include <QPoint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace ui {

struct MenuItem {
    std::string caption;  // Windows-1252; "&" marks the access key
    int id = 0;
    bool enabled = true;
    bool checked = false;
    bool separator = false;
};

class PopupMenu {
public:
    MenuItem& add(std::string caption, int id);
    void addSeparator();
    std::vector<MenuItem>& items() { return items_; }
    const std::vector<MenuItem>& items() const { return items_; }
    // The item with that id, or null.
    MenuItem* item(int id);

    // Shows the menu with its top-left corner at a global screen position
    // and returns the chosen item's id; 0 when closed without a choice.
    int popup(QPoint globalPos, QWidget* parent = nullptr) const;

private:
    std::vector<MenuItem> items_;
};

using PopupMenuHandler = std::function<int(const PopupMenu&, QPoint globalPos)>;

// Replaces the handler that shows menus; an empty handler restores the Qt menu.
void setPopupMenuHandler(PopupMenuHandler handler);

// Test handler: chooses ids from a queue (0 once empty; a disabled item
// chooses nothing) and records every menu shown. Installed for its lifetime.
class ScriptedPopupMenus {
public:
    ScriptedPopupMenus();
    ~ScriptedPopupMenus();
    ScriptedPopupMenus(const ScriptedPopupMenus&) = delete;
    ScriptedPopupMenus& operator=(const ScriptedPopupMenus&) = delete;

    void choose(int id) { choices_.push_back(id); }
    struct Shown {
        std::vector<MenuItem> items;
        QPoint position;
    };
    const std::vector<Shown>& shown() const { return shown_; }

private:
    std::deque<int> choices_;
    std::vector<Shown> shown_;
};

}  // namespace ui

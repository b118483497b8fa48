// The manual standby dialog `THand`: the four standby counts of the shown
// month and its standby periods, marked in a calendar of its own and listed
// beside it. OK puts the month into hand mode.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "platform/ui/windows/control.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/window_messages.h"

class QPushButton;
class QSpinBox;

namespace calendar {
class TKalender;
}

namespace app {

class TForm1;

// `Tab`: the 105 x 169 image that lists the standby periods.
class StandbyListImage : public ui::Control {
public:
    using Control::Control;
    std::function<void(ui::MouseButton, int x, int y)> onMouseDown;

protected:
    void MouseDown(ui::MouseButton b, int, int x, int y) override {
        if (onMouseDown) onMouseDown(b, x, y);
    }
};

class THand : public QDialog, public ui::MessageTarget {
public:
    explicit THand(TForm1& form);

    // The calendar's 0x8191 (its marks changed): selection cleared, list rebuilt.
    bool dispatchMessage(ui::Message& m) override;

    void Button1Click();  // OK
    void Button2Click();  // "Abbruch"
    void Button3Click();  // "Monat Reset"
    void Button4Click();  // "Alle Löschen"
    void EintragLschen1Click();
    void PopupMenu1Popup(ui::PopupMenu& menu);
    void TabMouseDown(ui::MouseButton button, int x, int y);
    // An edit lost the focus: it shows its up-down's value again.
    void Edit1Exit(int index);
    // Sets the main window back to automatic mode unless the month is in hand mode.
    void FormClose();

    // The list lines (two headings, one line per period) and the selected
    // line, -1 for none.
    const std::vector<std::string>& liste() const { return liste_; }
    int auswahl() const { return auswahl_; }

    calendar::TKalender* Kalender = nullptr;
    StandbyListImage* Tab = nullptr;
    // Edit1..4 with UpDown1..4: weeks, weekends, weeks and weekends with private car.
    std::array<QSpinBox*, 4> UpDown{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;

    static constexpr int kZeilenHoehe = 15;
    static constexpr int kTabBreite = 105;
    static constexpr int kTabHoehe = 169;

    void done(int r) override;

private:
    void listeAufbauen();
    void listeZeichnen();
    void markerGeaendert(ui::Message& m);

    TForm1& form_;
    std::vector<std::string> liste_;
    int auswahl_ = -1;
};

// The main window's "Zuschlag über Handeinstellung" command and the double
// click on the summary panel.
void ZHandExecute(TForm1& form);

}  // namespace app

// The administration window's printing: the selected user's statement after
// the print dialog, and the statements of all users for the chosen period.
#include <QSpinBox>

#include "app/dialogs/administration_dialog.h"
#include "app/main_window/main_window.h"
#include "app/statement/statement_command.h"
#include "book/sheet/zeitbuch.h"
#include "controls/icontab/icontab.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/input/cursors.h"

namespace app {
namespace {

// The main window takes no input while the users are printed one by one,
// whatever ends the run.
class FensterGesperrt {
public:
    explicit FensterGesperrt(QWidget& w) : w_(w) { w_.setEnabled(false); }
    ~FensterGesperrt() { w_.setEnabled(true); }
    FensterGesperrt(const FensterGesperrt&) = delete;
    FensterGesperrt& operator=(const FensterGesperrt&) = delete;

private:
    QWidget& w_;
};

}  // namespace

std::string nichtGedrucktText(const std::vector<std::string>& namen) {
    std::string text = "Folgede Benutzer hatten keine Daten eingegeben:\r";
    for (const std::string& n : namen) text += n + "\r\n";
    return text + "und wurden deshalb nicht gedruckt!";
}

void TVerwaltung::Button3Click() {
    if (Liste->GetRow() < 1) {
        platform::MessageBox(
            platform::cp1252("Es muss erst ein Benutzer in der Liste ausgewählt werden!"),
            "Hallo! welcher?");
        return;
    }
    Drucken1Click(form_);
}

void TVerwaltung::Button4Click() {
    const book::Zeitbuch& b = form_.buch();
    std::vector<std::string> ohneDaten;
    marken_ = false;
    const FensterGesperrt gesperrt(form_);
    {
        const ui::WaitCursor warten;
        const int letzte = Liste->GetRowCount(true) - 1;
        for (int r = 1; r <= letzte; ++r) {
            if (r == letzte) marken_ = true;
            Liste->SetRow(r);
            ListeSelectCell(false);
            if (b.zeilen.size() < 2 && !b.handModus)
                ohneDaten.push_back(Liste->GetCell(1, r) + " " + Liste->GetCell(2, r));
            else
                ToolButton10Click(form_);
        }
        // Without any user the last row never came: the marks return all the same.
        marken_ = true;
    }
    if (!ohneDaten.empty()) platform::MessageBox(nichtGedrucktText(ohneDaten), "Nicht gedruckt!");
}

}  // namespace app

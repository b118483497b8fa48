// The correction dialog `TKonto`: the two minute corrections subtracted from
// the overtime at the normal and at the extra percentage. One dialog serves
// the main window for the whole run.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace app {

class TForm1;

class TKonto : public QDialog {
public:
    // Made once at start-up, after the sign-in dialog, as a child of the
    // main window (which destroys it).
    explicit TKonto(TForm1& form);
    // The main window's dialog; made now when the start-up did not.
    static TKonto& von(TForm1& form);

    // OK: both fields must hold whole numbers; otherwise the dialog stays
    // open with its message and nothing is taken over.
    void Button2Click();

    QLineEdit* UeDaten25 = nullptr;  // correction at the normal percentage, minutes
    QLineEdit* UeDaten50 = nullptr;  // correction at the extra percentage
    QPushButton* Button2 = nullptr;  // "OK", result 1
    QPushButton* Button1 = nullptr;  // "Abbruch", result 3
};

// The main window's "Zuschlagskorrektur" command: the two corrections into
// the dialog, and on OK back into the book with the totals recomputed.
void berstundenkonto1Click(TForm1& form);

}  // namespace app

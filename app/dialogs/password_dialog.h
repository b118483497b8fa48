// The administrator password dialog `TForm7`: the old password must match
// before the new one replaces it; the settings file keeps it at shutdown.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace app {

class TForm1;

class TForm7 : public QDialog {
public:
    explicit TForm7(TForm1& form);

    // OK: a wrong old password or an empty new one keeps the dialog open.
    void Button1Click();
    void Button2Click();  // "Abbruch"
    // Whether the dialog may close now; a refused OK refuses it once.
    bool FormClose();

    QLineEdit* Edit1 = nullptr;  // "Altes Passwort"
    QLineEdit* Edit2 = nullptr;  // "Neues Passwort"
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    TForm1& form_;
    bool schliessen_ = true;
};

// The main window's "Passwort für den Administrator" command.
void MenuePasswortClick(TForm1& form);

}  // namespace app

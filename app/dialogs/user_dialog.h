// The user dialog `TBenutzer` ("Benutzerverwaltung"): creates a new user
// (result 99) or changes the signed-in user's own record (result 1).
#pragma once

#include <QDialog>
#include <functional>

#include "book/database/user_db_format.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {

class TForm1;

class TBenutzer : public QDialog {
public:
    static constexpr int kAngelegt = 99;  // a new user was appended

    explicit TBenutzer(TForm1& form);

    // Edit mode: the caller fills the fields from the signed-in user.
    bool bearbeiten = false;
    void fuellen(const book::Benutzerdaten& d);
    // The fields and boxes as the record writer stores them.
    book::Benutzerdaten daten() const;

    void OKExecute();     // OK only with the six required fields filled
    void Button1Click();  // check and store
    int zeigeModal();

    QLineEdit* Name = nullptr;
    QLineEdit* Vorname = nullptr;
    QLineEdit* Personalnummer = nullptr;
    QLineEdit* Bereich = nullptr;
    QLineEdit* Benutzername = nullptr;
    QLineEdit* Passwort = nullptr;
    QLineEdit* Passwort2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;  // "Mathematisch"
    QRadioButton* RadioButton2 = nullptr;  // "immer aufrunden"
    QCheckBox* CheckBox1 = nullptr;        // "PKW Zuschlag"
    QCheckBox* CheckBox2 = nullptr;        // "Administrator"
    QCheckBox* CheckBox3 = nullptr;        // "Prozente proTag"
    QCheckBox* CheckBox4 = nullptr;        // "Ganze Wochen"
    QCheckBox* CheckBox5 = nullptr;        // "Kein Zeitvorschlag"
    QCheckBox* CheckBox6 = nullptr;        // "Keine Automatik"
    QCheckBox* CheckBox7 = nullptr;        // "Adminfreigabe"
    QPushButton* Button1 = nullptr;        // "OK"
    QPushButton* Button2 = nullptr;        // "Abbruch"

    // How the dialog runs modally: exec() by default; tests script the user.
    static std::function<int(TBenutzer&)>& modalRunner();

private:
    TForm1& form_;
};

}  // namespace app

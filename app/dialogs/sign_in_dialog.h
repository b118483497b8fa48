// The sign-in dialog `TAnmeldung`: user name and password make that user the
// signed-in user of the main window; an empty name with the administrator
// password signs the administrator in. Its creation performs the automatic
// sign-in when the settings ask for it.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace app {

class TForm1;

class TAnmeldung : public QDialog {
public:
    explicit TAnmeldung(TForm1& form);
    ~TAnmeldung() override;

    // Automatic sign-in, or the dialog shown modally (with a sound database).
    void FormCreate();
    void Ok1Click();
    void Button1Click();
    // Empties both fields (the main window's sign-in command).
    void leeren();
    // Shows the dialog modally through the modal runner; returns the result.
    int zeigeModal();

    QLineEdit* Edit1 = nullptr;  // "Benutzername"
    QLineEdit* Edit2 = nullptr;  // "Passwort"
    QPushButton* Ok1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Abbruch"
    QPushButton* Button2 = nullptr;  // bound to the action `Benutzerverwaltung`
    QCheckBox* CheckBox1 = nullptr;  // "Automatisch anmelden"

    // How modal dialogs run: exec() by default; tests script the user.
    static std::function<int(QDialog&)>& modalRunner();

protected:
    // The name field takes the focus each time, so a name typed at once
    // never lands in the password field.
    void showEvent(QShowEvent* e) override;
    // Escape presses "Abbruch", the dialog's cancel button.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void fehlgeschlagen();

    TForm1& form_;
    bool automatisch_ = false;  // the automatic sign-in is running
};

}  // namespace app

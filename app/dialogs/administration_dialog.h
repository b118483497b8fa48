// The user administration window `TVerwaltung` ("Benutzerverwaltung"): the
// administrator's modeless list of users beside the main window. Choosing a
// user signs that user in with the administrator's rights and shows the
// chosen month; users are created, deleted and their statements printed.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "app/dialogs/user_list.h"

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QSpinBox;

namespace table {
class TIconTab;
class TSuchfeld;
}  // namespace table

namespace app {

class TForm1;

class TVerwaltung : public QWidget {
public:
    // Builds the window and reads the user list; with an unreadable list
    // (its message shown) geladen() is false and the window is not to be shown.
    explicit TVerwaltung(TForm1& form);
    ~TVerwaltung() override;
    bool geladen() const { return geladen_; }

    // Reads the user index into the list; false after a message.
    bool Lade_Benutzerliste();
    // The list emptied to its heading and read again (after a new user or a delete).
    void Liste_aktualisieren();
    // The selected user's chosen month in the main window; from the table
    // (vonTabelle) a missing selection is reported, from code it is ignored.
    void ListeSelectCell(bool vonTabelle);
    void LoeschenExecute();  // "Löschen"
    void Button2Click();     // "Neuer Benutzer"
    void Button3Click();     // "Benutzer Drucken"
    void Button4Click();     // "Alle Drucken"
    void ComboBox1Change();
    void Edit1Change();

    // The listed users by list position (row = position + 1).
    const std::vector<ListenBenutzer>& benutzer() const { return benutzer_; }
    int monat() const { return monat_; }
    int jahr() const { return jahr_; }

    QMenuBar* MainMenu1 = nullptr;
    QAction* Loeschen = nullptr;  // menu "Benutzer" -> `Lschen1`
    QLabel* Label2 = nullptr;     // "Angemeldeter Administrator"
    QLabel* Label3 = nullptr;     // the administrator's name
    table::TIconTab* Liste = nullptr;
    table::TSuchfeld* Suchfeld1 = nullptr;
    QLabel* Label4 = nullptr;  // "Zeitraum"
    QComboBox* ComboBox1 = nullptr;
    QSpinBox* Edit1 = nullptr;  // the year with its up-down `UpDown1`
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;

protected:
    // Alt+letters typed here go to this window's menu and buttons only: as a
    // tool window it would otherwise pass them to the main window's menus.
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    // Opens the menu or presses the button whose access letter is `key`;
    // false when none has it.
    bool zugriffstaste(int key);
    void bauen();
    void listeLeeren();
    // Beside the main window, the pair centred on the screen.
    void FormCreate();
    // The selected user's position in the list, or -1.
    int gewaehlt() const;

    TForm1& form_;
    std::vector<ListenBenutzer> benutzer_;
    std::string adminName_, adminPasswort_;  // of the administrator who opened the window
    int monat_ = 1, jahr_ = 1900;
    bool marken_ = true;      // calendar marks for each shown user (off while printing all)
    bool erzwingen_ = false;  // the next selection signs in even the signed-in user
    bool geladen_ = false;
};

// "Nicht gedruckt!": the users without data, one per line.
std::string nichtGedrucktText(const std::vector<std::string>& namen);

}  // namespace app

// The settings and holidays dialog `TFeiertage`: calculation settings,
// enabled holidays, folders, backups and start options on seven pages.
// Everybody may look; only a signed-in administrator can change anything.
#pragma once

#include <QDialog>
#include <array>

#include "app/dialogs/settings_values.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace app {

class TForm1;

class TFeiertage : public QDialog {
public:
    explicit TFeiertage(TForm1& form);

    void Lade_Einstellungen();
    // OK: stores (administrators only) and closes, unless a value was refused.
    void Button1Click();
    void Button3Click();  // data folder
    void Button4Click();  // backup folder
    void ComboBox1Change();
    void ComboBox2Change();
    void CheckBox2Click();
    // Reports a refused value (the first one of an OK only) and keeps the
    // dialog open once.
    void Bereichsfehler(const Eingabefehler& fehler);

    QTabWidget* PageControl1 = nullptr;
    QListWidget* ListBox1 = nullptr;       // holiday dates
    QListWidget* CheckListBox1 = nullptr;  // holiday names with check marks
    std::array<QLineEdit*, 5> Prozent{};   // Edit1 .. Edit5
    QComboBox* ComboBox1 = nullptr;        // from weekday, with "Deaktiviert"
    QComboBox* ComboBox2 = nullptr;        // to weekday
    QLineEdit* MaskEdit1 = nullptr;        // night start
    QLineEdit* MaskEdit2 = nullptr;        // night end
    QLineEdit* Edit6 = nullptr;            // daily minutes
    std::array<QLineEdit*, 4> Betrag{};    // W, WE, PKW_W, PKW_WE
    QLineEdit* Edit7 = nullptr;            // data folder
    QPushButton* Button3 = nullptr;
    std::array<QCheckBox*, 12> CheckBox{};  // CheckBox1 .. CheckBox12 = option bits 0 .. 11
    QLineEdit* Edit9 = nullptr;             // default area
    QButtonGroup* K_Stellen = nullptr;      // decimals 0, 1, 2
    QLineEdit* Rundung = nullptr;
    QLineEdit* Edit8 = nullptr;             // backup folder
    QPushButton* Button4 = nullptr;
    QLineEdit* MaskEdit3 = nullptr;         // backup generations
    QPushButton* Button1 = nullptr;         // "OK"
    QPushButton* Button2 = nullptr;         // "Abbruch"

private:
    void buildPages();
    EinstellungsFelder felder() const;
    QLineEdit* feldEdit(Feld feld) const;
    void zeigeFeld(QLineEdit* e);

    TForm1& form_;
    bool bereichsfehler_ = false;
};

// The main window's "Einstellung" command.
void OptionClick(TForm1& form);

}  // namespace app

// The hidden print form `TForm9` ("Druckformular"): the report control that
// prints "Formular.txt", the three string tables it reads, and the pictures
// it asks for by name from the program folder.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "report/report_canvas.h"
#include "report/string_tab.h"

class QAction;

namespace report {
class TDruckReport;
}

namespace app {

class TForm1;

class TForm9 : public QMainWindow {
public:
    // A window of its own, owned by the main window and never shown.
    explicit TForm9(TForm1& owner);

    report::TDruckReport* DruckReport1 = nullptr;
    report::TStringTab Tab1, Tab2, Tab3;
    QAction* Druck = nullptr;  // menu "Drucken"

    // The report's picture request: program folder + "\" + Name + ".bmp";
    // a missing or unreadable file gives an empty picture.
    void DruckReport1GetBitmap(const std::string& name, std::shared_ptr<const report::Bild>& bild);
    // Reprints what the report and the tables hold.
    void DruckClick();

private:
    TForm1& owner_;
};

// The main window's print form, made on first use.
TForm9& Form9(TForm1& form);

}  // namespace app

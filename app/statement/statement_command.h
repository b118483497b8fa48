// The print commands of the main window: the print button prints the
// statement of the shown month (or year balance), the menu item asks the
// print dialog first. The statement goes through "Formular.txt" when the
// user keeps one in the program folder, else in the built-in layout.
#pragma once

#include <string>

#include "app/dialogs/file_dialogs.h"

namespace app {

class TForm1;
struct Abrechnung;

// The print button; also what the user administration calls for each user
// it prints. Without a configured printer it asks for a PDF file first.
void ToolButton10Click(TForm1& form);
// "Drucken": the print dialog, then the statement on the printer chosen there.
void Drucken1Click(TForm1& form);

// The statement itself, on the printer as it is set up (both commands end here).
void abrechnungDrucken(TForm1& form);

// The file question for a statement printed to PDF: its title and the
// offered name say what is printed and for whom ("Überstunden Dezember 2026
// Muster Erika.pdf"), so printing all users tells them apart.
DateiFrage pdfFrage(const Abrechnung& a);

// "Formular.txt" as the report engine reads it: Windows-1252 bytes; a file
// an editor saved as UTF-8 (with letters beyond ASCII) is converted.
std::string formularText(std::string bytes);

}  // namespace app

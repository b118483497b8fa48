// Help by context number. The pages are built into the program (resource
// folder ":/hilfe"), so help works from the first start wherever the program
// is started. An administrator may put pages of his own beside the configured
// help file name ("Hilfe.hlp" in the data folder): a folder "Hilfe/" with
// "index.html" and "<context>.html", found case-insensitively; it takes
// precedence over the built-in pages.
#pragma once

#include <string>

class QWidget;

namespace app {

// The help contexts of the windows and dialogs (the status messages use
// 50 + their code).
constexpr int kHelpAnmeldung = 2;        // sign-in dialog
constexpr int kHelpBenutzer = 3;         // new or changed user
constexpr int kHelpWerkzeugleiste = 4;   // the main window's tool bar
constexpr int kHelpEinstellung = 5;      // settings and holidays
constexpr int kHelpMonat = 6;            // month list and year field
constexpr int kHelpHandeinstellung = 7;  // manual standby counts
constexpr int kHelpVerwaltung = 8;       // user administration
constexpr int kHelpBlatt = 99;           // the main window and its sheet

// The page for a context (0 = the contents): a local file path from the
// data folder's help folder, or a "qrc:" address of a built-in page (with an
// anchor for the status messages); "" when none is found.
std::string helpPage(const std::string& helpFile, int context);
// Shows the page in the program's help window above `from`'s window
// (HelpWindow), or says that no help is installed.
void showHelp(const std::string& helpFile, int context, QWidget* from);

}  // namespace app

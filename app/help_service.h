// Help by context number. The configured help file name ("Hilfe.hlp" in the
// data folder) stands for a folder of HTML pages beside it: "Hilfe/" with
// "index.html" and "<context>.html", found case-insensitively.
#pragma once

#include <string>

class QWidget;

namespace app {

// The page for a context (0 = the contents), or "" when none is installed.
std::string helpPage(const std::string& helpFile, int context);
// Shows the page in a small viewer, or says that no help is installed.
void showHelp(const std::string& helpFile, int context, QWidget* parent);

}  // namespace app

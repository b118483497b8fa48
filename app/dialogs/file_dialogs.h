// The main window's file dialogs (month files and the text export): filters
// in the "Text (*.ext)|*.ext|..." form, a name typed without an extension
// takes the extension of the chosen filter, and file dates in German.
#pragma once

#include <string>

class QWidget;

namespace app {

struct DateiFrage {
    std::string filter;      // Windows-1252, "Beschreibung (*.ext)|*.ext|..."
    int filterIndex = 1;     // 1-based, the filter shown first
    std::string defaultExt;  // non-empty: a bare name takes the filter's extension
    bool speichern = true;   // save (overwrite prompt) or open (file must exist)
    std::string titel = {};     // Windows-1252; "" leaves the dialog's own title
    std::string vorschlag = {}; // Windows-1252 file name offered at first; "" = none
};

// The extension of filter `index` (1-based) without its dot: "akt"; "" when
// there is none or the pattern is a wildcard.
std::string filterEndung(const std::string& filter, int index);

// `name` with the extension of filter `index` appended when its last path
// part has none and a default extension is set; an empty name stays empty.
std::string mitFilterEndung(const std::string& name, const std::string& filter, int index,
                            const std::string& defaultExt);

// Shows Qt's file dialog; "" when cancelled or refused (a name with letters
// Windows-1252 lacks). `gewaehlt` receives the filter
// the user ended with.
std::string zeigeDateiDialog(QWidget* parent, const DateiFrage& frage, int& gewaehlt);

}  // namespace app

// What the search field does, without the widgets: the link to its table,
// the commands that keys, buttons and the column menu send, the history and
// the column names. The widgets show it through a SuchfeldSicht.
#pragma once

#include <string>
#include <vector>

#include "controls/suchfeld/model/such_historie.h"
#include "controls/suchfeld/model/such_kommando.h"

namespace table {

// The edit and the column label, as the logic sees them.
class SuchfeldSicht {
public:
    virtual std::string text() const = 0;  // Windows-1252
    virtual void setText(const std::string& text) = 0;
    virtual void select(int start, int length) = 0;
    // Shows a column name in the label (shortened to fit); "" clears it.
    virtual void zeigeSpalte(const std::string& name) = 0;

protected:
    ~SuchfeldSicht() = default;
};

// The keys the edit tells apart.
enum class SuchTaste { Andere, Enter, F3 };

class SuchfeldLogik {
public:
    explicit SuchfeldLogik(SuchfeldSicht& sicht) : sicht_(sicht) {}

    // Links another target: a pending text goes to the history and the edit
    // is cleared, the old target gets kAbgekoppelt, the new kAngekoppelt.
    void Set_Suche(SuchZiel* ziel);
    bool HatZiel() const { return ziel_ != nullptr; }
    SuchZiel* ziel() const { return ziel_; }
    // True while a search runs that F3 or the start button began.
    bool GetVon() const { return von_; }

    void setGrossKlein(bool caseSensitive) { grossKlein_ = caseSensitive; }
    bool grossKlein() const { return grossKlein_; }
    int Vergleich(const std::string& zelle) const;
    void NotFund(int pos);

    // Names are kept for columns 0 .. kSpaltenGrenze - 1.
    void Set_Spalten_Name(const std::string& name, int i);
    void Set_Spalte(int i);
    const std::vector<std::string>& spaltenNamen() const { return spalten_; }
    // Column n was chosen in the column menu.
    void spalteGewaehlt(int n);

    // Key handlers of the edit. keyPress is true when the character must not
    // reach the edit; keyDown is true when it consumed the key.
    bool keyPress(char ch, bool editHasFocus);
    bool keyDown(SuchTaste taste);
    void keyUp(SuchTaste taste);
    void startClick();
    // The edit lost the focus: its text goes to the history.
    void TextExit();

    const SuchHistorie& historie() const { return historie_; }
    // An entry chosen in the drop-down list becomes the text.
    void SetListIndex(int index);

private:
    void sende(Such_Kommando cmd);

    SuchfeldSicht& sicht_;
    SuchHistorie historie_;
    std::vector<std::string> spalten_;
    SuchZiel* ziel_ = nullptr;
    bool getippt_ = false;
    bool von_ = false;
    bool grossKlein_ = false;
};

}  // namespace table

// The table control's keys and mouse without its window: key presses and
// button presses arrive as intents, the row search runs on behalf of the
// search field, and the in-cell editor is driven from here. What only the
// window can do (focus, capture, menus, beep, the search field's edit, the
// caret, the pick list's window, the clipboard) is reached through hooks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/icontab/model/eingabe_text.h"
#include "controls/icontab/model/icontab_modell.h"
#include "platform/ui/input/edit_field.h"

namespace table {

// The keys the control tells apart.
enum class Taste {
    Andere,
    Esc,
    Tab,
    Enter,
    SeiteHoch,
    SeiteRunter,
    F3,
    Links,
    Rechts,
    Hoch,
    Runter,
    Zurueck,
    Entf,
    Shift
};
enum class Knopf { Links, Rechts };
// The pointer the window shows over the control.
// The pointer the window shows: default, a column border, or the picture
// view's own (below the caption bar).
enum class Zeiger { Standard, SpaltenGrenze, Bild };

// A row search's result: the row, the characters matched and the characters
// of the found cell that remain.
struct SuchResult {
    int row = -1;
    int matched = 0;
    int remaining = 0;
    bool operator==(const SuchResult&) const = default;
};

// A pick-list source of kind 3: a list of rows with one text each.
class ListenQuelle {
public:
    virtual ~ListenQuelle() = default;
    virtual int anzahl() const = 0;
    virtual std::string eintrag(int i) const = 0;
    // The row whose text equals text (case folded), -1 when none.
    virtual int finde(const std::string& text) const = 0;
};

class IconTabBedienung;

// How many leading characters two texts share, case folded as the searches
// fold: 'A' to 'z' and "ä" "ö" "ü" with bit 5 cleared.
int gleicheZeichen(std::string_view a, std::string_view b);

// What OnGetFilter fills for a cell about to be edited.
struct Filter_Struct {
    int Art = 0;  // 0 text, 1 drop-down of Liste, 2 list of Tabelle, 3 list of Quelle
    std::shared_ptr<const std::vector<std::string>> Liste;
    IconTabBedienung* Tabelle = nullptr;
    ListenQuelle* Quelle = nullptr;
    int Wert1 = 0;  // kept for the host, not read
    int Wert2 = -1;
    char Suchspalte = 0;  // the source table's column
};

// Where the pick list goes on a screen from top to bottom: below the box,
// shortened when at least 10 entries fit there, else above it.
Rect listenPlatz(const Rect& box, int eintraege, int itemHoehe, int oben, int unten);

class IconTabBedienung : public IconTabModell {
public:
    using IconTabModell::IconTabModell;
    ~IconTabBedienung() override;

    // ---- Keys ----
    void EvKeyDown(Taste taste);
    // A key seen before the control handles it (shortcut time): only Shift
    // counts there, so no key acts twice.
    void EvKeyVorab(Taste taste);
    void EvKeyUp(Taste taste);
    // Typed characters as Windows-1252 bytes; control characters included
    // (8 Backspace, 3 Ctrl+C, 22 Ctrl+V, 24 Ctrl+X).
    void EvKeyChar(char ch);
    bool shift() const { return shift_; }

    // ---- Mouse (client coordinates) ----
    void EvButton(Knopf knopf, bool druck, int x, int y);
    void EvDoppelK() { doppel_ = true; }
    // The mouse moved to (x, y): column borders, column sizing, the text
    // selection; the other views note the move. Returns the pointer to show.
    Zeiger EvMove(int x, int y);
    Zeiger zeiger() const { return zeiger_; }
    // The column a press on its border sizes (or sizes now); -1 none.
    int groessenSpalte() const { return groessenSpalte_; }
    bool spaltenGroesseLaeuft() const { return groesseLaeuft_; }
    bool textAuswahlLaeuft() const { return auswahlLaeuft_; }
    void EvActivate();
    void EvKillFocus();
    // The fixed cell held pressed, for painting; row -1 = none.
    const Tabdefinition* hitTabelle() const { return hitTab_; }
    int hitRow() const { return hitRow_; }
    int hitCol() const { return hitCol_; }

    // ---- Search ----
    void Suche(Such_Kommando cmd) override;
    // The typed text searched when no search field is linked.
    const std::string& eigenerSuchText() const { return suchText_; }
    // Prefix search in column col; see the source for the rules. A host's
    // edit field, when given, is completed with the found cell (the unmatched
    // rest selected); a miss with one beeps.
    int FindRow(const std::string& text, bool select, int col, ui::EditField* edit, int startRow,
                bool exactOnly, int tab, SuchResult* out);

    // ---- In-cell editor ----
    void SetEditCol(std::uint32_t mask, int tab);
    void FSetEditCol(std::uint32_t mask) { SetEditCol(mask, -1); }
    std::uint32_t GetEditCol() const;
    // Opens the editor on the selected row; row -1 first selects the first
    // plain row from the selection on.
    void Set_Eingabefocus(int col, int row, int tab);
    void Input_Show(bool an);
    void Set_Input(int row);
    void TextChange();
    // Editor commands of the text-editing menu.
    enum class Befehl { Ausschneiden, Kopieren, Einfuegen, Loeschen, Zeilenumbruch };
    void EvPopUp(Befehl befehl);
    void DelSelect(bool redraw);
    // Inserts the clipboard text at the cursor; false when there was none.
    bool TextPaste(bool redraw);
    // The cursor to the character under a client point inside the box.
    void SetMouseCursor(int x, int y);
    // A cell's rectangle in client coordinates (tab -1 = current table), as
    // painting and clicks place it; false and an empty rectangle when the
    // cell is not on screen.
    bool GetZellRect(Rect& r, int col, int row, int tab) const;
    // Colour of one cell (col < 0: the row); row < 0 = the selected row.
    void SetCellColor(TColor colour, int col, int row);
    // The colour a cell is drawn in, 0 = its row's.
    TColor zellFarbe(const Tabdefinition* t, int row, int col) const;

    // The editor as painting and the tests see it; null while off.
    struct Eingabe {
        bool geaendert = false;
        bool sichtbar = false;
        int spalte = -1;
        int art = 0;
        int selStart = 0;
        int selLaenge = 0;
        int listIndex = -1;
        int zeile = -1;  // the row whose cell the text was loaded from
        Rect box;
        Cursordef cursor;
        EingabeText text;
        Filter_Struct filter;
        Tabdefinition* tab = nullptr;
        // The drop-down's pick list: open, its entries and the chosen one.
        bool listeOffen = false;
        std::vector<std::string> liste;
        int listeWahl = -1;
    };
    const Eingabe* eingabe() const { return eingabe_.get(); }
    bool eingabeOffen() const { return eingabe_ && eingabe_->sichtbar; }
    // Layout of the open editor's text in its box.
    const EingabeBild& eingabeBild() const { return eingabeBild_; }
    // The pick list's entries: Up and Down step, a click chooses.
    void SetListIndex(int index, int step);
    std::string GetListEintrag();
    void listeGeklickt(int index);

    // ---- Events ----
    std::function<void(IconTabBedienung& sender, Filter_Struct& Filter, int ARow, int ACol)>
        OnGetFilter;

    static constexpr TColor kListenGrund = 0x80000018;  // clInfoBk

protected:
    // ---- Window hooks; the defaults do nothing ----
    virtual bool hatFokus() const { return true; }
    virtual void fokusNehmen() {}
    virtual void NextWindow() {}  // the focus to the next control
    virtual void beep() {}
    // The context menu at a client point; false when the control has none.
    virtual void kontextMenu(int /*x*/, int /*y*/) {}
    virtual void editMenu(int /*x*/, int /*y*/, int /*maske*/) {}
    // A right press on the caption bar: the host's caption menu.
    virtual void captionMenu(int /*x*/, int /*y*/) {}
    // A left press with DragDrop on: the control may be dragged from (x, y).
    virtual void ziehenBeginnen(int /*x*/, int /*y*/) {}
    // A press in the bitmap view: left zooms in, right zooms out.
    virtual void bildZoomen(bool /*groesser*/) {}
    // The linked search field.
    virtual bool suchfeldVon() const { return false; }
    virtual int suchfeldVergleich(const std::string& /*zelle*/) const { return 0; }
    virtual void suchfeldNotFund(int /*pos*/) {}
    virtual void suchfeldZeichen(char /*ch*/) {}
    // The editor's window side.
    virtual void eingabeZeichnen() {}
    virtual void listeZeigen(bool /*an*/) {}
    virtual bool textAufClipboard(const std::string& /*text*/) { return false; }
    virtual bool clipboardLesen(std::string& /*text*/) { return false; }

    // The model's editor hooks, served from the editor state.
    bool eingabeAuf(const Tabdefinition* t, int row, int col) const override;
    bool eingabeSichtbar() const override { return eingabeOffen(); }
    std::string eingabeText() const override;
    void eingabeVerbergen() override { Input_Show(false); }
    void eingabeNeuLaden() override;
    void eingabeVerschieben() override;
    void eingabeUebernehmen() override;
    void eingabeVergessen(const Tabdefinition* t) override;
    void eingabeZeileGewechselt(const Tabdefinition* t) override;

private:
    // Keys.
    void zeileBewegen(bool hoch, int schritt);
    void neueZeileWaehlen(Tabdefinition* t);
    int zeilenSchritt() const;
    void enterImEditor();
    bool editorTaste(Taste taste);
    void listenSchritt(bool hoch);
    int naechsteEditSpalte(Tabdefinition* t, int row, int nach);
    static bool datenZeile(const Tabdefinition& t, int row);
    static int naechsteDatenZeile(const Tabdefinition& t, int nach);
    // Mouse.
    void fixDruck(Tabdefinition* t, Knopf knopf, bool druck, int row, int col, int x);
    void datenDruck(Tabdefinition* t, Knopf knopf, int row, int col, int x, int y);
    void loslassen(Knopf knopf, int x, int y);
    // A press on a title cell while the pointer shows the column-sizing
    // pointer starts sizing that column; true when it did.
    bool spaltenGroesseBeginnen(int x);
    Zeiger grenzeSuchen(int x, int y);
    void spalteZiehen(int x);
    void auswahlZiehen(int x, int y);
    void auswahlBeginnen();
    // The release (or the lost focus) ends sizing and selecting.
    void mausAktionBeenden();
    // Search.
    void suchen();
    // Editor.
    void cursorSetzen(int move, bool redraw);
    void eingabeLeeren();
    void zeichneEingabe();
    void listeSchliessen();
    void listeOeffnen();
    int listenAnzahl() const;
    std::string listenEintrag(int i) const;
    void tippen(char ch);
    void listenSuche();
    bool boxRechteck(Rect& r) const;
    bool spalteGanz(const Tabdefinition* t, int col) const;

    bool shift_ = false;
    bool gedrueckt_ = false;  // a button is held
    bool doppel_ = false;
    // Column sizing: the table and column under the pointer's border, and
    // where the border stands for the next move.
    Zeiger zeiger_ = Zeiger::Standard;
    int groessenTab_ = -1;
    int groessenSpalte_ = -1;
    bool groesseLaeuft_ = false;
    int groessenX_ = 0;
    // Text selection by dragging in the editor: the flat position pressed.
    bool auswahlLaeuft_ = false;
    int anker_ = 0;
    bool weiter_ = false;  // continue the search below the selection
    const Tabdefinition* hitTab_ = nullptr;
    int hitRow_ = -1;
    std::string suchText_;
    std::unique_ptr<Eingabe> eingabe_;
    EingabeBild eingabeBild_;
    // Colours of single cells: rows x visible columns of one table, sized once.
    const Tabdefinition* farbTab_ = nullptr;
    int farbSpalten_ = 0;
    std::vector<TColor> zellFarben_;

    static int sucheZaehler_;
};

}  // namespace table

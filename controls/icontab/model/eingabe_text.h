// The in-cell editor's text: lines without line breaks, addressed either as
// (line, column) or as one flat position in which each line break counts as
// the two characters CR LF; and how that text is laid out in the edit box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/table_shared/model/text_metrik.h"

namespace table {

// A place in the text; Scroll is the first character shown of every line.
struct Cursordef {
    int Zeile = 0;
    int Spalte = 0;
    int Scroll = 0;
    bool operator==(const Cursordef&) const = default;
};

class EingabeText {
public:
    // clang-format off
    // GetTextStr modes.
    static constexpr char kAlles = 0;       // the whole text
    static constexpr char kVorCursor = 1;   // everything before the cursor
    static constexpr char kAbCursor = 2;    // everything from the cursor on
    static constexpr char kAuswahl = 3;     // the selection
    // clang-format on

    const std::vector<std::string>& zeilen() const { return zeilen_; }
    int zeilenZahl() const { return static_cast<int>(zeilen_.size()); }
    int laenge(int zeile) const;

    // A new line before line index (-1 or beyond: at the end).
    void NeueZeile(std::string_view text, int index);
    // Line -1 replaces the whole text, split at CR (an LF after it skipped);
    // another line number sets that line to the text up to its first CR.
    void SetString(int zeile, std::string_view text);
    // Removes one line, or all with -1.
    void DelZeile(int index);

    std::string GetTextStr(char mode, const Cursordef& cur, int selStart, int selLaenge) const;
    int GetTextLength() const;
    bool IfTextStr() const;
    // Flat position -> (line, column). A position between CR and LF gives
    // the start of the next line, one past the end the end of the text, a
    // negative one the start.
    Cursordef PosinCurPos(int pos) const;
    // (line, column) -> flat position.
    int SetSelStart(int zeile, int spalte) const;

    // Deletes count characters from (line, col), backwards when negative;
    // line -1 takes col as a flat position. Deleting over a line end joins.
    void DeleteText(int zeile, int spalte, int count);
    // Inserts text at (line, col), clamped into the text; CR opens a new
    // line, LF is dropped. Returns the place just behind the inserted text.
    Cursordef InsertText(int zeile, int spalte, std::string_view text);
    // The cursor moved by move characters, a line break counting 2 forward
    // and 1 backward; stops at the ends of the text.
    Cursordef bewege(Cursordef cur, int move) const;
    // (line, column) limited to the text.
    Cursordef begrenzt(Cursordef cur) const;

private:
    std::vector<std::string> zeilen_;
};

// How the editor's lines lie in its box: the horizontal scroll, the
// characters shown of each line and the caret.
struct EingabeBild {
    int scroll = 0;
    int rand = 4;  // left margin: 8 with a horizontal scroll
    std::vector<int> sichtbar;
    int zeilenHoehe = 13;
    int textTop = 0;  // top of the first line, relative to the box
    int caretX = 0;   // relative to the box
    int caretY = 0;
};

// Lays the text out in a box of the given width and row height, keeping
// the cursor visible; scroll is the previous horizontal scroll.
EingabeBild eingabeLayout(const EingabeText& text, const Cursordef& cur, int scroll, int boxBreite,
                          int zeilenHoehe, TextMetrik& metrik);

// The cursor for a point relative to the box.
Cursordef cursorBei(const EingabeText& text, const EingabeBild& bild, int x, int y,
                    TextMetrik& metrik);

}  // namespace table

// Lexical rules of the report command language: the 71 keywords and
// `GetBefehl`, and a cursor that reads words, numbers, string values and
// line ends from a Windows-1252 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// Keyword indices as `GetBefehl` returns them.
// clang-format off
enum Befehl : int {
    kKeinBefehl = -1,
    kwFrame = 0, kwSet, kwObject, kwData, kwEnd,
    kwLabel, kwBitmap, kwRechteck, kwLinie, kwDatum, kwUhrzeit, kwSeite, kwSeitevon,
    kwDbtext, kwElipse, kwBedingung, kwVariable,
    kwLinks, kwOben, kwBreite, kwHoehe, kwStift, kwText, kwFarbe, kwAusrichtung,
    kwUnten, kwRechts, kwHmitte, kwVmitte, kwAuto, kwBox, kwSchrifthoehe, kwFontart,
    kwFett, kwKursiv, kwUnterstrichen, kwNormal, kwAnzahl, kwTabelle, kwTab1, kwTab2,
    kwTab3, kwSchrittweite, kwHochformat, kwQuerformat, kwTextwinkel, kwGruppe, kwRow,
    kwWenn, kwAenderung, kwDatensatz, kwEinzelschritt, kwSpalten, kwNerster, kwLeer,
    kwNleer, kwSeiten, kwErster, kwSeitenframe, kwAdd, kwWert, kwNeueseite,
    kwErsteseite, kwTyp, kwZahl, kwAnzeige, kwFormat, kwLetzter, kwElse, kwSetgruppe,
    kwGetdbtext,
};
// clang-format on
constexpr int kAnzahlBefehle = 71;

// The keyword's spelling (Windows-1252 bytes).
std::string_view befehlWort(int index);

// The keyword that a whole word spells, or -1.
int befehlIndex(std::string_view word);

// The keyword that the word at the start of `at` spells, or -1. A keyword
// counts only when a blank, CR, LF or the end of the text follows it.
int GetBefehl(std::string_view at);

// Keyword kinds.
bool isObjectWord(int k);
uint8_t objectType(int k);          // ObjektTyp of an object word
uint16_t conditionFlag(int k);      // Bedingung flag of a condition word, else 0
uint16_t clearedBy(uint16_t flag);  // the conditions a condition excludes
bool isAlignWord(int k);            // accepted after `ausrichtung`
bool isNumberWord(int k);           // takes a numeric value

// Splits a `row` value at commas outside quotes; a quote starts a quoted
// piece afresh, and after its closing quote the rest up to the comma is dropped.
std::vector<std::string> splitRow(const std::string& value);
// A hexadecimal colour value; none when empty or a character is no hex digit.
std::optional<uint32_t> parseColour(const std::string& s);

constexpr size_t kMaxWertLaenge = 200;  // longest string value kept

// Reads a report text. The text ends at its first NUL byte, as the C string
// a host hands over does. Lines are counted by LF.
class ReportLexer {
public:
    explicit ReportLexer(std::string_view text);

    void skipBlanks();  // blanks and TABs between words
    bool atEnd() const { return pos_ >= text_.size(); }
    bool atLineEnd() const;         // at CR or LF
    void consumeLineEnd();          // one CR or LF; LF counts a line
    void skipToLineEnd();           // a comment: up to, not over, CR, LF or the end
    void skipWord();                // up to the next blank, CR, LF or the end
    std::string_view word() const;  // the word from here, as skipWord would pass it
    void skip(size_t n) { pos_ += n; }
    char peek() const { return text_[pos_]; }
    std::string_view rest() const { return text_.substr(pos_); }
    int line() const { return line_; }

    // Optional '-' then at least one digit; the rest of the word is skipped.
    // None when there is no digit or the value leaves the 32-bit range.
    std::optional<int32_t> readNumber();
    // A bare word, or a quoted value that keeps its blanks and ends at the
    // next quote or the line end; cut at 200 bytes. After a closing quote the
    // rest of the word is skipped.
    std::string readString();
    // The rest of the line, blanks and quotes kept, cut at 200 bytes.
    std::string readRestOfLine();

private:
    static bool endsWord(char c) { return c == ' ' || c == '\r' || c == '\n'; }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace report

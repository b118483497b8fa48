#include "report/report_lexer.h"

#include <array>

#include "report/report_struct.h"

namespace report {
namespace {

// Spellings in index order; umlauts as Windows-1252 bytes.
// clang-format off
constexpr std::array<std::string_view, kAnzahlBefehle> kWoerter = {
    "frame", "set", "object", "data", "end",
    "label", "bitmap", "rechteck", "linie", "datum", "uhrzeit", "seite", "seitevon",
    "dbtext", "elipse", "bedingung", "variable",
    "links", "oben", "breite", "h\xF6" "he", "stift", "text", "farbe", "ausrichtung",
    "unten", "rechts", "hmitte", "vmitte", "auto", "box", "schrifth\xF6" "he", "fontart",
    "fett", "kursiv", "unterstrichen", "normal", "anzahl", "tabelle", "tab1", "tab2",
    "tab3", "schrittweite", "hochformat", "querformat", "textwinkel", "gruppe", "row",
    "wenn", "\xE4" "nderung", "datensatz", "einzelschritt", "spalten", "nerster", "leer",
    "nleer", "seiten", "erster", "seitenframe", "add", "wert", "neueseite",
    "ersteseite", "typ", "zahl", "anzeige", "format", "letzter", "else", "setgruppe",
    "getdbtext",
};
// clang-format on

constexpr size_t kLaengstesWort = 13;

// Keyword indices by length and first byte: a lookup compares at most a
// few candidates.
struct Lookup {
    struct Slot {
        uint8_t count = 0;
        std::array<int8_t, 4> index{};
    };
    std::array<std::array<Slot, 256>, kLaengstesWort + 1> slots;
    Lookup() {
        for (int i = 0; i < kAnzahlBefehle; ++i) {
            Slot& s = slots[kWoerter[i].size()][static_cast<unsigned char>(kWoerter[i][0])];
            s.index.at(s.count++) = static_cast<int8_t>(i);
        }
    }
};

const Lookup& lookup() {
    static const Lookup l;
    return l;
}

bool endsKeyword(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

std::string_view befehlWort(int index) {
    return (index >= 0 && index < kAnzahlBefehle) ? kWoerter[index] : std::string_view();
}

int befehlIndex(std::string_view word) {
    const size_t n = word.size();
    if (n == 0 || n > kLaengstesWort) return kKeinBefehl;
    const Lookup::Slot& s = lookup().slots[n][static_cast<unsigned char>(word[0])];
    for (int c = 0; c < s.count; ++c) {
        const std::string_view kw = kWoerter[static_cast<size_t>(s.index[c])];
        size_t i = 1;
        while (i < n && kw[i] == word[i]) ++i;
        if (i == n) return s.index[c];
    }
    return kKeinBefehl;
}

int GetBefehl(std::string_view at) {
    size_t n = 0;
    while (n < at.size() && n <= kLaengstesWort && !endsKeyword(at[n])) ++n;
    return befehlIndex(at.substr(0, n));
}

bool isObjectWord(int k) {
    return (k >= kwLabel && k <= kwVariable) || k == kwSetgruppe;
}

uint8_t objectType(int k) {
    static constexpr uint8_t types[] = {kLabel,  kBitmap,  kRechteck,  kLinie,
                                        kDatum,  kUhrzeit, kSeite,     kSeiteVon,
                                        kDbText, kElipse,  kBedingung, kVariable};
    return k == kwSetgruppe ? uint8_t{kSetGruppe} : types[k - kwLabel];
}

uint16_t conditionFlag(int k) {
    switch (k) {
        case kwAenderung:
            return kAenderung;
        case kwDatensatz:
            return kDatensatz;
        case kwNerster:
            return kNErster;
        case kwLeer:
            return kLeer;
        case kwNleer:
            return kNLeer;
        case kwErster:
            return kErster;
        case kwLetzter:
            return kLetzter;
        case kwNeueseite:
            return kNeueSeite;
        case kwErsteseite:
            return kErsteSeite;
        default:
            return 0;
    }
}

// Conditions that exclude each other: setting one clears its partners.
uint16_t clearedBy(uint16_t flag) {
    switch (flag) {
        case kNErster:
            return kErster;
        case kErster:
            return kNErster | kLetzter;
        case kLetzter:
            return kErster | kNErster;
        case kLeer:
            return kNLeer;
        case kNLeer:
            return kLeer;
        default:
            return 0;
    }
}

bool isAlignWord(int k) {
    switch (k) {
        case kwLinks:
        case kwOben:
        case kwUnten:
        case kwRechts:
        case kwHmitte:
        case kwVmitte:
        case kwAuto:
        case kwBox:
        case kwNormal:
        case kwHochformat:
        case kwQuerformat:
            return true;
        default:
            return false;
    }
}

bool isNumberWord(int k) {
    switch (k) {
        case kwLinks:
        case kwOben:
        case kwBreite:
        case kwHoehe:
        case kwStift:
        case kwSchrifthoehe:
        case kwAnzahl:
        case kwSchrittweite:
        case kwTextwinkel:
        case kwGruppe:
        case kwEinzelschritt:
        case kwSpalten:
        case kwSeiten:
            return true;
        default:
            return false;
    }
}

// Splits a `row` value at commas outside quotes. A quote starts a quoted
// piece (what came before it in the piece is dropped); after the closing
// quote the rest up to the comma is dropped.
std::vector<std::string> splitRow(const std::string& value) {
    std::vector<std::string> pieces;
    std::string piece;
    bool quoted = false;
    bool closed = false;
    for (const char c : value) {
        if (quoted) {
            if (c == '"') {
                quoted = false;
                closed = true;
            } else {
                piece += c;
            }
        } else if (c == ',') {
            pieces.push_back(std::move(piece));
            piece.clear();
            closed = false;
        } else if (!closed) {
            if (c == '"') {
                piece.clear();
                quoted = true;
            } else {
                piece += c;
            }
        }
    }
    pieces.push_back(std::move(piece));
    return pieces;
}

// Hexadecimal colour value; none when a character is no hex digit.
std::optional<uint32_t> parseColour(const std::string& s) {
    if (s.empty()) return std::nullopt;
    uint32_t v = 0;
    for (const char c : s) {
        uint32_t d;
        if (c >= '0' && c <= '9') {
            d = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            d = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            d = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        v = v * 16 + d;
    }
    return v;
}

ReportLexer::ReportLexer(std::string_view text) : text_(text) {
    const size_t nul = text_.find('\0');
    if (nul != std::string_view::npos) text_ = text_.substr(0, nul);
}

void ReportLexer::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

bool ReportLexer::atLineEnd() const {
    return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void ReportLexer::consumeLineEnd() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
}

void ReportLexer::skipToLineEnd() {
    while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
}

void ReportLexer::skipWord() {
    while (pos_ < text_.size() && !endsWord(text_[pos_])) ++pos_;
}

std::string_view ReportLexer::word() const {
    size_t end = pos_;
    while (end < text_.size() && !endsWord(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
}

std::optional<int32_t> ReportLexer::readNumber() {
    bool negative = false;
    if (pos_ < text_.size() && text_[pos_] == '-') {
        negative = true;
        ++pos_;
    }
    int64_t value = 0;
    bool digit = false;
    bool tooLarge = false;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
        digit = true;
        if (!tooLarge) {
            value = value * 10 + (text_[pos_] - '0');
            tooLarge = value > 2147483648LL;  // stops before 64 bits could overflow
        }
        ++pos_;
    }
    skipWord();
    if (!digit || tooLarge) return std::nullopt;
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string ReportLexer::readString() {
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const size_t start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\r' &&
               text_[pos_] != '\n') {
            ++pos_;
        }
        std::string value(text_.substr(start, std::min(pos_ - start, kMaxWertLaenge)));
        if (pos_ < text_.size() && text_[pos_] == '"') {
            ++pos_;
            skipWord();
        }
        return value;
    }
    const size_t start = pos_;
    skipWord();
    return std::string(text_.substr(start, std::min(pos_ - start, kMaxWertLaenge)));
}

std::string ReportLexer::readRestOfLine() {
    const size_t start = pos_;
    skipToLineEnd();
    return std::string(text_.substr(start, std::min(pos_ - start, kMaxWertLaenge)));
}

}  // namespace report

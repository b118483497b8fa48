#include "report/report_lexer.h"

#include <array>
#include <cstring>
#include <vector>

namespace report {
namespace {

// Spellings in index order; umlauts as Windows-1252 bytes.
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

constexpr size_t kLaengstesWort = 13;

// Keyword indices grouped by length, so a lookup compares only words of the
// same length.
struct Buckets {
    std::array<std::vector<int>, kLaengstesWort + 1> byLength;
    Buckets() {
        for (int i = 0; i < kAnzahlBefehle; ++i) byLength[kWoerter[i].size()].push_back(i);
    }
};

const Buckets& buckets() {
    static const Buckets b;
    return b;
}

}  // namespace

std::string_view befehlWort(int index) {
    return (index >= 0 && index < kAnzahlBefehle) ? kWoerter[index] : std::string_view();
}

int GetBefehl(std::string_view at) {
    size_t n = 0;
    while (n < at.size() && n <= kLaengstesWort) {
        const char c = at[n];
        if (c == ' ' || c == '\r' || c == '\n' || c == '\0') break;
        ++n;
    }
    if (n == 0 || n > kLaengstesWort) return kKeinBefehl;
    for (int i : buckets().byLength[n]) {
        if (std::memcmp(kWoerter[i].data(), at.data(), n) == 0) return i;
    }
    return kKeinBefehl;
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

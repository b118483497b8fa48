// The search field's rules without widgets: comparison bits, the history,
// the command sequence a table receives, the list's placement, the editing
// menu's items.
#include "controls/suchfeld/model/such_logik.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/table_shared/edit_kontextmenue.h"
#include "controls/suchfeld/model/such_liste_platz.h"
#include "controls/suchfeld/model/such_text.h"

namespace table {
namespace {

// The test source is UTF-8; the field compares Windows-1252 bytes (here
// only Latin-1 letters, two UTF-8 bytes each).
std::string cp(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        out +=
            c == 0xC3 ? static_cast<char>(0x40 + static_cast<unsigned char>(utf8[++i])) : utf8[i];
    }
    return out;
}

TEST(Vergleich, BitsForPairs) {
    const int G = kVergleichGleich, P = kVergleichPraefix;
    // clang-format off
    struct Fall { const char* such; const char* zelle; bool gross; int erwartet; };
    const Fall faelle[] = {
        {"MÜL", "Müller", false, 3 | P}, {"MÜL", "Müller", true, 1},
        {"abc", "ABC", false, 3 | G},    {"abc", "ABC", true, 0},
        {"", "", false, G},              {"", "x", false, P},
        {"abcd", "abc", false, 3},       {"abx", "abc", false, 2},
        {"Ä", "ä", false, 1 | G},        {"ß", "\xDF", true, 1 | G},
        {"`", "@", false, 1 | G},        // 96 folds onto 64, which itself is not folded
        {"{", "[", false, 0},            // 123 lies outside the folded range
        {"é", "É", false, 0},            // only ä ö ü fold beyond ASCII
    };
    // clang-format on
    for (const Fall& f : faelle) {
        EXPECT_EQ(Vergleich(cp(f.such), cp(f.zelle), f.gross), f.erwartet)
            << f.such << " / " << f.zelle;
    }
}

TEST(NotFund, SelectsTheUnmatchedRest) {
    const std::tuple<int, int, Auswahl> faelle[] = {
        {0, -1, {}}, {0, 3, {}}, {5, -1, {4, 1}}, {5, 2, {2, 3}}, {5, 9, {5, 0}}, {5, -7, {0, 5}},
    };
    for (const auto& [laenge, pos, erwartet] : faelle)
        EXPECT_EQ(notFundAuswahl(laenge, pos), erwartet);
}

TEST(TextAusgabe, ShortensUntilNarrowerThanTheLabel) {
    const auto breite = [](const std::string& s) { return 7 * static_cast<int>(s.size()); };
    const std::string kurz = Text_Ausgabe(std::string(30, 'x'), breite);
    EXPECT_EQ(kurz, std::string(6, 'x') + "...");  // 63 pixels
    // Too short to cut, however wide.
    EXPECT_EQ(Text_Ausgabe("Name", [](const std::string&) { return 500; }), "Name");
    EXPECT_EQ(Text_Ausgabe("Ort", breite), "Ort");
}

TEST(SuchHistorie, NewestFirstAtMostSixByteExact) {
    SuchHistorie h;
    for (const char* t : {"abc", "xyz", "abc", ""}) h.merke(t);
    EXPECT_EQ(h.eintraege(), (std::vector<std::string>{"abc", "xyz"}));
    EXPECT_TRUE(h.merke("ABC"));  // case matters for the history
    for (int i = 0; i < 40; ++i) {
        h.merke(std::to_string(i % 9));
        ASSERT_LE(h.eintraege().size(), SuchHistorie::kMax);
        EXPECT_EQ(h.eintraege().front(), std::to_string(i % 9));
    }
    EXPECT_EQ(h.eintraege(), (std::vector<std::string>{"3", "2", "1", "0", "8", "7"}));
}

// A table that records each command with the field's Von flag at that moment.
struct Ziel : SuchZiel {
    const SuchfeldLogik* feld = nullptr;
    std::vector<std::pair<Such_Kommando, bool>>* log = nullptr;
    char name = '?';
    void Suche(Such_Kommando cmd) override {
        log->emplace_back(cmd + 100 * (name - 'A'), feld->GetVon());
    }
};

struct Sicht : SuchfeldSicht {
    std::string t, label;
    Auswahl auswahl;
    std::string text() const override { return t; }
    void setText(const std::string& s) override { t = s; }
    void select(int start, int laenge) override { auswahl = {start, laenge}; }
    void zeigeSpalte(const std::string& n) override { label = n; }
};

TEST(SuchfeldLogik, CommandSequence) {
    Sicht sicht;
    SuchfeldLogik f(sicht);
    std::vector<std::pair<Such_Kommando, bool>> log;
    Ziel a, b;
    a.feld = b.feld = &f;
    a.log = b.log = &log;
    a.name = 'A';
    b.name = 'B';
    auto tippe = [&](SuchTaste taste, char ch) {
        const bool verbraucht = f.keyDown(taste);
        const bool geschluckt = ch != 0 && f.keyPress(ch, true);
        f.keyUp(taste);
        return std::pair(verbraucht, geschluckt);
    };

    tippe(SuchTaste::Andere, 'x');  // nothing linked: nothing sent
    f.startClick();
    f.Set_Suche(&a);
    f.Set_Suche(&a);  // the same target again sends nothing
    EXPECT_EQ(tippe(SuchTaste::Andere, 'm'), std::pair(false, false));
    EXPECT_EQ(tippe(SuchTaste::F3, 0), std::pair(false, false));
    EXPECT_EQ(tippe(SuchTaste::Enter, '\r'), std::pair(true, true));
    tippe(SuchTaste::Andere, 0);  // a key without a character, nothing typed
    f.startClick();
    f.Set_Spalten_Name("Ort", 2);
    f.spalteGewaehlt(2);
    f.spalteGewaehlt(kSpaltenGrenze);
    sicht.t = "Mei";
    f.Set_Suche(&b);
    f.Set_Suche(nullptr);
    using L = std::vector<std::pair<Such_Kommando, bool>>;
    // clang-format off
    EXPECT_EQ(log, (L{{2, false}, {0, false}, {0, true}, {3, false}, {0, false}, {0, true}, {6, false},
                      {1, false}, {102, false}, {101, false}}));
    // clang-format on
    EXPECT_EQ(sicht.label, "Ort");
    EXPECT_EQ(sicht.t, "");  // relinking left the text in the history
    EXPECT_EQ(f.historie().eintraege(), std::vector<std::string>{"Mei"});
    EXPECT_FALSE(f.HatZiel());
}

TEST(SuchfeldLogik, ColumnNamesAndListIndex) {
    Sicht sicht;
    SuchfeldLogik f(sicht);
    f.Set_Spalten_Name("C", 2);
    f.Set_Spalten_Name("x", -1);
    f.Set_Spalten_Name("x", kSpaltenGrenze);
    EXPECT_EQ(f.spaltenNamen(), (std::vector<std::string>{"", "", "C"}));
    f.Set_Spalte(2);
    EXPECT_EQ(sicht.label, "C");
    f.Set_Spalte(-1);
    EXPECT_EQ(std::pair(sicht.label, f.spaltenNamen().size()), std::pair(std::string(), size_t{0}));
    sicht.t = "abc";
    f.TextExit();
    EXPECT_EQ(sicht.auswahl, (Auswahl{0, 3}));
    sicht.t = "";
    for (int i : {-1, 1, 6}) f.SetListIndex(i);
    EXPECT_EQ(sicht.t, "");
    f.SetListIndex(0);
    EXPECT_EQ(sicht.t, "abc");
}

TEST(ListenPlatz, BelowAboveOrShortened) {
    const platform::Rect schirm{0, 0, 800, 600};
    using platform::rectAt;
    const std::tuple<platform::Rect, int, int, platform::Rect> faelle[] = {
        {rectAt(10, 100, 235, 25), 16, 3, rectAt(10, 125, 235, 50)},
        {rectAt(10, 100, 60, 25), 16, 0,
         rectAt(10, 125, 100, 18)},  // at least 100 wide, one row high
        {rectAt(10, 570, 235, 25), 16, 2, rectAt(10, 536, 235, 34)},  // bottom of the screen: above
        {rectAt(10, 400, 235, 25), 16, 20,
         rectAt(10, 425, 235, 175)},  // ten rows fit below: shortened
        {rectAt(10, 480, 235, 25), 16, 40, rectAt(10, 0, 235, 480)},  // above, cut at the top
        {rectAt(10, 0, 235, 590), 16, 3, rectAt(10, 0, 235, 18)},     // no room anywhere: one row
    };
    for (const auto& [feld, zeile, n, erwartet] : faelle) {
        EXPECT_EQ(listenPlatz(feld, schirm, zeile, n), erwartet) << feld.top << " " << n;
    }
}

TEST(ListenPlatz, IndexUnderThePointer) {
    // x, y, entries, top index -> index; 100 x 48 content, 16-pixel rows, 17-pixel scroll bar.
    const std::tuple<int, int, int, int, int> faelle[] = {
        {5, 0, 3, 0, 0},  {5, 47, 3, 0, 2},  {90, 20, 3, 0, 1}, {90, 20, 6, 0, -1},
        {5, 20, 6, 2, 3}, {-1, 5, 3, 0, -1}, {5, 48, 3, 0, -1}, {5, 40, 2, 0, 2},
    };
    for (const auto& [x, y, n, oben, erwartet] : faelle) {
        EXPECT_EQ(listenIndex(x, y, 100, 48, 16, oben, n, 17), erwartet)
            << x << "," << y << " n=" << n;
    }
}

TEST(EditKontextmenue, ItemsAndCommands) {
    const auto grau = [](const std::vector<KontextEintrag>& e) {
        std::string s;
        for (const auto& x : e) s += x.enabled ? '1' : '0';
        return s;
    };
    EXPECT_EQ(grau(kontextEintraege(0, true)), "0000");
    EXPECT_EQ(grau(kontextEintraege(0x0F, false)), "1101");
    EXPECT_EQ(grau(kontextEintraege(0x1F, true)), "11111");
    EXPECT_EQ(grau(kontextEintraege(0x10, false)), "00001");
    const auto alle = kontextEintraege(0x1F, true);
    EXPECT_EQ(alle[2], (KontextEintrag{"Einf\xFCgen", 3, true}));
    EXPECT_EQ(alle[4].caption, "Zeilenumbruch");
    const std::tuple<int, std::optional<KontextBefehl>> befehle[] = {
        {0, std::nullopt},
        {1, KontextBefehl{WM_CUT, 0}},
        {3, KontextBefehl{WM_PASTE, 0}},
        {4, KontextBefehl{WM_CLEAR, 0}},
        {5, KontextBefehl{WM_PASTE, 1}},
        {6, std::nullopt},
    };
    for (const auto& [id, erwartet] : befehle) EXPECT_EQ(kontextBefehl(id), erwartet) << id;
}

}  // namespace
}  // namespace table

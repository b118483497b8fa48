// The editor's text model: flat positions, inserting and deleting across
// line breaks, cursor moves, and its layout in the box.
#include "controls/icontab/model/eingabe_text.h"

#include <gtest/gtest.h>

#include <random>

namespace table {

void PrintTo(const Cursordef& c, std::ostream* os) {
    *os << "(" << c.Zeile << ", " << c.Spalte << ")";
}

namespace {

EingabeText text(std::string_view s) {
    EingabeText t;
    t.SetString(-1, s);
    return t;
}

std::string alles(const EingabeText& t) {
    return t.GetTextStr(EingabeText::kAlles, {}, 0, 0);
}

TEST(EingabeText, FlatPositionsCountLineBreaksAsTwo) {
    const EingabeText t = text("ab\r\ncd");
    EXPECT_EQ(t.GetTextLength(), 6);
    EXPECT_EQ(t.SetSelStart(1, 1), 5);
    struct Fall {
        int pos;
        Cursordef cur;
    };
    // Between CR and LF and past the end the position is taken to the next
    // line's start and the end of the text; negatives to the start.
    for (const Fall& f : {Fall{2, {0, 2}}, Fall{3, {1, 0}}, Fall{4, {1, 0}}, Fall{6, {1, 2}},
                          Fall{99, {1, 2}}, Fall{-5, {0, 0}}, Fall{0, {0, 0}}})
        EXPECT_EQ(t.PosinCurPos(f.pos), f.cur) << f.pos;
    EXPECT_EQ(t.GetTextStr(EingabeText::kVorCursor, {1, 1}, 0, 0), "ab\r\nc");
    EXPECT_EQ(t.GetTextStr(EingabeText::kAbCursor, {0, 1}, 0, 0), "b\r\ncd");
    EXPECT_EQ(t.GetTextStr(EingabeText::kAuswahl, {}, 1, 4), "b\r\nc");
    EXPECT_EQ(t.GetTextStr(EingabeText::kAuswahl, {}, 5, 40), "d");  // bounded
}

TEST(EingabeText, InsertSplitsAtCrAndDropsLf) {
    EingabeText t = text("ab");
    const Cursordef out = t.InsertText(0, 1, "x\r\ny");
    EXPECT_EQ(t.zeilen(), (std::vector<std::string>{"ax", "yb"}));
    EXPECT_EQ(out, (Cursordef{1, 1}));
    // Positions outside the text are taken to its nearest place.
    EXPECT_EQ(t.InsertText(1, 99, "!"), (Cursordef{1, 3}));
    EXPECT_EQ(t.InsertText(7, 0, "?"), Cursordef{});
    EXPECT_EQ(alles(t), "ax\r\nyb!");
}

TEST(EingabeText, BackspaceAtALineStartAndDeleteAtALineEndJoin) {
    EingabeText a = text("ab\r\ncd");
    a.DeleteText(1, 0, -1);
    EXPECT_EQ(a.zeilen(), (std::vector<std::string>{"abcd"}));
    EingabeText b = text("ab\r\ncd");
    b.DeleteText(0, 2, 1);
    EXPECT_EQ(b.zeilen(), (std::vector<std::string>{"abcd"}));
    EingabeText c = text("ab\r\ncd\r\nef");
    c.DeleteText(-1, 1, 7);  // b CR LF cd CR LF
    EXPECT_EQ(c.zeilen(), (std::vector<std::string>{"aef"}));
    c.DeleteText(0, 0, -3);  // nothing before the start
    EXPECT_EQ(alles(c), "aef");
}

// A paste of many lines goes in and out in one step each, in order (a line
// at a time it took seconds).
TEST(EingabeText, ManyPastedLinesKeepTheirOrderAndGoAgainAtOnce) {
    EingabeText t = text("ab\r\ncd");
    std::string viele;
    for (int i = 0; i < 20000; ++i) viele += std::to_string(i) + "\r\n";
    const Cursordef hinter = t.InsertText(0, 1, viele);
    ASSERT_EQ(t.zeilenZahl(), 20002);
    EXPECT_EQ(t.zeilen()[0], "a0");
    EXPECT_EQ(t.zeilen()[12345], "12345");
    EXPECT_EQ(t.zeilen()[20000], "b");
    EXPECT_EQ(t.zeilen()[20001], "cd");
    EXPECT_EQ(hinter, (Cursordef{20000, 0}));
    t.DeleteText(-1, 1, static_cast<int>(viele.size()));
    EXPECT_EQ(t.zeilen(), (std::vector<std::string>{"ab", "cd"}));
}

TEST(EingabeText, CursorMovesOverLineBreaks) {
    const EingabeText t = text("ab\r\ncd");
    EXPECT_EQ(t.bewege({0, 2}, 1), (Cursordef{1, 0}));
    EXPECT_EQ(t.bewege({0, 1}, 4), (Cursordef{1, 1}));
    EXPECT_EQ(t.bewege({1, 0}, -1), (Cursordef{0, 2}));
    EXPECT_EQ(t.bewege({1, 1}, 50), (Cursordef{1, 2}));
    EXPECT_EQ(t.bewege({1, 1}, -50), (Cursordef{0, 0}));
}

// Random texts with line breaks: inserting at any cursor and deleting the
// same flat stretch again gives the text back; lengths always agree.
TEST(EingabeText, InsertThenDeleteRestoresTheText) {
    std::mt19937 rng(7);
    const std::string zeichen = "ab\r\n\xFC ";
    auto zufall = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += zeichen[rng() % zeichen.size()];
        return s;
    };
    for (int runde = 0; runde < 500; ++runde) {
        EingabeText t = text(zufall(static_cast<int>(rng() % 12)));
        const std::string vorher = alles(t);
        ASSERT_EQ(t.GetTextLength(), static_cast<int>(vorher.size()));
        const Cursordef c = t.PosinCurPos(static_cast<int>(rng() % (vorher.size() + 3)));
        const int p = t.SetSelStart(c.Zeile, c.Spalte);
        const Cursordef hinter =
            t.InsertText(c.Zeile, c.Spalte, zufall(static_cast<int>(rng() % 8)));
        t.DeleteText(-1, p, t.SetSelStart(hinter.Zeile, hinter.Spalte) - p);
        ASSERT_EQ(alles(t), vorher) << runde;
    }
}

TEST(EingabeLayout, TheCursorStaysInTheBox) {
    FesteMetrik m(6);
    const EingabeText t = text(std::string(40, 'x'));
    int scroll = 0;
    for (int spalte = 0; spalte <= 40; ++spalte) {
        const EingabeBild b = eingabeLayout(t, {0, spalte, scroll}, scroll, 100, 18, m);
        EXPECT_GE(b.caretX, b.rand) << spalte;
        EXPECT_LE(b.caretX, 100 - 8) << spalte;
        EXPECT_LE(b.sichtbar[0] * 6, 100 - 14) << spalte;
        scroll = b.scroll;
    }
    EXPECT_GT(scroll, 0);
    const EingabeBild kurz = eingabeLayout(text("ab"), {0, 2, 5}, 5, 100, 18, m);
    EXPECT_EQ(kurz.scroll, 0);
    EXPECT_EQ(kurz.caretX, 4 + 12);
    EXPECT_EQ(cursorBei(text("abcd"), kurz, 4 + 6 + 2, 9, m), (Cursordef{0, 1}));
}

}  // namespace
}  // namespace table

// The key, search and editor logic of the table without a window: the
// editor's cells, commits, clipboard commands, Enter through the editable
// cells, FindRow, the type-ahead search with and without a search field.
#include <gtest/gtest.h>

#include "controls/icontab/model/icontab_bedienung.h"
#include "controls/suchfeld/model/such_text.h"

namespace table {
namespace {

// Records what the logic asks of its window.
class Steuer : public IconTabBedienung {
public:
    int beeps = 0;
    int weiter = 0;  // NextWindow
    std::vector<std::string> clipboard;
    std::string zumEinfuegen;
    bool clipboardVoll = true;
    // A search field: its text and what it was told.
    bool feld = false;
    std::string feldText;
    bool feldVon = false;
    std::vector<int> notFund;
    std::vector<std::pair<long, long>> gewaehlt;

    explicit Steuer(const std::vector<std::string>& spalte0, int spalten = 3) {
        SetTabelle(static_cast<unsigned>(spalte0.size() + 1), static_cast<unsigned>(spalten), -1,
                   0);
        for (int c = 0; c < spalten; ++c) SetCell(0, c, "Titel" + std::to_string(c));
        for (size_t r = 0; r < spalte0.size(); ++r)
            for (int c = 0; c < spalten; ++c)
                SetCell(static_cast<unsigned>(r + 1), c,
                        c == 0 ? spalte0[r] : std::to_string(r + 1) + "/" + std::to_string(c));
        FEndUpdate(false);
        OnSelectCell = [this](IconTabModell&, long r, long c) { gewaehlt.emplace_back(r, c); };
    }
    const Eingabe& e() const { return *eingabe(); }
    std::string text() const { return eingabeText(); }
    void tippe(const std::string& s) {
        for (char ch : s) EvKeyChar(ch);
    }

protected:
    void beep() override { ++beeps; }
    void NextWindow() override { ++weiter; }
    bool textAufClipboard(const std::string& t) override {
        clipboard.push_back(t);
        return true;
    }
    bool clipboardLesen(std::string& t) override {
        t = zumEinfuegen;
        return clipboardVoll;
    }
    bool suchfeldDa() const override { return feld; }
    bool suchfeldVon() const override { return feldVon; }
    int suchfeldVergleich(const std::string& zelle) const override {
        int n = gleicheZeichen(feldText, zelle);
        if (n == static_cast<int>(feldText.size()))
            n |= n == static_cast<int>(zelle.size()) ? kVergleichGleich : kVergleichPraefix;
        return n;
    }
    void suchfeldNotFund(int pos) override { notFund.push_back(pos); }
    void suchfeldZeichen(char ch) override { feldText += ch; }
};

TEST(Editor, TheLowestEditableColumnFromTheOneAskedForIsEdited) {
    struct Fall {
        std::uint32_t maske;
        int col;
        int erwartet;  // -1: not opened
    };
    for (const Fall& f : {Fall{0x6, 0, 1}, Fall{0x6, 2, 2}, Fall{0x1, 1, -1}, Fall{0x4, 0, 2}}) {
        Steuer s({"a", "b"});
        s.SetEditCol(f.maske, -1);
        s.SetRow(1);
        s.Set_Eingabefocus(f.col, 1, -1);
        EXPECT_EQ(s.eingabeOffen() ? s.e().spalte : -1, f.erwartet) << f.maske << " " << f.col;
    }
}

TEST(Editor, ItOpensOnTheSelectedRowAndOnlyRowMinusOneChoosesOne) {
    // selected row before (-1 none), the row argument, then the row edited
    // (-1 not opened), the selection after, the OnSelectCell reports
    // clang-format off
    const struct { int vorher, row, editiert, nachher; std::vector<std::pair<long, long>> gemeldet; }
        faelle[] = {
        {2, 2, 2, 2, {}},
        {2, 3, 2, 2, {{2, 0}}},   // the caller's row differs: reported, not selected
        {2, 0, 2, 2, {{2, 0}}},   // a title row names no record either
        {2, -1, 2, 2, {{2, 0}}},  // re-checked from the selection on
        {-1, -1, 1, 1, {{1, 0}}}, // the first plain row is chosen
        {-1, 2, -1, -1, {}},      // no selected record: nothing opens
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.vorher) + " " + std::to_string(f.row));
        Steuer s({"a", "b", "c"});
        s.SetEditCol(0x1, -1);
        s.SetRow(f.vorher);
        s.gewaehlt.clear();
        s.Set_Eingabefocus(0, f.row, -1);
        EXPECT_EQ(s.eingabeOffen() ? s.e().zeile : -1, f.editiert);
        EXPECT_EQ(s.GetRow(), f.nachher);
        EXPECT_EQ(s.gewaehlt, f.gemeldet);
    }
}

TEST(Editor, TheEditedColumnScrollsIntoView) {
    Steuer s(std::vector<std::string>(30, "x"), 5);  // 5 columns of 40 in 100 pixels
    ASSERT_GT(s.maxLeftCol(), 0);
    s.SetEditCol(0x11, -1);
    s.SetRow(2);
    s.Set_Eingabefocus(4, 2, -1);
    EXPECT_GT(s.leftCol(), 0);
    EXPECT_LE(s.e().box.right, 100);
    EXPECT_GT(s.e().box.width(), 0);
    s.EvKeyDown(Taste::Enter);  // on to column 0 of the next row: back to the left
    EXPECT_EQ(s.e().spalte, 0);
    EXPECT_EQ(s.leftCol(), 0);
}

TEST(Editor, OnCellChangeMayRefuseOrRewriteTheText) {
    for (const int fall : {0, 1, 2}) {
        Steuer s({"alt"});
        s.SetEditCol(0x1, -1);
        s.SetRow(1);
        s.OnCellChange = [fall](IconTabModell&, int row, int col, std::string& str, int index,
                                bool& enabled) {
            EXPECT_EQ(row, 1);
            EXPECT_EQ(col, 0);
            EXPECT_EQ(index, -1);
            if (fall == 1) enabled = false;
            if (fall == 2) str = "[" + str + "]";
        };
        s.Set_Eingabefocus(0, 1, -1);
        s.tippe("neu");  // replaces the selected text
        s.TextChange();
        EXPECT_EQ(s.aktuelleTabelle()->zelle(1, 0),
                  (std::vector<std::string>{"neu", "alt", "[neu]"}[static_cast<size_t>(fall)]));
    }
}

TEST(Editor, ClipboardCommandsAndTheLineBreak) {
    Steuer s({"abcd"});
    s.SetEditCol(0x1, -1);
    s.SetRow(1);
    s.Set_Eingabefocus(0, 1, -1);
    EXPECT_EQ(s.e().selLaenge, 4);
    s.EvKeyChar(24);  // Ctrl+X copies before it deletes
    EXPECT_EQ(s.clipboard, (std::vector<std::string>{"abcd"}));
    EXPECT_EQ(s.text(), "");
    s.zumEinfuegen = "x\r\nyz";
    s.EvKeyChar(22);
    EXPECT_EQ(s.text(), "x\r\nyz");
    EXPECT_EQ(s.e().cursor, (Cursordef{1, 2}));
    s.EvKeyDown(Taste::Links);  // cursor behind y
    s.EvKeyChar(8);
    EXPECT_EQ(s.text(), "x\r\nz");
    // A line break over a selection replaces it.
    s.EvKeyDown(Taste::Esc);  // back to the cell text, all selected
    s.EvPopUp(IconTabBedienung::Befehl::Zeilenumbruch);
    EXPECT_EQ(s.text(), "\r\n");
    EXPECT_TRUE(s.e().geaendert);
    s.clipboardVoll = false;
    s.EvPopUp(IconTabBedienung::Befehl::Einfuegen);  // nothing there: no change
    EXPECT_EQ(s.text(), "\r\n");
    s.clipboardVoll = true;  // other programs break lines with a bare LF
    s.zumEinfuegen = "Musterstr. 1\n12345 Musterstadt\r\n";
    s.EvKeyChar(22);
    EXPECT_EQ(s.text(), "\r\nMusterstr. 1\r\n12345 Musterstadt\r\n");
    s.EvKeyChar(0x7F);  // the desktop's Delete: no character
    EXPECT_EQ(s.text(), "\r\nMusterstr. 1\r\n12345 Musterstadt\r\n");
}

TEST(Editor, EnterGoesOnToTheNextDataRowOfTheEditedOne) {
    // kinds of rows 2-4, what OnCellChange does (1 greys the row, 2 makes
    // rows 0-1 fixed), the row edited after Enter on row 1 (-1: focus left)
    const struct { std::vector<RowArt> arten; int h; int row; } faelle[] = {
        {{kGraueZeile, kTitelZeile, 0}, 0, 4},
        {{kTitelZeile, kGraueZeile, kGraueZeile}, 0, -1},
        {{0, 0, 0}, 1, 2},
        {{kGraueZeile, 0, 0}, 2, 3}};
    for (const auto& f : faelle) {
        Steuer s({"a", "b", "c", "d"});
        for (unsigned r = 2; r < 5; ++r) s.SetRowArt(r, f.arten[r - 2]);
        s.SetEditCol(0x1, -1);
        s.OnCellChange = [&](IconTabModell& m, int row, int, std::string&, int, bool&) {
            if (f.h == 1) m.SetRowArt(static_cast<unsigned>(row), kGraueZeile);
            if (f.h == 2) m.SetFixedRows(2);
        };
        s.SetRow(1);
        s.Set_Eingabefocus(0, 1, -1);
        s.tippe("neu");
        s.EvKeyDown(Taste::Enter);
        EXPECT_EQ(s.aktuelleTabelle()->zelle(1, 0), "neu");
        EXPECT_EQ(s.eingabeOffen() ? s.e().zeile : -1, f.row) << f.h;
        EXPECT_EQ(s.weiter, f.row < 0 ? 1 : 0);
    }
}

TEST(Editor, EnterWalksTheEditableCellsThenLeaves) {
    Steuer s({"a", "b"});
    s.SetEditCol(0x5, -1);  // columns 0 and 2
    int gefragt = 0;
    s.OnIsEditCol = [&](IconTabModell&, int row, int col, bool& enabled, int) {
        ++gefragt;
        if (row == 2 && col == 0) enabled = false;
    };
    s.SetRow(1);
    s.Set_Eingabefocus(0, 1, -1);
    s.EvKeyDown(Taste::Enter);
    EXPECT_EQ(s.e().spalte, 2);
    s.EvKeyDown(Taste::Enter);  // next row: column 0 refused there
    EXPECT_EQ(s.GetRow(), 2);
    EXPECT_EQ(s.e().spalte, 2);
    EXPECT_EQ(s.gewaehlt.back(), (std::pair<long, long>{2, 2}));
    EXPECT_EQ(s.weiter, 0);
    s.EvKeyDown(Taste::Enter);  // the last cell of the last table
    EXPECT_EQ(s.weiter, 1);
    EXPECT_FALSE(s.eingabeOffen());
    EXPECT_GT(gefragt, 0);
}

TEST(Editor, AListInputCompletesFromItsSourceTableAndSteps) {
    Steuer quelle({"Anna", "Bert", "Berta"});
    Steuer s({"Bert"});
    s.SetEditCol(0x1, -1);
    s.OnGetFilter = [&](IconTabBedienung&, Filter_Struct& f, int, int) {
        f.Art = 2;
        f.Tabelle = &quelle;
    };
    int index = -2;
    s.OnCellChange = [&](IconTabModell&, int, int, std::string&, int i, bool&) { index = i; };
    s.SetRow(1);
    s.Set_Eingabefocus(0, 1, -1);
    EXPECT_EQ(s.e().listIndex, 2);  // the exact entry, found without moving the source
    EXPECT_EQ(quelle.GetRow(), -1);
    s.tippe("a");
    EXPECT_EQ(s.text(), "Anna");
    EXPECT_EQ(s.e().selStart, 1);
    EXPECT_EQ(s.e().selLaenge, 3);
    s.EvKeyDown(Taste::Runter);
    EXPECT_EQ(s.text(), "Bert");
    EXPECT_EQ(quelle.GetRow(), 2);
    s.EvKeyDown(Taste::Links);  // the selection grows to the left
    s.tippe("x");               // nothing starts with "x": a beep
    EXPECT_EQ(s.beeps, 1);
    s.EvKeyDown(Taste::Esc);
    s.EvKeyDown(Taste::Runter);
    s.EvKeyDown(Taste::Runter);
    EXPECT_EQ(s.text(), "Berta");
    s.TextChange();
    EXPECT_EQ(s.aktuelleTabelle()->zelle(1, 0), "Berta");
    EXPECT_EQ(index, 3);
}

TEST(Keys, UpFromTheFirstRowSelectsTheNewRecordLine) {
    Steuer s({"a", "b"});
    s.SetStrNeu("Neuer Eintrag");
    s.SetRow(1);
    s.EvKeyDown(Taste::Hoch);
    EXPECT_EQ(s.GetRow(), -1);
    EXPECT_EQ(s.gewaehlt.back(), (std::pair<long, long>{-1, 0}));
    s.EvKeyDown(Taste::Hoch);  // stays there
    EXPECT_EQ(s.gewaehlt.size(), 1u);
    s.EvKeyDown(Taste::Runter);
    EXPECT_EQ(s.GetRow(), 1);
}

TEST(Keys, WithoutAFocusedTableOnlyShiftCounts) {
    Steuer s({"a", "b"});
    s.SetTabelle(2, 3, -1, 1);
    s.FEndUpdate(false);
    s.ClearTabs(1);  // the table that had the focus goes
    ASSERT_EQ(s.letzteFokusTabelle(), nullptr);
    for (Taste k : {Taste::F3, Taste::Tab, Taste::Runter, Taste::Enter}) s.EvKeyDown(k);
    EXPECT_EQ(s.weiter, 0);
    EXPECT_TRUE(s.gewaehlt.empty());
    s.EvKeyDown(Taste::Shift);
    EXPECT_TRUE(s.shift());
    s.EvKeyUp(Taste::Shift);
    // The early look at a key takes Shift and nothing else.
    Steuer f({"a", "b"});
    f.EvKeyVorab(Taste::Runter);
    f.EvKeyVorab(Taste::Tab);
    EXPECT_TRUE(f.gewaehlt.empty());
    EXPECT_EQ(f.weiter, 0);
    f.EvKeyVorab(Taste::Shift);
    EXPECT_TRUE(f.shift());
}

TEST(FindRow, FoldsCaseAndPrefersAnExactHit) {
    struct Fall {
        std::vector<std::string> zellen;
        std::string text;
        bool exakt;
        int erwartet;
    };
    const std::vector<Fall> faelle = {
        {{"MEIER",
          "M\xDC"
          "LLER"},
         "m\xFC",
         false,
         2},
        {{"Zeilen", "zeile"}, "Zeile", false, 2},
        {{"Zeilen", "Zeilenende"}, "Zeile", false, 1},
        {{"Zeilen", "Zeilenende"}, "Zeile", true, -1},
    };
    for (const Fall& f : faelle) {
        Steuer s(f.zellen);
        SuchResult r;
        EXPECT_EQ(s.FindRow(f.text, false, 0, nullptr, -1, f.exakt, -1, &r), f.erwartet) << f.text;
        if (f.erwartet > 0) {
            EXPECT_EQ(r.matched, static_cast<int>(f.text.size()));
            EXPECT_EQ(r.remaining,
                      static_cast<int>(f.zellen[static_cast<size_t>(f.erwartet - 1)].size() -
                                       f.text.size()));
        }
        EXPECT_EQ(s.GetRow(), -1);  // nothing selected without select
    }
}

TEST(TypeAhead, WithoutAFieldTypedCharactersCollectAndFoldCase) {
    Steuer s({"Meier", "M\xFCller", "Maier"});
    s.tippe("m");
    EXPECT_EQ(s.GetRow(), 1);
    s.tippe("\xFC");
    EXPECT_EQ(s.GetRow(), 2);
    EXPECT_EQ(s.eigenerSuchText(), "m\xFC");
    s.tippe("x");  // no such row: a beep, the character dropped
    EXPECT_EQ(s.beeps, 1);
    EXPECT_EQ(s.eigenerSuchText(), "m\xFC");
    EXPECT_EQ(s.GetRow(), 2);
    s.EvKeyDown(Taste::Hoch);  // moving the selection starts a new text
    EXPECT_EQ(s.eigenerSuchText(), "");
    s.tippe("ma");
    EXPECT_EQ(s.GetRow(), 3);
}

TEST(TypeAhead, WithAFieldAnExactCellWinsAndF3GoesOnAndWraps) {
    Steuer s({"Zeilen", "Zeile", "Zeile", "Ende"});
    s.feld = true;
    s.tippe("Zeile");
    EXPECT_EQ(s.GetRow(), 2);  // equal to the whole cell, below a prefix hit
    EXPECT_EQ(s.gewaehlt.back(), (std::pair<long, long>{2, 0}));
    s.EvKeyDown(Taste::F3);
    EXPECT_EQ(s.GetRow(), 3);
    s.EvKeyDown(Taste::F3);  // wraps to the top: row 1 is only a prefix, row 2 equal
    EXPECT_EQ(s.GetRow(), 2);
    s.feldText = "Zeq";
    s.Suche(kSucheJetzt);
    EXPECT_EQ(s.beeps, 1);
    EXPECT_EQ(s.notFund, (std::vector<int>{2}));  // the longest match: "Ze"
}

TEST(CellColours, OnlyCellsOfTheFirstSizeAreColoured) {
    Steuer s({"a", "b"});
    s.SetCellColor(0x0000FF, 1, 1);
    s.InsertRow(-1, nullptr, 3, -1);  // rows the colours were not sized for
    s.SetCellColor(0x00FF00, 1, 4);
    s.SetCellColor(0x00FF00, 7, 1);
    const Tabdefinition* t = s.aktuelleTabelle();
    EXPECT_EQ(s.zellFarbe(t, 1, 1), 0x0000FFu);
    EXPECT_EQ(s.zellFarbe(t, 4, 1), 0u);
    EXPECT_EQ(s.zellFarbe(t, 1, 7), 0u);
    s.SetCellColor(0x00FF00, 1, 2);
    EXPECT_EQ(s.zellFarbe(t, 2, 1), 0x00FF00u);
}

TEST(ListenPlatz, BelowTheBoxShortenedOrAbove) {
    const Rect box{10, 700, 110, 718};
    // Room for 2 rows of 16 below: 3 entries go above the box.
    EXPECT_EQ(listenPlatz(box, 3, 16, 0, 750), (Rect{10, 650, 110, 700}));
    EXPECT_EQ(listenPlatz(box, 3, 16, 0, 800), (Rect{10, 718, 110, 768}));
    // At least ten fit below: shortened there.
    EXPECT_EQ(listenPlatz(box, 40, 16, 0, 900), (Rect{10, 718, 110, 900}));
    // Not enough room above either: from the screen's top.
    EXPECT_EQ(listenPlatz({0, 30, 50, 48}, 9, 16, 0, 120), (Rect{0, 0, 100, 30}));
}

}  // namespace
}  // namespace table

// The statement's figures for "Formular.txt" and the page breaking of the
// built-in layout, without a window.
#include <gtest/gtest.h>

#include <tuple>

#include "app/statement/statement_pages.h"
#include "app/statement/statement_tables.h"
#include "platform/core/codepage.h"

namespace app_test {
namespace {

using platform::cp1252;
using std::tuple;

TEST(StatementTables, SheetLineCellsTakeTheColumnsTheSheetWrites) {
    // Fields at their 0-based columns: total 34, normal 39, extra 44, night
    // 49, holiday 54 (four characters each after the total's five).
    const auto zeile = [](std::initializer_list<std::pair<size_t, const char*>> felder) {
        std::string z(59, ' ');
        for (const auto& [pos, text] : felder) z.replace(pos, std::string(text).size(), text);
        return z;
    };
    const std::string montag = zeile({{1, "  7"}, {5, "02.03"}, {11, "Montag"}, {22, "18:00"},
                                      {28, "23:30"}, {34, " 1330"}, {39, "1234"}, {44, "  96"},
                                      {49, "  85"}, {54, "1110"}});
    const std::string sonntag = zeile({{1, " 12"}, {5, "08.03"}, {11, "Sonntag"}, {22, "08:00"},
                                       {28, "10:00"}, {34, "  120"}, {44, " 120"}});
    const std::string mehr = zeile({{0, "M 13"}, {5, "09.03"}, {11, "Montag"}, {22, "16:00"},
                                    {28, "17:00"}, {34, "   60"}, {49, "  15"}});
    struct Case {
        std::string zeile, text;
        std::array<std::string, 14> zellen;
    };
    for (const Case& c : {
             Case{montag, "Sonntagsdienst vertreten",  // the text does not make a Sunday
                  {"   7", "02.03", "Montag    ", "18:00", "23:30", " 1330", "1234", "  96", "  85",
                   "1110", " 1330", "", "", "Sonntagsdienst vertreten"}},
             Case{sonntag, "",
                  {"  12", "08.03", "Sonntag   ", "08:00", "10:00", "  120", "    ", " 120", "    ",
                   "    ", "", "", "  120", ""}},
             Case{mehr, "x",
                  {"M 13", "09.03", "Montag    ", "16:00", "17:00", "   60", "    ", "    ", "  15",
                   "    ", "", "   60", "", "x"}},
             Case{"kurz", "", {"kurz", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
         }) {
        EXPECT_EQ(app::zeilenZellen(c.zeile, c.text), c.zellen) << c.zeile;
    }
}

TEST(StatementTables, HourFiguresCountsAndAmounts) {
    // (minutes, decimals) -> 7-character figure, truncated
    for (const auto& [minuten, stellen, text] :
         {tuple(90, 0, "      1"), tuple(90, 1, "    1,5"), tuple(100, 2, "   1,66"),
          tuple(0, 1, "       "), tuple(-30, 1, "   -0,5"), tuple(6'000'000, 2, "100000,00")})
        EXPECT_EQ(app::stundenFeld(minuten, stellen), text) << minuten;

    app::Abrechnung a;
    a.nachname = "Muster", a.vorname = "Erika", a.bereich = "Technik";
    a.monatText = cp1252("März"), a.jahrText = "2026";
    a.gerundet = {90, 60, 0, 0, 0, 0};
    a.grundlagen.kommastellen = 0;
    a.wochen = 2, a.wochenPkw = 1;  // counts as they count for money
    a.bereitschaftsZeilen = {" Bereitschaft", "KW  von   bis ", "10 02.03-09.03"};
    report::TStringTab t1, t2, t3;
    app::tabellenFuellen(a, t1, t2, t3);
    const auto zelle = [&](const char* name) {
        for (uint32_t c = 0; c < 18; ++c)
            if (t1.GetCell(0, c) == name) return t1.GetCell(1, c);
        return std::string("?");
    };
    EXPECT_EQ(tuple(zelle("Name"), zelle("Bereich"), zelle("Dat"), zelle("Gesamt"), zelle("UeMoSa")),
              tuple("Muster Erika", "Technik", cp1252("März 2026"), "      1", "      1"));
    EXPECT_EQ(tuple(zelle("WBAnzahl"), zelle("WBSumme"), zelle("WBPKW"), zelle("WBPKWS")),
              tuple("      2", " 154,00\x80", "      1", "  26,00\x80"));
    // A count of 0 (the allowance off, or nothing counted) has no euro sign.
    EXPECT_EQ(tuple(zelle("WEAnzahl"), zelle("WESumme")), tuple("      0", "       "));
    EXPECT_EQ(t2.GetRowCount(false), 0);  // no sheet lines: the name row only
    EXPECT_EQ(t2.GetCell(0, 10), cp1252("Überstunden"));
    EXPECT_EQ(tuple(t3.GetCell(1, 0), t3.GetCell(1, 1), t3.GetCell(2, 0)),
              tuple("10 ", " 02.03-09.03", ""));
}

TEST(StatementPages, RowsAndPageCounts) {
    for (const auto& [laenge, reihen] : {tuple(0, 1), tuple(1, 1), tuple(30, 1), tuple(31, 2),
                                         tuple(150, 5)})
        EXPECT_EQ(app::reihenFuer(std::string(laenge, 'x')), reihen);
    // (rows, standard layout) -> pages: the last page takes 37 or 43 rows,
    // every other one 54 or 59.
    for (const auto& [t, standard, seiten] :
         {tuple(0, false, 1), tuple(37, false, 1), tuple(38, false, 2), tuple(91, false, 2),
          tuple(92, false, 3), tuple(43, true, 1), tuple(44, true, 2), tuple(102, true, 2),
          tuple(103, true, 3)}) {
        const auto plan = app::seitenPlanen(std::vector<std::string>(t, ""), standard);
        ASSERT_EQ(static_cast<int>(plan.size()), seiten) << t;
        const app::Seitenmasse m = app::seitenMasse(standard);
        size_t alle = 0;
        for (size_t s = 0; s < plan.size(); ++s) {
            EXPECT_LE(plan[s].size(), size_t(s + 1 < plan.size() ? m.volleSeite : m.letzteSeite));
            // Every body row lies inside the frame and above the totals.
            EXPECT_LE(m.ersteReihe + int(plan[s].size()), s + 1 < plan.size() ? 65 : m.summenReihe);
            alle += plan[s].size();
        }
        EXPECT_EQ(alle, size_t(t));
    }
}

}  // namespace
}  // namespace app_test

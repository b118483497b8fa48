// Text export modes, the table copy text, the "HTML Format" text with its
// header offsets and escapes, the mail link and the export file name.
#include <gtest/gtest.h>

#include "controls/table_shared/model/tab_export.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

// Rows of cells into a table with one fixed row; Group as given.
void setzen(Probe& p, const std::vector<std::vector<std::string>>& rows, bool group = false,
            int sicht = -1) {
    p.Group = group;
    p.SetTabelle(static_cast<unsigned>(rows.size()), static_cast<unsigned>(rows[0].size()), sicht,
                 0);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            p.SetCell(static_cast<unsigned>(r), static_cast<unsigned>(c), rows[r][c]);
    p.FEndUpdate(false);
}

std::string html(Probe& p, bool kopf = false, const std::string* caption = nullptr) {
    return htmlKopie({p.aktuelleTabelle()}, caption, kopf);
}

TEST(Export, SixModesByteExact) {
    Probe p;
    setzen(p, {{"A", "B", "x"}, {"Ort", "2", "y"}, {"Ort", "4", "z"}}, true, 2);
    // clang-format off
    const std::pair<int, std::string> faelle[] = {
        {1, "A\tB\r\nOrt\t2\r\nOrt\t4\r\n"},
        {2, "A;B\r\nOrt;2\r\nOrt;4\r\n"},
        {3, "A#B\r\nOrt#2\r\nOrt#4\r\n"},
        {4, "A\tB\r\nOrt\t2\r\n \t4\r\n"},
        {5, "A;B\r\nOrt;2\r\n ;4\r\n"},
        {6, "A#B\r\nOrt#2\r\n #4\r\n"},
        {0, ""}, {7, ""},
    };
    // clang-format on
    for (const auto& [modus, bytes] : faelle)
        EXPECT_EQ(exportText(*p.aktuelleTabelle(), modus), bytes) << modus;
}

TEST(Export, EndsWhereTheCellListEnds) {
    Probe p;
    p.SetTabelle(4, 2, -1, 0);
    p.SetCell(0, 0, "A");
    p.SetCell(0, 1, "B");
    p.SetCell(1, 0, "1");  // the list ends inside row 1
    p.FEndUpdate(false);
    EXPECT_EQ(exportText(*p.aktuelleTabelle(), 2), "A;B\r\n1\r\n");
    EXPECT_EQ(tabellenText(*p.aktuelleTabelle()), "A\tB\r\n1\t\r\n\t\r\n\t");
}

TEST(Html, HeaderOffsetsAreByteCountsOfTheWholeText) {
    for (const int zeilen : {1, 3, 40}) {  // three-digit and longer totals
        Probe p;
        std::vector<std::vector<std::string>> rows{{"Name",
                                                    "Gr\xF6\xDF"
                                                    "e"}};
        for (int i = 0; i < zeilen; ++i) rows.push_back({"a&b<c>", std::to_string(i)});
        setzen(p, rows);
        const std::string s = html(p, true);
        ASSERT_GT(s.size(), kHtmlKopfLaenge);
        EXPECT_EQ(s.substr(0, 13), "Version:1.0\r\n");
        EXPECT_EQ(s.substr(23, 9), "000000151");
        EXPECT_EQ(s.substr(67, 9), "000000159");
        EXPECT_EQ(s.substr(116, 9), "000000159");
        char laenge[16];
        std::snprintf(laenge, sizeof laenge, "%09zu", s.size());
        for (const size_t feld : {42u, 90u, 140u}) EXPECT_EQ(s.substr(feld, 9), laenge);
        EXPECT_EQ(s.substr(151, 8), "<html>\r\n");
        EXPECT_EQ(s.substr(159, 6), "<body>");
        EXPECT_EQ(s.substr(s.size() - 7), "</body>");
        EXPECT_EQ(s.substr(kHtmlKopfLaenge), html(p));
        EXPECT_NE(s.find("<th>Gr&ouml;&szlig;e</th>"), std::string::npos);
        EXPECT_NE(s.find("<td>a&amp;b&lt;c&gt;</td>"), std::string::npos);
    }
}

TEST(Html, EscapesEveryByteThatIsNotPlainAscii) {
    // clang-format off
    const std::pair<std::string, std::string> faelle[] = {
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "&Auml;&Ouml;&Uuml;&auml;&ouml;&uuml;&szlig;"},
        {"<b>&", "&lt;b&gt;&amp;"},
        {"\x80 \xE9", "&#8364; &#233;"},
        {"&nbsp;", "&amp;nbsp;"},
        {"plain 1", "plain 1"},
        {std::string("a\0b\x01\x1F\x7F\t\r\n", 9), "ab&#1;&#31;&#127;\t\r\n"},
    };
    // clang-format on
    for (const auto& [ein, aus] : faelle) EXPECT_EQ(htmlText(ein), aus);
}

TEST(Html, GroupsSpanRowsAndFixedAndGreyRowsAreShaded) {
    Probe p;
    setzen(p, {{"K", "W", "-"}, {"x", "1", ""}, {"x", "2", ""}, {"x", "3", ""}, {"y", "", ""}},
           true);
    p.SetRowArt(4, kGraueZeile);
    const std::string s = html(p);
    EXPECT_NE(s.find("<tr bgcolor=#dddddd>\r\n<th>K</th>\r\n<th>W</th>\r\n<th>-</th>"),
              std::string::npos);
    EXPECT_NE(s.find("<td valign=top  rowspan=3>x</td>"), std::string::npos);
    // The covered cells are left out: rows 2 and 3 start with their number.
    EXPECT_NE(s.find("<tr>\r\n<td>2</td>\r\n<td>&nbsp;</td>"), std::string::npos);
    EXPECT_NE(s.find("<tr bgcolor=#dddddd>\r\n<td>y</td>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>"),
              std::string::npos);

    Probe zwei;
    setzen(zwei, {{"K", "W", "-"}, {"x", "1", ""}, {"x", "2", ""}}, true);
    const std::string z = html(zwei);
    EXPECT_NE(z.find("<td rowspan=2>x</td>"), std::string::npos);
    EXPECT_EQ(z.find("valign"), std::string::npos);
    EXPECT_EQ(exportText(*zwei.aktuelleTabelle(), 4), "K\tW\t-\r\nx\t1\t\r\n \t2\t\r\n");
    EXPECT_EQ(exportText(*zwei.aktuelleTabelle(), 1), "K\tW\t-\r\nx\t1\t\r\nx\t2\t\r\n");
}

TEST(Html, TitleRowsCaptionAndSeveralTables) {
    Probe p;
    p.SetTabelle(3, 2, -1, 0);
    p.SetCell(0, 0, "A");
    p.SetCell(1, 0, "Abschnitt");
    p.SetRowArt(1, kTitelZeile);
    p.SetTabelle(2, 2, -1, 1);
    p.SetCell(0, 0, "B");
    p.FEndUpdate(false);
    const std::string caption = "Liste <1>";
    const std::string s =
        htmlKopie({p.GetTabelle(0, false), p.GetTabelle(1, false)}, &caption, false);
    EXPECT_EQ(
        s.rfind("<html>\r\n<body>\r\n<caption><h2>\r\nListe &lt;1&gt;\r\n</h2></caption>\r\n", 0),
        0u);
    EXPECT_NE(s.find("<td align=left colspan=2>Abschnitt</td></tr>"), std::string::npos);
    EXPECT_NE(s.find("</table>\r\n<br>\r\n<table cellspacing=0 cellpadding=3 border=1>"),
              std::string::npos);
    // Cells beyond the list are blanks, the walk keeps to the rows.
    EXPECT_NE(s.find("<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\r\n</table>\r\n</body>"),
              std::string::npos);
    EXPECT_EQ(htmlKopie({}, nullptr, true), "");
}

TEST(MailLink, CaptionCannotInjectFields) {
    // clang-format off
    const std::pair<std::string, std::string> faelle[] = {
        {"Benutzer", "mailto:?Subject=Benutzer&body="},
        {"A&cc=x@y?#", "mailto:?Subject=A%26cc%3Dx%40y%3F%23&body="},
        {"Gr\xF6\xDF" "e 1", "mailto:?Subject=Gr%C3%B6%C3%9Fe%201&body="},
        {"", "mailto:?Subject=&body="},
    };
    // clang-format on
    for (const auto& [caption, anfang] : faelle) {
        const std::string link = mailLink(caption);
        EXPECT_EQ(link.substr(0, anfang.size()), anfang);
        EXPECT_EQ(link.substr(anfang.size()),
                  "Bitte%20Tabelle%20per%20Hand%20einf%C3%BCgen.%20Text%20markieren%20und%20klick%"
                  "20auf%20%27Einf%C3%BCgen%27");
    }
}

TEST(ExportDateiName, AppendsTxtOnlyWithoutExtension) {
    const std::string lang(235, 'x');
    // clang-format off
    const std::pair<std::string, std::string> faelle[] = {
        {"liste", "liste.txt"},
        {"liste.csv", "liste.csv"},
        {"/tmp/a.b/liste", "/tmp/a.b/liste.txt"},
        {"C:\\a.b\\liste", "C:\\a.b\\liste.txt"},
        {lang, lang + ".txt"},
        {lang + "y", lang + "y"},
    };
    // clang-format on
    for (const auto& [ein, aus] : faelle) EXPECT_EQ(exportDateiName(ein), aus);
}

}  // namespace
}  // namespace table

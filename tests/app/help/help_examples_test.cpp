// The worked examples of the help page "So werden die Zuschläge berechnet":
// every example is typed into a month page as the sheet does it, and the
// page's table of that example must show exactly the figures the book
// computes, cell by cell. A table the test does not know fails too.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <optional>

#include "book/calculation/standby_lines.h"
#include "platform/core/date.h"
#include "tests/book/sheet/sheet_fixture.h"

namespace {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

const char* const kNothing = "\u2013";  // an en dash: the program shows nothing here
const char* const kEuro = " \u20AC";

enum class Layout {
    Minutes,          // Tag | Von | Bis | Gesamt | Normal | Extra | Nacht | Feiertag Mo-Fr | Sa/So
    MinutesWithKind,  // Art | the same
    Standby,          // Art | Tag | Von | Bis | neu in der Liste; then label | Anzahl | Summe
    Rounding,         // Von | Bis | Minuten | Rundung | Runden | gerundet | Stunden
};

struct Example {
    const char* id;  // the id of the example's table in the page
    int year, month;
    void (*settings)(book::Zeitbuch&);  // null: a new installation's settings
    Layout layout;
    Rows rows;  // the cells as the page shows them
};

// clang-format off
const Example kExamples[] = {
    {"bsp-normal", 2024, 12, nullptr, Layout::Minutes, {
        {"Mo 02.12.", "08:00", "12:00", "240", "120", "120", "0", "0", "0"}}},
    {"bsp-tageweise", 2024, 12, nullptr, Layout::Minutes, {
        {"Mo 02.12.", "16:00", "17:00", "60", "60", "0", "0", "0", "0"},
        {"Mo 02.12.", "18:00", "20:00", "120", "60", "60", "0", "0", "0"}}},
    {"bsp-zeilenweise", 2024, 12, [](book::Zeitbuch& b) { b.proTag = false; }, Layout::Minutes, {
        {"Mo 02.12.", "16:00", "17:00", "60", "60", "0", "0", "0", "0"},
        {"Mo 02.12.", "18:00", "20:00", "120", "120", "0", "0", "0", "0"}}},
    {"bsp-extratag", 2024, 12, nullptr, Layout::Minutes, {
        {"Sa 07.12.", "22:00", "02:00", "240", "120", "120", "240", "0", "0"},
        {"So 08.12.", "08:00", "12:00", "240", "0", "240", "0", "0", "0"}}},
    {"bsp-nacht", 2024, 12, nullptr, Layout::Minutes, {
        {"Di 03.12.", "22:00", "02:00", "240", "120", "120", "240", "0", "0"},
        {"Mi 04.12.", "08:00", "08:00", "1440", "120", "1320", "600", "0", "0"}}},
    {"bsp-feiertag", 2024, 12, nullptr, Layout::Minutes, {
        {"Di 24.12.", "22:00", "08:00", "600", "120", "360", "480", "120", "0"},
        {"Mi 25.12.", "10:00", "14:00", "240", "0", "0", "0", "240", "0"},
        {"Do 26.12.", "04:00", "10:00", "360", "0", "0", "120", "360", "0"}}},
    {"bsp-klassen", 2026, 12, nullptr, Layout::Minutes, {
        {"Fr 25.12.", "20:00", "08:00", "720", "0", "0", "600", "600", "120"}}},
    {"bsp-ohne-feiertage", 2024, 12, [](book::Zeitbuch& b) { b.feiertageEin = false; },
     Layout::Minutes, {
        {"Mi 25.12.", "10:00", "14:00", "240", "120", "120", "0", "0", "0"}}},
    {"bsp-arten", 2024, 12, nullptr, Layout::MinutesWithKind, {
        {"+", "Mo 02.12.", "08:00", "10:00", "0", "120", "0", "0", "0", "0"},
        {"V", "Mo 02.12.", "19:00", "21:00", "0", "0", "0", "60", "0", "0"},
        {"M", "Di 03.12.", "08:00", "10:00", "120", "0", "0", "0", "0", "0"},
        {"-", "Mi 04.12.", "08:00", "10:00", "-120", "0", "0", "0", "0", "0"}}},
    {"bsp-bereitschaft", 2024, 12, nullptr, Layout::Standby, {
        {"", "Mo 02.12.", "16:00", "18:00", "49 02.12-08.12"},
        {"", "Sa 07.12.", "10:00", "12:00", kNothing},
        {"", "Fr 13.12.", "16:00", "18:00", "50 13.12-15.12"},
        {"", "So 15.12.", "10:00", "12:00", kNothing},
        {"", "Di 17.12.", "16:00", "18:00", "51 16.12-22.12"},
        {"!", "Mo 23.12.", "16:00", "18:00", kNothing},
        {"Wochenbereitschaft Mo-Mo", "2", std::string("154,00") + kEuro},
        {"Wochenendbereitschaft Fr-Mo", "1", std::string("38,00") + kEuro}}},
    {"bsp-ganze-wochen", 2024, 12, [](book::Zeitbuch& b) { b.ganzeWochen = true; },
     Layout::Standby, {
        {"", "Mo 02.12.", "16:00", "18:00", "49 02.12-08.12"},
        {"", "Sa 07.12.", "10:00", "12:00", kNothing},
        {"", "Fr 13.12.", "16:00", "18:00", "50 09.12-15.12"},
        {"", "So 15.12.", "10:00", "12:00", kNothing},
        {"", "Di 17.12.", "16:00", "18:00", "51 16.12-22.12"},
        {"!", "Mo 23.12.", "16:00", "18:00", kNothing},
        {"Wochenbereitschaft Mo-Mo", "3", std::string("231,00") + kEuro},
        {"Wochenendbereitschaft Fr-Mo", kNothing, kNothing}}},
    {"bsp-runden", 2024, 12, nullptr, Layout::Rounding, {
        {"08:00", "09:03", "63", "6", "mathematisch", "66", "1,1"},
        {"08:00", "09:02", "62", "6", "mathematisch", "60", "1,0"},
        {"08:00", "09:01", "61", "6", "immer aufrunden", "66", "1,1"},
        {"08:00", "08:07", "7", "15", "immer aufrunden", "15", "0,2"}}},
};
// clang-format on

std::string trim(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string orNothing(const std::string& s) {
    return s.empty() ? kNothing : s;
}

// "Mo 02.12." for a date of the example's year.
std::string dayCell(int year, int month, int day) {
    static const char* const weekday[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    const int w = platform::isoWeekday(platform::dayNumber(year, month, day));
    char text[16];
    std::snprintf(text, sizeof text, "%s %02d.%02d.", weekday[w - 1], day, month);
    return text;
}

// The day of a "Mo 02.12." cell.
int dayOf(const std::string& cell) {
    return std::stoi(cell.substr(3, 2));
}

// One page of the example's month, typed as the sheet types it.
class Page {
public:
    explicit Page(const Example& e) : year_(e.year) {
        sheet_test::showMonth(zb, e.year, e.month);
        if (e.settings) e.settings(zb);
    }
    // Types one line; the minutes it added to the six totals.
    std::array<int32_t, 6> type(const std::string& kind, const std::string& day,
                                const std::string& von, const std::string& bis) {
        const std::array<int32_t, 6> before = zb.summen;
        // The examples are typed in time order: nothing is recomputed.
        EXPECT_EQ(sheet_test::typeLine(zb, dayOf(day), von.c_str(), bis.c_str(),
                                       kind.empty() ? ' ' : kind[0]),
                  -1)
            << day << " " << von;
        std::array<int32_t, 6> added;
        for (size_t i = 0; i < added.size(); ++i) added[i] = zb.summen[i] - before[i];
        return added;
    }
    Row minutesRow(const std::string& kind, const std::string& day, const std::string& von,
                   const std::string& bis) {
        const std::array<int32_t, 6> m = type(kind, day, von, bis);
        Row row{dayCell(year_, zb.monat, dayOf(day)), von, bis};
        for (int32_t v : m) row.push_back(std::to_string(v));
        return row;
    }
    Row standbyRow(const std::string& kind, const std::string& day, const std::string& von,
                   const std::string& bis) {
        const size_t listed = zb.bereitschaftsZeilen.size();
        type(kind, day, von, bis);
        const std::string added =
            zb.bereitschaftsZeilen.size() > listed ? trim(zb.bereitschaftsZeilen.back()) : "";
        return {kind, dayCell(year_, zb.monat, dayOf(day)), von, bis, orNothing(added)};
    }
    // Label, count and sum of a standby totals line.
    Row standbyTotal(int line) const {
        const std::string& s = zb.summenZeilen[static_cast<size_t>(line)];
        const std::string sum = trim(s.substr(41, 9));
        return {trim(s.substr(0, 28)), orNothing(trim(s.substr(37, 4))),
                sum.empty() ? kNothing : sum + (s.back() == '\x80' ? kEuro : "")};
    }

    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
    platform::ScriptedMessages boxes;

private:
    int year_;
};

std::optional<bool> halfUpOf(const std::string& cell) {
    if (cell == "mathematisch") return true;
    if (cell == "immer aufrunden") return false;
    return std::nullopt;
}

// The rows the book computes for an example, from the input cells of its rows.
Rows computed(const Example& e) {
    Rows rows;
    switch (e.layout) {
        case Layout::Minutes:
        case Layout::MinutesWithKind: {
            Page p(e);
            for (const Row& r : e.rows) {
                if (e.layout == Layout::Minutes) {
                    rows.push_back(p.minutesRow("", r[0], r[1], r[2]));
                } else {
                    rows.push_back(p.minutesRow(r[0], r[1], r[2], r[3]));
                    rows.back().insert(rows.back().begin(), r[0]);
                }
            }
            break;
        }
        case Layout::Standby: {
            Page p(e);
            for (const Row& r : e.rows)
                if (r.size() == 5) rows.push_back(p.standbyRow(r[0], r[1], r[2], r[3]));
            rows.push_back(p.standbyTotal(book::Zeitbuch::kSummeWochen));
            rows.push_back(p.standbyTotal(book::Zeitbuch::kSummeWochenenden));
            break;
        }
        case Layout::Rounding:
            for (const Row& r : e.rows) {
                Page p(e);  // one line per page: its total is the month's
                const std::optional<bool> halfUp = halfUpOf(r[4]);
                if (!halfUp) {
                    ADD_FAILURE() << e.id << ": unknown rounding " << r[4];
                    continue;
                }
                p.zb.grundlagen.rundung = static_cast<uint8_t>(std::stoi(r[3]));
                p.zb.mathRunden = *halfUp;
                p.type("", "Mo 02.12.", r[0], r[1]);
                const int32_t total = p.zb.summen[0];
                const std::string& line = p.zb.summenZeilen[0];
                rows.push_back({r[0], r[1], std::to_string(total), r[3], r[4],
                                std::to_string(p.zb.runden(total)),
                                trim(line.substr(line.size() - 7))});
            }
            break;
    }
    return rows;
}

QString helpPage(const char* name = "zuschlaege.html") {
    QFile f(QStringLiteral(":/hilfe/") + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(f.readAll());
    return utf8.hasError() ? QString() : text;
}

// A cell as the reader sees it: no tags, the few entities the pages use
// decoded, runs of blanks as one.
std::string cellText(QString html) {
    static const QRegularExpression tag("<[^>]*>");
    html.remove(tag)
        .replace("&gt;", ">")
        .replace("&lt;", "<")
        .replace("&nbsp;", " ")
        .replace("&amp;", "&");
    return html.simplified().toStdString();
}

// The data rows of the table with this id: each cell's text without tags.
Rows pageRows(const QString& page, const QString& id) {
    const int at = page.indexOf("id=\"" + id + "\"");
    if (at < 0) return {};
    const QString table = page.mid(at, page.indexOf("</table>", at) - at);
    static const QRegularExpression row("<tr>(.*?)</tr>",
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell("<td[^>]*>(.*?)</td>",
                                         QRegularExpression::DotMatchesEverythingOption);
    Rows rows;
    for (auto r = row.globalMatch(table); r.hasNext();) {
        Row cells;
        const QString inner = r.next().captured(1);
        for (auto c = cell.globalMatch(inner); c.hasNext();)
            cells.push_back(cellText(c.next().captured(1)));
        if (!cells.empty()) rows.push_back(cells);  // the heading row has no <td>
    }
    return rows;
}

TEST(HelpExamples, TheBookComputesEveryFigureOfTheExamples) {
    for (const Example& e : kExamples) EXPECT_EQ(computed(e), e.rows) << e.id;
}

TEST(HelpExamples, ThePageShowsEachExampleAsTheTestRunsIt) {
    const QString page = helpPage();
    ASSERT_FALSE(page.isEmpty());
    QSet<QString> known;
    for (const Example& e : kExamples) {
        known.insert(e.id);
        EXPECT_EQ(pageRows(page, e.id), e.rows) << e.id;
    }
    // Every example table of the page is one of the examples above.
    static const QRegularExpression table("<table class=\"bsp\" id=\"([^\"]+)\"");
    int tables = 0;
    for (auto m = table.globalMatch(page); m.hasNext(); ++tables) {
        const QString id = m.next().captured(1);
        EXPECT_TRUE(known.contains(id)) << id.toStdString() << " is not checked";
    }
    EXPECT_EQ(tables, static_cast<int>(std::size(kExamples)));
}

// The marks that the standby list explains are the lines the program writes
// for such periods.
TEST(HelpExamples, TheStandbyListMarksAreThoseTheProgramShows) {
    struct Mark {
        std::array<uint8_t, 5> record;
        const char* shown;  // blanks as the page shows them: runs as one
    };
    // Week byte (0x40 ends in the next year, 0x80 began in the previous one),
    // start day, start month, end day, end month.
    const Mark marks[] = {
        {{49, 2, 12, 8, 12}, "49 02.12-08.12"},
        {{0x40 | 1, 30, 12, 5, 1}, ">J 30.12-05.01"},
        {{0x80 | 1, 30, 12, 5, 1}, "<J 30.12-05.01"},
        {{50, 13, 12, 13, 12}, "50 am 13.12"},
    };
    Rows shown;
    for (const Mark& m : marks) {
        EXPECT_EQ(cellText(QString::fromStdString(book::standbyLineText(m.record.data()))),
                  m.shown);
        shown.push_back({m.shown});
    }
    Rows page = pageRows(helpPage("bereitschaft.html"), "liste-marken");
    for (Row& r : page) r.resize(1);  // the explanation beside the mark
    EXPECT_EQ(page, shown);
}

}  // namespace

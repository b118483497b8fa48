// Large databases: the check walks line records straight in its read buffer,
// several month entries side by side, across several buffer loads. Faults
// there must get the same codes, the first in file order, as anywhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "book/db_check.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

struct MonthEntry {
    uint32_t key;
    uint8_t month;
    std::vector<std::string> records;
    int lengthDelta = 0;  // added to the stored entry length
};

// Users' blocks as lists of month entries, rendered with the layout helpers;
// `at` receives the block-file offset of every record.
struct Model {
    std::vector<std::vector<MonthEntry>> users;
    std::vector<std::vector<std::vector<int64_t>>> at;

    Database render() {
        std::string log, dat;
        at.assign(users.size(), {});
        for (size_t u = 0; u < users.size(); ++u) {
            const auto blockAt = static_cast<uint32_t>(dat.size());
            const auto recordAt = static_cast<uint32_t>(log.size());
            log += record(blockAt, {"u" + std::to_string(u), "p", "", "", "", ""}, 0);
            std::vector<std::string> entries;
            int64_t pos = blockAt + 12;
            for (size_t e = 0; e < users[u].size(); ++e) {
                const MonthEntry& m = users[u][e];
                std::string bytes = entry(m.key, m.month, m.records, e + 1 == users[u].size());
                if (m.lengthDelta != 0)
                    bytes.replace(5, 4, u32(getU32(reinterpret_cast<const uint8_t*>(bytes.data()) +
                                                   5) +
                                            static_cast<uint32_t>(m.lengthDelta)));
                at[u].push_back({});
                int64_t r = pos + 13;
                for (const std::string& rec : m.records) {
                    at[u].back().push_back(r);
                    r += static_cast<int64_t>(rec.size());
                }
                pos += static_cast<int64_t>(bytes.size());
                entries.push_back(bytes);
            }
            dat += block(recordAt + 4, u + 1 == users.size(), entries);
        }
        return {log + u32(0), dat};
    }
    // The line record that holds block-file offset `offset`.
    std::pair<size_t, size_t> lineAt(size_t u, int64_t offset) const {
        for (size_t e = 0; e < at[u].size(); ++e)
            for (size_t r = 0; r < at[u][e].size(); ++r)
                if (at[u][e][r] <= offset && offset < at[u][e][r] + 160 &&
                    (r + 1 == at[u][e].size() || offset < at[u][e][r + 1]))
                    return {e, r};
        return {0, 0};
    }
};

// Five users of 24 months with 70 lines each (texts of 0 to 150 characters),
// some months led by a standby record, some without lines: about 700 KB.
Model soundModel() {
    static const uint8_t kinds[] = {0x00, 0x10, 0x20, 0x40, 0x80, 0xF0};
    Model m;
    for (int u = 0; u < 5; ++u) {
        std::vector<MonthEntry> entries;
        for (int e = 0; e < 24; ++e) {
            MonthEntry me{static_cast<uint32_t>(2009 + e / 12), static_cast<uint8_t>(1 + e % 12), {}};
            if (e % 5 == 2) me.records.push_back(standby({{{0x81, 29, 12, 4, 1}}}));
            if (!(u == 2 && e == 11))
                for (int l = 0; l < 70; ++l)
                    me.records.push_back(
                        line(1 + l % 31, l % 24, l % 60, (l * 7) % 24, (l * 11) % 60,
                             (1 + e % 12) | kinds[l % 6],
                             std::string(static_cast<size_t>((u * 31 + e * 7 + l * 13) % 151),
                                         static_cast<char>('a' + l % 26))));
            entries.push_back(me);
        }
        m.users.push_back(entries);
    }
    return m;
}

const std::string kBadDay = line(32, 8, 0, 9, 0, 3);
const std::string kEndless = scrambled(std::string{3, 8, 0, 9, 0, 3}) + scrambled(std::string(151, 't'));

TEST(LargeDatabaseCheck, FaultsAmongManyLinesGetTheirCodes) {
    using Change = std::function<void(Model&)>;
    // The user whose block holds the first buffer load's end (256 KiB).
    const auto atBoundary = [](Model& m, int shift, const std::string& rec) {
        m.render();
        for (size_t u = 0; u < m.users.size(); ++u) {
            if (m.at[u].empty() || m.at[u].back().empty() || m.at[u].back().back() < 262144)
                continue;
            const auto [e, r] = m.lineAt(u, 262144);
            std::vector<std::string>& records = m.users[u][e].records;
            size_t k = static_cast<size_t>(std::clamp(static_cast<int>(r) + shift, 1,
                                                      static_cast<int>(records.size()) - 1));
            records[k] = rec;  // never the first: that may be a standby record
            return;
        }
    };
    const struct {
        const char* name;
        Change change;
        uint8_t code;
    } cases[] = {
        {"sound", [](Model&) {}, 0},
        {"bad day across the first load's end", [&](Model& m) { atBoundary(m, 0, kBadDay); }, 9},
        {"bad day before it", [&](Model& m) { atBoundary(m, -2, kBadDay); }, 9},
        {"bad day behind it", [&](Model& m) { atBoundary(m, 2, kBadDay); }, 9},
        {"endless text across it", [&](Model& m) { atBoundary(m, 0, kEndless); }, 24},
        {"endless text before it", [&](Model& m) { atBoundary(m, -1, kEndless); }, 24},
        {"bad day, then an endless text in the next month",
         [](Model& m) {
             m.users[1][4].records[60] = kBadDay;
             m.users[1][5].records[3] = kEndless;
         },
         9},
        {"endless text, then a bad day in the next month",
         [](Model& m) {
             m.users[1][4].records[60] = kEndless;
             m.users[1][5].records[3] = kBadDay;
         },
         24},
        {"bad day in the last month of a block",
         [](Model& m) { m.users[3][23].records[69] = kBadDay; }, 9},
        {"month longer than its records", [](Model& m) { m.users[0][9].lengthDelta = 1; }, 17},
        {"month shorter than its records", [](Model& m) { m.users[4][1].lengthDelta = -1; }, 17},
        {"the same month twice",
         [](Model& m) {
             m.users[1][7].key = m.users[1][6].key;
             m.users[1][7].month = m.users[1][6].month;
         },
         20},
        {"standby week 54", [](Model& m) { m.users[4][12].records[0] = standby({{{54, 1, 1, 5, 1}}}); },
         8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Model m = soundModel();
        c.change(m);
        Fixture f;
        f.install(m.render());
        EXPECT_EQ(f.zb.Datenbank_pruefen(), c.code == 0);
        EXPECT_EQ(f.zb.datenbankFehler, c.code);
    }
}

// A record count that does not fit the records: the month's entry length
// still says where it ends, so the check must not take the count on trust.
TEST(LargeDatabaseCheck, CountsThatDoNotFitTheRecords) {
    const struct {
        const char* name;
        int countDelta;
        uint8_t code;
    } cases[] = {
        {"one record more counted", 1, 9},  // the next month's key is read as a line: no day
        {"one record fewer counted", -1, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Model m = soundModel();
        Database db = m.render();
        const int64_t head = m.at[1][8][0] - 13;  // user 1, ninth month
        const uint32_t count = getU32(reinterpret_cast<const uint8_t*>(db.dat.data()) + head + 9);
        db.dat.replace(static_cast<size_t>(head + 9), 4,
                       u32(count + static_cast<uint32_t>(c.countDelta)));
        Fixture f;
        f.install(db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(f.zb.datenbankFehler, c.code);
    }
}

}  // namespace
}  // namespace book

// Large databases: the check walks line records straight in its read buffer,
// several month entries side by side, across several buffer loads. Faults
// there must get the same codes, the first in file order, as anywhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "book/database/db_check.h"
#include "platform/core/date.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

using Records = std::vector<std::vector<std::vector<std::string>>>;  // [user][month][record]
using Offsets = std::vector<std::vector<std::vector<size_t>>>;       // block-file offsets

// Month e of a block is (2009 + e / 12, 1 + e % 12); `at` receives each record's offset.
Database render(const Records& users, Offsets& at) {
    std::string log, dat;
    at.assign(users.size(), {});
    for (size_t u = 0; u < users.size(); ++u) {
        const auto recordAt = static_cast<uint32_t>(log.size());
        log += record(static_cast<uint32_t>(dat.size()),
                      {"u" + std::to_string(u), "p", "", "", "", ""}, 0);
        std::vector<std::string> entries;
        size_t pos = dat.size() + 12;
        for (size_t e = 0; e < users[u].size(); ++e) {
            const auto& recs = users[u][e];
            entries.push_back(entry(static_cast<uint32_t>(2009 + e / 12),
                                    static_cast<uint8_t>(1 + e % 12), recs,
                                    e + 1 == users[u].size()));
            at[u].push_back({});
            for (size_t r = 0, p = pos + 13; r < recs.size(); p += recs[r++].size())
                at[u][e].push_back(p);
            pos += entries.back().size();
        }
        dat += block(recordAt + 4, u + 1 == users.size(), entries);
    }
    return {log + u32(0), dat};
}

// Five users of 24 months with 70 lines each (texts of 0 to 150 characters),
// some months led by a standby record, one without lines: about 700 KB.
Records soundRecords() {
    static const uint8_t kinds[] = {0x00, 0x10, 0x20, 0x40, 0x80, 0xF0};
    Records users(5, std::vector<std::vector<std::string>>(24));
    for (int u = 0; u < 5; ++u) {
        for (int e = 0; e < 24; ++e) {
            auto& recs = users[u][e];
            if (e % 5 == 2) recs.push_back(standby({{{0x81, 29, 12, 4, 1}}}));
            const int days = platform::daysInMonth(2009 + e / 12, 1 + e % 12);
            for (int l = 0; l < 70 && !(u == 2 && e == 11); ++l)
                recs.push_back(line(1 + l % days, l % 24, l % 60, (l * 7) % 24, (l * 11) % 60,
                                    (1 + e % 12) | kinds[l % 6],
                                    std::string((u * 31 + e * 7 + l * 13) % 151, 'a' + l % 26)));
        }
    }
    return users;
}

TEST(LargeDatabaseCheck, FaultsAmongManyLinesGetTheirCodes) {
    const std::string bad = line(32, 8, 0, 9, 0, 3);
    const std::string endless =
        scrambled(std::string{3, 8, 0, 9, 0, 3}) + scrambled(std::string(151, 't'));
    // u < 0: the record `l` places from the one across the first buffer load's end (256 KiB).
    // `next` replaces record 3 of the following month; `field` of the entry head gets `delta`.
    const std::tuple<int, int, int, std::string, std::string, int, int, uint8_t> cases[] = {
        {0, 0, 0, "", "", 0, 0, 0},        {-1, 0, 0, bad, "", 0, 0, 9},
        {-1, 0, -2, bad, "", 0, 0, 9},     {-1, 0, 2, bad, "", 0, 0, 9},
        {-1, 0, 0, endless, "", 0, 0, 24}, {-1, 0, -1, endless, "", 0, 0, 24},
        {1, 4, 60, bad, endless, 0, 0, 9}, {1, 4, 60, endless, bad, 0, 0, 24},
        {3, 23, 69, bad, "", 0, 0, 9},     {4, 12, 0, standby({{{54, 1, 1, 5, 1}}}), "", 0, 0, 8},
        {0, 9, 0, "", "", 5, 1, 17},       {4, 1, 0, "", "", 5, -1, 17},  // entry length
        {1, 7, 0, "", "", 4, -1, 20},  // month of the entry before: twice
        {1, 8, 0, "", "", 9, 1, 9},    // one record more counted: the next key is no line
        {1, 8, 0, "", "", 9, -1, 17},
    };
    Offsets soundAt, at;
    const Records sound = soundRecords();
    render(sound, soundAt);
    for (const auto& [cu, ce, cl, rec, next, field, delta, code] : cases) {
        SCOPED_TRACE(code);
        Records users = sound;
        size_t u = static_cast<size_t>(std::max(cu, 0)), e = static_cast<size_t>(ce), r = 0;
        for (size_t v = 0; cu < 0 && v < soundAt.size(); ++v)  // the record at 256 KiB
            for (size_t f = 0; f < soundAt[v].size(); ++f)
                for (size_t k = 0; k < soundAt[v][f].size() && soundAt[v][f][k] <= 262144; ++k)
                    std::tie(u, e, r) = std::tie(v, f, k);
        const int l = cu >= 0 ? cl
                              : std::clamp(static_cast<int>(r) + cl, 1,  // never the standby
                                           static_cast<int>(soundAt[u][e].size()) - 1);
        if (!rec.empty()) users[u][e][static_cast<size_t>(l)] = rec;
        if (!next.empty()) users[u][e + 1][3] = next;
        Database db = render(users, at);
        const size_t head = at[u][e][0] - 13 + static_cast<size_t>(field);
        db.dat.replace(head, 4,
                       u32(getU32(reinterpret_cast<const uint8_t*>(db.dat.data()) + head) +
                           static_cast<uint32_t>(delta)));
        Fixture f(db);
        EXPECT_EQ(f.zb.Datenbank_pruefen(), code == 0);
        EXPECT_EQ(f.zb.datenbankFehler, code);
    }
}

}  // namespace
}  // namespace book

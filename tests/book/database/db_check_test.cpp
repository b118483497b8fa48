#include "book/database/db_check.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

#include "book/database/db_lock.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

std::string march(const std::vector<std::string>& records, bool last = true) {
    return entry(2008, 3, records, last);
}
std::string okLine() {
    return line(3, 8, 0, 17, 0, 3, "x");
}

TEST(DatabaseCheck, SoundDatabasesPass) {
    const Database cases[] = {
        twoUsers(),
        {u32(0), ""},  // only the end mark, empty block file
        {"", ""},
        oneUser({}),                                            // a block without entries
        oneUser({march({}, false), entry(2008, 4, {}, true)}),  // entries without records
        oneUser({entry(2008, 3, {line(31, 23, 59, 0, 0, 0xF3, std::string(150, 'z'))}, true)}),
        // The edges of what the loader takes: first and last year, 29 February of a leap
        // year, a line of another month, a standby record ahead of lines.
        oneUser({entry(1900, 1, {}, false), entry(9999, 12, {line(31, 1, 0, 2, 0, 0x0C)}, false),
                 entry(2024, 2, {line(29, 1, 0, 2, 0, 2), line(31, 1, 0, 2, 0, 3)}, false),
                 entry(2009 | 0x0021u << 16, 1,
                       {standby({{{0x81, 29, 12, 4, 1}}}), line(10, 6, 0, 14, 0, 0xF1)}, true)}),
    };
    for (const Database& db : cases) {
        Fixture f(db);
        EXPECT_TRUE(f.zb.Datenbank_pruefen() && f.zb.datenbankFehler == 0);
    }
    // ... and the last of them loads each page.
    Fixture f(cases[std::size(cases) - 1]);
    platform::ScriptedMessages boxes;
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("u", "p"));
    for (const auto& [year, month, lines] :
         {std::tuple{1900, 1, 0}, {9999, 12, 1}, {2024, 2, 2}, {2009, 1, 1}}) {
        f.zb.seiteLeeren();
        f.zb.Monat_laden(static_cast<uint8_t>(month), year);
        EXPECT_TRUE(f.zb.seiteGespeichert && !f.zb.ladeFehler) << year;
        EXPECT_EQ(f.zb.zeilen.size(), static_cast<size_t>(lines + 1)) << year;
    }
    EXPECT_EQ(boxes.count(), 0u);
    Fixture none;  // no database yet, then an index without a block file
    EXPECT_TRUE(none.zb.Datenbank_pruefen());
    writeFile(none.logPath(), u32(0));
    EXPECT_TRUE(none.zb.Datenbank_pruefen());
}

TEST(DatabaseCheck, EachFaultHasItsCodeAndCharacter) {
    const Database two = twoUsers();
    const std::string r = record(0, {"u", "p", "", "", "", ""}, 0);
    const uint32_t trailing = static_cast<uint32_t>(r.size() + 4);  // behind the end mark
    std::string wrongBack = two.log;
    wrongBack[4] = 99;  // anna's record points elsewhere
    std::string longBlock = two.dat;
    longBlock[4] = static_cast<char>(longBlock[4] + 1);  // anna's block one byte longer

    const std::string head = blockHead(42, 0, 0), wholeA = blockHead(4, 12, 0);
    const std::pair<char, Database> cases[] = {
        {'1', {two.log, wholeA + head.substr(0, 8)}},  // last block head of 8 bytes
        {'1', {two.log, wholeA + head.substr(0, 11)}},
        {'2', {wrongBack, two.dat}},
        {'2', {u32(0), blockHead(4000, 0, 0)}},  // index position outside the index
        {'3', oneUser({}, "xy")},                // empty last block with a tail
        {'4', oneUser({entry(2008, 13, {}, true)})},
        {'4', oneUser({entry(2008, 0, {}, true)})},
        {'4', {r + u32(0), blockHead(4, 0, 12) + "\x01\x02"}},  // key cut short
        {'5', {r + u32(0), blockHead(4, 0, 40) + march({})}},   // last entry elsewhere
        {'6', {r + u32(0), blockHead(4, 0, 12) + u32(2008) + "\x03" + u32(0) + u32(2) + okLine()}},
        {'7', oneUser({march({scrambled(std::string{99, 2, 1, 1, 1, 5, 1})})})},  // period missing
        {'8', oneUser({march({standby({{{54, 1, 1, 5, 1}}})})})},                 // week 54
        {'8', oneUser({march({standby({{{0x80, 1, 1, 5, 1}}})})})},               // week 0
        {'8', oneUser({march({standby({{{9, 1, 32, 5, 3}}})})})},                 // start month 32
        {'A', oneUser({patched(march({}, false), 5, 5), entry(2008, 4, {}, true)})},
        {'B', {two.log, longBlock}},
        {'C', oneUser({march({okLine()})}, "zz")},                    // last block with a tail
        {'D', oneUser({march({okLine()}, false), march({}, true)})},  // March 2008 twice
        {'F', {two.log.substr(0, two.log.size() - 4) + r + u32(0), two.dat}},     // a record more
        {'F', {two.log, ""}},                                                     // no blocks
        {'G', {r + u32(0) + u32(12), wholeA + blockHead(trailing, 0, 0)}},        // a record fewer
        {'H', oneUser({march({scrambled(std::string{99, 0, 1, 1, 1, 1, 1})})})},  // no periods
        {'H', oneUser({march({scrambled(std::string{99, 10}) + std::string(50, '\x1E')})})},
        {'H', {u32(12) + u32(0) + u32(0) + u32(0), blockHead(4, 0, 0)}},  // record length 12
        {'H', {two.log.substr(0, two.log.size() - 2), two.dat}},          // no end mark
    };
    for (const auto& [shown, db] : cases) {
        SCOPED_TRACE(&shown - &cases[0].first);
        Fixture f(db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(f.zb.datenbankFehler, shown <= '9' ? shown - '0' : shown - 'A' + 17);
        EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), shown);
    }
}

// What the loader, the sign-in or the writers cannot use is refused, though
// each of these fits the file layout.
TEST(DatabaseCheck, RefusesWhatTheProgramCannotUse) {
    const Database two = twoUsers();
    const std::string r = record(5, {"u", "p", "", "", "", ""}, 0);  // names no block
    // A text of anna's record holds the bytes 77 0 0 0 (bert's block offset)
    // where bert's block head looks for his record.
    const std::string recA = record(0, {"anna", "pw1", "Alt", "Anna", "17", "Z\x17\x17\x17"}, 0);
    const std::string decoy = recA + record(kBertBlock, {"bert", "", "", "", "", ""}, 0) + u32(0);
    std::string tailByte = two.log, openText = two.log;
    tailByte[two.log.size() - 5] = 1;         // the byte behind bert's options
    openText[kAnnaRecord - 18] = 'x' ^ 0x17;  // anna's last name loses its terminator
    const std::pair<char, Database> cases[] = {
        {'4', oneUser({entry(1899, 12, {}, true)})},
        {'4', oneUser({entry(2008, 3, {}, false), entry(10000, 1, {}, true)})},
        {'9', oneUser({entry(2023, 2, {line(29, 8, 0, 9, 0, 2)}, true)})},  // 29.02.2023
        {'9', oneUser({entry(2008, 3, {line(31, 8, 0, 9, 0, 4)}, true)})},  // 31.04.
        {'9', oneUser({entry(2009 | 0x0021u << 16, 1,
                             {line(10, 6, 0, 14, 0, 1), standby({{{0x81, 29, 12, 4, 1}}})},
                             true)})},                                          // standby not first
        {'2', {r + u32(0), blockHead(static_cast<uint32_t>(r.size()), 0, 0)}},  // at the end mark
        {'2', {decoy, two.dat.substr(0, kBertBlock) + blockHead(29, 0, 0)}},
        {'H', {tailByte, two.dat}},
        {'H', {openText, two.dat}},
    };
    for (const auto& [shown, db] : cases) {
        SCOPED_TRACE(&shown - &cases[0].first);
        Fixture f(db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), shown);
    }
}

// Each line field alone in a short entry, and in the middle of a long one
// (checked straight in the read buffer): the same decisions.
TEST(DatabaseCheck, LineFieldsAloneOrAmongMany) {
    // One field of 3.5. 08:00-09:00 set to a bad value (day 31 or minute 59 plus the high bit too).
    const uint8_t bad[][2] = {{0, 32}, {0, 0},    {1, 24},   {2, 60},   {3, 24},
                              {4, 60}, {1, 0x80}, {4, 0xC8}, {5, 0x40}, {2, 0xFF},
                              {5, 13}, {0, 255},  {5, 0x10}, {0, 0x9F}, {4, 0xBB}};
    std::vector<std::pair<std::string, char>> cases = {
        {line(31, 23, 59, 23, 59, 0xFC, std::string(150, 'g')), '0'},
        {line(12, 0, 0, 0, 0, 0x8C), '0'},
        {scrambled(std::string{3, 8, 0, 9, 0, 3}) + scrambled(std::string(151, 't')), 'H'}};
    for (const auto& [field, value] : bad) {
        std::string plain = {1, 8, 0, 9, 0, 3};
        plain[field] = static_cast<char>(value);
        cases.push_back({scrambled(plain) + text(""), '9'});
    }
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i)
        lines.push_back(line(1 + i % 28, 7, 0, 16, i % 60, 5, std::string(i % 35, 'w')));
    for (const auto& [record, shown] : cases) {
        lines[30] = record;
        for (const Database& db :
             {oneUser({entry(2010, 5, {record}, true)}), oneUser({entry(2010, 5, lines, true)})}) {
            Fixture f(db);
            EXPECT_EQ(f.zb.Datenbank_pruefen(), shown == '0');
            EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), shown);
        }
    }
}

// A missing block file while the index holds records is a fault; an index
// that cannot be opened fails with code 0.
TEST(DatabaseCheck, MissingBlockFileOrUnreadableIndex) {
    Fixture f;
    writeFile(f.logPath(), twoUsers().log);
    EXPECT_FALSE(f.zb.Datenbank_pruefen());
    EXPECT_EQ(f.zb.datenbankFehler, kFaultMoreRecords);
    f.zb.datenbankFehler = 0;
    platform::refuseOpens("Benutzer.log", EACCES, false);  // root opens every file
    EXPECT_FALSE(f.zb.Datenbank_pruefen());
    platform::refuseOpens("", 0, false);
    EXPECT_EQ(lastLockFailure(), LockFailure::None);
    EXPECT_EQ(f.zb.datenbankFehler, 0);
    EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), '0');
}

}  // namespace
}  // namespace book

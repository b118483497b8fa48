#include "book/db_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

std::string march(const std::vector<std::string>& records, bool last = true) {
    return entry(2008, 3, records, last);
}
std::string okLine() { return line(3, 8, 0, 17, 0, 3, "x"); }

TEST(DatabaseCheck, SoundDatabasesPass) {
    const Database cases[] = {
        twoUsers(),
        {u32(0), ""},  // only the end mark, empty block file
        oneUser({}),   // a block without entries
        oneUser({march({}, false), entry(2008, 4, {}, true)}),  // entries without records
        oneUser({entry(2008, 3, {line(31, 23, 59, 0, 0, 0xF3, std::string(150, 'z'))}, true)}),
    };
    for (const Database& db : cases) {
        Fixture f(db);
        EXPECT_TRUE(f.zb.Datenbank_pruefen() && f.zb.datenbankFehler == 0);
    }
    Fixture none;  // no database yet
    EXPECT_TRUE(none.zb.Datenbank_pruefen());
    Fixture onlyIndex;
    writeFile(onlyIndex.logPath(), u32(0));
    EXPECT_TRUE(onlyIndex.zb.Datenbank_pruefen());  // a missing block file is an empty one
    Fixture emptyIndex;
    writeFile(emptyIndex.logPath(), "");
    writeFile(emptyIndex.datPath(), "");
    EXPECT_TRUE(emptyIndex.zb.Datenbank_pruefen());
}

TEST(DatabaseCheck, EachFaultHasItsCodeAndCharacter) {
    const Database two = twoUsers();
    const std::string r = record(0, {"u", "p", "", "", "", ""}, 0);
    const uint32_t trailing = static_cast<uint32_t>(r.size() + 4);  // behind the end mark
    std::string wrongBack = two.log;
    wrongBack[4] = 99;  // anna's record points elsewhere
    std::string longBlock = two.dat;
    longBlock[4] = static_cast<char>(longBlock[4] + 1);  // anna's block one byte longer

    const struct { const char* name; Database db; uint8_t code; char shown; } cases[] = {
        {"head of 8 bytes", {two.log, blockHead(4, 12, 0) + blockHead(42, 0, 0).substr(0, 8)}, 1, '1'},
        {"head of 11 bytes", {two.log, blockHead(4, 12, 0) + blockHead(42, 0, 0).substr(0, 11)}, 1, '1'},
        {"no back pointer", {wrongBack, two.dat}, 2, '2'},
        {"index position outside the index", {u32(0), blockHead(4000, 0, 0)}, 2, '2'},
        {"empty last block with tail", oneUser({}, "xy"), 3, '3'},
        {"month 13", oneUser({entry(2008, 13, {}, true)}), 4, '4'},
        {"month 0", oneUser({entry(2008, 0, {}, true)}), 4, '4'},
        {"key cut short", {r + u32(0), blockHead(4, 0, 12) + "\x01\x02"}, 4, '4'},
        {"last entry elsewhere", {r + u32(0), blockHead(4, 0, 40) + march({})}, 5, '5'},
        {"record missing", {r + u32(0), blockHead(4, 0, 12) + u32(2008) + "\x03" + u32(0) + u32(2) + okLine()}, 6, '6'},
        {"period missing", oneUser({march({scrambled(std::string{99, 2, 1, 1, 1, 5, 1})})}), 7, '7'},
        {"week 54", oneUser({march({standby({{{54, 1, 1, 5, 1}}})})}), 8, '8'},
        {"week 0", oneUser({march({standby({{{0x80, 1, 1, 5, 1}}})})}), 8, '8'},
        {"start month 32", oneUser({march({standby({{{9, 1, 32, 5, 3}}})})}), 8, '8'},
        {"entry longer than its records", oneUser({patched(march({}, false), 5, 5), entry(2008, 4, {}, true)}), 17, 'A'},
        {"block longer than its entries", {two.log, longBlock}, 18, 'B'},
        {"last block with tail", oneUser({march({okLine()})}, "zz"), 19, 'C'},
        {"March 2008 twice", oneUser({march({okLine()}, false), march({}, true)}), 20, 'D'},
        {"one record more", {two.log.substr(0, two.log.size() - 4) + record(0, {"x", "", "", "", "", ""}, 0) + u32(0), two.dat}, 22, 'F'},
        {"records but no blocks", {two.log, ""}, 22, 'F'},
        {"one record fewer", {r + u32(0) + u32(12), blockHead(4, 12, 0) + blockHead(trailing, 0, 0)}, 23, 'G'},
        {"no standby periods", oneUser({march({scrambled(std::string{99, 0, 1, 1, 1, 1, 1})})}), 24, 'H'},
        {"ten standby periods", oneUser({march({scrambled(std::string{99, 10}) + std::string(50, '\x1E')})}), 24, 'H'},
        {"record length 12", {u32(12) + u32(0) + u32(0) + u32(0), blockHead(4, 0, 0)}, 24, 'H'},
        {"index without end mark", {two.log.substr(0, two.log.size() - 2), two.dat}, 24, 'H'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(f.zb.datenbankFehler, c.code);
        EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), c.shown);
    }
}

// Each line field alone in a short entry, and in the middle of a long one
// (checked straight in the read buffer): the same decisions.
TEST(DatabaseCheck, LineFieldsAloneOrAmongMany) {
    const struct { std::string line; char shown; } cases[] = {
        {line(31, 23, 59, 23, 59, 0xFC, std::string(150, 'g')), '0'}, {line(1, 0, 0, 0, 0, 0x01), '0'},
        {line(32, 8, 0, 9, 0, 3), '9'},    {line(0, 8, 0, 9, 0, 3), '9'},    {line(1, 24, 0, 9, 0, 3), '9'},
        {line(1, 8, 60, 9, 0, 3), '9'},    {line(1, 8, 0, 24, 0, 3), '9'},   {line(1, 8, 0, 9, 60, 3), '9'},
        {line(1, 0x80, 0, 9, 0, 3), '9'},  {line(1, 8, 0, 9, 0xC8, 3), '9'}, {line(1, 8, 0, 9, 0, 0x40), '9'},
        {line(1, 8, 0xFF, 9, 0, 3), '9'},  {line(1, 8, 0, 9, 0, 0x0D), '9'}, {line(0xFF, 8, 0, 9, 0, 3), '9'},
        {line(1, 8, 0, 9, 0, 0x10), '9'},  {line(0x9F, 8, 0, 9, 0, 3), '9'},  // day 31 plus the high bit
        {line(1, 8, 0, 9, 0xBB, 3), '9'},  {line(12, 0, 0, 0, 0, 0x8C), '0'},  // minute 59 + high bit; month 12
        {scrambled(std::string{3, 8, 0, 9, 0, 3}) + scrambled(std::string(151, 't')), 'H'},
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i)
        lines.push_back(line(1 + i % 28, 7, 0, 16, i % 60, 5, std::string(i % 35, 'w')));
    for (const auto& c : cases) {
        lines[30] = c.line;
        for (const Database& db : {oneUser({entry(2010, 5, {c.line}, true)}), oneUser({entry(2010, 5, lines, true)})}) {
            Fixture f(db);
            EXPECT_EQ(f.zb.Datenbank_pruefen(), c.shown == '0');
            EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), c.shown);
        }
    }
}

TEST(DatabaseCheck, MissingBlockFileWithRecordsAndHugeFilesFail) {
    Fixture missing;
    writeFile(missing.logPath(), twoUsers().log);
    EXPECT_FALSE(missing.zb.Datenbank_pruefen());
    EXPECT_EQ(missing.zb.datenbankFehler, kFaultMoreRecords);

    // Positions are 32 bits: a block file beyond 4 GiB is refused (sparse, so cheap).
    Fixture huge(twoUsers());
    platform::File f;
    ASSERT_TRUE(f.open(huge.datPath(), platform::OpenMode::ReadWrite));
    ASSERT_TRUE(f.truncate(int64_t{5} << 30));
    f.close();
    EXPECT_FALSE(huge.zb.Datenbank_pruefen());
    EXPECT_EQ(huge.zb.datenbankFehler, kFaultOther);
}

TEST(DatabaseCheck, AnIndexThatCannotBeOpenedFailsWithCodeZero) {
    if (::geteuid() == 0) GTEST_SKIP() << "root opens every file";
    Fixture f(twoUsers());
    ASSERT_EQ(::chmod(f.logPath().c_str(), 0), 0);
    EXPECT_FALSE(f.zb.Datenbank_pruefen());
    EXPECT_EQ(f.zb.datenbankFehler, 0);
    EXPECT_EQ(faultCharacter(f.zb.datenbankFehler), '0');
}

TEST(DatabaseCheck, StartUpMessageEndsWithTheFaultCharacter) {
    EXPECT_EQ(faultMessage(20),
              "Die Datenbank enth\xE4lt mindestens einen Fehler und wird deshalb nicht ge\xF6"
              "ffnet!\n"
              "Zum Sichern von Daten die Funktion <Speichern als> benutzen!\nFehlernummer D");
    EXPECT_EQ(faultMessage(9).back(), '9');
    EXPECT_STREQ(kFaultCaption, "Datenbank fehlerhaft");
}

}  // namespace
}  // namespace book

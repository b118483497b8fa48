#include "book/settings_file.h"

#include <gtest/gtest.h>

#include <random>

#include "book/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/core/replace_file.h"
#include "tests/support/temp_dir.h"

namespace book {
namespace {

using platform::ScriptedMessages;
using testing_support::TempDir;

const std::string kHolidayMsg = platform::cp1252(
    "Die Grundeinstellungen sind Fehlerhaft! Überprüfen Sie die eingestellten Feiertage und "
    "Berechnungsgrundlagen");
const std::string kBlockMsg = platform::cp1252(
    "Die Berechnungseinstellung ist fehlerhaft und wird auf die Standarteinstellung "
    "zurückgesetzt! Überprüfen Sie die eingestellten Berechnungsgrundlagen!");
const std::string kWriteMsg =
    platform::cp1252("Die Einstellungen für das Programm konnten nicht gespeichert werden!");

std::string scrambled(const std::string& s) {
    std::string out;
    for (char c : s) out.push_back(static_cast<char>(c ^ 0x2D));
    out.push_back(0x2D);
    return out;
}

std::string blockBytes(const Berechnungsgrundlagen& g) {
    std::string out;
    for (uint8_t b : g.encode()) out.push_back(static_cast<char>(b ^ 0x2D));
    return out;
}

class SettingsFile : public ::testing::Test {
protected:
    NullHost host;
    TempDir dir;
    Zeitbuch book{host};
    std::string ini = dir.file("Kronlauf.ini");

    SettingsFile() { reset(book); }
    void reset(Zeitbuch& b) {
        b.programmOrdner = dir.path();
        b.datenOrdner = platform::joinPath(dir.path(), "Benutzer");
    }
    void writeRaw(const std::string& bytes) {
        platform::File f;
        ASSERT_TRUE(f.open(ini, platform::OpenMode::CreateWrite));
        ASSERT_TRUE(f.write(bytes));
        ASSERT_TRUE(f.close());
    }
    std::string readRaw() {
        std::string bytes;
        EXPECT_TRUE(platform::readWholeFile(ini, bytes));
        return bytes;
    }
};

TEST_F(SettingsFile, WritesTheExactBytes) {
    book.datenOrdner = "C:\\Daten\\Benutzer";
    book.autoBenutzer = "m\xFC" "ller";
    book.autoPasswort = "";
    book.backupOrdner = "D:\\Sich";
    book.bereichVorgabe = "IT";
    book.adminPasswort = "1234";
    book.autoAnmeldung = true;
    book.feiertage[9].ein = true;   // Fronleichnam
    book.feiertage[0].ein = false;  // Neujahr
    book.grundlagen.rundung = 15;

    std::string expected = scrambled("C:\\Daten\\Benutzer") + scrambled("m\xFC" "ller") + scrambled("") +
               scrambled("D:\\Sich") + scrambled("IT") + scrambled("1234");
    expected += static_cast<char>(1 ^ 0x2D);
    const char flags[18] = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1};
    expected.append(flags, 18);
    Berechnungsgrundlagen g;
    g.rundung = 15;
    expected += blockBytes(g);
    // Spot-check the scrambling by hand: "C" 0x43 ^ 0x2D = 0x6E, the NUL is the key.
    ASSERT_EQ(expected[0], '\x6E');
    ASSERT_EQ(expected.size(), 81u + 17 + 6 + 0 + 7 + 2 + 4);

    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
    EXPECT_EQ(readRaw(), expected);
    EXPECT_FALSE(platform::fileExists(platform::replacementTempPath(ini)));
}

TEST_F(SettingsFile, MissingFileGivesSilentDefaults) {
    ScriptedMessages boxes;
    book.adminPasswort = "";
    book.bereichVorgabe = "x";
    book.grundlagen.prozentNormal = 7;
    book.grundlagen.reserved29 = {1, 2, 3};
    EXPECT_FALSE(book.Einstellungen_laden_speichern(true));
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(book.adminPasswort, "8542");
    EXPECT_EQ(book.bereichVorgabe, "");
    EXPECT_EQ(book.datenOrdner, platform::joinPath(dir.path(), "Benutzer"));
    Berechnungsgrundlagen expected;
    expected.reserved29 = {1, 2, 3};  // reserved bytes are left as they are
    EXPECT_EQ(book.grundlagen, expected);
}

TEST_F(SettingsFile, RoundTripsRandomSettings) {
    std::mt19937 rng(1234);
    auto randomText = [&](int maxLen) {
        std::string s(std::uniform_int_distribution<int>(0, maxLen)(rng), ' ');
        for (char& c : s) c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(rng));
        return s;
    };
    for (int round = 0; round < 50; ++round) {
        Zeitbuch a(host);
        reset(a);
        a.datenOrdner = randomText(300);  // longer than the old 200-byte limit
        a.autoBenutzer = randomText(20);
        a.autoPasswort = randomText(20);
        a.backupOrdner = randomText(300);
        a.bereichVorgabe = randomText(20);
        a.adminPasswort = randomText(20);
        a.autoAnmeldung = rng() & 1;
        for (Feiertag& h : a.feiertage) h.ein = rng() & 1;
        std::array<uint8_t, 56> image;
        for (uint8_t& b : image) b = static_cast<uint8_t>(rng());
        image[48] %= 3;       // decimals 0..2
        image[49] = 1 + image[49] % 60;
        a.grundlagen = Berechnungsgrundlagen::decode(image);
        ASSERT_TRUE(a.Einstellungen_laden_speichern(false));

        Zeitbuch b(host);
        reset(b);
        ScriptedMessages boxes;
        ASSERT_TRUE(b.Einstellungen_laden_speichern(true));
        EXPECT_EQ(boxes.count(), 0u);
        EXPECT_EQ(b.datenOrdner, a.datenOrdner);
        EXPECT_EQ(b.autoBenutzer, a.autoBenutzer);
        EXPECT_EQ(b.autoPasswort, a.autoPasswort);
        EXPECT_EQ(b.backupOrdner, a.backupOrdner);
        EXPECT_EQ(b.bereichVorgabe, a.bereichVorgabe);
        EXPECT_EQ(b.adminPasswort, a.adminPasswort);
        EXPECT_EQ(b.autoAnmeldung, a.autoAnmeldung);
        for (int i = 0; i < kHolidayCount; ++i) EXPECT_EQ(b.feiertage[i].ein, a.feiertage[i].ein);
        EXPECT_EQ(b.grundlagen, a.grundlagen);
        EXPECT_EQ(settingsFileImage(b), readRaw());  // writes back the same bytes
    }
}

TEST_F(SettingsFile, LongStringsReadBackUpToTheLimit) {
    book.datenOrdner = std::string(kSettingsStringMax - 1, 'x');  // longest readable
    book.backupOrdner = std::string(5000, 'y');                     // cut when written
    book.autoBenutzer = std::string("ab\0cd", 5);                   // cut at the NUL
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
    Zeitbuch b(host);
    reset(b);
    ASSERT_TRUE(b.Einstellungen_laden_speichern(true));
    EXPECT_EQ(b.datenOrdner, book.datenOrdner);
    EXPECT_EQ(b.backupOrdner, std::string(kSettingsStringMax - 1, 'y'));
    EXPECT_EQ(b.autoBenutzer, "ab");
}

TEST_F(SettingsFile, OutOfRangeBlockValuesAreBroughtIntoRange) {
    struct Case {
        uint8_t decimals, unit;
        uint8_t wantDecimals, wantUnit;
    };
    for (const Case c : {Case{0, 0, 0, 60}, Case{2, 60, 2, 60}, Case{3, 61, 1, 60},
                         Case{255, 255, 1, 60}, Case{1, 1, 1, 1}}) {
        Berechnungsgrundlagen g;
        auto image = g.encode();
        image[48] = c.decimals;
        image[49] = c.unit;
        std::string bytes;
        for (int i = 0; i < 6; ++i) bytes += scrambled("s");
        bytes += '\x2D';
        bytes.append(18, '\1');
        for (uint8_t b : image) bytes.push_back(static_cast<char>(b ^ 0x2D));
        writeRaw(bytes);
        ASSERT_TRUE(book.Einstellungen_laden_speichern(true));
        EXPECT_EQ(book.grundlagen.kommastellen, c.wantDecimals) << int(c.decimals);
        EXPECT_EQ(book.grundlagen.rundung, c.wantUnit) << int(c.unit);
    }
}

// What a file cut after `length` bytes must give, for the file of `full`.
struct Expectation {
    int stringsRead;
    bool flagRead, holidaysRead, blockRead;
    std::vector<std::string> messages;
};

Expectation expectFor(const std::vector<size_t>& stringEnds, size_t length) {
    Expectation e{};
    while (e.stringsRead < 6 && stringEnds[e.stringsRead] <= length) ++e.stringsRead;
    if (e.stringsRead < 6) return e;
    const size_t s = stringEnds[5];
    e.flagRead = length >= s + 1;
    e.holidaysRead = length >= s + 19;
    if (!e.holidaysRead) {
        e.messages = {kHolidayMsg};
        return e;
    }
    e.blockRead = length >= s + 75;
    if (!e.blockRead) e.messages = {kBlockMsg};
    return e;
}

TEST_F(SettingsFile, EveryTruncationKeepsWhatWasReadWhole) {
    Zeitbuch full(host);
    reset(full);
    const std::vector<std::string> values = {"/daten", "auto", "pw", "/sich", "Bereich", "9999"};
    full.datenOrdner = values[0];
    full.autoBenutzer = values[1];
    full.autoPasswort = values[2];
    full.backupOrdner = values[3];
    full.bereichVorgabe = values[4];
    full.adminPasswort = values[5];
    full.autoAnmeldung = true;
    for (Feiertag& h : full.feiertage) h.ein = !h.ein;
    full.grundlagen.prozentNormal = 33;
    const std::string image = settingsFileImage(full);
    std::vector<size_t> ends;
    size_t at = 0;
    for (const std::string& v : values) ends.push_back(at += v.size() + 1);

    for (size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        writeRaw(image.substr(0, length));
        Zeitbuch b(host);
        reset(b);
        const std::vector<std::string> start = {b.datenOrdner, "", "", "", "", "8542"};
        ScriptedMessages boxes;
        EXPECT_FALSE(b.Einstellungen_laden_speichern(true));
        const Expectation e = expectFor(ends, length);
        std::vector<std::string> shown;
        for (const auto& m : boxes.shown()) shown.push_back(m.text);
        EXPECT_EQ(shown, e.messages);
        const std::array<std::string*, 4> kept = {&b.datenOrdner, &b.autoBenutzer,
                                                  &b.autoPasswort, &b.backupOrdner};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(*kept[i], i < e.stringsRead ? values[i] : start[i]);
        EXPECT_EQ(b.bereichVorgabe, "");      // a bad file resets these two
        EXPECT_EQ(b.adminPasswort, "8542");
        EXPECT_EQ(b.autoAnmeldung, e.flagRead);
        EXPECT_EQ(b.feiertage[0].ein, !e.holidaysRead);
        EXPECT_EQ(b.grundlagen, Berechnungsgrundlagen{});
    }
}

// The old file is deleted first: truncating an existing file is slow on some
// file systems.
TEST_F(SettingsFile, RandomMutationsNeverCrash) {
    Zeitbuch full(host);
    reset(full);
    full.datenOrdner = "/daten";
    full.adminPasswort = "9999";
    const std::string image = settingsFileImage(full);
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = image;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 3) {
                case 0: bytes[at] = static_cast<char>(rng()); break;
                case 1: bytes.erase(at, 1 + rng() % 8); break;
                default: bytes.insert(at, 1 + rng() % 8, static_cast<char>(rng())); break;
            }
            if (bytes.empty()) bytes = "x";
        }
        platform::deleteFile(ini);
        writeRaw(bytes);
        Zeitbuch b(host);
        reset(b);
        ScriptedMessages boxes;
        const bool good = b.Einstellungen_laden_speichern(true);
        ASSERT_LE(boxes.count(), 1u);
        if (!good) {
            EXPECT_EQ(b.adminPasswort, "8542");
            EXPECT_EQ(b.grundlagen, Berechnungsgrundlagen{});
        }
        EXPECT_GE(b.grundlagen.rundung, 1);
        EXPECT_LE(b.grundlagen.rundung, 60);
        EXPECT_LE(b.grundlagen.kommastellen, 2);
    }
}

TEST_F(SettingsFile, AFailedWriteLeavesThePreviousFileIntact) {
    book.adminPasswort = "1111";
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
    const std::string previous = readRaw();
    platform::resetWriteCallCount();
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));  // same bytes again
    const int calls = platform::writeCallCount();
    ASSERT_GE(calls, 2);  // the write and the rename

    book.adminPasswort = "3333";
    for (int k = 1; k <= calls; ++k) {
        SCOPED_TRACE(k);
        ScriptedMessages boxes;
        platform::injectWriteFailure(k);
        EXPECT_FALSE(book.Einstellungen_laden_speichern(false));
        platform::injectWriteFailure(0);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, kWriteMsg);
        EXPECT_EQ(boxes.last().caption, "Fehler");
        EXPECT_EQ(readRaw(), previous);
        EXPECT_FALSE(platform::fileExists(platform::replacementTempPath(ini)));
    }
}

TEST_F(SettingsFile, UnwritableFolderReportsTheFailure) {
    book.programmOrdner = dir.file("missing");
    ScriptedMessages boxes;
    EXPECT_FALSE(book.Einstellungen_laden_speichern(false));
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text, kWriteMsg);
}

}  // namespace
}  // namespace book

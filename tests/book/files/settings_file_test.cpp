#include "book/files/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <optional>
#include <random>

#include "book/files/settings_block.h"
#include "platform/core/codepage.h"
#include "platform/core/path.h"
#include "platform/core/replace_file.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using platform::ScriptedMessages;

const std::string kHolidayMsg = platform::cp1252(
    "Die Grundeinstellungen sind Fehlerhaft! Überprüfen Sie die eingestellten Feiertage und "
    "Berechnungsgrundlagen");
const std::string kBlockMsg = platform::cp1252(
    "Die Berechnungseinstellung ist fehlerhaft und wird auf die Standarteinstellung "
    "zurückgesetzt! Überprüfen Sie die eingestellten Berechnungsgrundlagen!");
const std::string kWriteMsg =
    platform::cp1252("Die Einstellungen für das Programm konnten nicht gespeichert werden!");

// A string with its terminator, scrambled with the settings key.
std::string scrambled(const std::string& s) {
    std::string out;
    for (char c : s + '\0') out.push_back(static_cast<char>(c ^ 0x2D));
    return out;
}
std::string blockBytes(std::array<uint8_t, 56> image) {
    std::string out;
    for (uint8_t b : image) out.push_back(static_cast<char>(b ^ 0x2D));
    return out;
}

class SettingsFile : public ::testing::Test {
protected:
    NullHost host;
    testing_support::TempDir dir;
    Zeitbuch book{host};
    std::string ini = dir.file("Kronlauf.ini");

    SettingsFile() { reset(book); }
    void reset(Zeitbuch& b) {
        b.programmOrdner = dir.path();
        b.datenOrdner = platform::joinPath(dir.path(), "Benutzer");
    }
    std::array<std::string*, 6> strings(Zeitbuch& b) {
        return {&b.datenOrdner,  &b.autoBenutzer,   &b.autoPasswort,
                &b.backupOrdner, &b.bereichVorgabe, &b.adminPasswort};
    }
};

TEST_F(SettingsFile, WritesTheExactBytes) {
    const std::string values[6] = {
        "C:\\Daten\\Benutzer", "m\xFCller", "", "D:\\Sich", "IT", "1234"};
    std::string expected;
    for (int i = 0; i < 6; ++i) expected += scrambled(*strings(book)[i] = values[i]);
    book.autoAnmeldung = true;
    book.feiertage[9].ein = true;   // Fronleichnam
    book.feiertage[0].ein = false;  // Neujahr
    book.grundlagen.rundung = 15;
    const char flags[18] = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1};
    expected += static_cast<char>(1 ^ 0x2D) + std::string(flags, 18);
    Berechnungsgrundlagen g;
    g.rundung = 15;
    expected += blockBytes(g.encode());
    ASSERT_EQ(expected[0], '\x6E');  // "C" 0x43 ^ 0x2D, checked by hand
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
    EXPECT_EQ(dbtest::readFile(ini), expected);
    EXPECT_FALSE(testing_support::hasTempFiles(dir.path()));
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

// Random strings (up to and beyond the 4095-byte limit, bytes >= 0x80), flags
// and blocks read back and write back the same bytes.
TEST_F(SettingsFile, RoundTripsRandomSettings) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 50; ++round) {
        Zeitbuch a(host);
        reset(a);
        for (int i = 0; i < 6; ++i) {
            std::string t(rng() % (i == 0 || i == 3 ? 5000 : 21), ' ');
            for (char& c : t) c = static_cast<char>(1 + rng() % 255);
            *strings(a)[i] = t;
        }
        a.autoAnmeldung = rng() & 1;
        for (Feiertag& h : a.feiertage) h.ein = rng() & 1;
        std::array<uint8_t, 56> image;
        for (uint8_t& b : image) b = static_cast<uint8_t>(rng());
        image[48] %= 3;  // decimals 0..2
        image[49] = 1 + image[49] % 60;
        a.grundlagen = Berechnungsgrundlagen::decode(image);
        ASSERT_TRUE(a.Einstellungen_laden_speichern(false));

        Zeitbuch b(host);
        reset(b);
        ScriptedMessages boxes;
        ASSERT_TRUE(b.Einstellungen_laden_speichern(true));
        EXPECT_EQ(boxes.count(), 0u);
        for (int i = 0; i < 6; ++i)  // longer strings are cut when written
            EXPECT_EQ(*strings(b)[i], strings(a)[i]->substr(0, kSettingsStringMax - 1)) << i;
        EXPECT_EQ(b.autoAnmeldung, a.autoAnmeldung);
        for (int i = 0; i < kHolidayCount; ++i) EXPECT_EQ(b.feiertage[i].ein, a.feiertage[i].ein);
        EXPECT_EQ(b.grundlagen, a.grundlagen);
        EXPECT_EQ(settingsFileImage(b), dbtest::readFile(ini));
    }
}

TEST_F(SettingsFile, OutOfRangeBlockValuesAreBroughtIntoRange) {
    // Decimals and unit as read, then as wanted.
    const uint8_t cases[][4] = {
        {0, 0, 0, 60}, {2, 60, 2, 60}, {3, 61, 1, 60}, {255, 255, 1, 60}, {1, 1, 1, 1}};
    for (const auto& c : cases) {
        auto image = Berechnungsgrundlagen{}.encode();
        image[48] = c[0];
        image[49] = c[1];
        const std::string s = scrambled("s");
        dbtest::writeFile(
            ini, s + s + s + s + s + s + '\x2D' + std::string(18, '\1') + blockBytes(image));
        ASSERT_TRUE(book.Einstellungen_laden_speichern(true));
        EXPECT_EQ(book.grundlagen.kommastellen, c[2]) << int(c[0]);
        EXPECT_EQ(book.grundlagen.rundung, c[3]) << int(c[1]);
    }
}

// A file cut anywhere keeps the strings read whole (a failed string stops
// the rest), resets the area and password, and names the missing part.
TEST_F(SettingsFile, DamagedFilesKeepWhatWasReadWhole) {
    Zeitbuch full(host);
    reset(full);
    const std::vector<std::string> values = {"/daten", "auto", "pw", "/sich", "Bereich", "9999"};
    std::vector<size_t> ends;
    for (int i = 0; i < 6; ++i) {
        *strings(full)[i] = values[i];
        ends.push_back((i ? ends.back() : 0) + values[i].size() + 1);
    }
    full.autoAnmeldung = true;
    for (Feiertag& h : full.feiertage) h.ein = !h.ein;
    full.grundlagen.prozentNormal = 33;
    const std::string image = settingsFileImage(full);
    const size_t s = ends[5];
    std::mt19937 rng(99);  // then random mutations: defaults or what was read, never a crash
    for (size_t length = 0; length < image.size() + 2000; ++length) {
        SCOPED_TRACE(length);
        std::string bytes = image.substr(0, length);
        if (length >= image.size()) dbtest::mutate(bytes = image, rng, 4, 8);
        dbtest::writeFile(ini, bytes);
        Zeitbuch b(host);
        reset(b);
        const std::string start = b.datenOrdner;
        ScriptedMessages boxes;
        const bool ok = b.Einstellungen_laden_speichern(true);
        ASSERT_LE(boxes.count(), 1u);
        EXPECT_TRUE(ok || (b.adminPasswort == "8542" && b.grundlagen == Berechnungsgrundlagen{}));
        EXPECT_TRUE(b.grundlagen.rundung >= 1 && b.grundlagen.rundung <= 60);
        EXPECT_LE(b.grundlagen.kommastellen, 2);
        if (length >= image.size()) continue;
        const auto read =
            std::count_if(ends.begin(), ends.end(), [&](size_t e) { return e <= length; });
        const bool holidays = read == 6 && length >= s + 19;
        EXPECT_FALSE(ok);
        EXPECT_EQ(boxes.count() ? boxes.last().text : "", read < 6   ? ""
                                                          : holidays ? kBlockMsg
                                                                     : kHolidayMsg);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(*strings(b)[i], i < read ? values[i] : i ? "" : start);
        EXPECT_EQ(b.bereichVorgabe, "");  // a bad file resets it
        EXPECT_EQ(b.autoAnmeldung, read == 6 && length >= s + 1);
        EXPECT_EQ(b.feiertage[0].ein, !holidays);
    }
}

// A string too long to be stored (the longest one stored reads back) makes
// the file bad with the damaged-file message, shown while reading, before
// anything is written over the file; the strings before it stay.
TEST_F(SettingsFile, AnOverlongStringIsADamagedFileAndSaysSo) {
    for (int at = 0; at < 6; ++at) {
        for (const size_t length : {size_t(kSettingsStringMax - 1), size_t(kSettingsStringMax),
                                    size_t(3 * kSettingsStringMax)}) {
            SCOPED_TRACE(std::to_string(at) + " " + std::to_string(length));
            Zeitbuch full(host);
            reset(full);
            for (int i = 0; i < 6; ++i) *strings(full)[i] = "s" + std::to_string(i);
            std::string image = settingsFileImage(full);
            size_t pos = 0;
            for (int i = 0; i < at; ++i) pos = image.find(char(0x2D), pos) + 1;
            image.replace(pos, 2, scrambled(std::string(length, 'x')).substr(0, length));
            dbtest::writeFile(ini, image);
            Zeitbuch b(host);
            reset(b);
            ScriptedMessages boxes;
            const bool tooLong = length >= size_t(kSettingsStringMax);
            EXPECT_EQ(b.Einstellungen_laden_speichern(true), !tooLong);
            EXPECT_EQ(dbtest::readFile(ini), image);
            ASSERT_EQ(boxes.count(), tooLong ? 1u : 0u);
            if (!tooLong) {
                EXPECT_EQ(strings(b)[at]->size(), length);
                continue;
            }
            EXPECT_EQ(dbtest::lastBox(boxes), kHolidayMsg + "|Fehler");
            EXPECT_EQ(b.adminPasswort, "8542");
            for (int i = 0; i < at && i < 4; ++i)
                EXPECT_EQ(*strings(b)[i], "s" + std::to_string(i));
        }
    }
}

// Two programs on one folder, with or without a settings file at their
// start: A closes first, then B. A program writes only what it changed (or a
// missing file), asks when the other wrote other settings meanwhile, and
// its "Ja" keeps the other's changes where it left a setting alone.
TEST_F(SettingsFile, TwoProgramsKeepTheSettingsChangedInEither) {
    using Edit = std::function<void(Zeitbuch&)>;
    const Edit none = [](Zeitbuch&) {}, holiday = [](Zeitbuch& b) { b.feiertage[9].ein = true; };
    auto night = [](uint16_t p) {
        return Edit([=](Zeitbuch& b) { b.grundlagen.prozentNacht = p; });
    };
    auto option = [](uint16_t bit) {
        return Edit([=](Zeitbuch& b) { b.grundlagen.optionen ^= bit; });
    };
    const Edit window = [](Zeitbuch& b) { b.grundlagen.setNachtfenster(60, 300); };
    const Edit from21 = [](Zeitbuch& b) { b.grundlagen.nachtStart = 1260; };
    const Edit autoSignIn = [](Zeitbuch& b) { b.autoBenutzer = "a", b.autoAnmeldung = true; };
    const Edit admin = [](Zeitbuch& b) { b.adminPasswort = "4711"; };
    auto both = [](Edit x, Edit y) { return Edit([=](Zeitbuch& b) { x(b), y(b); }); };
    using A = platform::Answer;
    const std::tuple<Edit, Edit, std::optional<A>, Edit> cases[] = {
        {none, none, {}, none},
        {night(30), none, {}, night(30)},
        {none, night(30), {}, night(30)},
        {night(30), night(30), {}, night(30)},
        {night(30), holiday, A::Yes, both(night(30), holiday)},
        {night(30), holiday, A::No, night(30)},
        {night(30), night(35), A::Yes, night(35)},
        {option(kOptFarbe), option(kOptUnterschrift), A::Yes,
         both(option(kOptFarbe), option(kOptUnterschrift))},
        {window, from21, A::Yes, from21},  // the night window goes as one
        {autoSignIn, admin, A::Yes, both(autoSignIn, admin)},
    };
    for (const bool fileAtStart : {false, true}) {
        for (size_t i = 0; i < std::size(cases); ++i) {
            const auto& [editA, editB, answer, result] = cases[i];
            SCOPED_TRACE(std::to_string(i) + (fileAtStart ? " (file at start)" : ""));
            platform::deleteFile(ini);
            book.adminPasswort = "1234";
            ASSERT_TRUE(!fileAtStart || book.Einstellungen_laden_speichern(false));
            Zeitbuch a(host), b(host), want(host);
            for (Zeitbuch* z : {&a, &b, &want}) reset(*z), z->Einstellungen_laden_speichern(true);
            editA(a), editB(b), result(want);
            ScriptedMessages boxes;
            if (answer) boxes.answer(*answer);
            EXPECT_TRUE(a.einstellungenBeimBeenden() && b.einstellungenBeimBeenden());
            EXPECT_EQ(boxes.count() ? boxes.last().text.substr(0, 75) : "",
                      answer ? "Die Einstellungen wurden inzwischen von einem anderen Programm "
                               "gespeichert."
                             : "");
            EXPECT_EQ(dbtest::readFile(ini), settingsFileImage(want));
        }
    }
    dbtest::writeFile(ini, "kaputt");  // a file read damaged is mended at the close
    EXPECT_FALSE(book.Einstellungen_laden_speichern(true));
    EXPECT_TRUE(book.einstellungenBeimBeenden());
    EXPECT_EQ(dbtest::readFile(ini), settingsFileImage(book));
    // A file this program cannot read keeps what it holds, unless a setting
    // was changed here.
    for (const bool changed : {false, true}) {
        book.adminPasswort = "4711";
        ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
        const std::string other = dbtest::readFile(ini);
        Zeitbuch c(host);
        reset(c);
        platform::refuseOpens("Kronlauf.ini", EACCES, false);
        c.Einstellungen_laden_speichern(true);
        if (changed) c.grundlagen.prozentNacht = 30;
        EXPECT_TRUE(c.einstellungenBeimBeenden());
        platform::refuseOpens("", 0, false);
        EXPECT_EQ(dbtest::readFile(ini), changed ? settingsFileImage(c) : other);
    }
}

// A write that fails at any point (or a folder that cannot take the file)
// reports the failure and leaves the previous file intact.
TEST_F(SettingsFile, AFailedWriteLeavesThePreviousFileIntact) {
    book.adminPasswort = "1111";
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));
    const std::string previous = dbtest::readFile(ini);
    platform::resetWriteCallCount();
    ASSERT_TRUE(book.Einstellungen_laden_speichern(false));  // same bytes again
    const int calls = platform::writeCallCount();
    ASSERT_GE(calls, 4);  // the write, its sync, the rename and the folder's sync
    book.adminPasswort = "3333";
    // The folder's sync comes last, after the rename: the new file stands, unconfirmed.
    for (int k = 1; k <= calls + 1; ++k) {
        SCOPED_TRACE(k);
        ScriptedMessages boxes;
        if (k > calls) book.programmOrdner = dir.file("missing");
        platform::injectWriteFailure(k);
        EXPECT_FALSE(book.Einstellungen_laden_speichern(false));
        platform::injectWriteFailure(0);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(dbtest::lastBox(boxes), kWriteMsg + "|Fehler");
        if (k == calls) {
            EXPECT_NE(dbtest::readFile(ini), previous);
            dbtest::writeFile(ini, previous);
        } else {
            EXPECT_EQ(dbtest::readFile(ini), previous);
        }
        EXPECT_FALSE(testing_support::hasTempFiles(dir.path()));
    }
}

}  // namespace
}  // namespace book

#include "book/files/month_file.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "platform/core/date.h"
#include "platform/core/replace_file.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/database/month_store_fixture.h"

namespace book {
namespace {

using dbtest::u32;
using S = std::string;
constexpr const char* kLoadError = "Fehler beim Laden";

S s(const S& plain) {
    return dbtest::scrambled(plain);
}
// A hand-built line record: the ten digit characters, the month|kind byte,
// the work text and its terminator.
S lineRecord(const char* digits, uint8_t monthKind, const S& text = "") {
    return s(S(digits, 10) + static_cast<char>(monthKind) + text + '\0');
}
// Columns the loader fills: marker, date and the two times.
S entryPart(const S& line) {
    return line.substr(0, 1) + line.substr(col::kDay, 5) + line.substr(col::kFromHour, 11);
}

class MonthFile : public month_test::MonthStoreTest {
protected:
    void SetUp() override { zb.angemeldet = false; }
    S path = dir.file("monat.akt");

    void writeRaw(const S& bytes) { dbtest::writeFile(path, bytes); }
    S readRaw() { return dbtest::readFile(path); }
    // A fresh, cleared page of the given month, as the load command leaves it.
    void freshPage(int year, int month) {
        zb.seiteLeeren();
        zb.handModus = false;
        showMonth(year, month);
        boxes.clear();
    }
    void loadRaw(const S& bytes, int year, int month, bool signedIn = false) {
        writeRaw(bytes);
        freshPage(year, month);
        zb.angemeldet = signedIn;
        zb.Akt_laden(path);
    }
};

TEST_F(MonthFile, WritesTheExactBytes) {
    showMonth(2008, 3);
    ASSERT_LT(type(3, "08:00", "12:30"), 0);
    ASSERT_LT(type(4, "22:00", "06:00", 'V'), 0);
    ASSERT_LT(type(5, "10:05", "11:00", 'M'), 0);
    zb.texte[0] = "Wartung \xE4";
    zb.texte[2] = S(200, 'x');  // longer than a work text: cut to 150
    zb.handModus = true;
    zb.wochen = 2, zb.wochenenden = 1, zb.wochenPkw = 0, zb.wochenendenPkw = 3;
    zb.bereitschaftsListe.fill(0);
    const uint8_t period[5] = {10, 3, 3, 9, 3};
    std::copy(period, period + 5, zb.bereitschaftsListe.begin());
    host.saveAnswers = {dir.file("monat.txt")};  // "Speichern als": a month file whatever the name
    ASSERT_TRUE(zb.SpeichernAlsExecute());
    EXPECT_EQ(dbtest::readFile(dir.file("monat.txt")),
              u32(2008) + u32(4) + lineRecord("0308001230", 0x03, "Wartung \xE4") +
                  lineRecord("0422000600", 0x83) + lineRecord("0510051100", 0xF3, S(150, 'x')) +
                  s(S("\x63\x02\x01\x00\x03\x01\x0A\x03\x03\x09\x03", 11)));
    EXPECT_TRUE(host.has("disable Speichern"));  // nobody signed in
    EXPECT_FALSE(testing_support::hasTempFiles(dir.path()));
}

// Random pages of every line kind with texts, counts and standby periods.
TEST_F(MonthFile, RoundTripsRandomPages) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int year = 1990 + static_cast<int>(rng() % 40),
                  month = 1 + static_cast<int>(rng() % 12);
        const month_test::Seite page = randomPage(rng, year, month, round % 2);
        ASSERT_TRUE(zb.Akt_speichern(path));
        freshPage(year, month % 12 + 1);  // another month is shown
        zb.Akt_laden(path);
        ASSERT_EQ(boxes.count(), 0u) << boxes.last().text;
        EXPECT_TRUE(snapshot() == page);
        EXPECT_EQ(monthFileImage(zb), readRaw());
    }
}

// A first word below 1900 is the record count of a file without a year; a
// file of another year changes the year unless a user is signed in. Each line
// is checked against its own month and the page month becomes theirs.
TEST_F(MonthFile, FileWithoutYearAndOtherYears) {
    loadRaw(u32(2) + lineRecord("2910001100", 0x02) + lineRecord("3108000900", 0x03), 2008, 1,
            true);
    EXPECT_EQ(boxes.count(), 0u);
    ASSERT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(entryPart(zb.zeilen[0]) + entryPart(zb.zeilen[1]),
              " 29.0210:00 11:00 31.0308:00 09:00");
    EXPECT_EQ(zb.jahr * 100 + zb.monat * 10 + zb.seitenMonat, 200833);

    const S file2009 = u32(2009) + u32(1) + lineRecord("0108000900", 0x02, "a");
    loadRaw(file2009, 2008, 2, true);  // signed in: the year stays, with a warning
    EXPECT_EQ(dbtest::lastBox(boxes),
              "Das Aktuelle Jahr ist nicht identisch zu dem Jahr der Daten die geladen werden "
              "sollen.\nDie Anzeige der Wochentage und die Zuschlagsberechnung ist dadurch nicht "
              "richtig!\nDas Geforderte Jahr lautet 2009|Achtung");
    EXPECT_EQ(zb.jahr, 2008);
    EXPECT_TRUE(host.has("enable Speichern"));
    loadRaw(file2009, 2008, 5);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(zb.jahr * 100 + zb.monat, 200902);
    EXPECT_FALSE(host.has("enable Speichern"));
}

// A hand record that is not last does not shift later lines behind the
// template line; "Laden" ends the year balance.
TEST_F(MonthFile, HandRecordFirstKeepsLinesBeforeTheTemplate) {
    writeRaw(u32(2008) + u32(3) + s(S("\x63\x01\x00\x00\x00\x01\x0A\x03\x03\x09\x03", 11)) +
             lineRecord("0308000900", 0x03, "a") + lineRecord("0410001100", 0x03, "b"));
    freshPage(2008, 3);
    zb.jahresbilanz = true;
    host.openAnswers = {path};
    zb.LadenExecute();
    EXPECT_TRUE(host.has("controls normal"));
    EXPECT_EQ(boxes.count(), 0u);
    ASSERT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(entryPart(zb.zeilen[1]), " 04.0310:00 11:00");
    EXPECT_EQ(zb.texte, (std::vector<S>{"a", "b", ""}));
    EXPECT_TRUE(zb.handModus);
    EXPECT_EQ(zb.wochen, 1);
    EXPECT_EQ(zb.bereitschaftsListe[0], 10);
}

// Every short read or bad value stops the load, keeps the earlier lines and
// skips the final steps.
TEST_F(MonthFile, DamagedRecordsStopTheLoadAndKeepEarlierLines) {
    const S good = lineRecord("0308000900", 0x03, "a");
    const std::tuple<const char*, S, uint32_t, size_t> cases[] = {
        {"ends inside a work text", good + s(S("0410001100\x03") + "abc"), 2, 1},
        {"line record of 6 bytes", good + s("041000"), 2, 1},
        {"hand record of 5 bytes", good + s(S("\x63\x01\x00\x00\x00", 5)), 2, 1},
        {"ten standby periods", good + s(S("\x63\x00\x00\x00\x00\x0A", 6)) + S(50, '\x17'), 2, 1},
        {"short standby period", good + s(S("\x63\x00\x00\x00\x00\x01\x0A", 7)), 2, 1},
        {"work text without terminator", good + s("0410001100\x03" + S(151, 'x')), 2, 1},
        {"month 13", good + lineRecord("0410001100", 0x0D), 2, 1},
        {"hour 24", good + lineRecord("0424001100", 0x03), 2, 1},
        {"overlaps the line before", good + lineRecord("0308300830", 0x03), 2, 2},
        {"count larger than the records", good, 5, 1},
    };
    for (const auto& [name, records, count, nBoxes] : cases) {
        SCOPED_TRACE(name);
        loadRaw(u32(2008) + u32(count) + records, 2008, 3);
        EXPECT_EQ(dbtest::lastBox(boxes), S(kLoadError) + "|Fehlerhaftes Datenformat");
        EXPECT_EQ(boxes.count(), nBoxes);
        ASSERT_EQ(zb.zeilen.size(), 2u);
        EXPECT_EQ(entryPart(zb.zeilen[0]), " 03.0308:00 09:00");
        EXPECT_EQ(zb.texte.size(), zb.zeilen.size());
        EXPECT_FALSE(host.has("scroll range"));  // the final steps did not run
    }
}

TEST_F(MonthFile, FailedSaveKeepsThePreviousFile) {
    showMonth(2008, 3);
    ASSERT_LT(type(3, "08:00", "09:00"), 0);
    ASSERT_TRUE(zb.Akt_speichern(path));
    const S previous = readRaw();
    ASSERT_LT(type(4, "08:00", "09:00"), 0);
    platform::resetWriteCallCount();
    ASSERT_TRUE(zb.Akt_speichern(dir.file("probe.akt")));
    const int calls = platform::writeCallCount();
    for (int k = 1; k <= calls; ++k) {
        SCOPED_TRACE(k);
        boxes.clear();
        host.calls.clear();
        platform::injectWriteFailure(k);
        EXPECT_FALSE(zb.Akt_speichern(path));
        platform::injectWriteFailure(0);
        EXPECT_EQ(boxes.count(), 1u);
        EXPECT_EQ(dbtest::lastBox(boxes), "Die Daten konnten nicht gespeichert werden!|Fehler");
        EXPECT_FALSE(host.has("disable Speichern"));
        // The folder's sync comes last, after the rename: the new file stands, unconfirmed.
        if (k != calls) {
            EXPECT_EQ(readRaw(), previous);
        }
    }
}

// Damaged input: every truncation and random mutations of a valid file.
TEST_F(MonthFile, DamagedFilesNeverCrash) {
    std::mt19937 rng(5);
    randomPage(rng, 2008, 3, true);
    ASSERT_GE(zb.zeilen.size(), 4u);
    const S image = monthFileImage(zb);
    const std::vector<S> lines(zb.zeilen.begin(), zb.zeilen.end() - 1);
    for (size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        loadRaw(image.substr(0, length), 2008, 3);
        ASSERT_EQ(boxes.count(), 1u);
        ASSERT_EQ(boxes.last().text, kLoadError);
        ASSERT_EQ(zb.zeilen.size(), zb.texte.size());
        for (size_t i = 0; i + 1 < zb.zeilen.size(); ++i)
            EXPECT_EQ(entryPart(zb.zeilen[i]), entryPart(lines[i]));
    }
    for (int round = 0; round < 2000; ++round) {
        S bytes = image;
        dbtest::mutate(bytes, rng, 3, 6);
        loadRaw(bytes, 2008, 3);
        ASSERT_EQ(zb.zeilen.size(), zb.texte.size());
        ASSERT_LE(zb.zeilen.size(), 200u);
        if (!host.has("scroll range")) {  // not complete: reported
            ASSERT_GE(boxes.count(), 1u);
            ASSERT_EQ(boxes.last().text, kLoadError);
        }
    }
}

}  // namespace
}  // namespace book

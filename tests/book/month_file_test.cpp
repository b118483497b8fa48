#include "book/month_file.h"

#include <gtest/gtest.h>

#include <random>

#include "book/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/file.h"
#include "platform/core/replace_file.h"
#include "tests/book/sheet_fixture.h"
#include "tests/support/temp_dir.h"

namespace book {
namespace {

using platform::Answer;
using testing_support::TempDir;

constexpr const char* kLoadError = "Fehler beim Laden";

std::string u32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

// Bytes scrambled with the database key.
std::string s(const std::string& plain) {
    std::string out = plain;
    for (char& c : out) c = static_cast<char>(c ^ 0x17);
    return out;
}

// A hand-built line record: the ten digit characters, the month|kind byte,
// the work text and its terminator.
std::string lineRecord(const char* digits, uint8_t monthKind, const std::string& text) {
    return s(std::string(digits, 10) + static_cast<char>(monthKind) + text + '\0');
}

// Columns the loader fills: marker, date and the two times.
std::string entryPart(const std::string& line) {
    return line.substr(0, 1) + line.substr(col::kDay, 5) + line.substr(col::kFromHour, 11);
}

class MonthFile : public sheet_test::SheetTest {
protected:
    TempDir dir;
    std::string path = dir.file("monat.akt");

    // The old file is deleted first: truncating an existing file is slow on
    // some file systems.
    void writeRaw(const std::string& bytes) {
        platform::deleteFile(path);
        platform::File f;
        ASSERT_TRUE(f.open(path, platform::OpenMode::CreateWrite));
        ASSERT_TRUE(f.write(bytes));
        ASSERT_TRUE(f.close());
    }
    std::string readRaw() {
        std::string bytes;
        EXPECT_TRUE(platform::readWholeFile(path, bytes));
        return bytes;
    }
    // A fresh, cleared page of the given month, as the load command leaves it.
    void freshPage(int year, int month) {
        zb.seiteLeeren();
        zb.handModus = false;
        showMonth(year, month);
        boxes.clear();
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& m : boxes.shown()) out.push_back(m.text);
        return out;
    }
};

TEST_F(MonthFile, WritesTheExactBytes) {
    showMonth(2008, 3);
    ASSERT_LT(type(3, "08:00", "12:30"), 0);
    ASSERT_LT(type(4, "22:00", "06:00", 'V'), 0);
    ASSERT_LT(type(5, "10:05", "11:00", 'M'), 0);
    zb.texte[0] = "Wartung \xE4";
    zb.texte[2] = std::string(200, 'x');  // longer than a work text: cut to 150
    zb.handModus = true;
    zb.wochen = 2;
    zb.wochenenden = 1;
    zb.wochenPkw = 0;
    zb.wochenendenPkw = 3;
    zb.bereitschaftsListe.fill(0);
    const uint8_t period[5] = {10, 3, 3, 9, 3};
    std::copy(period, period + 5, zb.bereitschaftsListe.begin());

    const std::string expected = u32(2008) + u32(4) +
                                 lineRecord("0308001230", 0x03, "Wartung \xE4") +
                                 lineRecord("0422000600", 0x83, "") +
                                 lineRecord("0510051100", 0xF3, std::string(150, 'x')) +
                                 s(std::string("\x63\x02\x01\x00\x03\x01", 6)) +
                                 s(std::string("\x0A\x03\x03\x09\x03", 5));
    ASSERT_TRUE(zb.Akt_speichern(path));
    EXPECT_EQ(readRaw(), expected);
    EXPECT_TRUE(host.has("disable Speichern"));  // nobody signed in
    EXPECT_FALSE(platform::fileExists(platform::replacementTempPath(path)));
}

TEST_F(MonthFile, AllKindsAndHandModeReadBack) {
    showMonth(2008, 3);
    const char kinds[] = {' ', '!', '-', '+', 'V', 'M'};
    for (int i = 0; i < 6; ++i) ASSERT_LT(type(10 + i, "08:00", "09:00", kinds[i]), 0);
    zb.handModus = true;  // hand mode without periods
    zb.bereitschaftsListe.fill(0);
    zb.wochen = 4;
    zb.wochenenden = 0;
    zb.wochenPkw = 0;
    zb.wochenendenPkw = 1;
    zb.Zuschlaege_neu_berechnen();
    const auto lines = zb.zeilen;
    ASSERT_TRUE(zb.Akt_speichern(path));
    const std::string bytes = readRaw();
    EXPECT_EQ(bytes.substr(bytes.size() - 6), s(std::string("\x63\x04\x00\x00\x01\x00", 6)));

    freshPage(2008, 3);
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(zb.zeilen, lines);
    EXPECT_TRUE(zb.handModus);
    EXPECT_EQ(zb.wochen, 4);
    EXPECT_EQ(zb.wochenendenPkw, 1);
    EXPECT_TRUE(host.has("check ZHand"));
    EXPECT_TRUE(host.has("uncheck ZAutomatik"));
}

TEST_F(MonthFile, RoundTripsRandomPages) {
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto hhmm = [](int minutes) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d:%02d", minutes / 60 % 100, minutes % 60);
        return std::string(b);
    };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int year = pick(1990, 2030);
        const int month = pick(1, 12);
        freshPage(year, month);
        const int days = platform::daysInMonth(year, month);
        // Two periods on some days, never overlapping, in ascending order.
        for (int day = 1; day <= days; ++day) {
            if (pick(0, 2) != 0) continue;
            const int from = pick(0, 10) * 60 + pick(0, 59);
            const int to = from + pick(1, 300);
            ASSERT_LT(type(day, hhmm(from).c_str(), hhmm(to).c_str(), " !-+VM"[pick(0, 5)]), 0);
            if (pick(0, 3) == 0) {
                const int second = to + 30;
                ASSERT_LT(type(day, hhmm(second).c_str(),
                               hhmm(second + pick(1, 1439 - second)).c_str()),
                          0);
            }
        }
        for (size_t i = 0; i + 1 < zb.texte.size(); ++i) {
            std::string text(pick(0, kWorkTextMax), ' ');
            for (char& c : text) c = static_cast<char>(pick(1, 255));
            zb.texte[i] = text;
        }
        if (pick(0, 1)) {
            zb.handModus = true;
            zb.wochen = pick(0, 15);
            zb.wochenenden = pick(0, 15);
            zb.wochenPkw = pick(0, 15);
            zb.wochenendenPkw = pick(0, 15);
            zb.bereitschaftsListe.fill(0);
            const int n = pick(0, 9);
            for (int k = 0; k < n * 5; ++k)
                zb.bereitschaftsListe[k] = static_cast<uint8_t>(k % 5 == 0 ? pick(1, 53) : pick(0, 255));
            zb.Zuschlaege_neu_berechnen();
        }
        const Zeitbuch saved = zb;
        ASSERT_TRUE(zb.Akt_speichern(path));

        freshPage(year, month == 12 ? 1 : month + 1);  // another month is shown
        zb.Akt_laden(path);
        ASSERT_EQ(shownTexts(), std::vector<std::string>{});
        EXPECT_EQ(zb.monat, month);
        EXPECT_EQ(zb.zeilen, saved.zeilen);
        EXPECT_EQ(zb.texte, saved.texte);
        EXPECT_EQ(zb.summen, saved.summen);
        EXPECT_EQ(zb.handModus, saved.handModus);
        EXPECT_EQ(zb.bereitschaftsListe, saved.bereitschaftsListe);
        EXPECT_EQ(zb.wochen, saved.wochen);
        EXPECT_EQ(zb.wochenenden, saved.wochenenden);
        EXPECT_EQ(zb.wochenPkw, saved.wochenPkw);
        EXPECT_EQ(zb.wochenendenPkw, saved.wochenendenPkw);
        EXPECT_EQ(monthFileImage(zb), readRaw());
    }
}

TEST_F(MonthFile, FileWithoutYearAndOtherYears) {
    // A first word below 1900 is the record count of a file without a year.
    std::string old = u32(12);
    for (int day = 1; day <= 12; ++day) {
        const std::string digits = (day < 10 ? "0" : "") + std::to_string(day) + "08000900";
        old += lineRecord(digits.c_str(), 0x02, "");
    }
    writeRaw(old);
    freshPage(2008, 2);
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    ASSERT_EQ(zb.zeilen.size(), 13u);
    EXPECT_EQ(entryPart(zb.zeilen[11]), " 12.0208:00 09:00");
    EXPECT_EQ(zb.jahr, 2008);

    const std::string file2009 = u32(2009) + u32(1) + lineRecord("0108000900", 0x02, "a");
    writeRaw(file2009);
    freshPage(2008, 2);
    zb.angemeldet = true;
    zb.Akt_laden(path);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Achtung");
    EXPECT_EQ(boxes.last().text,
              "Das Aktuelle Jahr ist nicht identisch zu dem Jahr der Daten die geladen werden "
              "sollen.\nDie Anzeige der Wochentage und die Zuschlagsberechnung ist dadurch nicht "
              "richtig!\nDas Geforderte Jahr lautet 2009");
    EXPECT_EQ(zb.jahr, 2008);
    EXPECT_EQ(zb.seitenMonat, 2);
    EXPECT_TRUE(host.has("enable Speichern"));

    zb.angemeldet = false;
    freshPage(2008, 5);
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(zb.jahr, 2009);
    EXPECT_EQ(zb.monat, 2);
    EXPECT_TRUE(host.has("year 2009"));
    EXPECT_FALSE(host.has("enable Speichern"));
}

TEST_F(MonthFile, LinesAreCheckedAgainstTheirOwnMonth) {
    writeRaw(u32(2008) + u32(1) + lineRecord("3108000900", 0x03, "x"));  // 31 March
    freshPage(2008, 2);
    zb.angemeldet = true;
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(zb.monat, 3);
    EXPECT_EQ(zb.seitenMonat, 3);
    ASSERT_EQ(zb.zeilen.size(), 2u);
    EXPECT_EQ(entryPart(zb.zeilen[0]), " 31.0308:00 09:00");
}

TEST_F(MonthFile, LinesOfSeveralMonthsAllLoad) {
    // Signed out, a calendar click changes the month of the entry line while
    // the page keeps its lines: such a page mixes months.
    writeRaw(u32(2008) + u32(2) + lineRecord("2910001100", 0x02, "") +
             lineRecord("3108000900", 0x03, ""));
    freshPage(2008, 1);
    zb.angemeldet = true;
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    ASSERT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(entryPart(zb.zeilen[0]), " 29.0210:00 11:00");
    EXPECT_EQ(entryPart(zb.zeilen[1]), " 31.0308:00 09:00");
    EXPECT_EQ(zb.monat, 3);
    EXPECT_EQ(zb.seitenMonat, 3);
}

TEST_F(MonthFile, HandRecordFirstKeepsLinesBeforeTheTemplate) {
    writeRaw(u32(2008) + u32(3) + s(std::string("\x63\x01\x00\x00\x00\x01", 6)) +
             s(std::string("\x0A\x03\x03\x09\x03", 5)) + lineRecord("0308000900", 0x03, "a") +
             lineRecord("0410001100", 0x03, "b"));
    freshPage(2008, 3);
    zb.Akt_laden(path);
    EXPECT_EQ(boxes.count(), 0u);
    ASSERT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(entryPart(zb.zeilen[0]), " 03.0308:00 09:00");
    EXPECT_EQ(entryPart(zb.zeilen[1]), " 04.0310:00 11:00");
    EXPECT_EQ(zb.texte, (std::vector<std::string>{"a", "b", ""}));
    EXPECT_TRUE(zb.handModus);
    EXPECT_EQ(zb.wochen, 1);
    EXPECT_EQ(zb.bereitschaftsListe[0], 10);
}

TEST_F(MonthFile, DamagedRecordsStopTheLoadAndKeepEarlierLines) {
    const std::string good = lineRecord("0308000900", 0x03, "a");
    struct Case {
        const char* name;
        std::string records;
        uint32_t count;
        std::vector<std::string> extraBoxes;  // shown before "Fehler beim Laden"
    };
    const Case cases[] = {
        {"ends inside a work text", good + s("0410001100\x03") + s("abc"), 2, {}},
        {"line record of 6 bytes", good + s("041000"), 2, {}},
        {"hand record of 5 bytes", good + s(std::string("\x63\x01\x00\x00\x00", 5)), 2, {}},
        {"ten standby periods",
         good + s(std::string("\x63\x00\x00\x00\x00\x0A", 6)) + std::string(50, '\x17'), 2, {}},
        {"short standby period", good + s(std::string("\x63\x00\x00\x00\x00\x01", 6)) + s("\x0A"),
         2, {}},
        {"work text without terminator", good + s("0410001100\x03") + s(std::string(151, 'x')),
         2, {}},
        {"month 13", good + lineRecord("0410001100", 0x0D, ""), 2, {}},
        {"hour 24", good + lineRecord("0424001100", 0x03, ""), 2, {}},
        {"overlaps the line before", good + lineRecord("0308300830", 0x03, ""), 2,
         {"overlap"}},
        {"count larger than the records", good, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeRaw(u32(2008) + u32(c.count) + c.records);
        freshPage(2008, 3);
        zb.Akt_laden(path);
        ASSERT_GE(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, kLoadError);
        EXPECT_EQ(boxes.last().caption, "Fehlerhaftes Datenformat");
        EXPECT_EQ(boxes.count(), 1 + c.extraBoxes.size());
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
    const std::string previous = readRaw();
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
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, "Die Daten konnten nicht gespeichert werden!");
        EXPECT_EQ(boxes.last().caption, "Fehler");
        EXPECT_FALSE(host.has("disable Speichern"));
        EXPECT_EQ(readRaw(), previous);
    }
}

TEST_F(MonthFile, SaveAsWritesAMonthFileWhateverTheName) {
    showMonth(2008, 3);
    ASSERT_LT(type(3, "08:00", "09:00"), 0);
    host.saveAnswers = {dir.file("monat.txt")};
    zb.SpeichernAlsExecute();
    EXPECT_TRUE(host.has("save dialog " + monthFileSaveFilter()));
    std::string bytes;
    ASSERT_TRUE(platform::readWholeFile(dir.file("monat.txt"), bytes));
    EXPECT_EQ(bytes, monthFileImage(zb));
    zb.SpeichernAlsExecute();  // cancelled: nothing happens
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(MonthFile, LoadCommandEndsTheBalanceAndAsksBeforeLoading) {
    writeRaw(u32(2008) + u32(1) + lineRecord("0308000900", 0x03, ""));
    freshPage(2008, 3);
    zb.LadenExecute();  // cancelled
    EXPECT_EQ(host.calls, std::vector<std::string>{"open dialog " + monthFileOpenFilter()});

    host.calls.clear();
    zb.jahresbilanz = true;
    host.openAnswers = {path};
    zb.LadenExecute();
    ASSERT_GE(host.calls.size(), 4u);
    EXPECT_EQ(host.calls[1], "controls normal");
    EXPECT_EQ(host.calls[2], "scroll range") << "the save question clears the page first";
    EXPECT_EQ(zb.zeilen.size(), 2u);
}

// Damaged input: every truncation and random mutations of a valid file.
TEST_F(MonthFile, DamagedFilesNeverCrash) {
    showMonth(2008, 3);
    ASSERT_LT(type(3, "08:00", "09:00"), 0);
    ASSERT_LT(type(3, "22:00", "02:00", 'V'), 0);
    ASSERT_LT(type(7, "10:00", "12:00", '-'), 0);
    zb.texte[0] = "erste";
    zb.texte[2] = "dritte";
    zb.handModus = true;
    zb.bereitschaftsListe[0] = 10;
    const std::string image = monthFileImage(zb);
    const std::vector<std::string> lines(zb.zeilen.begin(), zb.zeilen.end() - 1);

    for (size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        writeRaw(image.substr(0, length));
        freshPage(2008, 3);
        zb.Akt_laden(path);
        ASSERT_EQ(shownTexts(), std::vector<std::string>{kLoadError});
        ASSERT_EQ(zb.zeilen.size(), zb.texte.size());
        for (size_t i = 0; i + 1 < zb.zeilen.size(); ++i)
            EXPECT_EQ(entryPart(zb.zeilen[i]), entryPart(lines[i]));
    }

    std::mt19937 rng(5);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = image;
        for (int e = 1 + static_cast<int>(rng() % 3); e > 0; --e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 3) {
                case 0: bytes[at] = static_cast<char>(rng()); break;
                case 1: bytes.erase(at, 1 + rng() % 6); break;
                default: bytes.insert(at, 1 + rng() % 6, static_cast<char>(rng())); break;
            }
            if (bytes.empty()) bytes = "x";
        }
        writeRaw(bytes);
        freshPage(2008, 3);
        zb.Akt_laden(path);
        ASSERT_EQ(zb.zeilen.size(), zb.texte.size());
        ASSERT_LE(zb.zeilen.size(), 200u);
        const bool complete = host.has("scroll range");
        if (!complete) {
            ASSERT_GE(boxes.count(), 1u);
            ASSERT_EQ(boxes.last().text, kLoadError);
        }
    }
}

}  // namespace
}  // namespace book

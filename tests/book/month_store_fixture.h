// A user database in a temporary folder, built byte by byte from the layout
// tables, and a book signed in as one of its users.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/core/date.h"
#include "platform/core/file.h"
#include "tests/book/sheet_fixture.h"
#include "tests/support/temp_dir.h"

namespace month_test {

constexpr uint8_t kKey = 0x17;

inline void u32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}
inline uint32_t u32At(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + static_cast<size_t>(i)]);
    return v;
}
inline std::string scr(const std::string& plain) {
    std::string s = plain;
    for (char& c : s) c = static_cast<char>(static_cast<uint8_t>(c) ^ kKey);
    return s;
}
// A scrambled text with its terminator.
inline std::string scrText(const std::string& text) {
    return scr(text + std::string(1, '\0'));
}

// A user record: length, block offset, six texts, reserved u32, options, 0.
inline std::string userRecord(uint32_t block, const std::string& name) {
    std::string body = scrText(name) + scrText("pw") + scrText("Name") + scrText("Vorname") +
                       scrText("42") + scrText("Bereich");
    u32(body, 0);
    body.push_back('\0');
    body.push_back('\0');
    std::string r;
    u32(r, static_cast<uint32_t>(8 + body.size()));
    u32(r, block);
    return r + body;
}

// One saved page as the test expects it back.
struct Seite {
    int jahr = 0, monat = 0;
    std::vector<std::string> zeilen, texte;  // without the entry line
    std::array<int32_t, 6> summen{};
    bool hand = false;
    int32_t wochen = 0, wochenenden = 0, wochenPkw = 0, wochenendenPkw = 0;
    book::StandbyList liste{};
};

class MonthStoreTest : public sheet_test::SheetTest {
protected:
    testing_support::TempDir dir;
    std::vector<uint32_t> recordStart;  // index position of each user's record

    void SetUp() override {
        zb.datenOrdner = dir.path();
        zb.angemeldet = true;
        zb.zeitvorschlag = false;
    }
    std::string indexPath() const { return dir.file("Benutzer.log"); }
    std::string blockPath() const { return dir.file("Benutzer.dat"); }

    static std::string read(const std::string& path) {
        std::string bytes;
        platform::readWholeFile(path, bytes);
        return bytes;
    }
    static void write(const std::string& path, const std::string& bytes) {
        platform::File f;
        ASSERT_TRUE(f.open(path, platform::OpenMode::CreateWrite));
        ASSERT_TRUE(f.write(bytes));
        ASSERT_TRUE(f.close());
    }

    // `n` users "u0".."u<n-1>", each with an empty block, in index order.
    void makeUsers(int n) {
        std::string log, dat;
        recordStart.clear();
        for (int i = 0; i < n; ++i) {
            recordStart.push_back(static_cast<uint32_t>(log.size()));
            const auto block = static_cast<uint32_t>(dat.size());
            log += userRecord(block, "u" + std::to_string(i));
            u32(dat, recordStart.back() + 4);
            u32(dat, i + 1 < n ? 12u : 0u);
            u32(dat, 0);
        }
        u32(log, 0);
        write(indexPath(), log);
        write(blockPath(), dat);
    }
    // The user's block offset as the index names it now.
    uint32_t blockOf(int user) const {
        return u32At(read(indexPath()), recordStart[static_cast<size_t>(user)] + 4);
    }
    void signIn(int user) {
        zb.angemeldet = true;
        zb.benutzerName = "u" + std::to_string(user);
        zb.blockPosition = blockOf(user);
    }

    // A cleared page showing (year, month), as every road to a page leaves it.
    void fresh(int year, int month) {
        host.enabled[book::Action::Speichern] = false;
        ASSERT_TRUE(zb.Seite_sichern_fragen());
        zb.handModus = false;
        showMonth(year, month);
        zb.seitenMonat = month;
    }
    void load(int year, int month) {
        fresh(year, month);
        zb.Monat_laden(static_cast<uint8_t>(month), year);
    }
    bool save() {
        host.enabled[book::Action::Speichern] = true;
        return zb.Monat_speichern();
    }

    Seite snapshot() const {
        Seite s;
        s.jahr = zb.jahr;
        s.monat = zb.seitenMonat;
        s.zeilen.assign(zb.zeilen.begin(), zb.zeilen.end() - 1);
        s.texte.assign(zb.texte.begin(), zb.texte.end() - 1);
        s.summen = zb.summen;
        s.hand = zb.handModus;
        if (s.hand) {
            s.wochen = zb.wochen;
            s.wochenenden = zb.wochenenden;
            s.wochenPkw = zb.wochenPkw;
            s.wochenendenPkw = zb.wochenendenPkw;
            s.liste = zb.bereitschaftsListe;
        }
        return s;
    }
    void expectPage(const Seite& want) {
        SCOPED_TRACE(std::to_string(want.monat) + "." + std::to_string(want.jahr));
        const Seite got = snapshot();
        EXPECT_TRUE(zb.seiteGespeichert);
        EXPECT_EQ(got.jahr, want.jahr);
        EXPECT_EQ(got.monat, want.monat);
        EXPECT_EQ(got.zeilen, want.zeilen);
        EXPECT_EQ(got.texte, want.texte);
        EXPECT_EQ(got.summen, want.summen);
        EXPECT_EQ(got.hand, want.hand);
        EXPECT_EQ(got.wochen, want.wochen);
        EXPECT_EQ(got.wochenenden, want.wochenenden);
        EXPECT_EQ(got.wochenPkw, want.wochenPkw);
        EXPECT_EQ(got.wochenendenPkw, want.wochenendenPkw);
        EXPECT_EQ(got.liste, want.liste);
    }

    // Types a random valid page of every line kind into the cleared page of
    // (year, month); hand mode with random counts and periods when asked.
    Seite randomPage(std::mt19937& rng, int year, int month, bool hand) {
        fresh(year, month);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        std::vector<int> days(static_cast<size_t>(zb.monatsLaenge));
        for (size_t d = 0; d < days.size(); ++d) days[d] = static_cast<int>(d) + 1;
        std::shuffle(days.begin(), days.end(), rng);
        const int n = pick(0, 10);
        static const char kMarkers[] = " !-+VM";
        for (int k = 0; k < n; ++k) {
            const int von = pick(0, 1439), bis = (von + pick(1, 900)) % 1440;
            char a[16], b[16];
            std::snprintf(a, sizeof a, "%02d:%02d", von / 60, von % 60);
            std::snprintf(b, sizeof b, "%02d:%02d", bis / 60, bis % 60);
            const int at = zb.aktuelleZeile;
            if (type(days[static_cast<size_t>(k)], a, b, kMarkers[pick(0, 5)]) >= 0) {
                zb.Zeile_auswaehlen(lastIndex(), true, false);
                continue;
            }
            std::string text(static_cast<size_t>(pick(0, 150)), ' ');
            for (char& c : text) c = static_cast<char>(pick(1, 255));
            zb.texte[static_cast<size_t>(at)] = text;
        }
        if (hand) {
            zb.handModus = true;
            zb.wochen = pick(0, 15);
            zb.wochenenden = pick(0, 15);
            zb.wochenPkw = pick(0, 15);
            zb.wochenendenPkw = pick(0, 14);  // four 15s would read back as zeros
            zb.bereitschaftsListe.fill(0);
            const int periods = pick(0, 9);
            for (int p = 0; p < periods; ++p) {
                uint8_t* r = zb.bereitschaftsListe.data() + 5 * p;
                r[0] = static_cast<uint8_t>(pick(1, 53) | (pick(0, 3) << 6));
                r[1] = static_cast<uint8_t>(pick(1, 28));
                r[2] = static_cast<uint8_t>(pick(1, 12));
                r[3] = static_cast<uint8_t>(pick(1, 28));
                r[4] = static_cast<uint8_t>(pick(1, 12));
            }
        }
        zb.seitenMonat = month;
        return snapshot();
    }
};

}  // namespace month_test

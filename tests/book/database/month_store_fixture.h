// A user database in a temporary folder, built byte by byte from the layout
// tables, and a book signed in as one of its users.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/core/date.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/sheet/sheet_fixture.h"
#include "tests/support/temp_dir.h"

namespace month_test {

using dbtest::readFile;
using dbtest::u32;

inline uint32_t u32At(const std::string& s, size_t at) {
    return book::getU32(reinterpret_cast<const uint8_t*>(s.data()) + at);
}
inline std::string userRecord(uint32_t block, const std::string& name) {
    return dbtest::record(block, {name, "pw", "Name", "Vorname", "42", "Bereich"}, 0);
}

// One saved page as the test expects it back.
struct Seite {
    int jahr = 0, monat = 0;
    std::vector<std::string> zeilen, texte;  // without the entry line
    std::array<int32_t, 6> summen{};
    bool hand = false;
    std::array<int32_t, 4> zahlen{};  // hand-mode counts
    book::StandbyList liste{};
    bool operator==(const Seite&) const = default;
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

    // `n` users "u0".."u<n-1>", each with an empty block, in index order.
    void makeUsers(int n) {
        std::string log, dat;
        recordStart.clear();
        for (int i = 0; i < n; ++i) {
            recordStart.push_back(static_cast<uint32_t>(log.size()));
            log += userRecord(static_cast<uint32_t>(dat.size()), "u" + std::to_string(i));
            dat += dbtest::blockHead(recordStart.back() + 4, i + 1 < n ? 12u : 0u, 0);
        }
        dbtest::writeFile(indexPath(), log + u32(0));
        dbtest::writeFile(blockPath(), dat);
    }
    // The user's block offset as the index names it now.
    uint32_t blockOf(int user) const {
        return u32At(readFile(indexPath()), recordStart[static_cast<size_t>(user)] + 4);
    }
    void signIn(int user) {
        zb.angemeldet = true;
        zb.benutzerName = "u" + std::to_string(user);
        zb.blockPosition = blockOf(user);
        zb.passwort = "pw";
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
        Seite s{zb.jahr,
                zb.seitenMonat,
                {zb.zeilen.begin(), zb.zeilen.end() - 1},
                {zb.texte.begin(), zb.texte.end() - 1},
                zb.summen,
                zb.handModus};
        if (s.hand) {
            s.zahlen = {zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw};
            s.liste = zb.bereitschaftsListe;
        }
        return s;
    }
    void expectPage(const Seite& want) {
        EXPECT_TRUE(zb.seiteGespeichert);
        EXPECT_TRUE(snapshot() == want) << want.monat << "." << want.jahr;
    }
    void setHand(std::array<int, 4> counts, std::vector<uint8_t> periods) {
        zb.handModus = true;
        zb.wochen = counts[0], zb.wochenenden = counts[1];
        zb.wochenPkw = counts[2], zb.wochenendenPkw = counts[3];
        zb.bereitschaftsListe.fill(0);
        std::copy(periods.begin(), periods.end(), zb.bereitschaftsListe.begin());
    }

    // Types a random valid page of every line kind into the cleared page of
    // (year, month); hand mode with random counts and periods when asked.
    Seite randomPage(std::mt19937& rng, int year, int month, bool hand) {
        fresh(year, month);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        std::vector<int> days(static_cast<size_t>(zb.monatsLaenge));
        for (size_t d = 0; d < days.size(); ++d) days[d] = static_cast<int>(d) + 1;
        std::shuffle(days.begin(), days.end(), rng);
        for (int k = 0, n = pick(0, 10); k < n; ++k) {
            const int von = pick(0, 1439), bis = (von + pick(1, 900)) % 1440;
            char a[16], b[16];
            std::snprintf(a, sizeof a, "%02d:%02d", von / 60, von % 60);
            std::snprintf(b, sizeof b, "%02d:%02d", bis / 60, bis % 60);
            const int at = zb.aktuelleZeile;
            if (type(days[static_cast<size_t>(k)], a, b, " !-+VM"[pick(0, 5)]) >= 0) {
                zb.Zeile_auswaehlen(lastIndex(), true, false);
                continue;
            }
            std::string text(static_cast<size_t>(pick(0, 150)), ' ');
            for (char& c : text) c = static_cast<char>(pick(1, 255));
            zb.texte[static_cast<size_t>(at)] = text;
        }
        if (hand) {
            std::vector<uint8_t> periods;
            for (int p = 0, n = pick(0, 9); p < n; ++p)
                periods.insert(
                    periods.end(),
                    {static_cast<uint8_t>(pick(1, 53) | pick(0, 3) << 6),
                     static_cast<uint8_t>(pick(1, 28)), static_cast<uint8_t>(pick(1, 12)),
                     static_cast<uint8_t>(pick(1, 28)), static_cast<uint8_t>(pick(1, 12))});
            // Four 15s would read back as zeros.
            setHand({pick(0, 15), pick(0, 15), pick(0, 15), pick(0, 14)}, periods);
        }
        zb.seitenMonat = month;
        return snapshot();
    }
};

}  // namespace month_test

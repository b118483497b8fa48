#include <gtest/gtest.h>

#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

Database single(const std::string& name, const std::string& pw, uint8_t options = 0) {
    return {record(0, {name, pw, "", "", "", ""}, options) + u32(0), blockHead(4, 0, 0)};
}

TEST(SignIn, AdministratorAndUsers) {
    Fixture f(twoUsers());
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung("", "8541"));
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("", "8542"));
    EXPECT_TRUE(f.zb.angemeldet && f.zb.administrator && f.zb.adminAngemeldet);
    EXPECT_EQ(f.zb.nachname + f.zb.benutzerName, "Administrator");
    EXPECT_FALSE(f.zb.benutzerBlockAktiv());
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(f.zb.passwort + f.zb.nachname + f.zb.vorname + f.zb.personalNr + f.zb.bereich,
              "pw1AltAnna17IT");
    EXPECT_TRUE(f.zb.angemeldet && f.zb.benutzerBlockAktiv() && f.zb.blockPosition == 0);
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
    EXPECT_EQ(f.zb.blockPosition, kBertBlock);
    // Wrong or partial entries fail silently.
    for (auto [name, pw] : {std::pair{"anna", "pw2"},
                            {"anna", ""},
                            {"ann", "pw1"},
                            {"annax", "pw1"},
                            {"bert", "pw1"},
                            {"nobody", "x"},
                            {"", ""}})
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung(name, pw)) << name;
    EXPECT_EQ(boxes.count(), 0u);
    // Twenty characters sign in; longer entries never match.
    const std::string name(20, 'n'), pw(20, 'p');
    f.install(single(name, pw));
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung(name, pw));
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung(name + "n", pw) || f.zb.Pruefe_Anmeldung(name, pw + "p"));
    // The first record whose password matches wins.
    const std::string r1 = record(0, {"max", "eins", "", "", "", ""}, 0);
    const std::string r2 = record(12, {"max", "zwei", "", "", "", ""}, 0);
    f.install({r1 + r2 + record(24, {"max", "zwei", "", "", "", ""}, 0) + u32(0),
               blockHead(4, 12, 0) + blockHead(r1.size() + 4, 12, 0) +
                   blockHead(r1.size() + r2.size() + 4, 0, 0)});
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("max", "zwei"));
    EXPECT_EQ(f.zb.blockPosition, 12);
    // A load finds that first record's own block again, whatever was kept.
    f.zb.blockPosition = 24;
    f.zb.Monat_laden(0, 0);
    EXPECT_EQ(f.zb.blockPosition, 12);
}

TEST(SignIn, OptionBitsSetTheFlags) {
    bool Zeitbuch::*const flags[8] = {&Zeitbuch::mathRunden,    &Zeitbuch::pkw,
                                      &Zeitbuch::adminFreigabe, &Zeitbuch::administrator,
                                      &Zeitbuch::proTag,        &Zeitbuch::ganzeWochen,
                                      &Zeitbuch::zeitvorschlag, &Zeitbuch::handModus};
    for (int bit = 0; bit < 8; ++bit) {
        for (const bool on : {false, true}) {
            SCOPED_TRACE(bit * 10 + on);
            Fixture f(single("u", "p", on ? 1 << bit : 0));
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung("u", "p"));
            EXPECT_EQ(f.zb.*flags[bit], on != (bit == 6));  // 0x40 switches the proposal off
        }
    }
}

TEST(SignIn, IndexProblemsAreReported) {
    const std::string good = record(0, {"u", "p", "", "", "", ""}, 0);
    std::string badZero = good;
    badZero.back() = 1;  // the byte behind the options
    std::string longName = good;
    longName.replace(8, 2, scrambled(std::string(30, 'u')));  // no terminator within 21 bytes
    const std::string cases[] = {u32(500) + std::string(600, 'x'), u32(19) + std::string(40, 'x'),
                                 good.substr(0, good.size() - 1), longName + u32(0),
                                 badZero + u32(0)};
    for (const auto& log : cases) {
        Fixture f;
        writeFile(f.logPath(), log);
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung("u", "p"));
        EXPECT_EQ(boxes.count(), 1u);
        EXPECT_EQ(lastBox(boxes), "Fehler in der Benutzerverwaltung|Fehlerhaftes Datenformat");
        EXPECT_FALSE(f.zb.angemeldet);
    }
    // An index shorter than its end mark holds no users: refused without a word.
    for (const std::string& log :
         {std::string(), std::string(1, 20), std::string("\x14\x00", 2), std::string(3, 0)}) {
        Fixture f;
        writeFile(f.logPath(), log);
        writeFile(f.datPath(), "");
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung("u", "p"));
        EXPECT_EQ(boxes.count(), 0u);
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
    // No user files at all is a new installation: refused without a word. A block file
    // without its index is a database that cannot be opened.
    Fixture none;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(none.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(boxes.count(), 0u);
    writeFile(none.datPath(), "");
    EXPECT_FALSE(none.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(lastBox(boxes), "Kein Zugriff auf die Datenbank!|Fehler in der Benutzerverwaltung");
}

TEST(UserNameTaken, FindsOtherRecordsOnly) {
    Fixture f;
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", false));  // no index yet
    f.install(twoUsers());
    EXPECT_TRUE(f.zb.Benutzername_vorhanden("anna", false));
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("ann", false) ||
                 f.zb.Benutzername_vorhanden("Anna", false));
    f.zb.blockPosition = 0;  // anna edits her own record
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", true));
    EXPECT_TRUE(f.zb.Benutzername_vorhanden("bert", true));
    writeFile(f.logPath(), "\x30");
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", false));
}

}  // namespace
}  // namespace book

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;
using ::testing::ElementsAre;
using Calls = std::vector<std::string>;

Database single(const std::string& name, const std::string& pw, uint8_t options = 0) {
    return {record(0, {name, pw, "", "", "", ""}, options) + u32(0), blockHead(4, 0, 0)};
}

TEST(SignIn, AdministratorWithEmptyUserName) {
    Fixture f;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung("", ""));
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung("", "8541"));
    EXPECT_TRUE(f.host.calls.empty());
    f.zb.benutzerName = "anna";
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("", "8542"));
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_TRUE(f.zb.angemeldet && f.zb.administrator && f.zb.adminAngemeldet);
    EXPECT_EQ(f.zb.nachname + f.zb.benutzerName, "Administrator");
    EXPECT_FALSE(f.zb.benutzerBlockAktiv());
    EXPECT_TRUE(f.host.has("caption Nicht Angemeldet"));  // the signed-out display comes first
    EXPECT_THAT(Calls(f.host.calls.end() - 3, f.host.calls.end()),
                ElementsAre("caption Administrator angemeldet", "open administration", "enable Abmelden"));
}

TEST(SignIn, UserFillsTheBookFromTheRecord) {
    Fixture f(twoUsers());
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(Calls({f.zb.benutzerName, f.zb.passwort, f.zb.nachname, f.zb.vorname, f.zb.personalNr,
                     f.zb.bereich}),
              Calls({"anna", "pw1", "Alt", "Anna", "17", "IT"}));
    EXPECT_EQ(f.zb.blockPosition, 0);
    EXPECT_TRUE(f.zb.angemeldet && f.zb.benutzerBlockAktiv());
    EXPECT_TRUE(f.host.has("controls normal") && f.host.has("enable MonthNavigation"));
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
    EXPECT_EQ(f.zb.blockPosition, kBertBlock);
    EXPECT_EQ(f.zb.bereich, "");
}

TEST(SignIn, WrongOrMissingCredentialsFailSilently) {
    Fixture f(twoUsers());
    platform::ScriptedMessages boxes;
    for (auto [name, pw] : {std::pair{"anna", "pw2"}, {"anna", ""}, {"ann", "pw1"}, {"annax", "pw1"},
                            {"bert", "pw1"}, {"nobody", "x"}})
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung(name, pw)) << name;
    EXPECT_EQ(boxes.count(), 0u);
    // Twenty characters sign in; longer entries never match.
    const std::string name(20, 'n'), pw(20, 'p');
    f.install(single(name, pw));
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung(name, pw));
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung(name + "n", pw));
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung(name, pw + "p"));
}

TEST(SignIn, TheFirstRecordWhosePasswordMatchesWins) {
    const std::string r1 = record(0, {"max", "eins", "", "", "", ""}, 0);
    const std::string r2 = record(12, {"max", "zwei", "", "", "", ""}, 0);
    Fixture f({r1 + r2 + record(24, {"max", "zwei", "", "", "", ""}, 0) + u32(0),
               blockHead(4, 12, 0) + blockHead(r1.size() + 4, 12, 0) +
                   blockHead(r1.size() + r2.size() + 4, 0, 0)});
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("max", "zwei"));
    EXPECT_EQ(f.zb.blockPosition, 12);
}

TEST(SignIn, OptionBitsSetFlagsAndMenus) {
    const struct { uint8_t bit; bool Zeitbuch::*flag; bool setWhenBit; const char* hostCall; } bits[] = {
        {0x01, &Zeitbuch::mathRunden, true, "check Runden"},  {0x02, &Zeitbuch::pkw, true, "check PKW_Berechnung"},
        {0x04, &Zeitbuch::adminFreigabe, true, nullptr},      {0x08, &Zeitbuch::administrator, true, "show Admin"},
        {0x10, &Zeitbuch::proTag, true, "check Tageweise"},   {0x20, &Zeitbuch::ganzeWochen, true, "check GanzeWochen1"},
        {0x40, &Zeitbuch::zeitvorschlag, false, nullptr},     {0x80, &Zeitbuch::handModus, true, "check ZHand"},
    };
    for (const auto& b : bits) {
        for (const bool on : {false, true}) {
            SCOPED_TRACE(int{b.bit} * 10 + on);
            Fixture f(single("u", "p", on ? b.bit : 0));
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung("u", "p"));
            EXPECT_EQ(f.zb.*b.flag, on == b.setWhenBit);
            EXPECT_EQ(f.zb.benutzerOptionen, on ? b.bit : 0);
            if (b.hostCall) { EXPECT_EQ(f.host.has(b.hostCall), on); }
            if (b.bit == 0x80 && !on) {
                EXPECT_TRUE(f.host.has("check ZAutomatik") && f.host.has("hide Zuschlagskorrektur"));
            }
        }
    }
}

TEST(SignIn, MenusFollowTheWindowsThatAreOpen) {
    const struct {
        bool adminOpen, signInShowing, editing;
        bool adminMenus, userSettings;
    } cases[] = {{false, false, true, false, true},
                 {true, false, true, true, true},
                 {true, true, false, false, true},
                 {false, false, false, false, false}};
    for (const auto& c : cases) {
        Fixture f(twoUsers());
        f.host.adminOpen = c.adminOpen;
        f.host.signInShowing = c.signInShowing;
        f.zb.bearbeitungErlaubt = c.editing;
        ASSERT_TRUE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
        EXPECT_EQ(f.host.has("show MenuePasswort"), c.adminMenus);
        EXPECT_EQ(f.host.has("enable Benutzereinstellungen"), c.userSettings);
    }
}

TEST(SignIn, IndexProblemsAreReported) {
    const std::string good = record(0, {"u", "p", "", "", "", ""}, 0);
    std::string badZero = good;
    badZero.back() = 1;  // the byte behind the options
    std::string longName = good;
    longName.replace(8, 2, scrambled(std::string(30, 'u')));  // no terminator within 21 bytes
    const std::string cases[] = {"\x14\x00",  u32(500) + std::string(600, 'x'),
                                 u32(19) + std::string(40, 'x'), good.substr(0, good.size() - 1),
                                 longName + u32(0), badZero + u32(0)};
    for (const auto& log : cases) {
        Fixture f;
        writeFile(f.logPath(), log);
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung("u", "p"));
        EXPECT_EQ(boxes.count(), 1u);
        EXPECT_EQ(lastBox(boxes), "Fehler in der Benutzerverwaltung|Fehlerhaftes Datenformat") << log.size();
        EXPECT_FALSE(f.zb.angemeldet);
    }
    Fixture none;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(none.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(lastBox(boxes), "Kein Zugriff auf die Datenbank!|Fehler in der Benutzerverwaltung");
}

TEST(UserNameTaken, FindsOtherRecordsOnly) {
    Fixture f;
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", false));  // no index yet
    f.install(twoUsers());
    EXPECT_TRUE(f.zb.Benutzername_vorhanden("anna", false) && f.zb.Benutzername_vorhanden("bert", false));
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("ann", false) || f.zb.Benutzername_vorhanden("Anna", false));
    f.zb.blockPosition = 0;  // anna edits her own record
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", true));
    EXPECT_TRUE(f.zb.Benutzername_vorhanden("bert", true));
    writeFile(f.logPath(), "\x30");
    EXPECT_FALSE(f.zb.Benutzername_vorhanden("anna", false));
}

TEST(SignOutDisplay, ClearsThePageAndSwitchesTheWindow) {
    Fixture f;
    f.zb.angemeldet = f.zb.adminFreigabe = f.zb.ganzeWochen = true;
    f.zb.zeitvorschlag = false;
    f.zb.zeilen.insert(f.zb.zeilen.begin(), std::string(59, ' '));
    f.zb.texte.insert(f.zb.texte.begin(), "x");
    f.zb.Abgemeldet_anzeigen();
    EXPECT_EQ(f.zb.zeilen.size(), 1u);  // the page was cleared
    EXPECT_FALSE(f.zb.angemeldet || f.zb.adminFreigabe || f.zb.ganzeWochen);
    EXPECT_TRUE(f.zb.zeitvorschlag);
    EXPECT_THAT(Calls(std::find(f.host.calls.begin(), f.host.calls.end(), "caption Nicht Angemeldet"),
                      f.host.calls.end()),
                ElementsAre("caption Nicht Angemeldet", "controls normal", "disable Bilanz",
                            "disable Abmelden", "disable Benutzereinstellungen",
                            "disable MonthNavigation", "uncheck GanzeWochen1", "hide Admin",
                            "hide Zuschlagskorrektur", "hide MenuePasswort", "year block off"));
}

}  // namespace
}  // namespace book

// A journal is trusted only after its checks against the files: crafted
// journals (and things that are no journal) under its name are never
// applied, leave both files as they are, are set aside under a name that
// says so with a message naming them, and the user can still sign in and save.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "book/database/db_journal.h"
#include "platform/core/path.h"
#include "tests/book/database/journal_fixture.h"

namespace book {
namespace {

using namespace dbtest;

// Names in the data folder that start with "Benutzer.jnl.defekt ".
std::vector<std::string> setAside(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("Benutzer.jnl.defekt ", 0) == 0) names.push_back(name);
    }
    return names;
}

bool journalNamePresent(const std::string& dir) {
    struct stat st {};
    return ::lstat(platform::osPath(journalPath(dir)).c_str(), &st) == 0;
}

TEST(JournalCheck, CraftedJournalsAreSetAsideNeverApplied) {
    const Database db = twoUsers();
    const uint64_t logLen = db.log.size(), datLen = db.dat.size();
    // Would put back bert's block cut to 10 bytes less: damaging, if followed.
    const std::string cutting = journal(logLen, datLen - 10, {});
    struct Case {
        const char* what;
        std::function<void(Fixture&)> plant;
    };
    const Case cases[] = {
        {"length beyond the files",
         [&](Fixture& f) { writeFile(journalPath(f.dir.path()), journal(1ULL << 63, datLen, {})); }},
        {"block file longer than the journal can fill",
         [&](Fixture& f) { writeFile(journalPath(f.dir.path()), journal(logLen, datLen + 50, {})); }},
        {"region outside the file",
         [&](Fixture& f) {
             writeFile(journalPath(f.dir.path()),
                       journal(logLen, datLen, {{1, datLen - 4, std::string(100, 'x')}}));
         }},
        {"region length beyond the journal",
         [&](Fixture& f) {
             writeFile(journalPath(f.dir.path()),
                       journal(logLen, datLen, {{0, 0, "abcd", 1ULL << 40}}));
         }},
        {"both lengths 0", [&](Fixture& f) { writeFile(journalPath(f.dir.path()), journal(0, 0, {})); }},
        {"checksum flip",
         [&](Fixture& f) {
             std::string j = cutting;
             j.back() = static_cast<char>(j.back() ^ 1);
             writeFile(journalPath(f.dir.path()), j);
         }},
        {"link",
         [&](Fixture& f) {
             writeFile(f.dir.file("elsewhere"), cutting);
             ASSERT_EQ(::symlink(f.dir.file("elsewhere").c_str(), journalPath(f.dir.path()).c_str()), 0);
         }},
        {"folder", [&](Fixture& f) { ASSERT_TRUE(platform::createDir(journalPath(f.dir.path()))); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(db);
        c.plant(f);
        platform::ScriptedMessages boxes;
        EXPECT_TRUE(f.zb.Datenbank_pruefen()) << int{f.zb.datenbankFehler};
        EXPECT_TRUE(f.unchanged(db));
        EXPECT_FALSE(journalNamePresent(f.dir.path()));
        const std::vector<std::string> aside = setAside(f.dir.path());
        ASSERT_EQ(aside.size(), 1u);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_NE(boxes.last().text.find("\"Benutzer.jnl\""), std::string::npos);
        EXPECT_NE(boxes.last().text.find("\"" + aside[0] + "\""), std::string::npos);
        EXPECT_EQ(boxes.last().caption, "Achtung Fehler");
        if (std::string(c.what) == "link") {
            EXPECT_EQ(readFile(f.dir.file("elsewhere")), cutting);
        }
        // The user goes on as before.
        EXPECT_EQ(f.zb.datenbankFehler, 0);
        EXPECT_TRUE(saveAnnasMarch(f.zb));
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(boxes.count(), 1u);
    }
}

// What a change really leaves is still put back without a word: a journal
// whose change appended to the block file, and one that only shrank it.
TEST(JournalCheck, JournalsThatFitTheFilesAreRolledBack) {
    const Database db = twoUsers();
    const std::string tail(40, '\x5A');
    struct Case {
        const char* what;
        Database now;
        std::string journal;
    };
    const Case cases[] = {
        {"appended", {db.log, db.dat + tail}, journal(db.log.size(), db.dat.size(), {})},
        {"shrunk",
         {db.log, db.dat.substr(0, db.dat.size() - 30)},
         journal(db.log.size(), db.dat.size(),
                 {{1, db.dat.size() - 30, db.dat.substr(db.dat.size() - 30)}})},
        {"first user", {record(0, {"a", "", "", "", "", ""}, 0) + u32(0), blockHead(4, 0, 0)},
         journal(0, 0, {})},
        {"without its magic: dropped, the files stand",
         {db.log, db.dat},
         std::string(8, '\0') + journal(1ULL << 63, 0, {}).substr(8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(c.now);
        writeFile(journalPath(f.dir.path()), c.journal);
        platform::ScriptedMessages boxes;
        f.zb.Datenbank_pruefen();
        EXPECT_EQ(boxes.count(), 0u);
        EXPECT_FALSE(journalNamePresent(f.dir.path()));
        EXPECT_TRUE(setAside(f.dir.path()).empty());
        if (c.journal.substr(0, 8) == "KLBJRNL1") {
            EXPECT_EQ(f.files().dat, c.what == std::string("first user") ? "" : db.dat);
        } else {
            EXPECT_TRUE(f.unchanged(c.now));
        }
    }
}

}  // namespace
}  // namespace book

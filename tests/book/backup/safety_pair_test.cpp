// The safety copies taken at start: a database without users never replaces
// copies that hold users, and the pair "Benutzerdat.bak"/"Benutzerlog.bak"
// changes as one. The start-up's copies are cut after every write, failed
// with ENOSPC at every write, and replayed in every state a power cut may
// leave; each time the restore that follows takes a whole pair, old or new.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <random>
#include <set>

#include "book/backup/backup.h"
#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/codepage.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/database/pending_pieces.h"

namespace book {
namespace {

using namespace dbtest;

const std::string kNoUsersQuestion = platform::cp1252(
    "Die Datenbank enthält keine Benutzer, die Sicherungskopie der Datenbank aber schon.\n"
    "Soll die Sicherungskopie wiederhergestellt werden?\nBei \"Nein\" wird die Sicherungskopie "
    "nicht ersetzt, bis die Datenbank wieder Benutzer enthält.");
const std::string kRestoreQuestion = platform::cp1252(
    "Soll die alte Version der Datenbank wiederhergestellt werden?\n"
    "Alle geänderten Daten nach dem letzten fehlerfreien Start des\n"
    "Programms gehen dabei verloren!");

Database copies(const std::string& dir) {
    return {readFile(dir + "/" + kSafetyCopyLog), readFile(dir + "/" + kSafetyCopyDat)};
}
void putCopies(const std::string& dir, const Database& db) {
    writeFile(dir + "/" + kSafetyCopyLog, db.log);
    writeFile(dir + "/" + kSafetyCopyDat, db.dat);
}
bool same(const Database& a, const Database& b) {
    return a.log == b.log && a.dat == b.dat;
}
// Nothing of a replacement is left beside the pair.
bool tidy(const std::string& dir) {
    for (const char* name : {kSafetyCopyRecord, "Benutzerdat.bak.neu", "Benutzerlog.bak.neu"})
        if (platform::fileExists(dir + "/" + name)) return false;
    return true;
}
// The start-up as the main window runs it: the check, then the copies or
// the restore. True when the check passed.
bool startUpAsked(const std::string& dir, uint8_t* fault = nullptr) {
    NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    const bool sound = zb.Datenbank_pruefen();
    if (fault) *fault = zb.datenbankFehler;
    zb.Datenbank_sichern_wiederherstellen(sound);
    return sound;
}
// The start-up of a database that passes the check: the copies.
void startUp(const std::string& dir) {
    ASSERT_TRUE(startUpAsked(dir));
}
// The restore the start offers after a failed check, answered as scripted
// (Yes by default); true when it restored.
bool restore(const std::string& dir) {
    NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    zb.datenbankFehler = 4;
    zb.Datenbank_sichern_wiederherstellen(false);
    return zb.datenbankFehler == 0;
}
// The database damaged, then restored: the pair the restore took.
Database restored(const std::string& dir) {
    writeFile(indexPath(dir), "kaputt");
    platform::ScriptedMessages boxes;
    EXPECT_TRUE(restore(dir)) << lastBox(boxes);
    EXPECT_TRUE(tidy(dir));
    return {readFile(indexPath(dir)), readFile(blockPath(dir))};
}

// The restore point before the start: one user with one page.
Database oldPair() {
    return oneUser({annaMarch(true)});
}

// A database without users never empties a restore point that holds users.
// One that passes the check keeps the copies and asks whether to restore
// them (No keeps them, Yes restores); an index cut to nothing fails the
// check ("H") and the start offers the restore. A first user's addition
// that was undone, copies without users, no copies, or a database with
// users (even fewer) start quietly and renew the copies. A user added later
// ends the wait.
TEST(SafetyCopies, ADatabaseWithoutUsersNeverEmptiesTheRestorePoint) {
    const Database endMark{u32(0), ""};
    enum Start { kQuiet, kAsked, kFault };
    struct Case {
        const char* what;
        Database db;
        std::optional<Database> before;  // the copies before the start
        Start start;
    };
    const Case cases[] = {
        {"two empty files", {"", ""}, twoUsers(), kFault},
        {"index cut short", {u32(0).substr(0, 3), ""}, twoUsers(), kFault},
        {"end mark only", endMark, twoUsers(), kAsked},
        {"first user's add undone", {"", ""}, std::nullopt, kQuiet},
        {"copies without users", endMark, endMark, kQuiet},
        {"no copies yet", endMark, std::nullopt, kQuiet},
        {"fewer users", oneUser({}), twoUsers(), kQuiet},
    };
    for (const Case& c : cases) {
        for (const platform::Answer answer : {platform::Answer::No, platform::Answer::Yes}) {
            SCOPED_TRACE(std::string(c.what) + (answer == platform::Answer::Yes ? " Yes" : " No"));
            Fixture f(c.db);
            if (c.before) putCopies(f.dir.path(), *c.before);
            platform::ScriptedMessages boxes;
            boxes.answer(answer);
            uint8_t fault = 0;
            EXPECT_EQ(startUpAsked(f.dir.path(), &fault), c.start != kFault);
            EXPECT_EQ(fault, c.start == kFault ? 24 : 0);
            if (c.start == kQuiet) {
                EXPECT_EQ(boxes.count(), 0u);
                EXPECT_TRUE(same(copies(f.dir.path()), c.db));
                break;
            }
            ASSERT_EQ(boxes.count(), 1u) << lastBox(boxes);
            EXPECT_EQ(boxes.last().text, c.start == kAsked ? kNoUsersQuestion : kRestoreQuestion);
            EXPECT_EQ(boxes.last().buttons, platform::Buttons::YesNo);
            EXPECT_TRUE(same(copies(f.dir.path()), *c.before));
            const bool restored = answer == platform::Answer::Yes;
            EXPECT_TRUE(same(f.files(), restored ? *c.before : c.db));
            if (restored || c.start == kFault) continue;
            f.install(endMark);
            ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
            boxes.clear();
            startUp(f.dir.path());
            EXPECT_EQ(boxes.count(), 0u);
            EXPECT_TRUE(same(copies(f.dir.path()), f.files()));
        }
    }
}

// Something planted under the pair's names: a link under a new copy's name
// is removed, never written through; a folder under a new copy's or the
// record's name is named by the copies' message, and the restore takes the
// old pair; a folder in place of a copy is named by the restore too, which
// has nothing to take. Garbage waiting beside a commit record fails the
// check and is set aside with a message: the old pair stays (and the start
// goes on to renew it).
TEST(SafetyCopies, PlantedNamesOfTheNewCopies) {
    const std::string fresh = std::string(kSafetyCopyDat) + kFreshCopySuffix;
    // name, planted: 'l'ink, 'f'older, 'g'arbage beside a record; named; renewed by the start
    const std::tuple<std::string, char, bool, bool> cases[] = {
        {fresh, 'l', false, true},           {fresh, 'f', true, false},
        {kSafetyCopyRecord, 'f', true, false}, {kSafetyCopyLog, 'f', true, false},
        {fresh, 'g', false, true}};
    for (const auto& [name, planted, named, renewed] : cases) {
        for (const bool start : {true, false}) {
            SCOPED_TRACE(name + " " + planted + (start ? " start" : ""));
            Fixture f(twoUsers());
            const std::string dir = f.dir.path(), path = f.dir.file(name);
            putCopies(dir, oldPair());
            writeFile(f.dir.file("victim"), "keep");
            platform::deleteFile(path);
            ASSERT_TRUE(planted != 'l' ||
                        ::symlink(f.dir.file("victim").c_str(), path.c_str()) == 0);
            ASSERT_TRUE(planted != 'f' || platform::createDir(path));
            if (planted == 'g') writeFile(path, "Benutzer.dat?");
            if (planted == 'g') writeFile(f.dir.file(kSafetyCopyRecord), "");
            platform::ScriptedMessages boxes;
            if (start) startUp(dir);
            const Database want = start && renewed ? twoUsers() : oldPair();
            EXPECT_EQ(copies(dir).dat, want.dat);
            writeFile(indexPath(dir), "kaputt");
            const bool restorable = name != kSafetyCopyLog;
            EXPECT_EQ(restore(dir), restorable);
            EXPECT_TRUE(!restorable || (same(f.files(), want) && tidy(dir)));
            std::string shown;
            for (const platform::MessageRequest& m : boxes.shown()) shown += m.text + "|";
            EXPECT_EQ(shown.find("Namen \"" + name + "\"") != std::string::npos,
                      named && (start || !restorable))
                << shown;
            EXPECT_EQ(shown.find(".neu.defekt ") != std::string::npos, planted == 'g') << shown;
            EXPECT_EQ(readFile(f.dir.file("victim")), "keep");
        }
    }
}

// The start-up's copies as in `recorded`: its count of write-like calls.
int copyCalls() {
    Fixture f(twoUsers());
    putCopies(f.dir.path(), oldPair());
    platform::ScriptedMessages boxes;
    platform::resetWriteCallCount();
    startUp(f.dir.path());
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_TRUE(same(copies(f.dir.path()), twoUsers()) && tidy(f.dir.path()));
    return platform::writeCallCount();
}

TEST(SafetyCopies, CutAfterEveryWriteAndFullDiskAtEveryWrite) {
    const int calls = copyCalls();
    ASSERT_GE(calls, 8);
    for (int k = 1; k <= calls; ++k) {
        SCOPED_TRACE("write " + std::to_string(k));
        for (const bool crash : {true, false}) {
            Fixture f(twoUsers());
            putCopies(f.dir.path(), oldPair());
            platform::ScriptedMessages boxes;
            (crash ? platform::injectCrashAfter : platform::injectWriteFailure)(k);
            startUp(f.dir.path());
            platform::injectCrashAfter(0);
            platform::injectWriteFailure(0);
            if (!crash) {
                // Success only with the new pair in place; a failure says so.
                const bool ok = boxes.count() == 0;
                if (ok) {
                    EXPECT_TRUE(same(copies(f.dir.path()), twoUsers()));
                } else {
                    EXPECT_EQ(boxes.last().caption, "Achtung Fehler");
                }
            }
            const Database now = restored(f.dir.path());
            EXPECT_TRUE(same(now, oldPair()) || same(now, twoUsers())) << (crash ? "cut" : "full");
        }
    }
}

// What a power cut may leave of the recorded calls, names and contents apart:
// a file's bytes as of its last sync plus any of its later 512-byte pieces;
// a folder's entries as of its last sync plus any of the later creations,
// renames and removals, in order. A copy inside the kernel writes the bytes
// the copy ends up with into the file created last.
class PowerCut {
public:
    PowerCut(const std::map<std::string, std::string>& files,
             std::map<std::string, std::string> finalBytes)
        : final_(std::move(finalBytes)) {
        for (const auto& [path, bytes] : files) {
            inodes_.push_back({bytes, bytes, {}});
            names_[path] = durable_[path] = static_cast<int>(inodes_.size()) - 1;
        }
    }

    void apply(const platform::FileEvent& e) {
        using K = platform::FileEvent;
        switch (e.kind) {
            case K::Create:
                inodes_.push_back({"", "", {}});
                lastCreated_ = names_[e.path] = static_cast<int>(inodes_.size()) - 1;
                lastCreatedPath_ = e.path;
                meta_.push_back({K::Create, e.path, "", lastCreated_});
                break;
            case K::Write:
                if (e.path.empty()) {
                    if (kernelCopied_.insert(lastCreated_).second)
                        write(inodes_[lastCreated_], 0, final_.at(lastCreatedPath_));
                } else {
                    write(inodes_[names_.at(e.path)], e.offset, e.bytes);
                }
                break;
            case K::Truncate: {
                Inode& n = inodes_[names_.at(e.path)];
                n.pending.push_back({e.offset, "", true});
                n.current.resize(static_cast<size_t>(e.offset));
                break;
            }
            case K::Sync: {
                Inode& n = inodes_[names_.at(e.path)];
                n.synced = n.current;
                n.pending.clear();
                break;
            }
            case K::Rename:
                names_[e.to] = names_.at(e.path);
                names_.erase(e.path);
                meta_.push_back({K::Rename, e.path, e.to, -1});
                break;
            case K::Remove:
                names_.erase(e.path);
                meta_.push_back({K::Remove, e.path, "", -1});
                break;
            case K::SyncFolder:
                durable_ = names_;
                meta_.clear();
                break;
        }
    }

    // One state the disk may hold now: `keep` chooses the pending changes.
    template <class Keep>
    std::map<std::string, std::string> state(Keep keep) const {
        std::map<std::string, int> names = durable_;
        for (const Meta& m : meta_) {
            if (!keep()) continue;
            if (m.kind == platform::FileEvent::Create) {
                names[m.path] = m.inode;
            } else if (names.count(m.path)) {
                if (m.kind == platform::FileEvent::Rename) names[m.to] = names[m.path];
                names.erase(m.path);
            }
        }
        std::map<std::string, std::string> files;
        for (const auto& [path, id] : names) {
            const Inode& n = inodes_[static_cast<size_t>(id)];
            files[path] = replayPieces(n.synced, n.pending, keep);
        }
        return files;
    }

private:
    using Piece = PendingPiece;
    struct Inode {
        std::string synced, current;
        std::vector<Piece> pending;
    };
    struct Meta {
        platform::FileEvent::Kind kind;
        std::string path, to;
        int inode;
    };
    static void write(Inode& n, int64_t at, const std::string& bytes) {
        for (size_t i = 0; i < bytes.size(); i += 512)
            n.pending.push_back({at + static_cast<int64_t>(i), bytes.substr(i, 512), false});
        putBytes(n.current, at, bytes);
    }
    std::vector<Inode> inodes_;
    std::map<std::string, int> names_, durable_;
    std::vector<Meta> meta_;
    std::map<std::string, std::string> final_;  // created file -> bytes it ends with
    std::set<int> kernelCopied_;
    int lastCreated_ = -1;
    std::string lastCreatedPath_;
};

// The database and its safety copies by path, as they stand.
std::map<std::string, std::string> pairFiles(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const char* name : {"Benutzer.log", "Benutzer.dat", kSafetyCopyLog, kSafetyCopyDat})
        files[dir + "/" + name] = readFile(dir + "/" + name);
    return files;
}

TEST(SafetyCopies, EveryStateAPowerCutMayLeaveHoldsAWholePair) {
    Fixture recorded(twoUsers());
    const std::string dir = recorded.dir.path();
    putCopies(dir, oldPair());
    const std::map<std::string, std::string> before = pairFiles(dir);
    std::vector<platform::FileEvent> events;
    platform::recordFileEvents(&events);
    startUp(dir);
    platform::recordFileEvents(nullptr);
    ASSERT_TRUE(same(copies(dir), twoUsers()));
    // Each file created is renamed to where its bytes end up.
    std::map<std::string, std::string> finalBytes;
    for (const platform::FileEvent& e : events)
        if (e.kind == platform::FileEvent::Rename) finalBytes[e.path] = readFile(e.to);
    for (const platform::FileEvent& e : events)
        if (e.kind == platform::FileEvent::Create) finalBytes.emplace(e.path, readFile(e.path));

    std::mt19937 rng(36);
    PowerCut cut(before, finalBytes);
    for (size_t i = 0; i <= events.size(); ++i) {
        if (i > 0) cut.apply(events[i - 1]);
        for (int choice = 0; choice < 12; ++choice) {
            SCOPED_TRACE("after event " + std::to_string(i) + " choice " + std::to_string(choice));
            const auto files = cut.state([&] { return choice == 0 || (choice > 1 && rng() % 2); });
            Fixture f;
            for (const auto& [path, bytes] : files)
                writeFile(f.dir.file(path.substr(path.rfind('/') + 1)), bytes);
            const Database now = restored(f.dir.path());
            EXPECT_TRUE(same(now, oldPair()) || same(now, twoUsers()));
        }
    }
}

// The restore writes the copies into the database files in place, from a
// database that fails the check (its bytes journaled) or one cut to nothing.
const Database kDamaged[] = {{"kaputt", twoUsers().dat}, {"", ""}};

// The start after a restore that may have been cut short. The lock's holder
// finds the files damaged as they were (where they held something) or
// restored, nothing between; the start refuses the one (the check fails or
// it asks about a database without users) and its restore brings the pair.
void nextStartRestores(const std::string& dir, const Database& damaged, bool done) {
    {
        const DbLock lock(dir);
        const Database found{readFile(indexPath(dir)), readFile(blockPath(dir))};
        EXPECT_TRUE(same(found, oldPair()) ||
                    (!done && (damaged.log.empty() || same(found, damaged))));
    }
    platform::ScriptedMessages boxes;  // Yes to every question
    startUpAsked(dir);
    EXPECT_TRUE(same(Database{readFile(indexPath(dir)), readFile(blockPath(dir))}, oldPair()))
        << lastBox(boxes);
    EXPECT_TRUE(same(copies(dir), oldPair()) && !platform::fileExists(journalPath(dir)));
}

TEST(SafetyCopies, RestoreCutAfterEveryWriteAndFullDiskAtEveryWrite) {
    for (const Database& damaged : kDamaged) {
        Fixture counted(damaged);
        putCopies(counted.dir.path(), oldPair());
        platform::resetWriteCallCount();
        ASSERT_TRUE(restore(counted.dir.path()));
        const int calls = platform::writeCallCount();
        for (int k = 1; k <= calls; ++k) {
            for (const bool crash : {true, false}) {
                SCOPED_TRACE(std::to_string(damaged.log.size()) + (crash ? " cut" : " full") +
                             " at write " + std::to_string(k));
                Fixture f(damaged);
                putCopies(f.dir.path(), oldPair());
                platform::ScriptedMessages boxes;
                (crash ? platform::injectCrashAfter : platform::injectWriteFailure)(k);
                const bool ok = restore(f.dir.path());
                platform::injectCrashAfter(0);
                platform::injectWriteFailure(0);
                // A failure says so and leaves the damaged files as they were.
                EXPECT_TRUE(crash || same(f.files(), ok ? oldPair() : damaged));
                EXPECT_EQ(lastBox(boxes).ends_with("Achtung Fehler"), !ok);
                nextStartRestores(f.dir.path(), damaged, ok && !crash);
            }
        }
    }
}

TEST(SafetyCopies, EveryStateAPowerCutMayLeaveOfARestoreIsRestoredAgain) {
    std::mt19937 rng(41);
    for (const Database& damaged : kDamaged) {
        Fixture recorded(damaged);
        const std::string dir = recorded.dir.path();
        putCopies(dir, oldPair());
        const std::map<std::string, std::string> before = pairFiles(dir);
        std::vector<platform::FileEvent> events;
        platform::recordFileEvents(&events);
        ASSERT_TRUE(restore(dir));
        platform::recordFileEvents(nullptr);
        std::map<std::string, std::string> faultCopies;  // renamed into place
        for (const platform::FileEvent& e : events)
            if (e.kind == platform::FileEvent::Rename) faultCopies[e.path] = readFile(e.to);
        PowerCut cut(before, faultCopies);
        for (size_t i = 0; i <= events.size(); ++i) {
            if (i > 0) cut.apply(events[i - 1]);
            for (int choice = 0; choice < 6; ++choice) {
                SCOPED_TRACE(std::to_string(damaged.log.size()) + " after event " +
                             std::to_string(i) + " choice " + std::to_string(choice));
                Fixture f;
                for (const auto& [path, bytes] :
                     cut.state([&] { return choice == 0 || (choice > 1 && rng() % 2); }))
                    writeFile(f.dir.file(path.substr(path.rfind('/') + 1)), bytes);
                nextStartRestores(f.dir.path(), damaged, i == events.size());
            }
        }
    }
}

}  // namespace
}  // namespace book

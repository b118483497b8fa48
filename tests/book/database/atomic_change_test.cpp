// A database change is one step: a month save that moves blocks, a user add,
// a user delete and a change of a user's record, cut after every write (the
// program dies there), failed with ENOSPC at every write, and every state a
// power cut may leave. After each, the next open passes the check without a
// restore and both files are byte for byte as before the change or as after it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>
#include <random>

#include "book/backup/backup.h"
#include "book/database/db_check.h"
#include "book/database/db_journal.h"
#include "platform/core/path.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/database/pending_pieces.h"

namespace book {
namespace {

using namespace dbtest;

struct Op {
    const char* what;
    std::function<bool(Zeitbuch&)> run;
};

const Op kOps[] = {
    {"save", saveAnnasMarch},
    {"add", [](Zeitbuch& zb) { return zb.Benutzer_anlegen(kCarla); }},
    {"delete", [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, true); }},
    {"change", [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, false, kCarla); }},
};

// The files after the change ran undisturbed, and its count of write-like calls.
Database reference(const Op& op, int& calls, std::vector<platform::FileEvent>* events = nullptr) {
    Fixture f(twoUsers());
    platform::ScriptedMessages boxes;
    platform::resetWriteCallCount();
    platform::recordFileEvents(events);
    EXPECT_TRUE(op.run(f.zb));
    platform::recordFileEvents(nullptr);
    calls = platform::writeCallCount();
    EXPECT_EQ(boxes.count(), 0u);
    return f.files();
}

// The next open: the check passes at once and nothing of the change is half there.
void expectOldOrNew(const std::string& dir, const Database& before, const Database& after) {
    NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    platform::ScriptedMessages boxes;
    ASSERT_TRUE(zb.Datenbank_pruefen()) << int{zb.datenbankFehler};
    EXPECT_FALSE(platform::fileExists(journalPath(dir)));
    Database now{readFile(indexPath(dir)), readFile(blockPath(dir))};
    EXPECT_TRUE((now.log == before.log && now.dat == before.dat) ||
                (now.log == after.log && now.dat == after.dat));
    EXPECT_EQ(boxes.count(), 0u);
}

TEST(AtomicChange, CutAfterEveryWriteAndFullDiskAtEveryWrite) {
    const Database before = twoUsers();
    for (const Op& op : kOps) {
        int calls = 0;
        const Database after = reference(op, calls);
        ASSERT_FALSE(after.log == before.log && after.dat == before.dat);
        for (int k = 1; k <= calls; ++k) {
            SCOPED_TRACE(std::string(op.what) + " write " + std::to_string(k));
            {
                Fixture f(before);  // the program dies after the k-th write
                platform::ScriptedMessages boxes;
                platform::injectCrashAfter(k);
                op.run(f.zb);
                platform::injectCrashAfter(0);
                expectOldOrNew(f.dir.path(), before, after);
            }
            Fixture f(before);  // the disk is full at the k-th write
            platform::ScriptedMessages boxes;
            platform::injectWriteFailure(k);
            const bool ok = op.run(f.zb);
            platform::injectWriteFailure(0);
            // A failure says so and leaves the old state at once.
            EXPECT_EQ(ok, f.unchanged(after));
            if (!ok) {
                EXPECT_TRUE(f.unchanged(before));
                EXPECT_GE(boxes.count(), 1u);
            }
            expectOldOrNew(f.dir.path(), before, after);
        }
    }
}

// What a power cut may leave of the recorded calls: per file the bytes as of
// its last sync plus any subset of the later writes in 512-byte pieces; a
// file created or removed counts in its folder only after the folder's sync.
class PowerCut {
public:
    PowerCut(const Database& db, const std::string& dir) : dir_(dir) {
        synced_[indexPath(dir)] = current_[indexPath(dir)] = db.log;
        synced_[blockPath(dir)] = current_[blockPath(dir)] = db.dat;
        for (const auto& [path, bytes] : synced_) listed_[path] = present_[path] = true;
    }

    // Applies one event to the running state.
    void apply(const platform::FileEvent& e) {
        using K = platform::FileEvent;
        switch (e.kind) {
            case K::Create:
                present_[e.path] = true;
                current_[e.path].clear();
                pending_[e.path] = {{0, "", true}};  // the truncation to 0
                break;
            case K::Write:
                for (size_t at = 0; at < e.bytes.size(); at += 512)
                    pending_[e.path].push_back(
                        {e.offset + static_cast<int64_t>(at), e.bytes.substr(at, 512), false});
                putBytes(current_[e.path], e.offset, e.bytes);
                break;
            case K::Truncate:
                pending_[e.path].push_back({e.offset, "", true});
                current_[e.path].resize(static_cast<size_t>(e.offset));
                break;
            case K::Sync:
                synced_[e.path] = current_[e.path];
                pending_[e.path].clear();
                break;
            case K::Remove:
                present_[e.path] = false;
                break;
            case K::SyncFolder:
                listed_ = present_;
                break;
            case K::Rename:
                FAIL() << "no rename expected";
        }
    }

    // One state the disk may hold now: `keep` chooses the pending pieces.
    template <class Keep>
    std::map<std::string, std::string> state(Keep keep) const {
        std::map<std::string, std::string> files;
        for (const auto& [path, listed] : listed_) {
            if (!listed) continue;
            std::string bytes = synced_.count(path) ? synced_.at(path) : "";
            if (pending_.count(path)) bytes = replayPieces(bytes, pending_.at(path), keep);
            files[path] = bytes;
        }
        return files;
    }

private:
    using Piece = PendingPiece;
    std::string dir_;
    std::map<std::string, std::string> synced_, current_;
    std::map<std::string, std::vector<Piece>> pending_;
    std::map<std::string, bool> present_, listed_;
};

TEST(AtomicChange, EveryStateAPowerCutMayLeave) {
    const Database before = twoUsers();
    std::mt19937 rng(27);
    for (const Op& op : {kOps[0], kOps[2], kOps[3]}) {
        std::vector<platform::FileEvent> events;
        Fixture recorded(before);  // only for its folder name, which the events carry
        const Database after = [&] {
            platform::ScriptedMessages boxes;
            platform::recordFileEvents(&events);
            EXPECT_TRUE(op.run(recorded.zb));
            platform::recordFileEvents(nullptr);
            return recorded.files();
        }();
        ASSERT_GT(events.size(), 6u);
        recorded.install(before);
        PowerCut cut(before, recorded.dir.path());
        for (size_t i = 0; i <= events.size(); ++i) {
            if (i > 0) cut.apply(events[i - 1]);
            for (int choice = 0; choice < 8; ++choice) {
                SCOPED_TRACE(std::string(op.what) + " after event " + std::to_string(i) +
                             " choice " + std::to_string(choice));
                const auto files =
                    cut.state([&] { return choice == 0 || (choice > 1 && rng() % 2); });
                Fixture f;
                for (const auto& [path, bytes] : files)
                    writeFile(f.dir.file(path.substr(path.rfind('/') + 1)), bytes);
                expectOldOrNew(f.dir.path(), before, after);
            }
        }
    }
}

// The safety copies and the restore run under the lock too: a change cut
// anywhere is undone first, so the copies never hold half of it and no
// journal is left to be rolled back onto the restored files.
TEST(AtomicChange, SafetyCopiesAndRestoreNeverSeeHalfAChange) {
    const Database before = twoUsers();
    int calls = 0;
    const Database after = reference(kOps[0], calls);
    for (int k = 1; k <= calls; ++k) {
        SCOPED_TRACE("write " + std::to_string(k));
        Fixture f(before);
        platform::ScriptedMessages boxes;
        platform::injectCrashAfter(k);
        kOps[0].run(f.zb);
        platform::injectCrashAfter(0);
        NullHost host;
        Zeitbuch next(host);
        next.datenOrdner = f.dir.path();
        next.Datenbank_sichern_wiederherstellen(true);
        const Database copies{readFile(f.dir.file(kSafetyCopyLog)),
                              readFile(f.dir.file(kSafetyCopyDat))};
        EXPECT_TRUE(f.unchanged(copies));
        EXPECT_TRUE(f.unchanged(before) || f.unchanged(after));
        writeFile(f.logPath(), "kaputt");
        boxes.answer(platform::Answer::Yes);
        next.Datenbank_sichern_wiederherstellen(false);
        EXPECT_TRUE(f.unchanged(copies));
        EXPECT_FALSE(platform::fileExists(journalPath(f.dir.path())));
    }
}

// A link planted under the journal's name: the change never writes through
// it, and the file it points to stays as it was.
// Also in a folder whose name the program holds in Windows-1252.
TEST(AtomicChange, JournalNeverFollowsALink) {
    for (const std::string folder : {"db", "Daten M\xFCller"}) {
        Fixture f;
        f.zb.datenOrdner = f.dir.file(folder);
        ASSERT_TRUE(platform::createDir(f.zb.datenOrdner));
        f.install(twoUsers());
        const std::string outside = f.dir.file("outside");
        writeFile(outside, "fremd");
        ASSERT_EQ(
            ::symlink(outside.c_str(), platform::osPath(journalPath(f.zb.datenOrdner)).c_str()), 0);
        platform::ScriptedMessages boxes;
        ASSERT_TRUE(saveAnnasMarch(f.zb)) << folder;
        EXPECT_EQ(readFile(outside), "fremd");
        EXPECT_FALSE(platform::fileExists(journalPath(f.zb.datenOrdner)));
    }
}

}  // namespace
}  // namespace book

// Every writer syncs each file it wrote (and the folder after creating or
// renaming a file) before it reports success; a failure of its last file
// sync fails the operation.
#include <gtest/gtest.h>

#include <functional>

#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

struct Case {
    const char* what;
    bool empty;  // starts without a database
    int syncs;   // files written + folders changed
    std::function<bool(Zeitbuch&)> op;
};

TEST(DurableSave, EveryWrittenFileIsSynced) {
    const Case cases[] = {
        // A database change: the journal and its folder, the journal's magic
        // (written once the rest is on the disk), both files, the journal's
        // end (the commit).
        {"save", false, 6, saveAnnasMarch},
        {"add", false, 6, [](Zeitbuch& zb) { return zb.Benutzer_anlegen(kCarla); }},
        // ... and the folder after creating each file
        {"first user", true, 8, [](Zeitbuch& zb) { return zb.Benutzer_anlegen(kCarla); }},
        {"change", false, 6, [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, false, kCarla); }},
        {"delete", false, 6, [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, true); }},
        {"month file", false, 2,
         [](Zeitbuch& zb) { return zb.Akt_speichern(zb.programmOrdner + "/m.akt"); }},
        {"settings", false, 2,
         [](Zeitbuch& zb) { return zb.Einstellungen_laden_speichern(false); }},
        // both new copies, their folder, the commit record's, the renames'
        {"safety copies", false, 5,
         [](Zeitbuch& zb) {
             platform::ScriptedMessages boxes;
             zb.Datenbank_sichern_wiederherstellen(true);
             return boxes.count() == 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int calls = 0, lastSync = 0;
        {
            Fixture f;
            if (!c.empty) f.install(twoUsers());
            f.zb.programmOrdner = f.dir.path();
            std::vector<platform::FileEvent> events;
            platform::resetWriteCallCount();
            platform::recordFileEvents(&events);
            ASSERT_TRUE(c.op(f.zb));
            platform::recordFileEvents(nullptr);
            EXPECT_EQ(platform::syncCallCount(), c.syncs);
            // The last file sync (a removal after it only tidies up), as the
            // number of its write-like call (creating a file is none).
            for (const platform::FileEvent& e : events) {
                if (e.kind == platform::FileEvent::Create) continue;
                ++calls;
                if (e.kind == platform::FileEvent::Sync) lastSync = calls;
            }
            ASSERT_EQ(calls, platform::writeCallCount());
        }
        Fixture f;
        if (!c.empty) f.install(twoUsers());
        f.zb.programmOrdner = f.dir.path();
        platform::ScriptedMessages boxes;
        platform::injectWriteFailure(lastSync);
        EXPECT_FALSE(c.op(f.zb));
        platform::injectWriteFailure(0);
    }
}

}  // namespace
}  // namespace book

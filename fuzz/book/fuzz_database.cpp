// The user database: the check, then, on a database it passes, what the
// check promises: every stored user signs in to his own block (the first
// record of a name and password held twice), every page
// and the last page load without a load error, and a save, an added, a
// changed and a deleted user all succeed and leave a database that passes.
// On any database nothing may crash, hang or leak.
// A block file part holding "KLBJRNL1" ends before it, and from there on the
// bytes are a journal beside the database, tried as they are and with their
// checksum made right: the lock's recovery rolls it back whole, drops it
// (no magic) or sets it aside with one message, and then the files are as
// the journal says or as they were.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "book/database/db_journal.h"
#include "book/database/db_reader.h"
#include "book/sheet/host.h"
#include "book/database/user_index.h"
#include "book/sheet/zeitbuch.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"

namespace {

using book::Zeitbuch;

struct User {
    std::string name, password;
    uint32_t block = 0;
};

std::vector<User> usersOf(const std::string& dir) {
    std::vector<User> users;
    platform::File f;
    if (!f.open(book::indexPath(dir), platform::OpenMode::ReadOnly) || f.length() < 4) return users;
    book::DbReader in(f);
    std::vector<book::IndexSatz> records;
    int64_t end = 0;
    FUZZ_ASSERT(book::readIndex(in, records, end));
    for (const book::IndexSatz& r : records) {
        User u;
        u.block = r.block;
        in.seek(r.start + 8);
        FUZZ_ASSERT(book::readField(in, r, u.name) && book::readField(in, r, u.password));
        users.push_back(u);
    }
    return users;
}

// (year, month) of each entry of the block at `b`, in block order.
std::vector<std::pair<int, int>> pagesOf(const std::string& dat, uint32_t b) {
    auto u32 = [&](size_t at) {
        FUZZ_ASSERT(at + 4 <= dat.size());
        return book::getU32(reinterpret_cast<const uint8_t*>(dat.data()) + at);
    };
    std::vector<std::pair<int, int>> pages;
    if (u32(b + 8) == 0) return pages;
    for (size_t e = b + 12;; e += 9 + u32(e + 5)) {
        FUZZ_ASSERT(e + 13 <= dat.size());
        pages.emplace_back(book::keyYear(u32(e)), static_cast<uint8_t>(dat[e + 4]));
        if (u32(e + 5) == 0) return pages;
    }
}

// A user name no record holds.
std::string unusedName(const std::vector<User>& users) {
    for (int i = 0;; ++i) {
        const std::string name = "f" + std::to_string(i);
        if (std::none_of(users.begin(), users.end(), [&](const User& u) { return u.name == name; }))
            return name;
    }
}

bool signIn(Zeitbuch& zb, const User& u) {
    zb.angemeldet = false;
    zb.seiteLeeren();
    return zb.Pruefe_Anmeldung(u.name, u.password);
}

void checkPromises(const std::string& dir) {
    book::NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    platform::ScriptedMessages boxes;
    const std::vector<User> users = usersOf(dir);
    const std::string dat = fuzz::getFile(book::blockPath(dir));
    std::map<std::pair<std::string, std::string>, uint32_t> firstBlock;
    for (const User& u : users) firstBlock.emplace(std::pair{u.name, u.password}, u.block);

    // A name and password that two records hold sign in the first of them,
    // with that record's own block and pages.
    for (const User& u : users) {
        if (u.name.empty()) continue;  // an empty name signs in the administrator
        FUZZ_ASSERT(signIn(zb, u));
        const uint32_t own = firstBlock[{u.name, u.password}];
        FUZZ_ASSERT(zb.blockPosition == own);
        zb.Monat_laden(0, 0);
        FUZZ_ASSERT(!zb.ladeFehler && zb.blockPosition == own);
        for (const auto& [year, month] : pagesOf(dat, own)) {
            zb.seiteLeeren();
            zb.Monat_laden(static_cast<uint8_t>(month), year);
            FUZZ_ASSERT(!zb.ladeFehler && zb.seiteGespeichert);
        }
    }
    FUZZ_ASSERT(boxes.count() == 0);

    // The writers, each on the database the one before left.
    const book::Benutzerdaten neu{unusedName(users), "x", "N", "V", "1", "B", 0};
    for (const User& u : users) {
        if (u.name.empty() || firstBlock[{u.name, u.password}] != u.block) continue;
        FUZZ_ASSERT(signIn(zb, u));
        zb.Monat_laden(0, 0);
        FUZZ_ASSERT(!zb.ladeFehler && zb.Monat_speichern());
        break;
    }
    FUZZ_ASSERT(zb.Datenbank_pruefen());
    FUZZ_ASSERT(zb.Benutzer_anlegen(neu));
    FUZZ_ASSERT(zb.Datenbank_pruefen());
    zb.angemeldet = false;
    const std::vector<User> now = usersOf(dir);
    FUZZ_ASSERT(!now.empty());
    book::Benutzerdaten geaendert = neu;
    geaendert.benutzername = unusedName(now);
    FUZZ_ASSERT(zb.Datenbank_aendern(now.front().block, false, geaendert) &&
                zb.Datenbank_pruefen());
    FUZZ_ASSERT(zb.Datenbank_aendern(usersOf(dir).back().block, true) && zb.Datenbank_pruefen());
    FUZZ_ASSERT(zb.datenbankFehler == 0);
}

// A refused database: the readers and writers must still end cleanly.
void exercise(const std::string& dir) {
    book::NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    platform::ScriptedMessages boxes;
    zb.Pruefe_Anmeldung("anna", "pw1");
    zb.blockPosition = 0;
    zb.angemeldet = true;
    zb.benutzerName = "anna";
    zb.seiteLeeren();
    zb.Monat_laden(0, 0);
    zb.Monat_speichern();
    zb.angemeldet = false;
    zb.Benutzer_anlegen({"fuzz", "x", "", "", "", "", 0});
    zb.Datenbank_aendern(0, true);
}

void putDatabase(const std::string& dir, const fuzz::DatabaseInput& db) {
    fuzz::putFile(book::indexPath(dir), reinterpret_cast<const uint8_t*>(db.log.data()),
                  db.log.size());
    fuzz::putFile(book::blockPath(dir), reinterpret_cast<const uint8_t*>(db.dat.data()),
                  db.dat.size());
}

uint64_t u64At(const std::string& s, size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
    return v;
}

void tryJournal(const std::string& dir, const fuzz::DatabaseInput& db, const std::string& j) {
    putDatabase(dir, db);
    fuzz::putFile(book::journalPath(dir), reinterpret_cast<const uint8_t*>(j.data()), j.size());
    platform::ScriptedMessages boxes;
    { const book::DbLock lock(dir); }
    FUZZ_ASSERT(!platform::fileExists(book::journalPath(dir)));
    const std::vector<std::string> aside = platform::findFiles(dir, "Benutzer.jnl.defekt*");
    const std::string log = fuzz::getFile(book::indexPath(dir));
    const std::string dat = fuzz::getFile(book::blockPath(dir));
    if (!aside.empty()) {
        FUZZ_ASSERT(boxes.count() == 1 && log == db.log && dat == db.dat);
        for (const std::string& name : aside) platform::deleteFile(dir + "/" + name);
    } else if (j.size() >= 36 && j.compare(0, 8, "KLBJRNL1") == 0) {
        FUZZ_ASSERT(boxes.count() == 0 && log.size() == u64At(j, 8) && dat.size() == u64At(j, 16));
    } else {
        FUZZ_ASSERT(boxes.count() == 0 && log == db.log && dat == db.dat);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = fuzz::scratchFolder();
    fuzz::DatabaseInput db = fuzz::splitDatabase(data, size);
    const size_t marker = db.dat.find("KLBJRNL1");
    if (marker != std::string::npos) {
        std::string j = db.dat.substr(marker);
        db.dat.resize(marker);
        tryJournal(dir, db, j);
        if (j.size() >= 36) {
            j.resize(j.size() - 8);
            const uint64_t sum = book::journalChecksum(j);
            for (int i = 0; i < 8; ++i) j.push_back(static_cast<char>(sum >> (8 * i)));
            tryJournal(dir, db, j);
        }
    }
    putDatabase(dir, db);
    book::NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    if (zb.Datenbank_pruefen())
        checkPromises(dir);
    else
        exercise(dir);
    return 0;
}

// Hand-built user databases for the tests, written byte by byte from the
// layout tables (independent of the program's own encoders).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "book/sheet/host.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace dbtest {

inline std::string u32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}
// `s` with the four bytes at `at` replaced by v.
inline std::string patched(std::string s, size_t at, uint32_t v) {
    return s.replace(at, 4, u32(v));
}
inline std::string scrambled(std::string s) {
    for (char& c : s) c = static_cast<char>(c ^ 0x17);
    return s;
}
// A text with its terminator, scrambled.
inline std::string text(const std::string& t) {
    return scrambled(t + std::string(1, '\0'));
}

// A user record: length, block offset, six texts, reserved 0, options, 0.
inline std::string record(uint32_t block, std::initializer_list<std::string> texts,
                          uint8_t options) {
    std::string body;
    for (const auto& t : texts) body += text(t);
    body += u32(0) + static_cast<char>(options) + '\0';
    return u32(static_cast<uint32_t>(8 + body.size())) + u32(block) + body;
}
inline std::string blockHead(uint32_t indexPos, uint32_t length, uint32_t lastEntry) {
    return u32(indexPos) + u32(length) + u32(lastEntry);
}
// A line record: six bytes and the work text, all scrambled.
inline std::string line(int day, int fh, int fm, int th, int tm, int monthAndKind,
                        const std::string& work = "") {
    return scrambled({static_cast<char>(day), static_cast<char>(fh), static_cast<char>(fm),
                      static_cast<char>(th), static_cast<char>(tm),
                      static_cast<char>(monthAndKind)}) +
           text(work);
}
// A standby record: 99, n, then n five-byte periods, all scrambled.
inline std::string standby(const std::vector<std::array<uint8_t, 5>>& periods) {
    std::string plain = {99, static_cast<char>(periods.size())};
    for (const auto& p : periods) plain.append(reinterpret_cast<const char*>(p.data()), 5);
    return scrambled(plain);
}
// A month entry; `last` gives length 0, otherwise the length of its records + 4.
inline std::string entry(uint32_t key, uint8_t month, const std::vector<std::string>& records,
                         bool last) {
    std::string body;
    for (const auto& r : records) body += r;
    return u32(key) + static_cast<char>(month) +
           u32(last ? 0 : static_cast<uint32_t>(4 + body.size())) +
           u32(static_cast<uint32_t>(records.size())) + body;
}
// A block from its entries (the last one written with length 0).
inline std::string block(uint32_t indexPos, bool lastBlock,
                         const std::vector<std::string>& entries) {
    std::string body;
    uint32_t lastOffset = 0;
    for (const auto& e : entries) {
        lastOffset = static_cast<uint32_t>(12 + body.size());
        body += e;
    }
    return blockHead(indexPos, lastBlock ? 0 : static_cast<uint32_t>(12 + body.size()),
                     entries.empty() ? 0 : lastOffset) +
           body;
}

struct Database {
    std::string log, dat;
};

// anna's two entries of 2008.
inline std::string annaMarch(bool last) {
    return entry(2008, 3, {line(3, 8, 0, 17, 30, 0x03, "Wartung"), line(4, 22, 0, 6, 0, 0x13)},
                 last);
}
inline std::string annaApril(bool last) {
    return entry(2008, 4, {line(30, 7, 15, 9, 45, 0x24, "Ausgleich \xE4")}, last);
}
// Two users: "anna" (block 0, two entries of 2008) and "bert" (hand-mode
// entry with a standby record), as the program writes them.
inline Database twoUsers() {
    const std::string recA = record(0, {"anna", "pw1", "Alt", "Anna", "17", "IT"}, 0x11);
    const std::string blockA = block(4, false, {annaMarch(false), annaApril(true)});
    const std::string recB = record(static_cast<uint32_t>(blockA.size()),
                                    {"bert", "geheim", "Brandt", "Bert", "42", ""}, 0x80);
    const std::string blockB = block(static_cast<uint32_t>(recA.size() + 4), true,
                                     {entry(2009 | 0x0021u << 16, 1,
                                            {standby({{{0x81, 29, 12, 4, 1}}, {{2, 9, 1, 11, 1}}}),
                                             line(10, 6, 0, 14, 0, 0xF1, "Mehrarbeit")},
                                            true)});
    return {recA + recB + u32(0), blockA + blockB};
}
// One user "u" whose block holds `entries`; `tail` is appended to the block file.
inline Database oneUser(const std::vector<std::string>& entries, const std::string& tail = "") {
    return {record(0, {"u", "p", "", "", "", ""}, 0) + u32(0), block(4, true, entries) + tail};
}

// Sizes within twoUsers(): anna's record and block come first.
constexpr uint32_t kAnnaRecord = 38;
constexpr uint32_t kBertBlock = 77;

inline void writeFile(const std::string& path, const std::string& bytes) {
    // A fresh file: rewriting a truncated one makes ext4 flush it on close.
    platform::deleteFile(path);
    platform::File f;
    if (!f.open(path, platform::OpenMode::CreateWrite) || !f.write(bytes) || !f.close())
        throw std::runtime_error("cannot write " + path);
}
inline std::string readFile(const std::string& path) {
    std::string bytes;
    platform::readWholeFile(path, bytes);
    return bytes;
}
// Up to `edits` random changes, inserts or erasures of up to `run` bytes; never empty.
template <class Rng>
void mutate(std::string& bytes, Rng& rng, int edits, int run) {
    for (int e = 1 + static_cast<int>(rng() % edits); e > 0; --e) {
        const size_t at = rng() % bytes.size(), n = 1 + rng() % run;
        switch (rng() % 3) {
            case 0:
                bytes[at] = static_cast<char>(rng());
                break;
            case 1:
                bytes.erase(at, n);
                break;
            default:
                bytes.insert(at, n, static_cast<char>(rng()));
                break;
        }
        if (bytes.empty()) bytes = "x";
    }
}
// The last message as "text|caption".
inline std::string lastBox(const platform::ScriptedMessages& boxes) {
    return boxes.count() ? boxes.last().text + "|" + boxes.last().caption : "";
}

// A book on a temporary data folder with a recording host.
struct Fixture {
    testing_support::TempDir dir;
    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
    Fixture() { zb.datenOrdner = dir.path(); }
    explicit Fixture(const Database& db) : Fixture() { install(db); }
    std::string logPath() const { return zb.datenOrdner + "/Benutzer.log"; }
    std::string datPath() const { return zb.datenOrdner + "/Benutzer.dat"; }
    void install(const Database& db) {
        writeFile(logPath(), db.log);
        writeFile(datPath(), db.dat);
    }
    Database files() const { return {readFile(logPath()), readFile(datPath())}; }
    bool unchanged(const Database& db) const {
        return files().log == db.log && files().dat == db.dat;
    }
};

// A user that twoUsers() does not hold.
inline const book::Benutzerdaten kCarla{"carla", "pw3", "Christ", "Carla", "99", "Lager", 0};

// anna's March 2008 in twoUsers() is neither her last entry nor in the last
// block: the save moves her block behind bert's and the entry to its end.
inline bool saveAnnasMarch(book::Zeitbuch& zb) {
    if (!zb.Pruefe_Anmeldung("anna", "pw1")) return false;
    zb.seiteLeeren();
    zb.Monat_laden(3, 2008);
    zb.texte[0] = "neu";
    return zb.Monat_speichern();
}

}  // namespace dbtest

// Hand-built user databases for the tests, written byte by byte from the
// layout tables (independent of the program's own encoders).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "book/host.h"
#include "book/zeitbuch.h"
#include "platform/core/file.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace dbtest {

inline std::string u32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}
inline std::string scrambled(const std::string& plain) {
    std::string s;
    for (char c : plain) s.push_back(static_cast<char>(c ^ 0x17));
    return s;
}
// A text with its terminator, scrambled.
inline std::string text(const std::string& t) {
    return scrambled(t + std::string(1, '\0'));
}

// A user record: length, block offset, six texts, reserved 0, options, 0.
inline std::string record(uint32_t block, std::initializer_list<std::string> texts, uint8_t options,
                          uint32_t reserved = 0) {
    std::string body;
    for (const auto& t : texts) body += text(t);
    body += u32(reserved);
    body.push_back(static_cast<char>(options));
    body.push_back('\0');
    return u32(static_cast<uint32_t>(8 + body.size())) + u32(block) + body;
}

inline std::string blockHead(uint32_t indexPos, uint32_t length, uint32_t lastEntry) {
    return u32(indexPos) + u32(length) + u32(lastEntry);
}

// A line record: six bytes and the work text, all scrambled.
inline std::string line(int day, int fh, int fm, int th, int tm, int monthAndKind,
                        const std::string& work = "") {
    std::string six = {static_cast<char>(day), static_cast<char>(fh),
                       static_cast<char>(fm),  static_cast<char>(th),
                       static_cast<char>(tm),  static_cast<char>(monthAndKind)};
    return scrambled(six) + text(work);
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
    const uint32_t length = last ? 0 : static_cast<uint32_t>(4 + body.size());
    return u32(key) + std::string(1, static_cast<char>(month)) + u32(length) +
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
    const uint32_t length = lastBlock ? 0 : static_cast<uint32_t>(12 + body.size());
    return blockHead(indexPos, length, entries.empty() ? 0 : lastOffset) + body;
}

struct Database {
    std::string log, dat;
};

// Two users: "anna" (block 0, two entries of 2008) and "bert" (hand-mode
// entry with a standby record), as the program writes them.
inline Database twoUsers() {
    Database db;
    const std::string recA = record(0, {"anna", "pw1", "Alt", "Anna", "17", "IT"}, 0x11);
    const std::string blockA = block(
        4, false,
        {entry(2008, 3, {line(3, 8, 0, 17, 30, 0x03, "Wartung"), line(4, 22, 0, 6, 0, 0x13, "")},
               false),
         entry(2008, 4, {line(30, 7, 15, 9, 45, 0x24, "Ausgleich \xE4")}, true)});
    const std::string recB = record(static_cast<uint32_t>(blockA.size()),
                                    {"bert", "geheim", "Brandt", "Bert", "42", ""}, 0x80);
    const std::string blockB = block(static_cast<uint32_t>(recA.size() + 4), true,
                                     {entry(2009 | 0x0021u << 16, 1,
                                            {standby({{{0x81, 29, 12, 4, 1}}, {{2, 9, 1, 11, 1}}}),
                                             line(10, 6, 0, 14, 0, 0xF1, "Mehrarbeit")},
                                            true)});
    db.log = recA + recB + u32(0);
    db.dat = blockA + blockB;
    return db;
}

// Sizes within twoUsers(): anna's record and block come first.
constexpr uint32_t kAnnaRecord = 38;
inline uint32_t bertBlock() {
    return book::getU32(reinterpret_cast<const uint8_t*>(twoUsers().log.data()) + kAnnaRecord + 4);
}

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

// A book on a temporary data folder with a recording host.
struct Fixture {
    testing_support::TempDir dir;
    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
    Fixture() { zb.datenOrdner = dir.path(); }
    std::string logPath() const { return zb.datenOrdner + "/Benutzer.log"; }
    std::string datPath() const { return zb.datenOrdner + "/Benutzer.dat"; }
    void install(const Database& db) {
        writeFile(logPath(), db.log);
        writeFile(datPath(), db.dat);
    }
    Database files() const { return {readFile(logPath()), readFile(datPath())}; }
};

}  // namespace dbtest

// Writes the disk has taken but not yet made durable, kept as the pieces a
// power cut may keep or lose, and the replay of one such cut.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dbtest {

struct PendingPiece {
    int64_t at;
    std::string bytes;
    bool truncate;  // the file cut to `at` instead of bytes written there
};

inline void putBytes(std::string& s, int64_t at, const std::string& bytes) {
    if (s.size() < at + bytes.size()) s.resize(at + bytes.size());
    s.replace(static_cast<size_t>(at), bytes.size(), bytes);
}

// The file after a cut: its synced bytes with, in order, each pending piece
// that `keep` (asked once per piece) chooses.
template <class Keep>
std::string replayPieces(std::string bytes, const std::vector<PendingPiece>& pending,
                         Keep& keep) {
    for (const PendingPiece& p : pending) {
        if (!keep()) continue;
        if (p.truncate)
            bytes.resize(static_cast<size_t>(p.at));
        else
            putBytes(bytes, p.at, p.bytes);
    }
    return bytes;
}

}  // namespace dbtest

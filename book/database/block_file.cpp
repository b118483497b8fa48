#include "book/database/block_file.h"

#include <new>

namespace book {
namespace {

DbResult failure(DbStatus s, int osError = 0) {
    return DbResult{s, osError};
}

uint8_t* bytes(std::string& s) {
    return reinterpret_cast<uint8_t*>(s.data());
}

}  // namespace

bool readAt(platform::File& f, int64_t pos, void* dst, size_t n) {
    return f.seek(pos) && f.readExact(dst, static_cast<int64_t>(n));
}

bool readU32At(platform::File& f, int64_t pos, uint32_t& v) {
    uint8_t b[4];
    if (!readAt(f, pos, b, 4)) return false;
    v = getU32(b);
    return true;
}

bool writeAt(platform::File& f, int64_t pos, const void* src, size_t n) {
    return f.seek(pos) && f.write(src, static_cast<int64_t>(n));
}

bool writeU32At(platform::File& f, int64_t pos, uint32_t v) {
    uint8_t b[4];
    putU32(b, v);
    return writeAt(f, pos, b, 4);
}

bool closeSynced(platform::File& f) {
    return f.sync() && f.close();
}

bool openReadWriteCreating(platform::File& f, const std::string& path) {
    if (f.open(path, platform::OpenMode::ReadWrite)) return true;
    if (platform::fileExists(path)) return false;
    // Made only where no file is: another program that made it a moment ago
    // (and may have written it since) keeps what it wrote. The new name is
    // made durable with the folder.
    if (f.open(path, platform::OpenMode::CreateNew)) {
        if (!f.close() || !platform::syncFolder(platform::folderOf(path))) return false;
    } else if (!platform::fileExists(path)) {
        return false;
    }
    return f.open(path, platform::OpenMode::ReadWrite);
}

bool readBlockChain(platform::File& dat, std::vector<BlockKopf>& chain) {
    chain.clear();
    const int64_t len = dat.length();
    if (len < 0 || len > kMaxDbFileLength) return false;
    int64_t p = 0;
    while (p < len) {
        uint8_t h[kBlockHead];
        if (p + kBlockHead > len || !readAt(dat, p, h, sizeof h)) return false;
        const BlockKopf k{static_cast<uint32_t>(p), getU32(h), getU32(h + 4), getU32(h + 8)};
        chain.push_back(k);
        if (k.laenge == 0) return true;
        if (k.laenge < kBlockHead) return false;
        p += k.laenge;
    }
    return len == 0;  // the chain ran out without a last block
}

int64_t blockEnd(const std::vector<BlockKopf>& chain, size_t i, int64_t fileLength) {
    return chain[i].laenge == 0 ? fileLength : int64_t{chain[i].offset} + chain[i].laenge;
}

DbResult appendUserBlock(DbChange& change, uint32_t indexPosition, uint32_t& offset) {
    platform::File& dat = change.dat();
    std::vector<BlockKopf> chain;
    try {
        if (!readBlockChain(dat, chain)) return failure(DbStatus::FormatError);
    } catch (const std::bad_alloc&) {
        return failure(DbStatus::NoMemory);
    }
    const int64_t len = dat.length();
    if (len < 0 || len + kBlockHead > kMaxDbFileLength) return failure(DbStatus::FormatError);
    uint8_t head[kBlockHead] = {};
    putU32(head, indexPosition);
    const int64_t formerLast = chain.empty() ? -1 : int64_t{chain.back().offset};
    if (formerLast >= 0) change.keep(kBlockFile, formerLast + 4, 4);
    if (!change.begin() || !writeAt(dat, len, head, sizeof head) ||
        (formerLast >= 0 &&
         !writeU32At(dat, formerLast + 4, static_cast<uint32_t>(len - formerLast))))
        return failure(DbStatus::WriteFailed);
    offset = static_cast<uint32_t>(len);
    return {};
}

void keepForMove(DbChange& change, const std::vector<BlockKopf>& chain, size_t k) {
    change.keep(kIndexFile, 0, change.log().length());
    change.keep(kBlockFile, chain[k].offset, kMaxDbFileLength);
    // A removed last block makes the one before it last.
    if (k > 0) change.keep(kBlockFile, int64_t{chain[k - 1].offset} + 4, 4);
}

BlockMove moveUserBlock(DbChange& change, uint32_t block, bool remove, int year, int month) {
    BlockMove mv;
    auto fail = [&mv](DbStatus s, int osError = 0) {
        mv.result = failure(s, osError);
        return mv;
    };
    platform::File& dat = change.dat();
    platform::File& log = change.log();
    try {
        // Read and check everything first: a refused file is left as it was.
        std::vector<BlockKopf> chain;
        if (!readBlockChain(dat, chain)) return fail(DbStatus::FormatError);
        const int64_t len = dat.length();
        size_t k = 0;
        while (k < chain.size() && chain[k].offset != block) ++k;
        if (k == chain.size()) return fail(DbStatus::FormatError);
        const int64_t B = block;
        const int64_t blockLen = blockEnd(chain, k, len) - B;
        const int64_t restStart = B + blockLen;
        const int64_t R = len - restStart;

        std::string bb;
        if (!remove) {
            bb.assign(static_cast<size_t>(blockLen), '\0');
            if (!readAt(dat, B, bb.data(), bb.size())) return fail(DbStatus::FormatError);
        }
        // The index is patched in memory and written once: it is small beside
        // the block file, and one field a block would cost two calls each.
        std::string index;
        if (R > 0) {
            const int64_t logLen = log.length();
            if (logLen < 0 || logLen > kMaxDbFileLength) return fail(DbStatus::FormatError);
            index.assign(static_cast<size_t>(logLen), '\0');
            if (!readAt(log, 0, index.data(), index.size())) return fail(DbStatus::FormatError);
            for (size_t i = remove ? k + 1 : k; i < chain.size(); ++i) {
                const int64_t ip = chain[i].indexPosition;
                if (ip + 4 > logLen || getU32(bytes(index) + ip) != chain[i].offset)
                    return fail(DbStatus::FormatError);
            }
        }

        bool reordered = false;
        if (!remove && getU32(bytes(bb) + 8) != 0) {
            uint8_t* b = bytes(bb);
            const int64_t last = getU32(b + 8);
            int64_t found = -1, foundLen = 0, e = kBlockHead;
            for (;;) {
                if (e + 9 > blockLen) return fail(DbStatus::FormatError);
                const uint32_t E = getU32(b + e + 5);
                if (found < 0 && keyYear(getU32(b + e)) == year && b[e + 4] == month) {
                    found = e;
                    foundLen = E;
                }
                if (E == 0) break;
                e += 9 + int64_t{E};
            }
            if (e != last) return fail(DbStatus::FormatError);
            if (found >= 0) {
                mv.entryLast = true;
                if (found != last) {
                    const int64_t size = 9 + foundLen;
                    putU32(b + last + 5, static_cast<uint32_t>(blockLen - last - 9));
                    const std::string moved =
                        bb.substr(static_cast<size_t>(found), static_cast<size_t>(size));
                    bb.erase(static_cast<size_t>(found), static_cast<size_t>(size));
                    bb += moved;
                    b = bytes(bb);
                    putU32(b + blockLen - size + 5, 0);  // it is the last entry now
                    putU32(b + 8, static_cast<uint32_t>(blockLen - size));
                    reordered = true;
                }
            }
        }

        // Writes, after the journal holds what they overwrite.
        keepForMove(change, chain, k);
        if ((R > 0 || reordered || remove) && !change.begin()) return fail(DbStatus::WriteFailed);
        if (R > 0) {
            for (size_t i = k + 1; i < chain.size(); ++i)
                putU32(bytes(index) + chain[i].indexPosition,
                       static_cast<uint32_t>(B + (chain[i].offset - restStart)));
            if (!remove)
                putU32(bytes(index) + chain[k].indexPosition, static_cast<uint32_t>(B + R));
            if (!writeAt(log, 0, index.data(), index.size())) return fail(DbStatus::WriteFailed);
            // The rest moves down in pieces; each piece is read before the
            // write that may cover it and handed to the disk at once, so the
            // commit's sync finds little left to write.
            std::string piece(static_cast<size_t>(std::min<int64_t>(R, 1 << 20)), '\0');
            for (int64_t done = 0; done < R;) {
                const int64_t n = std::min<int64_t>(R - done, 1 << 20);
                if (!readAt(dat, restStart + done, piece.data(), static_cast<size_t>(n)))
                    return fail(DbStatus::FormatError);
                if (!writeAt(dat, B + done, piece.data(), static_cast<size_t>(n)))
                    return fail(DbStatus::WriteFailed);
                dat.startWriteback(B + done, n);
                done += n;
            }
            if (!remove) {
                const int64_t rel = chain.back().offset - restStart;
                if (!writeU32At(dat, B + rel + 4, static_cast<uint32_t>(R - rel)))
                    return fail(DbStatus::WriteFailed);
            }
        }
        if (!remove) {
            putU32(bytes(bb) + 4, 0);  // the moved block is the last one
            if ((R > 0 || reordered) && !writeAt(dat, B + R, bb.data(), bb.size()))
                return fail(DbStatus::WriteFailed);
            mv.offset = static_cast<uint32_t>(B + R);
        } else {
            if (!dat.truncate(B + R)) return fail(DbStatus::WriteFailed);
            // The block in front of a removed last block becomes the last one.
            if (R == 0 && k > 0 && !writeU32At(dat, int64_t{chain[k - 1].offset} + 4, 0))
                return fail(DbStatus::WriteFailed);
        }
    } catch (const std::bad_alloc&) {
        mv.result = failure(DbStatus::NoMemory);
    }
    return mv;
}

}  // namespace book

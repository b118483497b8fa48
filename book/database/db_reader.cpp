#include "book/database/db_reader.h"

#include <algorithm>

namespace book {
namespace {

constexpr int64_t kChunk = 256 * 1024;  // sequential reads
constexpr size_t kSmall = 4096;         // first read after a far seek

}  // namespace

DbReader::DbReader(platform::File& file) : file_(file), length_(file.length()) {
    if (length_ < 0) {
        length_ = 0;
        ioError_ = true;
    }
    cap_ = static_cast<size_t>(std::clamp<int64_t>(length_, 16, kChunk));
    buf_.reset(new uint8_t[cap_]);
}

void DbReader::seek(int64_t position) {
    if (position >= start_ && position <= start_ + static_cast<int64_t>(len_)) {
        pos_ = static_cast<size_t>(position - start_);
        return;
    }
    start_ = position;
    len_ = pos_ = 0;
    sequential_ = false;
}

bool DbReader::fill(size_t want) {
    const int64_t at = position();
    if (at < 0 || at > length_) return false;
    const size_t keep = avail();
    std::memmove(buf_.get(), buf_.get() + pos_, keep);
    start_ = at;
    pos_ = 0;
    len_ = keep;
    size_t target = sequential_ ? cap_ : std::max(want, kSmall);
    target = std::min<size_t>(target, cap_);
    target = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(target), length_ - at));
    sequential_ = true;
    if (target > keep) {
        if (!file_.seek(at + static_cast<int64_t>(keep))) {
            ioError_ = true;
            return false;
        }
        const int64_t n = file_.read(buf_.get() + keep, static_cast<int64_t>(target - keep));
        if (n < 0) {
            ioError_ = true;
            return false;
        }
        len_ += static_cast<size_t>(n);
    }
    return len_ >= want;
}

bool DbReader::readSlow(uint8_t* dst, size_t n) {
    while (n > 0) {
        if (avail() == 0) {
            if (n >= cap_) {
                // Large reads go straight into the destination.
                const int64_t at = position();
                if (static_cast<int64_t>(n) > length_ - at) return false;
                if (!file_.seek(at) ||
                    file_.read(dst, static_cast<int64_t>(n)) != static_cast<int64_t>(n)) {
                    ioError_ = true;
                    return false;
                }
                start_ = at + static_cast<int64_t>(n);
                len_ = pos_ = 0;
                return true;
            }
            if (!fill(std::min(n, cap_)) && avail() == 0) return false;
        }
        const size_t k = std::min(n, avail());
        std::memcpy(dst, buf_.get() + pos_, k);
        pos_ += k;
        dst += k;
        n -= k;
    }
    return true;
}

bool DbReader::u32(uint32_t& v) {
    uint8_t b[4];
    if (!read(b, 4)) return false;
    v = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
        static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
}

bool DbReader::text(std::string* out, int max, uint8_t key) {
    if (out) out->clear();
    if (max <= 0) return false;
    size_t left = static_cast<size_t>(max);
    for (;;) {
        if (avail() == 0 && !fill(1)) return false;
        const size_t n = std::min(avail(), left);
        const uint8_t* p = buf_.get() + pos_;
        const auto* hit = static_cast<const uint8_t*>(std::memchr(p, key, n));
        const size_t take = hit ? static_cast<size_t>(hit - p) : n;
        if (out) {
            const size_t old = out->size();
            out->resize(old + take);
            for (size_t i = 0; i < take; ++i) (*out)[old + i] = static_cast<char>(p[i] ^ key);
        }
        if (hit) {
            pos_ += take + 1;
            return true;
        }
        pos_ += n;
        left -= n;
        if (left == 0) return false;  // the last allowed byte was no terminator
    }
}

bool Text_lesen(DbReader& in, char* buffer, int16_t max, uint8_t key) {
    for (int k = 0; k < max; ++k) {
        uint8_t b = 0;
        if (!in.u8(b)) return false;
        buffer[k] = static_cast<char>(b ^ key);
        if (buffer[k] == '\0') return true;
    }
    return false;
}

}  // namespace book

// Buffered little-endian reader over an open database file: sequential scans
// read large chunks, a far seek reads only a small one, so random look-ups in
// a big file stay cheap. Every read is checked against the file's length.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "platform/core/file.h"

namespace book {

class DbReader {
public:
    // The file must stay open while the reader is used; its length is taken now.
    explicit DbReader(platform::File& file);

    int64_t length() const { return length_; }
    int64_t position() const { return start_ + static_cast<int64_t>(pos_); }
    int64_t remaining() const { return length_ - position(); }
    // Any position is accepted; reads beyond the end fail.
    void seek(int64_t position);
    bool failed() const { return ioError_; }  // a read error of the system, not a short file

    // Exactly `n` bytes, or false (the position is then undefined).
    bool read(void* dst, size_t n) {
        if (n <= avail()) {
            std::memcpy(dst, buf_.get() + pos_, n);
            pos_ += n;
            return true;
        }
        return readSlow(static_cast<uint8_t*>(dst), n);
    }
    // The bytes buffered at the position (loading more when none are), for
    // scans that work on memory directly; `skip` then moves past them.
    const uint8_t* peek(size_t& available) {
        if (avail() == 0) fill(1);
        available = avail();
        return buf_.get() + pos_;
    }
    void skip(size_t n) { pos_ += n; }  // n at most what peek offered
    bool u32(uint32_t& v);
    bool u8(uint8_t& v) { return read(&v, 1); }

    // One scrambled text: bytes are read and unscrambled until the plain byte
    // is NUL or `max` bytes (terminator included) were read; false when the file
    // ends first or the last allowed byte is not NUL. `text` (may be null)
    // receives the plain text without its terminator.
    bool text(std::string* text, int max, uint8_t key);

private:
    size_t avail() const { return len_ - pos_; }
    bool readSlow(uint8_t* dst, size_t n);
    // Loads the buffer at the current position with at least `want` bytes
    // when the file has them; false at the end of the file or on an error.
    bool fill(size_t want);

    platform::File& file_;
    int64_t length_;
    size_t cap_;                      // no larger than the file: small files are common
    std::unique_ptr<uint8_t[]> buf_;  // not cleared: only bytes read are used
    int64_t start_ = 0;               // file offset of buf_[0]
    size_t len_ = 0;                  // valid bytes in buf_
    size_t pos_ = 0;                  // read position in buf_
    bool sequential_ = true;
    bool ioError_ = false;
};

// `Text_lesen` into a caller's buffer of at least `max` bytes. The buffer
// holds what was read; after a failure it need not be terminated.
bool Text_lesen(DbReader& in, char* buffer, int16_t max, uint8_t key);

}  // namespace book

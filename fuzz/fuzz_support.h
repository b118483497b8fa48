// Shared pieces of the libFuzzer targets: a scratch folder in memory, whole
// files written from the input, and a property check that stops the run.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/core/file.h"

namespace fuzz {

// A violated property is a finding like a crash: libFuzzer keeps the input.
#define FUZZ_ASSERT(...)                                                               \
    do {                                                                               \
        if (!(__VA_ARGS__)) {                                                          \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, \
                         #__VA_ARGS__);                                                \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// One folder per process, in memory where the system has such a folder:
// every input rewrites its files. Removed at exit (its name outlives every
// static object).
inline char gScratch[64];
inline const std::string& scratchFolder() {
    static const std::string dir = [] {
        std::snprintf(gScratch, sizeof gScratch, "%s/klb-fuzz-XXXXXX",
                      platform::dirExists("/dev/shm") ? "/dev/shm" : "/tmp");
        if (!::mkdtemp(gScratch)) std::abort();
        // Syncing memory is pointless; the writers' sync paths still run.
        platform::setSyncToDisk(false);
        std::atexit([] {
            for (const std::string& name : platform::findFiles(gScratch, "*"))
                platform::deleteFile(std::string(gScratch) + "/" + name);
            platform::removeDir(gScratch);
        });
        return std::string(gScratch);
    }();
    return dir;
}

// Replaces the file with `bytes` (a fresh file each time).
inline void putFile(const std::string& path, const uint8_t* data, size_t size) {
    platform::deleteFile(path);
    platform::File f;
    if (!f.open(path, platform::OpenMode::CreateWrite) ||
        !f.write(data, static_cast<int64_t>(size)) || !f.close())
        std::abort();
}

inline std::string getFile(const std::string& path) {
    std::string bytes;
    platform::readWholeFile(path, bytes);
    return bytes;
}

// Database inputs: a u16 length n of the index "Benutzer.log", its n bytes,
// then the block file "Benutzer.dat".
struct DatabaseInput {
    std::string log, dat;
};
inline DatabaseInput splitDatabase(const uint8_t* data, size_t size) {
    if (size < 2) return {};
    const size_t n = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    return {std::string(reinterpret_cast<const char*>(data) + 2, n),
            std::string(reinterpret_cast<const char*>(data) + 2 + n, size - 2 - n)};
}
inline std::string joinDatabase(const std::string& log, const std::string& dat) {
    const size_t n = std::min<size_t>(log.size(), 0xFFFF);
    return std::string{static_cast<char>(n), static_cast<char>(n >> 8)} + log.substr(0, n) + dat;
}

}  // namespace fuzz

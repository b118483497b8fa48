// The temporary file through which a whole file is replaced. It is created
// new (never opened through a link, never an existing file), under a random
// name beside the real target: when the target is a link, the file it points
// to is replaced and the link stays, so a shared file stays shared.
#pragma once

#include <string>

#include "platform/core/file.h"

namespace platform {

// The file a write to `path` lands in: links of the last part followed to
// the end (a missing file is its own target). False for a link loop.
bool realTargetPath(const std::string& path, std::string& target);

// True for names the temporary files take ("<name>.<random>.tmp"), so a
// folder can be checked for leftovers.
bool isTempFileName(const std::string& name);

class TempFile {
public:
    TempFile() = default;
    ~TempFile();  // removes the file unless it was committed
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates the file, read and write, empty, with the permissions of an
    // existing target. False (lastFileError set) when it cannot be made.
    bool create(const std::string& target);
    File& file() { return file_; }
    const std::string& path() const { return path_; }
    const std::string& target() const { return target_; }
    // Whether `path()` still names the file created (nobody swapped it).
    bool unchanged() const;
    // Syncs and closes the file, renames it over the target, syncs the
    // folder. Before the rename any failure removes the file and leaves the
    // target as it was; a failed folder sync after it leaves the new file.
    bool commit();
    // Removes the file now.
    void discard();

private:
    File file_;
    std::string path_;
    std::string target_;
    bool pending_ = false;  // created and neither committed nor removed
};

// Copies the rest of `in` (from its start) into `out`, through the kernel
// where it can: a clone of the extents where the file system shares them,
// else copy_file_range, else reads and writes. Not synced.
bool copyContents(File& in, File& out);

}  // namespace platform

#include "platform/core/replace_file.h"

#include "platform/core/file.h"

namespace platform {
namespace {

// Only an existing leftover is removed, so the error of the failed step stays
// the one that lastFileError() reports.
void removeLeftover(const std::string& temp) {
    if (fileExists(temp)) deleteFile(temp);
}

}  // namespace

std::string replacementTempPath(const std::string& path) { return path + ".tmp"; }

bool replaceFile(const std::string& path, const std::string& bytes) {
    const std::string temp = replacementTempPath(path);
    File f;
    if (!f.open(temp, OpenMode::CreateWrite)) return false;
    const bool written = f.write(bytes) && f.sync();
    const bool closed = f.close();
    if (!written || !closed || !renamePath(temp, path)) {
        removeLeftover(temp);
        return false;
    }
    return syncFolder(folderOf(path));
}

bool copyFileReplacing(const std::string& from, const std::string& to) {
    const std::string temp = replacementTempPath(to);
    if (!copyFile(from, temp, true) || !renamePath(temp, to)) {
        removeLeftover(temp);
        return false;
    }
    return syncFolder(folderOf(to));
}

}  // namespace platform

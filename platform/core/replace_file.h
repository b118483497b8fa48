// Rewriting a whole file without risking the old one: the new bytes go to a
// new temporary file beside the real file (see temp_file.h), which is synced
// and renamed over it only after every write succeeded; then the folder is
// synced, so that a reported success survives a power cut.
#pragma once

#include <string>

namespace platform {

// Writes `bytes` as the whole new content of `path`. On a failure before the
// rename the old file is untouched and the temporary file removed; a failed
// sync of the folder after it leaves the new file in place. Both give false.
bool replaceFile(const std::string& path, const std::string& bytes);

// Copies `from` over `to` the same way, inside the kernel where it can: a
// failed copy leaves `to` as it was.
bool copyFileReplacing(const std::string& from, const std::string& to);

}  // namespace platform

// Rewriting a whole file without risking the old one: the new bytes go to a
// temporary file beside it, which is renamed over the old file only after
// every write and the close succeeded.
#pragma once

#include <string>

namespace platform {

// The temporary file that replaceFile writes first (the target + ".tmp").
std::string replacementTempPath(const std::string& path);

// Writes `bytes` as the whole new content of `path`. On any failure the old
// file is untouched, the temporary file is removed and the result is false.
bool replaceFile(const std::string& path, const std::string& bytes);

// Copies `from` over `to` the same way: a failed copy leaves `to` as it was.
bool copyFileReplacing(const std::string& from, const std::string& to);

}  // namespace platform

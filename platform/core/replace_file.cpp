#include "platform/core/replace_file.h"

#include "platform/core/file.h"
#include "platform/core/temp_file.h"

namespace platform {

bool replaceFile(const std::string& path, const std::string& bytes) {
    TempFile temp;
    return temp.create(path) && temp.file().write(bytes) && temp.commit();
}

bool copyFileReplacing(const std::string& from, const std::string& to) {
    File in;
    if (!in.open(from, OpenMode::ReadOnly)) return false;
    TempFile temp;
    return temp.create(to) && copyContents(in, temp.file()) && temp.commit();
}

}  // namespace platform

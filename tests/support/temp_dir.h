// A fresh temporary folder for a test, removed with everything in it.
#pragma once

#include <string>

namespace testing_support {

// Whether `folder` holds a temporary file left by a replacing write.
bool hasTempFiles(const std::string& folder);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace testing_support

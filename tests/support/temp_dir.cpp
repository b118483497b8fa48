#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/core/file.h"
#include "platform/core/temp_file.h"

namespace testing_support {

bool hasTempFiles(const std::string& folder) {
    for (const std::string& name : platform::findFiles(folder, "*"))
        if (platform::isTempFileName(name)) return true;
    return false;
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "klb-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace testing_support

#include "app/statement/program_files.h"

#include <algorithm>

#include "platform/core/file.h"
#include "platform/core/path.h"

namespace app {
namespace {

bool gleichOhneFall(const std::string& a, const std::string& b) {
    const auto klein = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return klein(static_cast<unsigned char>(x)) == klein(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string programmDatei(const std::string& ordner, const std::string& name) {
    const std::string pfad = platform::joinPath(ordner, platform::nativePath(name));
    if (platform::fileExists(pfad)) return pfad;
    const size_t schnitt = pfad.find_last_of('/');
    const std::string dir = schnitt == std::string::npos ? std::string()
                            : schnitt == 0                ? std::string("/")
                                                          : pfad.substr(0, schnitt);
    const std::string datei = schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
    // "*" lists every file; the names are compared here, so a name with
    // wildcard characters matches only itself.
    for (const std::string& n : platform::findFiles(dir, "*")) {
        if (gleichOhneFall(n, datei)) return platform::joinPath(dir, n);
    }
    return {};
}

}  // namespace app

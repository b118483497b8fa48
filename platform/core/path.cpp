#include "platform/core/path.h"

#include <unistd.h>

#include <vector>

#include "platform/core/codepage.h"

namespace platform {

std::string nativePath(std::string_view stored) {
    std::string p(stored);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string joinPath(std::string_view a, std::string_view b) {
    std::string left = nativePath(a);
    std::string right = nativePath(b);
    if (left.empty()) return right;
    if (right.empty()) return left;
    while (left.size() > 1 && left.back() == '/') left.pop_back();
    size_t start = 0;
    while (start < right.size() && right[start] == '/') ++start;
    if (left == "/") return left + right.substr(start);
    return left + "/" + right.substr(start);
}

std::string currentDir() {
    std::vector<char> buf(4096);
    for (int i = 0; i < 8; ++i) {
        if (::getcwd(buf.data(), buf.size())) return fromOsPath(buf.data()).value_or(std::string());
        buf.resize(buf.size() * 2);
    }
    return {};
}

std::string osPath(std::string_view cp1252Path) { return cp1252ToUtf8(cp1252Path); }

std::optional<std::string> fromOsPath(std::string_view osName) {
    // NUL marks a letter that did not fit; no file name holds a real one.
    const std::string out = utf8ToCp1252(osName, '\0');
    if (out.find('\0') != std::string::npos) return std::nullopt;
    return out;
}

}  // namespace platform

#include "platform/core/path.h"

#include <unistd.h>

#include <vector>

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
        if (::getcwd(buf.data(), buf.size())) return buf.data();
        buf.resize(buf.size() * 2);
    }
    return {};
}

}  // namespace platform

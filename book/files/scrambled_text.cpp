#include "book/files/scrambled_text.h"

namespace book {

void appendScrambled(std::string& out, const std::string& text, uint8_t key) {
    for (const char c : text) out.push_back(static_cast<char>(static_cast<uint8_t>(c) ^ key));
    out.push_back(static_cast<char>(key));
}

}  // namespace book

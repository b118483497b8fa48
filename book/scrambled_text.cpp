#include "book/scrambled_text.h"

namespace book {

bool Text_lesen(platform::File& file, std::string& text, int max, uint8_t key) {
    text.clear();
    for (int k = 0; k < max; ++k) {
        unsigned char byte = 0;
        if (!file.readExact(&byte, 1)) return false;
        const char plain = static_cast<char>(byte ^ key);
        if (plain == '\0') return true;
        text.push_back(plain);
    }
    return false;  // no terminator within `max` bytes
}

void appendScrambled(std::string& out, const std::string& text, uint8_t key) {
    for (const char c : text) out.push_back(static_cast<char>(static_cast<uint8_t>(c) ^ key));
    out.push_back(static_cast<char>(key));
}

}  // namespace book

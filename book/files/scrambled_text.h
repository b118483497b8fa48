// Scrambled texts of the program's files: the bytes of a text and its NUL,
// each XORed with a one-byte key.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/file.h"

namespace book {

constexpr uint8_t kDatabaseKey = 0x17;  // user database and month files
constexpr uint8_t kSettingsKey = 0x2D;  // "Kronlauf.ini"

// Appends `text` and its terminator, scrambled.
void appendScrambled(std::string& out, const std::string& text, uint8_t key);

}  // namespace book

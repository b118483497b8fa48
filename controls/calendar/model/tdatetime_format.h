// The clipboard format "TDateTime" that date fields copy to each other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/date.h"

namespace calendar {

constexpr const char* kTDateTimeFormat = "TDateTime";

// clang-format off
// offset | size | meaning
// 0      | 8    | the value, an IEEE 754 double, little-endian
// clang-format on
constexpr size_t kTDateTimeSize = 8;

std::string encodeTDateTime(platform::DateTime value);

// The value of a payload from the clipboard: exactly 8 bytes holding a
// finite value whose date lies within 1.1.1900 to 31.12.9999, or a value
// below 1 (-1 plus a time fraction: a field without a date; 0 to 1: a time
// alone), as the field itself copies them. Nothing for anything else.
std::optional<platform::DateTime> decodeTDateTime(std::string_view bytes);

}  // namespace calendar

#include "controls/calendar/model/tdatetime_format.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace calendar {

std::string encodeTDateTime(platform::DateTime value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    std::string out(kTDateTimeSize, '\0');
    for (size_t i = 0; i < kTDateTimeSize; ++i)
        out[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return out;
}

std::optional<platform::DateTime> decodeTDateTime(std::string_view bytes) {
    if (bytes.size() != kTDateTimeSize) return std::nullopt;
    uint64_t bits = 0;
    for (size_t i = 0; i < kTDateTimeSize; ++i)
        bits |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    const auto value = std::bit_cast<platform::DateTime>(bits);
    if (!std::isfinite(value)) return std::nullopt;
    static const platform::DateTime kFirst = platform::encodeDate(1900, 1, 1);
    static const platform::DateTime kPastLast = platform::encodeDate(9999, 12, 31) + 1;
    const bool noDate = value >= -1.0 && value < 1.0;
    if (!noDate && (value < kFirst || value >= kPastLast)) return std::nullopt;
    return value;
}

}  // namespace calendar

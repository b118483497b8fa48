// The date and time field's readers of outside bytes: a pasted "TDateTime"
// block and a text handed to `SetAnsi`. Whatever they accept is a valid
// value, and an accepted text reads back to the same fields.
#include <cmath>

#include "controls/calendar/model/tdatetime_format.h"
#include "controls/calendar/model/zeit_text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto v = calendar::decodeTDateTime(bytes)) {
        FUZZ_ASSERT(std::isfinite(*v));
        FUZZ_ASSERT(calendar::encodeTDateTime(*v) == bytes);
    }
    if (size == 0) return 0;
    const auto style = static_cast<calendar::TZeitStyle>(data[0] % 3);
    const bool textFormat = data[0] & 0x80;
    (void)calendar::parseAnsi(bytes.substr(1), style, textFormat);
    return 0;
}

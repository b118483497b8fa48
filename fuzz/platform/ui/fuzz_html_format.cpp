// The "HTML Format" clipboard reader: the HTML between the header's
// StartHTML and EndHTML offsets is cut from any bytes without reading past
// them, and a header that does not fit gives the whole text.
#include "fuzz/fuzz_support.h"
#include "platform/ui/input/clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string html = ui::htmlOfHtmlFormat(bytes);
    FUZZ_ASSERT(bytes.find(html) != std::string::npos);
    return 0;
}

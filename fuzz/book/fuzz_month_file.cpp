// The month file (".akt"): any bytes load without a crash, and a page that
// loaded without an error writes a file that loads and writes back to the
// same bytes (load -> write -> load -> write).
#include "book/sheet/host.h"
#include "book/files/month_file.h"
#include "book/sheet/zeitbuch.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"

namespace {

// Loads into a fresh, signed-out book; false when the load reported an error.
bool loadAndImage(const uint8_t* data, size_t size, std::string& image) {
    const std::string path = platform::joinPath(fuzz::scratchFolder(), "Monat.akt");
    fuzz::putFile(path, data, size);
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.seiteLeeren();
    platform::ScriptedMessages boxes;
    zb.Akt_laden(path);
    image = book::monthFileImage(zb);
    for (const platform::MessageRequest& m : boxes.shown())
        if (m.text == "Fehler beim Laden") return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string first, second;
    if (!loadAndImage(data, size, first)) return 0;
    FUZZ_ASSERT(loadAndImage(reinterpret_cast<const uint8_t*>(first.data()), first.size(), second));
    FUZZ_ASSERT(second == first);
    return 0;
}

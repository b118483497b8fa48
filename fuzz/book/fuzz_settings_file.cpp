// The settings file "Kronlauf.ini": any bytes load without a crash, and what
// a load leaves in the book writes back as a file that loads to the same
// bytes again (load -> write -> load -> write gives the same image). Any
// bytes as another program's file merge into a file that loads whole.
#include "book/sheet/host.h"
#include "book/files/settings_file.h"
#include "book/sheet/zeitbuch.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"

namespace {

std::string loadAndImage(const uint8_t* data, size_t size, bool& whole) {
    const std::string& dir = fuzz::scratchFolder();
    fuzz::putFile(platform::joinPath(dir, book::kSettingsFileName), data, size);
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.programmOrdner = dir;
    whole = zb.Einstellungen_laden_speichern(true);
    return book::settingsFileImage(zb);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::ScriptedMessages boxes;
    bool whole = false;
    const std::string first = loadAndImage(data, size, whole);
    const std::string second =
        loadAndImage(reinterpret_cast<const uint8_t*>(first.data()), first.size(), whole);
    FUZZ_ASSERT(whole);
    FUZZ_ASSERT(second == first);
    book::NullHost host;
    const std::string base = book::settingsFileImage(book::Zeitbuch(host));
    const std::string merged = book::mergedSettingsImage(
        base, first, std::string(reinterpret_cast<const char*>(data), size));
    loadAndImage(reinterpret_cast<const uint8_t*>(merged.data()), merged.size(), whole);
    FUZZ_ASSERT(whole);
    return 0;
}

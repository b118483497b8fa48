// The report command language ("Formular.txt"): any text parses to an end
// (every unknown word answered with OK), and parsing it again gives the same
// objects.
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"
#include "report/report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    report::Report r;
    platform::ScriptedMessages boxes;  // unanswered boxes take their first button
    r.SetReportdaten(text);
    const std::vector<report::DruckReport_Struct> first = r.Objekte();
    r.SetReportdaten(text);
    FUZZ_ASSERT(r.Objekte() == first);
    return 0;
}

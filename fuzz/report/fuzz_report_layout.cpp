// Report layout and the PDF writer: any report text, with three small data
// tables whose size the input's first byte picks, is laid out and written as
// a PDF that starts and ends as a PDF must, or, when it would draw more than
// a report may, stops with its numbered error and writes nothing. (One pass
// per input: a report may run to the page cap, which is slow under the
// sanitizers.)
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"
#include "report/pdf_writer.h"
#include "report/report.h"
#include "report/string_tab.h"

namespace {

void fill(report::TStringTab& t, uint32_t rows) {
    t.Set_Tab(rows + 1, 3);
    for (uint32_t c = 0; c < 3; ++c) t.SetCell(0, c, "s" + std::to_string(c));
    for (uint32_t r = 1; r <= rows; ++r)
        for (uint32_t c = 0; c < 3; ++c) t.SetCell(r, c, "Zeile " + std::to_string(r) + " \xFC\x80 ()\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint32_t rows = data[0] % 41;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    platform::ScriptedMessages boxes;  // unanswered boxes take their first button
    report::TStringTab t1, t2, t3;
    fill(t1, rows), fill(t2, rows / 2), fill(t3, 1);
    report::Report r;
    r.Tabelle1 = &t1, r.Tabelle2 = &t2, r.Tabelle3 = &t3;
    r.SetReportdaten(text);
    const std::string pdf = report::pdfDokument(r);
    if (pdf.empty()) {  // only a report that would draw too much writes nothing, and says so
        FUZZ_ASSERT(boxes.count() > 0);
        const std::string& m = boxes.last().text;
        FUZZ_ASSERT(m.find("Fehlernummer:18") != std::string::npos ||
                    m.find("Fehlernummer:19") != std::string::npos);
        return 0;
    }
    FUZZ_ASSERT(pdf.rfind("%PDF-1.4", 0) == 0);
    FUZZ_ASSERT(pdf.size() >= 5 && pdf.compare(pdf.size() - 5, 5, "%%EOF") == 0);
    return 0;
}

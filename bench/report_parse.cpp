// Parsing a 5 000-line report text: the statement form, then sheet-like
// frames with objects and a data block, line after line.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"

namespace {

std::string reportText(int lines) {
    std::string text = platform::cp1252(
        "# Abrechnung\nausrichtung hochformat\nseiten 2\nset schrifthöhe 9 fontart normal\n"
        "frame oben 200 breite 1900 höhe 220 tabelle tab1\n");
    int n = 5;
    for (int i = 0; n < lines; ++i) {
        switch (i % 10) {
            case 0:
                text += "frame oben 520 links 0 breite 1900 höhe 1500 tabelle tab2\n";
                break;
            case 9:
                text += "end\n";
                break;
            case 5:
                text += platform::cp1252(
                    "  object dbtext text \"Grund der Überstunden\" links 1110 breite 790 "
                    "höhe 120 ausrichtung box wenn nleer gruppe 2 anzeige format end\n");
                break;
            case 7:
                text +=
                    "  data tab3\n  row \"KW\",\"VB\",12,Bereitschaft vom 01.03. bis 07.03.\n  "
                    "end\n";
                n += 2;
                break;
            default:
                text += "  object label text Spalte" + std::to_string(i) + " oben 40 links " +
                        std::to_string(i * 10) +
                        " breite 100 ausrichtung rechts add Summe farbe C0C0C0 end\n";
                break;
        }
        ++n;
    }
    return text;
}

void BM_ReportParse(benchmark::State& state) {
    const std::string text = reportText(5000);
    platform::setMessageHandler(
        [](const platform::MessageRequest&) { return platform::Answer::Ok; });
    report::Report r;
    for (auto _ : state) {
        const bool ok = r.SetReportdaten(text);
        benchmark::DoNotOptimize(ok);
        if (!ok) state.SkipWithError("the text did not parse");
    }
    platform::setMessageHandler(nullptr);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["objects"] = static_cast<double>(r.Objekte().size());
}
BENCHMARK(BM_ReportParse);

}  // namespace

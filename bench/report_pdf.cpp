// A 1 000-record statement written as PDF: our own writer against Qt's
// QPdfWriter drawing the same layout through the Qt canvas. Both write into
// memory; the counter "bytes" is the size of the file.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/bench_application.h"
#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <string>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/canvas.h"
#include "report/pdf_writer.h"
#include "report/report.h"
#include "report/report_draw.h"
#include "report/ui/qt_report_canvas.h"

namespace {

const char* kAbrechnung = R"(seiten 0
set tabelle tab2 schrifthöhe 9
frame oben 150 links 0 breite 1900 höhe 0
  object dbtext text Datum links 0 breite 200 höhe 40 wenn änderung end
  object dbtext text Von links 220 breite 120 höhe 40 end
  object dbtext text Bis links 360 breite 120 höhe 40 end
  object dbtext text Gesamt links 500 breite 150 höhe 40 ausrichtung rechts add Summe end
  object dbtext text Text links 700 breite 1200 höhe 120 ausrichtung box end
  object linie oben 40 links 0 breite 1900 höhe 0 stift 2 farbe C0C0C0 end
end
seitenframe
  object label text "Überstunden- und Bereitschaftsabrechnung" oben -100 breite 1900
    schrifthöhe 14 fontart fett ausrichtung hmitte end
  object seite text "Seite " oben 2800 links 1500 breite 200 end
  object seitevon text "von " oben 2800 links 1700 breite 200 end
end
object label text "Summe:" oben 0 links 300 breite 200 end
object variable text Summe oben 0 links 500 breite 150 ausrichtung rechts end
)";

struct Abrechnung {
    report::TStringTab tab;
    report::Report r;
    Abrechnung() {
        tab.Set_Tab(0, 5);
        const report::TStringTab::CellList kopf{"Datum", "Von", "Bis", "Gesamt", "Text"};
        tab.InsertRow(-1, &kopf, 1);
        for (int k = 0; k < 1000; ++k) {
            const report::TStringTab::CellList zeile{
                std::to_string(k / 3 % 28 + 1) + ".03.2024", "07:30", "16:45",
                std::to_string(k % 9) + ",25",
                platform::cp1252(k % 4 ? "Wartung"
                                       : "Störung an der Anlage behoben, Einsatz "
                                         "in der Nacht mit Bereitschaft")};
            tab.InsertRow(-1, &zeile, 1);
        }
        r.Tabelle2 = &tab;
        platform::ScriptedMessages boxes;
        r.SetReportdaten(platform::cp1252(kAbrechnung));
    }
};

void BM_EigenesPdf(benchmark::State& state) {
    Abrechnung a;
    size_t bytes = 0;
    for (auto _ : state) {
        a.r.SetZaehlen(true);
        const std::string d = report::pdfDokument(a.r);
        bytes = d.size();
        benchmark::DoNotOptimize(d.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["pages"] = a.r.SeitenGesamt();
}
BENCHMARK(BM_EigenesPdf)->Unit(benchmark::kMillisecond);

void BM_QPdfWriter(benchmark::State& state) {
    bench::application();
    Abrechnung a;
    size_t bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        ui::Canvas canvas;
        canvas.attach(&writer, 300);
        report::QtReportCanvas qc(canvas, [&writer] { writer.newPage(); });
        const int w = writer.width();
        const int h = writer.height();
        a.r.SetZaehlen(true);
        report::DrawCanvas(a.r, qc, report::druckerZiel(a.r, w, h, 0, 0, 300));  // counts
        report::DrawCanvas(a.r, qc, report::druckerZiel(a.r, w, h, 0, 0, 300));
        canvas.detach();
        bytes = static_cast<size_t>(buffer.size());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["pages"] = a.r.SeitenGesamt();
}
BENCHMARK(BM_QPdfWriter)->Unit(benchmark::kMillisecond);

}  // namespace

// Laying out a parsed report on pages and drawing it on a canvas
// (`DrawCanvas`): the target's page size and resolution, and the messages
// a report that never ends stops with.
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/report.h"
#include "report/report_canvas.h"

namespace report {

enum class Ziel : uint8_t { Drucker, Vorschau, Pdf };

struct DrawZiel {
    Ziel ziel = Ziel::Drucker;
    int width = 0;  // the page in device units
    int height = 0;
    int originX = 0;  // added to every position
    int originY = 0;
    int fontResolution = 96;  // pixels per inch the font sizes are turned into
};

// A printer page: positions count from the paper's corner, the canvas from
// the printable area's.
DrawZiel druckerZiel(const Report& r, int physicalWidth, int physicalHeight, int offsetX,
                     int offsetY, int pixelsPerInch);
// A preview page of width x height pixels placed at (left, top) of the
// image; fonts take the page's own resolution, so the preview breaks and
// spaces lines as the paper does.
DrawZiel vorschauZiel(const Report& r, int left, int top, int width, int height);
// A PDF page in PDF units.
DrawZiel pdfZiel(int width, int height);

// One pass over the whole report. While the report asks for a count (and its
// page count setting is not 1) the pass only counts pages into SeitenGesamt.
// A report that would draw more than the bounds below draws nothing at all:
// false then, and the report's numbered error has been shown.
bool DrawCanvas(Report& r, ReportCanvas& canvas, const DrawZiel& ziel);
// A counting pass whatever the page count setting says; false when the
// report outgrew its bounds.
bool ZaehleSeiten(Report& r, ReportCanvas& canvas, const DrawZiel& ziel);

// A report stops after this many pages.
constexpr int32_t kMaxSeiten = 10000;
// Object visits per pass after which a report that draws nothing stops.
constexpr int64_t kMaxSchritte = 5'000'000;

// Frames nested deeper than this stop the report.
constexpr size_t kMaxTiefe = 200;

// What one report may draw: texts (one per line), shapes and pictures, and
// the bytes of its texts (each text whole, each time it is placed), on one
// page and in all. A full statement page holds under a thousand texts with
// some 20 KB of text; the PDF of a report at the bounds stays below a few
// hundred MB.
constexpr int64_t kMaxObjekteJeSeite = 10'000;
constexpr int64_t kMaxTextJeSeite = int64_t{1} << 20;
constexpr int64_t kMaxObjekte = 500'000;
constexpr int64_t kMaxText = int64_t{32} << 20;
// What a variable may hold: some 320 texts of the longest kind, every work
// text of a full month with room to spare. A sum is
// drawn nowhere until its variable is shown, yet a variable that adds
// itself doubles with every record.
constexpr size_t kMaxVariable = size_t{64} << 10;

// "Fehler in der Reportstruktur, zwei Seitenwechsel in Folge!"
extern const char* const kZweiSeitenwechsel;
// "Fehler in der Reportstruktur, der Report endet nicht!"
extern const char* const kReportEndetNicht;
// "Fehler in der Reportstruktur, Frames zu tief verschachtelt!"
extern const char* const kZuTief;

}  // namespace report

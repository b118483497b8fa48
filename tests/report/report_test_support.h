// Helpers of the layout and PDF tests: a report parsed from UTF-8 source
// text, host tables filled from rows, and a pass on the recording canvas at
// one device unit per 0.1 mm.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"
#include "report/report_draw.h"
#include "tests/report/recording_canvas.h"

namespace report::testing {

inline std::unique_ptr<TStringTab> tabelle(const std::vector<std::vector<std::string>>& rows) {
    auto t = std::make_unique<TStringTab>();
    t->Set_Tab(0, static_cast<uint32_t>(rows.empty() ? 0 : rows[0].size()));
    for (const auto& row : rows) {
        TStringTab::CellList cells;
        for (const std::string& c : row) cells.push_back(platform::cp1252(c));
        t->InsertRow(-1, &cells, 1);
    }
    t->SetZeile(0);
    return t;
}

inline void parse(Report& r, const std::string& utf8) {
    platform::ScriptedMessages boxes;
    ASSERT_TRUE(r.SetReportdaten(platform::cp1252(utf8)));
    ASSERT_EQ(boxes.count(), 0u) << boxes.last().text;
}

// Counting (when the report asks for it) and drawing, as a printer does.
inline void zeichne(Report& r, RecordingCanvas& c) {
    const DrawZiel z{Ziel::Drucker, r.Seitenbreite(), r.Seitenhoehe(), 0, 0, 254};
    if (r.Zaehlen() && r.Seiten() != 1) {
        RecordingCanvas zaehler;
        DrawCanvas(r, zaehler, z);
        EXPECT_TRUE(zaehler.calls.empty());
    }
    DrawCanvas(r, c, z);
}

// A report without tables parsed from UTF-8 text and drawn as a printer
// does, with the messages the drawing showed.
struct Durchlauf {
    explicit Durchlauf(const std::string& utf8) {
        EXPECT_TRUE(r.SetReportdaten(platform::cp1252(utf8)));
        EXPECT_EQ(boxes.count(), 0u) << boxes.last().text;
        boxes.clear();
        zeichne(r, c);
    }
    platform::ScriptedMessages boxes;  // first: installed before the parse
    Report r;
    RecordingCanvas c;
};

}  // namespace report::testing

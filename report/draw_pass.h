// One layout pass over a report (internal to report_draw.cpp and
// draw_objects.cpp): the frame walk with its records, columns and page
// changes, and the objects it evaluates and draws.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_canvas.h"
#include "report/report_draw.h"
#include "report/report_errors.h"
#include "report/text_lines.h"

namespace report {

// Counting walks add up the pages; measuring walks draw nothing and only
// find out whether the report keeps within its output bounds.
enum class Lauf : uint8_t { Zaehlen, Messen, Zeichnen };

class DrawPass {
public:
    DrawPass(Report& r, ReportCanvas& canvas, const DrawZiel& ziel, Lauf lauf);
    void run();
    // The pass stopped because the report would draw more than it may.
    bool zuGross() const { return zuGross_; }

private:
    // A frame being drawn (or the top level, index -1). Offsets and limits
    // are 0.1 mm from the margins' corner; limit is from the paper's top.
    // 64 bits: steps of any size add up over any number of records.
    struct Rahmen {
        int32_t index = -1;
        int64_t x = 0;  // offset of the record being drawn
        int64_t y = 0;
        int64_t baseX = 0;  // column 1 at the top of the frame
        int64_t baseY = 0;
        int64_t limit = 0;  // bottom limit
        int32_t spalten = 1;
        int32_t spalte = 1;
        int64_t spaltenBreite = 0;
        int64_t hoehe = 0;  // used height of the record
        bool erster = true;
        bool seitenFrame = false;
    };
    using Benutzt = std::array<bool, 3>;  // a cell of table 1..3 was taken
    enum Zustand : uint8_t { kOffen, kSichtbar, kFertig };
    // What an object evaluated to for its record.
    struct Auswertung {
        std::string text;  // the shown string
        bool elseBild = false;
    };

    // What a trial layout may change, kept to be put back afterwards.
    struct Stand {
        struct Objekt {
            int32_t pageMarker;
            int32_t remainingLines;
            std::optional<std::string> value;
        };
        int32_t seite;
        uint32_t gruppen;
        bool abbruch, zaehlen, probe, probeVoll;
        int64_t fortschritt, fortschrittBeimWechsel;
        Benutzt benutzt;
        std::array<int32_t, 6> zeilen;  // current records of tables 1..3, host's and own
        std::vector<Objekt> objekte;
        std::vector<Variable> variablen;
    };

    // report_draw.cpp
    int64_t frame(int32_t index, Rahmen& parent);
    int64_t rahmen(int32_t index, Rahmen& parent, int32_t spalten);
    int32_t probiereSpalten(int32_t index, Rahmen& parent);
    Stand sichern() const;
    void zuruecksetzen(const Stand& s);
    void record(Rahmen& r, int32_t rec);
    void place(Rahmen& r, const Rahmen* parent);
    void nextColumn(Rahmen& r);
    bool seitenwechsel();
    bool wechselErlaubt(const Rahmen& r) const;
    void drawPageFrame();
    void abbrechen(const char* text);
    // Counts drawn objects and text bytes; false, and the report stops with
    // its error, when the page or the report would hold too much.
    bool ausgeben(const DruckReport_Struct& o, int64_t objekte, size_t bytes);
    // Stops the report with error n at the line of object o.
    void zuViel(const DruckReport_Struct& o, ReportFehler n);
    int px(double v01) const;
    int py(double v01) const;

    // draw_objects.cpp
    bool bewerte(DruckReport_Struct& o, const Rahmen& r, int32_t rec, Auswertung& a);
    bool bedingungen(DruckReport_Struct& o, const Rahmen& r, const std::string& wert);
    bool zellwert(const DruckReport_Struct& o, const std::string& spalte, std::string& out);
    std::string anzeige(const DruckReport_Struct& o);
    void summen(const DruckReport_Struct& o, const std::string& wert);
    bool istText(const DruckReport_Struct& o) const;
    CanvasFont fontOf(const DruckReport_Struct& o) const;
    int32_t zeilenhoehe01(const DruckReport_Struct& o);
    int64_t breite01(const DruckReport_Struct& o, const Rahmen& r) const;
    platform::Rect rechteck(const DruckReport_Struct& o, const Rahmen& r) const;
    // Draws the object; false when lines of a text remain for the next
    // column or page. drawn tells whether anything was placed.
    bool zeichne(DruckReport_Struct& o, Rahmen& r, const Auswertung& a, bool& drawn);
    bool zeichneText(DruckReport_Struct& o, Rahmen& r, const std::string& s, bool& drawn);
    void zeichneZeile(const DruckReport_Struct& o, const platform::Rect& box, int x, int y,
                      std::string_view line);
    void zeichneBild(const DruckReport_Struct& o, const platform::Rect& box, bool elseBild);
    void hilfsRahmen(const platform::Rect& box, uint32_t farbe);

    Report& r_;
    ReportCanvas& c_;
    DrawZiel z_;
    bool zaehlen_;        // nothing is drawn
    bool seitenZaehlen_;  // page changes add to the page total
    double sx_ = 1;
    double sy_ = 1;
    int32_t seite_ = 1;
    uint32_t gruppen_ = 0;
    bool abbruch_ = false;
    bool probe_ = false;       // a trial layout: nothing drawn, a page change ends it
    bool probeVoll_ = false;   // the trial needed a page change
    int64_t fortschritt_ = 0;  // records finished and objects placed
    int64_t fortschrittBeimWechsel_ = -1;
    int64_t schritte_ = 0;
    // Report-wide: the records of every frame being drawn took a cell of
    // these tables (a frame's record includes its inner frames' records).
    Benutzt benutzt_{};
    // What has been drawn, on this page and in the whole pass.
    int64_t objekteSeite_ = 0;
    int64_t textSeite_ = 0;
    int64_t objekte_ = 0;
    int64_t text_ = 0;
    bool zuGross_ = false;
    std::vector<Rahmen*> stapel_;               // frames being drawn, outermost first
    std::vector<std::vector<int32_t>> kinder_;  // children of record i at i + 1
    std::vector<Textzeile> zeilen_;
    // Per nesting depth of record(): the children's states, kept between
    // records (a deque, so deeper levels never move the outer ones).
    std::deque<std::vector<Zustand>> zustaende_;
    std::deque<std::vector<Auswertung>> auswertungen_;
    size_t tiefe_ = 0;
};

}  // namespace report

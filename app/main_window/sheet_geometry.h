// Geometry of the month sheet: the fixed character grid, the header sections,
// the rows a line takes, and the scroll arithmetic. Painting, the caret and
// scrolling all read these; nothing here draws.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace app {

constexpr int kCharWidth = 8;     // the sheet font is drawn at an 8-pixel grid
constexpr int kRowPitch = 18;
constexpr int kLineX = 3;         // character i of a sheet line at 3 + 8 i
constexpr int kTextX = 480;       // work texts, 30 characters per row
constexpr int kTextPerRow = 30;
constexpr int kToolBarHeight = 28;
constexpr int kHeaderHeight = 17;
constexpr int kStatusBarHeight = 19;
constexpr int kScrollBarWidth = 17;
constexpr int kCalendarLeft = 547;
constexpr int kSummaryRight = 540;
constexpr int kClientHeight = 522;  // the calendar frame is 185 high
constexpr int kMinClientHeight = 385;

struct HeaderSection {
    const char* caption;  // Windows-1252; sections 6 and 7 come from the settings
    int width;
    bool centred;
};
extern const std::array<HeaderSection, 11> kHeaderSections;
// Right edge of section i (exclusive), counted from x 0.
int sectionRight(int i);
// The sheet's right edge: the right end of "Art der Arbeit".
inline int sheetRightEdge() { return sectionRight(10); }
inline int clientWidth() { return sheetRightEdge() + kScrollBarWidth; }

// Rows of the open line for a work text of `length` characters: one more
// than the full rows, so the caret has a place after the last character;
// 150 characters still take five.
int openLineRows(int length);
// Rows of a stored line: its text rows, at least one.
int storedLineRows(int length);

struct SheetGeometry {
    int top = kToolBarHeight + kHeaderHeight;
    int height = 0;
    int rightEdge = 0;
    int visibleRows = 0;
    int rowTop(int row) const { return top + 1 + kRowPitch * row; }
    // Recomputed from the calendar's top and the client width.
    void compute(int calendarTop, int clientWidth);
};

struct CaretPos {
    int x = 0;
    int y = 0;
    bool operator==(const CaretPos&) const = default;
};

// Scroll range of the sheet: walks the texts from the last one back until
// they fill the visible rows. Returns the new extent, or `current` when the
// texts are exhausted first.
int scrollExtent(const std::vector<std::string>& texts, int visibleRows, int current);
// The first shown line that brings line `index` into view from below.
int firstLineShowing(const std::vector<std::string>& texts, int index, int visibleRows);

// The text of status code 1..7 (Windows-1252), "" for any other.
const std::string& statusText(int code);
// Help context of status code `code`.
inline int statusHelpContext(int code) { return 50 + code; }

}  // namespace app

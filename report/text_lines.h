// Breaking a report text into lines that fit a width (`GetTextzeilen`).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace report {

class ReportCanvas;

struct Textzeile {
    uint32_t start = 0;  // 0-based
    uint32_t length = 0;
    bool operator==(const Textzeile&) const = default;
};

// Breaks at CR, LF and the two characters "\n" (none of them belongs to a
// line); blanks and LF at the start of a line are skipped. A line ends at
// its last blank that still fits (the blank is left out), else before the
// first character that does not fit, but takes at least one character.
// Widths are measured character by character on the canvas with its font.
// Fills lines (reused between calls) and returns their number.
int GetTextzeilen(std::string_view text, ReportCanvas& canvas, int width,
                  std::vector<Textzeile>& lines);

}  // namespace report

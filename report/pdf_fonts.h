// Metrics of the two standard PDF fonts the PDF writer uses (Times-Roman,
// Times-Bold, WinAnsiEncoding), so texts are measured as a viewer sets them.
#pragma once

#include <string_view>

namespace report {

// Advance width of the text in thousandths of the font size.
int pdfTextBreite(std::string_view text, bool fett);

// Height of the text cell of a font of em pixels (ascent plus descent).
int pdfZellenhoehe(int em);

}  // namespace report

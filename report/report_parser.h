// The parser of the report command language: fills a Report from a text,
// reports the first numbered error with its line and asks about unknown words.
#pragma once

#include <string_view>

namespace report {

class Report;

// Clears the report and parses text into it. False after a numbered error
// (shown) or a Cancel on an unknown word; may throw std::bad_alloc.
bool parseReport(Report& report, std::string_view text);

}  // namespace report

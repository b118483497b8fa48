// Printing a report on a printer (`Drucken`): orientation and copies set,
// the pages counted first when the report asks for it, then drawn once.
#pragma once

#include <string>

namespace ui {
class Printer;
}

namespace report {

class Report;

// False when the document could not be started or finished, or the report
// would draw more than it may (the job is dropped then); the user has been
// told so.
bool druckeReport(Report& r, ui::Printer& printer, const std::string& title, int copies);

}  // namespace report

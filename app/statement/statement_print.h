// The built-in statement layout drawn straight onto the printer: page head
// with logo, the ruled grid of sheet lines and work texts, totals, standby
// block, signatures and page numbers.
#pragma once

#include "app/statement/statement_data.h"

namespace ui {
class Bitmap;
class Printer;
}  // namespace ui

namespace app {

// Prints the statement as one document; false (with a message) when the
// printer could not start or finish it. A null or empty logo leaves its box empty.
bool druckeStandardAbrechnung(const Abrechnung& a, const ui::Bitmap* logo, ui::Printer& printer);

}  // namespace app

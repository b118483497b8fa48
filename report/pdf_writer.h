// Writing a report as an uncompressed PDF 1.4 file of its own making
// (`SaveasPDF`): the standard fonts Times-Roman and Times-Bold, no pictures,
// every line ending with a single CR.
#pragma once

#include <string>

namespace report {

class Report;

// The PDF of the report as bytes: a counting pass fixes the page total, the
// drawing pass writes one content stream per page. Empty when the report
// would draw more than it may (its error has been shown then).
std::string pdfDokument(Report& r);

// Writes the PDF through a temporary file beside fileName, which replaces
// the file only when every write and the close succeeded; false otherwise,
// and when the report outgrew its bounds (nothing is left behind then, and
// an existing file stays as it was).
bool SaveasPDF(Report& r, const std::string& fileName);

// A4 portrait: 600 x 848.
int pdfEinheiten(int zehntelMillimeter);

}  // namespace report

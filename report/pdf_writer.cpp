#include "report/pdf_writer.h"

#include <cstdio>
#include <vector>

#include "platform/core/replace_file.h"
#include "report/pdf_canvas.h"
#include "report/report.h"
#include "report/report_draw.h"

namespace report {

// Object numbers for N pages:
// clang-format off
//   1          catalog
//   2          outlines (empty)
//   3          page tree
//   4+i        page i (i = 0..N-1)
//   N+4+2i     content stream of page i
//   N+5+2i     its length (a bare integer)
//   3N+4       procedure set
//   3N+5       font F1, Times-Roman
//   3N+6       font F2, Times-Bold
// clang-format on

int pdfEinheiten(int zehntelMillimeter) {
    return zehntelMillimeter * 2 / 7;
}

namespace {

class Dokument {
public:
    explicit Dokument(size_t objekte) : offsets_(objekte + 1, 0) {}

    void objekt(size_t nr) {
        offsets_[nr] = text_.size();
        text_ += std::to_string(nr) + " 0 obj\r";
    }
    std::string& text() { return text_; }

    void xref() {
        const size_t start = text_.size();
        text_ += "xref\r0 " + std::to_string(offsets_.size()) + "\r0000000000 65535 f \r";
        char eintrag[32];
        for (size_t i = 1; i < offsets_.size(); ++i) {
            std::snprintf(eintrag, sizeof eintrag, "%010zu 00000 n \r", offsets_[i]);
            text_ += eintrag;
        }
        text_ += "trailer\r<< /Size " + std::to_string(offsets_.size()) +
                 "\r/Root 1 0 R\r>>\rstartxref\r" + std::to_string(start) + "\r%%EOF";
    }

private:
    std::vector<size_t> offsets_;
    std::string text_;
};

}  // namespace

std::string pdfDokument(Report& r) {
    const int w = pdfEinheiten(r.Seitenbreite());
    const int h = pdfEinheiten(r.Seitenhoehe());
    PdfCanvas canvas(h);
    r.neuerAuftrag();
    if (!ZaehleSeiten(r, canvas, pdfZiel(w, h)) || !DrawCanvas(r, canvas, pdfZiel(w, h))) return {};
    std::vector<std::string>& seiten = canvas.seiten();
    const size_t n = seiten.size();
    const std::string procSet = std::to_string(3 * n + 4);
    const std::string f1 = std::to_string(3 * n + 5);
    const std::string f2 = std::to_string(3 * n + 6);

    Dokument d(3 * n + 6);
    std::string& t = d.text();
    // The document is allocated once, and each page is freed as soon as it
    // has been copied into it.
    size_t groesse = 1000 + 250 * n;
    for (const std::string& s : seiten) groesse += s.size();
    t.reserve(groesse);
    t += "%PDF-1.4\r";
    d.objekt(1);
    t += "<< /Type /Catalog\r/Outlines 2 0 R\r/Pages 3 0 R\r>>\rendobj\r";
    d.objekt(2);
    t += "<< /Type /Outlines\r/Count 0\r>>\rendobj\r";
    d.objekt(3);
    t += "<< /Type /Pages\r/Kids [";
    for (size_t i = 0; i < n; ++i) t += std::to_string(4 + i) + " 0 R\r";
    t += "]\r/Count " + std::to_string(n) + "\r>>\rendobj\r";
    for (size_t i = 0; i < n; ++i) {
        d.objekt(4 + i);
        t += "<< /Type /Page\r/Parent 3 0 R\r/MediaBox [0 0 " + std::to_string(w) + " " +
             std::to_string(h) + "]\r/Contents " + std::to_string(n + 4 + 2 * i) +
             " 0 R\r/Resources << /ProcSet " + procSet + " 0 R \r/Font << /F1 " + f1 +
             " 0 R\r/F2 " + f2 + " 0 R >>\r>>\r>>\rendobj\r";
    }
    for (size_t i = 0; i < n; ++i) {
        d.objekt(n + 4 + 2 * i);
        // A stream keyword must not end with a lone CR: readers would take the
        // CR for the line end and look for an LF, or count it as data.
        t += "<< /Length " + std::to_string(n + 5 + 2 * i) + " 0 R >>\rstream\r\n";
        const size_t laenge = seiten[i].size();
        t += seiten[i];
        std::string().swap(seiten[i]);
        t += "endstream\rendobj\r";
        d.objekt(n + 5 + 2 * i);
        t += std::to_string(laenge) + "\rendobj\r";
    }
    d.objekt(3 * n + 4);
    t += "[/PDF]\rendobj\r";
    d.objekt(3 * n + 5);
    t += "<< /Type /Font\r/Subtype /Type1\r/BaseFont /Times-Roman\r/Encoding /WinAnsiEncoding\r>>"
         "\rendobj\r";
    d.objekt(3 * n + 6);
    t += "<< /Type /Font\r/Subtype /Type1\r/BaseFont /Times-Bold\r/Encoding /WinAnsiEncoding\r>>"
         "\rendobj\r";
    d.xref();
    return std::move(t);
}

bool SaveasPDF(Report& r, const std::string& fileName) {
    const std::string dokument = pdfDokument(r);
    return !dokument.empty() && platform::replaceFile(fileName, dokument);
}

}  // namespace report

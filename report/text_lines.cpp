#include "report/text_lines.h"

#include <array>

#include "report/report_canvas.h"

namespace report {
namespace {

// Widths of the 256 bytes in the canvas's current font, measured on demand.
class Breiten {
public:
    explicit Breiten(ReportCanvas& c) : canvas_(c) { breite_.fill(-1); }
    int operator()(char ch) {
        int& w = breite_[static_cast<unsigned char>(ch)];
        if (w < 0) w = canvas_.textWidth(std::string_view(&ch, 1));
        return w;
    }

private:
    ReportCanvas& canvas_;
    std::array<int, 256> breite_;
};

}  // namespace

int GetTextzeilen(std::string_view text, ReportCanvas& canvas, int width,
                  std::vector<Textzeile>& lines) {
    lines.clear();
    Breiten breite(canvas);
    const size_t n = text.size();
    auto istUmbruch = [&](size_t i) {
        return text[i] == '\r' || text[i] == '\n' ||
               (text[i] == '\\' && i + 1 < n && text[i + 1] == 'n');
    };
    size_t i = 0;
    while (i < n) {
        while (i < n && (text[i] == ' ' || text[i] == '\n')) ++i;
        if (i >= n) break;
        const size_t start = i;
        int used = 0;
        size_t lastBlank = 0;  // 0: none (a line never starts with a blank)
        size_t end = start;
        while (end < n && !istUmbruch(end)) {
            const int w = breite(text[end]);
            if (used + w > width && end > start) break;
            if (text[end] == ' ') lastBlank = end;
            used += w;
            ++end;
        }
        size_t next;
        const bool umbruch = end < n && istUmbruch(end);
        if (end >= n || umbruch) {
            next = end;
            if (end < n) next += text[end] == '\\' ? 2 : 1;
        } else if (lastBlank > start) {
            end = lastBlank;
            next = lastBlank + 1;
        } else {
            next = end;
        }
        // A line break right after another (CR CR) keeps its empty line.
        if (end > start || umbruch) {
            lines.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(end - start)});
        }
        i = next;
    }
    return static_cast<int>(lines.size());
}

}  // namespace report

// A canvas for layout tests: every character is 20 units wide, a text cell
// is its em plus a seventh, and every drawing call is kept with its page.
#pragma once

#include <string>
#include <vector>

#include "report/report_canvas.h"

namespace report::testing {

struct Gezeichnet {
    enum Art { Text, Rechteck, Linie, Ellipse, Bild } art = Text;
    int seite = 1;
    platform::Rect r;  // texts: x, y in left, top
    std::string text;
    int size = 0;
    uint32_t farbe = 0;
};

class RecordingCanvas : public ReportCanvas {
public:
    static constexpr int kZeichen = 20;

    void setFont(const CanvasFont& f, int ppi) override {
        font = f;
        em = (f.size * ppi + 36) / 72;
    }
    int textWidth(std::string_view t) override { return kZeichen * static_cast<int>(t.size()); }
    int textHeight(std::string_view) override { return em + em / 7; }
    void setPen(uint32_t c, int, bool) override { stift = c; }
    void setBrush(uint32_t, Pinsel) override {}
    void textRect(const platform::Rect&, int x, int y, std::string_view t) override {
        add(Gezeichnet::Text, {x, y, x, y}, std::string(t), font.colour).size = font.size;
    }
    void rectangle(const platform::Rect& r) override { add(Gezeichnet::Rechteck, r, "", stift); }
    void line(int x1, int y1, int x2, int y2) override {
        add(Gezeichnet::Linie, {x1, y1, x2, y2}, "", stift);
    }
    void ellipse(const platform::Rect& r) override { add(Gezeichnet::Ellipse, r, "", stift); }
    void stretchDraw(const platform::Rect& r, const Bild&) override {
        add(Gezeichnet::Bild, r, "", 0);
    }
    void newPage() override { ++seite; }

    std::vector<std::string> texte(int aufSeite = 0) const {
        std::vector<std::string> out;
        for (const Gezeichnet& g : calls)
            if (g.art == Gezeichnet::Text && (aufSeite == 0 || g.seite == aufSeite))
                out.push_back(g.text);
        return out;
    }

    CanvasFont font;
    int em = 10;
    uint32_t stift = 0;
    int seite = 1;
    std::vector<Gezeichnet> calls;

private:
    Gezeichnet& add(Gezeichnet::Art a, platform::Rect r, std::string t, uint32_t farbe) {
        return calls.emplace_back(Gezeichnet{a, seite, r, std::move(t), 0, farbe});
    }
};

}  // namespace report::testing

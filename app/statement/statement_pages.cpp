#include "app/statement/statement_pages.h"

#include <algorithm>

namespace app {

Seitenmasse seitenMasse(bool standard) {
    return standard ? Seitenmasse{6, 49, 43, 59} : Seitenmasse{11, 48, 37, 54};
}

int reihenFuer(const std::string& text) {
    const int n = static_cast<int>((text.size() + kTextStueck - 1) / kTextStueck);
    return n < 1 ? 1 : n;
}

std::vector<std::vector<Reihe>> seitenPlanen(const std::vector<std::string>& texte, bool standard) {
    const Seitenmasse m = seitenMasse(standard);
    std::vector<Reihe> alle;
    for (size_t i = 0; i < texte.size(); ++i) {
        const int n = reihenFuer(texte[i]);
        for (int k = 0; k < n; ++k) alle.push_back({static_cast<int>(i), k});
    }
    const size_t t = alle.size();
    size_t seiten = 1;
    if (t > static_cast<size_t>(m.letzteSeite))
        seiten += (t - m.letzteSeite + m.volleSeite - 1) / m.volleSeite;
    std::vector<std::vector<Reihe>> plan(seiten);
    size_t at = 0;
    for (size_t s = 0; s < seiten; ++s) {
        // A total just above the last page's budget all fits on the first
        // page; the last then holds the totals only.
        const size_t n = s + 1 < seiten ? std::min<size_t>(m.volleSeite, t - at) : t - at;
        plan[s].assign(alle.begin() + static_cast<std::ptrdiff_t>(at),
                       alle.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    }
    return plan;
}

}  // namespace app

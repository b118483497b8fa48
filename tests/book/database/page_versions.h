// Numbered versions of a month page for the tests that save from several
// sessions: version v of (user, month) 2024 is typed the same way every time,
// so a loaded page tells which version (and whose) it is.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "book/sheet/zeitbuch.h"
#include "tests/book/sheet/sheet_fixture.h"

namespace page_versions {

struct Page {
    std::vector<std::string> lines, texts;
    bool operator==(const Page&) const = default;
};

// The columns the file stores of each line, and the work texts.
inline Page shown(const book::Zeitbuch& zb) {
    Page p;
    for (size_t i = 0; i + 1 < zb.zeilen.size(); ++i) {
        p.lines.push_back(zb.zeilen[i].substr(0, book::col::kToMinute + 2));
        p.texts.push_back(zb.texte[i]);
    }
    return p;
}

// Types version `version` of `user`'s page (month) 2024 on a cleared sheet.
inline void typePage(book::Zeitbuch& zb, int month, uint32_t version, int user = 0) {
    zb.seiteLeeren();
    sheet_test::showMonth(zb, 2024, month);
    zb.seitenMonat = month;
    for (int l = 0, n = 1 + static_cast<int>(version % 6); l < n; ++l) {
        char from[24], to[24];  // room for any int, as -O0 cannot bound l
        std::snprintf(from, sizeof from, "%02d:%02d", 6 + l, static_cast<int>(version % 60));
        std::snprintf(to, sizeof to, "%02d:%02d", 14 + l, l * 7);
        if (sheet_test::typeLine(zb, 1 + l * 4, from, to) >= 0) std::abort();
        zb.texte[static_cast<size_t>(zb.aktuelleZeile) - 1] =
            "u" + std::to_string(user) + "v" + std::to_string(version);
    }
}

// The page version `version` of `user` as typed.
inline Page expected(int month, uint32_t version, int user = 0) {
    book::NullHost host;
    book::Zeitbuch zb(host);
    typePage(zb, month, version, user);
    return shown(zb);
}

}  // namespace page_versions

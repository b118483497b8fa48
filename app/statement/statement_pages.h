// Page breaking of the built-in statement: which sheet line and which piece
// of its work text goes to which body row of which page.
#pragma once

#include <string>
#include <vector>

namespace app {

// Characters of a work text per printed row.
constexpr int kTextStueck = 30;

// clang-format off
// Body rows of the two layouts (rows of h, 65 to the page):
//   layout    first row  last page (totals at)  other pages (frame ends at 65)
//   full          11       37 rows (48)           54 rows (11..64)
//   standard       6       43 rows (49)           59 rows (6..64)
// clang-format on
struct Seitenmasse {
    int ersteReihe;
    int summenReihe;
    int letzteSeite;  // rows the last page takes
    int volleSeite;   // rows every other page takes
};
Seitenmasse seitenMasse(bool standard);

// One body row: the sheet line and the piece of its work text (0 = the row
// that also shows the line itself).
struct Reihe {
    int zeile = 0;
    int stueck = 0;
    bool operator==(const Reihe&) const = default;
};

// Rows a work text needs: one per 30 characters begun, one for an empty text.
int reihenFuer(const std::string& text);

// The rows of each page: every page but the last full, the last within its
// budget (it may stay empty when the totals alone need their own page).
std::vector<std::vector<Reihe>> seitenPlanen(const std::vector<std::string>& texte, bool standard);

}  // namespace app

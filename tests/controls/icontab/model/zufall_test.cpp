// Random sequences of table operations against a plain model of rows and
// cells: every cell, the row count and the summed heights must agree.
#include <gtest/gtest.h>

#include <random>

#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

struct Referenz {
    std::vector<std::vector<std::string>> rows;
    int cols = 0;
};

std::string zufallsText(std::mt19937& rng) {
    static const char* const texte[] = {"",        "12",        "1.5", "abc", "zwei\r\nZeilen",
                                        "a\rb\rc", "M\xFCller", "x"};
    return texte[rng() % 8];
}

void pruefen(Probe& t, const Referenz& ref, int schritt) {
    const Tabdefinition* tab = t.aktuelleTabelle();
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(tab->rowCount(), static_cast<int>(ref.rows.size())) << "step " << schritt;
    long long summe = 0;
    for (const RowDef& rd : tab->Rows) {
        summe += rd.Hoehe;
        ASSERT_GE(rd.Hoehe, 1);
    }
    ASSERT_EQ(tab->Hoehe, summe) << "step " << schritt;
    ASSERT_LE(tab->Zellen.size(), ref.rows.size() * static_cast<size_t>(ref.cols));
    for (size_t r = 0; r < ref.rows.size(); ++r)
        for (int c = 0; c < ref.cols; ++c)
            ASSERT_EQ(t.GetCell(c, static_cast<int>(r)), ref.rows[r][static_cast<size_t>(c)])
                << "step " << schritt << " cell " << r << "," << c;
    ASSERT_GE(tab->Selected, -1);
    ASSERT_LT(tab->Selected, tab->rowCount());
    ASSERT_LE(t.topRow(), t.maxTopRow());
}

void lauf(unsigned seed, bool neuerDatensatz) {
    std::mt19937 rng(seed);
    Probe t;
    t.NeuerDatensatz = neuerDatensatz;
    t.AutoBreite = rng() % 2;
    t.Group = rng() % 2;
    t.setGroesse(200, 120, 182, 102);
    Referenz ref;
    auto neu = [&] {
        const unsigned rows = rng() % 6;
        ref.cols = 1 + static_cast<int>(rng() % 4);
        t.SetTabelle(rows, static_cast<unsigned>(ref.cols), -1, 0);
        const size_t n = rows == 0 ? 2 : rows + (neuerDatensatz ? 1 : 0);
        ref.rows.assign(n, std::vector<std::string>(static_cast<size_t>(ref.cols)));
        if (rng() % 2) t.FEndUpdate(false);
    };
    neu();
    for (int schritt = 0; schritt < 60; ++schritt) {
        const int n = static_cast<int>(ref.rows.size());
        switch (rng() % 8) {
            case 0:
                if (rng() % 4 == 0) neu();
                break;
            case 1:
            case 2: {
                const int r = static_cast<int>(rng() % static_cast<unsigned>(n + 1));
                const int c = static_cast<int>(rng() % static_cast<unsigned>(ref.cols + 1));
                const std::string text = zufallsText(rng);
                t.SetCell(static_cast<unsigned>(r), static_cast<unsigned>(c), text);
                if (r < n && c < ref.cols) {
                    ref.rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = text;
                    if (r == n - 1 && neuerDatensatz && !text.empty())
                        ref.rows.emplace_back(static_cast<size_t>(ref.cols));
                }
                break;
            }
            case 3: {
                const int r = static_cast<int>(rng() % static_cast<unsigned>(n + 2)) - 1;
                const int count = static_cast<int>(rng() % 3);
                std::vector<std::string> quelle;
                for (unsigned k = rng() % 7; k > 0; --k) quelle.push_back(zufallsText(rng));
                const bool mit = rng() % 2;
                const int ergebnis = t.InsertRow(r, mit ? &quelle : nullptr, count, -1);
                if (count < 1) {
                    EXPECT_EQ(ergebnis, -1);
                    break;
                }
                int p = r == -1 ? n : r;
                size_t s = 0;
                for (int k = 0; k < count; ++k, ++p) {
                    std::vector<std::string> zeile(static_cast<size_t>(ref.cols));
                    for (auto& z : zeile)
                        if (mit && s < quelle.size()) z = quelle[s++];
                    // Cells only exist where the list reaches (or a source pads it).
                    ref.rows.insert(ref.rows.begin() + p, zeile);
                }
                EXPECT_EQ(ergebnis, p);
                break;
            }
            case 4: {
                const int r = static_cast<int>(rng() % static_cast<unsigned>(n + 1));
                t.DeleteRow(r);
                if (r < n) ref.rows.erase(ref.rows.begin() + r);
                break;
            }
            case 5: {
                const bool all = rng() % 3 == 0;
                std::vector<std::string> titel(static_cast<size_t>(ref.cols));
                if (!ref.rows.empty()) titel = ref.rows[0];
                t.Clear(all);
                ref.rows.clear();
                if (!all) {
                    ref.rows.push_back(titel);
                    if (neuerDatensatz) ref.rows.emplace_back(static_cast<size_t>(ref.cols));
                }
                break;
            }
            case 6:
                t.SetRow(static_cast<int>(rng() % static_cast<unsigned>(n + 3)) - 2);
                break;
            case 7:
                t.FEndUpdate(rng() % 2);
                break;
        }
        pruefen(t, ref, schritt);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(Zufall, OperationsAgreeWithAPlainModel) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        lauf(seed, seed % 3 == 0);
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed;
            return;
        }
    }
}

}  // namespace
}  // namespace table

// A grid table model that records what it asks of its window, with a search
// field whose comparison ignores the case of ASCII letters.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include "controls/tabelle/model/tabelle_modell.h"

namespace table {

class GitterProbe : public TabelleModell {
public:
    GitterProbe() { setClientGroesse(400, 300); }

    int beeps = 0;
    bool feld = false;  // a search field is set
    bool feldZiel = false;
    bool von = false;
    std::string feldText;
    std::vector<int> notFund;
    std::vector<std::pair<std::string, int>> spaltenNamen;

    // A table of rows x cols, titles "T<c>", cells "r/c".
    void fuellen(int rows, int cols) {
        SetTabelle(rows, cols, 0);
        for (int c = 0; c < cols; ++c) SetCell(0, c, "T" + std::to_string(c), 0);
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetCell(r, c, std::to_string(r) + "/" + std::to_string(c), 0);
        FEndUpdate(false);
    }
    void schrift(int punkte) { setSchriftGroesse(punkte); }

protected:
    void beep() override { ++beeps; }
    bool suchfeldDa() const override { return feld; }
    bool suchfeldHatZiel() const override { return feldZiel; }
    void suchfeldVerbinden() override { feldZiel = true; }
    void suchfeldSpaltenName(const std::string& name, int col) override {
        spaltenNamen.emplace_back(name, col);
    }
    bool suchfeldVon() const override { return von; }
    int suchfeldVergleich(const std::string& z) const override {
        size_t i = 0;
        while (i < feldText.size() && i < z.size() &&
               std::toupper(static_cast<unsigned char>(feldText[i])) ==
                   std::toupper(static_cast<unsigned char>(z[i])))
            ++i;
        int v = static_cast<int>(i);
        if (i == feldText.size() && i == z.size())
            v |= static_cast<int>(0x80000000u);
        else if (i == feldText.size())
            v |= 0x40000000;
        return v;
    }
    void suchfeldNotFund(int pos) override { notFund.push_back(pos); }
    void suchfeldZeichen(char ch) override { feldText += ch; }
};

}  // namespace table

// A table model that records what it asks of its window.
#pragma once

#include <vector>

#include "controls/icontab/model/icontab_modell.h"

namespace table {

class Probe : public IconTabModell {
public:
    int repaints = 0;
    int balken = 0;
    std::vector<int> zeilen;  // rows repainted one by one
    bool suchfeld = false;
    bool verbunden = false;
    std::vector<std::pair<std::string, int>> spaltenNamen;

    // A table of rows x cols with one fixed row, filled "r/c".
    void fuellen(int rows, int cols) {
        SetTabelle(static_cast<unsigned>(rows), static_cast<unsigned>(cols), -1, 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetCell(r, c, std::to_string(r) + "/" + std::to_string(c));
        FEndUpdate(false);
    }

protected:
    void neuZeichnen() override { ++repaints; }
    void zeichneZeile(int row, Tabdefinition*) override { zeilen.push_back(row); }
    void balkenSetzen() override { ++balken; }
    bool suchfeldDa() const override { return suchfeld; }
    bool suchfeldVerbunden() const override { return verbunden; }
    void suchfeldVerbinden() override { verbunden = true; }
    void suchfeldSpaltenName(const std::string& name, int col) override {
        spaltenNamen.emplace_back(name, col);
    }
};

}  // namespace table

// The table's text metric from a Qt font: widths are summed per character
// from a table of the 256 Windows-1252 advances, so filling a million cells
// measures without shaping each text.
#pragma once

#include <array>
#include <string>

#include "controls/table_shared/model/tab_druck.h"
#include "controls/table_shared/model/text_metrik.h"
#include "platform/ui/drawing/drawing_state.h"

namespace table {

class QtMetrik : public TextMetrik {
public:
    // The font and the resolution it is drawn at.
    void setFont(const ui::Font& font, int pixelsPerInch);

    int breite(std::string_view text, bool fett) override;
    int hoehe() override { return hoehe_; }
    int titelHoehe() override { return titelHoehe_; }

private:
    std::array<int, 256> normal_{};
    std::array<int, 256> fett_{};
    int hoehe_ = 13;
    int titelHoehe_ = 19;
};

// The print font (a font name at any size) measured at a printer's resolution.
class QtDruckMetrik : public DruckMetrik {
public:
    QtDruckMetrik(std::string fontName, int pixelsPerInch)
        : name_(std::move(fontName)), ppi_(pixelsPerInch) {}
    int breite(std::string_view text, int punkte, bool fett) override;
    int hoehe(std::string_view text, int punkte, bool fett) override;
    ui::Font font(int punkte, bool fett) const;

private:
    std::string name_;
    int ppi_;
};

}  // namespace table

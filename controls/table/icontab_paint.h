// Draws the grid tables of a table control from its screen layout: cell
// backgrounds, grid lines, texts and the selected row.
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>

#include "controls/table/model/icontab_bild.h"
#include "controls/table/model/icontab_modell.h"
#include "platform/ui/canvas.h"

namespace table {

// The glyph and advance of each Windows-1252 byte in one font: cell texts
// are drawn as glyph runs without shaping, like the per-character metric
// measures them.
class GlyphSatz {
public:
    void laden(const QFont& font);
    bool passt(const QFont& font) const { return geladen_ && font_ == font; }
    // Draws text with its baseline at y.
    void zeichnen(QPainter& p, int x, int y, std::string_view text) const;

private:
    QFont font_;
    QRawFont raw_;
    std::array<quint32, 256> index_{};
    std::array<qreal, 256> vorschub_{};
    bool geladen_ = false;
};

// Glyphs of the normal and the title font, kept by the control between paints.
struct GlyphCache {
    GlyphSatz normal, titel;
};

struct GitterStil {
    GlyphCache* glyphen = nullptr;         // required
    ui::TColor hintergrund = ui::clWhite;  // the control's Color
    ui::TColor rahmen = ui::clBtnFace;     // fixed cells
    bool fokus = false;                    // the control has the focus
    int zeilenHoehe = 18;                  // DefaultRowHeight
    bool keineAngaben = true;
    std::string neueZeileText;
};

// Paints every grid row placed in `bild`; the canvas font is the cell font.
void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s);

}  // namespace table

// The table control TIconTab: a painted, focusable window over the Qt-free
// IconTabModell, with its two scroll bars and the link to a search field.
// It paints into its backing image and copies that on screen.
#pragma once

#include <QImage>
#include <QPointer>
#include <vector>

#include "controls/table/icontab_metrik.h"
#include "controls/table/icontab_paint.h"
#include "controls/table/model/icontab_modell.h"
#include "controls/table/suchfeld.h"
#include "platform/ui/control.h"

class QScrollBar;

namespace table {

class TIconTab : public ui::Control, public IconTabModell {
    // The date field recognises its parent by this class name.
    Q_OBJECT

public:
    explicit TIconTab(QWidget* owner = nullptr);
    ~TIconTab() override;

    // The search field that drives this table; null unlinks.
    TSuchfeld* Suchelement() const { return suchelement_; }
    void SetSuchelement(TSuchfeld* feld);

    // The cell font (the control's Font).
    const ui::Font& Font() const { return font_; }
    void SetFont(const ui::Font& font);
    ui::TColor TitelColor() const { return titelColor_; }
    void SetTitelColor(ui::TColor colour);

    // The image list of row icons and tiles; all images one size, empty = none.
    void SetIcons(std::vector<QImage> icons);
    const std::vector<QImage>& Icons() const { return icons_; }

    QScrollBar* vertikalerBalken() const { return vBar_; }
    QScrollBar* horizontalerBalken() const { return hBar_; }
    int clientBreite() const;
    int clientHoehe() const;

    // Draws the whole control into the backing image (nothing while locked).
    void Paint();

protected:
    void neuZeichnen() override;
    void zeichneZeile(int row, Tabdefinition* table) override;
    void balkenSetzen() override;
    void groesseHolen() override { groesseMelden(); }
    void hintGesetzt() override;
    bool suchfeldDa() const override;
    bool suchfeldVerbunden() const override;
    void suchfeldVerbinden() override;
    void suchfeldSpalte(int col) override;
    void suchfeldSpaltenName(const std::string& name, int col) override;

    void Resized(int width, int height) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void GotFocus() override;
    void LostFocus() override;

private:
    void groesseMelden();
    void balkenAktion(bool vertikal, int action);

    QtMetrik metrik_;
    GlyphCache glyphen_;
    ui::Font font_;
    ui::TColor titelColor_ = ui::clBtnFace;
    std::vector<QImage> icons_;
    QPointer<TSuchfeld> suchelement_;
    QScrollBar* vBar_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    bool balkenLaeuft_ = false;
    bool zerstoert_ = false;
};

}  // namespace table

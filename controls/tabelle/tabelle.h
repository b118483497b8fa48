// The grid table TTabelle: a painted, focusable grid over the Qt-free
// TabelleModell with its scroll bars, column sizing by hand and the link to
// a search field. It paints into its backing image and copies that on screen.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "controls/tabelle/model/tabelle_modell.h"
#include "controls/suchfeld/suchfeld.h"
#include "controls/tabelle/tabelle_paint.h"
#include "platform/ui/input/wheel_steps.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/popup_menu.h"

class QScrollBar;

namespace table {

class TTabelle : public ui::Control, public TabelleModell {
public:
    explicit TTabelle(QWidget* owner = nullptr);
    ~TTabelle() override;

    TSuchfeld* Suchelement() const { return suchelement_; }
    void SetSuchelement(TSuchfeld* feld);

    const ui::Font& Font() const { return font_; }
    void SetFont(const ui::Font& font);

    // Prints the table or its chart on the process-wide printer.
    void Print(const std::string& title);

    QScrollBar* vertikalerBalken() const { return vBar_; }
    QScrollBar* horizontalerBalken() const { return hBar_; }

    // Draws the whole grid into the backing image.
    void Paint();

    // The host's menu, owned by the host: it opens where the right button is
    // released over the grid. Null = none.
    ui::PopupMenu* PopupMenu = nullptr;
    // An item of PopupMenu was chosen.
    std::function<void(TTabelle& sender, ui::PopupMenu& menu, int id)> OnMenuWahl;

protected:
    void neuZeichnen() override;
    void zeichneZeile(int) override { neuZeichnen(); }
    void beep() override;
    void hintGesetzt() override;
    void fokusNehmen() override;
    void gitterGeaendert() override;
    int steuerBreite() const override { return width(); }
    bool suchfeldDa() const override { return suchelement_ != nullptr; }
    bool suchfeldHatZiel() const override { return suchelement_ && suchelement_->HatZiel(); }
    void suchfeldVerbinden() override;
    void suchfeldSpalte(int col) override;
    void suchfeldSpaltenName(const std::string& name, int col) override;
    bool suchfeldVon() const override { return suchelement_ && suchelement_->GetVon(); }
    int suchfeldVergleich(const std::string& zelle) const override;
    void suchfeldNotFund(int pos) override;
    void suchfeldZeichen(char ch) override;

    void MouseDown(ui::MouseButton button, int shift, int x, int y) override;
    void MouseUp(ui::MouseButton button, int shift, int x, int y) override;
    void MouseMove(int shift, int x, int y) override;
    void DblClick(ui::MouseButton button, int shift, int x, int y) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void KeyDown(int key, int shift) override;
    void KeyPress(char ch) override;
    void GotFocus() override;
    void LostFocus() override { neuZeichnen(); }
    void Resized(int width, int height) override;

private:
    void balkenSetzen();

    ui::Font font_;
    CanvasMetrik metrik_;
    QPointer<TSuchfeld> suchelement_;
    QScrollBar* vBar_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    int groessenSpalte_ = -1;  // column being sized by hand
    int groessenStart_ = 0;    // its left edge
    bool balkenLaeuft_ = false;
    bool groesseLaeuft_ = false;
    bool ziehen_ = false;  // a left press on a cell: moves drag the row
    ui::WheelSteps wheel_{ui::kWheelNotch / 3};  // three rows a notch
    bool zerstoert_ = false;
};

}  // namespace table

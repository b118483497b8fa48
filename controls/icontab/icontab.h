// The table control TIconTab: a painted, focusable window over the Qt-free
// IconTabModell and its key, mouse and editor handling, with its two scroll
// bars, the link to a search field, the caption bar with its date range, the
// status symbols, the in-cell editor's box and pick list, and the ways out
// of the control: context menu, clipboard, text export, mail and printing.
// It paints into its backing image and copies that on screen.
#pragma once

#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/icontab/icontab_metrik.h"
#include "controls/icontab/icontab_paint.h"
#include "controls/icontab/model/icontab_bedienung.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/input/wheel_steps.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/popup_menu.h"

class QListWidget;
class QMimeData;
class QScrollBar;

namespace calendar {
class TZeit;
}

namespace table {

class TIconTab : public ui::Control, public IconTabBedienung {
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

    // ---- Caption bar and date range ----
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TBereichStyle Zeitbereich() const { return zeitbereich_; }
    void SetBereich(TBereichStyle style);
    // The date fields, created the first time a style needs them.
    calendar::TZeit* vonFeld() const { return von_; }
    calendar::TZeit* bisFeld() const { return bis_; }
    void ZeitEvent();
    // The print title: Caption and the dates of the range.
    std::string druckTitel() const;

    // ---- Status symbols ----
    // Strip of 32 x 23 cells: column = animation frame, row = symbol.
    ui::Bitmap& GetSymbole();
    void SetSymbole(std::unique_ptr<ui::Bitmap> strip);
    // Draws one frame of a symbol over the row icon at tile rectangle r.
    void DrawStatus(const Rect& r, int frame, int status, int icon, bool highlight);
    void onTime();
    bool statusTimerLaeuft() const { return isTimerArmed(kStatusTimer); }
    int statusFrame() const { return frame_; }

    // ---- Context menu, clipboard, export, mail ----
    enum MenuId { kDrucken = 1, kZellKopie, kTabKopie, kExport, kEMail };
    bool DefaultMenu() const { return menu_ != nullptr; }
    void SetDefaultMenu(bool on);
    const ui::PopupMenu* menu() const { return menu_.get(); }
    // Shows the default menu at a global position and runs the item chosen.
    void menuZeigen(QPoint globalPos);
    // The host's menus, owned by the host: PopupMenu over the data rows (the
    // default entries join it while it is shown), CaptionPopup over the
    // caption bar. Null = none.
    ui::PopupMenu* PopupMenu = nullptr;
    ui::PopupMenu* CaptionPopup = nullptr;
    // An item of one of the host's menus was chosen (never a default entry).
    std::function<void(TIconTab& sender, ui::PopupMenu& menu, int id)> OnMenuWahl;
    // Ids the default entries carry while they sit in the host's PopupMenu.
    static constexpr int kStandardIds = 0x7F000000;
    void menuAusfuehren(int id);
    void OnDrucken();
    void OnZellKopie();
    void OnTabKopie();
    void OnExport();
    void OnEMail();
    // Plain text, and with html the tables as "HTML Format"; false when
    // nothing reached the clipboard.
    bool TextKopie(const std::string& text, bool html);
    // The tables as HTML; with noHeader appended to out without the header.
    void HTMLKopie(std::string& out, bool noHeader) const;
    // Writes the current table in export mode 1-6; says so when that fails.
    void Export(const std::string& file, int mode);
    // Inserts the clipboard text at the 1-based position pos of s.
    bool TextPaste(std::string& s, int pos);
    using IconTabBedienung::TextPaste;

    // The pick list's window while it is open, else null.
    QListWidget* pickListe() const { return liste_; }
    bool dispatchMessage(ui::Message& m) override;

    // ---- Dragging the control ----
    // The MIME type a drag of the control carries; its data is the
    // control's object name.
    static constexpr const char* kZiehTyp = "application/x-klb-icontab";
    QMimeData* ziehDaten() const;
    // The in-cell editor's caret blinks while the editor shows it.
    bool caretBlinkt() const { return isTimerArmed(kCaretTimer); }
    bool caretAn() const { return caretAn_; }
    static constexpr int kCaretTimer = 2;

    // ---- Printing ----
    void Print(const std::string& title);

    // ---- Chart, icon list, bitmap and vector views (icontab_ansicht.cpp) ----
    // DatenBild: the bitmap view's picture, created when missing; nullptr
    // outside the bitmap and vector views.
    ui::Bitmap* GetBild();
    void SetBild(const QImage& bild);
    // Draws the drawing onto the window's canvas, or with print onto
    // `canvas` (a printer page) scaled into `ziel`.
    void Paint_Vektor(bool print, ui::Canvas& canvas, const Rect& ziel = {});

    // Called for every grid cell after it was drawn.
    std::function<void(TIconTab& sender, int ARow, int ACol, ui::Canvas& canvas, const Rect& rect,
                       const std::string& text, TAnzeigeFormat format, RowArt art, int tab)>
        OnUserDraw;

protected:
    void neuZeichnen() override;
    void zeichneZeile(int row, Tabdefinition* table) override;
    void balkenSetzen() override;
    void groesseHolen() override {
        groesseMelden();
        bildGroesseMelden();
    }
    void hintGesetzt() override;
    int neueZeileMessen() override;
    void auswahlWechsel() override;
    bool suchfeldDa() const override;
    bool suchfeldVerbunden() const override;
    void suchfeldVerbinden() override;
    void suchfeldSpalte(int col) override;
    void suchfeldSpaltenName(const std::string& name, int col) override;
    void bitmapAnsichtLeeren(Tabdefinition* t) override;
    DruckMetrik& vektorMetrik() override;
    DruckMetrik& listenMetrik() override;

    // Keys, mouse and focus.
    bool hatFokus() const override { return hasFocus(); }
    void fokusNehmen() override { setFocus(Qt::MouseFocusReason); }
    void NextWindow() override;
    void beep() override;
    void kontextMenu(int x, int y) override;
    void editMenu(int x, int y, int maske) override;
    void captionMenu(int x, int y) override;
    void ziehenBeginnen(int x, int y) override;
    // Runs the drag of the control (blocks until the drop).
    virtual void ziehenStarten();
    bool event(QEvent* e) override;
    bool suchfeldVon() const override;
    int suchfeldVergleich(const std::string& zelle) const override;
    void suchfeldNotFund(int pos) override;
    void suchfeldZeichen(char ch) override;
    void eingabeZeichnen() override { neuZeichnen(); }
    void listeZeigen(bool an) override;
    bool textAufClipboard(const std::string& text) override { return TextKopie(text, false); }
    bool clipboardLesen(std::string& text) override;

    void Resized(int width, int height) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void MouseDown(ui::MouseButton button, int shift, int x, int y) override;
    // The bitmap and vector views follow the pointer (hints, marks, drift).
    void MouseMove(int shift, int x, int y) override;
    void bildZoomen(bool groesser) override { bitmapZoom(groesser); }
    void MouseUp(ui::MouseButton button, int shift, int x, int y) override;
    void DblClick(ui::MouseButton button, int shift, int x, int y) override;
    void KeyDown(int key, int shift) override;
    void KeyUp(int key, int shift) override;
    void KeyPress(char ch) override;
    void GotFocus() override;
    void LostFocus() override;
    void focusOutEvent(QFocusEvent* e) override;
    void TimerFired(int id) override;

private:
    static constexpr int kStatusTimer = 1;

    void groesseMelden();
    // The picture as it is now, also when the host changed it through
    // GetBild(); true when its size changed.
    bool bildGroesseMelden();
    void balkenAktion(bool vertikal, int action);
    void captionNeu();
    void bereichPlatzieren();
    calendar::TZeit* feldAnlegen(bool von);
    void paintGitterTabellen(const TabBild& b, const Tabdefinition* nurTab = nullptr, int nurRow = -1);
    // Single rows and scrolls: only what changed is drawn.
    bool zeileAlleinMalbar(int row, const Tabdefinition* t) const;
    void zeileMalen(int row, const Tabdefinition& t);
    bool verschiebenMalen(const TabBild& vorher);
    void paintEingabe();
    // Shows the pointer the model asks for.
    void zeigerZeigen();
    void caretTakt();
    void caretBlinken();
    void gesammelt(const std::function<void()>& f);
    void paintKacheln(const TabBild& b);
    KachelMasse kachelMasse(const TabellenPlatz& p) const;
    TabBild datenHolen();

    QtMetrik metrik_;
    GlyphCache glyphen_;
    ui::Font font_;
    ui::TColor titelColor_ = ui::clBtnFace;
    std::vector<QImage> icons_;
    QPointer<TSuchfeld> suchelement_;
    QScrollBar* vBar_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    bool balkenLaeuft_ = false;
    ui::WheelSteps rad_{ui::kWheelNotch};  // one step a notch
    bool zerstoert_ = false;
    bool malt_ = false;

    std::string caption_;
    TBereichStyle zeitbereich_ = zaKein;
    calendar::TZeit* von_ = nullptr;
    calendar::TZeit* bis_ = nullptr;
    std::unique_ptr<ui::Bitmap> symbole_;
    int frame_ = 8;
    std::unique_ptr<ui::PopupMenu> menu_;

    // The other views (icontab_ansicht.cpp).
    void paintAnsichten(const TabBild& b);
    void paintGrafik(const TabBild& b, const TabellenPlatz& p);
    void paintListe(const TabBild& b, const TabellenPlatz& p);
    void PaintInfo(const Tabdefinition& t, int row);
    void paintBitmap(const TabellenPlatz& p);
    std::unique_ptr<ui::Bitmap> datenBild_;
    std::unique_ptr<QtDruckMetrik> vektorMetrik_;
    std::unique_ptr<QtDruckMetrik> listenMetrik_;
    QListWidget* liste_ = nullptr;
    int sammeln_ = 0;  // input handlers running: repaints wait for the end
    // The caret's place in the backing image (empty: none) and whether it is
    // drawn there now.
    Rect caretPlatz_{};
    bool caretAn_ = true;
    // A left press armed a drag of the control from here.
    bool ziehBereit_ = false;
    QPoint ziehVon_;
    bool schmutzig_ = false;
    std::vector<std::pair<int, int>> faelligeZeilen_;  // table number, row: drawn at the end
    std::unique_ptr<TabBild> vorher_;                  // the layout before a scroll to a row
};

}  // namespace table

// The table control without its window: the list of tables with their rows
// and cells, the published settings, selection, scroll position and update
// lock, and the row and cell operations. Effects on the window (repaint,
// scroll bars, the in-cell editor, the search field) are virtual hooks that
// the control overrides; events carry the control as their sender.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/icontab/model/icontab_ansicht.h"
#include "controls/icontab/model/icontab_bild.h"
#include "controls/icontab/model/icontab_layout.h"
#include "controls/table_shared/model/tab_typen.h"
#include "controls/table_shared/model/text_metrik.h"
#include "controls/suchfeld/model/such_kommando.h"
#include "platform/core/date.h"

namespace table {

class IconTabModell : public SuchZiel {
public:
    explicit IconTabModell(TextMetrik* metrik = nullptr);
    virtual ~IconTabModell();
    IconTabModell(const IconTabModell&) = delete;
    IconTabModell& operator=(const IconTabModell&) = delete;

    // ---- Published settings (plain fields) ----
    bool AutoUpdate = false;
    bool AutoBreite = false;
    bool MitUeberschrift = false;
    bool AutoSelect = false;
    bool Group = false;
    bool DragDrop = false;
    bool KeineAngaben = true;
    bool ZwangsMessage = false;
    bool Spaltenbreite = true;
    bool NeuerDatensatz = false;
    bool Multitabselect = false;
    bool StdStatus = false;
    // Copied into each new table: off gives its rows the visible-column count
    // as row value, so the last visible column does not stretch.
    bool ZeilenLayout = false;
    TColor Color = kWeiss;
    int DefaultRowHeight = 18;
    int DefaultColWidth = 40;
    int StdFixedRows = 1;
    int StdFixedCols = 0;
    int TabID = 0;
    std::uint32_t DatenCols = 0;
    std::string Zusatztext;
    std::string Abfrage;
    TAnzeigeFormat DefaultAnzeige = A_Tabelle;

    // ---- Settings with setters ----
    bool Sortierung() const { return sortierung_; }
    void SetOrder(bool on);
    bool Detailfenster() const { return detail_; }
    void SetDetail(bool on);
    int Horizontalabstand() const { return hAbstand_; }
    void SetH_Abstand(int gap);
    int Vertikalabstand() const { return vAbstand_; }
    void SetV_Abstand(int gap);
    const std::string& NeueZeileText() const { return neueZeileText_; }
    void SetStrNeu(const std::string& text);
    // Shows or hides the new-record line whatever its text.
    void FNeueZeile(bool an);
    bool neueZeileAn() const { return neueZeileAn_; }
    int neueZeileHoehe() const { return neueZeileHoehe_; }
    const std::string& Hint() const { return hint_; }
    // Hints show in every format but the picture; the text stays meanwhile.
    bool hinweiseAn() const { return GetA_Format() != A_Bitmap; }

    // ---- Tables ----
    void SetTabelle(unsigned rows, unsigned cols, int visibleCols, int tab);
    Tabdefinition* GetTabelle(int tab, bool create);
    void ClearTabs(int tab);
    int GetSelectTab() const { return aktuell_ ? aktuell_->Nummer : -1; }
    void SetSelectTab(int n);
    int tabellenZahl() const { return static_cast<int>(tabellen_.size()); }
    Tabdefinition* aktuelleTabelle() const { return aktuell_; }
    Tabdefinition* letzteFokusTabelle() const { return letzteFokus_; }
    const std::vector<std::string>* GetStrings(int tab);
    TAnzeigeFormat GetA_Format() const { return aktuell_ ? aktuell_->Anzeige : A_Restore; }
    void SetA_Format(TAnzeigeFormat format);
    void Tab_Kopie(IconTabModell* target);
    void FEndUpdate(bool lock);
    bool gesperrt() const { return lock_; }

    // ---- Cells and rows ----
    void SetCell(unsigned row, unsigned col, const std::string& text, TColor colour = 0,
                 int icon = -1, int tab = -1);
    std::string GetCell(int col, int row, int tab = -1);
    void Clear(bool all, int tab = -1);
    int GetRowCount(bool all, int tab = -1);
    int GetFixedRows() const { return aktuell_ ? aktuell_->FixedRows : 0; }
    int GetColCount() const { return aktuell_ ? aktuell_->SichtSpalten : 0; }
    int GetRealColCount() const { return aktuell_ ? aktuell_->Spalten : 0; }
    bool IfSelected() const;
    void SetTyp(int col);
    int InsertRow(int row, const std::vector<std::string>* cells, int count, int value,
                  int tab = -1);
    void DeleteRow(int row);
    int GetRow() const;
    void SetRow(int row);
    void SetRowColor(int row, TColor colour);
    void SetRowIcon(int row, int icon);
    void SetRowStatus(int row, int symbol);
    void SetRowArt(unsigned row, RowArt art);
    int NextRow(bool up, unsigned steps, Tabdefinition* table = nullptr);
    std::vector<std::string> GetRowCells(int row) const;
    // Column names of the last table with their column numbers.
    std::vector<std::pair<std::string, int>> Get_Spalten(int first, bool flaggedOnly) const;
    int Get_GrafSpalte() const;
    void SetFixedRows(int n, int tab = -1);
    void SetFixedCols(int n, int tab = -1);
    void SetColWidth(int col, int width);
    // Bit 7 = descending, bits 0-6 = column.
    char Sort_Spalte() const;
    void WSort_Spalte(char spalte);
    bool Abwaerts() const { return abwaerts_; }

    // Lazy data columns.
    void GetDaten(int row, Tabdefinition* table);
    void SetDatenCols(int row, std::uint32_t mask, int tab = -1);
    std::uint32_t GetDatenCols(int row, int tab = -1);

    // Selection: ChangeRow moves it and repaints both rows.
    void ChangeRow(int row, Tabdefinition* table);
    bool auswahlSichtbar() const { return auswahlSichtbar_; }
    int aktuelleSpalte() const { return aktSpalte_; }

    // ---- Layout and scrolling ----
    // The control's size (scroll bars included) and its client area.
    void setGroesse(int breite, int hoehe, int clientBreite, int clientHoehe);
    void setBalkenDicke(int dicke) { masse_.balken = dicke; }
    void setCaptionHoehe(int h) { masse_.captionHoehe = h; }
    void setIcons(bool da, int breite, int hoehe);
    void SetGroesse(int breite = -1, int hoehe = -1, int = -1);
    void Ver_Change(int code, int pos);
    void Hor_Change(int code, int pos);
    void MouseRad(int delta, bool fokus);
    void Errechne_Fenster(Tabdefinition* t);
    int topRow() const { return topRow_; }
    int maxTopRow() const { return maxTopRow_; }
    int leftCol() const { return leftCol_; }
    int maxLeftCol() const { return maxLeftCol_; }
    const LayoutErgebnis& layout() const { return layout_; }
    const DetailPane& pane() const { return pane_; }
    int GetTopRow(int tab);
    // Where each table, row and column lies now; painting and hit tests read it.
    TabBild bild() const { return bild(topRow_); }
    // The same for another vertical position.
    TabBild bild(int topRow) const;
    // The vertical position at which row of t shows wholly (a tile with a
    // margin below it), in whatever table and format: the current one when
    // it does, else the nearest, within 0 and the largest position.
    int sichtPosition(const Tabdefinition& t, int row) const;
    // Painting records each table's first visible row from the layout it drew.
    void bildUebernehmen(const TabBild& b);
    // Every table in list order.
    std::vector<const Tabdefinition*> tabellenListe() const;
    // The table under y (client coordinates), y made relative to its top.
    Tabdefinition* GetClickTab(int* y) const;

    // ---- Chart, icon list, bitmap and vector views (icontab_grafik.cpp,
    // icontab_ansicht.cpp) ----
    // col: value column; max not 0: fixed scale maximum in whole units.
    void Set_Grafik(bool on, int col, unsigned max, int tab);
    // The bitmap and vector view's record; nullptr outside those views.
    BitmapAnzeige* bildAnzeige() const { return bildAnzeige_.get(); }
    void SetVektor(const char* data, unsigned len);
    int Setze_Marker(bool clear, int x, int y);
    // The mouse moved to (x, y) in client coordinates over the bitmap or
    // vector view (the vector view marks and shows its hint); other views
    // only note the move. True when the view repainted.
    bool ansichtMaus(int x, int y);
    // A press in the bitmap view: zoom in by 1.5 or out by 2/3.
    void bitmapZoom(bool hinein);
    // Dragging the bitmap: the shown part moves by (dx, dy) picture pixels.
    void bitmapZiehen(int dx, int dy);
    void Grafik_Einpassen();
    // The picture's size, told by the window that holds its pixels: with a
    // new layout, or (bildMasse) only noted for the next one; true when it
    // changed.
    void bildGroesse(int breite, int hoehe);
    bool bildMasse(int breite, int hoehe);
    const ListenLayout& liste() const { return liste_; }

    // ---- Search field ----
    void Suche(Such_Kommando cmd) override;
    TColor rahmenFarbe() const { return rahmenFarbe_; }
    int suchSpalte() const { return suchSpalte_; }

    // ---- Events ----
    std::function<void(IconTabModell& sender, int ARow, bool& Enabled, int Tabelle)> OnNewRow;
    std::function<void(IconTabModell& sender, int ARow, std::vector<std::string>& Strings,
                       std::uint32_t Cells, int Tabelle)>
        OnGetDaten;
    std::function<void(IconTabModell& sender, long ARow, long ACol)> OnSelectCell;
    std::function<void(IconTabModell& sender, long ARow, long ACol)> OnClickFixed;
    std::function<void(IconTabModell& sender, char Sort_Spalte, bool Abwaerts)> OnSortCell;
    std::function<void(IconTabModell& sender)> OnDoppelKlick;
    std::function<void(IconTabModell& sender, bool Grafik)> OnModeChange;
    std::function<void(IconTabModell& sender, platform::DateTime VonValue,
                       platform::DateTime BisValue)>
        BereichChange;
    std::function<void(IconTabModell& sender, int ARow, int ACol, std::string& Str, int Index,
                       bool& Enabled)>
        OnCellChange;
    std::function<void(IconTabModell& sender)> OnDruck;
    std::function<void(IconTabModell& sender)> OnNextWindow;
    std::function<void(IconTabModell& sender, int ARow, int ACol, bool& Enabled, int Tabelle)>
        OnIsEditCol;

    static constexpr const char* kKeineAngaben = "Keine Angaben";
    static constexpr const char* kSpeicherFehler =
        "Zeilen konnten nicht eingef\xFCgt werden,\nzu wenig oder zu fragmentierter Speicher!";

protected:
    // ---- Hooks: what the window does; the defaults do nothing ----
    virtual void neuZeichnen() {}
    virtual void zeichneZeile(int /*row*/, Tabdefinition* /*table*/) {}
    virtual void balkenSetzen() {}  // after the scroll ranges or positions changed
    virtual void groesseHolen() {}  // before a layout: the window's current size
    virtual void hintGesetzt() {}
    // The new-record line's height when it is switched on.
    virtual int neueZeileMessen() { return DefaultRowHeight; }
    // ChangeRow is about to move the selection.
    virtual void auswahlWechsel() {}
    // True while ChangeRow repaints the row it selected.
    bool neueAuswahl() const { return neueAuswahl_; }
    // The in-cell editor (its state lives in the window).
    virtual bool eingabeAuf(const Tabdefinition*, int /*row*/, int /*col*/) const { return false; }
    virtual bool eingabeSichtbar() const { return false; }
    virtual std::string eingabeText() const { return {}; }
    virtual void eingabeVerbergen() {}
    virtual void eingabeNeuLaden() {}
    virtual void eingabeVerschieben() {}                    // the cell moved by scrolling
    virtual void eingabeUebernehmen() {}                    // commit a changed input
    virtual void eingabeVergessen(const Tabdefinition*) {}  // its table is freed
    // The table's selection moved to another row.
    virtual void eingabeZeileGewechselt(const Tabdefinition*) {}
    // The search field set as Suchelement.
    virtual bool suchfeldDa() const { return false; }
    virtual bool suchfeldVerbunden() const { return false; }
    virtual void suchfeldVerbinden() {}
    virtual void suchfeldSpalte(int /*col*/) {}
    virtual void suchfeldSpaltenName(const std::string& /*name*/, int /*col*/) {}
    // Views of other parts of the control.
    virtual void Set_Grafik(Tabdefinition* t, bool an, int spalte);
    virtual void BerechneListe(Tabdefinition* t);
    // Empties the bitmap and vector view; the window frees its pictures.
    virtual void bitmapAnsichtLeeren(Tabdefinition* t);
    // The drawing's label font and the control font at any size; the
    // defaults estimate without a window.
    virtual DruckMetrik& vektorMetrik() { return schaetzMetrik_; }
    virtual DruckMetrik& listenMetrik() { return schaetzMetrik_; }

    TextMetrik& metrik() { return *metrik_; }
    // For the key and mouse handling: the column under the selection, the
    // table that takes the keys, the searched column.
    void setAktuelleSpalte(int col) { aktSpalte_ = col; }
    void setFokusTabelle(Tabdefinition* t) {
        aktuell_ = t;
        letzteFokus_ = t;
    }
    void setSortierung(int col, bool abwaerts) {
        sortSpalte_ = col;
        abwaerts_ = abwaerts;
    }
    int sortSpalte() const { return sortSpalte_; }
    void setSuchSpalte(int col) { suchSpalte_ = col; }
    // A width the user gave a column by dragging its border: automatic
    // widths no longer override it.
    void breiteVomBenutzer(Tabdefinition& t, int col, int breite);
    bool suchNamen() const { return suchNamen_; }
    const LayoutMasse& masse() const { return masse_; }
    // The control font's size: each new table starts with it.
    void setSchriftGroesse(int points) { schriftGroesse_ = points; }
    void setMetrik(TextMetrik* m);
    // The icons or the gaps between tiles changed: the icon views are laid
    // out again (not while the update lock holds).
    void kachelnNeuLegen();
    // The column of the last mouse press; a new table forgets it.
    int hitCol_ = -1;

private:
    Tabdefinition* tabelle(int tab);
    void ansichtWechseln(Tabdefinition* t, TAnzeigeFormat alt, TAnzeigeFormat neu);
    void ansichtLayout(LayoutMasse& m);
    void grafikAn(Tabdefinition* t, int col, unsigned max);
    void grafikAus(Tabdefinition* t);
    void grafikSpalten(Tabdefinition& t, int breite, int hoehe);
    bool lebt(const Tabdefinition* t) const;
    int keineAngabenBreite();
    int textBreite(const std::string& text, int& zeilen);
    // The row becomes as high as its tallest visible cell; true when its
    // height changed.
    bool zeilenHoeheAnpassen(Tabdefinition& t, int row);
    int zeilenZahl(const Tabdefinition& t, int row) const;
    int hoeheFuer(int zeilen);
    void gruppieren(Tabdefinition& t, int row, int col, const std::string& text);
    void zeilenArt(Tabdefinition& t, int row, RowArt art);
    void neueZeileAnfuegen(Tabdefinition* t, int row);
    void einfuegen(Tabdefinition& t, int p, const std::vector<std::string>* cells, size_t& s,
                   int value);
    void gruppeNachEinfuegen(Tabdefinition& t, int p);
    void auswahlPruefen(Tabdefinition* t);
    // Before rows at `row` come (geloescht false) or go: false when the
    // editor's commit left t no longer in the list.
    bool eingabeVorVerschieben(Tabdefinition* t, int row, bool geloescht);
    // The editor on t stores its input into the record it was typed for and
    // closes; false when the commit's handler freed t.
    bool eingabeAbschliessen(Tabdefinition* t);
    int datensaetze(const Tabdefinition& t) const;
    void hintSetzen(int n);
    void rowsAnlegen(Tabdefinition& t, int n);
    LayoutMasse layoutMasse() const;

    std::vector<std::unique_ptr<Tabdefinition>> tabellen_;
    Tabdefinition* aktuell_ = nullptr;
    Tabdefinition* letzteFokus_ = nullptr;
    FesteMetrik festeMetrik_;
    TextMetrik* metrik_ = &festeMetrik_;

    bool sortierung_ = false;
    bool detail_ = false;
    int hAbstand_ = 20;
    int vAbstand_ = 40;
    std::string neueZeileText_;
    bool neueZeileAn_ = false;
    int neueZeileHoehe_ = 0;
    std::string hint_;

    // Scroll state and layout.
    LayoutMasse masse_;
    int clientBreite_ = 100;
    int clientHoehe_ = 100;
    int topRow_ = 0;
    int maxTopRow_ = 0;
    int leftCol_ = 0;
    int maxLeftCol_ = 0;
    LayoutErgebnis layout_;
    DetailPane pane_;
    bool layoutLaeuft_ = false;
    TAnzeigeFormat gespeichertesFormat_ = A_Tabelle;  // before a bitmap or vector view
    int schriftGroesse_ = 8;

    int aktSpalte_ = -1;
    int sortSpalte_ = 0;
    bool abwaerts_ = false;
    int suchSpalte_ = 0;
    std::string grafikName_;
    TColor rahmenFarbe_ = kBtnFace;
    bool suchNamen_ = false;  // the search field shows column names

    bool lock_ = false;
    bool layoutGeaendert_ = false;
    bool breitenVomBenutzer_ = false;
    bool auswahlSichtbar_ = true;
    bool neueZeileLaeuft_ = false;
    bool neueAuswahl_ = false;
    std::vector<std::string> scratch_;
    std::unique_ptr<BitmapAnzeige> bildAnzeige_;
    SchaetzMetrik schaetzMetrik_;
    ListenLayout liste_;
};

}  // namespace table

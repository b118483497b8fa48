// The main window `TForm1`: it owns the overtime book for the whole run,
// draws the month sheet and the summary panel on its own canvas, embeds the
// month calendar, and carries the menus, tool bar, status bar and timers.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window/sheet_geometry.h"
#include "book/sheet/host.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/timer.h"
#include "platform/ui/windows/window_messages.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QScrollBar;
class QToolBar;
class QToolButton;

namespace calendar {
class TKalender;
}

namespace app {

struct DateiFrage;
class HeaderControl;
class StatusBar;
class TAnmeldung;
class TVerwaltung;
class YearField;
class FormCanvas;

// Every command of the window by its name in the form (`Speichern`,
// `Beenden1`...): a QAction shared by menu item and tool button.
struct Command {
    std::vector<QAction*> views;    // the first one is the action itself
    std::vector<QWidget*> widgets;  // tool bar controls that follow it
    std::function<void()> handler;  // empty: the command comes later and stays disabled
    bool wanted = true;             // the enabled state the program asked for
    bool checked = false;
};

class TForm1 : public QMainWindow, public ui::MessageTarget, public book::ZeitbuchHost {
public:
    explicit TForm1(QWidget* owner = nullptr);
    ~TForm1() override;

    book::Zeitbuch& buch() { return buch_; }
    const book::Zeitbuch& buch() const { return buch_; }

    // ---- Components -------------------------------------------------------
    QToolBar* ToolBar1 = nullptr;
    HeaderControl* HeaderControl1 = nullptr;
    StatusBar* StatusBar1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    calendar::TKalender* MonthCalendar1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    YearField* Anzeige_Jahr = nullptr;  // the year field with its up-down `UpDown1`
    QToolButton* ToolButton20 = nullptr;
    ui::Timer Timer1;
    ui::Timer Timer2;
    TAnmeldung* Anmeldung = nullptr;  // set by the sign-in dialog it creates
    QPointer<TVerwaltung> Verwaltung;  // the user administration window while it exists

    FormCanvas& canvasControl() { return *canvas_; }
    ui::Canvas& canvas();
    const SheetGeometry& geometry() const { return geo_; }

    // The command named as in the form; null for an unknown name.
    QAction* action(const std::string& name) const;
    QMenu* menu(const std::string& name) const;
    // The state the program set: enabled as asked (a command without its
    // handler still shows disabled) and checked.
    bool commandEnabled(const std::string& name) const;
    bool commandChecked(const std::string& name) const;

    // ---- Window state ------------------------------------------------------
    int zeitCaretSpalte = 5;     // time caret column 5..32
    int textCursor = 0;          // 0..150
    bool textModus = false;
    bool einfuegeModus = true;
    int selStart = 0, selLaenge = 0, selAnker = 0;
    bool ziehAuswahl = false;    // a drag selection is running
    int ersteZeile = 0;          // first shown line
    int offeneZeilenReihe = -1;  // row of the open line, -1 = not shown
    int scrollUmfang = 1;
    int blinkZaehler = 0;
    uint8_t statusCode = 0;
    int hilfeZaehler = 0;
    bool anmeldungAbgebrochen = false;
    // Loaded months show their standby marks in the calendar; off while the
    // administration prints all users one after another.
    bool kalenderMarken = true;
    bool kalenderAbgelehnt = false;  // the last calendar date was refused
    int hoverZeile = 0, hoverReihe = 0;  // sheet line and row under the mouse
    int ziehVerzoegerung = 0;            // mouse moves still ignored after a drag starts
    bool shiftGedrueckt = false;
    bool synthEnter = false;  // the last digit stored the line; its character is swallowed
    bool summenHover = false;  // the mouse is over the summary panel
    platform::DateTime heute = 0;
    int heuteJahr = 0, heuteMonat = 0, heuteTag = 0, heuteStunde = 0, heuteMinute = -1;

    // ---- Start-up and shutdown -------------------------------------------
    // Asks whether to save a changed page, then clears it. False when a save
    // the user asked for failed: the page is kept.
    bool Seite_sichern_fragen();
    void FormActivate();
    // The closing steps; false when the window must stay open (a save the
    // user asked for did not succeed).
    bool FormClose();
    // "Beenden": ends the program at once, after the save question and the
    // settings file, without the backup rotation.
    void Beenden1Click();
    // Where "Beenden" and a close leave the program: tests replace it.
    std::function<void()> onTerminate;

    // ---- Sheet display ------------------------------------------------------
    void FormPaint(bool full);
    void FormResize();
    void Scrollbereich_anpassen();
    void ScrollBar1Change();
    void Rahmen_zeichnen();
    void Einstellungen_anzeigen();
    void Bedienelemente_setzen(bool normal);
    // The caret step of the 100 ms timer: removes the caret from where it
    // stands and draws it at its place, or removes it for the blink.
    void caretSchritt();
    bool caretSichtbar() const { return caretAn_; }
    CaretPos caretStelle() const { return caretAt_; }
    // Forgets what the sheet shows: the next paint draws every line.
    void blattVergessen();
    // Held for one user action: the sheet is drawn once, when it ends, from
    // the state the action leaves.
    class EinmalMalen {
    public:
        explicit EinmalMalen(TForm1& form);
        ~EinmalMalen();
        EinmalMalen(const EinmalMalen&) = delete;
        EinmalMalen& operator=(const EinmalMalen&) = delete;

    private:
        TForm1& form_;
    };

    // ---- Status messages and timers -------------------------------------
    void Hinweis_zeigen(int code);
    void ToolButton20Click();
    void Timer1Timer();
    void Timer2Timer();
    // Help by context number through the help service, above `from`'s
    // window (this window without one).
    std::function<void(int context, QWidget* from)> onHelp;
    void zeigeHilfe(int context, QWidget* from = nullptr);

    // ---- Sheet editing (sheet_keys.cpp, sheet_text.cpp, sheet_mouse.cpp,
    //      line_kinds.cpp, year_change.cpp) ---------------------------------
    // Keys arrive as Windows virtual-key codes (see sheet_keys.h).
    void FormKeyDown(int key);
    void FormKeyPress(char ch);
    void FormKeyUp(int key);
    // Tab: toggles text mode; true when the key was taken.
    bool ApplicationEvents1ShortCut(int key);
    void FormMouseMove(int x, int y);
    void FormMouseDown(ui::MouseButton button, int x, int y);
    void FormMouseUp();
    void FormDblClick();
    void Loeschen2Click();
    void Kopieren1Click();
    void Ausschneiden1Click();
    void Einfgen1Click();
    void Zeilenart_setzen(char kind);
    void Extra_KronlaufExecute();
    void FreizeitausgleichExecute();
    void UeStundenKontoExecute();
    void AZVerlagernExecute();
    void MehrarbeitExecute();
    void EintragEinfuegenExecute();
    void LoeschenExecute();
    void Heute1Click();
    void Heutebisjetzt1Click();
    void Jahr_geaendert();
    void Anzeige_JahrKeyUp(int key);
    ui::Cursor sheetCursor() const { return cursor_; }

    // ---- Calendar commands (calendar_commands.cpp) --------------------------
    void Kalender_MenuePopup(ui::PopupMenu& menu);
    void Setze_B_WocheClick(bool woche);
    void GehezumheutigenTag1Click();
    void kalenderMenueZeigen(QPoint globalPos);

    // ---- Commands of this window (menus and tool bar) ---------------------
    void AnmeldenExecute();
    void AbmeldenExecute();
    void AutoanmeldungClick();
    void NeuSeiteExecute();
    void SpeichernExecute();
    void SpeichernAlsExecute();
    void LadenExecute();
    void WZUschlagExecute();
    void PKW_BerechnungExecute();
    void RundenExecute();
    void TageweiseExecute();
    void ZAutomatikExecute();
    void GanzeWochen1Click();
    void Feiertage1Click();
    void ADAExecute();
    void BilanzExecute();
    // "Exportieren als Textdatei" (text_export.cpp).
    void ExportierenalsTextdatei1Click();
    // "Neuer Benutzer" and "Benutzereinstellungen" (user_commands.cpp).
    void BenutzerverwaltungExecute();
    void Benutzereinstellungen1Click();
    // "Benutzerverwaltung": from the menu the administration window is shown
    // (made when it does not exist); from the sign-in it is made anew.
    void AdminClick(bool vomMenue);
    void verwaltungSchliessen();

    // ---- Month navigation (month_navigation.cpp) ----------------------------
    void ToolButton7Click();   // "Monat zurück"
    void ToolButton9Click();   // "Monat vor"
    void ToolButton22Click();  // "Gehe zum heutigen Monat"
    void ComboBox1Change();

    // File dialogs: the question -> chosen name or "". Tests replace it.
    std::function<std::string(const DateiFrage&)> fileDialog;
    // A file dialog (or the test hook); the name with the filter's extension.
    std::string dateiFragen(const DateiFrage& frage);

    // ---- book::ZeitbuchHost ------------------------------------------------
    void postStatus(int code) override;
    void beep() override;
    void repaintSheet(bool whole) override;
    void repaintTotals() override;
    void adjustScrollRange() override;
    void ensureLineVisible(int index) override;
    void setCalendar(int year, int month, int day, const book::StandbyList& standby) override;
    void setCalendarYearBlock(bool on) override;
    void enableAction(book::Action a, bool enabled) override;
    void checkAction(book::Action a, bool checked) override;
    void showAction(book::Action a, bool visible) override;
    void setCaption(const std::string& caption) override;
    void setTimeCaret(int column) override;
    void resetCaretBlink() override;
    void setTextCursor(int position, int selectionLength) override;
    std::string askSaveFileName(const std::string& filter, const std::string& defaultExt) override;
    std::string askOpenFileName(const std::string& filter, const std::string& defaultExt) override;
    bool actionEnabled(book::Action a) const override;
    void showYear(int year) override;
    void showMonthInList(int month) override;
    bool saveMonthFileAs() override;
    void setTextPosition(int position) override;
    void setControls(bool normal) override;
    void openAdministration() override;
    bool signInDialogShowing() const override;
    bool administrationOpen() const override;
    void setYearField(int year);

    // Private messages: the calendar's chosen date.
    bool dispatchMessage(ui::Message& m) override;
    void Kalenderdatum_setzen(ui::Message& m);

    // Bitmaps of the sheet: the caret bar and the kind glyph strip.
    const ui::Bitmap& caretBitmap() const { return strich_; }
    const ui::Bitmap& glyphBitmap() const { return schaltflaechen_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    friend class FormCanvas;
    void buildComponents();
    void buildCommands();
    void buildMenus();
    void buildToolBar();
    void startUp();
    void placeOnScreen();
    void setCommand(const std::string& name, bool enabled);
    void applyCommandState(Command& c);
    void checkCommand(const std::string& name, bool checked);
    void showCommand(const std::string& name, bool visible);
    std::vector<std::string> commandsOf(book::Action a) const;
    Command& defineCommand(const std::string& name, const std::string& caption,
                           std::function<void()> handler, bool checkable = false);
    QAction* addMenuItem(QMenu* menu, const std::string& name, const std::string& caption = {});
    void addToolButton(const std::string& name);
    void layoutChildren();
    bool canvasReady() const;
    // What a line of the sheet shows, to draw only what changed.
    struct GezeigteZeile {
        int line = -1;  // -1: an empty row below the last line
        int row = 0, rows = 0, shown = 0;
        bool cut = false, open = false, glyph = false;
        std::string zeile, text;
        int selFrom = -1, selTo = -1;
        bool operator==(const GezeigteZeile&) const = default;
    };
    GezeigteZeile gezeigteZeile(int line, int row) const;
    int offeneReihe() const;
    void blattVerschieben(const std::vector<GezeigteZeile>& jetzt);
    bool zeichenweise(const GezeigteZeile& alt, const GezeigteZeile& neu);
    void zelleZeichnen(int x, int y, char ch, ui::TColor colour);
    void blattGezeichnet(int top, int bottom);
    void blattGezeichnet(const QRect& r);
    void kindAktionenSetzen();
    void paintLine(int line, int row, int& rowsUsed, bool& cut, bool full);
    void paintSeparators(int y, int height);
    void drawCaret(int x, int y);
    CaretPos timeCaretPos() const;
    CaretPos textCaretPos(int cursor) const;
    void terminate();
    // Sheet editing helpers.
    bool andereSteuerungAktiv() const;
    void zeitSpeichern();
    void textEnter();
    void zeichenTippen(char ch);
    void zeichenZeichnen(int position);
    void eineReiheTiefer();
    void zeitSpalteVor(int column);
    void zeitSpalteZurueck(int column);
    void sheetPopup(int x, int y);
    // Month navigation: one month back or forward; show (and load) a month.
    void monatBlaettern(int schritt);
    void monatZeigen(int monat);
    void setSheetCursor(ui::Cursor c);
    // A date of another year than the shown one: beep and status code 1.
    void jahrAblehnen();

    book::Zeitbuch buch_;
    FormCanvas* canvas_ = nullptr;
    SheetGeometry geo_;
    ui::Bitmap strich_;
    ui::Bitmap schaltflaechen_;
    std::map<std::string, Command> commands_;
    std::map<std::string, QMenu*> menus_;
    // What the sheet and the summary panel show, and where the caret stands.
    std::vector<GezeigteZeile> gezeigt_;
    std::string gezeigteSumme_;  // the panel's frame, colours and standby list
    std::array<std::string, 11> gezeigteSummen_;
    bool caretAn_ = false;
    CaretPos caretAt_;
    int malSammeln_ = 0;  // user actions running: the sheet is drawn at their end
    bool malFaellig_ = false, malVoll_ = false;
    bool rahmenFaellig_ = false;  // the totals panel is drawn at the action's end
    // The scroll bar as the action found it: it repaints at the end only if
    // its state differs, not for a change that the action took back.
    struct Rollzustand {
        int value = 0, maximum = 0, pageStep = 0;
        bool enabled = false;
        bool operator==(const Rollzustand&) const = default;
    };
    Rollzustand rollzustand() const;
    Rollzustand rollVorher_;
    bool closing_ = false;
    int verwaltungNr_ = 0;  // counts the administration windows made
    ui::Cursor cursor_ = ui::Cursor::Default;
    // Kind setter memory: the text a banner replaced, and for which line.
    std::string artText_;
    int artZeile_ = -1;
};

}  // namespace app

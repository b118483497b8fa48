// What the overtime book asks of the window that hosts it. The main window
// implements it; tests use a recorder; code without a window uses NullHost.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace book {

using StandbyList = std::array<uint8_t, 45>;  // nine 5-byte standby period records

// The main window's actions and menu items whose state the book sets.
enum class Action {
    Loeschen,
    EintragEinfuegen,
    Speichern,
    SpeichernAls,
    Laden,
    NeuSeite,
    Anmelden,
    Abmelden,
    Bilanz,
    Runden,
    PKW_Berechnung,
    WZUschlag,
    Tageweise,
    ZAutomatik,
    ZHand,
    ADA,
    Feiertage1,
    GanzeWochen1,
    Benutzereinstellungen,
    Admin,
    MenuePasswort,
    Zuschlagskorrektur,
    MonthNavigation,  // ToolButton7/9/22, ComboBox1, Anzeige_Jahr, UpDown1
    // ---- Editing switch `Bearbeitung_freigeben` (sign_in.cpp) ----
    Bearbeiten1,      // the "Bearbeiten" menu
    ToolButton1,
    Oeffnen1,
    Freizeitausgleich,
    Extra_Kronlauf,
    UeStundenKonto,
    AZVerlagern,
    Mehrarbeit,
    ToolButton6,
    Neu1,
};

const char* actionName(Action a);

class ZeitbuchHost {
public:
    virtual ~ZeitbuchHost() = default;

    // Status code of the status bar (100 ms timer shows it).
    virtual void postStatus(int code) = 0;
    virtual void beep() = 0;
    // FormPaint: the sheet, wholly or only the lines that changed.
    virtual void repaintSheet(bool whole) = 0;
    virtual void repaintTotals() = 0;
    // Scrollbereich_anpassen.
    virtual void adjustScrollRange() = 0;
    // Scrolls so that sheet line `index` is visible (the walk-back of the
    // line selection is the host's, it knows the visible rows).
    virtual void ensureLineVisible(int index) = 0;
    // Month calendar: Init(year, month, day, list); day 0 = none chosen.
    virtual void setCalendar(int year, int month, int day, const StandbyList& standby) = 0;
    virtual void setCalendarYearBlock(bool on) = 0;
    virtual void enableAction(Action a, bool enabled) = 0;
    virtual void checkAction(Action a, bool checked) = 0;
    virtual void showAction(Action a, bool visible) = 0;
    virtual void setCaption(const std::string& caption) = 0;  // Windows-1252
    // Entry-line window state: time caret column, caret blink countdown,
    // work-text cursor and selection length.
    virtual void setTimeCaret(int column) = 0;
    virtual void resetCaretBlink() = 0;
    virtual void setTextCursor(int position, int selectionLength) = 0;
    // File dialogs; "" when cancelled. Filter as "Text (*.ext)|*.ext|...".
    virtual std::string askSaveFileName(const std::string& filter, const std::string& defaultExt) = 0;
    virtual std::string askOpenFileName(const std::string& filter, const std::string& defaultExt) = 0;
    // ---- Month loading and saving, year balance, save question ------------
    // Whether an action is enabled now (an enabled `Speichern` marks a changed page).
    virtual bool actionEnabled(Action a) const = 0;
    // The year field `UpDown1` and the month list `ComboBox1` (month 1..12).
    virtual void showYear(int year) = 0;
    virtual void showMonthInList(int month) = 0;
    // SpeichernAlsExecute: the save dialog, then the month file; true when written.
    virtual bool saveMonthFileAs() = 0;

    // ---- Line selection (line_select.cpp) ----
    // Moves the work-text cursor and leaves the selection as it is.
    virtual void setTextPosition(int position) = 0;

    // ---- User database (sign_in.cpp, user_records.cpp) ----
    // `Bedienelemente_setzen`(normal).
    virtual void setControls(bool normal) = 0;
    // `AdminClick` from the sign-in: the administration window is made anew and shown.
    virtual void openAdministration() = 0;
    virtual bool signInDialogShowing() const = 0;
    virtual bool administrationOpen() const = 0;
};

// A host that does nothing: for the book without a window.
class NullHost : public ZeitbuchHost {
public:
    void postStatus(int) override {}
    void beep() override {}
    void repaintSheet(bool) override {}
    void repaintTotals() override {}
    void adjustScrollRange() override {}
    void ensureLineVisible(int) override {}
    void setCalendar(int, int, int, const StandbyList&) override {}
    void setCalendarYearBlock(bool) override {}
    void enableAction(Action, bool) override {}
    void checkAction(Action, bool) override {}
    void showAction(Action, bool) override {}
    void setCaption(const std::string&) override {}
    void setTimeCaret(int) override {}
    void resetCaretBlink() override {}
    void setTextCursor(int, int) override {}
    std::string askSaveFileName(const std::string&, const std::string&) override { return {}; }
    std::string askOpenFileName(const std::string&, const std::string&) override { return {}; }
    // ---- Month loading and saving, year balance, save question ------------
    bool actionEnabled(Action) const override { return false; }
    void showYear(int) override {}
    void showMonthInList(int) override {}
    bool saveMonthFileAs() override { return false; }

    // ---- Line selection (line_select.cpp) ----
    void setTextPosition(int) override {}
    void setControls(bool) override {}
    void openAdministration() override {}
    bool signInDialogShowing() const override { return false; }
    bool administrationOpen() const override { return false; }
};

}  // namespace book

// The month calendar's state and operations apart from drawing: shown month,
// chosen day, modes, marks and standby records, button states, colours, and
// the messages that clicks produce for the active window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controls/calendar/model/kalender_layout.h"
#include "controls/calendar/model/month_grid.h"
#include "controls/calendar/model/standby_marks.h"
#include "platform/core/date.h"

namespace calendar {

// A chosen date: wParam = whole day number, lParam = 1 for the right button;
// 0, 0 for a click that would leave the year and was refused.
constexpr uint32_t WM_KALENDERDATUM = 0x8190;
// The marks changed; the records are already updated.
constexpr uint32_t WM_KALENDERMARKER = 0x8191;

struct CalendarMessage {
    uint32_t msg = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    bool operator==(const CalendarMessage&) const = default;
};

// Platform colour values (0x00BBGGRR; 0x80000000 | index for system colours).
namespace colour {
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kTitleBlue = 0xFF8000;
constexpr uint32_t kInfoBk = 0x80000018;
}  // namespace colour

enum class Redraw { None, Grid, Full };  // Full includes the head band and week column

// What a click asks of the caller, in this order: redraw, turn the marks into
// records (Get_Marker(9): after the redraw, so an overflow box appears over
// the grid that shows the new mark), then send the message.
struct ClickResult {
    Redraw redraw = Redraw::None;
    bool takeMarks = false;
    std::optional<CalendarMessage> message;
};

// What the grid image and the title band show: two equal looks draw the same
// pixels (the days follow from year and month, the title too).
struct KalenderLook {
    int year = 0;
    int month = 0;
    int chosenDay = 0;  // 0 in marker mode, where the chosen day is not drawn
    bool markerMode = false;
    Marks marks{};
    uint32_t fill = 0;
    uint32_t titleColour = 0;
    uint32_t titleFont = 0;
    bool operator==(const KalenderLook&) const = default;
    bool sameTitle(const KalenderLook& o) const {
        return year == o.year && month == o.month && titleColour == o.titleColour &&
               titleFont == o.titleFont;
    }
    // The head band and week column: the grid's frame around the day cells.
    bool sameFrame(const KalenderLook& o) const {
        return year == o.year && month == o.month && fill == o.fill;
    }
};

class KalenderModel {
public:
    KalenderModel();

    // Shows `monat` of `jahr` with day `tag` chosen (0 = none). A non-null
    // `daten` is the host's list (45 bytes, owned by the host, kept by
    // pointer) and becomes the list in use.
    void Init(uint16_t jahr, uint16_t monat, int tag, const StandbyList* daten);
    void Setze_Daten(const StandbyList& source) { intern_ = source; }
    const StandbyList& Get_Daten() const { return intern_; }
    void Setze_Modus(bool markerMode) { marker_ = markerMode; }
    // 1: blue title, yellow fill; 2: tool-tip title, white fill; else unchanged.
    void Setze_Farbmodus(char mode);
    void Setze_JahresBlock(bool block);
    platform::DateTime Get_Datum() const;  // 0 when no day is chosen
    int Get_Jahr() const { return year_; }
    int Get_Monat() const { return month_; }
    // Moves the chosen day within the shown month, or shows the date's month
    // with the calendar's own records. Returns how much to redraw.
    Redraw Setze_Datum(platform::DateTime date);

    // Marks -> internal list; true (after the message box) on overflow.
    bool Get_Marker(int n);
    void Del_Marker();
    void Del_Eintraege();
    void Get_Eintraege(uint8_t* puffer, int n);

    // Input.
    ClickResult click(int x, int y, bool rightButton);  // grid image coordinates
    bool stepMonth(int delta);                          // false when refused
    void chooseMonth(int index);                        // month list item 0..11

    // What painting and the children show.
    const MonthGrid& grid() const { return grid_; }
    const Marks& marks() const { return marks_; }
    uint32_t shownMask() const { return mask_; }
    int chosenDay() const { return tag_; }
    bool markerMode() const { return marker_; }
    bool yearBlock() const { return block_; }
    bool backEnabled() const { return backEnabled_; }
    bool forwardEnabled() const { return forwardEnabled_; }
    uint32_t fillColour() const { return fill_; }
    uint32_t titleColour() const { return titleColour_; }
    uint32_t titleFontColour() const { return titleFont_; }
    // Month name and year of the shown month, also before the first Init
    // (Windows-1252).
    std::string title() const;
    KalenderLook look() const;

    static const std::string& monthName(int month);  // Windows-1252
    // "   Heute: dd.mm.yyyy"
    static std::string heuteText(platform::DateTime today);

private:
    MonthGrid grid_;
    int year_ = 0;
    int month_ = 0;
    int tag_ = 0;
    uint32_t fill_ = colour::kYellow;
    uint32_t titleColour_ = colour::kTitleBlue;
    uint32_t titleFont_ = colour::kWhite;
    uint32_t mask_ = 0;
    Marks marks_{};
    StandbyList intern_{};
    const StandbyList* host_ = nullptr;
    bool marker_ = true;
    bool block_ = false;
    bool backEnabled_ = true;
    bool forwardEnabled_ = true;
};

extern const char* const kOverflowText;     // Windows-1252
extern const char* const kOverflowCaption;  // Windows-1252

}  // namespace calendar

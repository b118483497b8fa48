#include "controls/calendar/model/kalender_model.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace calendar {

const char* const kOverflowText =
    "Zu viele Bereitschaftseintr\xE4" "ge im Kalender! Ich kann maximal nur 9 Eintr\xE4"
    "ge verarbeiten.\nAlle Eintr\xE4" "ge dar\xFC" "ber wurden gel\xF6" "scht";
const char* const kOverflowCaption = "Kann ich nicht!";

KalenderModel::KalenderModel() {
    // Something sensible to paint before the host's first Init.
    const platform::CivilDate today = platform::decodeDate(platform::today());
    grid_ = buildMonthGrid(std::clamp(today.year, 1900, 9999), today.month);
    year_ = grid_.year;
    month_ = grid_.month;
}

const std::string& KalenderModel::monthName(int month) {
    static const std::array<std::string, 12> names = {
        "Januar", "Februar", platform::cp1252("März"), "April",   "Mai",      "Juni",
        "Juli",   "August",  "September",              "Oktober", "November", "Dezember"};
    return names[std::clamp(month, 1, 12) - 1];
}

std::string KalenderModel::heuteText(platform::DateTime today) {
    return "   Heute: " + platform::dateToText(today);
}

void KalenderModel::Init(uint16_t jahr, uint16_t monat, int tag, const StandbyList* daten) {
    const StandbyList* inUse = &intern_;
    if (daten) {
        host_ = daten;
        inUse = daten;
    } else if (!marker_ && host_) {
        inUse = host_;
    }
    mask_ = 0;

    tag_ = tag;
    // The grid needs no date past December 9999: its next-month cells are day numbers only.
    month_ = std::clamp<int>(monat, 1, 12);
    year_ = std::clamp<int>(jahr, 1900, 9999);
    grid_ = buildMonthGrid(year_, month_);

    Del_Marker();
    marksFromRecords(grid_, *inUse, marks_, mask_);

    // Leaving the year is possible only without records and without the block.
    const bool free = (*inUse)[0] == 0 && !block_;
    backEnabled_ = month_ != 1 || (free && year_ > 1900);
    forwardEnabled_ = month_ != 12 || (free && year_ < 9999);
}

std::string KalenderModel::title() const {
    return monthName(month_) + " " + std::to_string(year_);
}

KalenderLook KalenderModel::look() const {
    return {year_, month_, marker_ ? 0 : tag_, marker_, marks_, fill_, titleColour_, titleFont_};
}

void KalenderModel::Setze_Farbmodus(char mode) {
    if (mode == 1) {
        titleColour_ = colour::kTitleBlue;
        titleFont_ = colour::kWhite;
        fill_ = colour::kYellow;
    } else if (mode == 2) {
        titleColour_ = colour::kInfoBk;
        titleFont_ = colour::kBlack;
        fill_ = colour::kWhite;
    }
}

void KalenderModel::Setze_JahresBlock(bool block) {
    block_ = block;
    if (month_ == 1) backEnabled_ = !block && year_ > 1900;
    if (month_ == 12) forwardEnabled_ = !block && year_ < 9999;
}

platform::DateTime KalenderModel::Get_Datum() const {
    if (tag_ == 0 || !platform::isValidDate(year_, month_, tag_)) return 0;
    return platform::encodeDate(year_, month_, tag_);
}

Redraw KalenderModel::Setze_Datum(platform::DateTime date) {
    const platform::CivilDate d = platform::decodeDate(date);
    if (d.year == year_ && d.month == month_) {
        tag_ = d.day;
        return Redraw::Full;
    }
    Init(static_cast<uint16_t>(std::clamp(d.year, 0, 0xFFFF)), static_cast<uint16_t>(d.month),
         d.day, &intern_);
    return Redraw::Full;
}

bool KalenderModel::Get_Marker(int n) {
    const MarkedRecords r = recordsFromMarks(grid_, marks_, intern_, mask_, n);
    intern_ = r.list;
    mask_ = r.mask;
    if (r.overflow) platform::MessageBox(kOverflowText, kOverflowCaption, platform::Buttons::Ok);
    return r.overflow;
}

void KalenderModel::Del_Marker() {
    marks_.fill(0);
    if (marker_) Get_Marker(kMaxRecords);
    if (month_ == 12) forwardEnabled_ = !block_ && year_ < 9999;
    if (month_ == 1) backEnabled_ = !block_ && year_ > 1900;
}

void KalenderModel::Del_Eintraege() {
    intern_.fill(0);
    Del_Marker();
}

void KalenderModel::Get_Eintraege(uint8_t* puffer, int n) {
    n = std::clamp(n, 0, kMaxRecords);
    Get_Marker(n);
    if (puffer) std::memcpy(puffer, intern_.data(), static_cast<size_t>(n) * kRecordSize);
}

bool KalenderModel::stepMonth(int delta) {
    int month = month_ + delta;
    int year = year_;
    if (month < 1 || month > 12) {
        if (block_ || intern_[0] != 0) return false;
        month = month < 1 ? 12 : 1;
        year += delta;
        if (year < 1900 || year > 9999) return false;
    }
    if (marker_) Get_Marker(kMaxRecords);
    Init(static_cast<uint16_t>(year), static_cast<uint16_t>(month), 0, host_);
    return true;
}

void KalenderModel::chooseMonth(int index) {
    if (index < 0 || index > 11) return;
    Init(static_cast<uint16_t>(year_), static_cast<uint16_t>(index + 1), 0, nullptr);
}

ClickResult KalenderModel::click(int x, int y, bool rightButton) {
    const GridHit hit = hitTest(x, y, marker_);
    if (hit.kind == GridHit::None) return {};

    if (!marker_) {
        const int day = grid_.day[hit.cell];
        Redraw redraw = Redraw::None;
        const int delta = grid_.inPreviousMonth(hit.cell) ? -1 : grid_.inNextMonth(hit.cell) ? 1 : 0;
        if (delta != 0) {
            // A refused step (year block, or records that tie the list to
            // this year) reports no date.
            if (!stepMonth(delta))
                return {Redraw::None, false, CalendarMessage{WM_KALENDERDATUM, 0, 0}};
            redraw = Redraw::Full;
        }
        const int number = platform::dayNumber(year_, month_, day);
        return {redraw, false,
                CalendarMessage{WM_KALENDERDATUM, static_cast<uintptr_t>(number), rightButton ? 1 : 0}};
    }

    if (hit.kind == GridHit::WeekRow) {
        uint8_t* row = &marks_[hit.row * kColumns];
        const bool anyUnmarked = std::find(row, row + kColumns, 0) != row + kColumns;
        std::fill(row, row + kColumns, anyUnmarked ? 1 : 0);
    } else {
        marks_[hit.cell] ^= 1;
    }
    return {Redraw::Grid, true, CalendarMessage{WM_KALENDERMARKER, 0, 0}};
}

}  // namespace calendar

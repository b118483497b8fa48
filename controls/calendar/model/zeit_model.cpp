#include "controls/calendar/model/zeit_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "controls/calendar/model/zeit_text.h"

namespace calendar {
namespace {

using platform::DateTime;

// Day numbers a field can show: 31.12.1899 up to 31.12.9999.
constexpr long long kFirstDay = 1;
const long long kPastLastDay = platform::dayNumber(10000, 1, 1);

bool showsDay(long long day) {
    return day >= kFirstDay && day < kPastLastDay;
}

// The part under a digit (0-11 as zaBeides numbers them), its largest value
// and the digit's place value.
struct DigitPlace {
    int ZeitFields::*part;
    int limit;
    int place;
};

DigitPlace placeOf(int digit) {
    static constexpr int kYearPlaces[4] = {1000, 100, 10, 1};
    if (digit < 2) return {&ZeitFields::day, 31, digit == 0 ? 10 : 1};
    if (digit < 4) return {&ZeitFields::month, 12, digit == 2 ? 10 : 1};
    if (digit < 8) return {&ZeitFields::year, 9999, kYearPlaces[digit - 4]};
    if (digit < 10) return {&ZeitFields::hour, 23, digit == 8 ? 10 : 1};
    return {&ZeitFields::minute, 59, digit == 10 ? 10 : 1};
}

std::string twoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

}  // namespace

ZeitModel::~ZeitModel() {
    for (ZeitModel* other : partneredBy_)
        if (other != this) other->kombi_ = nullptr;
    if (kombi_ != nullptr && kombi_ != this) std::erase(kombi_->partneredBy_, this);
}

void ZeitModel::SetStyle(TZeitStyle style) {
    style_ = style;
    setCursor(cursor_);
}

void ZeitModel::setCursor(int digit) {
    cursor_ = digit < 0 ? -1 : std::min(digit, lastDigit(style_));
}

void ZeitModel::setDate(int year, int month, int day) {
    f_.year = year;
    f_.month = month;
    f_.day = day;
}

void ZeitModel::setTime(int hour, int minute) {
    f_.hour = hour;
    f_.minute = minute;
}

void ZeitModel::setDateFromDay(long long dayNumber) {
    const platform::CivilDate d = platform::decodeDate(static_cast<DateTime>(dayNumber));
    setDate(d.year, d.month, d.day);
}

// ---- Validation and values ----

int ZeitModel::dateError(const ZeitFields& f, char mode) const {
    if (f.dateComplete()) {
        if (f.year < 1900 || f.year > 9999) return 4;
        if (f.month > 12 || f.day > platform::daysInMonth(f.year, f.month)) return 0;
        return -1;
    }
    if (mode == 1) return -1;
    if (style_ == TZeitStyle::zaUhr && f.timeSet()) return -1;
    return 0;
}

bool ZeitModel::Test(char mode) {
    const int error = dateError(f_, mode);
    if (error < 0) return true;
    if (mode != 2) setCursor(error);
    return false;
}

DateTime ZeitModel::GetDateValue() const {
    return dateValid() ? platform::encodeDate(f_.year, f_.month, f_.day) : -1.0;
}

DateTime ZeitModel::GetTimeValue() const {
    return f_.timeSet() ? platform::encodeTime(f_.hour, f_.minute) : -1.0;
}

DateTime ZeitModel::GetValue() const {
    DateTime v = -1.0;
    if (hasDate(style_) && dateValid()) v = platform::encodeDate(f_.year, f_.month, f_.day);
    if (f_.timeSet())
        v = (style_ == TZeitStyle::zaUhr ? 0.0 : v) + platform::encodeTime(f_.hour, f_.minute);
    return v;
}

void ZeitModel::SetValue(DateTime v) {
    // Values beyond the year 9999 (and NaN) cannot be shown: they count as invalid.
    bool valid = std::isfinite(v) && v < static_cast<DateTime>(kPastLastDay);
    if (hasDate(style_)) {
        if (!valid || std::floor(v) < 1) {
            f_.day = f_.month = f_.year = 0;
            valid = false;
        } else {
            setDateFromDay(static_cast<long long>(std::floor(v)));
        }
    } else if (v < 0) {
        valid = false;
    }
    if (hasTime(style_)) {
        if (valid) {
            const platform::TimeOfDay t = platform::decodeTime(v);
            setTime(t.hour, t.minute);
        } else {
            setTime(-1, -1);
        }
    }
    Change = false;
    if (valid) applySetPartnerRule(v);
}

void ZeitModel::applySetPartnerRule(DateTime v) {
    if (kombi_ == nullptr || inPartnerRule_) return;
    const DateTime p = kombi_->GetValue();
    if ((Von && p < v) || (!Von && p > v)) {
        inPartnerRule_ = true;
        kombi_->SetValue(v);
        inPartnerRule_ = false;
    }
}

void ZeitModel::applyKeyPartnerRule() {
    const DateTime v = GetValue();
    if (kombi_ == nullptr || inPartnerRule_ || std::floor(v) <= 0) return;
    const DateTime p = kombi_->GetValue();
    if (!((Von && p < v) || (!Von && p > v))) return;
    const long long day = static_cast<long long>(std::floor(v));
    if (!Von && cursor_ > 7 && std::floor(p) == std::floor(v)) {
        // An end time before the start time on the same day: the range runs past midnight.
        if (showsDay(day + 1)) setDateFromDay(day + 1);
    } else if (!kombi_->Change) {
        inPartnerRule_ = true;
        kombi_->SetValue(v);
        inPartnerRule_ = false;
    }
}

// ---- Texts ----

std::string ZeitModel::GetAnsi() const {
    const bool valid =
        (style_ == TZeitStyle::zaUhr || dateValid()) && (!hasTime(style_) || f_.timeSet());
    if (!valid) return invalidAnsi(TextFormat, NullZeit);
    std::string s;
    if (hasDate(style_)) s += formatDateAnsi(f_.year, f_.month, f_.day, TextFormat);
    if (hasTime(style_)) s += formatTimeAnsi(f_.hour, f_.minute, TextFormat);
    return s;
}

std::string ZeitModel::GetDateAnsi(int days) const {
    if (!dateValid()) return invalidAnsi(TextFormat, NullZeit);
    const long long day =
        platform::dayNumber(f_.year, f_.month, f_.day) + static_cast<long long>(days);
    if (!showsDay(day)) return invalidAnsi(TextFormat, NullZeit);
    const platform::CivilDate d = platform::decodeDate(static_cast<DateTime>(day));
    return formatDateAnsi(d.year, d.month, d.day, TextFormat);
}

std::string ZeitModel::GetTimeAnsi() const {
    return f_.timeSet() ? formatTimeAnsi(f_.hour, f_.minute, TextFormat)
                        : invalidAnsi(TextFormat, NullZeit);
}

void ZeitModel::SetAnsi(std::string_view text) {
    std::optional<ZeitFields> parsed = parseAnsi(text, style_, TextFormat);
    if (parsed && hasDate(style_) && dateError(*parsed, 2) >= 0) parsed.reset();
    if (parsed) {
        if (hasDate(style_)) setDate(parsed->year, parsed->month, parsed->day);
        if (hasTime(style_)) setTime(parsed->hour, parsed->minute);
    } else {
        clear();
    }
    Change = false;
    if (parsed) applySetPartnerRule(GetValue());
}

std::string ZeitModel::dateText() const {
    std::string s = f_.day != 0 ? twoDigits(f_.day) : "__";
    s += '.';
    s += f_.month != 0 ? twoDigits(f_.month) : "__";
    s += '.';
    if (f_.year != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04d", f_.year % 10000);
        s += buf;
    } else {
        s += "____";
    }
    return s;
}

std::string ZeitModel::timeText() const {
    return (f_.hour >= 0 ? twoDigits(f_.hour) : "__") + ":" +
           (f_.minute >= 0 ? twoDigits(f_.minute) : "__");
}

// ---- Editing ----

void ZeitModel::Minuten(int minutes) {
    long long total = std::max(f_.hour, 0) * 60LL + std::max(f_.minute, 0) + minutes;
    long long days = total / 1440;
    total %= 1440;
    if (total < 0) {
        total += 1440;
        --days;
    }
    const bool carry = days != 0 && dateValid();
    if (carry) {
        const long long day = platform::dayNumber(f_.year, f_.month, f_.day) + days;
        if (showsDay(day)) setDateFromDay(day);
    }
    setTime(static_cast<int>(total / 60), static_cast<int>(total % 60));
}

void ZeitModel::setNow(DateTime now) {
    if (hasDate(style_)) setDateFromDay(static_cast<long long>(std::floor(now)));
    if (hasTime(style_)) {
        const platform::TimeOfDay t = platform::decodeTime(now);
        setTime(t.hour, t.minute);
    }
    Change = true;
}

void ZeitModel::enterFocus() {
    const bool beides = style_ == TZeitStyle::zaBeides;
    if (cursor_ >= 0) cursor_ = Zeit_Datum() ? 8 : 0;
    int datePos = -1, timePos = -1;
    if (hasDate(style_)) {
        if (f_.day == 0)
            datePos = 0;
        else if (f_.month != 0 && f_.year == 0)
            datePos = 4;
    }
    if (hasTime(style_)) {
        const int base = beides ? 8 : 0;
        if (f_.hour < 0)
            timePos = base;
        else if (f_.minute < 0)
            timePos = base + 2;
    }
    if (timePos >= 0 && (!beides || Zeit_Datum() || datePos < 0))
        cursor_ = timePos;
    else if (datePos >= 0)
        cursor_ = datePos;
}

int ZeitModel::moveRight(int c) const {
    if (c < lastDigit(style_)) return Zeit_Datum() && c == 7 ? 7 : c + 1;
    return Zeit_Datum() ? 0 : c;
}

bool ZeitModel::editDigit(ZeitKey k, int digit) {
    if (cursor_ < 0) return false;
    const DigitPlace at = placeOf(style_ == TZeitStyle::zaUhr ? cursor_ + 8 : cursor_);
    const bool year = at.part == &ZeitFields::year;
    int value = std::max(f_.*at.part, 0);  // an empty hour or minute counts as 0
    switch (k) {
        case ZeitKey::Digit:
        case ZeitKey::Backspace: {
            const int old = value / at.place % 10;
            value += (digit - old) * at.place;
            break;
        }
        case ZeitKey::Up:
            value = std::min(value + at.place, at.limit);
            if (year && value < 1900) value = 1900;
            break;
        case ZeitKey::Down:
            value -= at.place;
            if (value < (year ? 1900 : 0)) value = 0;
            break;
        default:
            return false;
    }
    f_.*at.part = std::min(value, at.limit);
    return true;
}

KeyOutcome ZeitModel::key(ZeitKey k, int digit) {
    switch (k) {
        case ZeitKey::Right:
            if (cursor_ >= 0) cursor_ = moveRight(cursor_);
            return KeyOutcome::Moved;
        case ZeitKey::Left:
            if (cursor_ == 0)
                cursor_ = Zeit_Datum() ? 11 : 0;
            else if (cursor_ > 0 && !(Zeit_Datum() && cursor_ == 8))
                --cursor_;
            return KeyOutcome::Moved;
        case ZeitKey::Space:
            cursor_ = style_ == TZeitStyle::zaBeides && cursor_ < 8 ? 8 : 0;
            return KeyOutcome::Moved;
        case ZeitKey::Digit:
        case ZeitKey::Backspace:
        case ZeitKey::Up:
        case ZeitKey::Down:
            break;
    }
    if (k == ZeitKey::Backspace) digit = 0;
    if (digit < 0 || digit > 9 || cursor_ < 0) return KeyOutcome::Ignored;
    bool filled = false;
    if (f_.allEmpty() && k != ZeitKey::Backspace) {
        setNow(platform::now());
        filled = true;
    }
    if (!(filled && (k == ZeitKey::Up || k == ZeitKey::Down))) editDigit(k, digit);
    if (k == ZeitKey::Backspace)
        cursor_ = std::max(cursor_ - 1, 0);
    else if (k == ZeitKey::Digit)
        cursor_ = moveRight(cursor_);
    Change = true;
    applyKeyPartnerRule();
    return KeyOutcome::Edited;
}

// ---- Partner and periods ----

bool ZeitModel::SetPartner(ZeitModel* partner) {
    if (partner == nullptr || kombi_ != nullptr) return false;
    kombi_ = partner;
    partner->partneredBy_.push_back(this);
    return true;
}

void ZeitModel::applyPeriod(const Period& p, bool keepTime) {
    if (style_ != TZeitStyle::zaUhr) {
        if (Von) {
            setDateFromDay(static_cast<long long>(std::floor(p.start)));
            if (!keepTime && hasTime(style_)) setTime(0, 0);
            if (kombi_ != nullptr) kombi_->SetValue(p.end);
        } else {
            SetValue(p.end);
            if (kombi_ != nullptr) kombi_->SetValue(p.start);
        }
    }
    Change = true;
}

}  // namespace calendar

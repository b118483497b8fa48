// The date and time field's value and editing apart from drawing: the five
// parts, the digit cursor, validation, value and text conversions, key
// edits, the partner rule of a coupled range and the quick periods.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/calendar/model/zeit_periods.h"
#include "controls/calendar/model/zeit_style.h"
#include "platform/core/date.h"

namespace calendar {

// What the keys ask of the field.
enum class ZeitKey { Digit, Backspace, Up, Down, Left, Right, Space };
enum class KeyOutcome { Ignored, Moved, Edited };

// Delays of the change notification: every key edit arms it anew and it
// grows 400, 1000, 1600, 1600 ... ms until it fires.
class ChangeDelay {
public:
    int arm() {
        const int d = next_;
        if (next_ < 1500) next_ += 600;
        return d;
    }
    void fired() { next_ = 400; }

private:
    int next_ = 400;
};

class ZeitModel {
public:
    ZeitModel() = default;
    ~ZeitModel();
    ZeitModel(const ZeitModel&) = delete;
    ZeitModel& operator=(const ZeitModel&) = delete;

    TZeitStyle Style() const { return style_; }
    void SetStyle(TZeitStyle style);
    // The time block before the date block; it counts only in zaBeides.
    bool Zeit_Datum() const { return zeitDatum_ && style_ == TZeitStyle::zaBeides; }
    void setZeitDatum(bool on) { zeitDatum_ = on; }

    // The user changed the value since it was last set from outside.
    bool Change = false;
    bool TextFormat = false;
    bool NullZeit = false;
    bool Von = false;  // the start of a range

    const ZeitFields& fields() const { return f_; }
    int cursor() const { return cursor_; }
    void setCursor(int digit);  // clamped to the digits; -1 = none
    void clear() { f_ = ZeitFields{}; }
    void setDate(int year, int month, int day);
    void setTime(int hour, int minute);

    platform::DateTime GetValue() const;
    platform::DateTime GetDateValue() const;  // -1 without a valid date
    platform::DateTime GetTimeValue() const;  // -1 without hour and minute
    // Sets the value (seconds dropped), clears Change, applies the partner rule.
    void SetValue(platform::DateTime v);

    std::string GetAnsi() const;
    std::string GetDateAnsi(int days) const;
    std::string GetTimeAnsi() const;
    void SetAnsi(std::string_view text);

    // Mode 1 accepts an empty or partly empty date; mode 2 is silent, the
    // others put the cursor on the error.
    bool Test(char mode);
    void Minuten(int minutes);
    // "Jetzt": the parts the style shows from `now`; sets Change.
    void setNow(platform::DateTime now);
    // The cursor on taking the focus: the start of the first block, then the
    // first empty part.
    void enterFocus();
    // One key; an edit sets Change and applies the key partner rule.
    KeyOutcome key(ZeitKey k, int digit = 0);

    // The first partner sticks; false when nothing changed.
    bool SetPartner(ZeitModel* partner);
    ZeitModel* Kombi() const { return kombi_; }

    // Sets start or end of the range on this field and its partner; with
    // `keepTime` the start keeps its hour and minute. Sets Change.
    void applyPeriod(const Period& p, bool keepTime);

    // The blocks as shown: "05.03.2024", "__.__.____", "14:07", "__:__".
    std::string dateText() const;
    std::string timeText() const;

private:
    // -1 when the date passes Test(mode), else the digit of the error.
    int dateError(const ZeitFields& f, char mode) const;
    bool dateValid() const { return f_.dateComplete() && dateError(f_, 2) < 0; }
    void setDateFromDay(long long dayNumber);
    void applySetPartnerRule(platform::DateTime v);
    void applyKeyPartnerRule();
    bool editDigit(ZeitKey k, int digit);
    int moveRight(int c) const;

    ZeitFields f_;
    TZeitStyle style_ = TZeitStyle::zaDatum;
    int cursor_ = 0;
    bool zeitDatum_ = false;
    ZeitModel* kombi_ = nullptr;
    std::vector<ZeitModel*> partneredBy_;  // whose Kombi this is, unlinked on destruction
    bool inPartnerRule_ = false;           // a partner that answers back stops here
};

}  // namespace calendar

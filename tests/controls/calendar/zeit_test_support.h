// Helpers shared by the date field tests: readable parts, a model in a given state.
#pragma once

#include <ostream>

#include "controls/calendar/model/zeit_model.h"

namespace calendar {

inline std::ostream& operator<<(std::ostream& os, const ZeitFields& f) {
    return os << f.day << "." << f.month << "." << f.year << " " << f.hour << ":" << f.minute;
}

namespace test_support {

inline void setUp(ZeitModel& m, TZeitStyle style, const ZeitFields& f, int cursor = 0) {
    m.SetStyle(style);
    m.setDate(f.year, f.month, f.day);
    m.setTime(f.hour, f.minute);
    m.setCursor(cursor);
}

}  // namespace test_support
}  // namespace calendar

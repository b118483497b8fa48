#include "controls/calendar/model/zeit_periods.h"

namespace calendar {
namespace {

const platform::DateTime kLastMoment = platform::encodeTime(23, 59, 59, 999);

platform::DateTime firstOfNextMonth(int year, int month) {
    return month == 12 ? platform::encodeDate(year + 1, 1, 1)
                       : platform::encodeDate(year, month + 1, 1);
}

}  // namespace

Period chosenMonth(int year, int month) {
    return {platform::encodeDate(year, month, 1), firstOfNextMonth(year, month) - 1};
}

Period quickPeriod(QuickPeriod kind, platform::DateTime now) {
    const platform::CivilDate d = platform::decodeDate(now);
    switch (kind) {
        case QuickPeriod::DieserMonat: {
            const Period p = chosenMonth(d.year, d.month);
            return {p.start, p.end + kLastMoment};
        }
        case QuickPeriod::LetzterMonat: {
            const Period p =
                d.month == 1 ? chosenMonth(d.year - 1, 12) : chosenMonth(d.year, d.month - 1);
            return {p.start, p.end + kLastMoment};
        }
        case QuickPeriod::DiesesJahr:
            return {platform::encodeDate(d.year, 1, 1),
                    platform::encodeDate(d.year, 12, 31) + kLastMoment};
        case QuickPeriod::LetztesJahr:
            return {platform::encodeDate(d.year - 1, 1, 1),
                    platform::encodeDate(d.year - 1, 12, 31) + kLastMoment};
    }
    return {};
}

}  // namespace calendar

// Calendar week numbers as the month calendar and the overtime book count them.
#pragma once

#include "platform/core/date.h"

namespace platform {

// Week number of `date` counted from 1 January of `jahr`. For a Monday this is
// the ISO 8601 week; callers pass the Monday of the week they mean.
int Get_Kalenderwoche(int jahr, DateTime date);

}  // namespace platform

// Safety copies of the user database taken at start, the restore of a
// damaged database from them, and the numbered backup generations.
#pragma once

#include <string>

#include "platform/core/date.h"

namespace book {

inline constexpr const char* kSafetyCopyDat = "Benutzerdat.bak";
inline constexpr const char* kSafetyCopyLog = "Benutzerlog.bak";

// Prefix of the fault copies: "dd_mm_yyyy hh_mm_ss", followed by
// "dat.Fehler" and "log.Fehler".
std::string faultCopyStamp(platform::DateTime when);

}  // namespace book

// Safety copies of the user database taken at start, the restore of a
// damaged database from them, and the numbered backup generations.
#pragma once

#include <string>

#include "book/backup/safety_copies.h"  // the names of the safety copies
#include "platform/core/date.h"

namespace book {

// Prefix of the fault copies: "dd_mm_yyyy hh_mm_ss", followed by
// "dat.Fehler" and "log.Fehler".
std::string faultCopyStamp(platform::DateTime when);
// The name a file at `path` is set aside under, kept for whoever looks into
// what went wrong: "<path>.defekt <stamp>", with " 2", " 3"... behind it
// while something (even a dangling link) stands under that name.
std::string setAsidePath(const std::string& path);

}  // namespace book

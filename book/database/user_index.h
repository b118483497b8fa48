// The user index "Benutzer.log" (layout in user_db_format.h): walking its
// records, reading their texts and writing a record at the end mark. Every
// record is checked to lie in the file with a length of 20..140 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/database/db_reader.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"

namespace book {

struct IndexSatz {
    int64_t start = 0;
    uint32_t laenge = 0;
    uint32_t block = 0;  // offset of the user's block in "Benutzer.dat"
};

enum class IndexStep { Record, End, Error };
// The head of the record at `pos`: End at the end mark; Error when the length
// cannot be read, lies outside 20..140 or the record runs past the file.
// Afterwards the reader stands at the record's first text.
IndexStep readIndexHead(DbReader& in, int64_t pos, IndexSatz& rec);

// All records up to the end mark, whose offset goes to `endMark`.
bool readIndex(DbReader& in, std::vector<IndexSatz>& records, int64_t& endMark);

// `Feld_lesen`: one scrambled index text of at most `max` bytes with its terminator.
bool Feld_lesen(DbReader& in, std::string& text, int max = kFieldMax);
// The next text of `rec`; false when it cannot be read or leaves no room for
// the six bytes that end the record.
bool readField(DbReader& in, const IndexSatz& rec, std::string& text);
// The rest of a record behind its two texts: last name, first name,
// personnel number, area, reserved u32, options and the 0 byte, which must
// end the record exactly.
bool readRecordTail(DbReader& in, const IndexSatz& rec, Benutzerdaten& user, uint32_t& reserve);
// The whole record behind the head read as the sign-in reads it, keeping nothing.
bool recordReadable(DbReader& in, const IndexSatz& rec);

// `Schreibe_Benutzer`: with the block offset already at start + 4, writes
// the texts and options at start + 8, the new end mark behind them, cuts the
// file there and then sets the length at `start`, so that until the last
// write the old end mark still ends the list.
bool Schreibe_Benutzer(platform::File& index, int64_t start, const Benutzerdaten& user);

}  // namespace book

// The consistency check of the user database: a walk of the index records,
// one sequential pass over the block file with a look-up of each block's
// record, then a count of the records. A database that passes loads every page
// of every user, lets every stored user sign in and stays sound after every add,
// change, delete and save. Fault codes 1..9 and 17..24; the start-up shows "0" + code.
#pragma once

#include <cstdint>
#include <string>

namespace book {

enum DbFault : uint8_t {
    kFaultBlockHead = 1,       // fewer than 12 bytes where a block head is expected
    kFaultBackPointer = 2,     // a head names no record start + 4, or that record another block
    kFaultEmptyLastBlock = 3,  // last block without entries does not end at the end of the file
    kFaultMonth = 4,           // entry month outside 1..12, year outside 1900..9999, or unreadable
    kFaultLastEntry = 5,       // entry with length 0 is not where the head says
    kFaultRecord = 6,          // a record cannot be read whole
    kFaultStandbyShort = 7,    // a standby period cannot be read whole
    kFaultStandbyValue = 8,    // week outside 1..53, start day or month outside 1..31
    kFaultLineValue = 9,       // day (within its month), hour, minute or month of a line out of
                               // range; a standby record that is not first reads as a day 99
    kFaultEntryEnd = 17,       // an entry does not end where its length says
    kFaultBlockEnd = 18,       // a block does not end where its length says
    kFaultFileEnd = 19,        // the last block does not end at the end of the file
    kFaultDuplicate = 20,      // two entries of one year and month in a block
    kFaultMemory = 21,         // no memory for the month list
    kFaultMoreRecords = 22,    // more index records than blocks
    kFaultFewerRecords = 23,   // fewer index records than blocks
    kFaultOther = 24,          // anything else: a text, or an index record, that cannot be read
};

struct DbCheck {
    bool ok = true;
    uint8_t code = 0;  // 0 with ok false: the index exists but cannot be opened
};

// Checks "Benutzer.log" and "Benutzer.dat" in `dataDir`; reads only.
DbCheck checkDatabase(const std::string& dataDir);
// The same for an index and a block file of any name (a copy of the pair).
DbCheck checkDatabaseFiles(const std::string& logPath, const std::string& datPath);

// The character the start-up shows for a fault code: "0" + code.
inline char faultCharacter(uint8_t code) {
    return static_cast<char>('0' + code);
}
// The start-up's message for a failed check (Windows-1252), and its caption.
std::string faultMessage(uint8_t code);
extern const char kFaultCaption[];  // "Datenbank fehlerhaft"

}  // namespace book

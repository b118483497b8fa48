#include "book/database/user_index.h"

#include "book/database/block_file.h"

namespace book {

IndexStep readIndexHead(DbReader& in, int64_t pos, IndexSatz& rec) {
    uint32_t length = 0;
    in.seek(pos);
    if (!in.u32(length)) return IndexStep::Error;
    if (length == 0) return IndexStep::End;
    if (length < kRecordMin || length > kRecordMax || pos + length > in.length() ||
        !in.u32(rec.block))
        return IndexStep::Error;
    rec.start = pos;
    rec.laenge = length;
    return IndexStep::Record;
}

bool readIndex(DbReader& in, std::vector<IndexSatz>& records, int64_t& endMark) {
    records.clear();
    for (int64_t pos = 0;;) {
        IndexSatz rec;
        switch (readIndexHead(in, pos, rec)) {
            case IndexStep::End:
                endMark = pos;
                return true;
            case IndexStep::Error:
                return false;
            case IndexStep::Record:
                break;
        }
        records.push_back(rec);
        pos += rec.laenge;
    }
}

bool Feld_lesen(DbReader& in, std::string& text, int max) {
    return in.text(&text, max, kDatabaseKey);
}

namespace {

// A text of the record (null: only read past) that leaves room for the six
// bytes that end it.
bool field(DbReader& in, const IndexSatz& rec, std::string* text) {
    return in.text(text, kFieldMax, kDatabaseKey) && in.position() + 6 <= rec.start + rec.laenge;
}

// Reserved u32, options and the 0 byte, which must end the record exactly.
bool tail(DbReader& in, const IndexSatz& rec, uint32_t& reserve, uint8_t& options) {
    uint8_t zero = 0;
    return in.u32(reserve) && in.u8(options) && in.u8(zero) && zero == 0 &&
           in.position() == rec.start + rec.laenge;
}

}  // namespace

bool readField(DbReader& in, const IndexSatz& rec, std::string& text) {
    return field(in, rec, &text);
}

bool readRecordTail(DbReader& in, const IndexSatz& rec, Benutzerdaten& user, uint32_t& reserve) {
    return field(in, rec, &user.name) && field(in, rec, &user.vorname) &&
           field(in, rec, &user.personalnummer) && field(in, rec, &user.bereich) &&
           tail(in, rec, reserve, user.optionen);
}

bool recordReadable(DbReader& in, const IndexSatz& rec) {
    for (int i = 0; i < 6; ++i)
        if (!field(in, rec, nullptr)) return false;
    uint32_t reserve = 0;
    uint8_t options = 0;
    return tail(in, rec, reserve, options);
}

bool Schreibe_Benutzer(platform::File& index, int64_t start, const Benutzerdaten& user) {
    std::string bytes = encodeUserRecordBody(user);
    const int64_t endMark = start + 8 + static_cast<int64_t>(bytes.size());
    appendU32(bytes, 0);
    if (endMark + 4 > kMaxDbFileLength) return false;
    return writeAt(index, start + 8, bytes.data(), bytes.size()) && index.truncate(endMark + 4) &&
           writeU32At(index, start, static_cast<uint32_t>(endMark - start));
}

}  // namespace book

#include "book/user_index.h"

#include "book/block_file.h"

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

bool readField(DbReader& in, const IndexSatz& rec, std::string& text) {
    return Feld_lesen(in, text) && in.position() + 6 <= rec.start + rec.laenge;
}

bool readRecordTail(DbReader& in, const IndexSatz& rec, Benutzerdaten& user, uint32_t& reserve) {
    uint8_t options = 0, zero = 0;
    if (!readField(in, rec, user.name) || !readField(in, rec, user.vorname) ||
        !readField(in, rec, user.personalnummer) || !readField(in, rec, user.bereich) ||
        !in.u32(reserve) || !in.u8(options) || !in.u8(zero))
        return false;
    user.optionen = options;
    return zero == 0 && in.position() == rec.start + rec.laenge;
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

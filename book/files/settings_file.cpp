#include "book/files/settings_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "book/files/scrambled_text.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/core/replace_file.h"

namespace book {
namespace {

// "Kronlauf.ini" (no header, no length fields):
//
//   part | size         | content
//   1    | 6 texts      | data folder, auto sign-in user, auto sign-in password,
//        |              | backup folder, default area, administrator password;
//        |              | each text and its NUL scrambled with 0x2D
//   2    | 1            | auto sign-in flag, scrambled (0 off, else on)
//   3    | 18           | holiday enabled flags, plain, table order
//   4    | 56           | calculation block image, every byte scrambled
//
// The file is 81 bytes plus the lengths of the six texts.

constexpr int kStringCount = 6;
constexpr size_t kBlockSize = Berechnungsgrundlagen::kSize;
// The most a reader ever looks at: six strings at their limit and the parts
// of fixed size. Bytes behind it are never read.
constexpr size_t kMaxSettingsBytes =
    kStringCount * kSettingsStringMax + 1 + kHolidayCount + kBlockSize;

using Block = std::array<uint8_t, kBlockSize>;
using Holidays = std::array<uint8_t, kHolidayCount>;

// A file image taken apart, as far as it goes.
struct Parts {
    std::array<std::string, kStringCount> texts;
    int textsRead = 0;            // strings read whole, in layout order
    std::optional<uint8_t> flag;  // plain
    std::optional<Holidays> holidays;
    std::optional<Block> block;            // plain
    const std::string* message = nullptr;  // what a damaged file says
    bool whole() const { return block.has_value(); }
};

std::array<std::string*, kStringCount> stringsOf(Zeitbuch& b) {
    return {&b.datenOrdner,  &b.autoBenutzer,   &b.autoPasswort,
            &b.backupOrdner, &b.bereichVorgabe, &b.adminPasswort};
}

std::array<const std::string*, kStringCount> stringsOf(const Zeitbuch& b) {
    return {&b.datenOrdner,  &b.autoBenutzer,   &b.autoPasswort,
            &b.backupOrdner, &b.bereichVorgabe, &b.adminPasswort};
}

// What the writer stores of a string: up to its first NUL, and short enough
// to be read back.
std::string storable(const std::string& s) {
    std::string t = s.substr(0, s.find('\0'));
    if (t.size() > kSettingsStringMax - 1) t.resize(kSettingsStringMax - 1);
    return t;
}

void showError(const std::string& text) { platform::MessageBox(text, "Fehler"); }

const std::string& damagedMessage() {
    static const std::string msg = platform::cp1252(
        "Die Grundeinstellungen sind Fehlerhaft! Überprüfen Sie die eingestellten "
        "Feiertage und Berechnungsgrundlagen");
    return msg;
}

const std::string& blockMessage() {
    static const std::string msg = platform::cp1252(
        "Die Berechnungseinstellung ist fehlerhaft und wird auf die Standarteinstellung "
        "zurückgesetzt! Überprüfen Sie die eingestellten Berechnungsgrundlagen!");
    return msg;
}

// Takes the image apart in layout order. A string without its terminator
// stops the reading: the rest of the file cannot be placed.
Parts parse(const std::string& bytes) {
    Parts p;
    size_t at = 0;
    for (std::string& text : p.texts) {
        const size_t window = std::min<size_t>(kSettingsStringMax, bytes.size() - at);
        const size_t end = bytes.find(static_cast<char>(kSettingsKey), at);
        if (end == std::string::npos || end >= at + window) {
            // A string too long to be one of ours: the file is damaged, and
            // the user hears of it before the defaults are written over it.
            if (window == kSettingsStringMax) p.message = &damagedMessage();
            return p;
        }
        text.assign(bytes, at, end - at);
        for (char& c : text) c = static_cast<char>(c ^ kSettingsKey);
        at = end + 1;
        ++p.textsRead;
    }
    if (at < bytes.size()) p.flag = static_cast<uint8_t>(bytes[at++] ^ kSettingsKey);
    if (bytes.size() - at < kHolidayCount) {
        p.message = &damagedMessage();
        return p;
    }
    p.holidays.emplace();
    for (uint8_t& h : *p.holidays) h = static_cast<uint8_t>(bytes[at++]);
    if (bytes.size() - at < kBlockSize) {
        p.message = &blockMessage();
        return p;
    }
    p.block.emplace();
    for (uint8_t& b : *p.block) b = static_cast<uint8_t>(bytes[at++] ^ kSettingsKey);
    return p;
}

// The file image of whole parts.
std::string image(const Parts& p) {
    std::string out;
    for (const std::string& s : p.texts) appendScrambled(out, s, kSettingsKey);
    out.push_back(static_cast<char>(*p.flag ^ kSettingsKey));
    for (const uint8_t h : *p.holidays) out.push_back(static_cast<char>(h));
    for (const uint8_t b : *p.block) out.push_back(static_cast<char>(b ^ kSettingsKey));
    return out;
}

// clang-format off
// Settings of the block image that change on their own (offset, size); the
// option set at 50..51 changes bit by bit, as its check boxes do.
//   0..9 the five percentages | 10 reserved | 12..23 the night window, which
//   the dialog stores as one | 24 daily budget | 28 weekday range | 29 reserved
//   32..47 the four amounts | 48 decimals | 49 rounding | 52 generations | 53 reserved
constexpr std::pair<size_t, size_t> kBlockFields[] = {
    {0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 12}, {24, 4}, {28, 1}, {29, 3},
    {32, 4}, {36, 4}, {40, 4}, {44, 4}, {48, 1}, {49, 1}, {52, 1}, {53, 3}};
constexpr size_t kOptionsAt = 50;
// clang-format on

// `theirs` with every setting that `mine` changed against `base` taken from
// `mine`; all three whole. The auto sign-in name, password and flag are set
// together and go together.
Parts merge(const Parts& base, const Parts& mine, const Parts& theirs) {
    Parts out = theirs;
    for (int i : {0, 3, 4, 5})
        if (mine.texts[i] != base.texts[i]) out.texts[i] = mine.texts[i];
    if (mine.texts[1] != base.texts[1] || mine.texts[2] != base.texts[2] ||
        (*mine.flag != 0) != (*base.flag != 0)) {
        out.texts[1] = mine.texts[1];
        out.texts[2] = mine.texts[2];
        out.flag = mine.flag;
    }
    for (int i = 0; i < kHolidayCount; ++i)
        if ((*mine.holidays)[i] != (*base.holidays)[i]) (*out.holidays)[i] = (*mine.holidays)[i];
    const Block &b = *base.block, &m = *mine.block;
    Block& o = *out.block;
    for (const auto& [at, size] : kBlockFields)
        if (!std::equal(m.begin() + at, m.begin() + at + size, b.begin() + at))
            std::copy(m.begin() + at, m.begin() + at + size, o.begin() + at);
    for (size_t k = kOptionsAt; k < kOptionsAt + 2; ++k) {
        const uint8_t changed = m[k] ^ b[k];
        o[k] = static_cast<uint8_t>((o[k] & ~changed) | (m[k] & changed));
    }
    return out;
}

// Defaults after a bad or missing file. The block's reserved bytes stay.
void applyDefaults(Zeitbuch& b) {
    Berechnungsgrundlagen d;
    d.reserved10 = b.grundlagen.reserved10;
    d.reserved29 = b.grundlagen.reserved29;
    d.reserved53 = b.grundlagen.reserved53;
    b.grundlagen = d;
    b.adminPasswort = "8542";
    b.bereichVorgabe.clear();
}

// Values the calculation cannot use are brought into range.
void clampBlock(Berechnungsgrundlagen& g) {
    if (g.kommastellen > 2) g.kommastellen = 1;
    if (g.rundung > 60) g.rundung = 60;
}

// Puts what the file holds into the book; false when the file is bad. The
// strings read whole replace the book's, also in a bad file.
bool readSettings(const std::string& bytes, Zeitbuch& b) {
    const Parts p = parse(bytes);
    for (int i = 0; i < p.textsRead; ++i) *stringsOf(b)[i] = p.texts[i];
    if (p.textsRead == kStringCount && p.flag) b.autoAnmeldung = *p.flag != 0;
    if (p.holidays)
        for (int i = 0; i < kHolidayCount; ++i) b.feiertage[i].ein = (*p.holidays)[i] != 0;
    if (p.message) showError(*p.message);
    if (!p.whole()) return false;
    b.grundlagen = Berechnungsgrundlagen::decode(*p.block);
    clampBlock(b.grundlagen);
    return true;
}

// The file's bytes as far as a reader looks (one more, so that a longer file
// differs from one that ends there); none when it cannot be opened or read.
std::optional<std::string> fileBytes(const std::string& path) {
    platform::File f;
    std::string bytes(kMaxSettingsBytes + 1, '\0');
    if (!f.open(path, platform::OpenMode::ReadOnly)) return std::nullopt;
    const int64_t n = f.read(bytes.data(), static_cast<int64_t>(bytes.size()));
    if (n < 0) return std::nullopt;
    bytes.resize(static_cast<size_t>(n));
    return bytes;
}

}  // namespace

std::string settingsFileImage(const Zeitbuch& b) {
    Parts p;
    for (int i = 0; i < kStringCount; ++i) {
        const std::string* s = stringsOf(b)[i];
        if (s == &b.datenOrdner && !b.datenOrdnerNeu.empty()) s = &b.datenOrdnerNeu;
        p.texts[i] = storable(*s);
    }
    p.flag = b.autoAnmeldung ? 1 : 0;
    p.holidays.emplace();
    for (int i = 0; i < kHolidayCount; ++i) (*p.holidays)[i] = b.feiertage[i].ein ? 1 : 0;
    p.block = b.grundlagen.encode();
    return image(p);
}

std::string mergedSettingsImage(const std::string& base, const std::string& mine,
                                const std::string& theirs) {
    const Parts b = parse(base), m = parse(mine), other = parse(theirs);
    // Nothing whole to keep of the other file.
    if (!other.whole() || !b.whole() || !m.whole()) return mine;
    return image(merge(b, m, other));
}

bool Zeitbuch::Einstellungen_laden_speichern(bool lesen) {
    const std::string path = platform::joinPath(programmOrdner, kSettingsFileName);
    if (lesen) {
        const std::optional<std::string> bytes = fileBytes(path);
        const bool good = bytes && readSettings(*bytes, *this);
        if (!good) applyDefaults(*this);
        einstellungsStand = {true, bytes, bytes && !good, settingsFileImage(*this)};
        return good;
    }
    return einstellungenSchreiben(settingsFileImage(*this));
}

bool Zeitbuch::einstellungenSchreiben(const std::string& bytes) {
    const std::string path = platform::joinPath(programmOrdner, kSettingsFileName);
    if (platform::replaceFile(path, bytes)) {
        // What stands in the file now is what this program last had.
        einstellungsStand.datei = bytes;
        einstellungsStand.fehlerhaft = false;
        einstellungsStand.werte = settingsFileImage(*this);
        return true;
    }
    static const std::string msg = platform::cp1252(
        "Die Einstellungen für das Programm konnten nicht gespeichert werden!");
    showError(msg);
    return false;
}

bool Zeitbuch::einstellungenBeimBeenden() {
    EinstellungsStand& stand = einstellungsStand;
    if (!stand.gelesen) return Einstellungen_laden_speichern(false);
    const std::string path = platform::joinPath(programmOrdner, kSettingsFileName);
    const std::optional<std::string> jetzt = fileBytes(path);
    const std::string meine = settingsFileImage(*this);
    const bool geaendert = meine != stand.werte;
    // A file that is there but cannot be read (another user's, say) holds
    // settings this program never saw: only its own changes replace them.
    if (!jetzt)
        return !geaendert && platform::fileExists(path) ? true : einstellungenSchreiben(meine);
    // Another program wrote other settings than this one started from.
    const bool vonAussen = jetzt != stand.datei && *jetzt != stand.werte;
    // A file read damaged gets this program's settings, unless another
    // program has written it since.
    if (!vonAussen && (geaendert || stand.fehlerhaft)) return einstellungenSchreiben(meine);
    if (!geaendert || *jetzt == meine) return true;  // nothing of this program's to add
    static const std::string frage = platform::cp1252(
        "Die Einstellungen wurden inzwischen von einem anderen Programm gespeichert.\n"
        "Sollen die in diesem Programm geänderten Einstellungen dazu gespeichert werden?");
    if (platform::MessageBox(frage, "Achtung", platform::Buttons::YesNo) != platform::Answer::Yes)
        return true;
    return einstellungenSchreiben(mergedSettingsImage(stand.werte, meine, *jetzt));
}

}  // namespace book

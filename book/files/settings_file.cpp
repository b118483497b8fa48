#include "book/files/settings_file.h"

#include <array>

#include "book/database/db_reader.h"
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

// Reads the open file into the book; false when the file is bad.
bool readSettings(platform::File& f, Zeitbuch& b) {
    DbReader in(f);
    // After the first failed string the position is somewhere inside it, so
    // every later string keeps its start value.
    std::string text;
    for (std::string* target : stringsOf(b)) {
        const int64_t start = in.position();
        if (in.text(&text, kSettingsStringMax, kSettingsKey)) {
            *target = text;
            continue;
        }
        // A string too long to be one of ours: the file is damaged, and the
        // user hears of it before the defaults are written over it at exit.
        if (in.position() - start >= kSettingsStringMax) showError(damagedMessage());
        return false;
    }

    uint8_t flag = 0;
    if (in.u8(flag)) b.autoAnmeldung = (flag ^ kSettingsKey) != 0;
    std::array<uint8_t, kHolidayCount> holidays{};
    if (!in.read(holidays.data(), kHolidayCount)) {
        showError(damagedMessage());
        return false;
    }
    for (int i = 0; i < kHolidayCount; ++i) b.feiertage[i].ein = holidays[i] != 0;

    std::array<uint8_t, Berechnungsgrundlagen::kSize> image{};
    if (!in.read(image.data(), Berechnungsgrundlagen::kSize)) {
        static const std::string msg = platform::cp1252(
            "Die Berechnungseinstellung ist fehlerhaft und wird auf die Standarteinstellung "
            "zurückgesetzt! Überprüfen Sie die eingestellten Berechnungsgrundlagen!");
        showError(msg);
        return false;
    }
    for (uint8_t& byte : image) byte ^= kSettingsKey;
    b.grundlagen = Berechnungsgrundlagen::decode(image);
    clampBlock(b.grundlagen);
    return true;
}

}  // namespace

std::string settingsFileImage(const Zeitbuch& b) {
    std::string out;
    for (const std::string* s : stringsOf(b)) {
        if (s == &b.datenOrdner && !b.datenOrdnerNeu.empty()) s = &b.datenOrdnerNeu;
        appendScrambled(out, storable(*s), kSettingsKey);
    }
    out.push_back(static_cast<char>((b.autoAnmeldung ? 1 : 0) ^ kSettingsKey));
    for (const Feiertag& h : b.feiertage) out.push_back(h.ein ? 1 : 0);
    for (const uint8_t byte : b.grundlagen.encode())
        out.push_back(static_cast<char>(byte ^ kSettingsKey));
    return out;
}

bool Zeitbuch::Einstellungen_laden_speichern(bool lesen) {
    const std::string path = platform::joinPath(programmOrdner, kSettingsFileName);
    if (lesen) {
        platform::File f;
        const bool good = f.open(path, platform::OpenMode::ReadOnly) && readSettings(f, *this);
        f.close();
        if (!good) applyDefaults(*this);
        return good;
    }
    if (platform::replaceFile(path, settingsFileImage(*this))) return true;
    static const std::string msg = platform::cp1252(
        "Die Einstellungen für das Programm konnten nicht gespeichert werden!");
    showError(msg);
    return false;
}

}  // namespace book

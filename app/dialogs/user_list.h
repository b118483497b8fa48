// The user list of the administration window: every record of the user
// index "Benutzer.log" with its block offset, read without Qt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// One listed user; texts are Windows-1252.
struct ListenBenutzer {
    uint32_t block = 0;  // offset of the user's block in "Benutzer.dat"
    std::string benutzername, passwort, name, vorname, personalnummer;
    bool operator==(const ListenBenutzer&) const = default;
};

enum class ListeStatus {
    Gelesen,
    KeinZugriff,   // the index does not open
    Gesperrt,      // ... because access is denied
    Formatfehler,  // a record length or text cannot be read
};

// Reads the index of `datenOrdner` up to its end mark. A folder without user files, or an index
// shorter than the end mark holds no user yet. On a format error `liste` keeps the users read
// before it.
ListeStatus benutzerListeLesen(const std::string& datenOrdner, std::vector<ListenBenutzer>& liste);

}  // namespace app

#include "app/dialogs/user_list.h"

#include "book/database/db_journal.h"
#include "book/database/db_reader.h"
#include "book/database/user_index.h"
#include "platform/core/file.h"

namespace app {

ListeStatus benutzerListeLesen(const std::string& datenOrdner, std::vector<ListenBenutzer>& liste) {
    liste.clear();
    book::DbLock lock(datenOrdner);  // not half way through another program's change
    platform::File file;
    if (!lock.held() || !file.open(book::indexPath(datenOrdner), platform::OpenMode::ReadOnly)) {
        // No index yet is a new installation without users, not a fault.
        if (lock.held() && platform::isNotFound(file.lastError()) && book::keineBenutzerdateien(datenOrdner))
            return ListeStatus::Gelesen;
        return platform::isAccessDenied(file.lastError()) ? ListeStatus::Gesperrt
                                                          : ListeStatus::KeinZugriff;
    }
    const int64_t length = file.length();
    if (length >= 0 && length < 4) return ListeStatus::Gelesen;
    if (length < 0 || length > book::kMaxDbFileLength) return ListeStatus::Formatfehler;
    book::DbReader in(file);
    book::IndexSatz rec;
    for (int64_t pos = 0;; pos += rec.laenge) {
        switch (book::readIndexHead(in, pos, rec)) {
            case book::IndexStep::End:
                return ListeStatus::Gelesen;
            case book::IndexStep::Error:
                return ListeStatus::Formatfehler;
            case book::IndexStep::Record:
                break;
        }
        ListenBenutzer u;
        u.block = rec.block;
        for (std::string* text :
             {&u.benutzername, &u.passwort, &u.name, &u.vorname, &u.personalnummer})
            if (!book::readField(in, rec, *text)) return ListeStatus::Formatfehler;
        liste.push_back(std::move(u));
    }
}

}  // namespace app

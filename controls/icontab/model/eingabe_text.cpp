#include "controls/icontab/model/eingabe_text.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace table {
namespace {

// Line breaks count as CR LF in flat positions.
constexpr int kUmbruch = 2;

}  // namespace

int EingabeText::laenge(int zeile) const {
    if (zeile < 0 || zeile >= zeilenZahl()) return 0;
    return static_cast<int>(zeilen_[static_cast<size_t>(zeile)].size());
}

void EingabeText::NeueZeile(std::string_view text, int index) {
    const size_t cr = text.find('\r');
    std::string zeile(text.substr(0, cr));
    if (index < 0 || index >= zeilenZahl()) {
        zeilen_.push_back(std::move(zeile));
    } else {
        zeilen_.insert(zeilen_.begin() + index, std::move(zeile));
    }
}

void EingabeText::SetString(int zeile, std::string_view text) {
    if (zeile != -1) {
        if (zeile >= 0 && zeile < zeilenZahl())
            zeilen_[static_cast<size_t>(zeile)] = std::string(text.substr(0, text.find('\r')));
        return;
    }
    std::vector<std::string> neu;
    size_t start = 0;
    for (;;) {
        const size_t cr = text.find('\r', start);
        neu.emplace_back(text.substr(start, cr == std::string_view::npos ? cr : cr - start));
        if (cr == std::string_view::npos) break;
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    zeilen_ = std::move(neu);
}

void EingabeText::DelZeile(int index) {
    if (index == -1) {
        zeilen_.clear();
    } else if (index >= 0 && index < zeilenZahl()) {
        zeilen_.erase(zeilen_.begin() + index);
    }
}

int EingabeText::GetTextLength() const {
    if (zeilen_.empty()) return 0;
    long long n = 0;
    for (const std::string& z : zeilen_) n += static_cast<long long>(z.size()) + kUmbruch;
    return static_cast<int>(std::min<long long>(n - kUmbruch, 0x7FFFFFFF));
}

bool EingabeText::IfTextStr() const {
    return std::any_of(zeilen_.begin(), zeilen_.end(),
                       [](const std::string& z) { return !z.empty(); });
}

std::string EingabeText::GetTextStr(char mode, const Cursordef& cur, int selStart,
                                    int selLaenge) const {
    std::string alles;
    for (size_t i = 0; i < zeilen_.size(); ++i) {
        if (i > 0) alles += "\r\n";
        alles += zeilen_[i];
    }
    const int n = static_cast<int>(alles.size());
    const int c = std::clamp(SetSelStart(cur.Zeile, cur.Spalte), 0, n);
    switch (mode) {
        case kVorCursor:
            return alles.substr(0, static_cast<size_t>(c));
        case kAbCursor:
            return alles.substr(static_cast<size_t>(c));
        case kAuswahl: {
            const int s = std::clamp(selStart, 0, n);
            const int l = std::clamp(selLaenge, 0, n - s);
            return alles.substr(static_cast<size_t>(s), static_cast<size_t>(l));
        }
        default:
            return alles;
    }
}

Cursordef EingabeText::PosinCurPos(int pos) const {
    if (pos <= 0 || zeilen_.empty()) return {};
    int rest = pos;
    for (int i = 0; i < zeilenZahl(); ++i) {
        const int l = laenge(i);
        if (rest <= l) return {i, rest, 0};
        rest -= l;
        // Between CR and LF, or just behind the break: the next line's start.
        if (rest <= kUmbruch)
            return i + 1 < zeilenZahl() ? Cursordef{i + 1, 0, 0} : Cursordef{i, l, 0};
        rest -= kUmbruch;
    }
    const int letzte = zeilenZahl() - 1;
    return {letzte, laenge(letzte), 0};
}

int EingabeText::SetSelStart(int zeile, int spalte) const {
    long long n = 0;
    for (int i = 0; i < zeile && i < zeilenZahl(); ++i) n += laenge(i) + kUmbruch;
    return static_cast<int>(std::min<long long>(n + spalte, 0x7FFFFFFF));
}

Cursordef EingabeText::begrenzt(Cursordef cur) const {
    if (zeilen_.empty()) return {0, 0, cur.Scroll};
    cur.Zeile = std::clamp(cur.Zeile, 0, zeilenZahl() - 1);
    cur.Spalte = std::clamp(cur.Spalte, 0, laenge(cur.Zeile));
    return cur;
}

void EingabeText::DeleteText(int zeile, int spalte, int count) {
    if (zeilen_.empty() || count == 0) return;
    Cursordef c = zeile == -1 ? PosinCurPos(spalte) : begrenzt({zeile, spalte, 0});
    if (count < 0) {
        // Backwards: the start moves back, a line break counting one.
        int zurueck = count == INT_MIN ? INT_MAX : -count;
        count = zurueck;
        while (zurueck > 0) {
            if (c.Spalte >= zurueck) {
                c.Spalte -= zurueck;
                break;
            }
            zurueck -= c.Spalte;
            if (c.Zeile == 0) {
                count -= zurueck;
                c.Spalte = 0;
                break;
            }
            --zurueck;
            --c.Zeile;
            c.Spalte = laenge(c.Zeile);
        }
    }
    std::string& z = zeilen_[static_cast<size_t>(c.Zeile)];
    // The lines joined onto z go in one step at the end, so deleting over
    // many lines stays linear.
    const size_t naechste = static_cast<size_t>(c.Zeile) + 1;
    size_t verbunden = 0;
    while (count > 0) {
        const int rest = static_cast<int>(z.size()) - c.Spalte;
        if (rest >= count) {
            z.erase(static_cast<size_t>(c.Spalte), static_cast<size_t>(count));
            break;
        }
        z.resize(static_cast<size_t>(c.Spalte));
        count = std::max(0, count - rest - kUmbruch);
        if (naechste + verbunden >= zeilen_.size()) break;
        z += zeilen_[naechste + verbunden];
        ++verbunden;
    }
    const auto ab = zeilen_.begin() + static_cast<std::ptrdiff_t>(naechste);
    zeilen_.erase(ab, ab + static_cast<std::ptrdiff_t>(verbunden));
}

Cursordef EingabeText::InsertText(int zeile, int spalte, std::string_view text) {
    if (zeilen_.empty() || zeile < 0 || zeile >= zeilenZahl()) return {};
    Cursordef c = begrenzt({zeile, spalte, 0});
    if (text.empty()) return c;
    std::string* z = &zeilen_[static_cast<size_t>(c.Zeile)];
    const std::string schwanz = z->substr(static_cast<size_t>(c.Spalte));
    z->resize(static_cast<size_t>(c.Spalte));
    // The lines the text's line breaks open are collected and inserted in
    // one step, so pasting many lines stays linear.
    std::vector<std::string> neue;
    size_t start = 0;
    for (;;) {
        const size_t cr = text.find('\r', start);
        const std::string_view stueck =
            text.substr(start, cr == std::string_view::npos ? cr : cr - start);
        for (const char ch : stueck)
            if (ch != '\n') z->push_back(ch);
        if (cr == std::string_view::npos) break;
        neue.emplace_back();
        z = &neue.back();
        start = cr + 1;
    }
    c.Spalte = static_cast<int>(z->size());
    *z += schwanz;
    const auto hinter = zeilen_.begin() + c.Zeile + 1;
    zeilen_.insert(hinter, std::make_move_iterator(neue.begin()),
                   std::make_move_iterator(neue.end()));
    c.Zeile += static_cast<int>(neue.size());
    return c;
}

Cursordef EingabeText::bewege(Cursordef cur, int move) const {
    cur = begrenzt(cur);
    if (zeilen_.empty()) return cur;
    if (move > 0) {
        while (move > 0) {
            const int rest = laenge(cur.Zeile) - cur.Spalte;
            if (move <= rest) {
                cur.Spalte += move;
                break;
            }
            if (cur.Zeile + 1 >= zeilenZahl()) {
                cur.Spalte = laenge(cur.Zeile);
                break;
            }
            move = std::max(0, move - rest - kUmbruch);
            ++cur.Zeile;
            cur.Spalte = 0;
        }
    } else {
        int zurueck = move == INT_MIN ? INT_MAX : -move;
        while (zurueck > 0) {
            if (zurueck <= cur.Spalte) {
                cur.Spalte -= zurueck;
                break;
            }
            if (cur.Zeile == 0) {
                cur.Spalte = 0;
                break;
            }
            zurueck -= cur.Spalte + 1;
            --cur.Zeile;
            cur.Spalte = laenge(cur.Zeile);
        }
    }
    return cur;
}

// ---- Layout in the box ----

namespace {

int breiteAb(TextMetrik& m, const std::string& z, int von, int bis) {
    von = std::clamp(von, 0, static_cast<int>(z.size()));
    bis = std::clamp(bis, von, static_cast<int>(z.size()));
    return m.breite(
        std::string_view(z).substr(static_cast<size_t>(von), static_cast<size_t>(bis - von)),
        false);
}

}  // namespace

EingabeBild eingabeLayout(const EingabeText& text, const Cursordef& cur0, int scroll, int boxBreite,
                          int zeilenHoehe, TextMetrik& metrik) {
    EingabeBild b;
    const Cursordef cur = text.begrenzt(cur0);
    b.zeilenHoehe = std::max(1, metrik.hoehe());
    int breitest = 0;
    for (const std::string& z : text.zeilen())
        breitest = std::max(breitest, metrik.breite(z, false));
    const std::string leer;
    const std::string& zeile =
        text.zeilenZahl() > 0 ? text.zeilen()[static_cast<size_t>(cur.Zeile)] : leer;
    if (breitest <= boxBreite - 8) {
        scroll = 0;
    } else {
        scroll = std::max(0, std::min(scroll, cur.Spalte - 2));
        while (scroll < cur.Spalte &&
               breiteAb(metrik, zeile, scroll, cur.Spalte + 2) > boxBreite - (scroll > 0 ? 16 : 14))
            ++scroll;
    }
    b.scroll = scroll;
    b.rand = scroll > 0 ? 8 : 4;
    const int platz = boxBreite - (scroll > 0 ? 16 : 14);
    for (const std::string& z : text.zeilen()) {
        const int n = static_cast<int>(z.size()) - scroll;
        int k = 0;
        while (k < n && breiteAb(metrik, z, scroll, scroll + k + 1) <= platz) ++k;
        if (k == 0 && n > 0) k = 1;
        b.sichtbar.push_back(k);
    }
    const int zeilen = std::max(1, text.zeilenZahl());
    b.textTop = std::max(0, zeilenHoehe / 2 - zeilen * b.zeilenHoehe / 2);
    b.caretX = b.rand + breiteAb(metrik, zeile, scroll, cur.Spalte);
    b.caretY = b.textTop + cur.Zeile * b.zeilenHoehe;
    return b;
}

Cursordef cursorBei(const EingabeText& text, const EingabeBild& bild, int x, int y,
                    TextMetrik& metrik) {
    if (text.zeilenZahl() == 0) return {};
    const int h = std::max(1, bild.zeilenHoehe);
    const int zeile =
        std::clamp(y < bild.textTop ? 0 : (y - bild.textTop) / h, 0, text.zeilenZahl() - 1);
    const std::string& z = text.zeilen()[static_cast<size_t>(zeile)];
    int links = bild.rand;
    int spalte = std::min(bild.scroll, static_cast<int>(z.size()));
    for (; spalte < static_cast<int>(z.size()); ++spalte) {
        const int w =
            metrik.breite(std::string_view(z).substr(static_cast<size_t>(spalte), 1), false);
        if (links + w / 2 > x) break;
        links += w;
    }
    return {zeile, spalte, bild.scroll};
}

}  // namespace table

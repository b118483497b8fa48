// The table's in-cell editor with untrusted text: pasted clipboard bytes and
// typed characters at any flat position, deletions of any length in both
// directions. The lines never hold a CR, the flat length always matches the
// joined text, and deleting what was just inserted gives the text back.
#include <climits>

#include "controls/table/model/eingabe_text.h"
#include "fuzz/fuzz_support.h"

namespace {

// Input: a command byte, then for pastes a length byte and that many text
// bytes, for deletions a position byte and a signed count byte.
struct Leser {
    const uint8_t* p;
    size_t rest;
    int byte() {
        if (rest == 0) return -1;
        --rest;
        return *p++;
    }
};

void pruefe(const table::EingabeText& t) {
    const std::string alles = t.GetTextStr(table::EingabeText::kAlles, {}, 0, 0);
    FUZZ_ASSERT(t.GetTextLength() == static_cast<int>(alles.size()));
    for (const std::string& z : t.zeilen()) FUZZ_ASSERT(z.find('\r') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    table::EingabeText t;
    t.SetString(-1, "");
    Leser in{data, size};
    for (int befehl = in.byte(); befehl >= 0; befehl = in.byte()) {
        const int laenge = t.GetTextLength();
        const int b = in.byte();
        if (b < 0) break;
        const table::Cursordef c = t.PosinCurPos(b * (laenge + 2) / 255);
        switch (befehl % 3) {
            case 0: {  // paste
                const int n = in.byte();
                if (n < 0) break;
                const size_t k = std::min<size_t>(static_cast<size_t>(n), in.rest);
                const std::string text(reinterpret_cast<const char*>(in.p), k);
                in.p += k;
                in.rest -= k;
                const std::string vorher = t.GetTextStr(table::EingabeText::kAlles, {}, 0, 0);
                const int von = t.SetSelStart(c.Zeile, c.Spalte);
                const table::Cursordef hinter = t.InsertText(c.Zeile, c.Spalte, text);
                pruefe(t);
                const int bis = t.SetSelStart(hinter.Zeile, hinter.Spalte);
                FUZZ_ASSERT(von <= bis && bis <= t.GetTextLength());
                t.DeleteText(-1, von, bis - von);
                FUZZ_ASSERT(t.GetTextStr(table::EingabeText::kAlles, {}, 0, 0) == vorher);
                t.InsertText(c.Zeile, c.Spalte, text);
                break;
            }
            case 1: {  // delete, backwards for a negative count
                const int n = in.byte();
                if (n < 0) break;
                const int count = n >= 0xF0 ? (n == 0xFF ? INT_MIN : INT_MAX) : n - 0x78;
                t.DeleteText(befehl & 4 ? -1 : c.Zeile, befehl & 4 ? b : c.Spalte, count);
                break;
            }
            default: {  // cursor moves and reads
                const int move = static_cast<int8_t>(befehl) * 37;
                const table::Cursordef m = t.bewege(c, move);
                FUZZ_ASSERT(m == t.begrenzt(m));
                const std::string sel = t.GetTextStr(table::EingabeText::kAuswahl, m, b, move);
                FUZZ_ASSERT(sel.size() <= static_cast<size_t>(t.GetTextLength()));
                break;
            }
        }
        pruefe(t);
    }
    return 0;
}

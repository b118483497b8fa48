// The table's in-cell editor with untrusted input, at two levels. Its text:
// pasted clipboard bytes and typed characters at any flat position,
// deletions of any length in both directions; the lines never hold a CR,
// the flat length always matches the joined text, and deleting what was
// just inserted gives the text back. The control around it: keys, typed
// bytes, clicks, editing commands, the editor opened, rows deleted and
// inserted, the selection moved and the rows' kinds and the fixed rows
// changed by the host while it is open; every commit lands in the record
// whose cell the editor loaded, a closed editor stores nothing (a later
// commit or focus loss leaves every cell alone), and the HTML copy of any
// cell bytes holds no raw control byte.
#include <climits>
#include <memory>

#include "controls/icontab/model/eingabe_text.h"
#include "controls/icontab/model/icontab_bedienung.h"
#include "controls/table_shared/model/tab_export.h"
#include "fuzz/fuzz_support.h"

namespace {

// Input: a command byte, then for pastes a length byte and that many text
// bytes, for deletions a position byte and a signed count byte; command
// bytes from 0xC0 act on the control with one argument byte.
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

void textBefehl(table::EingabeText& t, int befehl, int b, Leser& in) {
    const int laenge = t.GetTextLength();
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

// The control without a window: its clipboard is a string. Column 2 of
// every row names its record and is never editable.
class Steuer : public table::IconTabBedienung {
public:
    std::string clipboard = "x\r\ny";
    std::string geladen;  // the record whose cell the editor holds
    int naechsteId = 0;
    bool dropDown = false;

    Steuer() {
        setGroesse(200, 150, 200, 150);
        SetTabelle(5, 3, -1, 0);
        for (int r = 0; r < 5; ++r) {
            SetCell(r, 0, "a");
            SetCell(r, 1, "b\r\nc");
            SetCell(r, 2, id());
        }
        FEndUpdate(false);
        SetEditCol(0x3, -1);
        auto namen = std::make_shared<const std::vector<std::string>>(
            std::vector<std::string>{"Anna", "Bert"});
        OnGetFilter = [this, namen](IconTabBedienung&, table::Filter_Struct& f, int row, int) {
            geladen = datenZelle(row, 2);
            if (dropDown) {
                f.Art = 1;
                f.Liste = namen;
            }
        };
        OnCellChange = [this](IconTabModell&, int row, int col, std::string&, int, bool&) {
            FUZZ_ASSERT(eingabeOffen());
            FUZZ_ASSERT(col == 0 || col == 1);
            FUZZ_ASSERT(datenZelle(row, 2) == geladen);
        };
    }
    std::string id() { return "#" + std::to_string(naechsteId++); }
    std::string datenZelle(int row, int col) const {
        const table::Tabdefinition* t = aktuelleTabelle();
        FUZZ_ASSERT(t != nullptr && row >= t->FixedRows && row < t->rowCount());
        return t->zelle(row, col);
    }
    int zeilenZahl() const { return aktuelleTabelle()->rowCount(); }
    std::vector<std::string> alleZellen() const { return aktuelleTabelle()->Zellen; }

protected:
    // A cut and two pastes double the text; unbounded, a few hundred commands
    // would measure the machine's memory instead of the editor.
    bool textAufClipboard(const std::string& t) override {
        clipboard = t.substr(0, 256);
        return true;
    }
    bool clipboardLesen(std::string& t) override {
        t = clipboard;
        return true;
    }
};

void steuerBefehl(Steuer& s, int befehl, int b) {
    const int zeilen = s.zeilenZahl();
    switch (befehl % 11) {
        case 0:
            if (zeilen > 1) s.DeleteRow(b % zeilen);
            break;
        case 1: {
            const std::vector<std::string> zellen{"neu", "", s.id()};
            s.InsertRow(b % (zeilen + 2) - 1, &zellen, 1, -1, -1);
            break;
        }
        case 2:
            s.Set_Eingabefocus(b & 3, (b >> 2) % (zeilen + 1) - 1, -1);
            break;
        case 3:
            s.EvKeyChar(static_cast<char>(b));
            break;
        case 4:
            s.EvKeyDown(static_cast<table::Taste>(b % (static_cast<int>(table::Taste::Shift) + 1)));
            break;
        case 5:
            s.EvPopUp(static_cast<table::IconTabBedienung::Befehl>(b % 5));
            break;
        case 6:
            s.SetRow(b % (zeilen + 1) - 1);
            break;
        case 7: {
            const int x = (b & 15) * 13;
            const int y = (b >> 4) * 10;
            s.EvButton(befehl & 16 ? table::Knopf::Rechts : table::Knopf::Links, true, x, y);
            s.EvButton(befehl & 16 ? table::Knopf::Rechts : table::Knopf::Links, false, x, y);
            break;
        }
        case 8:
            s.dropDown = b & 1;
            if ((b & 2) && zeilen > 1) s.SetCell(1 + b % (zeilen - 1), (b >> 2) & 1, "z");
            // The host changes a row's kind or the fixed rows under the editor.
            if (b & 8) {
                s.SetRowArt(static_cast<unsigned>(b >> 4) % static_cast<unsigned>(zeilen),
                            static_cast<table::RowArt>((b >> 6) & 3));
            } else if (b & 0x10) {
                s.SetFixedRows(1 + ((b >> 5) & 1), -1);
            }
            break;
        case 10: {
            // A commit or a focus loss: with the editor closed, nothing changes.
            const bool zu = !s.eingabeOffen();
            const std::vector<std::string> vorher = s.alleZellen();
            if (b & 1) {
                s.TextChange();
            } else {
                s.EvKillFocus();
            }
            if (zu) FUZZ_ASSERT(s.alleZellen() == vorher);
            break;
        }
        default: {
            // Any bytes in a cell: the HTML copy escapes every control byte.
            const std::string bytes(1, static_cast<char>(b));
            s.SetCell(0, 0, bytes + "x" + bytes);
            const std::string html = table::htmlKopie({s.aktuelleTabelle()}, nullptr, true);
            for (const char ch : html) {
                const auto u = static_cast<unsigned char>(ch);
                FUZZ_ASSERT(u >= 0x20 || ch == '\t' || ch == '\r' || ch == '\n');
            }
            break;
        }
    }
    if (const table::IconTabBedienung::Eingabe* e = s.eingabe()) pruefe(e->text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    table::EingabeText t;
    t.SetString(-1, "");
    Steuer s;
    Leser in{data, size};
    for (int befehl = in.byte(); befehl >= 0; befehl = in.byte()) {
        const int b = in.byte();
        if (b < 0) break;
        if (befehl >= 0xC0) {
            steuerBefehl(s, befehl, b);
        } else {
            textBefehl(t, befehl, b, in);
        }
    }
    return 0;
}

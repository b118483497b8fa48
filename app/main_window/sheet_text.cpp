// The work text ("Art der Arbeit") of the open line: typing in insert and
// overwrite mode, the 150-character limit, and the selection with its
// clipboard (OEM text: the text's own bytes).
#include <QScrollBar>
#include <algorithm>

#include "app/main_window/main_window.h"
#include "app/main_window/sheet_keys.h"
#include "app/main_window/window_parts.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/canvas.h"
#include "platform/ui/input/clipboard.h"

namespace app {

namespace {
constexpr int kMax = book::kWorkTextMax;
}

void TForm1::FormKeyPress(char ch) {
    // The character of the digit that stored the line belongs to that key
    // alone, whatever mode the store left behind.
    const bool verschluckt = std::exchange(synthEnter, false);
    if (!textModus || ch == '\r' || buch_.jahresbilanz || !buch_.bearbeitungErlaubt) return;
    if (verschluckt) return;
    book::Zeitbuch& b = buch_;
    if (ch == '\b') {
        if (textCursor > 0 && selLaenge == 0) {
            if (einfuegeModus) {
                std::string& t = b.textPuffer;
                const int end = std::min(b.textLaenge, kMax);
                for (int i = textCursor - 1; i + 1 < end; ++i) t[i] = t[i + 1];
                if (end > 0) t[end - 1] = ' ';
                b.textLaenge = std::max(0, b.textLaenge - 1);
            } else {
                b.textPuffer[textCursor - 1] = ' ';
            }
            --textCursor;
            FormPaint(false);
            blinkZaehler = 0;
            return;
        }
        if (selLaenge > 0) Loeschen2Click();
        return;
    }
    // Other control characters (Escape, Ctrl+letters) are no text.
    if (static_cast<unsigned char>(ch) < 32 || ch == 0x7F) return;
    zeichenTippen(ch);
}

// Steps of one typed character; the paste feeds its bytes through here too.
void TForm1::zeichenTippen(char ch) {
    book::Zeitbuch& b = buch_;
    if (textCursor >= kMax) {
        beep();
        Hinweis_zeigen(2);
        return;
    }
    if (selLaenge > 0) Loeschen2Click();
    std::string& t = b.textPuffer;
    if (!einfuegeModus || textCursor >= b.textLaenge) {
        t[textCursor] = ch;
        zeichenZeichnen(textCursor);
    } else {
        // Shift right from the cursor; a pair of blanks absorbs the shift.
        char wandert = t[textCursor];
        bool bisZumEnde = true;
        for (int j = textCursor + 1; j < b.textLaenge; ++j) {
            if (wandert == ' ' && t[j] == ' ' && j < kMax - 1) {
                bisZumEnde = false;
                break;
            }
            std::swap(wandert, t[j]);
        }
        if (bisZumEnde) {
            if (b.textLaenge < kMax) {
                t[b.textLaenge++] = wandert;
            } else if (wandert != ' ') {
                if (statusCode == 0) beep();
                Hinweis_zeigen(4);
            }
        }
        t[textCursor] = ch;
        FormPaint(false);
    }
    ++textCursor;
    if (textCursor > b.textLaenge) {
        b.textLaenge = textCursor;
        if (textCursor % 30 == 0) FormPaint(false);
    }
    if (offeneZeilenReihe == -1) eineReiheTiefer();
    if (selLaenge > 0) {
        selLaenge = 0;
        FormPaint(false);
    }
    blinkZaehler = 0;
}

// One character of the open line's text: the paint draws just its cell.
void TForm1::zeichenZeichnen(int) { FormPaint(false); }

void TForm1::Loeschen2Click() {
    if (selLaenge <= 0) return;
    book::Zeitbuch& b = buch_;
    std::string& t = b.textPuffer;
    const int start = std::clamp(selStart, 0, kMax);
    const int laenge = std::min(selLaenge, kMax - start);
    std::copy(t.begin() + start + laenge, t.begin() + kMax, t.begin() + start);
    std::fill(t.begin() + kMax - laenge, t.begin() + kMax, ' ');
    b.textLaenge = std::max(0, b.textLaenge - laenge);
    selLaenge = 0;
    textCursor = std::min(start, b.textLaenge);
    FormPaint(false);
}

void TForm1::Kopieren1Click() {
    if (selLaenge <= 0) return;
    const int start = std::clamp(selStart, 0, kMax);
    const std::string bytes = buch_.textPuffer.substr(start, std::min(selLaenge, kMax - start));
    ui::ClipboardContent content;
    content.setOemText(bytes);
    // Other programs read the plain text; these bytes are Windows-1252.
    content.setText(bytes);
    ui::putOnClipboard(content);
}

void TForm1::Ausschneiden1Click() {
    Kopieren1Click();
    Loeschen2Click();
}

void TForm1::Einfgen1Click() {
    if (selLaenge > 0) Loeschen2Click();
    const int grenze = kMax - buch_.textLaenge;
    // Our own copies carry the text's bytes; plain text of other programs
    // arrives in the program's code page, so umlauts stay umlauts.
    std::optional<std::string> bytes = ui::clipboardFormat(ui::kOemTextFormat);
    if (bytes) {
        bytes->resize(std::min(bytes->size(), bytes->find('\0')));
    } else {
        bytes = ui::clipboardText();
    }
    if (!bytes) return;
    const size_t n = std::min(bytes->size(), static_cast<size_t>(std::max(grenze, 0)));
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>((*bytes)[i]);
        zeichenTippen(c >= 1 && c <= 31 ? ' ' : static_cast<char>(c));
    }
}

}  // namespace app

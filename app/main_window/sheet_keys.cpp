// Keys on the month sheet: caret moves in the time part, digits, storing a
// line with Enter, rows of the work text, insert/overwrite and Tab.
#include "app/main_window/sheet_keys.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "platform/core/codepage.h"

namespace app {

int virtualKey(int qtKey, bool keypad) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? vk::kNumpad0 : vk::k0) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes
    switch (qtKey) {
        case Qt::Key_Backspace: return vk::kBack;
        case Qt::Key_Tab: return vk::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return vk::kReturn;
        case Qt::Key_Shift: return vk::kShift;
        case Qt::Key_Space: return vk::kSpace;
        case Qt::Key_PageUp: return vk::kPrior;
        case Qt::Key_PageDown: return vk::kNext;
        case Qt::Key_Left: return vk::kLeft;
        case Qt::Key_Up: return vk::kUp;
        case Qt::Key_Right: return vk::kRight;
        case Qt::Key_Down: return vk::kDown;
        case Qt::Key_Insert: return vk::kInsert;
        case Qt::Key_Delete: return vk::kDelete;
        case Qt::Key_Minus: return keypad ? vk::kSubtract : vk::kMinus;
        default: return 0;
    }
}

bool TForm1::andereSteuerungAktiv() const {
    const QWidget* f = QApplication::focusWidget();
    return f != nullptr && f != canvas_ && f->window() == this;
}

// Caret moves in the time part skip the fixed characters: the point and
// month, the weekday, and the colons and the blank between the times.
void TForm1::zeitSpalteVor(int column) {
    if (column == 7) {
        // The day is complete: a day equal to today's brings the proposal.
        const int day = book::Zeitbuch::Zweistellig_lesen(&buch_.eingabe[book::col::kDay]);
        const char a = buch_.eingabe[5], b = buch_.eingabe[6];
        if (a >= '0' && a <= '9' && b >= '0' && b <= '9' && day == heuteTag) {
            buch_.tag = day;
            buch_.Zeile_auswaehlen(buch_.aktuelleZeile, true, true);
        }
    }
    switch (column) {
        case 7: column = 22; break;
        case 24: column = 25; break;
        case 27: column = 28; break;
        case 30: column = 31; break;
        default: break;
    }
    zeitCaretSpalte = column;
}

void TForm1::zeitSpalteZurueck(int column) {
    switch (column) {
        case 21: column = 6; break;
        case 24: column = 23; break;
        case 27: column = 26; break;
        case 30: column = 29; break;
        default: break;
    }
    zeitCaretSpalte = column;
}

void TForm1::FormKeyDown(int k) {
    book::Zeitbuch& b = buch_;
    hoverZeile = -1;
    if (k == vk::kShift) shiftGedrueckt = true;
    if (k == vk::kInsert) {
        einfuegeModus = !einfuegeModus;
        StatusBar1->setPanelText(1, platform::cp1252(einfuegeModus ? "Einfügen" : "Überschreiben"));
        return;
    }
    if (k == vk::kDelete) {
        if (textModus) Loeschen2Click();
        return;
    }
    if (andereSteuerungAktiv()) return;

    if (b.jahresbilanz || !b.bearbeitungErlaubt) {
        QScrollBar* s = ScrollBar1;
        const int p = s->value();
        if (k == vk::kPrior) s->setValue(p - s->pageStep() < 1 ? 0 : p - s->pageStep());
        if (k == vk::kNext) s->setValue(std::min(p + s->pageStep(), s->maximum()));
        if (k == vk::kUp && p >= 1) s->setValue(p - 1);
        if (k == vk::kDown && p < s->maximum()) s->setValue(p + 1);
        return;
    }

    const int last = static_cast<int>(b.zeilen.size()) - 1;
    int ziel = b.aktuelleZeile;
    if (k == vk::kDown) {
        if (textModus && b.textLaenge > 30 && b.textLaenge / 30 * 30 > textCursor)
            textCursor = std::min(textCursor + 30, b.textLaenge);
        else if (b.aktuelleZeile != last)
            ziel = b.aktuelleZeile + 1;
    } else if (k == vk::kUp) {
        if (textModus && textCursor >= 30)
            textCursor -= textCursor == 150 ? 31 : 30;
        else if (b.aktuelleZeile > 0)
            ziel = b.aktuelleZeile - 1;
    }
    b.Zeile_auswaehlen(ziel, false, false);

    k = mainDigit(k);
    if (k == vk::kReturn) {
        if (textModus)
            textEnter();
        else
            zeitSpeichern();
        return;
    }
    const bool digit = k >= vk::k0 && k <= vk::k9;
    if ((k == vk::kBack || k == vk::kLeft) && !textModus) {
        if (zeitCaretSpalte > 5) {
            zeitSpalteZurueck(zeitCaretSpalte - 1);
            if (k == vk::kBack) {
                b.eingabe[zeitCaretSpalte] = '_';
                FormPaint(false);
            }
        }
    } else if (k == vk::kLeft && textModus) {
        if (textCursor > 0) --textCursor;
    } else if (k == vk::kRight) {
        if (textModus) {
            if (textCursor < b.textLaenge) ++textCursor;
        } else if (zeitCaretSpalte < 32) {
            zeitSpalteVor(zeitCaretSpalte + 1);
        }
    } else if (k == vk::kSpace && !textModus) {
        if (zeitCaretSpalte < 7)
            zeitCaretSpalte = 22;
        else if (zeitCaretSpalte < 27)
            zeitCaretSpalte = 28;
    } else if (digit && !textModus) {
        b.eingabe[zeitCaretSpalte] = static_cast<char>(k);
        if (zeitCaretSpalte == 32) {
            synthEnter = true;
            zeitSpeichern();
            return;
        }
        zeitSpalteVor(zeitCaretSpalte + 1);
    } else if (k == vk::kMinus && !textModus) {
        Zeilenart_setzen('-');
    }
    blinkZaehler = 0;
}

void TForm1::FormKeyUp(int key) {
    if (key == vk::kShift) shiftGedrueckt = false;
}

bool TForm1::ApplicationEvents1ShortCut(int key) {
    if (key != vk::kTab || buch_.jahresbilanz || andereSteuerungAktiv())
        return false;
    textModus = !textModus;
    FormPaint(false);
    blinkZaehler = 0;
    return true;
}

// Enter in the time part: the entry line is checked and stored.
void TForm1::zeitSpeichern() {
    book::Zeitbuch& b = buch_;
    const int fehler = b.Zeile_pruefen(true);
    if (fehler >= 0) {
        // An overlap names the blank before the from-time: the caret goes to
        // the from-time itself, where the next digit belongs.
        zeitCaretSpalte = fehler == book::col::kFromHour - 1 ? book::col::kFromHour : fehler;
        blinkZaehler = 0;
        return;
    }
    setCommand("Speichern", true);
    const int sel = b.aktuelleZeile;
    const int last = static_cast<int>(b.zeilen.size()) - 1;
    const bool ersetzt = sel != last;
    if (ersetzt) {
        b.zeilen.erase(b.zeilen.begin() + sel);
    } else if (sel == static_cast<int>(b.texte.size()) - 1) {
        b.texte.insert(b.texte.begin() + sel, b.textPuffer.substr(0, b.textLaenge));
    }
    const std::string zeile(b.Zeile_auswerten(true, false), book::kLineLength);
    b.Zeile_einfuegen(sel, zeile, true);
    // An inserted line is a stored line now (its node counts it), so the
    // recomputation that follows numbers the page in order.
    b.einfuegeIndex = -1;
    if (ersetzt || fehler == -2) b.Zuschlaege_neu_berechnen();
    if (commandChecked("ADA") && zeile[0] != '-') {
        textModus = true;
        b.Zeile_auswaehlen(sel, true, false);
    } else {
        b.Zeile_auswaehlen(sel + 1, false, false);
    }
    blinkZaehler = 0;
}

// Enter in the work text: a row break with Shift, else the text is stored.
void TForm1::textEnter() {
    book::Zeitbuch& b = buch_;
    if (shiftGedrueckt) {
        textCursor = std::min(textCursor + 30 - textCursor % 30, book::kWorkTextMax);
        if (b.textLaenge < textCursor) b.textLaenge = textCursor;  // the gap is blank already
        if (b.textLaenge / 30 + offeneZeilenReihe >= geo_.visibleRows) eineReiheTiefer();
        FormPaint(false);
        blinkZaehler = 0;
        return;
    }
    setCommand("Speichern", true);
    const std::string text = b.textPuffer.substr(0, b.textLaenge);
    const int sel = b.aktuelleZeile;
    if (sel < static_cast<int>(b.texte.size()) - 1) b.texte.erase(b.texte.begin() + sel);
    if (sel + 1 < static_cast<int>(b.zeilen.size())) {
        b.texte.insert(b.texte.begin() + std::min<size_t>(sel, b.texte.size()), text);
        Scrollbereich_anpassen();
        b.Zeile_auswaehlen(sel + 1, false, false);
        if (commandChecked("ADA")) textModus = false;
    } else {
        // The entry line keeps its text until its times are stored.
        textModus = false;
        FormPaint(false);
    }
    blinkZaehler = 0;
}

// Scrolls one row down, making room below the last position when needed.
void TForm1::eineReiheTiefer() {
    QScrollBar* s = ScrollBar1;
    if (s->value() >= s->maximum()) s->setMaximum(s->maximum() + 1);
    s->setEnabled(true);
    s->setValue(s->value() + 1);
}

}  // namespace app

// Line commands of the sheet: the kinds with their banner texts, inserting a
// line above the selected one, deleting the selected line, and today's date
// with the to-time proposals of F2 and F3.
#include <algorithm>
#include <cstring>

#include "app/main_window/main_window.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"

namespace app {

namespace {

constexpr int kBannerLength = 29;

// The banner text of a kind, or null for blank and '!'.
const char* bannerOf(char kind) {
    switch (kind) {
        case '-': return "!!!!  Freizeitausgleich  !!!!";
        case '+': return "!!!!  \xDC" "berstundenkonto   !!!!";
        case 'V': return "!!! Arbeitszeitverlagerung!!!";
        case 'M': return "!!!!      Mehrarbeit     !!!!";
        default: return nullptr;
    }
}

char nextKind(char kind) {
    static constexpr char kCycle[] = {' ', '!', '-', '+', 'V', 'M'};
    const char* at = std::find(std::begin(kCycle), std::end(kCycle), kind);
    if (at == std::end(kCycle)) return ' ';
    return at + 1 == std::end(kCycle) ? ' ' : *(at + 1);
}

void writeTwoDigits(std::string& line, int column, int value) {
    line[column] = static_cast<char>('0' + value / 10 % 10);
    line[column + 1] = static_cast<char>('0' + value % 10);
}

}  // namespace

void TForm1::Zeilenart_setzen(char k) {
    book::Zeitbuch& b = buch_;
    if (b.aktuelleZeile != artZeile_ || !commandEnabled("Speichern")) {
        artText_.clear();
        artZeile_ = b.aktuelleZeile;
    }
    if (!b.bearbeitungErlaubt || b.jahresbilanz) return;
    const char alt = b.eingabe.empty() ? ' ' : b.eingabe[0];
    if (k == 0) k = nextKind(alt);
    const char* banner = bannerOf(k);
    const bool altBanner = bannerOf(alt) != nullptr;
    const int sel = b.aktuelleZeile;
    const int last = static_cast<int>(b.zeilen.size()) - 1;

    if (sel < last && b.einfuegeIndex == -1) {
        std::string& text = b.texte[sel];
        if (altBanner && banner == nullptr) text = artText_;
        b.zeilen[sel][0] = k;
        if (banner != nullptr) {
            if (!altBanner) artText_ = text;
            text = banner;
        }
        b.Zuschlaege_neu_berechnen();
        setCommand("Speichern", true);
        return;
    }
    std::string& t = b.textPuffer;
    if (altBanner && banner == nullptr) {
        std::fill_n(t.begin(), std::min(b.textLaenge, book::kWorkTextMax), ' ');
        b.textLaenge = 0;
    }
    b.eingabe[0] = k;
    if (banner != nullptr) {
        std::fill_n(t.begin(), std::min(b.textLaenge, book::kWorkTextMax), ' ');
        std::memcpy(t.data(), banner, kBannerLength);
        b.textLaenge = kBannerLength;
        textCursor = std::min(textCursor, b.textLaenge);
    }
    FormPaint(false);
}

// A kind action sets its kind, or blank when the open line has it already.
static char toggled(const book::Zeitbuch& b, char kind) {
    return !b.eingabe.empty() && b.eingabe[0] == kind ? ' ' : kind;
}

void TForm1::Extra_KronlaufExecute() {
    Zeilenart_setzen(toggled(buch_, '!'));
    checkCommand("Freizeitausgleich", false);
}
void TForm1::FreizeitausgleichExecute() { Zeilenart_setzen(toggled(buch_, '-')); }
void TForm1::UeStundenKontoExecute() { Zeilenart_setzen(toggled(buch_, '+')); }
void TForm1::AZVerlagernExecute() { Zeilenart_setzen(toggled(buch_, 'V')); }
void TForm1::MehrarbeitExecute() { Zeilenart_setzen(toggled(buch_, 'M')); }

void TForm1::EintragEinfuegenExecute() {
    book::Zeitbuch& b = buch_;
    const int sel = b.aktuelleZeile;
    if (sel >= static_cast<int>(b.zeilen.size()) - 1 || !b.bearbeitungErlaubt || b.jahresbilanz ||
        b.einfuegeIndex != -1)
        return;
    b.einfuegeIndex = sel;
    // The text first, so the scroll range counts the new line's row.
    b.texte.insert(b.texte.begin() + std::min<size_t>(sel, b.texte.size()), std::string());
    b.Zeile_einfuegen(sel, b.zeilen.back(), true);
    b.Zeile_auswaehlen(sel, true, false);
}

void TForm1::LoeschenExecute() {
    book::Zeitbuch& b = buch_;
    const int sel = b.aktuelleZeile;
    if (sel < static_cast<int>(b.zeilen.size()) - 1 && b.bearbeitungErlaubt && !b.jahresbilanz &&
        b.einfuegeIndex == -1) {
        auto node = std::find_if(b.zeitIndex.begin(), b.zeitIndex.end(),
                                 [sel](const book::ZeitIndex& n) { return n.zeile == sel; });
        if (node == b.zeitIndex.end()) {
            platform::MessageBox(platform::cp1252("Fehler im Programm (Eintrag Löschen)"), "Warnung",
                                 platform::Buttons::Ok);
            return;
        }
        b.zeilen.erase(b.zeilen.begin() + sel);
        if (sel < static_cast<int>(b.texte.size())) b.texte.erase(b.texte.begin() + sel);
        setCommand("Speichern", true);
        b.zeitIndex.erase(node);
        // Every line below moves up by one.
        for (book::ZeitIndex& n : b.zeitIndex)
            if (n.zeile > sel) --n.zeile;
        Scrollbereich_anpassen();
        b.Zuschlaege_neu_berechnen();
    }
    if (!b.angemeldet && b.zeilen.size() == 1) MonthCalendar1->Setze_JahresBlock(false);
}

void TForm1::jahrAblehnen() {
    beep();
    Hinweis_zeigen(1);
}

void TForm1::Heute1Click() {
    book::Zeitbuch& b = buch_;
    if (heuteJahr != b.jahr) return jahrAblehnen();
    b.Monat_einstellen(heuteMonat);
    b.tag = heuteTag;
    b.vorschlagGemacht = false;
    b.eingabe[book::col::kToHour] = '_';
    b.Zeile_auswaehlen(b.aktuelleZeile, true, true);
    zeitCaretSpalte = book::col::kFromHour;
    blinkZaehler = 0;
}

void TForm1::Heutebisjetzt1Click() {
    const platform::TimeOfDay jetzt = platform::decodeTime(platform::now());
    Heute1Click();
    book::Zeitbuch& b = buch_;
    if (heuteJahr != b.jahr || b.tag != heuteTag || b.monat != heuteMonat) return;
    // Now rounded down to ten minutes, plus half an hour.
    int stunde = jetzt.hour;
    int minute = jetzt.minute / 10 * 10 + 30;
    if (minute >= 60) {
        minute -= 60;
        if (++stunde == 24) stunde = 0;
    }
    writeTwoDigits(b.eingabe, book::col::kToHour, stunde);
    b.eingabe[book::col::kToMinute] = static_cast<char>('0' + minute / 10);
    b.eingabe[book::col::kToMinute + 1] = '0';
    FormPaint(false);
}

}  // namespace app

// The mouse on the month sheet: hints over the summary panel, the line and
// row under the pointer with its cursor shape, clicks that open a line or
// place the caret, drag selection in the work text, and the context menus.
#include <QAction>
#include <QScrollBar>
#include <algorithm>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

namespace {

// A clicked column of the time part on an editable position.
int snapColumn(int column) {
    if (column > 32) return 32;
    if (column == 30) return 31;
    if (column == 27) return 26;
    if (column == 24) return 25;
    if (column >= 16 && column <= 21) return 22;
    if (column >= 7 && column <= 15) return 6;
    if (column < 5) return 5;
    return column;
}

// The editable position before `column` (the day lies before the from-time).
int previousColumn(int column) {
    if (column == 22) return 6;
    if (column == 25 || column == 28 || column == 31) return column - 2;
    return column - 1;
}

enum PopupId { kCut = 1, kCopy, kPaste, kDelete };

}  // namespace

void TForm1::setSheetCursor(ui::Cursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    canvas_->setCursorShape(c);
}

void TForm1::FormMouseMove(int x, int y) {
    book::Zeitbuch& b = buch_;
    hoverZeile = -1;
    hoverReihe = 0;
    const int calTop = MonthCalendar1->y();
    if (y > calTop && y < calTop + 178 && x < 535) {
        summenHover = true;
        if (statusCode == 0) {
            const std::string hint = platform::cp1252(
                x >= 417
                    ? "Auflistung der Überstunden nach Kalenderwoche und Zeitraum (Doppelklicken für Handeinstellung)"
                    : "Auflistung der Überstunden nach Zeit und Zuschlägen (Doppelklicken für Handeinstellung)");
            StatusBar1->setPanelText(0, hint);
            canvas_->setToolTip(ui::toQString(hint));
        }
        setSheetCursor(ui::Cursor::Default);
        return;
    }
    if (statusCode == 0) {
        StatusBar1->setPanelText(0, "");
        canvas_->setToolTip(QString());
    }
    summenHover = false;

    if (y > geo_.top && y < geo_.top + geo_.height && b.bearbeitungErlaubt && !b.jahresbilanz) {
        const int zielReihe = (y - geo_.top) / kRowPitch;
        int reihe = 0;
        for (int zeile = std::max(ersteZeile, 0); zeile < static_cast<int>(b.texte.size()); ++zeile) {
            int reihen;
            if (zeile == b.aktuelleZeile) {
                reihen = std::min(b.textLaenge, 149) / 30 + 1;
            } else {
                const int len = static_cast<int>(b.texte[zeile].size());
                reihen = len / 30 + 1 - (len > 0 && len % 30 == 0 ? 1 : 0);
            }
            if (zielReihe < reihe + reihen) {
                hoverZeile = zeile;
                hoverReihe = zielReihe - reihe;
                break;
            }
            reihe += reihen;
        }
        // The entry line's empty slot counts only while it is the open line.
        if (hoverZeile == static_cast<int>(b.zeilen.size()) - 1 && hoverZeile != b.aktuelleZeile)
            hoverZeile = -1;
    }

    if (hoverZeile < 0 || (hoverReihe != 0 && x < 466)) {
        setSheetCursor(ui::Cursor::Default);
        return;
    }
    if (x < 12) {
        setSheetCursor(ui::Cursor::HandPoint);
    } else if ((x > 40 && x < 60) || (x > 168 && x < 262)) {
        setSheetCursor(ui::Cursor::IBeam);
    } else if (x >= 469) {
        setSheetCursor(ui::Cursor::IBeam);
        if (!ziehAuswahl || hoverZeile != b.aktuelleZeile) return;
        if (ziehVerzoegerung > 0) {
            --ziehVerzoegerung;
            return;
        }
        x = std::min(x, geo_.rightEdge);
        const int pos = std::clamp((x - kTextX) / kCharWidth + kTextPerRow * hoverReihe, 0, b.textLaenge);
        const int alt = selLaenge;
        if (selAnker <= pos) {
            selStart = selAnker;
            selLaenge = pos - selAnker;
        } else {
            selStart = pos;
            selLaenge = selAnker - pos;
        }
        if (selLaenge != alt) FormPaint(false);
    } else {
        setSheetCursor(ui::Cursor::Default);
    }
}

void TForm1::FormMouseDown(ui::MouseButton button, int x, int y) {
    book::Zeitbuch& b = buch_;
    if (y < geo_.top || y > geo_.top + geo_.height) {
        textModus = false;
        return;
    }
    canvas_->setFocus();
    if (b.jahresbilanz || !b.bearbeitungErlaubt || hoverZeile == -1) return;

    b.Zeile_auswaehlen(hoverZeile, false, false);
    if (x < 466) {
        selLaenge = 0;
        if (x < 12 && cursor_ == ui::Cursor::HandPoint) {
            if (button == ui::MouseButton::Left) Zeilenart_setzen(0);
        } else {
            // Leaving the text and placing the caret are one click.
            if (textModus) {
                textModus = false;
                FormPaint(false);
            }
            if (cursor_ == ui::Cursor::IBeam) {
                int spalte = snapColumn(x / kCharWidth);
                if (b.eingabe[spalte] == '_') {
                    // Back over the empty positions to the first of their run.
                    for (int p = snapColumn(previousColumn(spalte)); p >= 5 && b.eingabe[p] == '_';
                         p = snapColumn(previousColumn(p))) {
                        spalte = p;
                        if (p == 5) break;
                    }
                }
                zeitCaretSpalte = spalte;
            }
        }
        blinkZaehler = 0;
    } else {
        textCursor = std::clamp((x - kTextX) / kCharWidth + kTextPerRow * hoverReihe, 0,
                                std::min(b.textLaenge, book::kWorkTextMax));
        const bool warText = textModus;
        textModus = true;
        if (!warText) FormPaint(false);
        if (button == ui::MouseButton::Left) {
            ziehAuswahl = true;
            ziehVerzoegerung = 5;
            if (selLaenge > 0) {
                selLaenge = 0;
                FormPaint(false);
            }
            selAnker = selStart = textCursor;
        }
        blinkZaehler = 0;
    }
    if (button == ui::MouseButton::Right) sheetPopup(x, y);
}

void TForm1::FormMouseUp() { ziehAuswahl = false; }

void TForm1::FormDblClick() {
    if (!summenHover || !buch_.bearbeitungErlaubt) return;
    const Command& hand = commands_["ZHand"];
    if (hand.handler) hand.handler();
}

// `PopupMenu1` in the time part, `PopupMenu2` in the text part, a little
// below and right of the pointer.
void TForm1::sheetPopup(int x, int y) {
    const QPoint at = canvas_->mapToGlobal(QPoint(x + 4, y + 6));
    ui::PopupMenu p;
    if (!textModus) {
        // Items of the window's own commands, in their present state.
        static const std::pair<const char*, const char*> kItems[] = {
            {"Loeschen", "Löschen der Zeile"},
            {"EintragEinfuegen", "Eintrag Einfügen"},
            {nullptr, nullptr},
            {"HeutebisJetzt1", "Heute bis Jetzt!"},
            {"HeutebisRund1", "Heute bis Rund ( Jetzt + 20 min )!"},
            {nullptr, nullptr},
            {"Freizeitausgleich", "Freizeitausgleich"},
            {"Extra_Kronlauf", "Extra Überstunden"},
        };
        int id = 0;
        for (const auto& [name, caption] : kItems) {
            ++id;
            if (name == nullptr) {
                p.addSeparator();
                continue;
            }
            const Command& c = commands_[name];
            ui::MenuItem& item = p.add(platform::cp1252(caption), id);
            item.enabled = c.wanted && static_cast<bool>(c.handler);
            item.checked = c.checked;
        }
        const int chosen = p.popup(at, this);
        if (chosen >= 1 && chosen <= static_cast<int>(std::size(kItems)) && kItems[chosen - 1].first)
            commands_[kItems[chosen - 1].first].views.front()->trigger();
        return;
    }
    const bool auswahl = selLaenge > 0;
    p.add("Ausschneiden", kCut).enabled = auswahl;
    p.add("Kopieren", kCopy).enabled = auswahl;
    p.add(platform::cp1252("Einfügen"), kPaste).enabled = ui::clipboardHasOemText();
    p.add(platform::cp1252("Löschen"), kDelete).enabled = auswahl;
    switch (p.popup(at, this)) {
        case kCut: Ausschneiden1Click(); break;
        case kCopy: Kopieren1Click(); break;
        case kPaste: Einfgen1Click(); break;
        case kDelete: Loeschen2Click(); break;
        default: break;
    }
}

}  // namespace app

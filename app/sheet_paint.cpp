// Painting of the month sheet, the summary panel and the caret, the captions
// that come from the settings, scrolling and resizing, and the enabling of
// the controls for the month and the year-balance view.
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <algorithm>
#include <cstdio>

#include "app/main_window.h"
#include "app/sheet_bitmaps.h"
#include "app/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/bitmap.h"

namespace app {

namespace {

ui::Font formFont(ui::TColor colour) {
    ui::Font f;
    f.name = "Courier New";
    f.bold = true;
    f.setHeight(-13);
    f.color = colour;
    return f;
}

// Draws `text` character by character on the 8-pixel grid; with a solid
// brush the cells are filled first, so a piece of a row is one even band.
void drawFixed(ui::Canvas& c, int x, int y, std::string_view text) {
    if (text.empty()) return;
    const ui::Brush brush = c.brush;
    if (brush.style == ui::BrushStyle::Solid)
        c.FillRect({x, y, x + kCharWidth * static_cast<int>(text.size()), y + kRowPitch - 2});
    c.brush.style = ui::BrushStyle::Clear;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') c.TextOut(x + kCharWidth * static_cast<int>(i), y, text.substr(i, 1));
    }
    c.brush = brush;
}

std::string_view piece(const std::string& s, size_t from, size_t to) {
    if (from >= s.size()) return {};
    return std::string_view(s).substr(from, std::min(s.size(), to + 1) - from);
}

// Colour of a column of the entry line (the time part of the open line).
ui::TColor entryColour(int column) {
    if ((column >= 5 && column <= 6) || (column >= 22 && column <= 32)) return ui::clRed;
    if (column >= 7 && column <= 9) return ui::clNavy;
    return ui::clGray;
}

// Font colour of a stored line by its kind character.
ui::TColor kindColour(char kind) {
    switch (kind) {
        case '=': return ui::clBlue;
        case '>': return ui::clRed;
        case 'M': return ui::clBlue;
        case 'V': return ui::clNavy;
        case '!': return ui::clGreen;
        case '+': return ui::clMaroon;
        case '-': return ui::clPurple;
        default: return ui::clBlack;
    }
}

}  // namespace

bool TForm1::canvasReady() const { return canvas_ != nullptr && canvas_->canvas().isAttached(); }

// ---- FormPaint ---------------------------------------------------------------

void TForm1::FormPaint(bool full) {
    if (!canvasReady()) return;
    ui::Canvas& c = canvas();
    if (full) Rahmen_zeichnen();
    if (!buch_.blattAngezeigt) {
        c.font.color = ui::clRed;
        canvas_->Invalidate();
        return;
    }
    c.font = formFont(ui::clRed);
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.copyMode = ui::CopyMode::SrcCopy;
    offeneZeilenReihe = -1;

    const int n = static_cast<int>(buch_.texte.size());
    int line = std::max(0, ersteZeile);
    int row = 0;
    bool cut = false;
    while (line < n && row < geo_.visibleRows) {
        int rows = 0;
        paintLine(line, row, rows, cut, full);
        if (cut) break;
        row += rows;
        ++line;
    }

    if (!cut && !(ziehAuswahl && !full)) {
        c.pen = {ui::clGray, 1, ui::PenStyle::Solid};
        c.brush = {ui::clWhite, ui::BrushStyle::Solid};
        for (; row < geo_.visibleRows; ++row) {
            const int y = geo_.rowTop(row);
            c.Rectangle(1, y, geo_.rightEdge, y + 19);
            paintSeparators(y, kRowPitch);
        }
    }
    c.font.color = ui::clRed;
    canvas_->Invalidate();
}

void TForm1::paintLine(int line, int row, int& rowsUsed, bool& cut, bool full) {
    ui::Canvas& c = canvas();
    const int y = geo_.rowTop(row);
    const int right = geo_.rightEdge;
    const bool onlyText = ziehAuswahl && !full;
    const bool open = line == buch_.aktuelleZeile && !buch_.jahresbilanz &&
                      line < static_cast<int>(buch_.zeilen.size()) && buch_.bearbeitungErlaubt;
    const std::string& text = buch_.texte[line];
    const int rows = open ? openLineRows(buch_.textLaenge) : storedLineRows(static_cast<int>(text.size()));
    cut = row + rows > geo_.visibleRows;
    const int shown = cut ? geo_.visibleRows - row : rows;
    rowsUsed = rows;

    auto box = [&](ui::TColor colour, int bottom) {
        c.pen = {colour, 1, ui::PenStyle::Solid};
        c.brush = {ui::clWhite, ui::BrushStyle::Solid};
        c.FillRect({2, y, right - 1, y + shown * kRowPitch});
        c.MoveTo(1, bottom);
        c.LineTo(1, y - 1);
        c.LineTo(right - 1, y - 1);
        c.LineTo(right - 1, bottom);
        if (!cut) c.LineTo(1, bottom);
    };
    auto glyph = [&](char kind) {
        const int g = glyphOffset(kind);
        c.copyMode = ui::CopyMode::SrcCopy;
        c.CopyRect({3, y + 1, 11, y + 15}, schaltflaechen_.canvas(), {g, 0, g + 8, 14});
    };

    if (open) {
        if (!cut) offeneZeilenReihe = row;
        if (!onlyText) box(ui::clRed, cut ? y + shown * kRowPitch : y + rows * kRowPitch - 2);
        c.font.color = ui::clRed;
        const std::string& t = buch_.textPuffer;
        const int selFrom = selLaenge > 0 ? selStart : -1;
        const int selTo = selLaenge > 0 ? selStart + selLaenge : -1;
        for (int k = 0; k < shown; ++k) {
            const int from = k * kTextPerRow;
            const int to = from + kTextPerRow;  // exclusive
            // Up to three pieces: before, inside and after the selection.
            const int a = std::clamp(selFrom, from, to);
            const int b = std::clamp(selTo, from, to);
            const int ty = y + kRowPitch * k;
            auto draw = [&](int p, int q, ui::TColor brush, ui::TColor font) {
                if (q <= p) return;
                c.brush = {brush, ui::BrushStyle::Solid};
                c.font.color = font;
                drawFixed(c, kTextX + kCharWidth * (p - from), ty, piece(t, p, q - 1));
            };
            if (selFrom < 0) {
                draw(from, to, ui::clWhite, ui::clRed);
            } else {
                draw(from, a, ui::clWhite, ui::clRed);
                draw(a, b, ui::clBlack, ui::clWhite);
                draw(b, to, ui::clWhite, ui::clRed);
            }
        }
        c.brush = {ui::clWhite, ui::BrushStyle::Solid};
        if (!onlyText) {
            const std::string& e = buch_.eingabe;
            c.font.color = ui::clRed;
            drawFixed(c, 43, y, piece(e, 5, 6));
            drawFixed(c, 179, y, piece(e, 22, 32));
            c.font.color = ui::clNavy;
            drawFixed(c, 59, y, piece(e, 7, 9));
            c.font.color = ui::clGray;
            drawFixed(c, 91, y, piece(e, 11, 20));
            drawFixed(c, 267, y, piece(e, 33, 58));
            drawFixed(c, 11, y, piece(e, 1, 3));
            const char kind = e.empty() ? ' ' : e[0];
            checkCommand("Extra_Kronlauf", kind == '!');
            checkCommand("Freizeitausgleich", kind == '-');
            checkCommand("UeStundenKonto", kind == '+');
            checkCommand("AZVerlagern", kind == 'V');
            checkCommand("Mehrarbeit", kind == 'M');
            glyph(kind);
        }
        c.font.color = ui::clRed;
    } else {
        box(ui::clGray, cut ? y + shown * kRowPitch : y + rows * kRowPitch - 1);
        // The entry line's slot shows as an empty box when it is not open.
        if (line != static_cast<int>(buch_.zeilen.size()) - 1 &&
            line < static_cast<int>(buch_.zeilen.size())) {
            const std::string& s = buch_.zeilen[line];
            const char kind = s.empty() ? ' ' : s[0];
            c.font.color = kindColour(kind);
            c.brush = {ui::clWhite, ui::BrushStyle::Solid};
            drawFixed(c, 11, y, piece(s, 1, s.size()));
            for (int k = 0; k < shown; ++k)
                drawFixed(c, kTextX, y + kRowPitch * k,
                          piece(text, k * kTextPerRow, k * kTextPerRow + kTextPerRow - 1));
            if (s.size() > 7 && s[7] == '.' && kind != '=' && kind != '>') glyph(kind);
        }
    }
    if (!onlyText) paintSeparators(y, shown * kRowPitch);
}

void TForm1::paintSeparators(int y, int height) {
    ui::Canvas& c = canvas();
    c.pen = {ui::clGray, 1, ui::PenStyle::Solid};
    for (int i = 0; i <= 9; ++i) {
        const int x = sectionRight(i) - 1;
        c.MoveTo(x, y);
        c.LineTo(x, y + height);
    }
}

// ---- Summary panel --------------------------------------------------------

void TForm1::Rahmen_zeichnen() {
    if (!canvasReady()) return;
    ui::Canvas& c = canvas();
    const int T = MonthCalendar1->y();
    c.copyMode = ui::CopyMode::SrcCopy;
    c.pen = {ui::clGray, 1, ui::PenStyle::Solid};
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.Rectangle(1, T, kSummaryRight, T + 179);

    c.pen.color = ui::clBtnFace;
    c.MoveTo(417, T + 1);
    c.LineTo(417, T + 178);
    c.pen.color = ui::clGray;
    for (int x : {415, 418}) {
        c.MoveTo(x, T + 1);
        c.LineTo(x, T + 178);
    }
    c.MoveTo(kSummaryRight, T);
    c.LineTo(kSummaryRight, T + 180);
    c.MoveTo(1, T + 179);
    c.LineTo(kSummaryRight, T + 179);

    c.pen.color = ui::clBlack;
    c.font = formFont(ui::clRed);
    for (size_t i = 0; i < buch_.bereitschaftsZeilen.size() && i < 11; ++i)
        drawFixed(c, 424, T + 16 * static_cast<int>(i) + 2, buch_.bereitschaftsZeilen[i]);

    for (int i = 0; i < 11; ++i) {
        ui::TColor colour = ui::clBlue;
        if (i >= 6 && buch_.handModus && !buch_.jahresbilanz) colour = ui::clGreen;
        if (((i == 8 || i == 10) && !buch_.pkw) || (i > 5 && !buch_.bereitschaft) ||
            (i > 8 && buch_.ganzeWochen && !buch_.handModus) ||
            ((i == 4 || i == 5) && !buch_.feiertageEin))
            colour = ui::clGray;
        c.font.color = colour;
        drawFixed(c, 4, T + 16 * i + 1, buch_.summenZeilen[i]);
    }

    c.pen.color = ui::clBlack;
    c.MoveTo(421, T + 33);
    c.LineTo(537, T + 33);
    c.MoveTo(444, T + 20);
    c.LineTo(444, T + 178);
    c.font.color = ui::clRed;
    canvas_->Invalidate();
}

void TForm1::Einstellungen_anzeigen() {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%3u%%", static_cast<unsigned>(buch_.grundlagen.prozentNormal));
    HeaderControl1->setCaption(6, buf);
    std::snprintf(buf, sizeof buf, "%3u%%", static_cast<unsigned>(buch_.grundlagen.prozentExtra));
    HeaderControl1->setCaption(7, buf);
    buch_.einstellungenEintragen();
    Rahmen_zeichnen();
    if (buch_.zeilen.size() > 1) buch_.Zuschlaege_neu_berechnen();
}

// ---- Scrolling and size -----------------------------------------------------

void TForm1::Scrollbereich_anpassen() {
    if (!buch_.blattAngezeigt) return;
    scrollUmfang = scrollExtent(buch_.texte, geo_.visibleRows, scrollUmfang);
    if (geo_.visibleRows < scrollUmfang) {
        ScrollBar1->setMaximum(scrollUmfang - geo_.visibleRows);
        ScrollBar1->setPageStep(std::max(1, geo_.visibleRows - 1));
        ScrollBar1->setEnabled(true);
    } else {
        ScrollBar1->blockSignals(true);
        ScrollBar1->setValue(0);
        ScrollBar1->setMaximum(0);
        ScrollBar1->blockSignals(false);
        ersteZeile = 0;
        ScrollBar1->setEnabled(false);
    }
}

void TForm1::ScrollBar1Change() {
    ersteZeile = ScrollBar1->value();
    if (buch_.blattAngezeigt) FormPaint(false);
}

void TForm1::FormResize() {
    if (MonthCalendar1 == nullptr) return;
    const int oldHeight = ScrollBar1->height();
    layoutChildren();
    if (ScrollBar1->height() != oldHeight) Scrollbereich_anpassen();
    canvas().brush = {ui::clBtnFace, ui::BrushStyle::Solid};
    canvas().FillRect({0, 0, canvas_->width(), canvas_->height()});
    FormPaint(true);
}

// ---- Controls for the month and the year-balance view ------------------------

void TForm1::Bedienelemente_setzen(bool normal) {
    const bool last = buch_.aktuelleZeile == static_cast<int>(buch_.zeilen.size()) - 1;
    for (const char* name : {"ToolButton7", "ToolButton9", "ComboBox1", "ToolButton22"})
        setCommand(name, normal && buch_.angemeldet);
    const bool hand = normal && (buch_.bearbeitungErlaubt || signInDialogShowing());
    setCommand("ZAutomatik", hand);
    setCommand("ZHand", hand);
    setCommand("Loeschen", normal && buch_.bearbeitungErlaubt && !last);
    setCommand("EintragEinfuegen", normal && !last);
    setCommand("SpeichernAls", normal);
    for (const char* name : {"Extra_Kronlauf", "Freizeitausgleich", "UeStundenKonto", "AZVerlagern",
                             "Mehrarbeit"})
        setCommand(name, normal && buch_.bearbeitungErlaubt);
    for (const char* name : {"HeutebisJetzt1", "HeutebisRund1", "Feiertage1", "GanzeWochen1",
                             "Tageweise", "Runden"})
        setCommand(name, normal);
    checkCommand("Bilanz", !normal);
    buch_.jahresbilanz = !normal;
    FormPaint(false);
}

// ---- Caret ------------------------------------------------------------------

CaretPos TForm1::timeCaretPos() const {
    return {zeitCaretSpalte * kCharWidth + kLineX, geo_.rowTop(offeneZeilenReihe)};
}

CaretPos TForm1::textCaretPos(int cursor) const {
    // After the 150th character the caret stands at the end of the fifth row.
    const int col = cursor >= 150 ? kTextPerRow : cursor % kTextPerRow;
    const int row = cursor >= 150 ? 4 : cursor / kTextPerRow;
    return {kTextX + col * kCharWidth, geo_.rowTop(offeneZeilenReihe + row)};
}

void TForm1::drawCaret(int x, int y) {
    ui::Canvas& c = canvas();
    c.copyMode = ui::CopyMode::DstInvert;
    c.Draw(x, y, strich_);
    c.copyMode = ui::CopyMode::SrcCopy;
}

bool TForm1::caretDrawnAt(int x, int y, bool inSelection) {
    return canvas().Pixel(x, y) == (inSelection ? ui::clWhite : ui::clBlack);
}

void TForm1::caretSchritt() {
    if (!canvasReady() || offeneZeilenReihe < 0) return;
    ui::Canvas& c = canvas();
    const CaretPos zeit = timeCaretPos();
    const CaretPos text = textCaretPos(textCursor);
    auto selected = [&](int k) { return selLaenge > 0 && k >= selStart && k < selStart + selLaenge; };

    if (zeitCaretSpalte != altZeitSpalte_ && !textModus) {
        // Repair the old place: a blank over the bar, then its character.
        const int old = altZeitSpalte_;
        c.font = formFont(entryColour(old));
        c.brush = {ui::clWhite, ui::BrushStyle::Solid};
        drawFixed(c, old * kCharWidth + 2, zeit.y, " ");
        if (old >= 0 && old < static_cast<int>(buch_.eingabe.size()))
            drawFixed(c, old * kCharWidth + kLineX, zeit.y, std::string_view(buch_.eingabe).substr(old, 1));
        c.font.color = ui::clRed;
    }
    const CaretPos altText{kTextX + (altTextCursor_ >= 150 ? kTextPerRow : altTextCursor_ % kTextPerRow) * kCharWidth,
                           altTextReihe_};
    if (textCursor != altTextCursor_ || text.y != altTextReihe_ || ersteZeile != altErsteZeile_) {
        if (ersteZeile == altErsteZeile_ && altTextReihe_ >= 0 &&
            caretDrawnAt(altText.x, altText.y, selected(altTextCursor_)))
            drawCaret(altText.x, altText.y);
    }
    altZeitSpalte_ = zeitCaretSpalte;
    altTextCursor_ = textCursor;
    altTextReihe_ = text.y;
    altErsteZeile_ = ersteZeile;

    QWidget* focus = QApplication::focusWidget();
    const bool elsewhere = focus != nullptr && focus != canvas_ && focus->window() == this;
    if (elsewhere && !caretDrawnAt(zeit.x, zeit.y, false) &&
        !caretDrawnAt(text.x, text.y, selected(textCursor)))
        return;
    if (textModus)
        drawCaret(text.x, text.y);
    else
        drawCaret(zeit.x, zeit.y);
    canvas_->Invalidate();
}

}  // namespace app

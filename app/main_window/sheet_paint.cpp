// Painting of the month sheet, the summary panel and the caret, the captions
// that come from the settings, scrolling and resizing, and the enabling of
// the controls for the month and the year-balance view.
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "app/dialogs/administration_dialog.h"
#include "app/main_window/main_window.h"
#include "app/main_window/sheet_bitmaps.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/drawing/bitmap.h"

namespace app {

namespace {

constexpr int kGlyphRand = 4;  // room around a glyph's cell for its overhang

ui::Font formFont(ui::TColor colour) {
    ui::Font f;
    f.name = "Courier New";
    f.bold = true;
    f.setHeight(-13);
    f.color = colour;
    return f;
}

// A character of the sheet font in a colour, drawn once on a transparent
// image: the font draws images without antialiasing, so copying the image
// gives the very pixels the text would, without laying the text out again.
// Kept is only the part with ink (on whole logical pixels), so a copy blends
// no more pixels than the character has.
struct Glyphe {
    QImage bild;  // null: the character leaves no ink
    QPoint ab;    // logical offset of the image in the drawing cell
};

const Glyphe& glyphBild(char ch, ui::TColor colour, qreal dpr) {
    static std::map<std::tuple<char, ui::TColor, qreal>, Glyphe> bilder;
    const auto key = std::make_tuple(ch, colour, dpr);
    auto it = bilder.find(key);
    if (it == bilder.end()) {
        const QSize size(3 * kCharWidth, kRowPitch + 2 * kGlyphRand);
        QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::transparent);
        ui::Canvas c(&img);
        c.font = formFont(colour);
        c.brush.style = ui::BrushStyle::Clear;
        c.TextOut(kCharWidth, kGlyphRand, std::string_view(&ch, 1));
        c.detach();
        Glyphe g{img, QPoint(0, 0)};
        const int step = static_cast<int>(dpr);
        if (step >= 1 && step == dpr) {
            int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
            for (int y = 0; y < img.height(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
                for (int x = 0; x < img.width(); ++x) {
                    if (line[x] == 0) continue;
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
            }
            if (x1 < 0) {
                g.bild = QImage();
            } else {
                x0 -= x0 % step, y0 -= y0 % step;
                x1 += step - 1 - x1 % step, y1 += step - 1 - y1 % step;
                g.bild = img.copy(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
                g.bild.setDevicePixelRatio(dpr);
                g.ab = QPoint(x0 / step, y0 / step);
            }
        }
        it = bilder.emplace(key, std::move(g)).first;
    }
    return it->second;
}

void drawGlyph(ui::Canvas& c, int x, int y, char ch) {
    const qreal dpr = c.image() != nullptr ? c.image()->devicePixelRatio() : 1.0;
    const Glyphe& g = glyphBild(ch, c.font.color, dpr);
    if (!g.bild.isNull()) c.painter().drawImage(QPoint(x - kCharWidth, y - kGlyphRand) + g.ab, g.bild);
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
        if (text[i] != ' ') drawGlyph(c, x + kCharWidth * static_cast<int>(i), y, text[i]);
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

// Columns of the entry line that the open line shows (the kind is a glyph).
bool entryColumnShown(int column) {
    return (column >= 1 && column <= 3) || (column >= 5 && column <= 9) ||
           (column >= 11 && column <= 20) || (column >= 22 && column <= 58);
}


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
    // A whole repaint (a cleared or recomputed page) gives the keyboard back
    // to the sheet, also from the year field that asked for it.
    if (full && canvas_ != nullptr) canvas_->setFocus();
    if (!canvasReady()) return;
    if (malSammeln_ > 0) {
        // Inside one user action: drawn once at its end, from the state it
        // leaves; the open line's row is known at once.
        malFaellig_ = true;
        malVoll_ = malVoll_ || full;
        if (buch_.blattAngezeigt) offeneZeilenReihe = offeneReihe();
        return;
    }
    ui::Canvas& c = canvas();
    if (full) Rahmen_zeichnen();
    if (!buch_.blattAngezeigt) {
        c.font.color = ui::clRed;
        return;
    }
    c.font = formFont(ui::clRed);
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.copyMode = ui::CopyMode::SrcCopy;
    offeneZeilenReihe = -1;

    // Only what differs from the last paint is drawn again: a line whose
    // place and content are unchanged keeps its pixels.
    std::vector<GezeigteZeile> jetzt;
    const int n = static_cast<int>(buch_.texte.size());
    int line = std::max(0, ersteZeile);
    int row = 0;
    bool cut = false;
    while (line < n && row < geo_.visibleRows) {
        GezeigteZeile z = gezeigteZeile(line, row);
        cut = z.cut;
        if (z.open && !cut) offeneZeilenReihe = row;
        jetzt.push_back(std::move(z));
        if (cut) break;
        row += jetzt.back().rows;
        ++line;
    }
    if (!cut && !(ziehAuswahl && !full)) {
        for (; row < geo_.visibleRows; ++row) {
            GezeigteZeile leer;
            leer.row = row;
            leer.rows = leer.shown = 1;
            jetzt.push_back(std::move(leer));
        }
    }

    blattVerschieben(jetzt);
    // What each row showed before, by the row its line starts in.
    std::vector<const GezeigteZeile*> vorher(static_cast<size_t>(std::max(0, geo_.visibleRows)), nullptr);
    for (const GezeigteZeile& a : gezeigt_)
        if (a.row >= 0 && a.row < geo_.visibleRows) vorher[static_cast<size_t>(a.row)] = &a;
    auto unveraendert = [&](const GezeigteZeile& z) {
        const GezeigteZeile* a = z.row >= 0 && z.row < geo_.visibleRows ? vorher[static_cast<size_t>(z.row)] : nullptr;
        return a != nullptr && *a == z;
    };
    for (size_t i = 0; i < jetzt.size(); ++i) {
        const GezeigteZeile& z = jetzt[i];
        if (unveraendert(z)) continue;
        const int y = geo_.rowTop(z.row);
        const GezeigteZeile* alt = vorher[static_cast<size_t>(z.row)];
        if (alt != nullptr && zeichenweise(*alt, z)) {
            // A typed key: only the characters that changed.
            for (size_t k = 1; k < z.zeile.size(); ++k)
                if (z.zeile[k] != alt->zeile[k] && entryColumnShown(static_cast<int>(k)))
                    zelleZeichnen(kLineX + kCharWidth * static_cast<int>(k), y, z.zeile[k],
                                  entryColour(static_cast<int>(k)));
            for (size_t k = 0; k < z.text.size(); ++k)
                if (z.text[k] != alt->text[k])
                    zelleZeichnen(kTextX + kCharWidth * static_cast<int>(k % kTextPerRow),
                                  y + kRowPitch * static_cast<int>(k / kTextPerRow), z.text[k],
                                  ui::clRed);
            continue;
        }
        if (z.line < 0) {
            c.pen = {ui::clGray, 1, ui::PenStyle::Solid};
            c.brush = {ui::clWhite, ui::BrushStyle::Solid};
            c.Rectangle(1, y, geo_.rightEdge, y + 19);
            paintSeparators(y, kRowPitch);
            blattGezeichnet(y, y + 19);
            continue;
        }
        int rows = 0;
        bool lineCut = false;
        paintLine(z.line, z.row, rows, lineCut, full);
        blattGezeichnet(y - 1, y + z.shown * kRowPitch);
        // The fill took the top edge of the line below: it is drawn again
        // unless that line is drawn anyway.
        if (!lineCut && i + 1 < jetzt.size() && jetzt[i + 1].line >= 0 && unveraendert(jetzt[i + 1])) {
            const int ny = geo_.rowTop(jetzt[i + 1].row) - 1;
            c.pen = {jetzt[i + 1].open ? ui::clRed : ui::clGray, 1, ui::PenStyle::Solid};
            c.MoveTo(1, ny);
            c.LineTo(geo_.rightEdge, ny);
        }
    }
    gezeigt_ = std::move(jetzt);
    if (offeneZeilenReihe >= 0) kindAktionenSetzen();
    c.font.color = ui::clRed;
}

// The same line at the same place, open, without a selection and with the
// same kind: its characters can be drawn one by one.
bool TForm1::zeichenweise(const GezeigteZeile& a, const GezeigteZeile& b) {
    return a.line == b.line && a.row == b.row && a.rows == b.rows && a.shown == b.shown &&
           a.cut == b.cut && a.open && b.open && a.selFrom < 0 && b.selFrom < 0 &&
           a.zeile.size() == b.zeile.size() && a.text.size() == b.text.size() && !a.zeile.empty() &&
           a.zeile[0] == b.zeile[0] && !ziehAuswahl;
}

void TForm1::zelleZeichnen(int x, int y, char ch, ui::TColor colour) {
    ui::Canvas& c = canvas();
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.FillRect({x, y, x + kCharWidth, y + kRowPitch - 2});
    if (ch != ' ') {
        c.brush.style = ui::BrushStyle::Clear;
        c.font.color = colour;
        drawGlyph(c, x, y, ch);
        c.brush.style = ui::BrushStyle::Solid;
    }
    blattGezeichnet(QRect(x, y, kCharWidth, kRowPitch - 2));
}

TForm1::GezeigteZeile TForm1::gezeigteZeile(int line, int row) const {
    GezeigteZeile z;
    z.line = line;
    z.row = row;
    z.open = line == buch_.aktuelleZeile && !buch_.jahresbilanz &&
             line < static_cast<int>(buch_.zeilen.size()) && buch_.bearbeitungErlaubt;
    const std::string& text = buch_.texte[line];
    z.rows =
        z.open ? openLineRows(buch_.textLaenge) : storedLineRows(static_cast<int>(text.size()));
    z.cut = row + z.rows > geo_.visibleRows;
    z.shown = z.cut ? geo_.visibleRows - row : z.rows;
    if (z.open) {
        z.zeile = buch_.eingabe;
        z.text = buch_.textPuffer.substr(
            0, std::min<size_t>(buch_.textPuffer.size(), z.shown * kTextPerRow));
        if (selLaenge > 0) {
            z.selFrom = selStart;
            z.selTo = selStart + selLaenge;
        }
    } else if (line != static_cast<int>(buch_.zeilen.size()) - 1 &&
               line < static_cast<int>(buch_.zeilen.size())) {
        z.zeile = buch_.zeilen[line];
        z.text = text;
        z.glyph = true;
    }
    return z;
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
                draw(a, b, ui::clBlack, ui::clRed);
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
            glyph(e.empty() ? ' ' : e[0]);
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
            for (int k = 0; k < shown; ++k) {
                // The box is white already: leading blanks are left undrawn, so
                // a sheet line that runs on under the work text (the year
                // balance's month line) keeps its figures.
                std::string_view row =
                    piece(text, k * kTextPerRow, k * kTextPerRow + kTextPerRow - 1);
                const size_t lead = std::min(row.size(), row.find_first_not_of(' '));
                row.remove_prefix(lead);
                drawFixed(c, kTextX + kCharWidth * static_cast<int>(lead), y + kRowPitch * k, row);
            }
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
    rahmenFaellig_ = false;
    ui::Canvas& c = canvas();
    const int T = MonthCalendar1->y();
    // Drawn again only when a total, a standby line or a colour changed.
    std::string summe = std::to_string(T) + char('0' + buch_.handModus) +
                        char('0' + buch_.jahresbilanz) + char('0' + buch_.pkw) +
                        char('0' + buch_.bereitschaft) + char('0' + buch_.ganzeWochen) +
                        char('0' + buch_.feiertageEin);
    for (size_t i = 0; i < buch_.bereitschaftsZeilen.size() && i < 11; ++i)
        summe += '\n' + buch_.bereitschaftsZeilen[i];
    auto farbe = [&](int i) {
        ui::TColor colour = ui::clBlue;
        if (i >= 6 && buch_.handModus && !buch_.jahresbilanz) colour = ui::clGreen;
        if (((i == 8 || i == 10) && !buch_.pkw) || (i > 5 && !buch_.bereitschaft) ||
            (i > 8 && buch_.ganzeWochen && !buch_.handModus) ||
            ((i == 4 || i == 5) && !buch_.feiertageEin))
            colour = ui::clGray;
        return colour;
    };
    c.copyMode = ui::CopyMode::SrcCopy;
    if (summe == gezeigteSumme_) {
        // Frame, colours and standby list as shown: only the changed figures.
        c.font = formFont(ui::clRed);
        for (int i = 0; i < 11; ++i) {
            const std::string& neu = buch_.summenZeilen[i];
            std::string& alt = gezeigteSummen_[i];
            if (neu == alt) continue;
            for (size_t k = 0; k < std::max(neu.size(), alt.size()); ++k) {
                const char n = k < neu.size() ? neu[k] : ' ', a = k < alt.size() ? alt[k] : ' ';
                if (n != a) zelleZeichnen(4 + kCharWidth * static_cast<int>(k), T + 16 * i + 1, n, farbe(i));
            }
            alt = neu;
        }
        c.font.color = ui::clRed;
        return;
    }
    gezeigteSumme_ = std::move(summe);
    for (int i = 0; i < 11; ++i) gezeigteSummen_[i] = buch_.summenZeilen[i];

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
        c.font.color = farbe(i);
        drawFixed(c, 4, T + 16 * i + 1, buch_.summenZeilen[i]);
    }

    c.pen.color = ui::clBlack;
    c.MoveTo(421, T + 33);
    c.LineTo(537, T + 33);
    c.MoveTo(444, T + 20);
    c.LineTo(444, T + 178);
    c.font.color = ui::clRed;
    canvas_->Invalidate(QRect(0, T, kSummaryRight + 2, 181));
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
    // An open administration window reads its list anew.
    if (administrationOpen()) Verwaltung->Liste_aktualisieren();
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
    blattVergessen();
    caretAn_ = false;
    canvas_->Invalidate();
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
    canvas_->Invalidate(QRect(x, y, strich_.width(), strich_.height()));
}

void TForm1::caretSchritt() {
    if (!canvasReady() || offeneZeilenReihe < 0) return;
    const CaretPos ziel = textModus ? textCaretPos(textCursor) : timeCaretPos();
    // The caret is drawn by inverting, so the window remembers where it
    // stands; whatever draws over it clears that (blattGezeichnet).
    if (caretAn_) {
        drawCaret(caretAt_.x, caretAt_.y);
        caretAn_ = false;
        if (caretAt_ == ziel) return;  // the blink's dark phase
    }
    // Another control of the window has the focus: no caret on the sheet.
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus != canvas_ && focus->window() == this) return;
    drawCaret(ziel.x, ziel.y);
    caretAn_ = true;
    caretAt_ = ziel;
}

}  // namespace app

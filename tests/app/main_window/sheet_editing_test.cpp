// Typing on the month sheet as a user does it: keys and clicks on the
// offscreen main window, checked against the sheet texts, totals, status
// codes and the clipboard.
#include <QPaintEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cmath>

#include "app/dialogs/hand_dialog.h"
#include "app/dialogs/settings_dialog.h"
#include "app/main_window/sheet_keys.h"
#include "app/main_window/window_parts.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/drawing/canvas.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/drawing/color.h"
#include "platform/ui/windows/popup_menu.h"
#include "tests/app/dialogs/dialog_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class SheetEditingTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        createWindow();  // 6 December 2026, 09:30, nobody signed in
        setAda(false);
    }
    QWidget* sheet() { return &form->canvasControl(); }
    book::Zeitbuch& b() { return form->buch(); }
    void setAda(bool on) {
        if (form->commandChecked("ADA") != on) form->ADAExecute();
    }
    // Keys as typed; "\n" is Enter, "\t" Tab, "\b" Backspace, "<" Left, ">" Right.
    void type(const std::string& keys) {
        for (const char c : keys) {
            switch (c) {
                case '\n':
                    QTest::keyClick(sheet(), Qt::Key_Return);
                    break;
                case '\t':
                    QTest::keyClick(sheet(), Qt::Key_Tab);
                    break;
                case '\b':
                    QTest::keyClick(sheet(), Qt::Key_Backspace);
                    break;
                case '<':
                    QTest::keyClick(sheet(), Qt::Key_Left);
                    break;
                case '>':
                    QTest::keyClick(sheet(), Qt::Key_Right);
                    break;
                default:
                    QTest::keyClicks(sheet(), QString::fromLatin1(&c, 1));
            }
        }
    }
    void shiftEnter() {
        QTest::keyPress(sheet(), Qt::Key_Shift);
        QTest::keyClick(sheet(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyRelease(sheet(), Qt::Key_Shift);
    }
    std::string line(int i) { return b().zeilen.at(i).substr(0, 33); }
    // Moves the pointer there first: a click needs the line under the mouse.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseMove(sheet(), {x, y});
        form->FormMouseMove(x, y);
        QTest::mouseClick(sheet(), button, Qt::NoModifier, {x, y});
    }
    int rowY(int row) { return form->geometry().rowTop(row) + 8; }
    // Puts `text` into the open line's work text with the cursor at `cursor`.
    void openText(const std::string& text, int cursor) {
        b().textPuffer = text + std::string(151 - text.size(), ' ');
        b().textLaenge = static_cast<int>(text.size());
        form->textCursor = cursor;
        form->textModus = true;
    }
    std::string text() { return b().textPuffer.substr(0, b().textLaenge); }
};

TEST_F(SheetEditingTest, TheLastDigitStoresTheLineAndItsCharacterIsSwallowed) {
    setAda(true);
    type("05080012");
    EXPECT_EQ(tuple(b().zeilen.size(), form->zeitCaretSpalte), tuple(1u, 31));
    type("30");  // 12:30: stored at the last digit, the text of the same line opens
    EXPECT_EQ(tuple(b().zeilen.size(), line(0), form->textModus, b().textLaenge, b().aktuelleZeile),
              tuple(2u, std::string("   1 05.12 Sonnabend  08:00 12:30"), true, 0, 0));
    type("Wartung\n");  // the text is stored, the next line opens in time mode
    EXPECT_EQ(tuple(b().texte[0], b().aktuelleZeile, form->textModus), tuple("Wartung", 1, false));
    EXPECT_EQ(b().summen[0], 270);
    EXPECT_TRUE(form->commandEnabled("Speichern"));
}

TEST_F(SheetEditingTest, TheCaretSkipsTheFixedColumns) {
    // Keys from a fresh entry line, then the time caret column.
    for (const auto& [keys, column] : {tuple("0", 6),
                                       {"05", 22},
                                       {"0508", 25},
                                       {"050800", 28},
                                       {"05<", 6},
                                       {"0508<<<", 6},
                                       {" ", 22},
                                       {"05 ", 28},
                                       {"050800<", 26},
                                       {">>", 22},
                                       {"0508001<", 28}}) {
        createWindow();
        setAda(false);
        type(keys);
        EXPECT_EQ(form->zeitCaretSpalte, column) << keys;
    }
    type("\b");  // Backspace empties the position it moves to
    EXPECT_EQ(tuple(form->zeitCaretSpalte, b().eingabe.substr(22, 11)), tuple(26, "08:0_ 19:30"));
}

TEST_F(SheetEditingTest, TypedCharactersReachThePixels) {
    const ui::Canvas& img = form->canvasControl().canvas();
    const auto red = [&](int x0, int row) {
        int n = 0;
        for (int y = form->geometry().rowTop(row); y < form->geometry().rowTop(row) + 16; ++y)
            for (int x = x0; x < x0 + 8; ++x) n += img.Pixel(x, y) == ui::clRed;
        return n;
    };
    form->FormPaint(true);
    b().eingabe[5] = '_';
    form->FormPaint(false);
    const int blank = red(43, 0);  // the '_' of the empty day
    type("1");
    form->Timer1Timer();  // the caret step draws the digit it leaves behind
    EXPECT_GT(red(43, 0), blank);
    openText("", 0);
    type("W");  // a character of the work text is drawn at once
    EXPECT_GT(red(480, 0), 10);
}

TEST_F(SheetEditingTest, TodaysDayProposesTheToTime) {
    for (const auto& [day, to] : {tuple("06", "09:30"), {"05", "__:__"}}) {
        createWindow();
        b().eingabe.replace(28, 5, "__:__");
        b().vorschlagGemacht = false;
        b().tag = 1;
        type(day);
        EXPECT_EQ(b().eingabe.substr(28, 5), to) << day;
    }
}

TEST_F(SheetEditingTest, AdaDecidesWhereEnterLeads) {
    // ADA, kind key, then: the selected line and text mode after storing.
    for (const auto& [ada, minus, sel, text] :
         {tuple(true, false, 0, true), {false, false, 1, false}, {true, true, 1, false}}) {
        createWindow();
        setAda(ada);
        type("050800120");
        if (minus) QTest::keyClick(sheet(), Qt::Key_Minus);  // kind '-' before the last digit
        type("0");
        EXPECT_EQ(tuple(b().aktuelleZeile, form->textModus), tuple(sel, text)) << ada << minus;
    }
    // The keypad minus is no kind key.
    type("0508001300");
    QTest::keyClick(sheet(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(b().eingabe[0], ' ');
}

TEST_F(SheetEditingTest, RefusedLinesKeepThePageAndPlaceTheCaret) {
    type("050800120");
    type("0");
    boxes.clear();
    type("0510001400");  // overlaps 08:00-12:00
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    // On the from-time itself, so the first corrected digit lands there.
    EXPECT_EQ(tuple(form->zeitCaretSpalte, b().zeilen.size()), tuple(22, 2u));
    type("1230\n");
    EXPECT_EQ(tuple(b().zeilen.size(), line(1).substr(22)), tuple(3u, std::string("12:30 14:00")));
    // A minute field above 59: status code 3 with a beep, caret on that field.
    beeps = 0;
    type("0715661700");
    EXPECT_EQ(tuple(form->zeitCaretSpalte, form->statusCode, beeps, b().zeilen.size()),
              tuple(25, uint8_t{3}, 1, 3u));
}

TEST_F(SheetEditingTest, InsertingIntoAFullTextDropsTheLastCharacter) {
    const std::string full(150, 'a');
    std::string spaced = full;
    spaced.replace(100, 2, "  ");
    // Text, cursor, expected text, status code, beeps.
    for (const auto& [start, cursor, want, code, beeped] :
         {tuple(full, 10, full.substr(0, 10) + "x" + full.substr(10, 139), 4, 1),
          {spaced, 10,
           spaced.substr(0, 10) + "x" + spaced.substr(10, 90) + " " + spaced.substr(102), 0, 0},
          {full.substr(0, 149) + " ", 0, "x" + full.substr(0, 149), 0, 0},
          {std::string("abc"), 1, std::string("axbc"), 0, 0}}) {
        form->statusCode = 0, beeps = 0;
        openText(start, cursor);
        type("x");
        EXPECT_EQ(tuple(text(), form->statusCode, beeps), tuple(want, uint8_t(code), beeped))
            << cursor;
    }
    openText(full, 150);  // at the end of a full text: beep and status code 2
    type("y");
    EXPECT_EQ(tuple(text(), form->statusCode), tuple(full, uint8_t{2}));
}

TEST_F(SheetEditingTest, OverwriteBackspaceAndRowBreaks) {
    openText("abcdef", 3);
    QTest::keyClick(sheet(), Qt::Key_Insert);
    EXPECT_EQ(form->StatusBar1->panelText(1), cp1252("Überschreiben"));
    type("XY\b");  // overwrite, then Backspace blanks in overwrite mode
    EXPECT_EQ(tuple(text(), form->textCursor), tuple("abcX f", 4));
    QTest::keyClick(sheet(), Qt::Key_Insert);
    type("\b");  // in insert mode the rest moves left
    EXPECT_EQ(tuple(text(), form->textCursor), tuple("abc f", 3));
    shiftEnter();  // the next row starts at 30, the gap is blank
    EXPECT_EQ(tuple(form->textCursor, b().textLaenge), tuple(30, 30));
    type("z");
    EXPECT_EQ(text(), "abc f" + std::string(25, ' ') + "z");
    // Up and Down move by rows inside the text.
    QTest::keyClick(sheet(), Qt::Key_Up);
    EXPECT_EQ(form->textCursor, 1);
    QTest::keyClick(sheet(), Qt::Key_Down);
    EXPECT_EQ(form->textCursor, 31);
}

TEST_F(SheetEditingTest, PasteCutAndCopyUseTheTextsOwnBytes) {
    // Foreign data: 200 characters with control bytes and no NUL at the end.
    std::string foreign(200, 'p');
    foreign[1] = '\t', foreign[2] = '\x01';
    ui::ClipboardContent c;
    c.setOemText(foreign);
    ui::putOnClipboard(c);
    openText("", 0);
    form->Einfgen1Click();
    EXPECT_EQ(text(), "p  " + std::string(147, 'p'));
    // Cut copies before it deletes; the bytes (an umlaut too) travel as they are.
    openText(cp1252("Prüfung Halle"), 0);
    form->selStart = 0, form->selLaenge = 7;
    QTest::keyClick(sheet(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(tuple(text(), ui::clipboardFormat(ui::kOemTextFormat).value_or("")),
              tuple(" Halle", cp1252("Prüfung")));
    EXPECT_EQ(ui::clipboardText().value_or(""), cp1252("Prüfung"));
    form->textCursor = 6;
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), cp1252(" HallePrüfung"));
}

TEST_F(SheetEditingTest, KindsSetBannersAndGiveTheTextBack) {
    type("0508001200");
    QTest::keyClick(sheet(), Qt::Key_Up);
    openText("Wartung", 7);
    type("\n");  // stores the text of line 0
    QTest::keyClick(sheet(), Qt::Key_Up);
    form->UeStundenKontoExecute();
    EXPECT_EQ(tuple(b().zeilen[0][0], b().texte[0]),
              tuple('+', cp1252("!!!!  Überstundenkonto   !!!!")));
    form->UeStundenKontoExecute();  // back to blank on the same line: the text returns
    EXPECT_EQ(tuple(b().zeilen[0][0], b().texte[0]), tuple(' ', std::string("Wartung")));
    // On the entry line a kind toggles; Mehrarbeit twice is blank again.
    QTest::keyClick(sheet(), Qt::Key_Down);
    form->MehrarbeitExecute();
    EXPECT_EQ(tuple(b().eingabe[0], text()),
              tuple('M', std::string("!!!!      Mehrarbeit     !!!!")));
    EXPECT_TRUE(form->commandChecked("Mehrarbeit"));
    form->MehrarbeitExecute();
    EXPECT_EQ(tuple(b().eingabe[0], b().textLaenge), tuple(' ', 0));
    // A click on the glyph cycles the kind.
    click(5, rowY(1));
    EXPECT_EQ(b().eingabe[0], '!');
}

TEST_F(SheetEditingTest, ClicksPlaceTheCaretAndSelectText) {
    type("06");  // 06.12: 08:00 needs typing, the to-time was proposed
    type("08");
    b().eingabe.replace(28, 5, "10:__");
    click(32 * 8 + 3, rowY(0));  // the last minute position: back to the first empty one
    EXPECT_EQ(form->zeitCaretSpalte, 31);
    click(7 * 8 + 2, rowY(0));  // the point snaps to the day's last digit
    EXPECT_EQ(form->zeitCaretSpalte, 6);
    click(26 * 8 + 2, rowY(0));  // an empty from-minute: back over the run to 25
    EXPECT_EQ(form->zeitCaretSpalte, 25);
    // A drag in the work text selects after the drag delay.
    openText("abcdefghij", 0);
    form->textModus = false;
    form->FormMouseMove(481, rowY(0));
    QTest::mousePress(sheet(), Qt::LeftButton, {}, {481, rowY(0)});
    EXPECT_EQ(tuple(form->textModus, form->ziehAuswahl, form->selAnker), tuple(true, true, 0));
    for (int i = 0; i < 6; ++i) form->FormMouseMove(480 + 8 * 4 + 1, rowY(0));
    QTest::mouseRelease(sheet(), Qt::LeftButton, {}, {513, rowY(0)});
    EXPECT_EQ(tuple(form->selStart, form->selLaenge, form->ziehAuswahl), tuple(0, 4, false));
    // The text part's menu: cut, copy and delete need a selection.
    ui::ScriptedPopupMenus menus;
    menus.choose(4);  // "Löschen"
    click(490, rowY(0), Qt::RightButton);
    ASSERT_EQ(menus.shown().size(), 1u);
    EXPECT_EQ(menus.shown()[0].items[3].caption, cp1252("Löschen"));
}

TEST_F(SheetEditingTest, InsertedLinesStayOnlyWhenStored) {
    type("05080012000513001600");
    QTest::keyClick(sheet(), Qt::Key_Up);
    form->EintragEinfuegenExecute();  // above 13:00
    EXPECT_EQ(tuple(b().zeilen.size(), b().aktuelleZeile, b().einfuegeIndex), tuple(4u, 1, 1));
    QTest::keyClick(sheet(), Qt::Key_Down);  // left without storing: gone
    EXPECT_EQ(tuple(b().zeilen.size(), b().einfuegeIndex, b().aktuelleZeile), tuple(3u, -1, 1));
    form->EintragEinfuegenExecute();
    type("0114001500");
    EXPECT_EQ(tuple(b().zeilen.size(), line(1).substr(5, 5), b().summen[0]),
              tuple(4u, "01.12", 480));
    // Deleting the selected line recomputes the page.
    QTest::keyClick(sheet(), Qt::Key_Up);
    form->LoeschenExecute();
    EXPECT_EQ(tuple(b().zeilen.size(), b().zeitIndex.size(), b().summen[0]), tuple(3u, 2u, 420));
}

// Page changes that the book clears the page for leave no selection behind
// on the empty entry line.
TEST_F(SheetEditingTest, AClearedPageKeepsNoSelection) {
    addUser("anna", "geheim");
    const std::pair<const char*, std::function<void()>> wechsel[] = {
        {"Abmelden", [&] { form->AbmeldenExecute(); }},
        {"Jahresbilanz", [&] { form->BilanzExecute(); }},
    };
    for (const auto& [name, ausfuehren] : wechsel) {
        SCOPED_TRACE(name);
        scriptSignIn("anna", "geheim");
        start();
        setAda(false);
        type("0108001200");
        openText("Wartung", 7);
        form->selStart = 0, form->selLaenge = 4;
        boxes.answer(platform::Answer::No);
        ausfuehren();
        EXPECT_EQ(form->selLaenge, 0);
    }
}

TEST_F(SheetEditingTest, AClickIntoTheTimesLeavesTheTextAndPlacesTheCaret) {
    setAda(true);
    // Column clicked while the text of the stored line is typed, keys, the line then.
    for (const auto& [spalte, keys, times] : {tuple(5, "0409001200", "04.12 Freitag    09:00 12:00"),
                                              {22, "09001200", "03.12 Donnerstag 09:00 12:00"},
                                              {28, "1300", "03.12 Donnerstag 08:00 13:00"}}) {
        createWindow();
        setAda(true);
        type("0308001200");  // stored, its text opens
        ASSERT_TRUE(form->textModus);
        click(spalte * 8 + 4, rowY(0));
        EXPECT_EQ(tuple(form->textModus, form->zeitCaretSpalte), tuple(false, spalte));
        type(keys);
        EXPECT_EQ(tuple(b().zeilen.size(), line(0).substr(5)), tuple(2u, std::string(times)))
            << spalte;
    }
}

// "Eintrag Einfügen", then a command that recomputes: nothing is counted
// while the inserted line is open; leaving or storing it brings the figures.
TEST_F(SheetEditingTest, AnOpenInsertedLineHoldsTheRecomputationBack) {
    struct Befehl {
        const char* name;
        bool handModus;  // the month in hand mode before the command
        std::function<void()> ausfuehren;
    };
    const Befehl befehle[] = {
        {"Mathematisch Runden", false, [&] { form->RundenExecute(); }},
        {"Tageweise", false, [&] { form->TageweiseExecute(); }},
        {"Ganze Wochen", false, [&] { form->GanzeWochen1Click(); }},
        {"Feiertage", false, [&] { form->Feiertage1Click(); }},
        {"Zuschlag über Automatik", true, [&] { form->ZAutomatikExecute(); }},
        {"Einstellung", false,
         [&] {
             scriptDialog<app::TFeiertage>([](app::TFeiertage& d) {
                 d.Edit6->setText("60");  // daily minutes at the normal percentage
                 d.Button1->click();
             });
             app::OptionClick(*form);
         }},
        {"Handeinstellung", false,
         [&] {
             scriptDialog<app::THand>([](app::THand& d) {
                 d.UpDown[0]->setValue(3);
                 d.Button1Click();
             });
             app::ZHandExecute(*form);
         }},
    };
    // Two lines on the 1st, one on Christmas Day; in hand mode with 5 weeks set.
    const auto seite = [&](bool hand) {
        createWindow();
        setAda(false);
        b().administrator = true;  // who may change the settings
        type("010800120001130016002508001001");
        if (hand) b().handModus = true, b().wochen = 5, b().Summen_anzeigen(0);
    };
    const auto stand = [&] { return tuple(b().zeilen, b().summen, b().summenZeilen); };
    for (const Befehl& befehl : befehle) {
        SCOPED_TRACE(befehl.name);
        seite(befehl.handModus);
        const auto ohne = stand();
        befehl.ausfuehren();
        b().Zuschlaege_neu_berechnen();
        const auto frisch = stand();
        ASSERT_NE(frisch, ohne);  // the command changes the figures of this page
        for (const bool speichern : {false, true}) {
            seite(befehl.handModus);
            QTest::keyClick(sheet(), Qt::Key_Up);
            form->EintragEinfuegenExecute();  // above Christmas Day
            type("01");
            const auto offen = stand();
            const std::string eingabe = b().eingabe;
            befehl.ausfuehren();
            EXPECT_EQ(stand(), offen);
            EXPECT_EQ(tuple(b().eingabe, b().aktuelleZeile), tuple(eingabe, 2));
            if (!speichern) {
                QTest::keyClick(sheet(), Qt::Key_Down);  // left: gone, and counted anew
                EXPECT_EQ(stand(), frisch);
                continue;
            }
            type("16301700");  // stored: the page in time order, numbered 1 to 4
            const auto gespeichert = stand();
            b().Zuschlaege_neu_berechnen();
            EXPECT_EQ(stand(), gespeichert);
            for (int i = 0; i < 4; ++i) EXPECT_EQ(std::stoi(b().zeilen[i].substr(1, 3)), i + 1);
            EXPECT_EQ(line(2).substr(5), "01.12 Dienstag   16:30 17:00");
        }
    }
}

TEST_F(SheetEditingTest, TheYearFieldRefusesYearsBefore1900) {
    form->Anzeige_Jahr->setEnabled(true);
    form->Anzeige_Jahr->setFocus();
    for (const auto& [typed, code, beeped, year] :
         {tuple("18", 0, 0, 2026), {"1899", 6, 1, 2026}, {"2025", 0, 0, 2025}}) {
        form->statusCode = 0, beeps = 0;
        form->Anzeige_Jahr->selectAll();
        QTest::keyClicks(form->Anzeige_Jahr, typed);
        EXPECT_EQ(tuple(int(form->statusCode), beeps, b().jahr), tuple(code, beeped, year))
            << typed;
    }
    form->Anzeige_Jahr->stepBy(1);  // the up-down: one change per step
    EXPECT_EQ(tuple(b().jahr, form->Anzeige_Jahr->position()), tuple(2026, 2026));
}

TEST_F(SheetEditingTest, F2AndF3FillInToday) {
    clock.set(at(2026, 12, 6, 12, 34));
    form->Timer2Timer();
    form->Heutebisjetzt1Click();
    EXPECT_EQ(tuple(b().eingabe.substr(5, 5), b().eingabe.substr(28, 5), form->zeitCaretSpalte),
              tuple("06.12", "13:00", 22));
    form->buch().jahr = 2025;  // another year: refused with status code 1
    form->Heute1Click();
    EXPECT_EQ(tuple(int(form->statusCode), beeps), tuple(1, 1));
}

// Keys at an ordinary typing speed, with the caret timer running between
// them: after every key the sheet's image is what a paint from scratch of
// the book's state draws (the caret taken out where the window drew it), so
// no key is left undrawn and no caret is left behind; and every pixel that
// changed was painted to the screen. Compared in device pixels.
TEST_F(SheetEditingTest, AtTypingSpeedTheScreenShowsTheBook) {
    setAda(true);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    sheet()->setFocus();
    const auto& g = form->geometry();
    const QImage& backing = form->canvasControl().backingImage();
    const qreal dpr = backing.devicePixelRatio();
    const auto device = [dpr](int v) { return static_cast<int>(std::ceil(v * dpr - 0.5)); };
    const QRect rows(QPoint(device(0), device(g.top)),
                     QPoint(device(g.rightEdge + 1) - 1, device(g.rowTop(g.visibleRows)) - 1));
    auto withoutCaret = [&] {
        QImage img = backing.copy();
        if (form->caretSichtbar()) {
            const app::CaretPos p = form->caretStelle();
            ui::Canvas c(&img);
            c.copyMode = ui::CopyMode::DstInvert;
            c.Draw(p.x, p.y, form->caretBitmap());
        }
        return img.copy(rows);
    };
    // What the screen was given: the areas of the paint events.
    struct PaintSpy : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } spy;
    sheet()->installEventFilter(&spy);
    auto unshownChange = [&](const QImage& was) {
        QRegion shown;  // in device pixels, scaled as the window system scales it
        for (const QRect& r : spy.region) shown += QRect(r.topLeft() * dpr, r.size() * dpr);
        // The scroll bar covers the sheet's right edge line.
        for (int y = rows.top(); y <= rows.bottom(); ++y)
            for (int x = rows.left(); x < qRound(g.rightEdge * dpr); ++x)
                if (was.pixel(x, y) != backing.pixel(x, y) && !shown.contains(QPoint(x, y)))
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    // Out-of-range times refused and typed again, a work text, lines stored.
    const std::string keys =
        "0707002561"
        "1600"
        "Pumpe\n"
        "08"
        "0700"
        "1200"
        "Filter\n"
        "09"
        "3000"
        "0700"
        "0600"
        "x\n";
    for (size_t i = 0; i < keys.size(); ++i) {
        const QImage was = backing.copy();
        spy.region = {};
        type(keys.substr(i, 1));
        QTest::qWait(70);
        for (int k = 0; k < 2; ++k) QCoreApplication::processEvents();  // a blink's paint too
        ASSERT_EQ(unshownChange(was), QPoint(-1, -1))
            << "not on screen after key " << i << " of " << keys;
        const QImage before = withoutCaret();
        const std::string entry = b().eingabe;
        form->blattVergessen();
        form->FormPaint(false);
        ASSERT_EQ(b().eingabe, entry);
        ASSERT_TRUE(before == withoutCaret())
            << "after key " << i << " of " << keys << ": " << entry;
    }
    EXPECT_EQ(tuple(b().zeilen.size(), line(0).substr(22, 11), line(2).substr(22, 11)),
              tuple(4u, "07:00 16:00", "06:00 07:00"));
}

}  // namespace
}  // namespace app_test

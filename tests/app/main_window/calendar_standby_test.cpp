// The month calendar on the main window: dates clicked into the entry line,
// standby periods marked by hand through its menu, and a whole user session
// typed on the sheet checked against the book's own load of the saved month.
#include <QTest>
#include <functional>

#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "controls/calendar/model/kalender_layout.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "tests/app/main_window/window_fixture.h"
#include "tests/controls/calendar/calendar_test_support.h"

namespace app_test {
namespace {

using std::tuple;

class CalendarStandbyTest : public WindowTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    QWidget* sheet() { return &form->canvasControl(); }
    // A click on a day of the shown calendar month.
    void clickDay(int month, int day, Qt::MouseButton button = Qt::LeftButton) {
        const int cell = calendar::test_support::cellOf(form->MonthCalendar1->model().grid(), month, day);
        const platform::Rect r = calendar::GridLayout::cellFill(cell);
        QTest::mouseClick(form->MonthCalendar1->ZF, button, Qt::NoModifier,
                          {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    std::vector<uint8_t> records(int n) {
        return {b().bereitschaftsListe.begin(), b().bereitschaftsListe.begin() + 5 * n};
    }
};

TEST_F(CalendarStandbyTest, MarkingWeeksAndWeekendsByHand) {
    // Shown year and month, chosen day, week or weekend, then the record.
    struct Case {
        int year, month, day;
        bool week;
        std::vector<uint8_t> record;
        const char* line;
    };
    for (const Case& c : {Case{2026, 12, 9, false, {50, 11, 12, 13, 12}, "50 11.12-13.12"},
                          {2026, 12, 13, true, {50, 7, 12, 13, 12}, "50 07.12-13.12"},
                          {2026, 12, 29, true, {53 | 0x40, 28, 12, 3, 1}, ">J 28.12-03.01"},
                          {2027, 1, 1, true, {53 | 0x80, 28, 12, 3, 1}, "<J 28.12-03.01"}}) {
        createWindow();
        b().jahr = c.year;
        form->setYearField(c.year);
        form->MonthCalendar1->Init(static_cast<uint16_t>(c.year), static_cast<uint16_t>(c.month), c.day,
                                   &b().bereitschaftsListe);
        form->Setze_B_WocheClick(c.week);
        EXPECT_EQ(records(1), c.record) << c.day;
        EXPECT_EQ(b().bereitschaftsZeilen.at(2).substr(0, 14), c.line);
        EXPECT_EQ(tuple(c.week ? b().wochen : b().wochenenden, b().handModus,
                        form->commandChecked("ZHand"), form->commandEnabled("Speichern")),
                  tuple(1, true, true, true));
    }
}

TEST_F(CalendarStandbyTest, OverlappingAndFullListsAreRefused) {
    createWindow();
    // 9.12-15.12 starts inside the week 7.12-13.12 and ends after it.
    b().bereitschaftsListe = calendar::test_support::listOf({50, 9, 12, 15, 12});
    form->MonthCalendar1->Init(2026, 12, 10, &b().bereitschaftsListe);
    form->Setze_B_WocheClick(true);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(tuple(boxes.last().caption, b().wochen), tuple("Geht nicht!", 0));
    // The weekend after it is free and sorts behind it.
    form->MonthCalendar1->Init(2026, 12, 18, &b().bereitschaftsListe);
    form->Setze_B_WocheClick(false);
    EXPECT_EQ(records(2), (std::vector<uint8_t>{50, 9, 12, 15, 12, 51, 18, 12, 20, 12}));
    // No chosen day: status code 7 without a beep.
    form->MonthCalendar1->Init(2026, 12, 0, &b().bereitschaftsListe);
    form->Setze_B_WocheClick(true);
    EXPECT_EQ(tuple(int(form->statusCode), beeps), tuple(7, 0));
}

TEST_F(CalendarStandbyTest, ClickedDatesMoveTheEntryLineOnlyWhenAllowed) {
    ui::ScriptedPopupMenus menus;  // no menu stays open in a test
    createWindow();
    clickDay(12, 3);
    EXPECT_EQ(b().eingabe.substr(5, 5), "03.12");
    clickDay(12, 4, Qt::RightButton);  // a right click only shows the date
    EXPECT_EQ(b().eingabe.substr(5, 5), "03.12");
    QTest::keyClicks(sheet(), "0308001200");
    clickDay(1, 2);  // another year with lines on the sheet: refused
    EXPECT_EQ(tuple(int(form->statusCode), beeps, form->kalenderAbgelehnt, b().jahr),
              tuple(1, 1, true, 2026));
    form->Timer1Timer();  // the status text shows until the code is withdrawn and the mouse moves
    for (int i = 0; i < 11; ++i) form->Timer2Timer();
    EXPECT_FALSE(form->StatusBar1->panelText(0).empty());
    form->FormMouseMove(300, 100);
    EXPECT_EQ(tuple(int(form->statusCode), form->StatusBar1->panelText(0)), tuple(0, ""));
    clickDay(12, 4, Qt::RightButton);  // the menu opens; an accepted date enables it again
    ASSERT_EQ(menus.shown().size(), 2u);
    const auto& items = menus.shown()[1].items;
    EXPECT_EQ(tuple(items[0].caption, items[0].enabled, items[2].enabled),
              tuple("Setze Bereitschaftswoche", true, true));
    ui::Message m{0x8190, 0, 0};  // day 0: a refusal in every state
    form->textModus = true;
    form->dispatchMessage(m);
    EXPECT_EQ(tuple(form->kalenderAbgelehnt, beeps), tuple(true, 2));
}

// Enter stores the line and sets the calendar again; the calendar is drawn
// only when what it shows changed: a line stored again as it was leaves the
// marks, a line moved into another week moves its standby week.
TEST_F(CalendarStandbyTest, EnterRedrawsTheCalendarOnlyWhenItsMarksChange) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->Timer1.setEnabled(false);  // no caret blink among the counted paints
    if (form->commandChecked("ADA")) form->ADAExecute();  // Enter stays in the time part
    QTest::keyClicks(sheet(), "0108001200");  // Tuesday: the week 30.11-06.12
    QTest::keyClicks(sheet(), "0208001200");  // Wednesday of that week
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            return paints += e->type() == QEvent::Paint, false;
        }
    } grid, title;
    form->MonthCalendar1->ZF->installEventFilter(&grid);
    form->MonthCalendar1->Monats_Name->installEventFilter(&title);
    const calendar::KalenderModel& kalender = form->MonthCalendar1->model();
    struct Case {
        const char* name;
        std::function<void()> before;  // what the user does before Enter
        bool marksChange, dayChanges;  // the day chosen in the calendar
    };
    const auto up = [&](int n) {
        for (int i = 0; i < n; ++i) QTest::keyClick(sheet(), Qt::Key_Up);
    };
    const Case cases[] = {
        // Then the entry line, dated the 2nd as well.
        {"Wednesday again", [&] { up(1); }, false, false},
        {"Tuesday again, then Wednesday", [&] { up(2); }, false, true},
        {"Tuesday moved to the 8th", [&] { up(2), QTest::keyClicks(sheet(), "08"); }, true, true},
    };
    for (const Case& c : cases) {
        c.before();
        QCoreApplication::processEvents();  // what the keys drew
        const calendar::Marks marks = kalender.marks();
        const int day = kalender.chosenDay();
        grid.paints = title.paints = 0;
        QTest::keyClick(sheet(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(tuple(kalender.marks() != marks, kalender.chosenDay() != day),
                  tuple(c.marksChange, c.dayChanges))
            << c.name;
        EXPECT_EQ(tuple(grid.paints, title.paints), tuple(c.marksChange || c.dayChanges ? 1 : 0, 0))
            << c.name;
    }
    EXPECT_EQ(b().wochen, 2);
}

// A user signs in, types a week with kinds and texts, inserts and deletes a
// line, copies and pastes a text, marks a standby weekend through the
// calendar menu and saves; the book's own load of that month agrees.
TEST_F(CalendarStandbyTest, ATypedSessionMatchesTheBooksLoadOfTheMonth) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    ASSERT_TRUE(b().angemeldet);
    if (!form->commandChecked("ADA")) form->ADAExecute();
    const auto enter = [&] { QTest::keyClick(sheet(), Qt::Key_Return); };
    QTest::keyClicks(sheet(), "0107301630");  // Tuesday, then its text
    QTest::keyClicks(sheet(), "Montage");
    enter();
    QTest::keyClicks(sheet(), "0206001400");
    QTest::keyClicks(sheet(), "St");
    QTest::sendKeyEvent(QTest::Click, sheet(), Qt::Key_Odiaeresis, QString::fromUtf8("ö"), {});
    QTest::keyClicks(sheet(), "rung");
    enter();
    QTest::keyClicks(sheet(), "030800");  // Thursday, time off in lieu: no text asked
    QTest::keyClick(sheet(), Qt::Key_Minus);
    QTest::keyClicks(sheet(), "1200");
    QTest::keyClicks(sheet(), "0422002330");  // Friday night, then extra overtime
    QTest::keyClicks(sheet(), "Nacht");
    enter();
    QTest::keyClick(sheet(), Qt::Key_Up);
    form->Extra_KronlaufExecute();
    QTest::keyClick(sheet(), Qt::Key_Down);
    // Insert a line above Thursday, store it, then delete it again.
    QTest::keyClick(sheet(), Qt::Key_Up), QTest::keyClick(sheet(), Qt::Key_Up);
    form->EintragEinfuegenExecute();
    QTest::keyClicks(sheet(), "0218001900");
    enter();
    QTest::keyClick(sheet(), Qt::Key_Up);
    form->LoeschenExecute();
    // Copy Tuesday's text into Friday's.
    QTest::keyClick(sheet(), Qt::Key_Up), QTest::keyClick(sheet(), Qt::Key_Up);
    form->textModus = true;
    form->selStart = 0, form->selLaenge = 7;
    form->Kopieren1Click();
    for (int i = 0; i < 3; ++i) QTest::keyClick(sheet(), Qt::Key_Down);
    form->textCursor = b().textLaenge;
    QTest::keyClick(sheet(), Qt::Key_Space);
    form->Einfgen1Click();
    enter();
    // The weekend of 12 December through the calendar's menu.
    ui::ScriptedPopupMenus menus;
    menus.choose(2);
    clickDay(12, 12, Qt::RightButton);
    form->SpeichernExecute();
    ASSERT_EQ(boxes.count(), 0u);

    EXPECT_EQ(b().texte, (std::vector<std::string>{"Montage", cp1252("Störung"), "!!!!  Freizeitausgleich  !!!!",
                                                   "Nacht Montage", ""}));
    EXPECT_EQ(std::string(b().zeilen[3], 0, 33), "!  4 04.12 Freitag    22:00 23:30");

    book::NullHost host;
    book::Zeitbuch ref(host);
    ref.datenOrdner = dataDir();
    ASSERT_TRUE(ref.Pruefe_Anmeldung("anna", "geheim"));
    ref.mathRunden = b().mathRunden, ref.proTag = b().proTag, ref.feiertageEin = b().feiertageEin;
    ref.bereitschaft = b().bereitschaft, ref.pkw = b().pkw, ref.ganzeWochen = b().ganzeWochen;
    ref.Monat_laden(12, 2026);
    ASSERT_TRUE(ref.seiteGespeichert);
    EXPECT_EQ(ref.zeilen, b().zeilen);
    EXPECT_EQ(ref.texte, b().texte);
    EXPECT_EQ(ref.summen, b().summen);
    EXPECT_EQ(ref.summenZeilen, b().summenZeilen);
    EXPECT_EQ(ref.bereitschaftsListe, b().bereitschaftsListe);
    EXPECT_EQ(tuple(ref.wochenenden, ref.wochen), tuple(b().wochenenden, b().wochen));
}

}  // namespace
}  // namespace app_test

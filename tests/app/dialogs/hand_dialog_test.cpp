// The manual standby dialog: its list of periods beside its own marker
// calendar, deleting and resetting periods, and what OK and cancel leave in
// the book and on the main window's commands.
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTest>

#include "app/dialogs/hand_dialog.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "controls/calendar/model/kalender_layout.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/windows/popup_menu.h"
#include "tests/app/dialogs/dialog_fixture.h"
#include "tests/controls/calendar/calendar_test_support.h"

namespace app_test {
namespace {

using calendar::test_support::listOf;
using std::tuple;

class HandDialogTest : public DialogTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    // Three periods in December 2026: weeks 49 and 50 and the weekend of week 51.
    void threePeriods() {
        b().bereitschaftsListe =
            listOf({49, 30, 11, 6, 12, 50, 7, 12, 13, 12, 51, 18, 12, 20, 12});
        b().Summen_anzeigen(0);
    }
    static int rowY(int row) { return app::THand::kZeilenHoehe * row + 2 + 7; }
    static std::vector<std::string> lines(const app::THand& h) {
        return {h.liste().begin() + 2, h.liste().end()};
    }
    void clickWeekRowOf(app::THand& h, int month, int day) {
        const int cell = calendar::test_support::cellOf(h.Kalender->model().grid(), month, day);
        QTest::mouseClick(h.Kalender->ZF, Qt::LeftButton, Qt::NoModifier,
                          {10, 20 * (cell / 7 + 1) + 10});
    }
};

TEST_F(HandDialogTest, DeletingPeriodsMovesTheRestUpAndEmptiesTheLastPlace) {
    struct Case {
        std::initializer_list<uint8_t> list;
        int row;  // list line chosen before "Eintrag Löschen"
        std::vector<std::string> left;
        calendar::StandbyList records;
    };
    const Case cases[] = {
        {{50, 7, 12, 13, 12}, 2, {}, {}},
        {{49, 30, 11, 6, 12, 50, 7, 12, 13, 12, 51, 18, 12, 20, 12},
         2,
         {"50 07.12-13.12", "51 18.12-20.12"},
         listOf({50, 7, 12, 13, 12, 51, 18, 12, 20, 12})},
        {{49, 30, 11, 6, 12, 50, 7, 12, 13, 12, 51, 18, 12, 20, 12},
         4,
         {"49 30.11-06.12", "50 07.12-13.12"},
         listOf({49, 30, 11, 6, 12, 50, 7, 12, 13, 12})},
    };
    for (const Case& c : cases) {
        createWindow();
        b().bereitschaftsListe = listOf(c.list);
        app::THand h(*form);
        h.TabMouseDown(ui::MouseButton::Left, 5, rowY(c.row));
        ASSERT_EQ(h.auswahl(), c.row);
        h.EintragLschen1Click();
        EXPECT_EQ(tuple(lines(h), h.auswahl(), h.Kalender->Get_Daten()),
                  tuple(c.left, -1, c.records));
        EXPECT_EQ(h.liste().at(1), "KW  von   bis ");
    }
}

TEST_F(HandDialogTest, ClicksOnHeadingsOrBelowTheListSelectNothing) {
    createWindow();
    threePeriods();
    app::THand h(*form);
    // y of the click, then the selection: a heading or an empty row keeps it.
    const std::pair<int, int> clicks[] = {{rowY(3), 3}, {rowY(0), 3}, {rowY(1), 3}, {rowY(5), 3},
                                          {160, 3},     {1, 3},       {rowY(4), 4}};
    for (const auto& [y, selected] : clicks) {
        h.TabMouseDown(ui::MouseButton::Left, 50, y);
        EXPECT_EQ(h.auswahl(), selected) << y;
    }
    // The selected line lies on a green bar; the others are blue on white.
    const QImage& img = h.Tab->backingImage();
    EXPECT_EQ(ui::fromQColor(img.pixelColor(100, rowY(4))), ui::clGreen);
    EXPECT_EQ(ui::fromQColor(img.pixelColor(100, rowY(3))), ui::clWhite);
    EXPECT_EQ(ui::fromQColor(img.pixelColor(0, 0)), ui::clBlack);
    EXPECT_EQ(ui::fromQColor(img.pixelColor(1, 1)), 0x808080u);
    EXPECT_EQ(ui::fromQColor(img.pixelColor(50, 32)), ui::clBlack);   // rule under the headings
    EXPECT_EQ(ui::fromQColor(img.pixelColor(20, 100)), ui::clBlack);  // rule after the week

    // The pop-up offers "Eintrag Löschen" only with a line selected.
    ui::ScriptedPopupMenus menus;
    menus.choose(1);
    QTest::mouseClick(h.Tab, Qt::RightButton, Qt::NoModifier, {50, rowY(2)});
    EXPECT_EQ(lines(h), (std::vector<std::string>{"50 07.12-13.12", "51 18.12-20.12"}));
    h.Button4Click();  // "Alle Löschen"
    menus.choose(1);
    QTest::mouseClick(h.Tab, Qt::RightButton, Qt::NoModifier, {50, rowY(2)});
    ASSERT_EQ(menus.shown().size(), 2u);
    EXPECT_EQ(tuple(menus.shown()[0].items.at(0).enabled, menus.shown()[1].items.at(0).enabled,
                    h.liste().size(), h.Kalender->Get_Daten()),
              tuple(true, false, size_t{2}, calendar::StandbyList{}));
}

TEST_F(HandDialogTest, MarksInTheCalendarRebuildTheListAndMonthResetRemovesThem) {
    createWindow();
    b().jahr = 2026, b().monat = 12;
    b().bereitschaftsListe = listOf({45, 2, 11, 8, 11});  // November stays untouched
    app::THand h(*form);
    h.TabMouseDown(ui::MouseButton::Left, 5, rowY(2));
    clickWeekRowOf(h, 12, 9);
    EXPECT_EQ(tuple(lines(h), h.auswahl()),
              tuple(std::vector<std::string>{"45 02.11-08.11", "50 07.12-13.12"}, -1));
    h.Button3Click();  // "Monat Reset": the marks of the shown month only
    EXPECT_EQ(lines(h), std::vector<std::string>{"45 02.11-08.11"});
}

TEST_F(HandDialogTest, OkTakesCountsAndPeriodsIntoHandModeAndCancelKeepsTheMode) {
    struct Case {
        bool handBefore, ok, standbyOn;
        bool handAfter, zAutomatik, standbyAfter;
    };
    for (const Case& c : {Case{false, true, false, true, false, true},
                          Case{false, false, true, false, true, true},
                          Case{true, false, true, true, false, true}}) {
        createWindow();
        threePeriods();
        b().handModus = c.handBefore;
        if (!c.standbyOn) form->WZUschlagExecute();
        b().wochen = 2;
        scriptDialog<app::THand>([&](app::THand& h) {
            EXPECT_EQ(h.UpDown[0]->value(), 2);
            h.UpDown[1]->setValue(3), h.UpDown[3]->setValue(1);
            h.TabMouseDown(ui::MouseButton::Left, 5, rowY(2));
            h.EintragLschen1Click();
            (c.ok ? h.Button1 : h.Button2)->click();
        });
        app::ZHandExecute(*form);
        EXPECT_EQ(tuple(dialogRuns, b().handModus, form->commandChecked("ZAutomatik"),
                        form->commandChecked("ZHand"), b().bereitschaft),
                  tuple(1, c.handAfter, c.zAutomatik, !c.zAutomatik, c.standbyAfter));
        const int periods = c.ok ? 2 : 3;
        EXPECT_EQ(tuple(b().bereitschaftsAnzahl(), b().wochenenden, b().wochenendenPkw,
                        form->commandEnabled("Speichern")),
                  tuple(periods, c.ok ? 3 : 0, c.ok ? 1 : 0, c.ok));
        EXPECT_EQ(b().bereitschaftsZeilen.size(), size_t(2 + periods));
        dialogRuns = 0;
    }
}

TEST_F(HandDialogTest, YearBalanceRefusesAndAPeriodInAnotherYearMovesTheSheet) {
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    createWindow();
    b().jahresbilanz = true;
    app::ZHandExecute(*form);
    EXPECT_EQ(tuple(beeps, form->statusCode, dialogRuns), tuple(1, uint8_t{5}, 0));
    b().jahresbilanz = false;
    ui::setBeepHandler({});

    // Nobody signed in, an empty sheet: the dialog's calendar may leave the year.
    ASSERT_EQ(tuple(b().jahr, b().monat), tuple(2026, 12));
    scriptDialog<app::THand>([&](app::THand& h) {
        h.Kalender->SpeedButton2->click();  // January 2027
        clickWeekRowOf(h, 1, 6);
        screenshot(h, "hand_dialog");
        h.Button1->click();
    });
    app::ZHandExecute(*form);
    EXPECT_EQ(
        tuple(b().jahr, form->Anzeige_Jahr->position(), b().bereitschaftsAnzahl(), b().handModus),
        tuple(2027, 2027, 1, true));
    // With lines on the sheet (or somebody signed in) the year stays.
    b().zeilen.insert(b().zeilen.begin(), b().zeilen.back());
    EXPECT_TRUE(app::THand(*form).Kalender->model().yearBlock());
}

}  // namespace
}  // namespace app_test

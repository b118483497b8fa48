// Status codes with their texts, help button and withdrawal, hints, help by
// context, the clock, and today moving on when the date changes between two minutes.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QStatusTipEvent>

#include "app/window_parts.h"
#include "controls/calendar/kalender.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

TEST_F(WindowTest, StatusCodesShowTheirTextAndHelpUntilTheEleventhSecond) {
    createWindow();
    QStatusTipEvent tip(QString::fromUtf8("Monat zurück"));  // hints land in the first panel
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->StatusBar1->panelText(0), cp1252("Monat zurück"));
    const char* texts[] = {
        "Das aktuelle Überstunden-Jahr muß mit dem Jahr des ausgewählten Tages übereinstimmen",
        "Die maximale Anzahl an Zeichen für die 'Art der Arbeit' ist erreicht!",
        "Die Eingabezeile enthält einen Fehler im Zeitbereich oder in den erforderlichen Angaben!",
        "Achtung, das letzte Zeichen in der 'Art der Arbeit' wurde abgeschnitten!",
        "Die Handeinstellung der Zuschläge kann nicht während der Jahresbilanz vorgenommen werden!",
        "Gültige Jahresangaben beginnen ab 1900!",
        "In der ausgewählten Woche muss ein Tag selektiert werden!",
    };
    for (int code = 1; code <= 7; ++code) {
        form->Hinweis_zeigen(code);
        form->Timer1Timer();
        EXPECT_EQ(form->StatusBar1->panelText(0), cp1252(texts[code - 1]));
        form->action("ToolButton20")->trigger();
        EXPECT_EQ(helpShown.back(), 50 + code);
    }
    EXPECT_EQ(beeps, 0);  // the callers beep, not the display
    for (int tick = 1; tick <= 10; ++tick) {
        form->Timer2Timer();
        EXPECT_EQ(form->statusCode, 7) << tick;
        EXPECT_TRUE(form->action("ToolButton20")->isVisible()) << tick;
    }
    form->Timer2Timer();  // the eleventh tick withdraws code and help button
    EXPECT_EQ(form->statusCode, 0);
    EXPECT_FALSE(form->action("ToolButton20")->isVisible());
    form->Timer1Timer();  // the text stays until the mouse moves over the window
    EXPECT_NE(form->StatusBar1->panelText(0), "");
    form->action("HilfezumProgramm1")->trigger();
    EXPECT_EQ(helpShown.back(), 0);
}

TEST_F(WindowTest, F1OpensTheTopicOfTheFocusedControl) {
    createWindow();
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->hilfeKontext(), 99);
    form->enableAction(book::Action::MonthNavigation, true);
    form->Anzeige_Jahr->setFocus();
    EXPECT_TRUE(QApplication::focusWidget() == nullptr || form->hilfeKontext() == 6);
}

TEST_F(WindowTest, ClockAndTodayMoveOnAtMidnightAndAfterSleepingOverIt) {
    clock.set(at(2026, 12, 6, 23, 59));
    createWindow();
    EXPECT_EQ(form->StatusBar1->panelText(2), "23:59");
    const auto heute = [&] { return ui::fromQString(form->MonthCalendar1->Heute->text()); };
    EXPECT_NE(heute().find("06.12.2026"), std::string::npos);
    clock.set(at(2026, 12, 7, 0, 0) + 0.5 / 86400);
    form->Timer2Timer();
    EXPECT_NE(heute().find("07.12.2026"), std::string::npos);
    EXPECT_EQ(form->StatusBar1->panelText(2), "00:00");
    EXPECT_EQ(form->heuteTag, 7);
    // The machine slept from 00:00 to 08:17 two days later: the first tick sees it.
    clock.set(at(2026, 12, 9, 8, 17));
    form->Timer2Timer();
    EXPECT_NE(heute().find("09.12.2026"), std::string::npos);
    EXPECT_EQ(form->buch().heuteTag, 9);
    EXPECT_EQ(form->buch().heuteMinute, 17);
    EXPECT_EQ(form->StatusBar1->panelText(2), "08:17");
}

}  // namespace
}  // namespace app_test

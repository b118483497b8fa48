// Status codes with their texts, help button and withdrawal, the clock, and
// today moving on when the date changes between two minutes.
#include <QApplication>
#include <QLabel>
#include <QStatusTipEvent>
#include <QSpinBox>
#include <QToolButton>

#include "app/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using platform::cp1252;

TEST_F(WindowTest, AStatusCodeShowsItsTextUntilTheEleventhSecond) {
    createWindow();
    form->StatusBar1->setPanelText(0, "ein Hinweis");
    form->postStatus(3);
    EXPECT_FALSE(!form->action("ToolButton20")->isVisible());
    form->Timer1Timer();
    EXPECT_EQ(form->StatusBar1->panelText(0),
              cp1252("Die Eingabezeile enthält einen Fehler im Zeitbereich oder in den "
                     "erforderlichen Angaben!"));
    for (int tick = 1; tick <= 10; ++tick) {
        form->Timer2Timer();
        EXPECT_EQ(form->statusCode, 3) << tick;
        EXPECT_FALSE(!form->action("ToolButton20")->isVisible());
    }
    form->Timer2Timer();  // the eleventh tick
    EXPECT_EQ(form->statusCode, 0);
    EXPECT_TRUE(!form->action("ToolButton20")->isVisible());
    // The text stays until the mouse moves over the window.
    form->Timer1Timer();
    EXPECT_NE(form->StatusBar1->panelText(0), "");
}

TEST_F(WindowTest, EveryStatusCodeHasItsTextAndHelpTopic) {
    createWindow();
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
}

TEST_F(WindowTest, TheClockShowsHoursAndMinutes) {
    clock.set(at(2026, 12, 6, 7, 5));
    createWindow();
    EXPECT_EQ(form->StatusBar1->panelText(2), "07:05");
    clock.set(at(2026, 12, 6, 7, 6) + 0.5 / 86400);
    form->Timer2Timer();
    EXPECT_EQ(form->StatusBar1->panelText(2), "07:06");
    EXPECT_EQ(form->buch().heuteMinute, 6);
}

TEST_F(WindowTest, TodayMovesOnAtMidnightAndAfterSleepingOverIt) {
    clock.set(at(2026, 12, 6, 23, 59));
    createWindow();
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("06.12.2026")), -1);
    clock.set(at(2026, 12, 7, 0, 0));
    form->Timer2Timer();
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("07.12.2026")), -1);
    EXPECT_EQ(form->heuteTag, 7);
    // The machine slept from 00:00 to 08:17 two days later: the first tick sees it.
    clock.set(at(2026, 12, 9, 8, 17));
    form->Timer2Timer();
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("09.12.2026")), -1);
    EXPECT_EQ(form->buch().heuteTag, 9);
    EXPECT_EQ(form->StatusBar1->panelText(2), "08:17");
}

TEST_F(WindowTest, HelpGoesThroughTheContextNumber) {
    createWindow();
    form->action("HilfezumProgramm1")->trigger();
    ASSERT_EQ(helpShown.size(), 1u);
    EXPECT_EQ(helpShown[0], 0);
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

TEST_F(WindowTest, F1OpensTheTopicOfTheFocusedControl) {
    createWindow();
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->hilfeKontext(), 99);
    form->enableAction(book::Action::MonthNavigation, true);
    form->Anzeige_Jahr->setFocus();
    if (QApplication::focusWidget() != nullptr) {
        EXPECT_EQ(form->hilfeKontext(), 6);
    }
    form->zeigeHilfe(form->hilfeKontext());
    EXPECT_FALSE(helpShown.empty());
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

TEST_F(WindowTest, HintsLandInTheFirstPanelUntilACodeOverwritesThem) {
    createWindow();
    QStatusTipEvent tip(QString::fromUtf8("Monat zurück"));
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->StatusBar1->panelText(0), platform::cp1252("Monat zurück"));
    form->Hinweis_zeigen(6);
    form->Timer1Timer();
    EXPECT_EQ(form->StatusBar1->panelText(0), platform::cp1252("Gültige Jahresangaben beginnen ab 1900!"));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

}  // namespace
}  // namespace app_test

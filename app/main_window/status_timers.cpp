// Status codes in the status bar with their help topics, the 100 ms timer
// (caret blinking, status text) and the one-second timer (clock, today).
#include <QEvent>
#include <QStatusTipEvent>
#include <QToolButton>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/core/date.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

void TForm1::Hinweis_zeigen(int code) {
    statusCode = static_cast<uint8_t>(code);
    showCommand("ToolButton20", true);
}

void TForm1::ToolButton20Click() { zeigeHilfe(statusHelpContext(statusCode)); }

void TForm1::zeigeHilfe(int context, QWidget* from) {
    if (onHelp) onHelp(context, from != nullptr ? from : this);
}

void TForm1::Timer1Timer() {
    if (blinkZaehler < 1) {
        if (canvasReady()) canvas().font.color = ui::clRed;
        if (!buch_.jahresbilanz && offeneZeilenReihe != -1) caretSchritt();
        blinkZaehler = 5;
    }
    --blinkZaehler;
    // Written at every tick, so a hint that the mouse put there goes at once.
    if (statusCode >= 1 && statusCode <= 7) StatusBar1->setPanelText(0, statusText(statusCode));
}

void TForm1::Timer2Timer() {
    heute = platform::now();
    const platform::TimeOfDay t = platform::decodeTime(heute);
    heuteStunde = t.hour;
    buch_.heuteStunde = t.hour;
    buch_.heuteMinute = t.minute;
    if (statusCode != 0) ++hilfeZaehler;
    if (t.minute != heuteMinute) {
        heuteMinute = t.minute;
        // The date is read again at every new minute, not only at 00:00, so
        // a machine that slept over midnight still shows the right day.
        const platform::CivilDate d = platform::decodeDate(heute);
        if (d.day != heuteTag || d.month != heuteMonat || d.year != heuteJahr) {
            heuteJahr = d.year;
            heuteMonat = d.month;
            heuteTag = d.day;
            MonthCalendar1->Setze_Heute();
        }
        StatusBar1->setPanelText(2, platform::timeToText(heute).substr(0, 5));
    }
    buch_.heuteJahr = heuteJahr;
    buch_.heuteMonat = heuteMonat;
    buch_.heuteTag = heuteTag;
    if (hilfeZaehler > 10) {
        hilfeZaehler = 0;
        statusCode = 0;
        showCommand("ToolButton20", false);
    }
}

bool TForm1::event(QEvent* e) {
    // The application's hints land in the first status panel.
    if (e->type() == QEvent::StatusTip) {
        StatusBar1->setPanelText(0, ui::fromQString(static_cast<QStatusTipEvent*>(e)->tip()));
        return true;
    }
    return QMainWindow::event(e);
}

}  // namespace app

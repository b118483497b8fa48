// Construction, start-up and shutdown of the main window, and its side of
// the book's host interface.
#include "app/main_window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/dialogs/administration_dialog.h"
#include "app/dialogs/file_dialogs.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/sheet_bitmaps.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/main_window/window_parts.h"
#include "book/database/db_check.h"
#include "book/database/db_lock.h"
#include "book/files/month_file.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/drawing/color.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace app {


TForm1::TForm1(QWidget* owner) : QMainWindow(owner), buch_(*this) {
    setWindowTitle(QStringLiteral("Nicht Angemeldet"));
    // System menu and minimise only: the window cannot be maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    onTerminate = [] { QCoreApplication::exit(0); };
    onHelp = [this](int context, QWidget* from) {
        showHelp(platform::joinPath(buch_.datenOrdner, "Hilfe.hlp"), context, from);
    };
    buildComponents();
    buildCommands();
    buildMenus();
    buildToolBar();
    // F1 in every window of the program: the topic of the control that has
    // the keyboard, else of its window.
    setHelpContext(*this, kHelpBlatt);
    setHelpContext(*ToolBar1, kHelpWerkzeugleiste);
    setHelpContext(*ComboBox1, kHelpMonat);
    setHelpContext(*Anzeige_Jahr, kHelpMonat);
    installHelpKey(*this, [this](int context, QWidget* from) { zeigeHilfe(context, from); });
    // A wait for another program's lock on the user data blocks the event
    // loop: the wait pointer and the status text are painted at once.
    book::setLockWaitListener([this, vorher = std::string()](bool wartet) mutable {
        if (wartet) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            vorher = StatusBar1->panelText(0);
            StatusBar1->setPanelText(
                0, platform::cp1252("Ein anderes Programm verwendet gerade die Benutzerdaten, "
                                    "bitte warten ..."));
        } else {
            QApplication::restoreOverrideCursor();
            StatusBar1->setPanelText(0, vorher);
        }
        StatusBar1->repaint();
    });
    startUp();
}

TForm1::~TForm1() {
    book::setLockWaitListener({});
    // The administration window goes while the window and the book it uses still stand.
    delete Verwaltung.data();
}

ui::Canvas& TForm1::canvas() { return canvas_->canvas(); }

void TForm1::buildComponents() {
    canvas_ = new FormCanvas(*this, this);
    setCentralWidget(canvas_);
    // The width is fixed by the sheet's columns; only the height changes.
    canvas_->setFixedWidth(clientWidth());
    canvas_->setMinimumHeight(kMinClientHeight);
    canvas_->resize(clientWidth(), kClientHeight);
    // A hidden widget gets its resize event only when shown; the sheet is
    // drawn from the start, so its backing image takes the size now.
    QResizeEvent sized(canvas_->size(), QSize());
    QCoreApplication::sendEvent(canvas_, &sized);

    ToolBar1 = new QToolBar(canvas_);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);

    HeaderControl1 = new HeaderControl(canvas_);

    ScrollBar1 = new QScrollBar(Qt::Vertical, canvas_);
    ScrollBar1->setFocusPolicy(Qt::NoFocus);
    ScrollBar1->setRange(0, 0);
    ScrollBar1->setEnabled(false);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });

    MonthCalendar1 = new calendar::TKalender(canvas_);
    MonthCalendar1->onPopupMenu = [this](QPoint at) { kalenderMenueZeigen(at); };
    StatusBar1 = new StatusBar(canvas_);
    StatusBar1->setPanelText(1, platform::cp1252("Einfügen"));
    // Opaque children: a button or a status text that changes repaints
    // itself, not the sheet's canvas beneath it.
    for (QWidget* w : std::initializer_list<QWidget*>{ToolBar1, StatusBar1, ScrollBar1}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, ui::toQColor(ui::clBtnFace));  // the canvas's colour
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }

    Timer1.setInterval(100);
    Timer1.onTimer = [this](ui::Timer&) { Timer1Timer(); };
    Timer2.setInterval(1000);
    Timer2.onTimer = [this](ui::Timer&) { Timer2Timer(); };

    drawCaretBitmap(strich_);
    drawKindGlyphs(schaltflaechen_);
}

void TForm1::layoutChildren() {
    const int w = canvas_->width();
    const int h = canvas_->height();
    ToolBar1->setGeometry(0, 0, w, kToolBarHeight);
    HeaderControl1->setGeometry(0, kToolBarHeight, w, kHeaderHeight);
    StatusBar1->setGeometry(0, h - kStatusBarHeight, w, kStatusBarHeight);
    const int calTop = h - MonthCalendar1->height() - kStatusBarHeight;
    MonthCalendar1->move(kCalendarLeft, calTop);
    geo_.compute(calTop, w);
    ScrollBar1->setGeometry(sheetRightEdge(), geo_.top, kScrollBarWidth, geo_.height + 2);
}

void TForm1::startUp() {
    // Window state and the book's start values.
    buch_.bearbeitungErlaubt = true;
    buch_.einfuegeIndex = -1;  // no edited line
    buch_.datenbankFehler = 0;
    buch_.uebertragStart = 0;
    buch_.zeitvorschlag = true;
    buch_.adminFreigabe = false;

    // Only the height changes: the width is the sheet's.
    setFixedWidth(clientWidth());
    setMinimumHeight(kMinClientHeight + menuBar()->sizeHint().height());
    resize(clientWidth(), kClientHeight + menuBar()->sizeHint().height());
    placeOnScreen();
    layoutChildren();

    heute = platform::now();
    const platform::CivilDate d = platform::decodeDate(heute);
    heuteJahr = d.year;
    heuteMonat = d.month;
    heuteTag = d.day;

    buch_.autoAnmeldung = false;
    Timer2Timer();

    // The program folder is the whole current folder.
    buch_.programmOrdner = platform::currentDir();
    buch_.datenOrdner = platform::joinPath(buch_.programmOrdner, "Benutzer");
    buch_.Einstellungen_laden_speichern(true);

    Einstellungen_anzeigen();
    buch_.Monat_einstellen(0);

    Anzeige_Jahr->setPosition(buch_.jahr);
    showMonthInList(buch_.monat);
    buch_.seitenMonat = buch_.monat;
    blinkZaehler = 0;
    buch_.blattAngezeigt = true;
    buch_.pkw = false;
    buch_.bereitschaft = true;

    MonthCalendar1->Steuerung();
    MonthCalendar1->Setze_Modus(false);
    MonthCalendar1->Setze_Daten(buch_.bereitschaftsListe);
    MonthCalendar1->Setze_Farbmodus(2);
    kalenderAbgelehnt = false;

    buch_.Zeile_auswaehlen(0, true, false);

    buch_.administrator = false;
    const bool gesund = buch_.Datenbank_pruefen();
    if (!gesund && book::lastLockFailure() != book::LockFailure::None) {
        // Not checked at all: nothing is known to be wrong, nothing to restore.
        platform::MessageBox(
            platform::cp1252("Die Datenbank konnte nicht geprüft werden.") + book::lockFailureLine(),
            book::kFaultCaption);
    } else if (!gesund) {
        platform::MessageBox(book::faultMessage(buch_.datenbankFehler), book::kFaultCaption);
        const uint8_t fehler = buch_.datenbankFehler;
        buch_.Datenbank_sichern_wiederherstellen(false);
        if (fehler != 0 && buch_.datenbankFehler == 0 && !buch_.Datenbank_pruefen())
            platform::MessageBox("Die Datenbank ist immer noch fehlerhaft", "Datenbank fehlerhaft");
    } else {
        buch_.Datenbank_sichern_wiederherstellen(true);
    }

    buch_.angemeldet = false;
    buch_.seiteGespeichert = false;
    buch_.proTag = true;
    checkCommand("Tageweise", true);

    const uint16_t o = buch_.grundlagen.optionen;
    buch_.mathRunden = o & book::kOptMathRunden;
    checkCommand("Runden", buch_.mathRunden);
    checkCommand("ADA", o & book::kOptWechselZeitArt);
    if (!(o & book::kOptBereitschaft)) WZUschlagExecute();
    if (o & book::kOptPkw) PKW_BerechnungExecute();
    buch_.feiertageEin = o & book::kOptFeiertage;
    checkCommand("Feiertage1", buch_.feiertageEin);
    buch_.ganzeWochen = o & book::kOptGanzeWochen;
    checkCommand("GanzeWochen1", buch_.ganzeWochen);

    buch_.handModus = false;
    textModus = false;
    buch_.jahresbilanz = false;
    ersteZeile = 0;
    FormPaint(true);
}

void TForm1::placeOnScreen() {
    // Centred, but a screen smaller than the window (1024 x 768 at scale 1.5)
    // gets a lower window, moved left and up, so its title bar stays on it.
    const QRect area = ui::availableArea(this);
    if (!area.isValid()) return;
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int hoehe = std::max(minimumHeight(), std::min(height(), area.height() - title));
    resize(width(), hoehe);
    QRect frame(0, 0, width(), hoehe + title);
    frame.moveCenter(area.center());
    const QPoint p = ui::fitInto(frame, area);
    move(p.x(), p.y());
}

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    FormActivate();
    // Without a window manager nobody else gives the window the keyboard:
    // Alt+letter and F2 would go nowhere after the sign-in.
    if (!e->spontaneous()) {
        raise();
        activateWindow();
    }
}

void TForm1::FormActivate() {
    // Keys reach the form and the sheet, not a tool bar control.
    canvas_->setFocus();
}

bool TForm1::Seite_sichern_fragen() {
    selLaenge = 0;
    if (!buch_.Seite_sichern_fragen()) return false;
    ScrollBar1->blockSignals(true);
    ScrollBar1->setValue(0);
    ScrollBar1->blockSignals(false);
    ScrollBar1->setEnabled(false);
    ersteZeile = 0;
    scrollUmfang = 1;
    zeitCaretSpalte = 5;
    FormPaint(false);
    return true;
}

bool TForm1::FormClose() {
    if (!Seite_sichern_fragen()) return false;
    buch_.einstellungenBeimBeenden();
    const uint16_t o = buch_.grundlagen.optionen;
    if ((o & book::kOptBackup) && (o & book::kOptBackupJedesMal)) buch_.Sicherung_rotieren();
    return true;
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (closing_) {
        e->accept();
        return;
    }
    if (!FormClose()) {
        e->ignore();
        return;
    }
    closing_ = true;
    e->accept();
}

void TForm1::Beenden1Click() {
    // Ends at once, but a changed month and changed settings are not lost.
    if (!Seite_sichern_fragen()) return;
    buch_.einstellungenBeimBeenden();
    closing_ = true;
    terminate();
}

void TForm1::terminate() {
    if (onTerminate) onTerminate();
}

// ---- Host interface --------------------------------------------------------

void TForm1::postStatus(int code) { Hinweis_zeigen(code); }

void TForm1::beep() { ui::Beep(); }

void TForm1::repaintSheet(bool whole) { FormPaint(whole); }

void TForm1::repaintTotals() {
    // Within one user action the totals change several times: drawn once, at its end.
    if (malSammeln_ > 0 && canvasReady()) {
        rahmenFaellig_ = true;
        return;
    }
    Rahmen_zeichnen();
}

void TForm1::adjustScrollRange() {
    // A cleared page starts its scroll range afresh.
    if (buch_.zeilen.size() <= 1) scrollUmfang = 1;
    Scrollbereich_anpassen();
}

void TForm1::ensureLineVisible(int index) {
    if (index < ersteZeile) {
        ScrollBar1->setValue(index);
    } else if (index > ersteZeile && offeneZeilenReihe == -1) {
        ScrollBar1->setValue(firstLineShowing(buch_.texte, index, geo_.visibleRows));
    }
}

void TForm1::setCalendar(int year, int month, int day, const book::StandbyList& standby) {
    if (!kalenderMarken) return;
    MonthCalendar1->Init(static_cast<uint16_t>(year), static_cast<uint16_t>(month), day, &standby);
}

void TForm1::setCalendarYearBlock(bool on) { MonthCalendar1->Setze_JahresBlock(on); }

void TForm1::setCaption(const std::string& caption) { setWindowTitle(ui::toQString(caption)); }

void TForm1::setTimeCaret(int column) { zeitCaretSpalte = column; }

void TForm1::resetCaretBlink() { blinkZaehler = 0; }

void TForm1::setTextCursor(int position, int selectionLength) {
    textCursor = position;
    selLaenge = selectionLength;
}

void TForm1::setTextPosition(int position) { textCursor = position; }

std::string TForm1::dateiFragen(const DateiFrage& frage) {
    int gewaehlt = frage.filterIndex;
    const std::string name = fileDialog ? fileDialog(frage)
                                        : zeigeDateiDialog(this, frage, gewaehlt);
    const std::string voll = mitFilterEndung(name, frage.filter, gewaehlt, frage.defaultExt);
    // Opening: the bare name wins when such a file exists.
    if (!frage.speichern && !platform::fileExists(voll) && platform::fileExists(name)) return name;
    return voll;
}

std::string TForm1::askSaveFileName(const std::string& filter, const std::string& defaultExt) {
    return dateiFragen({filter, 1, defaultExt, true});
}

std::string TForm1::askOpenFileName(const std::string& filter, const std::string& defaultExt) {
    return dateiFragen({filter, 1, defaultExt, false});
}

void TForm1::showYear(int year) { setYearField(year); }

void TForm1::setYearField(int year) { Anzeige_Jahr->setPosition(year); }

void TForm1::showMonthInList(int month) {
    ComboBox1->blockSignals(true);
    ComboBox1->setCurrentIndex(month - 1);
    ComboBox1->blockSignals(false);
}

bool TForm1::saveMonthFileAs() {
    const std::string name = askSaveFileName(book::monthFileSaveFilter(), book::kMonthFileDefaultExt);
    return !name.empty() && buch_.Akt_speichern(name);
}


void TForm1::setControls(bool normal) { Bedienelemente_setzen(normal); }

void TForm1::openAdministration() {
    // The administrator's menu items come with the sign-in itself, also when
    // the window cannot read the user list.
    for (book::Action a :
         {book::Action::Admin, book::Action::Zuschlagskorrektur, book::Action::MenuePasswort})
        showAction(a, true);
    AdminClick(false);
}

bool TForm1::signInDialogShowing() const { return Anmeldung != nullptr && Anmeldung->isVisible(); }

bool TForm1::administrationOpen() const { return Verwaltung != nullptr && Verwaltung->isVisible(); }

void TForm1::AdminClick(bool vomMenue) {
    if (vomMenue && Verwaltung != nullptr) {
        Verwaltung->show();
        Verwaltung->raise();
        return;
    }
    verwaltungSchliessen();
    auto* v = new TVerwaltung(*this);
    if (!v->geladen()) {
        v->deleteLater();
        return;
    }
    Verwaltung = v;
    ++verwaltungNr_;
    v->show();
}

void TForm1::verwaltungSchliessen() {
    // Closed at once, freed later: the call may come from one of its own handlers.
    if (Verwaltung == nullptr) return;
    Verwaltung->hide();
    Verwaltung->deleteLater();
    Verwaltung = nullptr;
}

// ---- Private messages ------------------------------------------------------

bool TForm1::dispatchMessage(ui::Message& m) {
    static const ui::MessageMap<TForm1> map{{0x8190, &TForm1::Kalenderdatum_setzen}};
    return map.dispatch(*this, m) || MessageTarget::dispatchMessage(m);
}

}  // namespace app

#include "app/dialogs/sign_in_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/dialogs/dialog_runner.h"
#include "app/dialogs/password_field.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/main_window.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace app {

std::function<int(QDialog&)>& TAnmeldung::modalRunner() {
    static std::function<int(QDialog&)> runner = [](QDialog& d) { return d.exec(); };
    return runner;
}

TAnmeldung::TAnmeldung(TForm1& form) : QDialog(&form, Qt::Tool), form_(form) {
    setWindowTitle(QStringLiteral("Anmeldung"));
    auto* grid = new QGridLayout(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    passwordField(*Edit2);
    grid->addWidget(new QLabel(QStringLiteral("Benutzername"), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Passwort"), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    CheckBox1 = new QCheckBox(QStringLiteral("Automatisch anmelden"), this);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    Ok1 = new QPushButton(QStringLiteral("OK"), this);
    Ok1->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("Abbruch"), this);
    QAction* neu = form.action("Benutzerverwaltung");
    Button2 = new QPushButton(neu->text(), this);
    Button2->setEnabled(neu->isEnabled());
    connect(neu, &QAction::changed, Button2, [this, neu] {
        Button2->setText(neu->text());
        Button2->setEnabled(neu->isEnabled());
    });
    connect(Button2, &QPushButton::clicked, neu, &QAction::trigger);
    connect(Ok1, &QPushButton::clicked, this, [this] { Ok1Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    buttons->addWidget(Ok1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 3, 0, 1, 2);
    // Tab follows the layout: the check box stands above the buttons.
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, CheckBox1);
    setTabOrder(CheckBox1, Ok1);
    setTabOrder(Ok1, Button1);
    setTabOrder(Button1, Button2);
    fixDialogFrame(*this);
    centreOn(*this, nullptr);  // on the screen, before the main window shows
    setHelpContext(*this, kHelpAnmeldung);
    form.Anmeldung = this;
}

TAnmeldung::~TAnmeldung() {
    if (form_.Anmeldung == this) form_.Anmeldung = nullptr;
}

void TAnmeldung::FormCreate() {
    book::Zeitbuch& b = form_.buch();
    if (b.autoAnmeldung) {
        Edit1->setText(ui::toQString(b.autoBenutzer));
        Edit2->setText(ui::toQString(b.autoPasswort));
        if (b.datenbankFehler == 0) {
            automatisch_ = true;
            Ok1Click();
            automatisch_ = false;
        }
    } else if (b.datenbankFehler == 0) {
        zeigeModal();
    }
}

int TAnmeldung::zeigeModal() {
    setResult(0);
    ui::keepAboveProgram(*this);
    return modalRunner()(*this);
}

void TAnmeldung::leeren() {
    Edit1->clear();
    Edit2->clear();
}

void TAnmeldung::Ok1Click() {
    const TForm1::EinmalMalen einmal(form_);
    book::Zeitbuch& b = form_.buch();
    if (b.datenbankFehler != 0) {
        platform::MessageBox(platform::cp1252("Anmeldung bei defekter Datenbank nicht möglich!"),
                             "Achtung");
        return;
    }
    // A changed page whose save failed stays; nobody else signs in over it.
    if (!form_.Seite_sichern_fragen()) return;
    const std::string name = ui::fromQString(Edit1->text());
    const std::string kennwort = ui::fromQString(Edit2->text());
    if (!b.Pruefe_Anmeldung(name, kennwort)) {
        fehlgeschlagen();
        return;
    }
    if (!name.empty()) {
        form_.setCaption("Kronlaufbuch Benutzer:" + b.nachname + " " + b.vorname +
                         "   Bereich:" + b.bereich);
        if (isVisible() || !form_.isVisible()) b.Monat_laden(0, 0);
        form_.setCalendarYearBlock(true);
    }
    if (isVisible() || b.adminFreigabe) {
        b.Bearbeitung_freigeben(name.empty() ? b.adminFreigabe : true);
        form_.FormPaint(false);
        done(QDialog::Accepted);
    }
    if (CheckBox1->isChecked()) {
        b.autoBenutzer = name;
        b.autoPasswort = kennwort;
        b.autoAnmeldung = true;
        CheckBox1->setChecked(false);
    }
}

void TAnmeldung::fehlgeschlagen() {
    book::Zeitbuch& b = form_.buch();
    if (automatisch_) {
        platform::MessageBox(
            "Automatische Anmeldung konnte nicht ausgef\xFChrt werden!\n"
            "Wahrscheinlich wurde der Benutzername oder das Passwort ge\xE4ndert bzw. der "
            "Benutzer gel\xF6scht. Zum beheben des Problems einfach noch einmal manuell anmelden "
            "und dabei 'Automatisch anmelden' aktivieren oder im Men\xFC 'Benutzereinsellung' auf "
            "'Immer Anmelden' klicken.",
            "Fehler");
    } else {
        platform::MessageBox(platform::cp1252("Passwort und/oder Benutzername ungültig"), "Fehler");
    }
    form_.setCaption("Fehlerhafte Anmeldung");
    b.angemeldet = false;
    b.adminFreigabe = false;
    b.Bearbeitung_freigeben(true);
    form_.enableAction(book::Action::Abmelden, false);
    form_.Bedienelemente_setzen(true);
    form_.enableAction(book::Action::MonthNavigation, false);
    form_.enableAction(book::Action::Bilanz, false);
    form_.enableAction(book::Action::Benutzereinstellungen, false);
    for (book::Action a :
         {book::Action::Admin, book::Action::Zuschlagskorrektur, book::Action::MenuePasswort})
        form_.showAction(a, false);
    b.zeitvorschlag = true;
    form_.setCalendarYearBlock(false);
    if (isVisible()) Edit1->setFocus();
}

void TAnmeldung::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Edit1->setFocus();
}

void TAnmeldung::keyPressEvent(QKeyEvent* e) {
    // The cancel button's click, not a bare reject: a signed-in user who
    // cancels keeps an open administration window.
    if (e->matches(QKeySequence::Cancel)) {
        Button1->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TAnmeldung::Button1Click() {
    Edit1->setFocus();
    form_.anmeldungAbgebrochen = true;
    done(QDialog::Rejected);
}

}  // namespace app

// The main window's user commands: "Neuer Benutzer" (from the menu or the
// sign-in dialog) and "Benutzereinstellungen".
#include <QLineEdit>

#include "app/dialogs/administration_dialog.h"
#include "app/dialogs/dialog_runner.h"
#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/dialogs/user_dialog.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace app {

void TForm1::BenutzerverwaltungExecute() {
    book::Zeitbuch& b = buch_;
    if (b.datenbankFehler != 0) {
        platform::MessageBox(
            platform::cp1252("Neuen Benutzer erstellen bei defekter Datenbank nicht möglich!"),
            "Achtung");
        return;
    }
    // From the sign-in dialog: it stays open until the new user's sign-in
    // has returned, then it closes with OK.
    TAnmeldung* anmeldung = signInDialogShowing() ? Anmeldung : nullptr;
    book::Benutzerdaten neu;
    int ergebnis = 0;
    {
        TBenutzer dialog(*this);
        if (anmeldung != nullptr) {
            // Over the sign-in dialog, which waits for the new user.
            dialog.setParent(anmeldung, dialog.windowFlags());
            centreOn(dialog, anmeldung);
        }
        ui::keepAboveProgram(dialog);
        ergebnis = dialog.zeigeModal();
        neu = dialog.daten();
    }
    if (anmeldung != nullptr) {
        if (ergebnis == TBenutzer::kAngelegt) {
            anmeldung->Edit1->setText(ui::toQString(neu.benutzername));
            anmeldung->Edit2->setText(ui::toQString(neu.passwort));
            anmeldung->Ok1Click();
        }
        if (anmeldung->isVisible()) anmeldung->done(QDialog::Accepted);
    }
    if (Verwaltung != nullptr) Verwaltung->Liste_aktualisieren();
}

void TForm1::Benutzereinstellungen1Click() {
    book::Zeitbuch& b = buch_;
    if (!b.benutzerBlockAktiv() || !b.bearbeitungErlaubt || Anmeldung == nullptr) return;
    book::Benutzerdaten d;
    d.benutzername = b.benutzerName, d.passwort = b.passwort, d.name = b.nachname;
    d.vorname = b.vorname, d.personalnummer = b.personalNr, d.bereich = b.bereich;
    d.optionen = b.benutzerOptionen;
    book::Benutzerdaten neu;
    bool geaendert = false;
    {
        TBenutzer dialog(*this);
        dialog.bearbeiten = true;
        dialog.fuellen(d);
        dialog.OKExecute();
        ui::keepAboveProgram(dialog);
        geaendert = dialog.zeigeModal() == QDialog::Accepted && !dialog.bearbeiten;
        neu = dialog.daten();
    }
    if (!geaendert) return;
    // Signed in again with the new record, the shown month reloaded. The
    // changed page goes first: one whose save failed stays as it is, and no
    // month is loaded over it.
    const int monat = b.monat, jahr = b.jahr;
    if (!Seite_sichern_fragen()) return;
    Anmeldung->Edit1->setText(ui::toQString(neu.benutzername));
    Anmeldung->Edit2->setText(ui::toQString(neu.passwort));
    Anmeldung->Ok1Click();
    if (!b.angemeldet) return;
    b.jahr = jahr;
    setYearField(jahr);
    b.Monat_einstellen(monat);
    showMonthInList(monat);
    b.Monat_laden(static_cast<uint8_t>(monat), jahr);
    if (!b.seiteGespeichert) FormPaint(true);
}

}  // namespace app

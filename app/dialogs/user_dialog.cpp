#include "app/dialogs/user_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dialogs/password_field.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/main_window.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {
namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

std::function<int(TBenutzer&)>& TBenutzer::modalRunner() {
    static std::function<int(TBenutzer&)> runner = [](TBenutzer& d) { return d.exec(); };
    return runner;
}

TBenutzer::TBenutzer(TForm1& form)
    : QDialog(&form, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), form_(form) {
    setWindowTitle(QStringLiteral("Benutzerverwaltung"));
    auto* grid = new QGridLayout;
    auto feld = [&](const char* label, int row, bool kennwort = false) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(book::kFieldChars);
        if (kennwort) passwordField(*e);
        grid->addWidget(new QLabel(u(label), this), row, 0);
        grid->addWidget(e, row, 1);
        connect(e, &QLineEdit::textChanged, this, [this] { OKExecute(); });
        return e;
    };
    Name = feld("Name", 0);
    Vorname = feld("Vorname", 1);
    Personalnummer = feld("Personalnummer", 2);
    Bereich = feld("Bereich", 3);
    Benutzername = feld("Benutzername", 4);
    Passwort = feld("Passwort", 5, true);
    Passwort2 = feld("Passwort wiederholen", 6, true);

    auto* runden = new QGroupBox(QStringLiteral("Rundungsverhalten"), this);
    auto* rundenZeilen = new QVBoxLayout(runden);
    RadioButton1 = new QRadioButton(QStringLiteral("Mathematisch"), runden);
    RadioButton2 = new QRadioButton(QStringLiteral("immer aufrunden"), runden);
    RadioButton1->setChecked(true);
    rundenZeilen->addWidget(RadioButton1);
    rundenZeilen->addWidget(RadioButton2);

    auto* boxen = new QVBoxLayout;
    auto box = [&](const char* text) {
        auto* c = new QCheckBox(u(text), this);
        boxen->addWidget(c);
        return c;
    };
    CheckBox1 = box("PKW Zuschlag");
    CheckBox3 = box("Prozente proTag");
    CheckBox4 = box("Ganze Wochen");
    CheckBox5 = box("Kein Zeitvorschlag");
    CheckBox6 = box("Keine Automatik");
    CheckBox7 = box("Adminfreigabe");
    CheckBox2 = box("Administrator");
    CheckBox3->setChecked(true);
    // Only an administrator hands out the administrator right.
    CheckBox2->setVisible(form.buch().administrator);
    boxen->addStretch();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    Button1->setEnabled(false);
    Button2 = new QPushButton(QStringLiteral("Abbruch"), this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(runden);
    rechts->addLayout(boxen);
    auto* oben = new QHBoxLayout;
    oben->addLayout(grid);
    oben->addSpacing(12);
    oben->addLayout(rechts);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(Button1);
    knoepfe->addWidget(Button2);
    auto* alles = new QVBoxLayout(this);
    alles->addLayout(oben);
    alles->addLayout(knoepfe);
    adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->geometry();
        move(r.width() / 2 - width() / 2, r.height() / 2 - height() / 2);
    }
    setHelpContext(*this, kHelpBenutzer);
}

int TBenutzer::zeigeModal() {
    setResult(QDialog::Rejected);
    return modalRunner()(*this);
}

void TBenutzer::fuellen(const book::Benutzerdaten& d) {
    Name->setText(ui::toQString(d.name));
    Vorname->setText(ui::toQString(d.vorname));
    Personalnummer->setText(ui::toQString(d.personalnummer));
    Bereich->setText(ui::toQString(d.bereich));
    Benutzername->setText(ui::toQString(d.benutzername));
    Passwort->setText(ui::toQString(d.passwort));
    Passwort2->setText(ui::toQString(d.passwort));
    const uint8_t o = d.optionen;
    RadioButton1->setChecked(o & book::kUserMathRunden);
    RadioButton2->setChecked(!(o & book::kUserMathRunden));
    CheckBox1->setChecked(o & book::kUserPkw);
    CheckBox7->setChecked(o & book::kUserAdminfreigabe);
    CheckBox2->setChecked(o & book::kUserAdministrator);
    CheckBox3->setChecked(o & book::kUserProTag);
    CheckBox4->setChecked(o & book::kUserGanzeWochen);
    CheckBox5->setChecked(o & book::kUserKeinZeitvorschlag);
    CheckBox6->setChecked(o & book::kUserKeineAutomatik);
}

book::Benutzerdaten TBenutzer::daten() const {
    book::Benutzerdaten d;
    d.benutzername = ui::fromQString(Benutzername->text());
    d.passwort = ui::fromQString(Passwort->text());
    d.name = ui::fromQString(Name->text());
    d.vorname = ui::fromQString(Vorname->text());
    d.personalnummer = ui::fromQString(Personalnummer->text());
    d.bereich = ui::fromQString(Bereich->text());
    const std::pair<bool, uint8_t> bits[] = {
        {RadioButton1->isChecked(), book::kUserMathRunden},
        {CheckBox1->isChecked(), book::kUserPkw},
        {CheckBox7->isChecked(), book::kUserAdminfreigabe},
        {CheckBox2->isChecked(), book::kUserAdministrator},
        {CheckBox3->isChecked(), book::kUserProTag},
        {CheckBox4->isChecked(), book::kUserGanzeWochen},
        {CheckBox5->isChecked(), book::kUserKeinZeitvorschlag},
        {CheckBox6->isChecked(), book::kUserKeineAutomatik},
    };
    for (const auto& [on, bit] : bits)
        if (on) d.optionen |= bit;
    return d;
}

void TBenutzer::OKExecute() {
    bool voll = true;
    for (const QLineEdit* e : {Name, Vorname, Personalnummer, Benutzername, Passwort, Passwort2})
        voll = voll && !e->text().isEmpty();
    Button1->setEnabled(voll);
}

void TBenutzer::Button1Click() {
    book::Zeitbuch& b = form_.buch();
    if (Passwort2->text() != Passwort->text()) {
        platform::MessageBox(platform::cp1252("Passwörter nicht gleich"), "Fehlerhaftes Passwort");
        Passwort->setFocus();
        return;
    }
    const book::Benutzerdaten d = daten();
    if (d.benutzername.empty()) {
        platform::MessageBox("Bitte einen Benutzernamen eingeben!", "Achtung");
        Benutzername->setFocus();
        return;
    }
    if (b.Benutzername_vorhanden(d.benutzername, bearbeiten)) {
        platform::MessageBox("Benutzername schon vorhanden, einen anderen Benutzernamen bitte.",
                             "Achtung");
        Benutzername->setFocus();
        return;
    }
    if (!bearbeiten) {
        // The book has said what failed; the dialog stays open.
        if (b.Benutzer_anlegen(d)) done(kAngelegt);
        return;
    }
    if (b.Datenbank_aendern(static_cast<uint32_t>(b.blockPosition), false, d)) {
        bearbeiten = false;
        done(QDialog::Accepted);
    }
}

}  // namespace app

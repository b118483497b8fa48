#include "app/dialogs/password_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialogs/dialog_runner.h"
#include "app/dialogs/password_field.h"
#include "app/main_window/main_window.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

TForm7::TForm7(TForm1& form) : QDialog(&form), form_(form) {
    setWindowTitle(ui::toQString(platform::cp1252("Passwort für den Administrator")));
    auto* grid = new QGridLayout(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    passwordField(*Edit2);
    grid->addWidget(new QLabel(QStringLiteral("Altes Passwort"), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Neues Passwort"), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Abbruch"), this);
    Button2->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    fixDialogFrame(*this);
    centreOn(*this, &form);
}

void TForm7::Button1Click() {
    book::Zeitbuch& b = form_.buch();
    const std::string alt = ui::fromQString(Edit1->text());
    const std::string neu = ui::fromQString(Edit2->text());
    if (alt != b.adminPasswort) {
        platform::MessageBox("Altes Passwort entspricht nicht der wirklichkeit.",
                             "Passwort falsch!");
        schliessen_ = false;
    } else if (neu.empty()) {
        // The sign-in never takes an empty password: the administrator would
        // be locked out for good.
        platform::MessageBox("Das neue Passwort darf nicht leer sein!", "Passwort fehlt!");
        schliessen_ = false;
    } else {
        b.adminPasswort = neu;
        schliessen_ = true;
    }
    if (FormClose()) done(1);
}

void TForm7::Button2Click() {
    schliessen_ = true;
    done(2);
}

bool TForm7::FormClose() {
    const bool erlaubt = schliessen_;
    schliessen_ = true;
    return erlaubt;
}

void MenuePasswortClick(TForm1& form) {
    if (!form.buch().administrator) return;
    TForm7 dialog(form);
    runModal(dialog);
}

}  // namespace app

#include "app/dialogs/correction_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <charconv>
#include <optional>

#include "app/dialogs/dialog_runner.h"
#include "app/main_window/main_window.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {
namespace {

constexpr int kAbbruch = 3;

// A signed 32-bit whole number, blanks around it allowed.
std::optional<int32_t> ganzzahl(const QString& text) {
    const std::string t = text.trimmed().toStdString();
    const char* first = t.data();
    if (!t.empty() && t[0] == '+') ++first;
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return v;
}

}  // namespace

TKonto::TKonto(TForm1& form) : QDialog(&form) {
    setObjectName(QStringLiteral("Konto"));
    setWindowTitle(QStringLiteral("Korrekturdialog"));
    auto* grid = new QGridLayout(this);
    UeDaten25 = new QLineEdit(this);
    UeDaten50 = new QLineEdit(this);
    for (QLineEdit* e : {UeDaten25, UeDaten50}) {
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(80);
    }
    grid->addWidget(new QLabel(QStringLiteral("25%"), this), 0, 0);
    grid->addWidget(UeDaten25, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("50%"), this), 1, 0);
    grid->addWidget(UeDaten50, 1, 1);
    auto* buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("Abbruch"), this);
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { done(kAbbruch); });
    fixDialogFrame(*this);
    centreOn(*this, &form);
}

TKonto& TKonto::von(TForm1& form) {
    if (auto* k = form.findChild<TKonto*>(QStringLiteral("Konto"), Qt::FindDirectChildrenOnly))
        return *k;
    return *new TKonto(form);
}

void TKonto::Button2Click() {
    for (QLineEdit* e : {UeDaten25, UeDaten50}) {
        if (!ganzzahl(e->text())) {
            platform::MessageBox(platform::cp1252("Keine gültige Zahl eingegeben!"), "Fehler");
            e->setFocus();
            e->selectAll();
            return;
        }
    }
    done(1);
}

void berstundenkonto1Click(TForm1& form) {
    book::Zeitbuch& b = form.buch();
    TKonto& konto = TKonto::von(form);
    konto.UeDaten25->setText(QString::number(b.korrekturNormal));
    konto.UeDaten50->setText(QString::number(b.korrekturExtra));
    if (runModal(konto) != 1) return;
    const std::optional<int32_t> normal = ganzzahl(konto.UeDaten25->text());
    const std::optional<int32_t> extra = ganzzahl(konto.UeDaten50->text());
    if (!normal || !extra) return;  // OK refuses these; nothing is taken over
    b.korrekturNormal = *normal;
    b.korrekturExtra = *extra;
    b.Summen_anzeigen(0);
}

}  // namespace app

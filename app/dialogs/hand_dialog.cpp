#include "app/dialogs/hand_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/dialog_runner.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/main_window.h"
#include "book/calculation/standby_lines.h"
#include "controls/calendar/kalender.h"
#include "controls/calendar/model/kalender_model.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {
namespace {

constexpr int kLoeschenId = 1;
constexpr int kRecord = 5;

}  // namespace

THand::THand(TForm1& form) : QDialog(&form), form_(form) {
    setWindowTitle(ui::toQString(platform::cp1252("Handeinstelung der Wochenzuschläge")));
    book::Zeitbuch& b = form_.buch();

    auto* top = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    Kalender = new calendar::TKalender(this);
    Tab = new StandbyListImage(this);
    Tab->setColor(ui::clWhite);
    Tab->setFixedSize(kTabBreite, kTabHoehe);
    sizeNow(*Tab);  // the list is drawn before the dialog shows
    Tab->onMouseDown = [this](ui::MouseButton button, int x, int y) { TabMouseDown(button, x, y); };
    oben->addWidget(Kalender, 0, Qt::AlignTop);
    oben->addWidget(Tab, 0, Qt::AlignTop);

    auto* zaehler = new QGridLayout;
    const char* const labels[4] = {"Anzahl bezahlter Wochen", "Anzahl bezahlter Wochenenden",
                                   "Anzahl PKW-Zuschlag Mo-Mo", "Anzahl PKW-Zuschlag Fr-Mo"};
    for (int i = 0; i < 4; ++i) {
        UpDown[i] = new QSpinBox(this);
        UpDown[i]->setRange(0, 10);
        zaehler->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i, 0);
        zaehler->addWidget(UpDown[i], i, 1);
        connect(UpDown[i], &QSpinBox::editingFinished, this, [this, i] { Edit1Exit(i); });
    }
    zaehler->setRowStretch(4, 1);
    oben->addLayout(zaehler);
    top->addLayout(oben);

    auto* knoepfe = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbruch"), this);
    Button3 = new QPushButton(QStringLiteral("Monat Reset"), this);
    Button4 = new QPushButton(ui::toQString(platform::cp1252("Alle Löschen")), this);
    for (QPushButton* p : {Button1, Button2, Button3, Button4}) knoepfe->addWidget(p);
    top->addLayout(knoepfe);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    setHelpContext(*this, kHelpHandeinstellung);

    // The calendar works on its own copy of the records until OK.
    auswahl_ = -1;
    liste_ = {book::kStandbyHeading, book::kStandbyColumnHeading};
    Kalender->Setze_Daten(b.bereitschaftsListe);
    listeAufbauen();
    Kalender->Steuerung();
    if (b.angemeldet || b.zeilen.size() > 1) Kalender->Setze_JahresBlock(true);
    Kalender->Init(static_cast<uint16_t>(b.jahr), static_cast<uint16_t>(b.monat), 0, nullptr);

    fixDialogFrame(*this);
    centreOn(*this, &form);
}

bool THand::dispatchMessage(ui::Message& m) {
    static const ui::MessageMap<THand> map{{calendar::WM_KALENDERMARKER, &THand::markerGeaendert}};
    return map.dispatch(*this, m) || MessageTarget::dispatchMessage(m);
}

void THand::markerGeaendert(ui::Message&) {
    auswahl_ = -1;
    listeAufbauen();
}

void THand::listeAufbauen() {
    book::Bereitschaftszeile(liste_, Kalender->Get_Daten(), form_.buch().jahresbilanz);
    listeZeichnen();
}

void THand::listeZeichnen() {
    ui::Canvas& c = Tab->canvas();
    c.brush = {ui::clBlack, ui::BrushStyle::Solid};
    c.FrameRect({0, 0, kTabBreite, kTabHoehe});
    c.brush.color = 0x808080;
    c.FrameRect({1, 1, kTabBreite - 1, kTabHoehe - 1});
    c.brush.color = ui::clWhite;
    c.FillRect({2, 2, kTabBreite - 2, kTabHoehe - 2});
    c.font = ui::Font{};
    c.font.name = "Courier New";
    c.font.setSize(8);
    for (int i = 0; i < static_cast<int>(liste_.size()); ++i) {
        const int y = kZeilenHoehe * i + 2;
        if (i == auswahl_) {
            c.brush.color = ui::clGreen;
            c.FillRect({2, y, kTabBreite - 2, y + kZeilenHoehe});
            c.font.color = ui::clWhite;
        } else {
            c.brush.color = ui::clWhite;
            c.font.color = ui::clBlue;
        }
        c.TextOut(3, y, liste_[i]);
    }
    c.pen = {ui::clBlack, 1, ui::PenStyle::Solid};
    c.MoveTo(3, 32);
    c.LineTo(kTabBreite - 3, 32);
    c.MoveTo(20, 17);
    c.LineTo(20, kTabHoehe - 2);
    Tab->Invalidate();
}

void THand::TabMouseDown(ui::MouseButton button, int x, int y) {
    (void)x;
    const int reihe = (y - 2) / kZeilenHoehe;
    if (reihe > 1 && reihe < static_cast<int>(liste_.size())) auswahl_ = reihe;
    listeZeichnen();
    if (button != ui::MouseButton::Right) return;
    ui::PopupMenu menu;
    menu.add(platform::cp1252("Eintrag Löschen"), kLoeschenId);
    PopupMenu1Popup(menu);
    if (menu.popup(Tab->mapToGlobal(QPoint(x, y)), this) == kLoeschenId) EintragLschen1Click();
}

void THand::PopupMenu1Popup(ui::PopupMenu& menu) {
    if (ui::MenuItem* item = menu.item(kLoeschenId)) item->enabled = auswahl_ != -1;
}

void THand::EintragLschen1Click() {
    const int r = auswahl_;
    if (r <= 1 || r >= static_cast<int>(liste_.size())) return;
    calendar::StandbyList daten = Kalender->Get_Daten();
    const int k = r - 2;
    std::copy(daten.begin() + (k + 1) * kRecord, daten.end(), daten.begin() + k * kRecord);
    daten[(book::kStandbyPeriods - 1) * kRecord] = 0;  // the last place is empty now
    Kalender->Setze_Daten(daten);
    Kalender->Init(static_cast<uint16_t>(Kalender->Get_Jahr()),
                   static_cast<uint16_t>(Kalender->Get_Monat()), 0, nullptr);
    auswahl_ = -1;
    listeAufbauen();
}

void THand::Button3Click() {
    auswahl_ = -1;
    Kalender->Del_Marker(true);
    listeAufbauen();
}

void THand::Button4Click() {
    auswahl_ = -1;
    Kalender->Del_Eintraege();
    listeAufbauen();
}

void THand::Edit1Exit(int index) {
    QSpinBox* s = UpDown.at(static_cast<size_t>(index));
    s->setValue(s->value());
}

void THand::Button1Click() {
    book::Zeitbuch& b = form_.buch();
    form_.enableAction(book::Action::Speichern, true);
    b.wochen = UpDown[0]->value();
    b.wochenenden = UpDown[1]->value();
    b.wochenPkw = UpDown[2]->value();
    b.wochenendenPkw = UpDown[3]->value();
    Kalender->Get_Eintraege(b.bereitschaftsListe.data(), book::kStandbyPeriods);
    b.handModus = true;
    // With an inserted line open the counts show once it is stored or left,
    // by the recomputation then (which keeps them in hand mode).
    if (b.zeileInBearbeitung())
        b.Zuschlaege_neu_berechnen();
    else
        b.Summen_anzeigen(0);
    if (!b.bereitschaft) form_.WZUschlagExecute();
    done(1);
}

void THand::Button2Click() { done(2); }

void THand::done(int r) {
    FormClose();
    QDialog::done(r);
}

void THand::FormClose() {
    if (form_.buch().handModus) return;
    form_.checkAction(book::Action::ZAutomatik, true);
    form_.checkAction(book::Action::ZHand, false);
}

void ZHandExecute(TForm1& form) {
    book::Zeitbuch& b = form.buch();
    if (b.jahresbilanz) {
        form.beep();
        form.Hinweis_zeigen(5);
        return;
    }
    if (!b.bearbeitungErlaubt) return;
    form.checkAction(book::Action::ZAutomatik, false);
    form.checkAction(book::Action::ZHand, true);
    THand dialog(form);
    const int32_t zaehler[4] = {b.wochen, b.wochenenden, b.wochenPkw, b.wochenendenPkw};
    for (int i = 0; i < 4; ++i) dialog.UpDown[i]->setValue(zaehler[i]);
    runModal(dialog);
    if (b.bereitschaftsAnzahl() > 0 && !b.angemeldet) {
        b.jahr = dialog.Kalender->Get_Jahr();
        form.setYearField(b.jahr);
        b.Monat_einstellen(b.monat);
        // An open inserted line keeps what was typed; leaving it shows the rest.
        if (!b.zeileInBearbeitung()) b.Zeile_auswaehlen(b.aktuelleZeile, true, false);
    }
}

}  // namespace app

#include "app/dialogs/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/dialog_runner.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "book/database/user_db_format.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {
namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// An edit for whole numbers of up to `digits` digits.
QLineEdit* zahlEdit(QWidget* parent, int digits) {
    auto* e = new QLineEdit(parent);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), e));
    e->setMaxLength(digits);
    e->setFixedWidth(14 + 9 * digits);
    return e;
}

// An amount "999,99": up to three digits, a comma and two decimals.
QLineEdit* betragEdit(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9 ]{0,3}(,[0-9 ]{0,2})?")), e));
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(60);
    return e;
}

// Hours and minutes "hh:mm", blanks shown as "_".
QLineEdit* uhrzeitEdit(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setInputMask(QStringLiteral("99:99;_"));
    e->setFixedWidth(50);
    return e;
}

QWidget* zeile(QWidget* parent, const char* label, QWidget* field, const char* after = nullptr) {
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(new QLabel(u(label), w), 1);
    h->addWidget(field);
    if (after != nullptr) h->addWidget(new QLabel(u(after), w));
    return w;
}

const char* const kWochentage[7] = {"Montag",  "Dienstag",  "Mittwoch", "Donerstag",
                                    "Freitag", "Sonnabend", "Sonntag "};

const char* const kOptionen[12] = {
    "Privat PKW-Zuschlag ein",        "Bereitschaftszuschläge ein",
    "Feiertage ein",                  "Wechsel Zeit/Art der Arbeit ein",
    "Ganze Bereitschaftswochen ein",  "Mathematisch Runden ein",
    "Gültig nur mit Unterschrift",    "In Farbe drucken",
    "Standard Formular",              "Backup Ein/Aus",
    "Bei jedem Beenden",              "Einmal pro Tag",
};

}  // namespace

TFeiertage::TFeiertage(TForm1& form) : QDialog(&form, Qt::Tool), form_(form) {
    setWindowTitle(QStringLiteral("Einstellung"));
    setHelpContext(*this, kHelpEinstellung);
    buildPages();
    bereichsfehler_ = false;
    Lade_Einstellungen();

    const bool admin = form_.buch().administrator;
    for (QWidget* w : std::initializer_list<QWidget*>{
             CheckListBox1, ComboBox1, ComboBox2, MaskEdit1, MaskEdit2, Edit6, Edit7, Button3,
             Edit9, Rundung, Edit8, Button4, MaskEdit3}) {
        w->setEnabled(admin && w->isEnabled());
    }
    for (QLineEdit* e : Prozent) e->setEnabled(admin);
    for (QLineEdit* e : Betrag) e->setEnabled(admin);
    for (QCheckBox* c : CheckBox) c->setEnabled(admin && c->isEnabled());
    for (QAbstractButton* b : K_Stellen->buttons()) b->setEnabled(admin);

    fixDialogFrame(*this);
    centreOn(*this, &form);
}

void TFeiertage::buildPages() {
    auto* top = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setUsesScrollButtons(false);  // all seven pages named at once
    top->addWidget(PageControl1);

    // "Feiertage": dates beside the names with their check marks.
    auto* feiertage = new QWidget(PageControl1);
    auto* fh = new QHBoxLayout(feiertage);
    ListBox1 = new QListWidget(feiertage);
    ListBox1->setEnabled(false);
    ListBox1->setFixedWidth(90);
    CheckListBox1 = new QListWidget(feiertage);
    CheckListBox1->setMinimumWidth(190);
    for (const char* name : book::kHolidayNames) {
        auto* item = new QListWidgetItem(ui::toQString(name), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const int rowsHigh = CheckListBox1->sizeHintForRow(0) * book::kHolidayCount + 6;
    ListBox1->setFixedHeight(rowsHigh);
    CheckListBox1->setFixedHeight(rowsHigh);
    fh->addWidget(ListBox1);
    fh->addWidget(CheckListBox1);
    PageControl1->addTab(feiertage, QStringLiteral("Feiertage"));

    // "Prozente".
    auto* prozente = new QWidget(PageControl1);
    auto* pv = new QVBoxLayout(prozente);
    const char* const prozentLabels[5] = {"Normal in %", "Extra in %", "Nacht in %",
                                          "Wochenfeiertag in %", "Feiertag am So/Sa in %"};
    for (int i = 0; i < 5; ++i) {
        Prozent[i] = zahlEdit(prozente, 3);
        pv->addWidget(zeile(prozente, prozentLabels[i], Prozent[i]));
    }
    pv->addStretch();
    PageControl1->addTab(prozente, QStringLiteral("Prozente"));

    // "Zeiten".
    auto* zeiten = new QWidget(PageControl1);
    auto* zv = new QVBoxLayout(zeiten);
    auto* bereich = new QGroupBox(u("Extra Prozentbereich in der Woche"), zeiten);
    auto* bg = new QGridLayout(bereich);
    ComboBox1 = new QComboBox(bereich);
    ComboBox2 = new QComboBox(bereich);
    for (const char* tag : kWochentage) {
        ComboBox1->addItem(u(tag));
        ComboBox2->addItem(u(tag));
    }
    ComboBox1->addItem(QStringLiteral("Deaktiviert"));
    bg->addWidget(new QLabel(QStringLiteral("von"), bereich), 0, 0);
    bg->addWidget(ComboBox1, 0, 1);
    bg->addWidget(new QLabel(QStringLiteral("bis"), bereich), 0, 2);
    bg->addWidget(ComboBox2, 0, 3);
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    zv->addWidget(bereich);
    MaskEdit1 = uhrzeitEdit(zeiten);
    MaskEdit2 = uhrzeitEdit(zeiten);
    zv->addWidget(zeile(zeiten, "Nachtzuschlag beginnt um", MaskEdit1));
    zv->addWidget(zeile(zeiten, "Nachtzuschlag endet um", MaskEdit2));
    Edit6 = zahlEdit(zeiten, 4);
    zv->addWidget(zeile(zeiten, "Maximale Zeit für Prozente der normalen Überstunden in Minuten",
                        Edit6));
    zv->addStretch();
    PageControl1->addTab(zeiten, QStringLiteral("Zeiten"));

    // "Euro".
    auto* euro = new QWidget(PageControl1);
    auto* ev = new QVBoxLayout(euro);
    const char* const gruppen[2] = {"Zuschlag für die Bereitschaft",
                                    "Zuschlag für den eigenen PKW"};
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(u(gruppen[g]), euro);
        auto* bv = new QVBoxLayout(box);
        Betrag[2 * g] = betragEdit(box);
        Betrag[2 * g + 1] = betragEdit(box);
        bv->addWidget(zeile(box, "Woche", Betrag[2 * g], "€"));
        bv->addWidget(zeile(box, "Wochenende", Betrag[2 * g + 1], "€"));
        ev->addWidget(box);
    }
    ev->addStretch();
    PageControl1->addTab(euro, QStringLiteral("Euro"));

    // "Start".
    auto* start = new QWidget(PageControl1);
    auto* sv = new QVBoxLayout(start);
    auto* pfad = new QGroupBox(u("Pfadangabe für die Datenbank"), start);
    auto* ph = new QHBoxLayout(pfad);
    Edit7 = new QLineEdit(pfad);
    Edit7->setMinimumWidth(220);
    Button3 = new QPushButton(QStringLiteral("Durchsuchen"), pfad);
    ph->addWidget(Edit7, 1);
    ph->addWidget(Button3);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    // A long path can be read in full in the field's hint.
    connect(Edit7, &QLineEdit::textChanged, this, [this] { Edit7->setToolTip(Edit7->text()); });
    sv->addWidget(pfad);
    auto* startBox = new QGroupBox(QStringLiteral("Starteinstellung"), start);
    auto* sg = new QGridLayout(startBox);
    for (int i = 0; i < 12; ++i) CheckBox[i] = new QCheckBox(u(kOptionen[i]));
    for (int i = 0; i < 9; ++i) sg->addWidget(CheckBox[i], i % 5, i / 5);
    connect(CheckBox[1], &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    sv->addWidget(startBox);
    auto* bereichBox = new QGroupBox(QStringLiteral("Bereich"), start);
    auto* bh = new QHBoxLayout(bereichBox);
    Edit9 = new QLineEdit(bereichBox);
    bh->addWidget(Edit9);
    sv->addWidget(bereichBox);
    sv->addStretch();
    PageControl1->addTab(start, QStringLiteral("Start"));

    // "Genauigkeit".
    auto* genau = new QWidget(PageControl1);
    auto* gv = new QVBoxLayout(genau);
    auto* stellen = new QGroupBox(QStringLiteral("Nachkommastellen"), genau);
    auto* sh = new QHBoxLayout(stellen);
    K_Stellen = new QButtonGroup(stellen);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::number(i), stellen);
        K_Stellen->addButton(r, i);
        sh->addWidget(r);
    }
    gv->addWidget(stellen);
    Rundung = zahlEdit(genau, 2);
    gv->addWidget(zeile(genau, "Rundung auf volle", Rundung, "min"));
    gv->addStretch();
    PageControl1->addTab(genau, QStringLiteral("Genauigkeit"));

    // "Backup".
    auto* backup = new QWidget(PageControl1);
    auto* kv = new QVBoxLayout(backup);
    auto* kpfad = new QGroupBox(u("Pfadangabe für die Sicherheitskopien"), backup);
    auto* kh = new QHBoxLayout(kpfad);
    Edit8 = new QLineEdit(kpfad);
    Button4 = new QPushButton(QStringLiteral("Durchsuchen"), kpfad);
    kh->addWidget(Edit8, 1);
    kh->addWidget(Button4);
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    kv->addWidget(kpfad);
    for (int i = 9; i < 12; ++i) {
        CheckBox[i]->setParent(backup);
        kv->addWidget(CheckBox[i]);
    }
    CheckBox[11]->setEnabled(false);  // "Einmal pro Tag" is not offered
    MaskEdit3 = zahlEdit(backup, 2);
    kv->addWidget(zeile(backup, "Anzahl der Folgesicherungen", MaskEdit3));
    kv->addStretch();
    PageControl1->addTab(backup, QStringLiteral("Backup"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbruch"), this);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    top->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });
}

void TFeiertage::Lade_Einstellungen() {
    const EinstellungsFelder f = einstellungenLaden(form_.buch(), form_.Anzeige_Jahr->position());
    ListBox1->clear();
    const int zeilenHoehe = CheckListBox1->sizeHintForRow(0);  // each date beside its holiday
    for (int i = 0; i < book::kHolidayCount; ++i) {
        auto* datum = new QListWidgetItem(ui::toQString(f.feiertagsDaten[i]), ListBox1);
        datum->setSizeHint(QSize(0, zeilenHoehe));
        CheckListBox1->item(i)->setCheckState(f.feiertagEin[i] ? Qt::Checked : Qt::Unchecked);
    }
    for (int i = 0; i < 5; ++i) Prozent[i]->setText(ui::toQString(f.prozente[i]));
    Edit9->setText(ui::toQString(f.bereich));
    for (int i = 0; i < 4; ++i) Betrag[i]->setText(ui::toQString(f.betraege[i]));
    MaskEdit1->setText(ui::toQString(f.nachtBeginn));
    MaskEdit2->setText(ui::toQString(f.nachtEnde));
    MaskEdit3->setText(ui::toQString(f.folgesicherungen));
    Edit6->setText(ui::toQString(f.tagesMinuten));
    ComboBox1->setCurrentIndex(f.vonTag);
    ComboBox2->setEnabled(f.vonTag != kVonTagDeaktiviert);
    if (f.vonTag != kVonTagDeaktiviert) ComboBox2->setCurrentIndex(f.bisTag);
    Edit7->setText(ui::toQString(f.datenOrdner));
    Edit8->setText(ui::toQString(f.backupOrdner));
    if (QAbstractButton* b = K_Stellen->button(f.kommastellen)) b->setChecked(true);
    Rundung->setText(ui::toQString(f.rundung));
    for (int i = 0; i < 12; ++i) CheckBox[i]->setChecked((f.optionen >> i) & 1);
    CheckBox2Click();
}

EinstellungsFelder TFeiertage::felder() const {
    EinstellungsFelder f;
    for (int i = 0; i < book::kHolidayCount; ++i) {
        f.feiertagsDaten[i] = ui::fromQString(ListBox1->item(i)->text());
        f.feiertagEin[i] = CheckListBox1->item(i)->checkState() == Qt::Checked;
    }
    for (int i = 0; i < 5; ++i) f.prozente[i] = ui::fromQString(Prozent[i]->text());
    for (int i = 0; i < 4; ++i) f.betraege[i] = ui::fromQString(Betrag[i]->text());
    f.nachtBeginn = ui::fromQString(MaskEdit1->displayText());
    f.nachtEnde = ui::fromQString(MaskEdit2->displayText());
    f.tagesMinuten = ui::fromQString(Edit6->text());
    f.vonTag = ComboBox1->currentIndex();
    f.bisTag = ComboBox2->currentIndex();
    f.datenOrdner = ui::fromQString(Edit7->text());
    f.bereich = ui::fromQString(Edit9->text());
    f.kommastellen = K_Stellen->checkedId();
    f.rundung = ui::fromQString(Rundung->text());
    f.backupOrdner = ui::fromQString(Edit8->text());
    f.folgesicherungen = ui::fromQString(MaskEdit3->text());
    for (int i = 0; i < 12; ++i)
        if (CheckBox[i]->isChecked()) f.optionen |= static_cast<uint16_t>(1u << i);
    return f;
}

void TFeiertage::Button1Click() {
    book::Zeitbuch& b = form_.buch();
    // A typed folder that the settings file could not hold stores nothing;
    // the dialog stays open on that field.
    if (b.administrator) {
        for (QLineEdit* e : {Edit7, Edit8}) {
            if (ui::pathFromDialog(e->text())) continue;
            zeigeFeld(e);
            return;
        }
    }
    if (b.administrator) {
        const std::vector<Eingabefehler> fehler = einstellungenSpeichern(felder(), b);
        for (const Eingabefehler& e : fehler) Bereichsfehler(e);
        form_.Einstellungen_anzeigen();
        b.Summen_anzeigen(0);
    }
    // A refused value keeps the dialog open once; the values in range are stored.
    if (bereichsfehler_) {
        bereichsfehler_ = false;
        return;
    }
    done(1);
}

QLineEdit* TFeiertage::feldEdit(Feld feld) const {
    const int i = static_cast<int>(feld);
    if (feld <= Feld::Prozent5) return Prozent[i];
    if (feld <= Feld::Betrag4) return Betrag[i - static_cast<int>(Feld::Betrag1)];
    switch (feld) {
        case Feld::NachtBeginn: return MaskEdit1;
        case Feld::NachtEnde: return MaskEdit2;
        case Feld::TagesMinuten: return Edit6;
        default: return Rundung;
    }
}

void TFeiertage::Bereichsfehler(const Eingabefehler& fehler) {
    if (bereichsfehler_) return;
    bereichsfehler_ = true;
    platform::MessageBox(eingabefehlerText(fehler.code), eingabefehlerCaption(fehler.code));
    zeigeFeld(feldEdit(fehler.feld));
}

// The field comes into view with its text selected.
void TFeiertage::zeigeFeld(QLineEdit* e) {
    for (QWidget* p = e->parentWidget(); p != nullptr; p = p->parentWidget()) {
        const int page = PageControl1->indexOf(p);
        if (page >= 0) {
            PageControl1->setCurrentIndex(page);
            break;
        }
    }
    e->setFocus();
    e->selectAll();
}

void TFeiertage::Button3Click() {
    const std::string ordner = ui::BrowseFolder(platform::cp1252("Verzeichnis auswählen"),
                                                ui::fromQString(Edit7->text()), this);
    if (ordner.empty()) return;
    const bool vorhanden =
        platform::fileExists(platform::joinPath(ordner, book::kIndexFileName)) &&
        platform::fileExists(platform::joinPath(ordner, book::kBlockFileName));
    if (!vorhanden &&
        platform::MessageBox("Datenbank in diesem Pfad nicht gefunden!\n"
                             "Soll der Pfad trotzdem \xFC" "bernommen werden?",
                             "Warnung", platform::Buttons::YesNo) == platform::Answer::No)
        return;
    Edit7->setText(ui::toQString(ordner));
}

void TFeiertage::Button4Click() {
    const std::string ordner = ui::BrowseFolder(platform::cp1252("Verzeichnis auswählen"),
                                                ui::fromQString(Edit8->text()), this);
    if (!ordner.empty()) Edit8->setText(ui::toQString(ordner));
}

void TFeiertage::ComboBox1Change() {
    const int von = ComboBox1->currentIndex();
    if (von == kVonTagDeaktiviert) {
        ComboBox2->setEnabled(false);
        return;
    }
    ComboBox2->setEnabled(true);
    if (von > ComboBox2->currentIndex()) ComboBox2->setCurrentIndex(von);
}

void TFeiertage::ComboBox2Change() {
    if (ComboBox2->currentIndex() < ComboBox1->currentIndex())
        ComboBox1->setCurrentIndex(ComboBox2->currentIndex());
}

void TFeiertage::CheckBox2Click() {
    CheckBox[0]->setEnabled(CheckBox[1]->isChecked() && form_.buch().administrator);
}

void OptionClick(TForm1& form) {
    TFeiertage dialog(form);
    runModal(dialog);
}

}  // namespace app

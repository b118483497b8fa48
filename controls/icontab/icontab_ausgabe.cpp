// TIconTab's ways out: the default context menu, the clipboard copies of a
// cell and of the tables (text and "HTML Format"), the text export, the mail
// hand-off and pasting clipboard text into a string.
#include "controls/table_shared/ausgabe_dienste.h"
#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_export.h"
#include "platform/core/message_box.h"
#include "platform/core/replace_file.h"
#include "platform/ui/input/clipboard.h"

namespace table {
namespace {

constexpr const char* kSpeichernFehler = "Datei konnte nicht gespeichert werden!";

}  // namespace

void TIconTab::SetDefaultMenu(bool on) {
    if (!on) {
        menu_.reset();
        return;
    }
    if (menu_) return;
    menu_ = std::make_unique<ui::PopupMenu>();
    menu_->add("Tabelle Drucken", kDrucken);
    menu_->add("Zelle Kopieren", kZellKopie);
    menu_->add("Tabelle Kopieren", kTabKopie);
    menu_->add("Tabelle Exportieren", kExport);
    menu_->add("Tabelle Senden (E-Mail)", kEMail);
}

void TIconTab::menuZeigen(QPoint globalPos) {
    if (menu_) menuAusfuehren(menu_->popup(globalPos, this));
}

void TIconTab::menuAusfuehren(int id) {
    switch (id) {
        case kDrucken:
            OnDrucken();
            break;
        case kZellKopie:
            OnZellKopie();
            break;
        case kTabKopie:
            OnTabKopie();
            break;
        case kExport:
            OnExport();
            break;
        case kEMail:
            OnEMail();
            break;
        default:
            break;
    }
}

void TIconTab::OnDrucken() {
    if (OnDruck) {
        OnDruck(*this);
        return;
    }
    Print(druckTitel());
}

void TIconTab::OnZellKopie() {
    const Tabdefinition* t = letzteFokusTabelle();
    if (t == nullptr || t->Selected < t->FixedRows || !auswahlSichtbar()) return;
    TextKopie(GetCell(-1, -1, -1), false);
}

void TIconTab::OnTabKopie() {
    const Tabdefinition* t = letzteFokusTabelle();
    if (t == nullptr) return;
    const std::string text = tabellenText(*t);
    if (!text.empty()) TextKopie(text, true);
}

bool TIconTab::TextKopie(const std::string& text, bool html) {
    if (text.empty()) return false;
    ui::ClipboardContent inhalt;
    inhalt.setText(text);
    if (html) {
        std::string s;
        HTMLKopie(s, false);
        if (!s.empty()) inhalt.setHtmlFormat(std::move(s));
    }
    return ui::putOnClipboard(inhalt);
}

void TIconTab::HTMLKopie(std::string& out, bool noHeader) const {
    const std::string* caption = bild().masse.captionHoehe != 0 ? &caption_ : nullptr;
    const std::string s = htmlKopie(tabellenListe(), caption, !noHeader);
    if (noHeader) {
        out += s;
    } else {
        out = s;
    }
}

void TIconTab::Export(const std::string& file, int mode) {
    const Tabdefinition* t = aktuelleTabelle();
    if (t == nullptr || !platform::replaceFile(file, exportText(*t, mode)))
        platform::MessageBox(kSpeichernFehler, "Fehler", platform::Buttons::Ok);
}

void TIconTab::OnExport() {
    const Tabdefinition* t = aktuelleTabelle();
    if (t == nullptr || t->rowCount() == 0) return;
    const std::optional<ExportWahl> wahl = exportDialog(this);
    if (!wahl || wahl->datei.empty()) return;
    Export(exportDateiName(wahl->datei), wahl->filter);
}

void TIconTab::OnEMail() {
    TextKopie("Tab", true);
    if (!linkOeffnen(mailLink(caption_)))
        platform::MessageBox(
            "Es konnte kein E-Mail-Programm ge\xF6"
            "ffnet werden.\n"
            "Die Tabelle liegt in der Zwischenablage und kann von Hand in eine E-Mail "
            "eingef\xFCgt werden.",
            "E-Mail", platform::Buttons::Ok, platform::Icon::Warning);
}

bool TIconTab::TextPaste(std::string& s, int pos) {
    const std::optional<std::string> text = ui::clipboardText();
    if (!text) return false;
    // Positions outside the string insert at its nearer end.
    const size_t p = pos < 1 ? 0 : std::min(static_cast<size_t>(pos - 1), s.size());
    s.insert(p, *text);
    return true;
}

}  // namespace table

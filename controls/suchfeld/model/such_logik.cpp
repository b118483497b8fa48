#include "controls/suchfeld/model/such_logik.h"

#include "controls/suchfeld/model/such_text.h"

namespace table {

void SuchfeldLogik::sende(Such_Kommando cmd) {
    if (ziel_ != nullptr) ziel_->Suche(cmd);
}

void SuchfeldLogik::Set_Suche(SuchZiel* ziel) {
    if (ziel == ziel_) return;
    if (!sicht_.text().empty()) {
        TextExit();
        sicht_.setText("");
    }
    if (ziel_ != nullptr) ziel_->Suche(kAbgekoppelt);
    if (ziel != nullptr) ziel->Suche(kAngekoppelt);
    ziel_ = ziel;
}

int SuchfeldLogik::Vergleich(const std::string& zelle) const {
    return table::Vergleich(sicht_.text(), zelle, grossKlein_);
}

void SuchfeldLogik::NotFund(int pos) {
    const Auswahl a = notFundAuswahl(static_cast<int>(sicht_.text().size()), pos);
    if (a.laenge > 0) sicht_.select(a.start, a.laenge);
}

void SuchfeldLogik::Set_Spalten_Name(const std::string& name, int i) {
    if (i < 0 || i >= kSpaltenGrenze) return;
    if (spalten_.size() <= static_cast<size_t>(i)) spalten_.resize(static_cast<size_t>(i) + 1);
    spalten_[static_cast<size_t>(i)] = name;
}

void SuchfeldLogik::Set_Spalte(int i) {
    if (i == -1) {
        spalten_.clear();
        sicht_.zeigeSpalte("");
    } else if (i >= 0 && static_cast<size_t>(i) < spalten_.size()) {
        sicht_.zeigeSpalte(spalten_[static_cast<size_t>(i)]);
    }
}

void SuchfeldLogik::spalteGewaehlt(int n) {
    if (ziel_ == nullptr || n < 0 || n >= kSpaltenGrenze) return;
    if (static_cast<size_t>(n) < spalten_.size())
        sicht_.zeigeSpalte(spalten_[static_cast<size_t>(n)]);
    sende(kSpalteGewaehlt + static_cast<Such_Kommando>(n));
}

bool SuchfeldLogik::keyPress(char ch, bool editHasFocus) {
    if (editHasFocus) getippt_ = true;
    return ch == '\r';  // Enter is a command, never a character of the text
}

bool SuchfeldLogik::keyDown(SuchTaste taste) {
    if (taste != SuchTaste::Enter || ziel_ == nullptr) return false;
    sende(kEnterGedrueckt);
    return true;
}

void SuchfeldLogik::keyUp(SuchTaste taste) {
    if (!getippt_ && taste != SuchTaste::F3) return;
    getippt_ = false;
    von_ = taste == SuchTaste::F3;
    sende(kSucheJetzt);
    von_ = false;
}

void SuchfeldLogik::startClick() {
    von_ = true;
    sende(kSucheJetzt);
    von_ = false;
}

void SuchfeldLogik::TextExit() {
    const std::string text = sicht_.text();
    if (text.empty()) return;
    historie_.merke(text);
    sicht_.select(0, static_cast<int>(text.size()));
}

void SuchfeldLogik::SetListIndex(int index) {
    const auto& e = historie_.eintraege();
    if (index >= 0 && static_cast<size_t>(index) < e.size())
        sicht_.setText(e[static_cast<size_t>(index)]);
}

}  // namespace table

// The in-cell editor of IconTabBedienung: opening it on a cell, loading and
// committing the cell, the editing commands, the caret's place and the
// colours of single cells.
#include <algorithm>

#include "controls/icontab/model/icontab_bedienung.h"

namespace table {
namespace {

// The editor's lines break at CR (an LF after it is dropped); text from
// other programs may break its lines with a bare LF, which becomes CR LF.
std::string zeilenumbrueche(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

int IconTabBedienung::sucheZaehler_ = 0;

IconTabBedienung::~IconTabBedienung() = default;

// ---- Editable columns ----

void IconTabBedienung::SetEditCol(std::uint32_t mask, int tab) {
    Tabdefinition* t = tab == -1 ? aktuelleTabelle() : GetTabelle(tab, false);
    if (t != nullptr) t->EditMaske = mask;
    if (mask == 0) {
        if (eingabe_ && eingabe_->sichtbar) Input_Show(false);
        eingabe_.reset();
        return;
    }
    if (!eingabe_) eingabe_ = std::make_unique<Eingabe>();
    if (eingabe_->sichtbar) Input_Show(false);
}

std::uint32_t IconTabBedienung::GetEditCol() const {
    const Tabdefinition* t = aktuelleTabelle();
    return t ? t->EditMaske : 0;
}

void IconTabBedienung::Set_Eingabefocus(int col, int row, int tab) {
    if (tab > -1) {
        if (Tabdefinition* t = GetTabelle(tab, false)) setFokusTabelle(t);
    }
    Tabdefinition* t = aktuelleTabelle();
    if (t == nullptr || t->rowCount() <= t->FixedRows || eingabeOffen() || !eingabe_ ||
        t->EditMaske == 0 || !auswahlSichtbar())
        return;
    // Only row -1 chooses a row; any other row names the one the caller
    // believes selected, and the editor opens on the selection itself.
    if (row == -1) {
        const int r = NextRow(false, 0, t);
        if (r >= 0 && r != t->Selected) ChangeRow(r, t);
    }
    // Without a selected data row there is no record to edit.
    if (t->Selected < t->FixedRows || !t->hatRow(t->Selected)) return;
    int spalte = -1;
    for (int c = std::max(col, 0); c < 32 && c < t->Spalten; ++c) {
        if (t->EditMaske & spaltenBit(c)) {
            spalte = c;
            break;
        }
    }
    if (spalte < 0) return;
    eingabe_->spalte = spalte;
    eingabe_->tab = t;
    setFokusTabelle(t);
    Set_Input(t->Selected);
    if (!eingabe_ || eingabe_->tab != t) return;  // OnGetFilter switched the editor off
    eingabe_->sichtbar = true;
    if (!hatFokus()) fokusNehmen();
    cursorSetzen(0, true);
    neuZeichnen();
    if (row == -1 || row != t->Selected) {
        setAktuelleSpalte(spalte);
        if (OnSelectCell) OnSelectCell(*this, t->Selected, spalte);
    }
}

void IconTabBedienung::Input_Show(bool an) {
    if (!eingabe_ || eingabe_->sichtbar == an) return;
    if (an) {
        // A closed editor kept no text: it loads the selected cell again.
        Tabdefinition* t = eingabe_->tab;
        if (t == nullptr || eingabe_->spalte < 0 || t->Selected < t->FixedRows ||
            !t->hatRow(t->Selected))
            return;
        if (eingabe_->zeile != t->Selected) {
            Set_Input(t->Selected);
            if (!eingabe_ || eingabe_->tab != t) return;
        }
        eingabe_->sichtbar = true;
    } else {
        eingabe_->sichtbar = false;
        listeSchliessen();
        eingabeLeeren();
    }
    neuZeichnen();
}

// A closed editor holds nothing that a later commit or focus loss could
// store into whatever record then sits on its row.
void IconTabBedienung::eingabeLeeren() {
    Eingabe& e = *eingabe_;
    e.geaendert = false;
    e.text.SetString(-1, "");
    e.selStart = 0;
    e.selLaenge = 0;
    e.cursor = Cursordef{};
    e.zeile = -1;
    eingabeBild_ = EingabeBild{};
}

// ---- Loading and committing ----

void IconTabBedienung::Set_Input(int row) {
    if (!eingabe_ || eingabe_->tab == nullptr || row < 0) return;
    Eingabe& e = *eingabe_;
    Tabdefinition* t = e.tab;
    e.listIndex = -1;
    setFokusTabelle(t);
    e.art = 0;
    e.filter = Filter_Struct{};
    if (OnGetFilter) {
        Filter_Struct f;
        OnGetFilter(*this, f, row, e.spalte);
        if (!eingabe_ || eingabe_->tab != t) return;  // the handler switched the editor off
        if (f.Art >= 1 && f.Art <= 3) {
            e.filter = std::move(f);
            e.art = e.filter.Art;
        }
    }
    const std::string text = t->zelle(row, e.spalte);
    e.zeile = row;
    e.text.SetString(-1, text);
    e.selStart = 0;
    e.selLaenge = e.art == 1 ? 0 : e.text.GetTextLength();
    if (e.art == 2 && e.filter.Tabelle != nullptr && !text.empty()) {
        // An exact look-up in the source's search column that moves nothing.
        e.listIndex = e.filter.Tabelle->FindRow(text, false, e.filter.Suchspalte, nullptr, -1, true,
                                                -1, nullptr);
    } else if (e.art == 3 && e.filter.Quelle != nullptr && !text.empty()) {
        e.listIndex = e.filter.Quelle->finde(text);
    }
    e.geaendert = false;
    // The column comes into view: from the left at once, from the right
    // one column at a time until it ends inside the client area or is the
    // first one shown.
    if (e.spalte >= t->FixedCols) {
        if (e.spalte < leftCol()) Hor_Change(SB_THUMBPOSITION, e.spalte);
        while (leftCol() < maxLeftCol() && leftCol() < e.spalte && !spalteGanz(t, e.spalte))
            Hor_Change(SB_THUMBPOSITION, leftCol() + 1);
    }
    e.cursor = Cursordef{};
    eingabeBild_ = EingabeBild{};
    cursorSetzen(e.art == 0 ? e.selLaenge : 0, false);
}

void IconTabBedienung::TextChange() {
    // Only an open editor has a text to store.
    if (!eingabeOffen() || eingabe_->tab == nullptr) return;
    Tabdefinition* t = eingabe_->tab;
    const int row = t->Selected;
    if (row < t->FixedRows || !t->hatRow(row)) return;
    eingabe_->geaendert = false;
    std::string str = eingabe_->text.GetTextStr(EingabeText::kAlles, {}, 0, 0);
    bool enabled = true;
    const int spalte = eingabe_->spalte;
    if (OnCellChange) {
        OnCellChange(*this, row, spalte, str, eingabe_->listIndex, enabled);
        if (!eingabe_ || eingabe_->tab != t || GetTabelle(t->Nummer, false) != t) return;
    }
    if (!enabled) return;
    SetCell(static_cast<unsigned>(row), static_cast<unsigned>(spalte), str, 0, -1, t->Nummer);
}

bool IconTabBedienung::eingabeAuf(const Tabdefinition* t, int row, int col) const {
    return eingabeOffen() && eingabe_->tab == t && t != nullptr &&
           (row == -1 || row == t->Selected) && (col == -1 || col == eingabe_->spalte);
}

std::string IconTabBedienung::eingabeText() const {
    return eingabe_ ? eingabe_->text.GetTextStr(EingabeText::kAlles, {}, 0, 0) : std::string();
}

void IconTabBedienung::eingabeNeuLaden() {
    // The host changed the edited cell: the editor shows the new text.
    if (!eingabeOffen() || eingabe_->tab == nullptr) return;
    Eingabe& e = *eingabe_;
    const std::string neu = e.tab->zelle(e.tab->Selected, e.spalte);
    if (neu == eingabeText()) return;
    e.text.SetString(-1, neu);
    e.selStart = 0;
    e.selLaenge = 0;
    e.cursor = e.text.begrenzt(e.cursor);
    cursorSetzen(0, true);
}

void IconTabBedienung::eingabeVerschieben() {
    if (eingabeOffen()) cursorSetzen(0, false);
}

void IconTabBedienung::eingabeUebernehmen() {
    if (eingabeOffen() && eingabe_->geaendert) TextChange();
}

void IconTabBedienung::eingabeZeileGewechselt(const Tabdefinition* t) {
    // The input was committed before the move; the editor never keeps one
    // record's text over another record's row.
    if (!eingabeOffen() || eingabe_->tab != t || eingabe_->zeile == t->Selected) return;
    if (t->Selected >= t->FixedRows && t->hatRow(t->Selected)) {
        Set_Input(t->Selected);
        cursorSetzen(0, false);
    } else {
        Input_Show(false);
    }
}

void IconTabBedienung::eingabeVergessen(const Tabdefinition* t) {
    if (hitTab_ == t) {
        hitTab_ = nullptr;
        hitRow_ = hitCol_ = -1;
    }
    if (farbTab_ == t) {
        farbTab_ = nullptr;
        zellFarben_.clear();
    }
    if (!eingabe_ || eingabe_->tab != t) return;
    eingabe_->sichtbar = false;
    eingabe_->tab = nullptr;
    eingabe_->listeOffen = false;
    listeZeigen(false);
    eingabeLeeren();
}

// ---- Cursor and box ----

bool IconTabBedienung::spalteGanz(const Tabdefinition* t, int col) const {
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(t);
    if (p == nullptr) return true;  // not on screen: nothing to scroll for
    for (const SpaltenPlatz& s : p->spalten)
        if (s.col == col) return s.right <= b.masse.clientBreite;
    return false;
}

bool IconTabBedienung::GetZellRect(Rect& r, int col, int row, int tab) const {
    r = Rect{};
    const std::vector<const Tabdefinition*> liste = tabellenListe();
    const Tabdefinition* t = aktuelleTabelle();
    if (tab != -1) {
        if (tab < 0 || tab >= static_cast<int>(liste.size())) return false;
        t = liste[static_cast<size_t>(tab)];
    }
    if (t == nullptr) return false;
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(t);
    if (p == nullptr) return false;
    const ZeilenPlatz* z = b.platzVon(*p, row);
    if (z == nullptr) return false;
    for (const SpaltenPlatz& s : p->spalten) {
        if (s.col != col) continue;
        r = b.zelle(*p, *z, s);
        return true;
    }
    return false;
}

bool IconTabBedienung::boxRechteck(Rect& r) const {
    if (!eingabe_ || eingabe_->tab == nullptr) return false;
    const Tabdefinition* t = eingabe_->tab;
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(t);
    if (p == nullptr) return false;
    const ZeilenPlatz* z = b.platzVon(*p, t->Selected);
    if (z == nullptr) return false;
    for (size_t i = 0; i < p->spalten.size(); ++i) {
        const SpaltenPlatz& s = p->spalten[i];
        if (s.col != eingabe_->spalte) continue;
        r = b.zelle(*p, *z, s);
        // The last column shown, or one that runs past the edge, takes the
        // room up to the client's right edge.
        const int rand = b.masse.clientBreite;
        if (i + 1 == p->spalten.size() || r.right > rand - 2) r.right = std::max(r.right, rand);
        r.right = std::min(r.right, rand);
        return r.right > r.left;
    }
    return false;
}

void IconTabBedienung::cursorSetzen(int move, bool redraw) {
    if (!eingabe_ || eingabe_->tab == nullptr || eingabe_->tab->Selected < 0) return;
    Eingabe& e = *eingabe_;
    Rect r;
    if (!boxRechteck(r)) r = Rect{};
    e.box = r;
    const int breite = r.width() - (e.art == 1 ? 12 : 0);
    e.cursor = e.text.bewege(e.cursor, move);
    const int altScroll = eingabeBild_.scroll;
    eingabeBild_ = eingabeLayout(e.text, e.cursor, e.cursor.Scroll, breite, r.height(), metrik());
    e.cursor.Scroll = eingabeBild_.scroll;
    if (redraw || altScroll != eingabeBild_.scroll) zeichneEingabe();
}

void IconTabBedienung::zeichneEingabe() {
    if (eingabeOffen()) eingabeZeichnen();
}

void IconTabBedienung::SetMouseCursor(int x, int y) {
    if (!eingabeOffen()) return;
    Eingabe& e = *eingabe_;
    e.cursor = cursorBei(e.text, eingabeBild_, x - e.box.left, y - e.box.top, metrik());
    cursorSetzen(0, true);
}

// ---- Editing ----

void IconTabBedienung::DelSelect(bool redraw) {
    if (!eingabe_ || eingabe_->selLaenge <= 0) return;
    Eingabe& e = *eingabe_;
    e.text.DeleteText(-1, e.selStart, e.selLaenge);
    e.selLaenge = 0;
    e.cursor = e.text.bewege(Cursordef{0, 0, e.cursor.Scroll}, e.selStart);
    e.selStart = 0;
    if (redraw) cursorSetzen(0, true);
}

bool IconTabBedienung::TextPaste(bool redraw) {
    if (!eingabe_) return false;
    std::string text;
    if (!clipboardLesen(text)) return false;
    Eingabe& e = *eingabe_;
    DelSelect(false);
    if (e.text.zeilenZahl() == 0) e.text.NeueZeile("", -1);
    const Cursordef c = e.text.begrenzt(e.cursor);
    e.cursor = e.text.InsertText(c.Zeile, c.Spalte, zeilenumbrueche(text));
    e.cursor.Scroll = c.Scroll;
    e.geaendert = true;
    if (redraw) cursorSetzen(0, true);
    return true;
}

void IconTabBedienung::EvPopUp(Befehl befehl) {
    if (!eingabe_) return;
    Eingabe& e = *eingabe_;
    if (e.selLaenge <= 0 && befehl != Befehl::Einfuegen && befehl != Befehl::Zeilenumbruch) return;
    const std::string auswahl =
        e.text.GetTextStr(EingabeText::kAuswahl, e.cursor, e.selStart, e.selLaenge);
    switch (befehl) {
        case Befehl::Kopieren:
            textAufClipboard(auswahl);
            return;
        case Befehl::Ausschneiden:
            // Only what reached the clipboard is taken away.
            if (!textAufClipboard(auswahl)) return;
            DelSelect(false);
            break;
        case Befehl::Loeschen:
            DelSelect(false);
            break;
        case Befehl::Zeilenumbruch: {
            DelSelect(false);
            if (e.text.zeilenZahl() == 0) e.text.NeueZeile("", -1);
            const Cursordef c = e.text.begrenzt(e.cursor);
            e.cursor = e.text.InsertText(c.Zeile, c.Spalte, "\r\n");
            e.cursor.Scroll = c.Scroll;
            break;
        }
        case Befehl::Einfuegen:
            if (!TextPaste(false)) return;
            break;
    }
    e.geaendert = true;
    cursorSetzen(0, true);
}

// A typed character or Backspace in the open editor.
void IconTabBedienung::tippen(char ch) {
    Eingabe& e = *eingabe_;
    if (e.art == 1) return;  // a drop-down only picks
    if (ch == '\b') {
        if (e.art != 0) return;  // the key itself moved the list selection
        if (e.selLaenge > 0) {
            DelSelect(false);
        } else {
            const Cursordef c = e.text.begrenzt(e.cursor);
            if (c.Zeile == 0 && c.Spalte == 0) return;
            // The place one back is taken before the text shrinks: moving
            // afterwards would first clamp the old place into the shorter text.
            e.cursor = e.text.bewege(c, -1);
            e.text.DeleteText(c.Zeile, c.Spalte, -1);
        }
    } else {
        DelSelect(false);
        if (e.text.zeilenZahl() == 0) e.text.NeueZeile("", -1);
        const Cursordef c = e.text.begrenzt(e.cursor);
        e.cursor = e.text.InsertText(c.Zeile, c.Spalte, std::string_view(&ch, 1));
        e.cursor.Scroll = c.Scroll;
    }
    e.geaendert = true;
    if (e.art == 2 || e.art == 3) listenSuche();
    cursorSetzen(0, true);
}

// ---- Cell colours ----

void IconTabBedienung::SetCellColor(TColor colour, int col, int row) {
    Tabdefinition* t = aktuelleTabelle();
    if (t == nullptr) return;
    if (row < 0) row = t->Selected;
    if (row < 0) return;
    if (col < 0) {
        SetRowColor(row, colour);
        return;
    }
    if (col >= t->SichtSpalten || !t->hatRow(row)) return;
    if (farbTab_ == nullptr) {
        // Sized once for the table as it is now; later rows keep their row colour.
        farbTab_ = t;
        farbSpalten_ = t->SichtSpalten;
        zellFarben_.assign(static_cast<size_t>(t->rowCount()) * static_cast<size_t>(farbSpalten_),
                           0);
        for (int r = 0; r < t->rowCount(); ++r)
            std::fill_n(zellFarben_.begin() + static_cast<std::ptrdiff_t>(r) * farbSpalten_,
                        farbSpalten_, t->Rows[static_cast<size_t>(r)].Farbe);
        neuZeichnen();
    }
    if (farbTab_ != t || col >= farbSpalten_) return;
    const size_t i =
        static_cast<size_t>(row) * static_cast<size_t>(farbSpalten_) + static_cast<size_t>(col);
    if (i >= zellFarben_.size()) return;
    zellFarben_[i] = colour;
    zeichneZeile(row, t);
}

TColor IconTabBedienung::zellFarbe(const Tabdefinition* t, int row, int col) const {
    if (t == nullptr || t != farbTab_ || row < 0 || col < 0 || col >= farbSpalten_) return 0;
    const size_t i =
        static_cast<size_t>(row) * static_cast<size_t>(farbSpalten_) + static_cast<size_t>(col);
    return i < zellFarben_.size() ? zellFarben_[i] : 0;
}

}  // namespace table

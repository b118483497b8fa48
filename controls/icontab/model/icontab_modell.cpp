#include "controls/icontab/model/icontab_modell.h"

#include <algorithm>
#include <climits>

namespace table {

const std::string& Tabdefinition::zelle(int r, int c) const {
    static const std::string leer;
    const long long i = index(r, c);
    return i >= 0 && i < static_cast<long long>(Zellen.size()) ? Zellen[static_cast<size_t>(i)]
                                                               : leer;
}

IconTabModell::IconTabModell(TextMetrik* metrik) {
    setMetrik(metrik);
}

IconTabModell::~IconTabModell() = default;

void IconTabModell::setMetrik(TextMetrik* m) {
    metrik_ = m != nullptr ? m : &festeMetrik_;
}

// ---- Settings ----

void IconTabModell::SetOrder(bool on) {
    sortierung_ = on;
    // The marker stands in the last title row, and AutoBreite may widen.
    neuZeichnen();
}

void IconTabModell::SetDetail(bool on) {
    detail_ = on;
    if (lock_) return;
    if (on) Errechne_Fenster(aktuell_);
    SetGroesse();
    neuZeichnen();
}

void IconTabModell::SetH_Abstand(int gap) {
    if (gap >= 0) hAbstand_ = gap;
    kachelnNeuLegen();
    neuZeichnen();
}

void IconTabModell::SetV_Abstand(int gap) {
    if (gap >= 0) vAbstand_ = gap;
    kachelnNeuLegen();
    neuZeichnen();
}

void IconTabModell::kachelnNeuLegen() {
    Tabdefinition* t = aktuell_;
    if (lock_ || t == nullptr) return;
    if (t->Anzeige == A_IconList && t->rowCount() > 0) BerechneListe(t);
    if (t->Anzeige == A_Icon && detail_) Errechne_Fenster(t);
    SetGroesse();
}

void IconTabModell::SetStrNeu(const std::string& text) {
    if (text == neueZeileText_) return;
    neueZeileText_ = text;
    if (text.empty()) {
        neueZeileAn_ = false;
    } else if (!neueZeileAn_) {
        neueZeileHoehe_ = neueZeileMessen();
        neueZeileAn_ = true;
    }
    if (!lock_) {
        SetGroesse();
        neuZeichnen();
    }
}

void IconTabModell::FNeueZeile(bool an) {
    neueZeileAn_ = an;
    if (an && neueZeileHoehe_ <= 0) neueZeileHoehe_ = neueZeileMessen();
    if (!lock_) {
        SetGroesse();
        neuZeichnen();
    }
}

// ---- Tables ----

Tabdefinition* IconTabModell::GetTabelle(int tab, bool create) {
    if (tab >= 0 && tab < tabellenZahl()) return tabellen_[static_cast<size_t>(tab)].get();
    if (!create || tab != tabellenZahl()) return nullptr;
    auto t = std::make_unique<Tabdefinition>();
    t->Nummer = tab;
    t->FontSize = schriftGroesse_;
    t->ZeilenLayout = ZeilenLayout;
    t->StdStatus = StdStatus;
    t->Anzeige = DefaultAnzeige;
    tabellen_.push_back(std::move(t));
    return tabellen_.back().get();
}

Tabdefinition* IconTabModell::tabelle(int tab) {
    return tab == -1 ? aktuell_ : GetTabelle(tab, false);
}

bool IconTabModell::lebt(const Tabdefinition* t) const {
    if (t == nullptr) return false;
    for (const auto& p : tabellen_)
        if (p.get() == t) return true;
    return false;
}

void IconTabModell::ClearTabs(int tab) {
    auto vergessen = [this](const Tabdefinition* t) {
        if (aktuell_ == t) aktuell_ = nullptr;
        if (letzteFokus_ == t) letzteFokus_ = nullptr;
        eingabeVergessen(t);
    };
    if (tab == -1) {
        for (const auto& t : tabellen_) vergessen(t.get());
        tabellen_.clear();
    } else if (tab >= 0 && tab < tabellenZahl()) {
        vergessen(tabellen_[static_cast<size_t>(tab)].get());
        tabellen_.erase(tabellen_.begin() + tab);
        for (int i = tab; i < tabellenZahl(); ++i) tabellen_[static_cast<size_t>(i)]->Nummer = i;
    } else {
        return;
    }
    if (!lock_) neuZeichnen();
}

void IconTabModell::SetSelectTab(int n) {
    Tabdefinition* t = GetTabelle(n, false);
    if (aktuell_ != nullptr && aktuell_ != t && t != nullptr) ChangeRow(-1, t);
    aktuell_ = t;
}

const std::vector<std::string>* IconTabModell::GetStrings(int tab) {
    const Tabdefinition* t = GetTabelle(tab, false);
    return t ? &t->Zellen : nullptr;
}

void IconTabModell::rowsAnlegen(Tabdefinition& t, int n) {
    RowDef rd;
    rd.Hoehe = DefaultRowHeight;
    rd.DatenCols = DatenCols;
    rd.Wert = t.ZeilenLayout ? -1 : t.SichtSpalten;
    t.Rows.assign(static_cast<size_t>(n), rd);
    t.Hoehe = n * DefaultRowHeight;
}

void IconTabModell::SetTabelle(unsigned rows, unsigned cols, int visibleCols, int tab) {
    lock_ = true;
    hitCol_ = -1;
    Tabdefinition* t = GetTabelle(tab, true);
    if (t == nullptr) return;
    aktuell_ = t;
    t->FixedCols = StdFixedCols;
    t->FixedRows = StdFixedRows;
    t->StdStatus = StdStatus;
    letzteFokus_ = t;
    if (suchfeldDa() && !suchfeldVerbunden()) {
        suchfeldVerbinden();
        suchfeldSpalte(-1);
    }
    if (eingabeSichtbar()) eingabeVerbergen();
    grafikName_.clear();
    if (t->IstGrafik) {
        t->SichtSpaltenLayout = t->SichtSpalten;
        const int w = t->Grafik.WertSpalte;
        if (w >= 0 && static_cast<int>(t->Zellen.size()) > w)
            grafikName_ = t->Zellen[static_cast<size_t>(w)];
        Set_Grafik(t, false, -1);
    }
    // Sizes beyond int are no table anyone could fill.
    const int nCols = static_cast<int>(std::min<unsigned>(cols, INT_MAX / 2));
    const int nRows = static_cast<int>(std::min<unsigned>(rows, INT_MAX / 2));
    if (nCols != t->Spalten) {
        t->EditMaske = 0;
        breitenVomBenutzer_ = false;
    }
    t->Zellen.clear();
    t->Numerisch.clear();
    t->Grafik = GrafikDaten{};
    t->Rows.clear();
    t->SpaltenInfo.clear();
    const int n = nRows == 0 ? 2 : nRows + (NeuerDatensatz ? 1 : 0);
    t->Spalten = nCols;
    t->SichtSpalten = visibleCols >= 1 && visibleCols <= nCols ? visibleCols : nCols;
    rowsAnlegen(*t, n);
    t->Numerisch.assign(static_cast<size_t>(nCols), 1);
    const int breite = AutoBreite && !breitenVomBenutzer_ ? -1 : DefaultColWidth;
    t->SpaltenInfo.assign(static_cast<size_t>(nCols), SpaltenEintrag{breite, -1, 0});
    if (sortSpalte_ >= t->SichtSpalten) sortSpalte_ = 0;

    const bool datenAuswahl = t->Selected >= t->FixedRows && t->Selected < n;
    if (!datenAuswahl) {
        if (AutoSelect && n > t->FixedRows) {
            t->Selected = t->FixedRows;
            aktSpalte_ = t->FixedCols;
        } else {
            t->Selected = -1;
            aktSpalte_ = -1;
        }
        topRow_ = 0;
        leftCol_ = 0;
    }
    if (suchNamen_) suchfeldSpalte(-1);
    t->SichtSpaltenLayout = t->SichtSpalten;
    if (AutoUpdate) {
        FEndUpdate(false);
        if (detail_ && t->Anzeige == A_Icon) Errechne_Fenster(t);
    }
}

// ---- Cells ----

int IconTabModell::keineAngabenBreite() {
    return metrik_->breite(kKeineAngaben, false);
}

// Widest line + 4; lines split at CR, an LF right after it skipped. Only the
// first 1000 characters are scanned.
int IconTabModell::textBreite(const std::string& text, int& zeilen) {
    const size_t ende = std::min<size_t>(text.size(), 1000);
    int breitest = 0;
    zeilen = 1;
    size_t start = 0;
    for (size_t i = 0; i <= ende; ++i) {
        if (i < ende && text[i] != '\r') continue;
        breitest = std::max(
            breitest, metrik_->breite(std::string_view(text).substr(start, i - start), false));
        if (i == ende) break;
        ++zeilen;
        if (i + 1 < ende && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return breitest + 4;
}

namespace {

// The lines textBreite counts: CRs among the first 1000 characters.
int textZeilen(const std::string& text) {
    const auto ende = text.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(text.size(), 1000));
    return 1 + static_cast<int>(std::count(text.begin(), ende, '\r'));
}

}  // namespace

int IconTabModell::zeilenZahl(const Tabdefinition& t, int row) const {
    int zeilen = 1;
    for (int c = 0; c < t.SichtSpalten && c < t.Spalten; ++c)
        zeilen = std::max(zeilen, textZeilen(t.zelle(row, c)));
    return zeilen;
}

int IconTabModell::hoeheFuer(int zeilen) {
    return std::max((zeilen - 1) * metrik_->hoehe() + DefaultRowHeight, DefaultRowHeight);
}

bool IconTabModell::zeilenHoeheAnpassen(Tabdefinition& t, int row) {
    RowDef* rd = t.row(row);
    // A title row shows one cell in its own font: its kind sets its height.
    if (rd == nullptr || (rd->Art & kTitelZeile)) return false;
    const int zeilen = zeilenZahl(t, row);
    if (rd->Zeilen == zeilen) return false;
    rd->Zeilen = zeilen;
    const int neu = hoeheFuer(zeilen);
    t.Hoehe += neu - rd->Hoehe;
    rd->Hoehe = neu;
    return true;
}

void IconTabModell::gruppieren(Tabdefinition& t, int row, int col, const std::string& text) {
    if (col >= 255) return;  // the group count is a byte
    const auto gruppe = static_cast<std::uint8_t>(col + 1);
    RowDef& rd = t.Rows[static_cast<size_t>(row)];
    if ((col == t.FixedCols || rd.Gruppe == col) && t.zelleDa(row - 1, col) &&
        t.zelle(row - 1, col) == text)
        rd.Gruppe = gruppe;
    if (RowDef* unten = t.row(row + 1); unten != nullptr &&
                                        (col == t.FixedCols || unten->Gruppe == col) &&
                                        t.zelleDa(row + 1, col) && t.zelle(row + 1, col) == text)
        unten->Gruppe = gruppe;
}

void IconTabModell::SetCell(unsigned urow, unsigned ucol, const std::string& text, TColor colour,
                            int icon, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return;
    layoutGeaendert_ = false;
    if (urow >= static_cast<unsigned>(t->rowCount()) || ucol >= static_cast<unsigned>(t->Spalten))
        return;
    const int row = static_cast<int>(urow);
    const int col = static_cast<int>(ucol);
    RowDef* rd = t->row(row);
    if (colour != 0) rd->Farbe = colour;
    if (icon >= 0) rd->Icon = icon;

    const size_t idx = static_cast<size_t>(t->index(row, col));
    if (t->Zellen.size() < idx) {
        const int ka = KeineAngaben ? keineAngabenBreite() + 8 : 0;
        for (size_t i = t->Zellen.size(); i < idx; ++i) {
            const size_t r = i / static_cast<size_t>(t->Spalten);
            SpaltenEintrag& s = t->SpaltenInfo[i % static_cast<size_t>(t->Spalten)];
            if (KeineAngaben && !(t->Rows[r].Art & kTitelZeile) && s.Breitester < ka) {
                s.Breite = ka;
                s.Breitester = ka;
            }
        }
        t->Zellen.resize(idx);
    }
    if (idx < t->Zellen.size()) {
        t->Zellen[idx] = text;
    } else {
        t->Zellen.push_back(text);
    }

    const bool sichtbar = col < t->SichtSpalten;
    const bool daten = row >= t->FixedRows;
    int zeilen = 1;
    int breite;
    if (!text.empty() && sichtbar) {
        breite = textBreite(text, zeilen);
    } else {
        breite = KeineAngaben ? keineAngabenBreite() + 4 : 4;
    }
    if (daten && text.find_first_not_of("0123456789.") != std::string::npos)
        t->Numerisch[static_cast<size_t>(col)] = 0;
    // The row keeps the height of its tallest cell: a cell with other lines
    // than the row has measures the whole row again.
    if (rd->Zeilen != zeilen && zeilenHoeheAnpassen(*t, row)) layoutGeaendert_ = true;
    if (Group && row > t->FixedRows && col < t->SichtSpalten - 1 &&
        (t->Numerisch[static_cast<size_t>(col)] == 0 || col == t->FixedCols))
        gruppieren(*t, row, col, text);
    if (row == t->FixedRows - 1 && sichtbar && suchNamen_) suchfeldSpaltenName(text, col);
    if (row == 0 && col >= t->FixedCols && sichtbar)
        t->BreitesterTitel = std::max(t->BreitesterTitel, metrik_->breite(text + ": ", true));
    SpaltenEintrag& spalte = t->SpaltenInfo[static_cast<size_t>(col)];
    if (daten && breite > spalte.Breitester) {
        spalte.Breitester = breite;
        spalte.BreitesterRow = row;
    }
    if (AutoBreite && sichtbar && (daten || (row == 0 && MitUeberschrift)) &&
        !breitenVomBenutzer_ && !(rd->Art & kTitelZeile)) {
        int bedarf;
        if (row == 0 && !daten && (suchfeldDa() || sortierung_)) {
            bedarf = breite + 16;
        } else {
            bedarf = breite + 4;
            if (daten && col == t->FixedCols && !Zusatztext.empty())
                bedarf += metrik_->breite(Zusatztext, false);
        }
        if (spalte.Breite < bedarf) {
            spalte.Breite = bedarf;
            layoutGeaendert_ = true;
        }
    }
    if (eingabeAuf(t, row, col)) eingabeNeuLaden();
    if (col == 0 && (rd->Art & kTitelZeile)) zeilenArt(*t, row, rd->Art);
    if (layoutGeaendert_ && detail_ && t->Anzeige == A_Icon) Errechne_Fenster(t);

    if (row == t->rowCount() - 1 && NeuerDatensatz && !text.empty() && !neueZeileLaeuft_) {
        neueZeileAnfuegen(t, row);
    } else if (!layoutGeaendert_) {
        if (!lock_) zeichneZeile(row, t);
    } else if (!lock_ || AutoUpdate) {
        SetGroesse();
        neuZeichnen();
    }
}

// Text went into the new-record row: the host may refuse, else one empty row
// follows it.
void IconTabModell::neueZeileAnfuegen(Tabdefinition* t, int row) {
    bool enabled = true;
    const int nummer = t->Nummer;
    if (OnNewRow) {
        const bool gesperrt = lock_;
        neueZeileLaeuft_ = true;
        lock_ = true;
        OnNewRow(*this, row, enabled, nummer);
        lock_ = gesperrt;
        neueZeileLaeuft_ = false;
        if (!lebt(t)) return;  // the handler freed the table
    }
    if (!enabled) return;
    InsertRow(-1, nullptr, 1, -1, t->Nummer);
    if (!lock_ || AutoUpdate) zeichneZeile(row, t);
}

// ---- Display format ----

void IconTabModell::SetA_Format(TAnzeigeFormat format) {
    Tabdefinition* t = aktuell_ ? aktuell_ : GetTabelle(0, false);
    if (t == nullptr) return;
    // Only the grid edits in place: the editor stores its input before the
    // table shows otherwise (the picture views also drop the selection).
    if (format != A_Tabelle && format != A_Restore && !eingabeAbschliessen(t)) return;
    const bool bildAlt = t->Anzeige == A_Bitmap || t->Anzeige == A_Vektor;
    const bool bildNeu = format == A_Bitmap || format == A_Vektor;
    if (format == A_Restore) format = bildAlt ? gespeichertesFormat_ : t->Anzeige;
    if (bildNeu && !bildAlt) gespeichertesFormat_ = t->Anzeige;
    if (format == A_Restore) format = A_Tabelle;
    ansichtWechseln(t, t->Anzeige, format);
    const bool warGesperrt = lock_;
    const bool hinweise = hinweiseAn();
    t->Anzeige = format;
    if (hinweiseAn() != hinweise) hintGesetzt();
    lock_ = true;
    if (format == A_Icon && detail_) Errechne_Fenster(t);
    if (format == A_IconList && t->rowCount() > 0) BerechneListe(t);
    if (format == A_Bitmap || format == A_Vektor) t->Selected = -1;
    SetGroesse();
    if (t->Selected >= t->FixedRows && maxTopRow_ > 0) {
        int pos = 0;
        if (format == A_Tabelle) {
            pos = t->Selected - t->FixedRows;
        } else if (format == A_Icon) {
            const int kachel = t->Selected - t->FixedRows;
            const int neben = pane_.kachelnNeben * (detail_ ? pane_.zeilenNeben : 0);
            const int linie = masse_.iconHoehe + vAbstand_;
            pos = kachel < neben ? kachel / mindestens1(pane_.kachelnNeben) * linie
                                 : (pane_.zeilenNeben * (detail_ ? 1 : 0) +
                                    (kachel - neben) / mindestens1(layout_.iconsProZeile)) *
                                       linie;
        } else if (format == A_IconList) {
            pos = (t->Selected - t->FixedRows) * masse_.listZeilenHoehe;
        }
        topRow_ = std::clamp(pos, 0, maxTopRow_);
        // Below other tables the position also scrolls those: the row is
        // brought into view from there.
        topRow_ = sichtPosition(*t, t->Selected);
        balkenSetzen();
    }
    if (!warGesperrt) {
        lock_ = false;
        neuZeichnen();
    }
}

// ---- Batches ----

int IconTabModell::datensaetze(const Tabdefinition& t) const {
    return t.rowCount() - t.FixedRows - (NeuerDatensatz ? 1 : 0);
}

void IconTabModell::hintSetzen(int n) {
    hint_ = std::to_string(n) + (n == 1 ? " Datensatz" : " Datens\xE4tze") + " in der Tabelle";
    hintGesetzt();
}

void IconTabModell::FEndUpdate(bool lock) {
    lock_ = lock;
    if (!tabellen_.empty()) {
        if (aktuell_ == nullptr) aktuell_ = tabellen_.front().get();
        Tabdefinition& erste = *tabellen_.front();
        if (!grafikName_.empty() && !erste.IstGrafik) {
            const auto it = std::find(erste.Zellen.begin(), erste.Zellen.end(), grafikName_);
            const long long i = it - erste.Zellen.begin();
            if (it != erste.Zellen.end() && i >= erste.FixedCols && i < erste.SichtSpaltenLayout)
                Set_Grafik(aktuell_, true, static_cast<int>(i));
        }
        // Asked once the table is refilled: a chart the host closes
        // afterwards stays closed. (An AutoUpdate end inside SetTabelle
        // comes before the cells.)
        if (!erste.Zellen.empty()) grafikName_.clear();
        int n = 0;
        for (const auto& t : tabellen_)
            if (t->SichtSpaltenLayout != 0) n += datensaetze(*t);
        hintSetzen(n);
        if (suchNamen_) suchfeldSpalte(suchSpalte_);
        if (detail_ && aktuell_->Anzeige == A_Icon) Errechne_Fenster(&erste);
        if (aktuell_->Anzeige == A_IconList) BerechneListe(&erste);
    }
    if (!lock_) {
        SetGroesse();
        neuZeichnen();
    }
}

// ---- Search field commands (the search itself comes with the keyboard) ----

void IconTabModell::Suche(Such_Kommando cmd) {
    switch (cmd) {
        case kAbgekoppelt:
            rahmenFarbe_ = kBtnFace;
            suchNamen_ = false;
            break;
        case kAngekoppelt:
            rahmenFarbe_ = kSuchRahmen;
            suchNamen_ = true;
            break;
        case kEnterGedrueckt:
            if (!tabellen_.empty()) {
                const Tabdefinition& t = *tabellen_.back();
                if (OnDoppelKlick && t.Selected >= t.FixedRows) OnDoppelKlick(*this);
            }
            break;
        case kSucheJetzt:
            break;
        default:
            // A column the command cannot report is no column at all.
            if (cmd - kSpalteGewaehlt >= static_cast<Such_Kommando>(kSpaltenGrenze)) return;
            suchSpalte_ = static_cast<int>(cmd - kSpalteGewaehlt);
            break;
    }
    neuZeichnen();
}

}  // namespace table

#include "report/report_draw.h"

#include <algorithm>
#include <cmath>

#include "platform/core/codepage.h"
#include "report/draw_pass.h"

namespace report {

const char* const kZweiSeitenwechsel = "Fehler in der Reportstruktur, zwei Seitenwechsel in Folge!";
const char* const kReportEndetNicht = "Fehler in der Reportstruktur, der Report endet nicht!";
const char* const kZuTief = "Fehler in der Reportstruktur, Frames zu tief verschachtelt!";

DrawZiel druckerZiel(const Report& r, int physicalWidth, int physicalHeight, int offsetX,
                     int offsetY, int pixelsPerInch) {
    DrawZiel z;
    z.ziel = Ziel::Drucker;
    z.width = physicalWidth;
    z.height = physicalHeight;
    const double sx = static_cast<double>(physicalWidth) / r.Seitenbreite();
    const double sy = static_cast<double>(physicalHeight) / r.Seitenhoehe();
    z.originX = -std::min(offsetX, static_cast<int>(std::floor(r.RandLinks() * sx + 0.5)));
    z.originY = -std::min(offsetY, static_cast<int>(std::floor(r.RandOben() * sy + 0.5)));
    z.fontResolution = pixelsPerInch > 0 ? pixelsPerInch : 96;
    return z;
}

DrawZiel vorschauZiel(const Report& r, int left, int top, int width, int height) {
    DrawZiel z;
    z.ziel = Ziel::Vorschau;
    z.width = width;
    z.height = height;
    z.originX = left;
    z.originY = top;
    z.fontResolution = std::max(1, static_cast<int>(std::lround(254.0 * width / r.Seitenbreite())));
    return z;
}

DrawZiel pdfZiel(int width, int height) {
    DrawZiel z;
    z.ziel = Ziel::Pdf;
    z.width = width;
    z.height = height;
    z.fontResolution = 72;
    return z;
}

namespace {

bool pass(Report& r, ReportCanvas& canvas, const DrawZiel& ziel, Lauf lauf) {
    if (lauf == Lauf::Zaehlen) r.SetSeitenGesamt(1);
    DrawPass p(r, canvas, ziel, lauf);
    p.run();
    if (lauf == Lauf::Zeichnen && r.OnRecordChange) r.OnRecordChange(r, 0, -1);
    r.SetZaehlen(false);
    return !p.zuGross();
}

}  // namespace

// The bounds are found out by a walk that draws nothing, so a report that
// outgrows them leaves no page behind, not even a part of one.
bool DrawCanvas(Report& r, ReportCanvas& canvas, const DrawZiel& ziel) {
    if (r.Zaehlen() && r.Seiten() == 1) r.SetZaehlen(false);
    if (r.Zaehlen()) return pass(r, canvas, ziel, Lauf::Zaehlen);
    return pass(r, canvas, ziel, Lauf::Messen) && pass(r, canvas, ziel, Lauf::Zeichnen);
}

bool ZaehleSeiten(Report& r, ReportCanvas& canvas, const DrawZiel& ziel) {
    return pass(r, canvas, ziel, Lauf::Zaehlen);
}

DrawPass::DrawPass(Report& r, ReportCanvas& canvas, const DrawZiel& ziel, Lauf lauf)
    : r_(r),
      c_(canvas),
      z_(ziel),
      zaehlen_(lauf != Lauf::Zeichnen),
      seitenZaehlen_(lauf == Lauf::Zaehlen) {
    sx_ = static_cast<double>(z_.width) / r_.Seitenbreite();
    sy_ = static_cast<double>(z_.height) / r_.Seitenhoehe();
    if (z_.fontResolution < 1) z_.fontResolution = 96;
    const auto& objekte = r_.Objekte();
    kinder_.assign(objekte.size() + 1, {});
    for (size_t i = 0; i < objekte.size(); ++i) {
        const int32_t p = objekte[i].parent;
        // The parser only names earlier frames as parents; anything else is
        // drawn at the top level rather than lost.
        const bool gueltig = p >= 0 && static_cast<size_t>(p) < i;
        kinder_[gueltig ? static_cast<size_t>(p) + 1 : 0].push_back(static_cast<int32_t>(i));
    }
}

namespace {

// Far off the page, positions stop growing: they, and the distances
// between them, must fit an int.
int geraeteEinheiten(double v) {
    constexpr double kGrenze = 1 << 29;
    return static_cast<int>(std::floor(std::clamp(v, -kGrenze, kGrenze) + 0.5));
}

}  // namespace

int DrawPass::px(double v01) const {
    return geraeteEinheiten(v01 * sx_);
}
int DrawPass::py(double v01) const {
    return geraeteEinheiten(v01 * sy_);
}

void DrawPass::run() {
    for (int n = 1; n <= 3; ++n) {
        if (TStringTab* t = r_.GetDatenTab(n)) t->SetZeile(0);
        if (TStringTab* t = r_.EigeneTabelle(n)) t->SetZeile(0);
    }
    for (const auto& v : r_.Variablen()) v->value.clear();
    for (DruckReport_Struct& o : r_.Objekte()) {
        o.pageMarker = 0;
        o.remainingLines = 0;
    }
    Rahmen top;
    place(top, nullptr);
    stapel_.push_back(&top);
    drawPageFrame();
    fortschrittBeimWechsel_ = fortschritt_;
    record(top, 0);
    stapel_.clear();
}

// Column 1 of the frame at the top of the frame, below its parent's record.
void DrawPass::place(Rahmen& r, const Rahmen* parent) {
    const int32_t seitenLimit = r_.Seitenhoehe() - r_.RandUnten();
    r.spalte = 1;
    r.hoehe = 0;
    if (r.index < 0) {
        r.baseX = r.baseY = r.x = r.y = 0;
        r.limit = seitenLimit;
        return;
    }
    const DruckReport_Struct& f = r_.Objekte()[static_cast<size_t>(r.index)];
    const bool nested = parent != nullptr && parent->index >= 0 && !r.seitenFrame;
    r.baseX = f.left + (nested ? parent->x : 0);
    r.baseY = f.top + (nested ? parent->y : 0);
    r.x = r.baseX;
    r.y = r.baseY;
    if (f.columns >= 1) r.spalten = f.columns;  // else the count found by trial
    const int64_t breite = f.width >= 1 ? int64_t{f.width}
                                        : int64_t{r_.Seitenbreite()} - r_.RandLinks() -
                                              r_.RandRechts() - f.left;
    r.spaltenBreite = breite / r.spalten;
    // A frame reaching below the page continues on the next one instead of
    // drawing off the paper.
    const int64_t unten = static_cast<int64_t>(r.baseY) + f.height + r_.RandOben();
    r.limit = (r.seitenFrame || f.height < 1)
                  ? seitenLimit
                  : static_cast<int32_t>(std::min<int64_t>(unten, seitenLimit));
}

void DrawPass::nextColumn(Rahmen& r) {
    ++r.spalte;
    r.x = r.baseX + (r.spalte - 1) * r.spaltenBreite;
    r.y = r.baseY;
    r.hoehe = 0;
}

bool DrawPass::wechselErlaubt(const Rahmen& r) const {
    if (r.seitenFrame) return false;
    const int32_t s = r_.Seiten();
    const int32_t gesamt = r_.SeitenGesamt();
    return !(s > 0 && s <= gesamt && gesamt <= seite_);
}

void DrawPass::abbrechen(const char* text) {
    abbruch_ = true;
    r_.meldeStrukturFehler(platform::cp1252(text));
}

bool DrawPass::ausgeben(const DruckReport_Struct& o, int64_t objekte, size_t bytes) {
    if (probe_) return true;  // a trial draws nothing and leaves no trace
    const auto n = static_cast<int64_t>(bytes);
    const bool seite =
        objekteSeite_ + objekte > kMaxObjekteJeSeite || textSeite_ + n > kMaxTextJeSeite;
    const bool gesamt = objekte_ + objekte > kMaxObjekte || text_ + n > kMaxText;
    if (seite || gesamt) {
        zuViel(o, seite ? ReportFehler::SeiteZuVoll : ReportFehler::ReportZuGross);
        return false;
    }
    objekteSeite_ += objekte;
    objekte_ += objekte;
    textSeite_ += n;
    text_ += n;
    return true;
}

void DrawPass::zuViel(const DruckReport_Struct& o, ReportFehler n) {
    abbruch_ = true;
    zuGross_ = true;
    const auto i = static_cast<size_t>(&o - r_.Objekte().data());
    r_.meldeStrukturFehler(fehlerMeldung(n, r_.Zeile(i)));
}

// A page change that follows the last one without a record finished or an
// object placed would repeat for ever.
bool DrawPass::seitenwechsel() {
    if (probe_) {
        probeVoll_ = true;
        abbruch_ = true;
        return false;
    }
    if (fortschritt_ == fortschrittBeimWechsel_) {
        abbrechen(kZweiSeitenwechsel);
        return false;
    }
    if (seite_ >= kMaxSeiten) {
        abbrechen(kReportEndetNicht);
        return false;
    }
    if (seitenZaehlen_) r_.SetSeitenGesamt(r_.SeitenGesamt() + 1);
    ++seite_;
    objekteSeite_ = textSeite_ = 0;
    if (!zaehlen_) c_.newPage();
    for (size_t k = 0; k < stapel_.size(); ++k)
        place(*stapel_[k], k > 0 ? stapel_[k - 1] : nullptr);
    drawPageFrame();
    fortschrittBeimWechsel_ = fortschritt_;
    return true;
}

void DrawPass::drawPageFrame() {
    const int32_t pf = r_.SeitenFrame();
    if (pf < 0 || static_cast<size_t>(pf) >= r_.Objekte().size()) return;
    // What the page frame takes is no part of the record it interrupts.
    const uint32_t gruppen = gruppen_;
    const Benutzt benutzt = benutzt_;
    Rahmen r;
    r.index = pf;
    r.seitenFrame = true;
    place(r, nullptr);
    record(r, 0);
    gruppen_ = gruppen;
    benutzt_ = benutzt;
}

// The records of a frame, each drawing the frame's children once; returns
// the offset below the last record.
int64_t DrawPass::frame(int32_t index, Rahmen& parent) {
    if (stapel_.size() > kMaxTiefe) {
        abbrechen(kZuTief);
        return parent.y;
    }
    const int32_t spalten = r_.Objekte()[static_cast<size_t>(index)].columns;
    if (spalten >= 1) return rahmen(index, parent, spalten);
    const int32_t gefunden = probiereSpalten(index, parent);
    if (abbruch_) return parent.y;
    return rahmen(index, parent, gefunden);
}

// A frame without a column count takes the fewest columns, up to 10, in
// which its records fit without a page change, else 11. Each trial walks
// the frame where it stands, drawing nothing, and leaves no trace; its
// steps and the copying of the state count, so trials within trials cannot
// run away.
int32_t DrawPass::probiereSpalten(int32_t index, Rahmen& parent) {
    constexpr int32_t kMehrAlsGenug = 11;
    for (int32_t spalten = 1; spalten < kMehrAlsGenug; ++spalten) {
        const Stand stand = sichern();
        schritte_ += static_cast<int64_t>(stand.objekte.size() + stand.variablen.size());
        if (schritte_ > kMaxSchritte) {
            abbrechen(kReportEndetNicht);
            return 1;
        }
        probe_ = true;
        zaehlen_ = true;
        probeVoll_ = false;
        rahmen(index, parent, spalten);
        const bool passt = !probeVoll_;
        const bool fehler = abbruch_ && !probeVoll_;  // depth or step cap: the report stops
        zuruecksetzen(stand);
        if (fehler) abbruch_ = true;
        if (passt) return spalten;
    }
    return kMehrAlsGenug;
}

DrawPass::Stand DrawPass::sichern() const {
    Stand s{};
    s.seite = seite_;
    s.gruppen = gruppen_;
    s.abbruch = abbruch_;
    s.zaehlen = zaehlen_;
    s.probe = probe_;
    s.probeVoll = probeVoll_;
    s.fortschritt = fortschritt_;
    s.fortschrittBeimWechsel = fortschrittBeimWechsel_;
    s.benutzt = benutzt_;
    for (int n = 1; n <= 3; ++n) {
        const TStringTab* t = r_.GetDatenTab(n);
        const TStringTab* e = r_.EigeneTabelle(n);
        s.zeilen[size_t(n - 1)] = t != nullptr ? t->RecordRow() : -1;
        s.zeilen[size_t(n + 2)] = e != nullptr ? e->RecordRow() : -1;
    }
    s.objekte.reserve(r_.Objekte().size());
    for (const DruckReport_Struct& o : r_.Objekte())
        s.objekte.push_back({o.pageMarker, o.remainingLines, o.value});
    for (const auto& v : r_.Variablen()) s.variablen.push_back(*v);
    return s;
}

void DrawPass::zuruecksetzen(const Stand& s) {
    seite_ = s.seite;
    gruppen_ = s.gruppen;
    abbruch_ = s.abbruch;
    zaehlen_ = s.zaehlen;
    probe_ = s.probe;
    probeVoll_ = s.probeVoll;
    fortschritt_ = s.fortschritt;
    fortschrittBeimWechsel_ = s.fortschrittBeimWechsel;
    benutzt_ = s.benutzt;
    for (int n = 1; n <= 3; ++n) {
        if (TStringTab* t = r_.GetDatenTab(n)) t->SetZeile(s.zeilen[size_t(n - 1)]);
        if (TStringTab* e = r_.EigeneTabelle(n)) e->SetZeile(s.zeilen[size_t(n + 2)]);
    }
    auto& objekte = r_.Objekte();
    for (size_t i = 0; i < objekte.size() && i < s.objekte.size(); ++i) {
        objekte[i].pageMarker = s.objekte[i].pageMarker;
        objekte[i].remainingLines = s.objekte[i].remainingLines;
        objekte[i].value = s.objekte[i].value;
    }
    r_.SetzeVariablen(s.variablen);
}

// The frame walked with a given column count.
int64_t DrawPass::rahmen(int32_t index, Rahmen& parent, int32_t spalten) {
    const DruckReport_Struct& f = r_.Objekte()[static_cast<size_t>(index)];
    Rahmen r;
    r.index = index;
    r.spalten = spalten;
    place(r, &parent);
    if (!zaehlen_ && z_.ziel == Ziel::Vorschau && (r_.Konstrukt & 8)) {
        const int64_t hoehe = f.height >= 1 ? f.height : r.limit - r_.RandOben() - r.baseY;
        hilfsRahmen({px(r_.RandLinks()) + z_.originX, py(r.baseY + r_.RandOben()) + z_.originY,
                     px(r_.Seitenbreite() - r_.RandRechts()) + z_.originX,
                     py(r.baseY + r_.RandOben() + hoehe) + z_.originY},
                    0x00FFFF);
    }
    stapel_.push_back(&r);
    TStringTab* tab = r_.GetDatenTab(f.table);
    int64_t n = f.count;
    if (n == 0 && tab != nullptr) n = tab->GetRowCount(false);
    if (n < 0) n = 0;
    if (parent.index < 0 && tab != nullptr) tab->SetZeile(0);
    const size_t t = f.table >= 1 && f.table <= 3 ? f.table - 1u : 0;
    for (int64_t rec = 0; rec < n && !abbruch_; ++rec) {
        r.erster = rec == 0;
        // The flags of this record, inner frames included; the enclosing
        // records see them too.
        const Benutzt aussen = benutzt_;
        benutzt_ = {};
        record(r, static_cast<int32_t>(std::min<int64_t>(rec, INT32_MAX)));
        const Benutzt imSatz = benutzt_;
        for (size_t k = 0; k < benutzt_.size(); ++k) benutzt_[k] = aussen[k] || imSatz[k];
        if (abbruch_) break;
        gruppen_ = 0;
        ++fortschritt_;
        if (++schritte_ > kMaxSchritte) {
            abbrechen(kReportEndetNicht);
            break;
        }
        const bool benutzt = tab != nullptr && f.table >= 1 && imSatz[t];
        if (rec + 1 < n) {
            r.y += f.step != 0 ? f.step : r.hoehe;
            r.hoehe = 0;
            if (benutzt) {
                tab->SetZeile(tab->RecordRow() + 1);
                if (!zaehlen_ && r_.OnRecordChange)
                    r_.OnRecordChange(r_, f.table, tab->RecordRow());
            }
        } else if (benutzt && !zaehlen_ && r_.OnRecordChange) {
            r_.OnRecordChange(r_, f.table, tab->RecordRow() + 1);
        }
    }
    stapel_.pop_back();
    return r.y + r.hoehe;
}

// The children of r for one record. A child that finds no room moves the
// record on to the next column or page, where the children not yet placed
// are taken up again.
void DrawPass::record(Rahmen& r, int32_t rec) {
    const std::vector<int32_t>& kinder = kinder_[static_cast<size_t>(r.index + 1)];
    if (zustaende_.size() <= tiefe_) {
        zustaende_.emplace_back();
        auswertungen_.emplace_back();
    }
    std::vector<Zustand>& zustand = zustaende_[tiefe_];
    std::vector<Auswertung>& auswertung = auswertungen_[tiefe_];
    zustand.assign(kinder.size(), kOffen);
    if (auswertung.size() < kinder.size()) auswertung.resize(kinder.size());
    struct Ebene {
        size_t& t;
        explicit Ebene(size_t& tiefe) : t(++tiefe) {}
        ~Ebene() { --t; }
    } ebene(tiefe_);
    r.hoehe = 0;
    // Every object but a frame moves what follows by its step, whether it
    // drew anything or not.
    const auto fertig = [&r, &zustand](size_t k, const DruckReport_Struct& o) {
        zustand[k] = kFertig;
        r.y += o.step;
        r.hoehe = std::max<int64_t>(0, r.hoehe - o.step);
    };
    size_t i = 0;
    while (i < kinder.size() && !abbruch_) {
        if (zustand[i] == kFertig) {
            ++i;
            continue;
        }
        if (++schritte_ > kMaxSchritte) {
            abbrechen(kReportEndetNicht);
            return;
        }
        DruckReport_Struct& o = r_.Objekte()[static_cast<size_t>(kinder[i])];
        if (o.type == kSeitenFrame) {
            zustand[i] = kFertig;
            continue;
        }
        if (o.type == kFrame) {
            zustand[i] = kFertig;
            const int64_t ende = frame(kinder[i], r);
            r.hoehe = std::max(r.hoehe, ende - r.y);
            continue;
        }
        if (zustand[i] == kOffen) {
            auswertung[i].elseBild = false;
            if (!bewerte(o, r, rec, auswertung[i])) {
                fertig(i, o);
                ++i;
                continue;
            }
            zustand[i] = kSichtbar;
        }
        const int64_t oben =
            static_cast<int64_t>(o.top) + r_.RandOben() + r.y + (istText(o) ? zeilenhoehe01(o) : 0);
        if (oben > r.limit && !r.seitenFrame) {
            if (r.spalte < r.spalten) {
                nextColumn(r);
                i = 0;
                continue;
            }
            if (wechselErlaubt(r)) {
                if (!seitenwechsel()) return;
                i = 0;
                continue;
            }
        }
        bool drawn = false;
        const bool ganz = zeichne(o, r, auswertung[i], drawn);
        if (drawn && !r.seitenFrame) ++fortschritt_;
        if (!ganz) {
            if (r.spalte < r.spalten) {
                nextColumn(r);
            } else if (!seitenwechsel()) {
                return;
            }
            i = 0;
            continue;
        }
        fertig(i, o);
        ++i;
    }
}

}  // namespace report

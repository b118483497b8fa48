// The objects of a layout pass: conditions and groups, variables and sums,
// and the drawing of texts, shapes and pictures.
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/core/date.h"
#include "report/draw_pass.h"
#include "report/report_sums.h"

namespace report {
namespace {

constexpr int32_t kStandardGroesse = 10;  // points, for objects without `schrifthöhe`
constexpr uint32_t kFarbmaske = 0xFFFFFF;

bool liestZelle(uint8_t typ) {
    return typ == kDbText || typ == kBedingung || typ == kSetGruppe;
}

}  // namespace

bool DrawPass::istText(const DruckReport_Struct& o) const {
    switch (o.type) {
        case kLabel:
        case kDatum:
        case kUhrzeit:
        case kSeite:
        case kSeiteVon:
        case kDbText:
        case kVariable:
            return true;
        default:
            return false;
    }
}

CanvasFont DrawPass::fontOf(const DruckReport_Struct& o) const {
    CanvasFont f;
    f.name = o.font.name;
    f.size = o.font.size > 0 ? o.font.size : kStandardGroesse;
    f.style = o.font.style;
    f.angle = o.textAngle;
    f.colour = o.colour & kFarbmaske;
    return f;
}

int32_t DrawPass::zeilenhoehe01(const DruckReport_Struct& o) {
    c_.setFont(fontOf(o), z_.fontResolution);
    const int h = std::max(1, c_.textHeight("A"));
    return static_cast<int32_t>(std::lround(h * 254.0 / z_.fontResolution));
}

int64_t DrawPass::breite01(const DruckReport_Struct& o, const Rahmen& r) const {
    if (o.width != -1) return o.width;
    if (r.spalten >= 2) return r.spaltenBreite - o.left;
    return r_.Seitenbreite() - r_.RandLinks() - r_.RandRechts() - r.x - o.left;
}

platform::Rect DrawPass::rechteck(const DruckReport_Struct& o, const Rahmen& r) const {
    const double l = static_cast<double>(int64_t{o.left} + r_.RandLinks() + r.x);
    const double t = static_cast<double>(int64_t{o.top} + r_.RandOben() + r.y);
    return {px(l) + z_.originX, py(t) + z_.originY,
            px(l + static_cast<double>(breite01(o, r))) + z_.originX,
            py(t + o.height) + z_.originY};
}

// The cell of the current record in the column whose field name is spalte.
bool DrawPass::zellwert(const DruckReport_Struct& o, const std::string& spalte, std::string& out) {
    TStringTab* tab = r_.GetDatenTab(o.table);
    if (spalte.empty() || tab == nullptr || tab->ColCount() <= 0 || tab->RecordRow() < 0) {
        return false;
    }
    for (int32_t c = 0; c < tab->ColCount(); ++c) {
        if (tab->GetCell(0, static_cast<uint32_t>(c)) == spalte) {
            benutzt_[o.table - 1u] = true;
            out = tab->GetRecordCell(static_cast<uint32_t>(c));
            return true;
        }
    }
    return false;
}

std::string DrawPass::anzeige(const DruckReport_Struct& o) {
    switch (o.type) {
        case kSeite:
            return o.text + std::to_string(seite_);
        case kSeiteVon:
            return o.text + std::to_string(r_.SeitenGesamt());
        case kDatum:
            return o.text + platform::dateToText(platform::today());
        case kUhrzeit:
            return o.text + platform::timeToText(platform::now());
        case kVariable: {
            const Variable* v = r_.GetVariable(o.text);
            return v != nullptr ? v->value : std::string();
        }
        default:
            return o.text;
    }
}

bool DrawPass::bedingungen(DruckReport_Struct& o, const Rahmen& r, const std::string& wert) {
    const uint16_t c = o.conditions;
    bool zeigen = true;
    if ((c & kNErster) && r.erster) zeigen = false;
    if ((c & kErster) && !r.erster) zeigen = false;
    if (c & kAenderung) {
        if (!r.erster && o.value && *o.value == wert) {
            zeigen = false;
        } else {
            o.value = wert;
        }
    }
    if ((c & kLeer) && !wert.empty()) zeigen = false;
    if ((c & kNLeer) && wert.empty()) zeigen = false;
    if (c & (kDatensatz | kLetzter)) {
        const TStringTab* tab = r_.GetDatenTab(o.table);
        const bool satz = tab != nullptr && tab->RecordRow() >= 0;
        if ((c & kDatensatz) && !satz) zeigen = false;
        if ((c & kLetzter) && !(satz && tab->RecordRow() == tab->GetRowCount(false) - 1)) {
            zeigen = false;
        }
    }
    if ((c & kNeueSeite) && o.pageMarker == seite_) zeigen = false;
    if ((c & kErsteSeite) && seite_ != 1) zeigen = false;
    return zeigen;
}

void DrawPass::summen(const DruckReport_Struct& o, const std::string& wert) {
    for (const FAktion& a : o.actions) {
        Variable* v = r_.GetVariable(a.text);
        if (v == nullptr) v = r_.NeuVariable(a.text);
        if (v == nullptr || a.flag != 0) continue;  // no name: nothing to sum into
        // Texts are collected in place: a long collection costs no copy per record.
        if (v->isNumber == 0 && !(istZahl(v->value) && istZahl(wert))) {
            v->value += wert;
        } else {
            v->value = AddStr(v->value, wert, v->isNumber != 0);
        }
        if (v->value.size() > kMaxVariable) return zuViel(o, ReportFehler::ReportZuGross);
    }
}

// Conditions, groups and variables for one object of one record; true when
// the object is to be placed on the page.
bool DrawPass::bewerte(DruckReport_Struct& o, const Rahmen& r, int32_t rec, Auswertung& a) {
    if (r.index >= 0 && !r.seitenFrame && o.count > 0 && rec >= o.count) return false;
    bool zeigen = true;
    const bool setzt = o.type == kVariable && o.recordText == 0;
    if (liestZelle(o.type)) {
        zeigen = zellwert(o, o.text, a.text);
    } else if (setzt) {
        a.text = o.value.value_or("");
        if (!o.secondText.empty()) zeigen = zellwert(o, o.secondText, a.text);
    } else {
        a.text = anzeige(o);
    }
    if (zeigen) zeigen = bedingungen(o, r, a.text);

    const bool schaltet =
        (o.type == kDbText || o.type == kBedingung) && o.conditions != 0 && o.groupMask != 0;
    if (schaltet) {
        gruppen_ = zeigen ? (gruppen_ | o.groupMask) : (gruppen_ & ~o.groupMask);
    } else if (zeigen && o.groupMask != 0 && (gruppen_ & o.groupMask) == 0) {
        zeigen = o.type == kBitmap && !o.secondText.empty();
        a.elseBild = zeigen;
    }
    if (!zeigen) return false;

    switch (o.type) {
        case kSetGruppe:
            gruppen_ = static_cast<uint32_t>(Str_in_Zahl(a.text));
            return false;
        case kBedingung:
            return false;
        case kVariable: {
            Variable* v = r_.GetVariable(o.text);
            if (v == nullptr && (o.value.has_value() || !o.secondText.empty())) {
                v = r_.NeuVariable(o.text);
            }
            if (v != nullptr && o.numberType) v->isNumber = 1;
            if (setzt && v != nullptr) v->value = a.text;
            summen(o, a.text);
            if (setzt) return false;
            break;
        }
        case kDbText:
            summen(o, a.text);
            break;
        default:
            break;
    }
    if (abbruch_) return false;  // a sum outgrew its variable
    if (o.displayFormat && r_.OnFormat && istText(o)) r_.OnFormat(r_, o.text, a.text);
    return true;
}

void DrawPass::hilfsRahmen(const platform::Rect& box, uint32_t farbe) {
    c_.setPen(farbe, 1, false);
    c_.setBrush(farbe, Pinsel::Kreuz);
    c_.rectangle(box);
}

bool DrawPass::zeichne(DruckReport_Struct& o, Rahmen& r, const Auswertung& a, bool& drawn) {
    drawn = false;
    o.pageMarker = seite_;
    if (istText(o)) return zeichneText(o, r, a.text, drawn);
    if (!ausgeben(o, 1, 0)) return true;
    const platform::Rect box = rechteck(o, r);
    if (o.type == kBitmap) {
        if (!zaehlen_) zeichneBild(o, box, a.elseBild);
        drawn = true;
        return true;
    }
    if (!zaehlen_) {
        if (z_.ziel == Ziel::Vorschau && (r_.Konstrukt & 4)) hilfsRahmen(box, 0x008000);
        c_.setPen(o.colour & kFarbmaske, std::max(1, px(o.penWidth)), false);
        c_.setBrush(o.background & kFarbmaske,
                    o.background == kKeineFarbe ? Pinsel::Leer : Pinsel::Voll);
        switch (o.type) {
            case kRechteck:
                c_.rectangle(box);
                break;
            case kLinie:
                c_.line(box.left, box.top, box.right, box.bottom);
                break;
            case kElipse:
                c_.ellipse(box);
                break;
            default:
                break;
        }
    }
    r.hoehe = std::max<int64_t>(r.hoehe, o.height);
    drawn = true;
    return true;
}

void DrawPass::zeichneBild(const DruckReport_Struct& o, const platform::Rect& box, bool elseBild) {
    if (z_.ziel == Ziel::Pdf) return;
    const std::string& name = elseBild ? o.secondText : o.text;
    if (const Bild* b = r_.GetBild(name)) {
        c_.stretchDraw(box, *b);
        return;
    }
    if (z_.ziel != Ziel::Vorschau || !(r_.Konstrukt & 2)) return;
    hilfsRahmen(box, 0x800080);
    CanvasFont f;
    f.colour = 0x800080;
    c_.setFont(f, z_.fontResolution);
    const int w = c_.textWidth(name);
    const int h = c_.textHeight(name);
    c_.setBrush(0xFFFFFF, Pinsel::Leer);
    c_.textRect(box, box.left + (box.width() - w) / 2, box.top + (box.height() - h) / 2, name);
}

// Wraps (or, for auto objects, widens) the text, aligns it and places the
// lines that fit above the frame's bottom; the rest is kept for later.
bool DrawPass::zeichneText(DruckReport_Struct& o, Rahmen& r, const std::string& s, bool& drawn) {
    // A text costs its whole length each time it is placed, however few of
    // its lines show: it is measured and wrapped whole.
    if (!ausgeben(o, 0, s.size())) {
        o.remainingLines = 0;
        return true;
    }
    const int32_t lh01 = zeilenhoehe01(o);  // sets the font
    const int lh = std::max(1, c_.textHeight("A"));
    platform::Rect box = rechteck(o, r);
    int anzahl;
    if (o.autoSize) {
        zeilen_.assign(1, Textzeile{0, static_cast<uint32_t>(s.size())});
        anzahl = s.empty() ? 0 : 1;
        const int tw = anzahl ? c_.textWidth(s) : 0;
        if (tw > box.width()) {
            const int mehr = tw - box.width();
            if (o.hAlign == kAlignEnd) {
                box.left -= mehr;
            } else if (o.hAlign == kAlignCentre) {
                box.left -= mehr / 2;
                box.right = box.left + tw;
            } else {
                box.right += mehr;
            }
        }
    } else {
        anzahl = GetTextzeilen(s, c_, box.width(), zeilen_);
        if (lh01 > 0) {
            const int32_t passt = o.height / lh01;
            if (passt > 0 && passt < anzahl) anzahl = passt;
        }
    }
    const int erste = o.remainingLines > 0 ? std::max(0, anzahl - o.remainingLines) : 0;
    const int n = anzahl - erste;
    int top = box.top;
    if (o.vAlign == kAlignCentre) top = box.top + box.height() / 2 - n * lh / 2;
    if (o.vAlign == kAlignEnd) top = box.top + box.height() - n * lh;
    top = std::max(top, box.top);

    const bool erlaubt = wechselErlaubt(r) || r.spalte < r.spalten;
    const int64_t grenze = int64_t{py(static_cast<double>(r.limit))} + z_.originY;
    if (!zaehlen_ && z_.ziel == Ziel::Vorschau && (r_.Konstrukt & 4)) hilfsRahmen(box, 0x008000);
    int gezeichnet = 0;
    for (int k = 0; k < n; ++k) {
        const int64_t y = static_cast<int64_t>(top) + static_cast<int64_t>(k) * lh;
        if (erlaubt && y + lh > grenze) break;
        if (!ausgeben(o, 1, 0)) {
            o.remainingLines = 0;
            return true;
        }
        const Textzeile& z = zeilen_[static_cast<size_t>(erste + k)];
        if (!zaehlen_) {
            zeichneZeile(o, box, box.left, static_cast<int>(y),
                         std::string_view(s).substr(z.start, z.length));
        }
        ++gezeichnet;
    }
    drawn = gezeichnet > 0;
    o.remainingLines = n - gezeichnet;
    r.hoehe = std::max<int64_t>(r.hoehe, int64_t{gezeichnet} * lh01);
    return o.remainingLines == 0;
}

void DrawPass::zeichneZeile(const DruckReport_Struct& o, const platform::Rect& box, int x, int y,
                            std::string_view line) {
    CanvasFont f = fontOf(o);
    c_.setPen(f.colour, 1, false);
    c_.setBrush(o.background & kFarbmaske,
                o.background == kKeineFarbe ? Pinsel::Leer : Pinsel::Voll);
    int lw = c_.textWidth(line);
    // Small preview fonts can round wider than the measure: shrink to fit.
    const bool verkleinert = z_.ziel == Ziel::Vorschau && lw > box.width() && f.size > 1;
    while (z_.ziel == Ziel::Vorschau && lw > box.width() && f.size > 1) {
        --f.size;
        c_.setFont(f, z_.fontResolution);
        lw = c_.textWidth(line);
    }
    int lx = x;
    if (o.hAlign == kAlignCentre) lx = x + (box.width() - lw) / 2;
    if (o.hAlign == kAlignEnd) lx = x + box.width() - lw;
    if (f.angle == 0 || z_.ziel == Ziel::Pdf || line.size() < 2) {
        c_.textRect(box, lx, y, line);
    } else {
        // Rotated: character by character along the angle, the spare width
        // spread evenly over the gaps.
        const double a = f.angle * 3.14159265358979323846 / 1800.0;
        const double luecke =
            lw < box.width() ? static_cast<double>(box.width() - lw) / double(line.size() - 1) : 0;
        double d = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            const std::string_view ch = line.substr(i, 1);
            c_.textRect({}, x + static_cast<int>(std::lround(d * std::cos(a))),
                        y - static_cast<int>(std::lround(d * std::sin(a))), ch);
            d += c_.textWidth(ch) + luecke;
        }
    }
    if (verkleinert) c_.setFont(fontOf(o), z_.fontResolution);
}

}  // namespace report

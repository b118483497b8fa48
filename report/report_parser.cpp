#include "report/report_parser.h"

#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_errors.h"
#include "report/report_lexer.h"

namespace report {

// Grammar of a report text. Words are separated by blanks and TABs and end
// at a blank, CR, LF or the end; CR and LF end a line, "#" starts a comment
// up to the line end. A keyword's object word, selector or value must follow
// on the same line.
//
//   text      := { line }
//   line      := { command | "set" } [ "#" comment ]     ("set": to the line end)
//   command   := "frame" | "seitenframe" | "object" objword | "end"
//              | "data" tab | "row" rest-of-line          (inside data only)
//              | numkey number | strkey string
//              | "ausrichtung" align | "fontart" style | "tabelle" tab
//              | "wenn" condition | "typ" "zahl" | "anzeige" "format"
//   objword   := label | bitmap | rechteck | linie | datum | uhrzeit | seite
//              | seitevon | dbtext | elipse | bedingung | variable | setgruppe
//   align     := links | oben | unten | rechts | hmitte | vmitte | auto | box
//              | normal | hochformat | querformat
//   style     := fett | kursiv | unterstrichen | normal
//   tab       := tab1 | tab2 | tab3
//   condition := änderung | datensatz | nerster | leer | nleer | erster
//              | letzter | neueseite | ersteseite
//   numkey    := links | oben | breite | höhe | stift | schrifthöhe | anzahl
//              | schrittweite | textwinkel | gruppe | einzelschritt | spalten
//              | seiten
//   strkey    := farbe | text | add | wert | else | getdbtext
//   number    := [ "-" ] digit { digit } { any }      (32-bit range)
//   string    := word | '"' { any but '"' } ( '"' { any } | line end )
//
// Nesting: "frame" ... "end" (frames nest; inside one the depth is 1),
// "seitenframe" ... "end" (once, not inside a frame), "object" ... "end"
// (at depth 0, or at depth 1 once a frame was seen), "data" tab ... "end".
// Value words act on the current object, which stays the one last opened
// or closed; on a "set" line the words with a default write the default.
// The first numbered error stops the parse; an unknown word is asked about
// (OK skips it, Cancel stops silently).
class ReportParser {
public:
    ReportParser(Report& report, std::string_view text) : r_(report), lex_(text) {}
    bool run();

private:
    // What the next word must be.
    enum class Erwartet {
        Nichts,
        Objektwort,
        Ausrichtung,
        Fontart,
        Tabelle,
        Data,
        Wenn,
        Typ,
        Anzeige,
        Wert
    };

    bool fail(ReportFehler f) {
        fehler_ = f;
        zeile_ = lex_.line();
        return false;
    }
    bool lineEnd();
    bool keyword(int k);
    bool accepts(int k) const;
    void applySelector(int k);
    ReportFehler check(int k) const;
    ReportFehler valueCheck(bool hasDefault) const;
    bool apply(int k);
    bool applyAusrichtung(int k);
    bool readValue();
    void row(const std::string& value);
    int32_t newRecord(uint8_t type);
    DruckReport_Struct& cur() { return r_.objekte_[static_cast<size_t>(current_)]; }
    const DruckReport_Struct& cur() const { return r_.objekte_[static_cast<size_t>(current_)]; }

    Report& r_;
    ReportLexer lex_;
    ReportFehler fehler_ = ReportFehler::Keiner;
    int zeile_ = 0;
    int depth_ = 0;
    int32_t currentFrame_ = -1;
    int32_t current_ = -1;  // target of value words
    int framesSeen_ = 0;
    bool setMode_ = false;
    Erwartet pending_ = Erwartet::Nichts;
    int valueWord_ = kKeinBefehl;
    int dataTab_ = 0;  // open data block: own table 1..3, 0 none
};

bool ReportParser::run() {
    r_.Clear_Report(false);
    r_.dir_ = kHochformat;
    for (;;) {
        lex_.skipBlanks();
        if (lex_.atEnd()) break;
        const char c = lex_.peek();
        if (c == '\r' || c == '\n') {
            if (!lineEnd()) break;
            lex_.consumeLineEnd();
            continue;
        }
        if (c == '#') {
            lex_.skipToLineEnd();
            setMode_ = false;
            pending_ = Erwartet::Nichts;
            continue;
        }
        if (pending_ == Erwartet::Wert) {
            if (!readValue()) break;
            continue;
        }
        const std::string_view word = lex_.word();
        const int k = befehlIndex(word);
        if (k == kKeinBefehl) {
            if (!frageUnbekanntesWort(lex_.rest())) return false;
            lex_.skip(word.size());
            continue;
        }
        lex_.skip(word.size());
        if (!keyword(k)) break;
    }
    if (fehler_ == ReportFehler::Keiner) lineEnd();  // the text's end ends its last line
    if (fehler_ != ReportFehler::Keiner) {
        zeigeFehler(fehler_, zeile_);
        return false;
    }
    return true;
}

// A pending object word, strict selector or value is incomplete at a line
// end; a pending alignment or font word is just forgotten.
bool ReportParser::lineEnd() {
    switch (pending_) {
        case Erwartet::Nichts:
        case Erwartet::Ausrichtung:
        case Erwartet::Fontart:
            break;
        default:
            return fail(ReportFehler::UnvollstaendigerBefehl);
    }
    setMode_ = false;
    pending_ = Erwartet::Nichts;
    return true;
}

bool ReportParser::keyword(int k) {
    switch (pending_) {
        case Erwartet::Objektwort:
        case Erwartet::Tabelle:
        case Erwartet::Data:
        case Erwartet::Wenn:
        case Erwartet::Typ:
        case Erwartet::Anzeige: {
            if (accepts(k)) {
                applySelector(k);
                pending_ = Erwartet::Nichts;
                return true;
            }
            const ReportFehler f = check(k);
            return fail(f != ReportFehler::Keiner ? f : ReportFehler::UnvollstaendigerBefehl);
        }
        case Erwartet::Ausrichtung:
            if (isAlignWord(k)) {
                pending_ = Erwartet::Nichts;
                return applyAusrichtung(k);
            }
            break;
        case Erwartet::Fontart:
            if (k == kwFett || k == kwKursiv || k == kwUnterstrichen || k == kwNormal) {
                uint8_t& style = setMode_ ? r_.vorgaben_.fontStyle : cur().font.style;
                style = k == kwFett            ? style | kFett
                        : k == kwKursiv        ? style | kKursiv
                        : k == kwUnterstrichen ? style | kUnterstrichen
                                               : 0;
                pending_ = Erwartet::Nichts;
                return true;
            }
            break;
        default:
            break;
    }
    const ReportFehler f = check(k);
    if (f != ReportFehler::Keiner) return fail(f);
    pending_ = Erwartet::Nichts;  // a pending alignment or font word is forgotten
    return apply(k);
}

bool ReportParser::accepts(int k) const {
    switch (pending_) {
        case Erwartet::Objektwort:
            return isObjectWord(k);
        case Erwartet::Tabelle:
        case Erwartet::Data:
            return k == kwTab1 || k == kwTab2 || k == kwTab3;
        case Erwartet::Wenn:
            return conditionFlag(k) != 0;
        case Erwartet::Typ:
            return k == kwZahl;
        case Erwartet::Anzeige:
            return k == kwFormat;
        default:
            return false;
    }
}

void ReportParser::applySelector(int k) {
    switch (pending_) {
        case Erwartet::Objektwort:
            cur().type = objectType(k);
            break;
        case Erwartet::Tabelle: {
            const auto n = static_cast<uint8_t>(k - kwTab1 + 1);
            (setMode_ ? r_.vorgaben_.table : cur().table) = n;
            break;
        }
        case Erwartet::Data: {
            dataTab_ = k - kwTab1 + 1;
            auto& tab = r_.eigeneTabellen_[static_cast<size_t>(dataTab_ - 1)];
            if (tab) {
                tab->Clear(true);
            } else {
                tab = std::make_unique<TStringTab>();
            }
            ++depth_;
            break;
        }
        case Erwartet::Wenn: {
            const uint16_t flag = conditionFlag(k);
            DruckReport_Struct& o = cur();
            o.conditions = static_cast<uint16_t>((o.conditions & ~clearedBy(flag)) | flag);
            if (flag == kAenderung) o.value = std::string();
            break;
        }
        case Erwartet::Typ:
            (setMode_ ? r_.vorgaben_.numberType : cur().numberType) = 1;
            break;
        case Erwartet::Anzeige:
            cur().displayFormat = 1;
            break;
        default:
            break;
    }
}

// A value word needs a target: on a `set` line a word with a default writes
// the default; otherwise it needs an open object (depth above 0) and an
// object to act on.
ReportFehler ReportParser::valueCheck(bool hasDefault) const {
    if (setMode_ && hasDefault) return ReportFehler::Keiner;
    if (!setMode_ && depth_ == 0) return ReportFehler::ZuweisungOhneObjekt;
    if (current_ < 0) return ReportFehler::ZuweisungOhneObjekt;
    return ReportFehler::Keiner;
}

// The error that keyword k raises where it stands, or none.
ReportFehler ReportParser::check(int k) const {
    const bool pending = pending_ != Erwartet::Nichts;
    switch (k) {
        case kwObject:
            if (depth_ == 0 || (depth_ == 1 && framesSeen_ > 0)) return ReportFehler::Keiner;
            return ReportFehler::FehlendesEnd;
        case kwEnd:
            return depth_ == 0 ? ReportFehler::UnerwartetesEnd : ReportFehler::Keiner;
        case kwLinks:
        case kwOben:
        case kwGruppe:
            if (pending) return ReportFehler::AusrichtungFalsch;
            return valueCheck(true);
        case kwSeiten:
            if (pending) return ReportFehler::AusrichtungFalsch;
            return setMode_ ? ReportFehler::KeinVorgabeparameter : ReportFehler::Keiner;
        case kwSpalten:
            if (pending) return ReportFehler::FrameparameterOhneFrame;
            if (setMode_) return ReportFehler::KeinVorgabeparameter;
            if (depth_ == 0 || current_ < 0) return ReportFehler::FrameparameterOhneFrame;
            return ReportFehler::Keiner;
        case kwBreite:
        case kwHoehe:
        case kwStift:
        case kwSchrifthoehe:
        case kwAnzahl:
        case kwFarbe:
            return valueCheck(true);
        case kwSchrittweite:
        case kwTextwinkel:
        case kwEinzelschritt:
        case kwText:
        case kwAdd:
        case kwWert:
        case kwWenn:
            return valueCheck(false);
        case kwElse:
            return (depth_ == 0 || current_ < 0) ? ReportFehler::ZuweisungOhneObjekt
                                                 : ReportFehler::Keiner;
        case kwGetdbtext:
            if (depth_ == 0 || current_ < 0) return ReportFehler::ZuweisungOhneObjekt;
            return cur().type != kVariable ? ReportFehler::UnzulaessigeEigenschaft
                                           : ReportFehler::Keiner;
        case kwRow:
            return dataTab_ == 0 ? ReportFehler::RowOhneData : ReportFehler::Keiner;
        case kwUnten:
        case kwRechts:
        case kwHmitte:
        case kwVmitte:
        case kwAuto:
        case kwBox:
        case kwHochformat:
        case kwQuerformat:
            return ReportFehler::AusrichtungFalsch;
        case kwFontart:
        case kwTabelle:
            if (!setMode_ && (depth_ == 0 || current_ < 0))
                return ReportFehler::ObjektzuweisungOhneObjekt;
            return ReportFehler::Keiner;
        case kwFett:
        case kwKursiv:
        case kwUnterstrichen:
        case kwNormal:
            return ReportFehler::SchriftartOhneFontart;
        case kwTab1:
        case kwTab2:
        case kwTab3:
            return ReportFehler::TabellenauswahlFalsch;
        case kwTyp:
            if (setMode_) return ReportFehler::Keiner;
            if (depth_ == 0 || current_ < 0) return ReportFehler::ZuweisungOhneObjekt;
            return cur().type != kVariable ? ReportFehler::UnzulaessigeEigenschaft
                                           : ReportFehler::Keiner;
        case kwZahl:
        case kwFormat:
            return ReportFehler::BedingungOhneWenn;
        case kwAnzeige:
            if (setMode_) return ReportFehler::NichtAlsVorgabe;
            if (depth_ == 0 || current_ < 0) return ReportFehler::ZuweisungOhneObjekt;
            return ReportFehler::Keiner;
        case kwSeitenframe:
            if (r_.seitenFrame_ >= 0) return ReportFehler::ZweiterSeitenframe;
            if (currentFrame_ >= 0) return ReportFehler::SeitenframeImFrame;
            return ReportFehler::Keiner;
        default:
            if (isObjectWord(k)) return ReportFehler::ObjektzuweisungOhneObjekt;
            if (conditionFlag(k) != 0) return ReportFehler::BedingungOhneWenn;
            return ReportFehler::Keiner;  // frame, set, data, ausrichtung
    }
}

int32_t ReportParser::newRecord(uint8_t type) {
    DruckReport_Struct o = Neues_Objekt(r_.vorgaben_);
    o.type = type;
    o.parent = currentFrame_;
    if (type == kFrame || type == kSeitenFrame) {
        o.left = 0;
        o.width = 0;
        o.height = 0;
        if (type == kSeitenFrame) o.table = 0;
    }
    r_.objekte_.push_back(std::move(o));
    r_.zeilen_.push_back(lex_.line());
    return static_cast<int32_t>(r_.objekte_.size() - 1);
}

bool ReportParser::apply(int k) {
    switch (k) {
        case kwFrame:
            current_ = currentFrame_ = newRecord(kFrame);
            depth_ = 1;
            ++framesSeen_;
            break;
        case kwSeitenframe:
            current_ = currentFrame_ = r_.seitenFrame_ = newRecord(kSeitenFrame);
            ++depth_;
            break;
        case kwObject:
            current_ = newRecord(kLabel);
            ++depth_;
            pending_ = Erwartet::Objektwort;
            break;
        case kwSet:
            setMode_ = true;
            break;
        case kwData:
            pending_ = Erwartet::Data;
            break;
        case kwAusrichtung:
            pending_ = Erwartet::Ausrichtung;
            break;
        case kwFontart:
            pending_ = Erwartet::Fontart;
            break;
        case kwTabelle:
            pending_ = Erwartet::Tabelle;
            break;
        case kwWenn:
            pending_ = Erwartet::Wenn;
            break;
        case kwTyp:
            pending_ = Erwartet::Typ;
            break;
        case kwAnzeige:
            pending_ = Erwartet::Anzeige;
            break;
        case kwEnd:
            // The closed object stays the target of later value words.
            dataTab_ = 0;
            --depth_;
            if (depth_ == 0 && currentFrame_ >= 0) {
                currentFrame_ = r_.objekte_[static_cast<size_t>(currentFrame_)].parent;
                if (currentFrame_ >= 0) {
                    depth_ = 1;
                } else {
                    r_.vorgaben_.groupMask = 0;
                }
            }
            break;
        default:
            pending_ = Erwartet::Wert;  // every remaining keyword takes a value
            valueWord_ = k;
            break;
    }
    return true;
}

bool ReportParser::applyAusrichtung(int k) {
    if (k == kwHochformat || k == kwQuerformat) {
        r_.dir_ = k == kwHochformat ? kHochformat : kQuerformat;
        return true;
    }
    // Alignment needs the defaults (on a `set` line) or an object.
    if (!setMode_ && current_ < 0) return fail(ReportFehler::ZuweisungOhneObjekt);
    uint8_t& h = setMode_ ? r_.vorgaben_.hAlign : cur().hAlign;
    uint8_t& v = setMode_ ? r_.vorgaben_.vAlign : cur().vAlign;
    uint8_t& a = setMode_ ? r_.vorgaben_.autoSize : cur().autoSize;
    switch (k) {
        case kwLinks:
            h = kAlignStart;
            break;
        case kwRechts:
            h = kAlignEnd;
            break;
        case kwHmitte:
            h = kAlignCentre;
            break;
        case kwOben:
            v = kAlignStart;
            break;
        case kwUnten:
            v = kAlignEnd;
            break;
        case kwVmitte:
            v = kAlignCentre;
            break;
        case kwAuto:
            a = 1;
            break;
        case kwBox:
            a = 0;
            break;
        case kwNormal:
            h = kAlignStart;
            v = kAlignStart;
            a = 1;
            break;
        default:
            break;
    }
    return true;
}

bool ReportParser::readValue() {
    const int k = valueWord_;
    pending_ = Erwartet::Nichts;
    Vorgaben& d = r_.vorgaben_;
    if (isNumberWord(k)) {
        const std::optional<int32_t> n = lex_.readNumber();
        if (!n) return fail(ReportFehler::ParameterwertFehlt);
        const int32_t v = *n;
        switch (k) {
            case kwLinks:
                (setMode_ ? d.left : cur().left) = v;
                break;
            case kwOben:
                (setMode_ ? d.top : cur().top) = v;
                break;
            case kwBreite:
                (setMode_ ? d.width : cur().width) = v;
                break;
            case kwHoehe:
                (setMode_ ? d.height : cur().height) = v;
                break;
            case kwStift:
                (setMode_ ? d.penWidth : cur().penWidth) = v;
                break;
            case kwSchrifthoehe:
                (setMode_ ? d.fontSize : cur().font.size) = v;
                break;
            case kwAnzahl:
                (setMode_ ? d.count : cur().count) = v;
                break;
            case kwSchrittweite:
            case kwEinzelschritt:
                cur().step = v;
                break;
            case kwTextwinkel:
                cur().textAngle = v;
                break;
            case kwSpalten:
                cur().columns = v;
                break;
            case kwSeiten:
                r_.seiten_ = v;
                break;
            case kwGruppe:
                // Groups are 1..32; 0 clears; anything else is ignored.
                if (v < 0 || v > 32) break;
                if (setMode_) {
                    d.groupMask = v == 0 ? 0 : 1u << (v - 1);
                } else {
                    cur().groupMask = v == 0 ? 0 : cur().groupMask | (1u << (v - 1));
                }
                break;
            default:
                break;
        }
        return true;
    }
    if (k == kwRow) {
        row(lex_.readRestOfLine());
        return true;
    }
    std::string s = lex_.readString();
    switch (k) {
        case kwFarbe: {
            const std::optional<uint32_t> c = parseColour(s);
            if (!c) return fail(ReportFehler::ParameterwertFehlt);
            (setMode_ ? d.colour : cur().colour) = *c;
            break;
        }
        case kwText:
            cur().text = std::move(s);
            break;
        case kwAdd:
            NeuAktion(cur().actions).text = std::move(s);
            break;
        case kwWert:
            cur().value = std::move(s);
            cur().recordText = 0;
            break;
        case kwElse:
            cur().secondText = std::move(s);
            break;
        case kwGetdbtext:
            cur().secondText = std::move(s);
            cur().recordText = 0;
            break;
        default:
            break;
    }
    return true;
}

// The first row of a data block fixes the column count and becomes the
// field names; surplus pieces are dropped, missing ones stay empty.
void ReportParser::row(const std::string& value) {
    const std::vector<std::string> pieces = splitRow(value);
    TStringTab& tab = *r_.eigeneTabellen_[static_cast<size_t>(dataTab_ - 1)];
    if (tab.RowCount() <= 0) tab.Set_Tab(0, static_cast<uint32_t>(pieces.size()));
    tab.InsertRow(tab.RowCount(), &pieces, 1);
}

bool parseReport(Report& report, std::string_view text) {
    return ReportParser(report, text).run();
}

}  // namespace report

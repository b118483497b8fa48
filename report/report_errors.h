// The numbered errors of the report command language and the message boxes
// the parser shows: numbered errors, the unknown-word question. The last
// numbers are the layout's: a report that would draw too much.
#pragma once

#include <string>
#include <string_view>

namespace report {

enum class ReportFehler : int {
    Keiner = 0,
    ObjektzuweisungOhneObjekt = 1,
    UnvollstaendigerBefehl = 2,
    ParameterwertFehlt = 3,
    AusrichtungFalsch = 4,
    SchriftartOhneFontart = 5,
    FrameparameterOhneFrame = 6,
    ZuweisungOhneObjekt = 7,
    UnerwartetesEnd = 8,
    UnzulaessigeEigenschaft = 9,
    KeinVorgabeparameter = 10,
    TabellenauswahlFalsch = 11,
    RowOhneData = 12,
    BedingungOhneWenn = 13,
    ZweiterSeitenframe = 14,
    SeitenframeImFrame = 15,
    NichtAlsVorgabe = 16,
    FehlendesEnd = 17,
    // Raised while laying out: the report would draw more than its bounds.
    SeiteZuVoll = 18,
    ReportZuGross = 19,
};
constexpr int kLetzterFehler = 19;

// The text of error n (1..19), Windows-1252; "" for any other number.
const std::string& fehlerText(ReportFehler n);

// "Fehler in den Reportdaten!\nFehlernummer:<n>  <text>\nIn Zeile <line>"
std::string fehlerMeldung(ReportFehler n, int line);

// Shows a numbered error (caption "Fehler", OK).
void zeigeFehler(ReportFehler n, int line);

// Asks about an unknown word: shows up to 20 bytes of the text from the
// word on (caption "Unbekannter Befehl", OK/Cancel). True when OK.
bool frageUnbekanntesWort(std::string_view fromWord);

}  // namespace report

#include "report/report_errors.h"

#include <array>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace report {

const std::string& fehlerText(ReportFehler n) {
    static const std::array<std::string, kLetzterFehler + 1> texte = {
        std::string(),
        "Objektzuweisung ohne Objektdefinition",
        platform::cp1252("Unvollständiger Befehl"),
        "Parameterwert erwartet aber nicht definiert",
        platform::cp1252("Ausrichtungsangabe oder Parameterposition an ungültiger Stelle"),
        platform::cp1252("Parameter für Schriftart ohne Parameterdefinition gefunden"),
        "Frameparameter ohne Framedefinition",
        "Zuweisung ohne Objektdefinition",
        "Unerwartete 'end'-Anweisung",
        platform::cp1252("Unzulässige Objekteigenschaft"),
        "Kein Vorgabeparameter",
        "Tabellenauswahl ohne 'Set' oder ohne 'Data' -Befehl",
        "Zeilendefinition (row) ohne Datenmous 'data tabX'",
        "Bedingungsparameter ohne Parameterdefinition gefunden",
        "Es kann nur ein Seitenframe-Objekt definiert werden",
        "Ein Seitenframe-Objekt kann nicht innerhalb eines Frames definiert werden",
        "Diese Eigenschaft kann nicht als Vorgabe gesetzt werden",
        "Fehlende 'end'-Anweisung",
        "Zu viele Objekte oder zu viel Text auf einer Seite",
        "Zu viele Objekte oder zu viel Text im Report",
    };
    const int i = static_cast<int>(n);
    return (i >= 1 && i <= kLetzterFehler) ? texte[i] : texte[0];
}

std::string fehlerMeldung(ReportFehler n, int line) {
    return "Fehler in den Reportdaten!\nFehlernummer:" + std::to_string(static_cast<int>(n)) +
           "  " + fehlerText(n) + "\nIn Zeile " + std::to_string(line);
}

void zeigeFehler(ReportFehler n, int line) {
    platform::MessageBox(fehlerMeldung(n, line), "Fehler", platform::Buttons::Ok,
                         platform::Icon::Error);
}

bool frageUnbekanntesWort(std::string_view fromWord) {
    const std::string shown(fromWord.substr(0, 20));
    return platform::MessageBox(shown, "Unbekannter Befehl", platform::Buttons::OkCancel,
                                platform::Icon::Question) == platform::Answer::Ok;
}

}  // namespace report

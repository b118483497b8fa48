#include "book/sheet/host.h"

namespace book {

const char* actionName(Action a) {
    switch (a) {
        case Action::Loeschen: return "Loeschen";
        case Action::EintragEinfuegen: return "EintragEinfuegen";
        case Action::Speichern: return "Speichern";
        case Action::SpeichernAls: return "SpeichernAls";
        case Action::Laden: return "Laden";
        case Action::NeuSeite: return "NeuSeite";
        case Action::Anmelden: return "Anmelden";
        case Action::Abmelden: return "Abmelden";
        case Action::Bilanz: return "Bilanz";
        case Action::Runden: return "Runden";
        case Action::PKW_Berechnung: return "PKW_Berechnung";
        case Action::WZUschlag: return "WZUschlag";
        case Action::Tageweise: return "Tageweise";
        case Action::ZAutomatik: return "ZAutomatik";
        case Action::ZHand: return "ZHand";
        case Action::ADA: return "ADA";
        case Action::Feiertage1: return "Feiertage1";
        case Action::GanzeWochen1: return "GanzeWochen1";
        case Action::Benutzereinstellungen: return "Benutzereinstellungen";
        case Action::Admin: return "Admin";
        case Action::MenuePasswort: return "MenuePasswort";
        case Action::Zuschlagskorrektur: return "Zuschlagskorrektur";
        case Action::MonthNavigation: return "MonthNavigation";
        case Action::Bearbeiten1: return "Bearbeiten1";
        case Action::ToolButton1: return "ToolButton1";
        case Action::Oeffnen1: return "Oeffnen1";
        case Action::Freizeitausgleich: return "Freizeitausgleich";
        case Action::Extra_Kronlauf: return "Extra_Kronlauf";
        case Action::UeStundenKonto: return "UeStundenKonto";
        case Action::AZVerlagern: return "AZVerlagern";
        case Action::Mehrarbeit: return "Mehrarbeit";
        case Action::ToolButton6: return "ToolButton6";
        case Action::Neu1: return "Neu1";
    }
    return "?";
}

}  // namespace book

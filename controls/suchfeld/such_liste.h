// The drop-down list of past search texts: one top-most window shared by
// every search field, created on the first drop-down together with a mouse
// hook that lets the pointer pick an entry and closes the list on a press
// elsewhere. It lives until the last field is destroyed.
#pragma once

#include <string>
#include <vector>

class QListWidget;

namespace table {

class TSuchfeld;

// The message the list sends to its owning field: wParam = chosen entry.
constexpr unsigned kSetListIndex = 390;

namespace suchliste {

// Every field registers on construction and deregisters on destruction; a
// field that owns the list at that moment hides it and gives it up.
void anmelden();
void abmelden(TSuchfeld* feld);

bool sichtbar();
void verbergen();
// Fills the list with the entries (in order), places it at its field on
// the field's screen and shows it with `feld` as its owner.
void zeige(TSuchfeld* feld, const std::vector<std::string>& eintraege);

// For tests: the list window (null before the first drop-down) and its owner.
QListWidget* fenster();
TSuchfeld* besitzer();

}  // namespace suchliste
}  // namespace table

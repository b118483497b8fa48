// The table control's layout: how far its tables overflow the control (the
// scroll ranges), the icon view's tiles per line and its detail pane, and
// the scroll steps of the two bars. Pure functions of the tables and sizes.
#pragma once

#include <vector>

#include "controls/table_shared/model/tab_typen.h"
#include "platform/core/rect.h"

namespace table {

using platform::Rect;

// What the layout needs besides the tables.
struct LayoutMasse {
    int breite = 100;  // the control, scroll bars included
    int hoehe = 100;
    int captionHoehe = 0;
    int balken = 18;         // scroll bar thickness
    bool neueZeile = false;  // a new-record line is shown in grid tables
    int neueZeileHoehe = 0;
    bool icons = false;  // an image list is set
    int iconBreite = 0;
    int iconHoehe = 0;
    int hAbstand = 20;
    int vAbstand = 40;
    bool detail = false;  // detail pane in the icon view
    int paneBreite = 0;
    int paneZeilenNeben = 0;   // tile lines beside the pane
    int listZeilenHoehe = 18;  // icon list line, and its columns' total width
    int listBreite = 0;
};

struct LayoutErgebnis {
    int vUeberlauf = 0;  // rows in the grid, pixels in the other views
    int hUeberlauf = 0;  // columns in the grid, pixels in the other views
    int iconsProZeile = 1;
    int kachelnNebenPane = 1;
    int paneLinks = 0;
};

// Visits the tables from the last to the first, as the scroll ranges count.
LayoutErgebnis berechneLayout(const std::vector<const Tabdefinition*>& tabellen,
                              const LayoutMasse& m);

// The detail pane of the icon view.
struct DetailPane {
    Rect rect;             // empty without a pane
    int kachelnNeben = 1;  // tiles per line beside the pane
    int zeilenNeben = 0;   // tile lines beside the pane
};

// labelBreite: label column width (widest value + 4, or 0, plus the widest
// title label); paneZeilen: lines listed in the pane; zeilenHoehe: bold line.
DetailPane berechnePane(int clientBreite, int captionHoehe, int labelBreite, int paneZeilen,
                        int zeilenHoehe, int iconBreite, int iconHoehe, int hAbstand, int vAbstand);

// Scroll bar codes as the window messages carry them.
enum ScrollCode {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

struct ScrollSchritt {
    int pos = 0;
    bool balkenSetzen = false;  // the bar is set to pos
};

// The vertical bar: line and page in its units; thumb codes take trackPos
// when it lies within 0..max, else msgPos.
ScrollSchritt vertikalScrollen(int code, int pos, int max, int zeile, int seite, int trackPos,
                               int msgPos);
// The horizontal bar: lines of 1, pages of 10.
ScrollSchritt horizontalScrollen(int code, int pos, int max, int msgPos);

// A divisor or a per-line count that must not fall below 1.
inline int mindestens1(int n) {
    return n < 1 ? 1 : n;
}

}  // namespace table

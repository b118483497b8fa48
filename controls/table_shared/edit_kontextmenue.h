// The small editing menu (cut, copy, paste, delete, line break) for any
// window that takes the clipboard messages: it is shown at the mouse and the
// chosen command is sent to that window. A WM_PASTE with wParam 1 asks for a
// line break instead of the clipboard text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace table {

constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;

// Bits of the mask: bit i enables item i.
enum KontextBit : int {
    kAusschneiden = 1 << 0,
    kKopieren = 1 << 1,
    kEinfuegen = 1 << 2,
    kLoeschen = 1 << 3,
    kZeilenumbruch = 1 << 4,  // also decides whether the item is there at all
};

struct KontextEintrag {
    std::string caption;  // Windows-1252
    int id = 0;           // item i has id i + 1
    bool enabled = false;
    bool operator==(const KontextEintrag&) const = default;
};

// The items for a mask; "Einfügen" is grey when the clipboard holds no text.
std::vector<KontextEintrag> kontextEintraege(int maske, bool clipboardHasText);

struct KontextBefehl {
    unsigned msg = 0;
    std::uintptr_t wParam = 0;
    bool operator==(const KontextBefehl&) const = default;
};
// The message for a chosen id; none for 0 (dismissed) or an unknown id.
std::optional<KontextBefehl> kontextBefehl(int id);

// Shows the menu at the pointer and sends the chosen command to `fenster`
// (ui::SendMessage, lParam 0).
void Edit_Kontextmenue(QWidget* fenster, int maske);

}  // namespace table

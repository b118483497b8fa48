#include "controls/table_shared/edit_kontextmenue.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/window_messages.h"

namespace table {
namespace {

// clang-format off
constexpr const char* kCaptions[5] = {
    "Ausschneiden", "Kopieren", "Einf\xFCgen", "L\xF6schen", "Zeilenumbruch",
};
constexpr KontextBefehl kBefehle[5] = {
    {WM_CUT, 0}, {WM_COPY, 0}, {WM_PASTE, 0}, {WM_CLEAR, 0}, {WM_PASTE, 1},
};
// clang-format on

}  // namespace

std::vector<KontextEintrag> kontextEintraege(int maske, bool clipboardHasText) {
    int erlaubt = ~0;
    if (!clipboardHasText) erlaubt &= ~kEinfuegen;
    const int an = maske & erlaubt;
    std::vector<KontextEintrag> out;
    for (int i = 0; i < 5; ++i) {
        const int bit = 1 << i;
        if (bit == kZeilenumbruch && (an & bit) == 0) continue;
        out.push_back({kCaptions[i], i + 1, (an & bit) != 0});
    }
    return out;
}

std::optional<KontextBefehl> kontextBefehl(int id) {
    if (id < 1 || id > 5) return std::nullopt;
    return kBefehle[id - 1];
}

void Edit_Kontextmenue(QWidget* fenster, int maske) {
    ui::PopupMenu menu;
    for (const KontextEintrag& e : kontextEintraege(maske, ui::clipboardHasText())) {
        menu.add(e.caption, e.id).enabled = e.enabled;
    }
    // The menu runs its own event loop: the window may be gone when it closes.
    const QPointer<QWidget> ziel(fenster);
    const auto befehl = kontextBefehl(menu.popup(QCursor::pos(), fenster));
    if (befehl && ziel) ui::SendMessage(ziel, befehl->msg, befehl->wParam, 0);
}

}  // namespace table

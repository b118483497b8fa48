#include "platform/ui/dialogs/folder_dialog.h"

#include <QFileDialog>
#include <utility>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

FolderDialogHandler& handler() {
    static FolderDialogHandler h;
    return h;
}

}  // namespace

std::string BrowseFolder(const std::string& caption, const std::string& start, QWidget* parent) {
    const QString dir = handler() ? handler()(toQString(caption), toQString(start))
                                  : QFileDialog::getExistingDirectory(parent, toQString(caption),
                                                                      toQString(start));
    if (dir.isEmpty()) return {};
    return pathFromDialog(dir).value_or(std::string());
}

void setFolderDialogHandler(FolderDialogHandler h) { handler() = std::move(h); }

std::optional<std::string> pathFromDialog(const QString& path) {
    bool passt = true;
    for (const QChar ch : path)
        if (platform::unicodeToCp1252(ch.unicode()) < 0) passt = false;
    if (passt) return fromQString(path);
    platform::MessageBox(platform::cp1252("Der Pfad\n") + fromQString(path) +
                             platform::cp1252("\nenthält Zeichen, die das Programm nicht "
                                              "speichern kann (\"?\").\nBitte wählen oder "
                                              "benennen Sie einen Ordner ohne diese Zeichen."),
                         "Fehler", platform::Buttons::Ok, platform::Icon::Error);
    return std::nullopt;
}

}  // namespace ui

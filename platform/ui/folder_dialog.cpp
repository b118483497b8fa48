#include "platform/ui/folder_dialog.h"

#include <QFileDialog>
#include <utility>

#include "platform/ui/qt_text.h"

namespace ui {
namespace {

FolderDialogHandler& handler() {
    static FolderDialogHandler h;
    return h;
}

}  // namespace

std::string BrowseFolder(const std::string& caption, const std::string& start, QWidget* parent) {
    if (handler()) return handler()(caption, start);
    const QString dir =
        QFileDialog::getExistingDirectory(parent, toQString(caption), toQString(start));
    return fromQString(dir);
}

void setFolderDialogHandler(FolderDialogHandler h) { handler() = std::move(h); }

}  // namespace ui

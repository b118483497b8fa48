// The folder-browse dialog behind a replaceable handler: the program shows
// Qt's dialog, tests answer with a folder of their own.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ui {

// (caption, start folder) -> the folder as the dialog names it, "" when cancelled.
using FolderDialogHandler = std::function<QString(const QString&, const QString&)>;

// The chosen folder in Windows-1252; "" when cancelled or when the folder's
// name has letters Windows-1252 lacks (the user is told so).
std::string BrowseFolder(const std::string& caption, const std::string& start = {},
                         QWidget* parent = nullptr);

// Replaces the handler; an empty handler restores Qt's dialog.
void setFolderDialogHandler(FolderDialogHandler handler);

// A path picked or typed in a dialog, in Windows-1252. A path with letters
// that Windows-1252 lacks could not be stored in the program's files: the
// user is told so and nullopt comes back.
std::optional<std::string> pathFromDialog(const QString& path);

}  // namespace ui

// The folder-browse dialog behind a replaceable handler: the program shows
// Qt's dialog, tests answer with a folder of their own.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace ui {

// (caption, start folder) -> chosen folder, "" when cancelled. Windows-1252.
using FolderDialogHandler = std::function<std::string(const std::string&, const std::string&)>;

std::string BrowseFolder(const std::string& caption, const std::string& start = {},
                         QWidget* parent = nullptr);

// Replaces the handler; an empty handler restores Qt's dialog.
void setFolderDialogHandler(FolderDialogHandler handler);

}  // namespace ui

// How the program's modal dialogs run (exec() by default; tests script the
// user instead), and the frame of a dialog of fixed layout.
#pragma once

#include <QDialog>
#include <functional>

namespace app {

// The runner every dialog of the main window's commands goes through.
std::function<int(QDialog&)>& dialogRunner();
// Clears the old result, then runs the dialog above every window of the
// program; returns its modal result.
int runModal(QDialog& dialog);

// A dialog of fixed layout: its size follows its contents and its caption
// and cannot be changed; the frame offers no maximise button.
void fixDialogFrame(QDialog& dialog);
// A hidden widget gets its size only when shown; a self-drawn control that
// draws before its dialog shows takes its fixed size now.
void sizeNow(QWidget& control);
// Centres the dialog on `owner` (or the screen without one), on the screen.
void centreOn(QDialog& dialog, const QWidget* owner);

}  // namespace app

// The Qt dialogs behind platform::MessageBox, with German button texts. The
// program installs them at start; tests keep platform::ScriptedMessages.
#pragma once

#include <QMessageBox>
#include <chrono>
#include <memory>

#include "platform/core/message_box.h"

namespace ui {

// Makes platform::MessageBox show Qt dialogs. With a key pause a box takes
// no key until it has been shown that long (KeyPause): the program's boxes
// use kKeyPause, so that keys typed ahead never answer them.
void installQtMessageBoxes(std::chrono::milliseconds keyPause = {});

// The dialog for a request, not yet shown: Windows-1252 text and caption
// converted, the text broken into lines that the screen of `parent` (the
// primary screen without one) holds whole, buttons "OK", "Abbrechen", "Ja", "Nein", "Wiederholen" in the
// order of the request's button set, the first one the default. A Yes/No
// question ignores Escape and the window manager's close: only its buttons
// answer it.
std::unique_ptr<QMessageBox> makeMessageBox(const platform::MessageRequest& request,
                                            QWidget* parent = nullptr);

// The answer of a button of such a dialog; a dialog closed without a button
// answers like its cancelling button (Cancel, No, or OK when it has only OK).
platform::Answer answerOf(const QMessageBox& box);

// The width a window needs to show `caption` whole in the window manager's
// title bar, beside its icon and buttons.
int captionWidth(const QString& caption);

// Shows the dialog modally, centred on the window it belongs to and above
// every window of the program, and returns the answer.
platform::Answer showQtMessageBox(const platform::MessageRequest& request,
                                  std::chrono::milliseconds keyPause = {});

}  // namespace ui

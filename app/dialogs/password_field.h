// A password field as the program's dialogs show it: every character as "*",
// whatever mask character the desktop style would choose.
#pragma once

class QLineEdit;

namespace app {

void passwordField(QLineEdit& edit);

}  // namespace app

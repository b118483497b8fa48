#include "app/dialogs/password_field.h"

#include <QLineEdit>

namespace app {

void passwordField(QLineEdit& edit) {
    edit.setEchoMode(QLineEdit::Password);
    edit.setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
}

}  // namespace app

// The application object: one catch site for anything that escapes an event
// handler (shown in a message box, the program goes on), the German
// translation of Qt's own dialogs and the German locale.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <string>

namespace app {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one event delivery; anything it throws is shown and counts as not
// handled (false). The program goes on.
bool deliverCatching(const std::function<bool()>& deliver);
// Shows what escaped in the application's exception box.
void showException(const std::exception* e);
// Loads Qt's German translation and makes German the default locale; false
// when the translation is not installed (the dialogs then stay English).
bool installGerman(QCoreApplication& app);

}  // namespace app

// Program entry: the application object, the main window first, then the
// sign-in dialog (which signs in automatically or asks), the correction
// dialog, then the loop.
#include <exception>

#include "app/application.h"
#include "app/dialogs/correction_dialog.h"
#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/main_window/tool_icons.h"
#include "platform/ui/dialogs/key_pause.h"
#include "platform/ui/dialogs/qt_message_box.h"

int main(int argc, char** argv) {
    app::Application application(argc, argv);
    try {
        app::installGerman(application);
        ui::installQtMessageBoxes(ui::kKeyPause);
        app::setzeIconThema();
        QApplication::setApplicationName(QStringLiteral("Kronlaufbuch"));
        QApplication::setApplicationDisplayName(QString());

        app::TForm1 form;
        app::TAnmeldung anmeldung(form);
        anmeldung.FormCreate();
        app::TKonto::von(form);
        form.show();
        QApplication::exec();
    } catch (const std::exception& e) {
        app::showException(&e);
    } catch (...) {
        app::showException(nullptr);
    }
    return 0;
}

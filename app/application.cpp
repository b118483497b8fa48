#include "app/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <new>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    return deliverCatching([&] { return QApplication::notify(receiver, event); });
}

bool deliverCatching(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::bad_alloc& e) {
        showException(&e);
    } catch (const std::exception& e) {
        showException(&e);
    } catch (...) {
        showException(nullptr);
    }
    return false;
}

void showException(const std::exception* e) {
    std::string text;
    if (dynamic_cast<const std::bad_alloc*>(e) != nullptr)
        text = platform::cp1252("Nicht genügend Speicher vorhanden.");
    else if (e != nullptr && e->what() != nullptr && *e->what() != '\0')
        text = platform::utf8ToCp1252(e->what());
    else
        text = "Unbekannter Fehler im Programm.";
    platform::MessageBox(text, "Kronlaufbuch", platform::Buttons::Ok, platform::Icon::Error);
}

bool installGerman(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), dir)) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}

}  // namespace app

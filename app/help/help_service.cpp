#include "app/help/help_service.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/help/help_window.h"

#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {
namespace {

// The entry of `dir` whose name equals `name` ignoring case, or "".
QString findNoCase(const QDir& dir, const QString& name) {
    if (!dir.exists()) return {};
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return {};
}

// The built-in page of a context; the status messages share one page.
QString builtInPage(int context) {
    struct Eintrag {
        int context;
        const char* page;
    };
    static const Eintrag kSeiten[] = {
        {kHelpAnmeldung, "anmeldung.html"},
        {kHelpBenutzer, "benutzer.html"},
        {kHelpWerkzeugleiste, "befehle.html"},
        {kHelpEinstellung, "einstellungen.html"},
        {kHelpMonat, "monat.html"},
        {kHelpHandeinstellung, "handeinstellung.html"},
        {kHelpVerwaltung, "verwaltung.html"},
        {kHelpBlatt, "blatt.html"},
    };
    QString page = QStringLiteral("index.html");
    for (const Eintrag& e : kSeiten)
        if (e.context == context) page = QString::fromLatin1(e.page);
    QString anchor;
    if (context >= 51 && context <= 57) {
        page = QStringLiteral("meldungen.html");
        anchor = QStringLiteral("#m") + QString::number(context);
    }
    const QString path = QStringLiteral(":/hilfe/") + page;
    if (!QFileInfo::exists(path)) return {};
    return QStringLiteral("qrc") + path + anchor;
}

}  // namespace

std::string helpPage(const std::string& helpFile, int context) {
    const QFileInfo file(ui::toQString(helpFile));
    const QString folder = findNoCase(file.dir(), file.completeBaseName());
    QString page;
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        const QDir pages(folder);
        if (context > 0)
            page = findNoCase(pages, QString::number(context) + QStringLiteral(".html"));
        if (page.isEmpty()) page = findNoCase(pages, QStringLiteral("index.html"));
    }
    if (page.isEmpty()) page = builtInPage(context);
    return ui::fromQString(page);
}

void showHelp(const std::string& helpFile, int context, QWidget* from) {
    const std::string page = helpPage(helpFile, context);
    if (page.empty()) {
        platform::MessageBox("Es ist keine Hilfe installiert.", "Hilfe");
        return;
    }
    const QString where = ui::toQString(page);
    HelpWindow::open(where.startsWith(QStringLiteral("qrc:")) ? QUrl(where)
                                                             : QUrl::fromLocalFile(where),
                     from);
}

}  // namespace app

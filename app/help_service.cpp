#include "app/help_service.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/core/message_box.h"
#include "platform/ui/qt_text.h"

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
        {2, "anmeldung.html"}, {3, "benutzer.html"},        {4, "befehle.html"},
        {6, "monat.html"},     {7, "handeinstellung.html"}, {99, "blatt.html"},
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

void showHelp(const std::string& helpFile, int context, QWidget* parent) {
    const std::string page = helpPage(helpFile, context);
    if (page.empty()) {
        platform::MessageBox("Es ist keine Hilfe installiert.", "Hilfe");
        return;
    }
    QDialog viewer(parent);
    viewer.setWindowTitle(QStringLiteral("Hilfe"));
    auto* layout = new QVBoxLayout(&viewer);
    auto* browser = new QTextBrowser(&viewer);
    browser->setOpenLinks(true);
    const QString where = ui::toQString(page);
    browser->setSource(where.startsWith(QStringLiteral("qrc:")) ? QUrl(where)
                                                                 : QUrl::fromLocalFile(where));
    layout->addWidget(browser);
    viewer.resize(640, 560);
    viewer.exec();
}

}  // namespace app

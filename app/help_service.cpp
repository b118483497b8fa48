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

}  // namespace

std::string helpPage(const std::string& helpFile, int context) {
    const QFileInfo file(ui::toQString(helpFile));
    const QString folder = findNoCase(file.dir(), file.completeBaseName());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
    const QDir pages(folder);
    QString page;
    if (context > 0) page = findNoCase(pages, QString::number(context) + QStringLiteral(".html"));
    if (page.isEmpty()) page = findNoCase(pages, QStringLiteral("index.html"));
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
    browser->setSource(QUrl::fromLocalFile(ui::toQString(page)));
    layout->addWidget(browser);
    viewer.resize(560, 480);
    viewer.exec();
}

}  // namespace app

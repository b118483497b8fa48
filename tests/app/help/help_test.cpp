// The help pages built into the program: every context the windows pass
// finds a page, every page is sound UTF-8 HTML and every link leads to a
// page; the administrator's own pages in the data folder come first.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <fstream>

#include "app/help/help_service.h"
#include "app/main_window/sheet_geometry.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/qt_text.h"
#include "tests/support/temp_dir.h"

namespace {

QString lesen(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString() : text;
}

TEST(Help, EveryContextFindsABuiltInPage) {
    testing_support::TempDir dir;
    const std::string hilfe = dir.path() + "/Hilfe.hlp";  // no help folder beside it
    // The contents, the sign-in, user, manual standby dialogs, tool bar,
    // settings, month and year fields, administration, the sheet and the
    // seven status messages.
    std::vector<int> kontexte = {0, 2, 3, 4, 5, 6, 7, 8, 99};
    for (int code = 1; code <= 7; ++code) kontexte.push_back(app::statusHelpContext(code));
    for (int k : kontexte) {
        const QString adresse = QString::fromStdString(app::helpPage(hilfe, k));
        ASSERT_TRUE(adresse.startsWith("qrc:/hilfe/")) << k;
        const QString datei = adresse.mid(3).section('#', 0, 0);
        const QString seite = lesen(datei);
        ASSERT_FALSE(seite.isEmpty()) << k;
        EXPECT_EQ(k == 0, datei.endsWith("/index.html")) << k;
        if (k >= 51 && k <= 57) {
            // The status page names the very message of the status bar at its anchor.
            const QString anker = adresse.section('#', 1);
            const int bei = seite.indexOf("name=\"" + anker + "\"");
            ASSERT_GE(bei, 0) << k;
            const QString text = ui::toQString(app::statusText(k - 50)).toHtmlEscaped();
            EXPECT_EQ(seite.indexOf(text, bei), seite.indexOf("</a>", bei) + 4) << k;
        }
    }
}

TEST(Help, PagesAreUtf8HtmlAndTheirLinksLeadToPages) {
    const QStringList seiten = QDir(":/hilfe").entryList({"*.html"});
    ASSERT_GE(seiten.size(), 15);
    const QRegularExpression link("href=\"([^\"#]*)(#[^\"]*)?\"");
    for (const QString& s : seiten) {
        const QString text = lesen(":/hilfe/" + s);
        ASSERT_FALSE(text.isEmpty()) << s.toStdString() << ": not UTF-8";
        EXPECT_TRUE(text.contains("<meta charset=\"utf-8\">")) << s.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression("<h1>[^<]+</h1>"))) << s.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            EXPECT_TRUE(QFile::exists(":/hilfe/" + m.captured(1)))
                << s.toStdString() << " -> " << m.captured(1).toStdString();
            if (m.hasCaptured(2)) {
                EXPECT_TRUE(lesen(":/hilfe/" + m.captured(1))
                                .contains("name=\"" + m.captured(2).mid(1) + "\""))
                    << s.toStdString() << " -> " << m.captured(0).toStdString();
            }
        }
    }
}

TEST(Help, TheCalculationPageIsReachedFromTheIndexAndThePagesThatCount) {
    const QString seite = lesen(":/hilfe/zuschlaege.html");
    EXPECT_TRUE(seite.contains("<h1>So werden die Zuschläge berechnet</h1>"));
    for (const char* von : {"index.html", "blatt.html", "zeilenarten.html", "bereitschaft.html",
                            "einstellungen.html", "benutzer.html"}) {
        EXPECT_TRUE(lesen(QStringLiteral(":/hilfe/") + von).contains("href=\"zuschlaege.html"))
            << von;
    }
}

TEST(Help, TheAdministratorsOwnPagesComeFirst) {
    testing_support::TempDir dir;
    QDir().mkpath(QString::fromStdString(dir.path() + "/hilfe"));
    std::ofstream(dir.path() + "/hilfe/99.HTML") << "<p>eigen</p>";
    std::ofstream(dir.path() + "/hilfe/Index.html") << "<p>Inhalt</p>";
    const std::string hilfe = dir.path() + "/Hilfe.hlp";
    EXPECT_EQ(app::helpPage(hilfe, 99), dir.path() + "/hilfe/99.HTML");
    EXPECT_EQ(app::helpPage(hilfe, 2), dir.path() + "/hilfe/Index.html");
}

}  // namespace

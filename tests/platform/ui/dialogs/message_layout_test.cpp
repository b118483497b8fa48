// The lines of a message box: broken at spaces within the width, long words
// in pieces, nothing lost; and the box's text fits its label and its screen
// on the screen the test runs on (ctest runs these on several screens).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>

#include "platform/core/codepage.h"
#include "platform/ui/dialogs/message_layout.h"
#include "platform/ui/dialogs/qt_message_box.h"

namespace ui {
namespace {

QString ohneLeerraum(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); }

TEST(MessageLayout, WrapLinesBreaksAtSpacesAndKeepsEveryCharacter) {
    const QFontMetrics fm(QApplication::font());
    const int x = fm.horizontalAdvance(QLatin1Char('x'));
    const struct {
        const char* text;
        int widthChars;  // the width in "x"
        QStringList expected;
    } cases[] = {
        {"kurz", 10, {"kurz"}},
        {"", 10, {""}},
        {"eins\n\nzwei", 10, {"eins", "", "zwei"}},
        {"aaa bbb ccc", 7, {"aaa bbb", "ccc"}},
        {"aaa bbb ccc", 3, {"aaa", "bbb", "ccc"}},
        {"xxxxxxxxxx", 4, {"xxxx", "xxxx", "xx"}},          // a word wider than the line
        {"ab xxxxxxxxxx cd", 4, {"ab", "xxxx", "xxxx", "xx", "cd"}},
        {"ab xxxxxxxxxx cd", 5, {"ab", "xxxxx", "xxxxx", "cd"}},
        {"ab xxxxxxxx cd", 5, {"ab", "xxxxx", "xxx", "cd"}},
        {"ab xxxxxxx c", 5, {"ab", "xxxxx", "xx c"}},
        {"aaa\nbbb ccc ddd", 7, {"aaa", "bbb ccc", "ddd"}},  // the line ends stay
    };
    for (const auto& c : cases) {
        // Measured in a fixed-pitch font the widths are exact.
        QFont mono(QStringLiteral("monospace"));
        mono.setStyleHint(QFont::TypeWriter);
        const QFontMetrics m(mono);
        const int w = m.horizontalAdvance(QString(c.widthChars, QLatin1Char('x')));
        EXPECT_EQ(wrapLines(QString::fromUtf8(c.text), m, w), c.expected) << c.text;
    }
    // A width below one character still advances by a character.
    EXPECT_EQ(wrapLines(QStringLiteral("abc"), fm, x / 2),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(MessageLayout, ShortLinesStayWholeLongOnesWrapReadably) {
    const QFontMetrics fm(QApplication::font());
    const QString kurz(70, QLatin1Char('a'));
    const QString lang = QString(50, QLatin1Char('b')) + QLatin1Char(' ') + QString(50, 'b');
    EXPECT_EQ(messageWrapWidth(kurz, fm, 5000), fm.horizontalAdvance(kurz));
    EXPECT_EQ(messageWrapWidth(lang, fm, 5000), fm.averageCharWidth() * 60);
    EXPECT_EQ(messageWrapWidth(kurz + "\n" + lang, fm, 5000),
              std::max(fm.horizontalAdvance(kurz), fm.averageCharWidth() * 60));
    EXPECT_EQ(messageWrapWidth(kurz, fm, 100), 100);  // never wider than the screen allows
    // The widest box QMessageBox leaves unbroken.
    EXPECT_EQ(messageBoxLimit(800), 800);
    EXPECT_EQ(messageBoxLimit(1024), 1024);
    EXPECT_EQ(messageBoxLimit(1280), 800);
    EXPECT_EQ(messageBoxLimit(1920), 1000);
}

// The screen this run was given ("1920x1200" in KLB_SCREEN, with
// QT_SCALE_FACTOR) must be the one Qt shows: a test on a screen other than
// the named one proves nothing.
TEST(MessageBoxOnScreen, RunsOnTheNamedScreen) {
    const QByteArray named = qgetenv("KLB_SCREEN");
    if (named.isEmpty()) GTEST_SKIP() << "no screen named";
    const QList<QByteArray> wh = named.split('x');
    ASSERT_EQ(wh.size(), 2);
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qgetenv("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    const QRect g = QApplication::primaryScreen()->geometry();
    EXPECT_EQ(g.width(), qRound(wh[0].toInt() / scale));
    EXPECT_EQ(g.height(), qRound(wh[1].toInt() / scale));
}

TEST(MessageBoxOnScreen, EveryLineFitsTheLabelAndTheBoxTheScreen) {
    using platform::Buttons;
    using platform::Icon;
    const struct {
        const char* caption;
        const char* text;  // UTF-8
        Buttons buttons;
        Icon icon;
    } cases[] = {
        {"Wirklich sicher",
         "Als Administrator darfst Du zwar alles machen, trotzdem, soll der Benutzer wirklich "
         "gelöscht werden? Alle Daten sind dann unwiderruflich verloren!!",
         Buttons::YesNo, Icon::Question},
        {"E-Mail",
         "Es konnte kein E-Mail-Programm geöffnet werden.\nDie Tabelle liegt in der "
         "Zwischenablage und kann von Hand in eine E-Mail eingefügt werden.",
         Buttons::Ok, Icon::Warning},
        {"Warnung",
         "Datenbank in diesem Pfad nicht gefunden!\nSoll der Pfad trotzdem übernommen werden?",
         Buttons::YesNo, Icon::None},
        {"Datenbank fehlerhaft",
         "Die Datenbank enthält mindestens einen Fehler und wird deshalb nicht geöffnet!\n"
         "Zum Sichern von Daten die Funktion <Speichern als> benutzen!\nFehlernummer D",
         Buttons::Ok, Icon::Error},
        {"Fehler",
         "Die Datei /home/benutzer/Kronlaufbuch/Benutzer/Sicherungen/Generation_3/"
         "Benutzer_mit_einem_sehr_langen_Namen_der_nirgends_umbricht.dat kann nicht gelesen "
         "werden.",
         Buttons::OkCancel, Icon::Error},
    };
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    for (const auto& c : cases) {
        const QString original = QString::fromUtf8(c.text);
        const auto box = makeMessageBox(
            {platform::cp1252(c.text), platform::cp1252(c.caption), c.buttons, c.icon});
        box->show();
        QApplication::processEvents();
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QFontMetrics fm(label->font());
        const QStringList lines = label->text().split(QLatin1Char('\n'));
        // Nothing lost: the shown text is the original with other line breaks.
        EXPECT_EQ(ohneLeerraum(label->text()), ohneLeerraum(original)) << c.caption;
        for (const QString& line : lines)
            EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width())
                << c.caption << ": " << line.toStdString();
        EXPECT_GE(label->contentsRect().height(), fm.lineSpacing() * lines.size()) << c.caption;
        EXPECT_TRUE(box->rect().contains(label->geometry())) << c.caption;
        EXPECT_TRUE(screen.contains(box->frameGeometry()))
            << c.caption << " " << box->frameGeometry().width() << " > " << screen.width();
        // Readable: a box on a wide screen is not one long line.
        EXPECT_LE(label->width(), std::max(fm.averageCharWidth() * 90,
                                           captionWidth(QString::fromUtf8(c.caption))))
            << c.caption;
        // Lines of up to 80 characters stay whole where the screen has room.
        if (screen.width() >= 1000) {
            for (const QString& line : original.split(QLatin1Char('\n')))
                if (line.size() <= 80) {
                    EXPECT_TRUE(lines.contains(line)) << line.toStdString();
                }
        }
        box->hide();
    }
}

}  // namespace
}  // namespace ui

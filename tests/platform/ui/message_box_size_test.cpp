// Message boxes size themselves to their caption and to their longest line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <cstdlib>

#include "platform/core/codepage.h"
#include "platform/ui/qt_message_box.h"
#include "platform/ui/qt_text.h"

namespace ui {
namespace {

TEST(QtMessageBox, SizesItselfToCaptionAndLongestLine) {
    const struct {
        const char* caption;
        const char* text;  // UTF-8
    } cases[] = {
        {"Fehler in der Benutzerverwaltung", "OK"},
        {"Datenbank fehlerhaft",
         "Die Datenbank enthält mindestens einen Fehler und wird deshalb nicht geöffnet!\n"
         "Zum Sichern von Daten die Funktion <Speichern als> benutzen!\nFehlernummer D"},
        {"Bereichsüberschreitung",
         "Die Eurobeträge die das Programm verarbeiten kann sind auf 999€ begrenzt!\n"
         "Diese Grenze überschreitet die Privat PKW angabe für eine ganzes Wochenende!"},
    };
    for (const auto& c : cases) {
        const auto box = makeMessageBox(
            {platform::cp1252(c.text), platform::cp1252(c.caption), platform::Buttons::Ok});
        box->show();
        QApplication::processEvents();
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QFontMetrics fm(label->font());
        const QStringList lines = QString::fromUtf8(c.text).split('\n');
        int longest = 0;
        for (const QString& l : lines) longest = std::max(longest, fm.horizontalAdvance(l));
        // Every line stays whole: the label is as wide as the longest and as
        // high as the lines, not more.
        EXPECT_GE(label->width(), longest) << c.caption;
        EXPECT_LE(label->height(), fm.lineSpacing() * (static_cast<int>(lines.size()) + 1))
            << c.caption;
        QFont bold = QApplication::font();
        bold.setBold(true);
        // The title bar shows the whole caption beside its icon and buttons.
        EXPECT_GE(box->width(),
                  QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(c.caption)) + 64)
            << c.caption;
        if (const char* dir = std::getenv("KLB_SCREENSHOTS"))
            box->grab().save(QString::fromUtf8(dir) + "/box_" + QString::number(&c - cases) +
                             ".png");
        box->hide();
    }
}

}  // namespace
}  // namespace ui

// Message boxes size themselves to their caption and to their longest line.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "platform/core/codepage.h"
#include "platform/ui/dialogs/qt_message_box.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

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

// Runs `inside` on the box once it is shown, then answers with `click` when
// the box is still open; returns the answer.
platform::Answer askWith(platform::Buttons buttons, const std::function<void(QMessageBox&)>& inside,
                         const QString& click) {
    installQtMessageBoxes();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        inside(*box);
        if (!box->isVisible()) return;
        for (QAbstractButton* b : box->buttons())
            if (b->text() == click) b->click();
    });
    const platform::Answer a = platform::MessageBox("Frage?", "Achtung", buttons);
    platform::setMessageHandler(nullptr);
    return a;
}

TEST(QtMessageBox, EscapeAndCloseNeverAnswerAYesNoQuestion) {
    using platform::Answer;
    using platform::Buttons;
    const struct {
        Buttons buttons;
        Answer afterEscape;  // a Yes/No box stays open and "Ja" answers it
    } cases[] = {
        {Buttons::YesNo, Answer::Yes},
        {Buttons::YesNoCancel, Answer::Cancel},
        {Buttons::OkCancel, Answer::Cancel},
        {Buttons::Ok, Answer::Ok},
    };
    for (const auto& c : cases) {
        bool openAfterEscape = false, openAfterClose = false;
        const Answer a = askWith(
            c.buttons,
            [&](QMessageBox& box) {
                QTest::keyClick(&box, Qt::Key_Escape);
                openAfterEscape = box.isVisible();
                if (!openAfterEscape) return;
                box.close();
                openAfterClose = box.isVisible();
                // No close button in the title bar either.
                EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
            },
            QStringLiteral("Ja"));
        EXPECT_EQ(a, c.afterEscape) << static_cast<int>(c.buttons);
        const bool yesNo = c.buttons == Buttons::YesNo;
        EXPECT_EQ(openAfterEscape, yesNo) << static_cast<int>(c.buttons);
        EXPECT_EQ(openAfterClose, yesNo) << static_cast<int>(c.buttons);
    }
}

TEST(QtMessageBox, LongTextWrapsAtAReadableWidthAboveTheProgramsWindows) {
    QMainWindow main;
    main.setGeometry(40, 60, 600, 400);
    main.show();
    QWidget tool(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    tool.setGeometry(660, 60, 280, 400);
    tool.show();
    main.activateWindow();
    QApplication::processEvents();

    const std::string frage = platform::cp1252(
        "Als Administrator darfst Du zwar alles machen, trotzdem, soll der Benutzer wirklich "
        "gelöscht werden? Alle Daten sind dann unwiderruflich verloren!!");
    installQtMessageBoxes();
    QRect boxFrame;
    const QWidget* owner = nullptr;
    bool onTop = false;
    int labelWidth = 0, labelHeight = 0;
    QFontMetrics fm(QApplication::font());
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        boxFrame = box->frameGeometry();
        owner = box->parentWidget();
        onTop = box->windowFlags() & Qt::WindowStaysOnTopHint;
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        fm = QFontMetrics(label->font());
        labelWidth = label->width();
        labelHeight = label->height();
        box->buttons().front()->click();
    });
    platform::MessageBox(frage, "Wirklich sicher", platform::Buttons::YesNo);
    platform::setMessageHandler(nullptr);

    EXPECT_TRUE(owner == &main || owner == ownerWindow());
    EXPECT_TRUE(onTop);  // not hidden behind the window that stays on top
    EXPECT_LE(labelWidth, fm.averageCharWidth() * 90);
    EXPECT_GE(labelHeight, 2 * fm.lineSpacing());  // wrapped, not one long line
    EXPECT_TRUE(availableArea(&main).contains(boxFrame));
    if (owner == &main) {
        EXPECT_LE((boxFrame.center() - main.frameGeometry().center()).manhattanLength(), 4);
    }
}

TEST(WindowPlacement, FitIntoKeepsTheTitleBarOnTheScreen) {
    const QRect screen(0, 0, 682, 512);  // 1024 x 768 at scale 1.5
    const struct {
        QRect frame;
        QPoint expected;
    } cases[] = {
        {{100, 50, 300, 200}, {100, 50}},    // inside: unchanged
        {{500, 400, 300, 200}, {382, 312}},  // out right and below: moved back
        {{-29, -40, 739, 600}, {0, 0}},      // larger than the screen: top-left corner
        {{-10, 300, 200, 100}, {0, 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(fitInto(c.frame, screen), c.expected) << c.frame.x();
}

}  // namespace
}  // namespace ui

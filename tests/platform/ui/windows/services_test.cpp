// Clipboard, printers, the Qt message box and popup menus.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/core/codepage.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/dialogs/qt_message_box.h"
#include "platform/ui/printing/qt_printer.h"
#include "platform/ui/printing/recording_printer.h"

namespace ui {
namespace {

using platform::cp1252;

TEST(Clipboard, TextOemHtmlAndNamedFormats) {
    clearClipboard();
    ClipboardContent c;
    c.setText(cp1252("Überstunden 5,50 €"));
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Überstunden 5,50 €"));
    // Another program's text reads as Windows-1252 up to a NUL, and as code page 850.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüße") + QChar(0) + "rest");
    EXPECT_EQ(std::tuple(clipboardText(), clipboardOemText()),
              std::tuple(cp1252("Grüße"), std::string("Gr\x81\xE1") + "e"));
    // "HTML Format": a header of byte offsets, then the document; Qt also gets it as HTML.
    const std::string bytes =
        "Version:0.9\r\nStartHTML:000000053\r\nEndHTML:000000085\r\n<html><body>" +
        cp1252("<td>März</td>") + "</body>";
    ASSERT_EQ(bytes.size(), 85u);
    double value = 45356.5;
    std::string raw(8, '\0');
    std::memcpy(raw.data() + 1, &value, 7);  // NULs inside binary data are kept
    c = {};
    c.setText("Tab");
    c.setHtmlFormat(bytes);
    c.setFormat("TDateTime", raw);
    ASSERT_TRUE(putOnClipboard(c));
    EXPECT_EQ(
        std::tuple(clipboardFormat(kHtmlFormat), clipboardFormat("TDateTime"), clipboardText()),
        std::tuple(bytes, raw, "Tab"));
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(),
              QString::fromUtf8("<html><body><td>März</td></body>"));
    clearClipboard();
    EXPECT_FALSE(clipboardHasFormat("TDateTime") || clipboardText().has_value());
}

TEST(RecordingPrinter, KeepsEveryPageAndItsTexts) {
    auto owned = std::make_unique<RecordingPrinter>(RecordingPrinter::a4At96Dpi());
    RecordingPrinter& rec = *owned;
    replacePrinter(std::move(owned));
    Printer& p = printer();
    p.NewPage();  // not printing: nothing
    EXPECT_FALSE(p.EndDoc());
    p.canvas().TextOut(0, 0, "lost");  // no page: drawn nowhere
    ASSERT_TRUE(p.BeginDoc("Kronlaufbuch"));
    p.canvas().TextOut(100, 50, cp1252("Überstunden"));
    p.canvas().brush.color = clBlack;
    p.canvas().FillRect(Rect{10, 10, 20, 12});
    p.NewPage();
    p.canvas().TextOut(0, 0, "Seite 2");
    p.canvas().TextOut(30, 40, "Ende");
    EXPECT_TRUE(p.EndDoc());
    EXPECT_FALSE(p.printing() || p.canvas().isAttached());
    ASSERT_EQ(rec.pages().size(), 2u);
    EXPECT_EQ(rec.pages()[0].texts, (std::vector<RecordedText>{{100, 50, cp1252("Überstunden")}}));
    EXPECT_EQ(rec.pages()[1].texts,
              (std::vector<RecordedText>{{0, 0, "Seite 2"}, {30, 40, "Ende"}}));
    const QImage& first = rec.pages()[0].image;
    EXPECT_EQ(first.size(), QSize(rec.metrics().pageWidth, rec.metrics().pageHeight));
    EXPECT_EQ(
        std::tuple(fromQRgb(first.pixel(10, 10)), fromQRgb(first.pixel(20, 10)), rec.documents()),
        std::tuple(clBlack, clWhite, 1));

    replacePrinter(nullptr);
}

TEST(QtPrinter, A4GeometryInDevicePixels) {
    QtPrinter p;
    const PrinterMetrics m = p.metrics();
    ASSERT_GT(m.pixelsPerInchX, 0);
    const double point = m.pixelsPerInchX / 72.0;  // Qt keeps A4 in whole points
    EXPECT_NEAR(m.physicalWidth, 210.0 / 25.4 * m.pixelsPerInchX, point);
    EXPECT_NEAR(m.physicalHeight, 297.0 / 25.4 * m.pixelsPerInchY, point);
    EXPECT_EQ(m.pageWidth, m.physicalWidth - 2 * m.offsetX);
}

using platform::Answer;
using platform::Buttons;

TEST(QtMessageBox, GermanButtonsTextsAndAnswers) {
    const struct {
        Buttons buttons;
        QString texts;  // sorted, joined
        QString defaultText, click;
        Answer answer;
    } cases[] = {
        {Buttons::Ok, "OK", "OK", "OK", Answer::Ok},
        {Buttons::OkCancel, "Abbrechen OK", "OK", "Abbrechen", Answer::Cancel},
        {Buttons::YesNo, "Ja Nein", "Ja", "Nein", Answer::No},
        {Buttons::YesNoCancel, "Abbrechen Ja Nein", "Ja", "Ja", Answer::Yes},
        {Buttons::RetryCancel, "Abbrechen Wiederholen", "Wiederholen", "Wiederholen",
         Answer::Retry},
    };
    installQtMessageBoxes();
    for (const auto& c : cases) {
        const auto box = makeMessageBox({"t", "c", c.buttons, platform::Icon::None});
        QStringList texts;
        for (QAbstractButton* b : box->buttons()) texts << b->text();
        texts.sort();
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(std::tuple(texts.join(' '), box->defaultButton()->text()),
                  std::tuple(c.texts, c.defaultText));
        QTimer::singleShot(0, [&c] {  // the installed handler answers with the clicked button
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                for (QAbstractButton* b : shown->buttons())
                    if (b->text() == c.click) b->click();
        });
        EXPECT_EQ(platform::MessageBox("Frage?", "Achtung", c.buttons), c.answer);
    }
    platform::setMessageHandler(nullptr);
}

TEST(PopupMenu, ScriptedAndQtMenusReturnTheChosenId) {
    PopupMenu m;
    m.add("&Kopieren", 2);
    m.add(cp1252("&Einfügen"), 3).enabled = false;
    m.addSeparator();
    m.add(cp1252("&Löschen"), 4);
    {
        ScriptedPopupMenus script;
        script.choose(2);
        script.choose(3);  // disabled: no choice
        EXPECT_EQ(m.popup(QPoint(10, 20)), 2);
        // Disabled: no choice; the queue empty: closed.
        EXPECT_EQ(m.popup(QPoint(10, 20)) + m.popup(QPoint(1, 2)), 0);
    }
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (QAction* a : menu->actions()) texts << a->text();
        menu->setActiveAction(menu->actions()[3]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(m.popup(QPoint(50, 50)), 4);
    EXPECT_EQ(texts, (QStringList{"&Kopieren", QString::fromUtf8("&Einfügen"), "",
                                  QString::fromUtf8("&Löschen")}));
}

}  // namespace
}  // namespace ui

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
#include "platform/ui/clipboard.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/qt_message_box.h"
#include "platform/ui/qt_printer.h"
#include "platform/ui/recording_printer.h"

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
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e") + QChar(0) + "rest");
    EXPECT_EQ(std::tuple(clipboardText(), clipboardOemText()), std::tuple(cp1252("Grüße"), "Gr\x81\xE1" "e"));
    c = {};
    c.setOemText(std::string("12.03.24 \x84\x94\x81\0cd", 15));  // äöü in code page 850
    putOnClipboard(c);
    EXPECT_EQ(std::tuple(clipboardOemText(), clipboardText()), std::tuple("12.03.24 \x84\x94\x81", cp1252("12.03.24 äöü")));

    // "HTML Format": a header of byte offsets, then the document; Qt also gets it as HTML.
    const std::string bytes = "Version:0.9\r\nStartHTML:000000053\r\nEndHTML:000000085\r\n<html><body>" +
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
    EXPECT_EQ(std::tuple(clipboardFormat(kHtmlFormat), clipboardFormat("TDateTime"), clipboardText()),
              std::tuple(bytes, raw, "Tab"));
    EXPECT_FALSE(clipboardFormat("Other").has_value());
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(), QString::fromUtf8("<html><body><td>März</td></body>"));
    clearClipboard();
    EXPECT_FALSE(clipboardHasFormat("TDateTime") || clipboardText().has_value());
    // "HTML Format" offsets outside the text give the whole text.
    const std::pair<std::string, std::string> cases[] = {
        {"StartHTML:5\nEndHTML:9\nabcdefghij", "HTML"}, {"StartHTML:5\nEndHTML:99\nabc", ""},
        {"StartHTML:9\nEndHTML:5\nabcdefghij", ""},      {"StartHTML:\nEndHTML:5\n", ""},
        {"no header", ""}, {"StartHTML:99999999999999999999999\nEndHTML:1", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(htmlOfHtmlFormat(in), out.empty() ? in : out) << in;
}

// Installs a recording printer with `m` as the process-wide one.
RecordingPrinter& install(const PrinterMetrics& m) {
    auto p = std::make_unique<RecordingPrinter>(m);
    RecordingPrinter& r = *p;
    replacePrinter(std::move(p));
    return r;
}

TEST(RecordingPrinter, KeepsEveryPageAndItsTexts) {
    RecordingPrinter& rec = install(RecordingPrinter::a4At96Dpi());
    Printer& p = printer();
    p.NewPage();  // not printing: nothing
    EXPECT_FALSE(p.EndDoc());
    rec.failNextBegin();
    EXPECT_FALSE(p.BeginDoc("x"));
    p.canvas().TextOut(0, 0, "lost");  // no page: drawn nowhere
    ASSERT_TRUE(p.BeginDoc("Kronlaufbuch"));
    EXPECT_FALSE(p.BeginDoc("nested"));
    p.canvas().TextOut(100, 50, "\xDC" "berstunden");
    p.canvas().brush.color = clBlack;
    p.canvas().FillRect(Rect{10, 10, 20, 12});
    p.NewPage();
    EXPECT_EQ(p.pageNumber(), 2);
    p.canvas().TextOut(0, 0, "Seite 2");
    p.canvas().TextOut(30, 40, "Ende");
    EXPECT_TRUE(p.EndDoc());
    EXPECT_FALSE(p.printing() || p.canvas().isAttached());
    ASSERT_EQ(rec.pages().size(), 2u);
    EXPECT_EQ(rec.pages()[0].texts, (std::vector<RecordedText>{{100, 50, "\xDC" "berstunden"}}));
    EXPECT_EQ(rec.pages()[1].texts, (std::vector<RecordedText>{{0, 0, "Seite 2"}, {30, 40, "Ende"}}));
    const QImage& first = rec.pages()[0].image;
    EXPECT_EQ(first.size(), QSize(rec.metrics().pageWidth, rec.metrics().pageHeight));
    EXPECT_EQ(std::tuple(fromQRgb(first.pixel(10, 10)), fromQRgb(first.pixel(20, 10)), rec.documents()),
              std::tuple(clBlack, clWhite, 1));

    PrinterMetrics m = RecordingPrinter::a4At96Dpi();  // font points follow the resolution
    m.pixelsPerInchX = m.pixelsPerInchY = 300;
    RecordingPrinter& r = install(m);
    ASSERT_TRUE(printer().BeginDoc("x"));
    printer().canvas().font.setSize(12);
    EXPECT_EQ(printer().canvas().font.height(printer().canvas().pixelsPerInch()), -50);
    EXPECT_GT(printer().canvas().TextHeight("Hg"), 50);
    printer().Abort();
    EXPECT_TRUE(r.aborted() && !printer().printing());
    replacePrinter(nullptr);
}

TEST(QtPrinter, A4GeometryInDevicePixels) {
    QtPrinter p;
    const PrinterMetrics m = p.metrics();
    ASSERT_GT(m.pixelsPerInchX, 0);
    EXPECT_EQ(m.pixelsPerInchX, m.pixelsPerInchY);
    const double point = m.pixelsPerInchX / 72.0;  // Qt keeps A4 in whole points
    EXPECT_NEAR(m.physicalWidth, 210.0 / 25.4 * m.pixelsPerInchX, point);
    EXPECT_NEAR(m.physicalHeight, 297.0 / 25.4 * m.pixelsPerInchY, point);
    EXPECT_TRUE(m.offsetX >= 0 && m.offsetY >= 0 && m.pageHeight <= m.physicalHeight - m.offsetY);
    EXPECT_EQ(m.pageWidth, m.physicalWidth - 2 * m.offsetX);

}

using platform::Answer;
using platform::Buttons;

TEST(QtMessageBox, GermanButtonsTextsAndAnswers) {
    const struct {
        Buttons buttons;
        QStringList texts;  // sorted
        QString defaultText, click;
        Answer answer;
    } cases[] = {
        {Buttons::Ok, {"OK"}, "OK", "OK", Answer::Ok},
        {Buttons::OkCancel, {"Abbrechen", "OK"}, "OK", "Abbrechen", Answer::Cancel},
        {Buttons::YesNo, {"Ja", "Nein"}, "Ja", "Nein", Answer::No},
        {Buttons::YesNoCancel, {"Abbrechen", "Ja", "Nein"}, "Ja", "Ja", Answer::Yes},
        {Buttons::RetryCancel, {"Abbrechen", "Wiederholen"}, "Wiederholen", "Wiederholen", Answer::Retry},
    };
    installQtMessageBoxes();
    for (const auto& c : cases) {
        const auto box = makeMessageBox({"t", "c", c.buttons, platform::Icon::None});
        QStringList texts;
        for (QAbstractButton* b : box->buttons()) texts << b->text();
        texts.sort();
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(std::tuple(texts, box->defaultButton()->text()), std::tuple(c.texts, c.defaultText));
        QTimer::singleShot(0, [&c] {  // the installed handler answers with the clicked button
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                for (QAbstractButton* b : shown->buttons())
                    if (b->text() == c.click) b->click();
        });
        EXPECT_EQ(platform::MessageBox("Frage?", "Achtung", c.buttons), c.answer);
    }
    QTimer::singleShot(0, [] {  // closed with Escape: the cancelling answer
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    EXPECT_EQ(platform::MessageBox("Frage?", "Achtung", Buttons::YesNo), Answer::No);
    platform::setMessageHandler(nullptr);
    const auto box = makeMessageBox({cp1252("Einträge für März"), cp1252("Kann ich nicht!"), Buttons::Ok,
                                     platform::Icon::Warning});
    EXPECT_EQ(std::tuple(box->text(), box->windowTitle(), box->icon()),
              std::tuple(QString::fromUtf8("Einträge für März"), QString("Kann ich nicht!"), QMessageBox::Warning));
}

TEST(PopupMenu, ScriptedAndQtMenusReturnTheChosenId) {
    PopupMenu m;
    m.add("&Kopieren", 2);
    m.add(cp1252("&Einfügen"), 3).enabled = false;
    m.addSeparator();
    m.add(cp1252("&Löschen"), 4);
    EXPECT_EQ(m.item(4)->caption, cp1252("&Löschen"));
    EXPECT_EQ(m.item(0), nullptr);  // the separator is no item
    {
        ScriptedPopupMenus script;
        script.choose(2);
        script.choose(3);  // disabled: no choice
        EXPECT_EQ(m.popup(QPoint(10, 20)), 2);
        EXPECT_EQ(m.popup(QPoint(10, 20)) + m.popup(QPoint(1, 2)), 0);  // disabled; the queue empty: closed
        ASSERT_EQ(script.shown().size(), 3u);
        EXPECT_EQ(std::tuple(script.shown()[0].position, script.shown()[0].items[1].enabled),
                  std::tuple(QPoint(10, 20), false));
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
    EXPECT_EQ(texts, (QStringList{"&Kopieren", QString::fromUtf8("&Einfügen"), "", QString::fromUtf8("&Löschen")}));
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activePopupWidget()) w->close();
    });
    EXPECT_EQ(m.popup(QPoint(50, 50)), 0);
}

}  // namespace
}  // namespace ui

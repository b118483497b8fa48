// The table control's ways out, end to end: the default menu, the copies on
// the clipboard (the HTML read back by Qt's HTML parser), the export with
// its save dialog and a failing disk, and the mail hand-off.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "controls/table_shared/ausgabe_dienste.h"
#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_export.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/ui/input/clipboard.h"

namespace table {
namespace {

// Name/Ort with one fixed row; "Köln" twice so that Group joins it.
std::unique_ptr<TIconTab> liste(bool group = true) {
    auto t = std::make_unique<TIconTab>();
    t->resize(300, 200);
    t->Group = group;
    t->AutoSelect = true;  // the first data row and column 0 are current
    t->SetTabelle(4, 2, -1, 0);
    const char* zellen[4][2] = {
        {"Ort", "Name"}, {"K\xF6ln", "A & B"}, {"K\xF6ln", "<C>"}, {"Ulm", ""}};
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 2; ++c) t->SetCell(r, c, zellen[r][c]);
    t->FEndUpdate(false);
    return t;
}

std::string zellText(const QTextTableCell& z) {
    QTextCursor c = z.firstCursorPosition();
    c.setPosition(z.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText().toStdString();
}

TEST(TabKopie, TextAndHtmlOnTheClipboard) {
    auto t = liste();
    t->SetCaption("Liste");
    t->menuAusfuehren(TIconTab::kTabKopie);
    EXPECT_EQ(ui::clipboardText(), "Ort\tName\r\nK\xF6ln\tA & B\r\nK\xF6ln\t<C>\r\nUlm\t");
    const std::optional<std::string> html = ui::clipboardFormat(ui::kHtmlFormat);
    ASSERT_TRUE(html);
    std::string erwartet;
    t->HTMLKopie(erwartet, false);
    EXPECT_EQ(*html, erwartet);
    // What another program reads: a table of 4 x 2 whose "Köln" spans two rows.
    QTextDocument doc;
    doc.setHtml(QString::fromLatin1(ui::htmlOfHtmlFormat(*html)));
    QTextTable* tab = nullptr;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if ((tab = qobject_cast<QTextTable*>(f)) != nullptr) break;
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->rows(), 4);
    EXPECT_EQ(tab->columns(), 2);
    EXPECT_EQ(zellText(tab->cellAt(0, 1)), "Name");
    EXPECT_EQ(QString::fromStdString(zellText(tab->cellAt(1, 0))), QStringLiteral("K\u00f6ln"));
    EXPECT_EQ(tab->cellAt(1, 0).rowSpan(), 2);
    EXPECT_EQ(zellText(tab->cellAt(1, 1)), "A & B");
    EXPECT_EQ(zellText(tab->cellAt(2, 1)), "<C>");
    EXPECT_EQ(zellText(tab->cellAt(3, 0)), "Ulm");
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("Liste")));
}

TEST(ZellKopie, OnlyADataRowsCurrentCell) {
    auto t = liste();
    ui::clearClipboard();
    t->SetRow(-1);
    t->menuAusfuehren(TIconTab::kZellKopie);  // nothing selected
    t->aktuelleTabelle()->Selected = 0;
    t->menuAusfuehren(TIconTab::kZellKopie);  // the fixed row
    EXPECT_FALSE(ui::clipboardHasText());
    t->SetRow(2);
    t->menuAusfuehren(TIconTab::kZellKopie);
    EXPECT_EQ(ui::clipboardText(), "K\xF6ln");
    EXPECT_FALSE(ui::clipboardHasFormat(ui::kHtmlFormat));
    EXPECT_FALSE(t->TextKopie("", true));
}

TEST(Export, DialogNameModeAndFailures) {
    QTemporaryDir dir;
    const std::string basis = dir.path().toStdString() + "/liste";
    auto t = liste();
    platform::ScriptedMessages boxen;
    ExportWahl wahl{basis, 5};
    const ExportDialog alt = setExportDialog([&wahl](QWidget*) { return std::optional(wahl); });
    t->menuAusfuehren(TIconTab::kExport);
    std::string bytes;
    ASSERT_TRUE(platform::readWholeFile(basis + ".txt", bytes));
    EXPECT_EQ(bytes, "Ort;Name\r\nK\xF6ln;A & B\r\n ;<C>\r\nUlm;\r\n");
    EXPECT_EQ(boxen.count(), 0u);

    // A disk that fails the first write: said, and the old file kept.
    platform::injectWriteFailure(1);
    wahl.filter = 1;
    t->menuAusfuehren(TIconTab::kExport);
    platform::injectWriteFailure(0);
    ASSERT_EQ(boxen.count(), 1u);
    EXPECT_EQ(boxen.last().text, "Datei konnte nicht gespeichert werden!");
    EXPECT_EQ(boxen.last().caption, "Fehler");
    ASSERT_TRUE(platform::readWholeFile(basis + ".txt", bytes));
    EXPECT_EQ(bytes.substr(0, 9), "Ort;Name\r");
    EXPECT_FALSE(platform::fileExists(basis + ".txt.tmp"));

    t->Export(dir.path().toStdString() + "/fehlt/x.txt", 1);  // no such folder
    EXPECT_EQ(boxen.count(), 2u);
    setExportDialog(alt);
}

TEST(EMail, TablesOnTheClipboardAndAnEncodedLink) {
    auto t = liste();
    t->SetCaption("Liste & Co?");
    // Without a mail program a box says so; the tables are on the clipboard anyway.
    for (const bool geoeffnet : {true, false}) {
        platform::ScriptedMessages boxen;
        std::vector<std::string> links;
        const LinkOeffner alt = setLinkOeffner([&](const std::string& l) {
            links.push_back(l);
            return geoeffnet;
        });
        t->menuAusfuehren(TIconTab::kEMail);
        setLinkOeffner(alt);
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0], mailLink("Liste & Co?"));
        EXPECT_EQ(ui::clipboardText(), "Tab");
        EXPECT_TRUE(ui::clipboardHasFormat(ui::kHtmlFormat));
        ASSERT_EQ(boxen.count(), geoeffnet ? 0u : 1u);
        EXPECT_EQ(boxen.count() == 0 ? "" : boxen.last().caption, geoeffnet ? "" : "E-Mail");
    }
}

TEST(DefaultMenu, ItemsInOrderAndSwitchedOff) {
    TIconTab t;
    ASSERT_TRUE(t.DefaultMenu());
    std::vector<std::string> namen;
    for (const ui::MenuItem& i : t.menu()->items()) namen.push_back(i.caption);
    EXPECT_EQ(namen,
              (std::vector<std::string>{"Tabelle Drucken", "Zelle Kopieren", "Tabelle Kopieren",
                                        "Tabelle Exportieren", "Tabelle Senden (E-Mail)"}));
    t.SetDefaultMenu(false);
    EXPECT_EQ(t.menu(), nullptr);
    int gedruckt = 0;
    t.OnDruck = [&gedruckt](IconTabModell&) { ++gedruckt; };
    t.menuAusfuehren(TIconTab::kDrucken);  // the host prints instead
    EXPECT_EQ(gedruckt, 1);
}

TEST(TextPaste, InsertsAtBoundedPositions) {
    TIconTab t;
    ui::ClipboardContent c;
    c.setText("xy");
    ASSERT_TRUE(ui::putOnClipboard(c));
    // clang-format off
    const std::pair<int, std::string> faelle[] = {{1, "xyabc"}, {2, "axybc"}, {4, "abcxy"}, {99, "abcxy"}, {-5, "xyabc"}};
    // clang-format on
    for (const auto& [pos, aus] : faelle) {
        std::string s = "abc";
        EXPECT_TRUE(t.TextPaste(s, pos));
        EXPECT_EQ(s, aus);
    }
    ui::clearClipboard();
    std::string s = "abc";
    EXPECT_FALSE(t.TextPaste(s, 1));
}

}  // namespace
}  // namespace table

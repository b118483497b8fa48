// The search field as a widget: keys and buttons reach the linked table,
// the shared history list opens, picks and closes, fields die in any order,
// and the editing menu sends its command.
#include "controls/suchfeld/suchfeld.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "controls/table_shared/edit_kontextmenue.h"
#include "controls/suchfeld/such_liste.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

// A table that records each command and the field's Von flag with it.
struct Tabelle : SuchZiel {
    TSuchfeld* feld = nullptr;
    std::vector<std::pair<Such_Kommando, bool>> got;
    void Suche(Such_Kommando cmd) override { got.emplace_back(cmd, feld->GetVon()); }
};

class SuchfeldTest : public ::testing::Test {
protected:
    SuchfeldTest() {
        host_.setGeometry(100, 100, 300, 80);
        feld_ = new TSuchfeld(&host_);
        anderes_ = new QLineEdit(&host_);
        anderes_->setGeometry(0, 40, 100, 20);
        tabelle_.feld = feld_;
        host_.show();
        host_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host_));
    }
    // Leaves the edit with `text` in it, so it goes to the history.
    void merke(const char* text) {
        feld_->Focus();
        feld_->SetText(text);
        anderes_->setFocus();
    }
    QListWidget* liste() const { return suchliste::fenster(); }

    QWidget host_;
    TSuchfeld* feld_;
    QLineEdit* anderes_;
    Tabelle tabelle_;
};

TEST_F(SuchfeldTest, KeysButtonsAndForwardedCharacters) {
    feld_->Set_Suche(&tabelle_);
    feld_->Focus();
    QTest::keyClick(feld_->Edit, 'M');
    QTest::sendKeyEvent(QTest::Click, feld_->Edit, Qt::Key_Udiaeresis, QString::fromUtf8("ü"), {});
    QTest::keyClick(feld_->Edit, Qt::Key_Return);
    QTest::keyClick(feld_->Edit, Qt::Key_F3);
    QTest::keyClick(feld_->Edit, Qt::Key_Shift);  // no character: no search
    feld_->StartKnopf->click();
    EXPECT_EQ(feld_->GetText(), "M\xFC");
    using L = std::vector<std::pair<Such_Kommando, bool>>;
    EXPECT_EQ(
        tabelle_.got,
        (L{{2, false}, {0, false}, {0, false}, {3, false}, {0, false}, {0, true}, {0, true}}));

    // A table types into the field while it has the focus itself.
    anderes_->setFocus();
    tabelle_.got.clear();
    for (const char ch : {'a', 'b', '\b', '\xE4'})
        ui::SendMessage(feld_->GetFenster(), WM_CHAR, static_cast<unsigned char>(ch));
    EXPECT_EQ(feld_->GetText(), "a\xE4");  // the selected old text was replaced
    EXPECT_TRUE(tabelle_.got.empty());
    EXPECT_EQ(feld_->logik().historie().eintraege(), std::vector<std::string>{"M\xFC"});

    // Delete, as the desktop sends it (text DEL), and a forwarded DEL type
    // nothing and start no search.
    feld_->Focus();
    QTest::keyClick(feld_->Edit, Qt::Key_Home);
    tabelle_.got.clear();
    QTest::sendKeyEvent(QTest::Click, feld_->Edit, Qt::Key_Delete, QString(QChar(0x7F)), {});
    ui::SendMessage(feld_->GetFenster(), WM_CHAR, 0x7F);
    EXPECT_EQ(feld_->GetText(), "\xE4");
    EXPECT_TRUE(tabelle_.got.empty());
    QTest::sendKeyEvent(QTest::Click, feld_->Edit, Qt::Key_A, QString("a"), {});

    feld_->GrossKlein->click();
    EXPECT_EQ(feld_->Vergleich("a\xC4"), 1);
    feld_->NotFund(1);
    EXPECT_EQ(feld_->Edit->selectedText(), ui::toQString("\xE4"));
}

TEST_F(SuchfeldTest, HistoryListPicksAndCloses) {
    for (const char* t : {"eins", "zwei", "drei"}) merke(t);
    feld_->AuswahlKnopf->click();
    ASSERT_TRUE(suchliste::sichtbar());
    EXPECT_EQ(suchliste::besitzer(), feld_);
    EXPECT_EQ(liste()->count(), 3);
    EXPECT_EQ(liste()->item(0)->text(), "drei");
    const QPoint feldUnten = feld_->mapToGlobal(QPoint(0, feld_->height()));
    EXPECT_EQ(liste()->geometry().topLeft(), feldUnten);

    const QRect zweite = liste()->visualItemRect(liste()->item(1));
    QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, zweite.center());
    EXPECT_FALSE(suchliste::sichtbar());
    EXPECT_EQ(feld_->GetText(), "zwei");

    feld_->AuswahlKnopf->click();
    QTest::mouseClick(liste()->viewport(), Qt::RightButton, {}, zweite.center());
    EXPECT_TRUE(suchliste::sichtbar());  // only a left press picks
    QTest::mouseClick(feld_->AuswahlKnopf, Qt::LeftButton);
    EXPECT_FALSE(suchliste::sichtbar());  // the button closes what it opened
    feld_->AuswahlKnopf->click();
    QTest::mouseClick(anderes_, Qt::LeftButton);
    EXPECT_FALSE(suchliste::sichtbar());  // a press elsewhere closes it
}

TEST_F(SuchfeldTest, ColumnMenuAndShortenedLabel) {
    feld_->Set_Suche(&tabelle_);
    const std::string lang(30, 'W');
    for (const auto& [name, i] : {std::pair<std::string, int>{"Name", 0}, {lang, 2}})
        feld_->Set_Spalten_Name(name, i);
    ui::ScriptedPopupMenus menus;
    menus.choose(3);
    QTest::mouseClick(feld_->SpaltenKnopf, Qt::LeftButton);
    ASSERT_EQ(menus.shown().size(), 1u);
    EXPECT_EQ(menus.shown()[0].items.size(), 3u);
    EXPECT_EQ(tabelle_.got.back().first, kSpalteGewaehlt + 2);
    const QString label = feld_->SpaltenLabel->text();
    EXPECT_TRUE(label.endsWith("...")) << label.toStdString();
    EXPECT_LT(QFontMetrics(feld_->font()).horizontalAdvance(label), 69);
}

// The shared list outlives any one field and goes with the last; a field
// destroyed while it owns the open list leaves no owner behind.
TEST(SuchfeldLeben, DestroyedInAnyOrder) {
    std::array<int, 3> reihenfolge{0, 1, 2};
    do {
        std::array<std::unique_ptr<TSuchfeld>, 3> felder;
        for (auto& f : felder) {
            f = std::make_unique<TSuchfeld>();
            f->show();
        }
        felder[1]->AuswahlKnopf->click();
        ASSERT_TRUE(suchliste::sichtbar());
        for (const int i : reihenfolge) {
            felder[static_cast<size_t>(i)].reset();
            if (i == 1) {
                EXPECT_FALSE(suchliste::sichtbar());
                EXPECT_EQ(suchliste::besitzer(), nullptr);
            }
        }
        EXPECT_EQ(suchliste::fenster(), nullptr);
    } while (std::next_permutation(reihenfolge.begin(), reihenfolge.end()));
    TSuchfeld spaeter;
    spaeter.show();
    spaeter.AuswahlKnopf->click();
    EXPECT_TRUE(suchliste::sichtbar());
}

// A window that takes the editing messages.
struct Empfaenger : QWidget, ui::MessageTarget {
    std::vector<std::pair<unsigned, std::uintptr_t>> got;
    bool dispatchMessage(ui::Message& m) override {
        got.emplace_back(m.msg, m.wParam);
        return true;
    }
};

TEST(EditKontextmenue, SendsTheChosenCommand) {
    Empfaenger e;
    ui::ScriptedPopupMenus menus;
    ui::clearClipboard();
    menus.choose(3);  // "Einfügen" is grey without text on the clipboard
    Edit_Kontextmenue(&e, 0x1F);
    ui::ClipboardContent c;
    c.setText("x");
    ASSERT_TRUE(ui::putOnClipboard(c));
    menus.choose(5);
    Edit_Kontextmenue(&e, 0x1F);
    menus.choose(1);
    Edit_Kontextmenue(&e, 0x0F);
    EXPECT_FALSE(menus.shown()[0].items[2].enabled);
    EXPECT_EQ(menus.shown()[2].items.size(), 4u);
    using L = std::vector<std::pair<unsigned, std::uintptr_t>>;
    EXPECT_EQ(e.got, (L{{WM_PASTE, 1}, {WM_CUT, 0}}));
}

}  // namespace
}  // namespace table

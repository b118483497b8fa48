// The table control driven by QTest keys and mouse on an offscreen window:
// selection reports, sort marks, type-ahead, Enter and the context menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "controls/icontab/icontab.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"

namespace table {
namespace {

constexpr int kZeile = 18;  // DefaultRowHeight

// The control with its timers and the start of a drag open to the tests.
struct ProbeTab : TIconTab {
    using TIconTab::masse;
    using TIconTab::TIconTab;
    using TIconTab::TimerFired;
    int gezogen = 0;

protected:
    void ziehenStarten() override { ++gezogen; }
};

// A window with the table (rows x 3 columns "r/c", one title row) and a
// second focusable control after it.
struct Fenster {
    QWidget top;
    ProbeTab* t = nullptr;
    QLineEdit* danach = nullptr;
    std::vector<std::pair<long, long>> gewaehlt;
    std::vector<std::pair<int, bool>> sortiert;
    int doppel = 0;

    explicit Fenster(int rows, const std::vector<std::string>& spalte0 = {}) {
        top.resize(300, 250);
        t = new ProbeTab(&top);
        t->setGeometry(0, 0, 200, 150);
        danach = new QLineEdit(&top);
        danach->setGeometry(0, 160, 100, 20);
        t->SetTabelle(static_cast<unsigned>(rows), 3, -1, 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 3; ++c)
                t->SetCell(r, c,
                           c == 0 && r > 0 && r - 1 < static_cast<int>(spalte0.size())
                               ? spalte0[static_cast<size_t>(r - 1)]
                               : std::to_string(r) + "/" + std::to_string(c));
        t->FEndUpdate(false);
        t->OnSelectCell = [this](IconTabModell&, long r, long c) { gewaehlt.emplace_back(r, c); };
        t->OnSortCell = [this](IconTabModell&, char s, bool ab) { sortiert.emplace_back(s, ab); };
        t->OnDoppelKlick = [this](IconTabModell&) { ++doppel; };
        top.show();
        QApplication::setActiveWindow(&top);
        t->setFocus();
    }
    // The middle of cell (row, col) while nothing is scrolled; columns 40 wide.
    static QPoint zelle(int row, int col) { return {col * 40 + 10, row * kZeile + kZeile / 2}; }
    void klick(int row, int col, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(t, b, {}, zelle(row, col));
    }
    // Press, release, the second press as a double click, release.
    void doppelKlick(int row, int col) {
        klick(row, col);
        QTest::mouseDClick(t, Qt::LeftButton, {}, zelle(row, col));
        QTest::mouseRelease(t, Qt::LeftButton, {}, zelle(row, col));
    }
};

TEST(Bedienung, ClickSelectsTheRowAndReportsItEvenWhenAlreadySelected) {
    Fenster f(6);
    f.klick(2, 1);
    f.klick(2, 1);
    f.klick(4, 0);
    EXPECT_EQ(f.gewaehlt, (std::vector<std::pair<long, long>>{{2, 1}, {2, 1}, {4, 0}}));
    EXPECT_EQ(f.t->GetRow(), 4);
}

TEST(Bedienung, FixedColumnsReportOnClickFixedAndGreyRowsSelect) {
    // kind of row 2, the column clicked there, whether OnClickFixed fires,
    // the row then selected (and reported)
    const struct { RowArt art; int col; bool fest; int row; } faelle[] = {
        {0, 0, true, -1}, {0, 1, false, 2}, {kGraueZeile, 1, false, 2},
        {kGraueZeile, 0, true, -1}, {kTitelZeile, 1, false, -1}};
    for (const auto& f : faelle) {
        Fenster w(4);
        w.t->SetFixedCols(1);
        w.t->SetRowArt(2, f.art);
        std::vector<std::pair<long, long>> fest, soll;
        if (f.fest) soll.emplace_back(2, 0);
        w.t->OnClickFixed = [&](IconTabModell&, long r, long c) { fest.emplace_back(r, c); };
        w.klick(2, f.col);
        EXPECT_EQ(fest, soll) << int{f.art} << " " << f.col;
        EXPECT_EQ(w.t->GetRow(), f.row);
        EXPECT_EQ(w.gewaehlt.size(), f.row > 0 ? 1u : 0u);
    }
}

TEST(Bedienung, TitleClicksChooseTheSortColumnAndToggleTheDirection) {
    Fenster f(4);
    f.t->SetOrder(true);
    f.klick(0, 1);                   // another column: direction kept (ascending)
    f.klick(0, 1);                   // the same again: toggled
    f.klick(0, 2);                   // another: the direction stays descending
    f.klick(0, 0, Qt::RightButton);  // the right button only picks the search column
    EXPECT_EQ(f.sortiert, (std::vector<std::pair<int, bool>>{{1, false}, {1, true}, {2, true}}));
    EXPECT_EQ(static_cast<unsigned char>(f.t->Sort_Spalte()), 0x82);
    EXPECT_EQ(f.t->suchSpalte(), 0);
    EXPECT_TRUE(f.gewaehlt.empty());
    Fenster ohne(4);  // without Sortierung nothing is reported
    ohne.klick(0, 1);
    EXPECT_TRUE(ohne.sortiert.empty());
}

TEST(Bedienung, ArrowsMoveTheSelectionAndStopAtTheEnds) {
    Fenster f(40);                       // scrolls: 39 data rows in 150 pixels
    QTest::keyClick(f.t, Qt::Key_Down);  // nothing selected: the first data row
    EXPECT_EQ(f.t->GetRow(), 1);
    QTest::keyClick(f.t, Qt::Key_Left);  // above the first row: the selection stays
    EXPECT_EQ(f.t->GetRow(), 1);
    EXPECT_EQ(f.t->topRow(), 0);
    f.t->SetRow(39);
    QTest::keyClick(f.t, Qt::Key_Right);
    EXPECT_EQ(f.t->GetRow(), 39);
    EXPECT_EQ(f.t->topRow(), f.t->maxTopRow());
    EXPECT_GT(f.t->maxTopRow(), 0);
    QTest::keyClick(f.t, Qt::Key_Up);
    EXPECT_EQ(f.t->GetRow(), 38);
    EXPECT_EQ(f.gewaehlt.back(), (std::pair<long, long>{38, 0}));
    QTest::keyClick(f.t, Qt::Key_Left);
    QTest::keyClick(f.t, Qt::Key_Right);
    EXPECT_EQ(f.t->GetRow(), 38);
}

TEST(Bedienung, EnterAndDoubleClickOnADataRowFireOnDoppelKlick) {
    Fenster f(4);
    QTest::keyClick(f.t, Qt::Key_Return);  // nothing selected
    EXPECT_EQ(f.doppel, 0);
    f.klick(2, 0);
    QTest::keyClick(f.t, Qt::Key_Return);
    EXPECT_EQ(f.doppel, 1);
    f.doppelKlick(3, 0);
    EXPECT_EQ(f.doppel, 2);
    f.doppelKlick(0, 0);  // a title cell
    EXPECT_EQ(f.doppel, 2);
}

TEST(Bedienung, TypingEditsTheCellAndEnterCommitsAndMovesOn) {
    Fenster f(3);
    f.t->SetEditCol(0x2, -1);
    std::vector<std::string> geaendert;
    f.t->OnCellChange = [&](IconTabModell&, int, int, std::string& str, int, bool&) {
        geaendert.push_back(str);
    };
    f.klick(1, 1);
    ASSERT_TRUE(f.t->eingabeOffen());
    QTest::keyClicks(f.t, "xy");          // the whole text was selected
    EXPECT_EQ(f.t->GetCell(1, 1), "xy");  // read from the open editor
    f.t->Paint();
    const Rect box = f.t->eingabe()->box;
    EXPECT_EQ(f.t->canvas().Pixel(box.left, box.top + 5), ui::clGray);
    EXPECT_EQ(f.t->canvas().Pixel(box.left + 30, box.top + 4), ui::clWhite);
    QTest::keyClick(f.t, Qt::Key_Return);
    EXPECT_EQ(geaendert, (std::vector<std::string>{"xy"}));
    EXPECT_EQ(f.t->aktuelleTabelle()->zelle(1, 1), "xy");
    EXPECT_EQ(f.t->GetRow(), 2);  // the next row, same column
    EXPECT_EQ(f.t->eingabe()->spalte, 1);
    QTest::keyClick(f.t, Qt::Key_Escape);
    QTest::keyClick(f.t, Qt::Key_Return);  // the last editable cell: the focus goes on
    EXPECT_TRUE(f.danach->hasFocus());
    EXPECT_FALSE(f.t->eingabeOffen());
    EXPECT_EQ(f.gewaehlt.back(), (std::pair<long, long>{2, 1}));
}

TEST(Bedienung, DropDownPickListOpensWithDownAndEnterTakesTheEntry) {
    Fenster f(3);
    f.t->SetEditCol(0x1, -1);
    auto namen = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{"Anna", "Bert", "Carl"});
    f.t->OnGetFilter = [&](IconTabBedienung&, Filter_Struct& filter, int, int) {
        filter.Art = 1;
        filter.Liste = namen;
    };
    int index = -2;
    f.t->OnCellChange = [&](IconTabModell&, int, int, std::string&, int i, bool&) { index = i; };
    f.klick(2, 0);
    ASSERT_TRUE(f.t->eingabeOffen());
    QTest::keyClicks(f.t, "zz");  // a drop-down only picks
    EXPECT_EQ(f.t->GetCell(0, 2), "2/0");
    QTest::keyClick(f.t, Qt::Key_Down);
    ASSERT_NE(f.t->pickListe(), nullptr);
    EXPECT_TRUE(f.t->pickListe()->isVisible());
    EXPECT_EQ(f.t->pickListe()->count(), 3);
    QTest::keyClick(f.t, Qt::Key_Down);
    QTest::keyClick(f.t, Qt::Key_Down);
    QTest::keyClick(f.t, Qt::Key_Down);  // stops at the last entry
    // The entry under the pointer becomes the chosen one; Down goes on from it.
    QListWidget* l = f.t->pickListe();
    const QPoint ueber = l->visualItemRect(l->item(0)).center();
    QMouseEvent schweben(QEvent::MouseMove, ueber, l->viewport()->mapToGlobal(ueber), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(l->viewport(), &schweben);
    EXPECT_EQ(f.t->eingabe()->listeWahl, 0);
    QTest::keyClick(f.t, Qt::Key_Down);
    QTest::keyClick(f.t, Qt::Key_Return);
    EXPECT_FALSE(f.t->pickListe()->isVisible());
    EXPECT_EQ(f.t->aktuelleTabelle()->zelle(2, 0), "Bert");
    EXPECT_EQ(index, 1);
    f.t->SetCell(1, 0, "ca");  // the list opens on the entry it starts, case folded
    f.klick(1, 0);
    QTest::keyClick(f.t, Qt::Key_Down);
    EXPECT_EQ(f.t->eingabe()->listeWahl, 2);
}

TEST(Bedienung, TypingIntoTheTableTypesIntoItsSearchFieldAndSearches) {
    Fenster f(4, {"Zeilen", "Zeile", "Ende"});
    TSuchfeld feld(&f.top);
    feld.setGeometry(0, 200, 200, 24);
    feld.show();
    f.t->SetSuchelement(&feld);
    f.danach->setFocus();
    f.t->setFocus();  // the field links to the table that has the focus
    ASSERT_TRUE(feld.HatZiel());
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    QTest::keyClicks(f.t, "zeile");
    EXPECT_EQ(feld.GetText(), "zeile");
    EXPECT_EQ(f.t->GetRow(), 2);  // the equal cell, not the earlier prefix
    QTest::keyClicks(f.t, "q");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(f.t->GetRow(), 2);
    EXPECT_EQ(feld.Edit->selectedText(), QStringLiteral("q"));
    ui::setBeepHandler({});
}

TEST(Bedienung, TypeAheadWithoutAFieldAndF3) {
    Fenster f(5, {"Meier", "M\xFCller", "Maier", "Ende"});
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    QTest::keyClick(f.t, Qt::Key_M);  // lower case, folded
    QKeyEvent ue(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier,
                 QString::fromUtf8("\xC3\xBC"));
    QApplication::sendEvent(f.t, &ue);
    EXPECT_EQ(f.t->GetRow(), 2);
    QTest::keyClick(f.t, Qt::Key_Escape);
    QTest::keyClick(f.t, Qt::Key_Backspace);  // "m": from the top again
    EXPECT_EQ(f.t->GetRow(), 1);
    QTest::keyClick(f.t, Qt::Key_F3);
    EXPECT_EQ(f.t->GetRow(), 2);
    QTest::keyClick(f.t, Qt::Key_F3);
    EXPECT_EQ(f.t->GetRow(), 3);
    QTest::keyClick(f.t, Qt::Key_F3);  // wraps past "Ende"
    EXPECT_EQ(f.t->GetRow(), 1);
    EXPECT_EQ(beeps, 0);
    ui::setBeepHandler({});
}

TEST(Bedienung, RightClickShowsTheDefaultMenuOrTheEditMenuInTheEditor) {
    Fenster f(3);
    ui::ScriptedPopupMenus menus;
    menus.choose(TIconTab::kZellKopie);
    f.klick(1, 2, Qt::RightButton);
    ASSERT_EQ(menus.shown().size(), 1u);
    EXPECT_EQ(menus.shown()[0].items.front().caption, "Tabelle Drucken");
    EXPECT_EQ(f.t->GetRow(), 1);
    EXPECT_EQ(ui::clipboardText(), std::optional<std::string>("1/2"));
    f.t->SetEditCol(0x1, -1);
    f.klick(1, 0);
    ASSERT_TRUE(f.t->eingabeOffen());
    menus.choose(5);  // "Zeilenumbruch" over the selected text
    f.klick(1, 0, Qt::RightButton);
    ASSERT_EQ(menus.shown().size(), 2u);
    EXPECT_EQ(menus.shown()[1].items.size(), 5u);
    EXPECT_EQ(f.t->GetCell(0, 1), "\r\n");
}

// A host that clears its tables from a menu choice or a selection event:
// the release that opened the menu reads nothing of them afterwards.
TEST(Bedienung, AHostClearingItsTablesFromAnEventLeavesNothingBehind) {
    for (const bool menue : {true, false}) {
        Fenster f(3);
        ui::ScriptedPopupMenus menus;
        ui::PopupMenu zeilen;
        zeilen.add("Leeren", 7);
        f.t->PopupMenu = &zeilen;
        f.t->OnMenuWahl = [&](TIconTab& s, ui::PopupMenu&, int) { s.ClearTabs(-1); };
        if (!menue) f.t->OnSelectCell = [&](IconTabModell& s, long, long) { s.ClearTabs(-1); };
        menus.choose(7);
        f.klick(1, 2, menue ? Qt::RightButton : Qt::LeftButton);
        EXPECT_EQ(f.t->tabellenZahl(), 0) << menue;
        EXPECT_EQ(f.t->hitTabelle(), nullptr) << menue;
        f.t->Paint();
    }
}

TEST(Bedienung, TheHostsMenusOverTheCaptionAndTheRows) {
    Fenster f(3);
    ui::ScriptedPopupMenus menus;
    std::vector<std::pair<const ui::PopupMenu*, int>> gewaehlt;
    f.t->OnMenuWahl = [&](TIconTab& s, ui::PopupMenu& m, int id) {
        EXPECT_EQ(&s, f.t);
        gewaehlt.emplace_back(&m, id);
    };
    ui::PopupMenu kopf, zeilen;
    kopf.add("Kopf", 3);
    zeilen.add("Eigen", 7);
    f.t->CaptionPopup = &kopf;
    f.t->PopupMenu = &zeilen;
    f.t->SetCaption("Titel");
    const int ch = f.t->masse().captionHoehe;
    ASSERT_GT(ch, 2);
    menus.choose(3);
    QTest::mouseClick(f.t, Qt::LeftButton, {}, {20, 2});  // only the right button
    QTest::mouseClick(f.t, Qt::RightButton, {}, {20, 2});
    ASSERT_EQ(menus.shown().size(), 1u);
    EXPECT_EQ(menus.shown()[0].position, f.t->mapToGlobal(QPoint(20, 2)));
    // Over a row: the host's entries, then the default ones for this time.
    const QPoint zeile = Fenster::zelle(1, 2) + QPoint(0, ch);
    menus.choose(7);
    QTest::mouseClick(f.t, Qt::RightButton, {}, zeile);
    menus.choose(TIconTab::kStandardIds + TIconTab::kZellKopie);
    QTest::mouseClick(f.t, Qt::RightButton, {}, zeile);
    ASSERT_EQ(menus.shown().size(), 3u);
    const auto& items = menus.shown()[1].items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].caption, "Eigen");
    EXPECT_EQ(items[1].caption, "Tabelle Drucken");
    EXPECT_EQ(zeilen.items().size(), 1u);  // taken back
    EXPECT_EQ(gewaehlt,
              (std::vector<std::pair<const ui::PopupMenu*, int>>{{&kopf, 3}, {&zeilen, 7}}));
    EXPECT_EQ(ui::clipboardText(), std::optional<std::string>("1/2"));
    f.t->SetDefaultMenu(false);  // the host's menu alone
    QTest::mouseClick(f.t, Qt::RightButton, {}, zeile);
    EXPECT_EQ(menus.shown().back().items.size(), 1u);
}

TEST(Bedienung, WithDragDropALeftPressDragsOnceThePointerMoves) {
    struct Fall {
        bool dragDrop;
        int weg;  // pixels moved with the button held
        int gezogen;
    };
    const int weit = QApplication::startDragDistance() + 2;
    for (const Fall& fall : {Fall{true, weit, 1}, Fall{true, 0, 0}, Fall{false, weit, 0}}) {
        Fenster f(3);
        f.t->DragDrop = fall.dragDrop;
        const QPoint von = Fenster::zelle(2, 1);
        QTest::mousePress(f.t, Qt::LeftButton, {}, von);
        const QPoint bis = von + QPoint(fall.weg, 0);
        QMouseEvent zug(QEvent::MouseMove, bis, f.t->mapToGlobal(bis), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(f.t, &zug);
        QTest::mouseRelease(f.t, Qt::LeftButton, {}, bis);
        EXPECT_EQ(f.t->gezogen, fall.gezogen) << fall.dragDrop << " " << fall.weg;
        EXPECT_EQ(f.t->GetRow(), 2);  // the press still selected
    }
    Fenster f(2);
    std::unique_ptr<QMimeData> d(f.t->ziehDaten());
    EXPECT_EQ(d->data(TIconTab::kZiehTyp), QByteArray("TIconTab"));
}

TEST(Bedienung, ATitleBorderShowsTheSizingPointerAndDraggingItSizesTheColumn) {
    Fenster f(3);
    f.t->SetOrder(true);
    auto ziehen = [&](QPoint p, Qt::MouseButtons knoepfe) {
        QMouseEvent e(QEvent::MouseMove, p, f.t->mapToGlobal(p), Qt::NoButton, knoepfe,
                      Qt::NoModifier);
        QApplication::sendEvent(f.t, &e);
    };
    ziehen({41, kZeile / 2}, Qt::NoButton);
    EXPECT_EQ(f.t->cursor().shape(), Qt::SizeHorCursor);
    ziehen({41, kZeile + kZeile / 2}, Qt::NoButton);  // a data row: no border to take
    EXPECT_EQ(f.t->cursor().shape(), Qt::ArrowCursor);
    ziehen({39, kZeile / 2}, Qt::NoButton);
    QTest::mousePress(f.t, Qt::LeftButton, {}, {39, kZeile / 2});
    ziehen({69, kZeile * 3}, Qt::LeftButton);
    EXPECT_EQ(f.t->aktuelleTabelle()->SpaltenInfo[0].Breite, 70);
    EXPECT_EQ(f.t->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseRelease(f.t, Qt::LeftButton, {}, {69, kZeile * 3});
    EXPECT_EQ(f.t->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(f.sortiert.empty());  // the press sized, it did not sort
    f.klick(0, 2);                    // x 90: column 1 now reaches to 110
    EXPECT_EQ(f.sortiert, (std::vector<std::pair<int, bool>>{{1, false}}));
}

TEST(Bedienung, TheEditorsCaretBlinksOnlyWhileItHasTheFocus) {
    Fenster f(3);
    f.t->SetEditCol(0x2, -1);
    f.klick(1, 1);
    ASSERT_TRUE(f.t->eingabeOffen());
    f.t->Paint();
    ASSERT_TRUE(f.t->caretBlinkt());
    const Rect& box = f.t->eingabe()->box;
    const int x = box.left + f.t->eingabeBild().caretX;
    const int y = box.top + f.t->eingabeBild().caretY + 2;
    const ui::TColor an = f.t->canvas().Pixel(x, y);
    f.t->TimerFired(TIconTab::kCaretTimer);
    EXPECT_FALSE(f.t->caretAn());
    EXPECT_NE(f.t->canvas().Pixel(x, y), an);
    f.t->TimerFired(TIconTab::kCaretTimer);
    EXPECT_EQ(f.t->canvas().Pixel(x, y), an);
    f.t->TimerFired(TIconTab::kCaretTimer);
    QTest::keyClick(f.t, Qt::Key_Left);  // a fresh picture shows it at once
    EXPECT_TRUE(f.t->caretAn());
    f.danach->setFocus();
    EXPECT_FALSE(f.t->caretBlinkt());
}

}  // namespace
}  // namespace table

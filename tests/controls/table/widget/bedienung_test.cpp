// The table control driven by QTest keys and mouse on an offscreen window:
// selection reports, sort marks, type-ahead, Enter and the context menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "controls/table/icontab.h"
#include "platform/ui/beep.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/popup_menu.h"

namespace table {
namespace {

constexpr int kZeile = 18;  // DefaultRowHeight

// A window with the table (rows x 3 columns "r/c", one title row) and a
// second focusable control after it.
struct Fenster {
    QWidget top;
    TIconTab* t = nullptr;
    QLineEdit* danach = nullptr;
    std::vector<std::pair<long, long>> gewaehlt;
    std::vector<std::pair<int, bool>> sortiert;
    int doppel = 0;

    explicit Fenster(int rows, const std::vector<std::string>& spalte0 = {}) {
        top.resize(300, 250);
        t = new TIconTab(&top);
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

TEST(Bedienung, TitleClicksChooseTheSortColumnAndToggleTheDirection) {
    Fenster f(4);
    f.t->SetOrder(true);
    f.klick(0, 1);  // another column: direction kept (ascending)
    f.klick(0, 1);  // the same again: toggled
    f.klick(0, 2);  // another: the direction stays descending
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
    Fenster f(40);  // scrolls: 39 data rows in 150 pixels
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

}  // namespace
}  // namespace table

// What a host window calls on the table controls: FindRow completing the
// host's line edit, GetZellRect against what a click there hits, and the
// grid table's host menu on a right click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "controls/icontab/icontab.h"
#include "controls/tabelle/tabelle.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/input/line_edit_field.h"
#include "platform/ui/windows/popup_menu.h"

namespace table {
namespace {

// A table of rows x 3 columns under one title row; column 0 holds the given
// names, the others "r/c".
struct Host {
    QWidget top;
    TIconTab* t = nullptr;
    QLineEdit* edit = nullptr;
    std::vector<std::pair<long, long>> gewaehlt;

    explicit Host(const std::vector<std::string>& namen) {
        top.resize(300, 250);
        t = new TIconTab(&top);
        t->setGeometry(0, 0, 200, 150);
        edit = new QLineEdit(&top);
        edit->setGeometry(0, 160, 100, 20);
        const int rows = static_cast<int>(namen.size()) + 1;
        t->SetTabelle(static_cast<unsigned>(rows), 3, -1, 0);
        for (int c = 0; c < 3; ++c) t->SetCell(0, c, "T" + std::to_string(c));
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < 3; ++c)
                t->SetCell(r, c,
                           c == 0 ? namen[static_cast<size_t>(r - 1)]
                                  : std::to_string(r) + "/" + std::to_string(c));
        t->FEndUpdate(false);
        t->OnSelectCell = [this](IconTabModell&, long r, long c) { gewaehlt.emplace_back(r, c); };
        top.show();
        QApplication::setActiveWindow(&top);
    }
};

TEST(FindRow, CompletesTheHostsLineEditWithTheRestSelected) {
    // typed text, the row found, the edit's text and selected rest after it
    // clang-format off
    const struct { const char* text; int row; const char* feld; const char* rest; } faelle[] = {
        {"m\xFC", 2, "M\xFCller", "ller"},   // case folded; the cell's own spelling
        {"Mei", 1, "Meier", "er"},
        {"Maier", 3, "Maier", ""},            // a whole cell: nothing left to offer
        {"Mx", -1, "vorher", ""},             // a miss leaves the field alone
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        Host h({"Meier", "M\xFCller", "Maier"});
        h.edit->setText("vorher");
        int beeps = 0;
        ui::setBeepHandler([&] { ++beeps; });
        ui::LineEditField feld(h.edit);
        SuchResult r;
        EXPECT_EQ(h.t->FindRow(f.text, true, 0, &feld, -1, false, -1, &r), f.row);
        ui::setBeepHandler({});
        EXPECT_EQ(h.edit->text(), QString::fromLatin1(f.feld));
        EXPECT_EQ(h.edit->selectedText(), QString::fromLatin1(f.rest));
        EXPECT_EQ(beeps, f.row < 0 ? 1 : 0);
        if (f.row < 0) continue;
        if (*f.rest) {
            EXPECT_EQ(h.edit->selectionStart(), r.matched);
        }
        EXPECT_EQ(h.edit->cursorPosition(), h.edit->text().size());
        EXPECT_EQ(h.t->GetRow(), f.row);
    }
    // Without an edit field a miss stays silent.
    Host h({"a"});
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    EXPECT_EQ(h.t->FindRow("x", false, 0, nullptr, -1, false, -1, nullptr), -1);
    ui::setBeepHandler({});
    EXPECT_EQ(beeps, 0);
}

TEST(GetZellRect, AClickInsideTheRectangleHitsThatCell) {
    Host h(std::vector<std::string>(12, "x"));
    h.t->Ver_Change(SB_THUMBPOSITION, 3);  // the rows are scrolled
    ASSERT_EQ(h.t->topRow(), 3);
    Rect r;
    EXPECT_FALSE(h.t->GetZellRect(r, 1, 2, -1));  // scrolled away
    EXPECT_TRUE(r.isEmpty());
    EXPECT_FALSE(h.t->GetZellRect(r, 7, 5, -1));  // no such column
    for (const int row : {5, 7, 9}) {
        for (const int col : {0, 1, 2}) {
            SCOPED_TRACE(std::to_string(row) + "/" + std::to_string(col));
            ASSERT_TRUE(h.t->GetZellRect(r, col, row, -1));
            ASSERT_GT(r.width(), 0);
            ASSERT_GT(r.height(), 0);
            h.gewaehlt.clear();
            for (const QPoint p : {QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)}) {
                QTest::mouseClick(h.t, Qt::LeftButton, {}, p);
                EXPECT_EQ(h.gewaehlt.back(), (std::pair<long, long>{row, col}));
            }
            // One pixel above the rectangle lies in the row before.
            QTest::mouseClick(h.t, Qt::LeftButton, {}, QPoint(r.left, r.top - 1));
            EXPECT_EQ(h.gewaehlt.back().first, row - 1);
        }
    }
}

TEST(TTabelle, ARightClickOpensTheHostsMenuWhereItWasReleased) {
    TTabelle t;
    t.resize(300, 200);
    t.show();
    t.SetTabelle(4, 2, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c) t.SetCell(r, c, std::to_string(r) + "/" + std::to_string(c), 0);
    t.FEndUpdate(false);
    ui::ScriptedPopupMenus menus;
    const platform::Rect zelle = t.CellRect(1, 2);
    const QPoint daten((zelle.left + zelle.right) / 2, (zelle.top + zelle.bottom) / 2);
    QTest::mouseClick(&t, Qt::RightButton, {}, daten);  // no menu assigned: nothing
    EXPECT_TRUE(menus.shown().empty());

    ui::PopupMenu menu;
    menu.add("Bearbeiten", 4);
    menu.add("L\xF6schen", 5);
    t.PopupMenu = &menu;
    std::vector<std::pair<int, int>> gewaehlt;  // id, the row current then
    t.OnMenuWahl = [&](TTabelle& s, ui::PopupMenu& m, int id) {
        EXPECT_EQ(&s, &t);
        EXPECT_EQ(&m, &menu);
        gewaehlt.emplace_back(id, s.GetRow());
    };
    menus.choose(5);
    QTest::mouseClick(&t, Qt::RightButton, {}, daten);
    ASSERT_EQ(menus.shown().size(), 1u);
    EXPECT_EQ(menus.shown()[0].position, t.mapToGlobal(daten));
    EXPECT_EQ(menus.shown()[0].items.size(), 2u);
    EXPECT_EQ(gewaehlt, (std::vector<std::pair<int, int>>{{5, 2}}));  // on the pointed row
    QTest::mouseClick(&t, Qt::LeftButton, {}, daten);   // the left button opens nothing
    QTest::mouseClick(&t, Qt::RightButton, {}, daten);  // closed without a choice
    EXPECT_EQ(menus.shown().size(), 2u);
    EXPECT_EQ(gewaehlt.size(), 1u);
}

}  // namespace
}  // namespace table

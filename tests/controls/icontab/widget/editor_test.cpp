// The in-cell editor as a user drives it: typing, Backspace and Delete over
// line ends, rows deleted and inserted while it is open, search columns
// chosen with the mouse and the HTML copy of odd bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "controls/icontab/icontab.h"
#include "controls/table_shared/model/tab_export.h"
#include "controls/tabelle/tabelle.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/input/clipboard.h"

namespace table {
namespace {

constexpr int kZeile = 18;  // DefaultRowHeight

// rows x 3 columns "r/c" under one title row; column 1 editable; every
// committed text is recorded with its row.
struct Editor {
    QWidget top;
    TIconTab* t = nullptr;
    std::vector<std::pair<int, std::string>> gespeichert;

    explicit Editor(int rows) {
        top.resize(300, 250);
        t = new TIconTab(&top);
        t->setGeometry(0, 0, 200, 200);
        t->SetTabelle(static_cast<unsigned>(rows), 3, -1, 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 3; ++c)
                t->SetCell(r, c, std::to_string(r) + "/" + std::to_string(c));
        t->FEndUpdate(false);
        t->SetEditCol(0x2, -1);
        t->OnCellChange = [this](IconTabModell&, int row, int, std::string& s, int, bool&) {
            gespeichert.emplace_back(row, s);
        };
        top.show();
        QApplication::setActiveWindow(&top);
        t->setFocus();
    }
    void oeffne(int row) {
        QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(50, row * kZeile + kZeile / 2));
    }
    // "\b" Backspace, "\x7F" Delete, "<" Left, ">" Right, "^" a line break
    // pasted with Ctrl+V, "\r" Enter; anything else is typed.
    void tippe(const std::string& keys) {
        for (const char ch : keys) {
            switch (ch) {
                case '\b':
                    QTest::keyClick(t, Qt::Key_Backspace);
                    break;
                case '\x7F':
                    QTest::keyClick(t, Qt::Key_Delete);
                    break;
                case '<':
                    QTest::keyClick(t, Qt::Key_Left);
                    break;
                case '>':
                    QTest::keyClick(t, Qt::Key_Right);
                    break;
                case '\r':
                    QTest::keyClick(t, Qt::Key_Return);
                    break;
                case '^': {
                    ui::ClipboardContent umbruch;
                    umbruch.setText("\r\n");
                    ui::putOnClipboard(umbruch);
                    QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
                    break;
                }
                default:
                    QTest::keyClicks(t, QString(QChar(ch)));
                    break;
            }
        }
    }
};

TEST(Editor, BackspaceAndDeleteLeaveTheCursorWhereTheNextKeyTypes) {
    // cell text, keys after opening (the whole text is selected), stored text
    // clang-format off
    const struct { const char* zelle; std::string keys; const char* erwartet; } faelle[] = {
        {"", "abc\b!", "ab!"},
        {"", "ab\b\bxy", "xy"},
        {"", "abc<\b!", "a!c"},
        {"", "abc<<\x7F!", "a!c"},
        {"", "ab\x7F\x7F!", "ab!"},
        {"x", ">\b\b\b!", "!"},
        {"ab\r\ncd", ">\b!", "ab\r\nc!"},             // end of the last line
        {"ab\r\ncd", "><<\b!", "ab!cd"},              // start of a line: joins
        {"ab\r\ncd", "><<\b\b!", "a!cd"},
        {"ab\r\ncd", "><<<\x7F!", "ab!cd"},           // end of a line: joins
        {"ab\r\ncd", "><<<\x7F\x7F!", "ab!d"},
        {"ab\r\ncd", "><\b!", "ab\r\n!d"},            // middle of a line
        {"ab\r\ncd", "><<<<\b\b!", "!b\r\ncd"},          // Left over a line end
        {"", "ab^cd<<\b!", "ab!cd"},
        {"", "ab^^cd<<\b\b!", "ab!cd"},
        {"", "ab^cd<<<<\x7F\x7F!", "a!cd"},
        {"", "^\b\bx", "x"},
        {"", "^^<\x7F\x7Fx", "\r\nx"},
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zelle + std::string(" | ") + f.keys);
        Editor e(3);
        e.t->SetCell(1, 1, f.zelle);
        e.oeffne(1);
        ASSERT_TRUE(e.t->eingabeOffen());
        e.tippe(f.keys + "\r");
        ASSERT_EQ(e.gespeichert.size(), 1u);
        EXPECT_EQ(e.gespeichert[0], (std::pair<int, std::string>{1, f.erwartet}));
        EXPECT_EQ(e.t->aktuelleTabelle()->zelle(1, 1), f.erwartet);
    }
}

TEST(Editor, RowsDeletedOrInsertedUnderTheEditorNeverTakeItsInput) {
    enum Aktion {
        LoeschtSie,
        LoeschtLetzte,
        LoeschtDarueber,
        FuegtDarueberEin,
        MachtFest,  // SetFixedRows(3): the selection moves to row 3
        MachtGrau,  // the selection goes
        ZeigtGrafik,
        LoeschtDarunter,
        WaehltAndere
    };
    // the edited row, what the host does while "neu" is typed there, what was
    // stored then, and column 1 after "!" and Enter are typed on
    // clang-format off
    const struct { int row; Aktion a; std::vector<std::pair<int, std::string>> gespeichert;
                   std::vector<std::string> danach; } faelle[] = {
        {2, LoeschtSie, {}, {"1/1", "3/1", "4/1"}},
        {4, LoeschtLetzte, {}, {"1/1", "2/1", "3/1"}},
        {2, LoeschtDarueber, {{2, "neu"}}, {"neu", "3/1", "4/1"}},
        {2, FuegtDarueberEin, {{2, "neu"}}, {"", "1/1", "neu", "3/1", "4/1"}},
        {2, MachtFest, {{2, "neu"}}, {"1/1", "neu", "3/1", "4/1"}},
        {2, MachtGrau, {{2, "neu"}}, {"1/1", "neu", "3/1", "4/1"}},
        {2, ZeigtGrafik, {{2, "neu"}}, {"1/1", "neu", "3/1", "4/1"}},
        {2, LoeschtDarunter, {}, {"1/1", "neu!", "4/1"}},
        {2, WaehltAndere, {{2, "neu"}}, {"1/1", "neu", "!", "4/1"}},  // reloaded on row 3
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.a);
        Editor e(5);
        e.oeffne(f.row);
        e.tippe("neu");
        switch (f.a) {
            case LoeschtSie:
            case LoeschtLetzte:
                e.t->DeleteRow(f.row);
                break;
            case LoeschtDarueber:
                e.t->DeleteRow(f.row - 1);
                break;
            case FuegtDarueberEin:
                e.t->InsertRow(f.row - 1, nullptr, 1, -1, -1);
                break;
            case MachtFest:
                e.t->SetFixedRows(3);
                break;
            case MachtGrau:
                e.t->SetRowArt(static_cast<unsigned>(f.row), kGraueZeile);
                break;
            case ZeigtGrafik:
                e.t->Set_Grafik(true, 1, 0, -1);
                break;
            case LoeschtDarunter:
                e.t->DeleteRow(f.row + 1);
                break;
            case WaehltAndere:
                e.t->SetRow(f.row + 1);
                break;
        }
        EXPECT_EQ(e.gespeichert, f.gespeichert);
        EXPECT_EQ(e.t->eingabeOffen(), f.a >= LoeschtDarunter);
        e.tippe("!\r");  // into the editor when it stayed, else a type-ahead search
        QTest::keyClick(e.t, Qt::Key_Down);
        std::vector<std::string> spalte1;
        for (int r = 1; r < e.t->GetRowCount(true, -1); ++r)
            spalte1.push_back(e.t->aktuelleTabelle()->zelle(r, 1));
        EXPECT_EQ(spalte1, f.danach);
    }
}

TEST(Editor, TheBoxStaysOverItsCellAfterTheWheelOrAWiderColumn) {
    // A wheel notch, a host's text that widens the column left of the cell,
    // the user dragging that column's border (the box follows while the
    // button is held), a row above that its fetched data makes taller.
    enum Anlass { Rad, Breiter, Ziehen, Daten };
    for (const Anlass rad : {Rad, Breiter, Ziehen, Daten}) {
        Editor e(40);  // scrolls
        e.t->AutoBreite = true;
        e.oeffne(2);
        if (rad == Rad) {
            QWheelEvent notch(QPointF(50, 50), e.t->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(e.t, &notch);
        } else if (rad == Breiter) {
            e.t->SetCell(5, 0, "ein viel breiterer Text");  // widens the column left of it
        } else if (rad == Ziehen) {
            QTest::mouseMove(e.t, QPoint(40, kZeile / 2));  // the title's border
            QTest::mousePress(e.t, Qt::LeftButton, {}, QPoint(40, kZeile / 2));
            QTest::mouseMove(e.t, QPoint(70, kZeile / 2));
        } else {
            e.t->OnGetDaten = [](IconTabModell&, int, std::vector<std::string>& s, std::uint32_t,
                                 int) { s[0] = "zwei\rZeilen"; };
            e.t->SetDatenCols(1, 0x1);  // fetched as it is painted
        }
        Rect zelle;
        ASSERT_TRUE(e.t->GetZellRect(zelle, 1, 2, -1));
        EXPECT_NE(std::tuple(zelle.left, zelle.top), std::tuple(40, 2 * kZeile)) << rad;
        const Rect& box = e.t->eingabe()->box;
        EXPECT_EQ(std::tuple(box.left, box.top, box.bottom),
                  std::tuple(zelle.left, zelle.top, zelle.bottom))
            << rad;
    }
}

TEST(Editor, TheDesktopsDeleteKeyTypesNothing) {
    // The key as a Linux desktop sends it, with the text DEL.
    const auto entf = [](QWidget* w) {
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
        QApplication::sendEvent(w, &druck);
    };
    Editor e(3);
    TSuchfeld feld(&e.top);
    e.t->SetSuchelement(&feld);
    feld.setGeometry(0, 210, 200, 24);
    feld.show();
    feld.Focus();
    e.t->setFocus();  // the field links to the table with the focus
    e.oeffne(1);
    QTest::keyClick(e.t, Qt::Key_Left);
    entf(e.t);
    e.tippe("\r");
    EXPECT_EQ(e.gespeichert, (std::vector<std::pair<int, std::string>>{{1, "1/"}}));
    e.t->Input_Show(false);
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    QTest::keyClicks(e.t, "1/");
    entf(e.t);
    ui::setBeepHandler({});
    EXPECT_EQ(feld.GetText(), "1/");
    EXPECT_EQ(beeps, 0);
}

TEST(Editor, AnEditorClosedWithItsRowStoresNothingLater) {
    for (const bool letzte : {true, false}) {
        SCOPED_TRACE(letzte);
        Editor e(5);
        QLineEdit anderes(&e.top);
        anderes.setGeometry(0, 210, 100, 20);
        anderes.show();
        const int row = letzte ? 4 : 2;
        e.oeffne(row);
        e.tippe("q");
        e.t->DeleteRow(row);
        ASSERT_FALSE(e.t->eingabeOffen());
        const std::vector<std::string> vorher = e.t->aktuelleTabelle()->Zellen;
        e.t->TextChange();
        anderes.setFocus();  // the focus loss commits nothing either
        ASSERT_FALSE(e.t->hasFocus());
        e.t->setFocus();
        e.t->Input_Show(true);  // shown again: the selected cell's own text
        ASSERT_TRUE(e.t->eingabeOffen());
        EXPECT_EQ(e.t->GetCell(1, e.t->GetRow()), e.t->aktuelleTabelle()->zelle(e.t->GetRow(), 1));
        anderes.setFocus();
        EXPECT_EQ(e.t->aktuelleTabelle()->Zellen, vorher);
        EXPECT_TRUE(e.gespeichert.empty());
    }
}

TEST(Suchspalte, ATitleRightClickBeyondWhatTheFieldCanReportIsIgnored) {
    TTabelle t;
    t.resize(300, 200);
    t.show();
    const int spalten = kSpaltenGrenze + 3;
    t.SetTabelle(3, spalten, 0);
    for (int c = 0; c < spalten; ++c) t.SetCell(0, c, "T" + std::to_string(c), 0);
    t.FEndUpdate(false);
    const auto rechtsKlick = [&t](int col) {
        t.SetLeftCol(col);  // as the scroll bar puts it first
        const platform::Rect r = t.CellRect(col, 0);
        ASSERT_LT(r.left, r.right);
        QTest::mouseClick(&t, Qt::RightButton, {}, {(r.left + r.right) / 2, r.top + 2});
    };
    rechtsKlick(3);
    EXPECT_EQ(t.suchSpalte(), 3);
    rechtsKlick(kSpaltenGrenze + 1);
    EXPECT_EQ(t.suchSpalte(), 3);
    rechtsKlick(kSpaltenGrenze - 1);
    EXPECT_EQ(t.suchSpalte(), kSpaltenGrenze - 1);
}

TEST(HtmlKopie, ControlBytesOfACellNeverReachTheClipboardRaw) {
    Editor e(2);
    e.t->SetCell(1, 1,
                 std::string("a\0b\x01"
                             "c",
                             5));
    e.t->menuAusfuehren(TIconTab::kTabKopie);
    const std::optional<std::string> html = ui::clipboardFormat(ui::kHtmlFormat);
    ASSERT_TRUE(html);
    EXPECT_NE(html->find(">ab&#1;c</t"), std::string::npos);
    for (const char ch : *html) {
        const auto b = static_cast<unsigned char>(ch);
        EXPECT_TRUE(b >= 0x20 || ch == '\r' || ch == '\n') << static_cast<int>(b);
    }
    EXPECT_EQ(html->substr(42, 9), std::string(9 - std::to_string(html->size()).size(), '0') +
                                       std::to_string(html->size()));  // EndHTML
}

}  // namespace
}  // namespace table

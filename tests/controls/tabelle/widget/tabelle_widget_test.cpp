// The grid table as a widget: type-ahead through a search field, mouse and
// keys, what it paints (new-row line, chart bars) and its printing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "controls/tabelle/tabelle.h"
#include "platform/core/message_box.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/printing/recording_printer.h"

namespace table {
namespace {

// rows x cols with titles "Titel c" and cells "r/c", shown in 300 x 200.
std::unique_ptr<TTabelle> tabelle(int rows, int cols) {
    auto t = std::make_unique<TTabelle>();
    t->resize(300, 200);
    t->show();
    t->SetTabelle(rows, cols, 0);
    for (int c = 0; c < cols; ++c) t->SetCell(0, c, "Titel " + std::to_string(c), 0);
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t->SetCell(r, c, std::to_string(r) + "/" + std::to_string(c), 0);
    t->FEndUpdate(false);
    return t;
}

QPoint mitte(const TTabelle& t, int col, int row) {
    const platform::Rect r = t.CellRect(col, row);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int pixelZahl(const TTabelle& t, const platform::Rect& r, ui::TColor farbe) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (const_cast<TTabelle&>(t).canvas().Pixel(x, y) == farbe) ++n;
    return n;
}

class Drucker {
public:
    std::vector<std::string> texte(size_t seite) const {
        std::vector<std::string> t;
        for (const ui::RecordedText& r : rec->pages().at(seite).texts) t.push_back(r.text);
        return t;
    }
    ui::ScopedRecordingPrinter rec;
};

// Types each character as a key with its text (also letters beyond ASCII).
void tippe(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &druck);
        QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &los);
    }
}

bool enthaelt(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

TEST(TTabelle, TypingInAFieldSelectsTheLastPrefixRow) {
    TSuchfeld feld;
    TTabelle t;
    t.SetSuchelement(&feld);
    t.resize(300, 200);
    t.SetTabelle(5, 1, 0);
    const char* namen[] = {"Name", "M\xFCnz", "Maier", "m\xFC", "M\xFCller"};
    for (int r = 0; r < 5; ++r) t.SetCell(r, 0, namen[r], 0);
    t.FEndUpdate(false);
    EXPECT_TRUE(feld.HatZiel());
    int beeps = 0;
    ui::setBeepHandler([&] { ++beeps; });
    tippe(&t, QString::fromUtf8("Mü"));
    EXPECT_EQ(feld.GetText(), "M\xFC");
    EXPECT_EQ(t.GetRow(), 3);  // equal to the text: taken at once
    tippe(&t, "l");
    EXPECT_EQ(t.GetRow(), 4);
    tippe(&t, "x");
    EXPECT_EQ(beeps, 1);
    ui::setBeepHandler({});
}

TEST(TTabelle, SearchFieldOutlivesOrPrecedesTheTable) {
    for (const bool tabelleZuerst : {true, false}) {
        auto feld = std::make_unique<TSuchfeld>();
        auto t = std::make_unique<TTabelle>();
        t->SetSuchelement(feld.get());
        t->SetTabelle(3, 2, 0);
        EXPECT_TRUE(feld->HatZiel());
        if (tabelleZuerst) {
            t.reset();
            EXPECT_FALSE(feld->HatZiel());
        } else {
            feld.reset();
            t->TabelleModell::KeyPress('a');  // no field any more: the own search text
        }
    }
}

TEST(TTabelle, MouseSortsSelectsAndSizesColumns) {
    auto t = tabelle(6, 3);
    t->Sortierung = true;
    std::vector<int> sortiert;
    std::vector<long> gewaehlt;
    int doppelt = 0;
    t->OnSortCell = [&](TabelleModell&, char s, bool ab) { sortiert.push_back(ab ? -s : s); };
    t->OnSelectCell = [&](TabelleModell&, long r) { gewaehlt.push_back(r); };
    t->OnDoppelKlick = [&](TabelleModell&) { ++doppelt; };
    QTest::mouseClick(t.get(), Qt::LeftButton, {}, mitte(*t, 2, 0));
    QTest::mouseClick(t.get(), Qt::LeftButton, {}, mitte(*t, 2, 0));
    EXPECT_EQ(sortiert, (std::vector<int>{3, -3}));
    QTest::mouseClick(t.get(), Qt::LeftButton, {}, mitte(*t, 1, 4));
    QTest::mouseDClick(t.get(), Qt::LeftButton, {}, mitte(*t, 1, 4));
    EXPECT_EQ(t->GetRow(), 4);
    EXPECT_EQ(gewaehlt.front(), 4);
    EXPECT_EQ(doppelt, 1);
    // Dragging a title border sizes the column by hand.
    const int rand = t->CellRect(0, 0).right;
    QTest::mousePress(t.get(), Qt::LeftButton, {}, {rand, 5});
    QTest::mouseMove(t.get(), {rand + 30, 5});
    QTest::mouseRelease(t.get(), Qt::LeftButton, {}, {rand + 30, 5});
    EXPECT_TRUE(t->handGroesse());
    EXPECT_EQ(t->ColWidth(0), rand + 30);
}

// After SetRow(-1) a typed letter shows the selection (a key for the grid),
// then moves to its row and reports it (a search key).
// A typed letter and a click each show a selection the host had hidden.
TEST(TTabelle, ATypedLetterShowsTheSelectionAndReportsTheRow) {
    for (const bool klick : {false, true}) {
        auto t = tabelle(4, 1);
        t->SetCell(3, 0, "Carl", 0);
        t->SetRow(-1);
        std::vector<long> gemeldet;
        t->OnSelectCell = [&](TabelleModell&, long r) { gemeldet.push_back(r); };
        if (klick)
            QTest::mouseClick(t.get(), Qt::LeftButton, {}, mitte(*t, 0, 3));
        else
            QTest::keyClick(t.get(), 'C');
        EXPECT_EQ(t->GetRow(), 3) << klick;
        EXPECT_EQ(gemeldet, std::vector<long>{3}) << klick;
    }
}

// With more rows than fit, the last column reaches the vertical bar: as
// texts widen the columns, and (without AutoBreite) when the bar appears
// beside a filled last column.
TEST(TTabelle, TheLastColumnReachesTheVerticalBar) {
    for (const bool autoBreite : {true, false}) {
        TTabelle t;
        t.AutoBreite = autoBreite;
        t.resize(300, 200);
        t.show();
        t.SetTabelle(2, 3, 0);
        t.FEndUpdate(false);
        t.resize(320, 200);
        t.SetTabelle(40, 3, 0);
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 3; ++c) t.SetCell(r, c, "x" + std::to_string(c), 0);
        t.FEndUpdate(false);
        ASSERT_TRUE(t.vertikalerBalken()->isVisible());
        EXPECT_EQ(t.CellRect(2, 0).right + 1, t.vertikalerBalken()->x()) << autoBreite;
        EXPECT_FALSE(t.horizontalerBalken()->isVisible());
    }
}

// A drag with the left button held moves the row, one row further on each
// move past the bottom edge; each release reports the row once.
TEST(TTabelle, ADragMovesTheRowAndTheReleaseReportsIt) {
    auto t = tabelle(40, 2);
    std::vector<long> gemeldet;
    t->OnSelectCell = [&](TabelleModell&, long r) { gemeldet.push_back(r); };
    QTest::mousePress(t.get(), Qt::LeftButton, {}, mitte(*t, 0, 2));
    QTest::mouseMove(t.get(), mitte(*t, 0, 5));
    QTest::mouseRelease(t.get(), Qt::LeftButton, {}, mitte(*t, 0, 5));
    QTest::mousePress(t.get(), Qt::LeftButton, {}, mitte(*t, 0, 5));
    const int unten = t->clientHoehe() + 10;
    QTest::mouseMove(t.get(), {20, unten});
    const int erste = t->GetRow();
    QTest::mouseMove(t.get(), {21, unten});
    QTest::mouseRelease(t.get(), Qt::LeftButton, {}, {21, unten});
    EXPECT_GT(t->TopRow(), 1);
    EXPECT_EQ(gemeldet, (std::vector<long>{2, 5, 5, erste + 1}));
}

// Three rows a notch; a fine wheel's parts add up, and turning back starts
// a new notch.
TEST(TTabelle, TheWheelScrollsThreeRowsANotchAlsoInParts) {
    const std::pair<std::vector<int>, int> cases[] = {
        {{-120}, 4}, {{-15, -15, -15, -15, -15, -15, -15, -15}, 4}, {{-30}, 1}, {{-60, 120}, 1}};
    for (const auto& [deltas, top] : cases) {
        auto t = tabelle(40, 2);
        for (const int d : deltas) {
            QWheelEvent wheel({5, 40}, {5, 40}, {}, {0, d}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(t.get(), &wheel);
        }
        EXPECT_EQ(t->TopRow(), top) << deltas.size();
    }
}

TEST(TTabelle, NewRowLineIsRedAcrossAllColumns) {
    TTabelle t;
    t.resize(300, 200);
    t.show();
    t.FNeueZeile(true);
    t.NeueZeileText = "Neuer Eintrag .......................................";
    t.SetTabelle(3, 3, 0);
    t.SetCell(0, 0, "A", 0);
    t.FEndUpdate(false);
    t.SetRow(2);
    for (const int col : {0, 2}) EXPECT_GT(pixelZahl(t, t.CellRect(col, 1), ui::clRed), 0) << col;
    t.SetRow(1);
    EXPECT_EQ(pixelZahl(t, t.CellRect(0, 1), ui::clRed), 0);
    EXPECT_GT(pixelZahl(t, t.CellRect(0, 1), ui::clWhite), 0);
}

TEST(TTabelle, ChartDrawsProportionalBars) {
    auto t = tabelle(4, 3);
    t->SetCell(1, 1, "100", 0);
    t->SetCell(2, 1, "50", 0);
    t->SetCell(3, 1, "0", 0);
    t->FEndUpdate(false);
    t->SetRow(-1);
    t->Set_Grafik(true, 1);
    const int voll = pixelZahl(*t, t->CellRect(2, 1), ui::clSilver);
    const int halb = pixelZahl(*t, t->CellRect(2, 2), ui::clSilver);
    EXPECT_GT(voll, 0);
    EXPECT_NEAR(halb * 2, voll, voll / 10);
    EXPECT_EQ(pixelZahl(*t, t->CellRect(2, 3), ui::clSilver), 0);
}

// The bar column takes the control's width less the other columns and 25
// pixels, with the vertical bar shown or not, and ends left of the bar.
TEST(TTabelle, TheChartsBarColumnTakesTheControlsWidth) {
    for (const int rows : {4, 40}) {
        auto t = tabelle(rows, 3);
        t->SetCell(1, 1, "100", 0);
        t->FEndUpdate(false);
        t->Set_Grafik(true, 1);
        EXPECT_EQ(t->vertikalerBalken()->isVisible(), rows == 40);
        EXPECT_EQ(t->ColWidth(2), 300 - t->ColWidth(0) - t->ColWidth(1) - t->ColWidth(3) - 25)
            << rows;
        EXPECT_LE(t->CellRect(3, 1).right, t->clientBreite()) << rows;
    }
}

TEST(TTabelle, PrintsPagesWithFooters) {
    Drucker d;
    auto t = tabelle(120, 3);
    t->Print("Liste");
    ASSERT_EQ(d.rec->documents(), 1);
    const size_t seiten = d.rec->pages().size();
    ASSERT_GE(seiten, 2u);
    const std::string n = std::to_string(seiten);
    EXPECT_TRUE(enthaelt(d.texte(0), "Liste"));
    EXPECT_TRUE(enthaelt(d.texte(0), "Titel 2"));
    EXPECT_TRUE(enthaelt(d.texte(0), "1/0"));
    EXPECT_TRUE(enthaelt(d.texte(0), "Seite 1 von " + n + " Seiten"));
    EXPECT_TRUE(enthaelt(d.texte(seiten - 1), "119/2"));
    EXPECT_TRUE(enthaelt(d.texte(seiten - 1), "Seite " + n + " von " + n + " Seiten"));
    EXPECT_FALSE(d.rec->landscape());
}

TEST(TTabelle, TooWideTableIsNotPrinted) {
    Drucker d;
    platform::ScriptedMessages boxen;
    auto t = tabelle(3, 2);
    t->SetCell(1, 0, std::string(400, 'W'), 0);
    t->FEndUpdate(false);
    t->Print("Breit");
    EXPECT_EQ(d.rec->documents(), 0);
    ASSERT_EQ(boxen.count(), 1u);
    EXPECT_EQ(boxen.last().text,
              "Tabelle kann nicht gedruckt werden,\nda die Breite zu gro\xDF ist!");
    EXPECT_EQ(boxen.last().caption, "nicht m\xF6glich");
}

TEST(TTabelle, AFailedPrintNamesWhereItFailed) {
    Drucker d;
    platform::ScriptedMessages boxen;
    auto t = tabelle(3, 2);
    d.rec->failNextBegin();
    t->Print("a");
    d.rec->failNextEnd();
    t->Print("b");
    ASSERT_EQ(boxen.count(), 2u);
    EXPECT_EQ(boxen.shown()[0].text, "Der Drucker konnte nicht ge\xF6" "ffnet werden!");
    EXPECT_EQ(boxen.shown()[1].text, "Das Dokument konnte nicht fertig gedruckt werden!");
}

TEST(TTabelle, PrintsTheChartWithLabelLines) {
    Drucker d;
    auto t = tabelle(4, 4);
    t->Set_Grafik(true, 2);
    t->Print("Grafik");
    ASSERT_EQ(d.rec->pages().size(), 1u);
    const auto texte = d.texte(0);
    EXPECT_TRUE(enthaelt(texte, "Titel 2"));
    EXPECT_TRUE(enthaelt(texte, "Titel 1: 3/1"));
    EXPECT_TRUE(enthaelt(texte, "Titel 3: 3/3"));
    EXPECT_FALSE(enthaelt(texte, "Titel 1"));  // no title over the label columns
}

}  // namespace
}  // namespace table

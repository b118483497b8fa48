// The table control as a widget: its class name, the link to a search field
// in either order of destruction, painting into its image and its scroll bars.
#include "controls/icontab/icontab.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace table {
namespace {

// A table of rows x 3 columns "r/c" with one title row, in a 200 x 150 control.
std::unique_ptr<TIconTab> tabelle(int rows, QWidget* parent = nullptr) {
    auto t = std::make_unique<TIconTab>(parent);
    t->resize(200, 150);
    t->show();
    t->SetTabelle(static_cast<unsigned>(rows), 3, -1, 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 3; ++c) t->SetCell(r, c, std::to_string(r) + "/" + std::to_string(c));
    t->FEndUpdate(false);
    return t;
}

ui::TColor pixel(TIconTab& t, int x, int y) {
    return t.canvas().Pixel(x, y);
}

TEST(TIconTab, DateFieldsKnowTheirParentByClassName) {
    TIconTab t;
    EXPECT_TRUE(QByteArray(t.metaObject()->className()).endsWith("TIconTab"));
}

TEST(TIconTab, SearchFieldIsLinkedAndUnlinkedInEitherOrder) {
    for (const bool tabelleZuerst : {true, false}) {
        auto feld = std::make_unique<TSuchfeld>();
        auto t = std::make_unique<TIconTab>();
        t->SetSuchelement(feld.get());
        t->SetTabelle(3, 2, -1, 0);
        EXPECT_TRUE(feld->HatZiel());
        EXPECT_EQ(t->rahmenFarbe(), kSuchRahmen);  // the field said it attached
        t->SetCell(0, 1, "Ort");
        ASSERT_GE(feld->logik().spaltenNamen().size(), 2u);
        EXPECT_EQ(feld->logik().spaltenNamen()[1], "Ort");
        if (tabelleZuerst) {
            t.reset();
            EXPECT_FALSE(feld->HatZiel());
            feld.reset();
        } else {
            feld.reset();
            t->SetTabelle(3, 2, -1, 0);  // the field is gone: nothing to link
            t.reset();
        }
    }
}

TEST(TIconTab, PaintsFixedDataAndSelectedCells) {
    auto t = tabelle(5);
    t->SetColWidth(0, 60);
    t->SetRow(2);
    t->Paint();
    const ui::TColor rahmen = ui::toPlainColor(ui::clBtnFace);
    EXPECT_EQ(pixel(*t, 30, 5), rahmen);            // title row, inside its 3-D edge
    EXPECT_EQ(pixel(*t, 58, 18 + 1), ui::clWhite);  // data row 1
    EXPECT_EQ(pixel(*t, 59, 18 + 5), 0x808080u);    // grid line at the column edge
    ASSERT_FALSE(t->hasFocus());
    EXPECT_EQ(pixel(*t, 58, 36 + 1), 0xFFF6FFu);  // selected row without the focus
    EXPECT_EQ(pixel(*t, 150, 100), ui::clWhite);
}

// Switching sorting on and choosing the sort column both show the marker.
TEST(TIconTab, TheSortMarkerShowsInTheLastTitleRowAtOnce) {
    TIconTab t;
    t.resize(200, 150);
    t.show();
    t.StdFixedRows = 2;
    t.SetTabelle(5, 3, -1, 0);
    t.FEndUpdate(false);
    for (const int schritt : {0, 1}) {
        if (schritt == 0)
            t.SetOrder(true);
        else
            t.WSort_Spalte(2);
        const QImage gezeigt = t.canvas().image()->copy();
        t.Paint();
        EXPECT_EQ(gezeigt, *t.canvas().image()) << schritt;
    }
}

TEST(TIconTab, ScrollBarsFollowTheLayout) {
    auto t = tabelle(100);
    QScrollBar* v = t->vertikalerBalken();
    EXPECT_FALSE(v->isHidden());
    EXPECT_TRUE(t->horizontalerBalken()->isHidden());
    EXPECT_EQ(v->maximum(), t->maxTopRow());
    EXPECT_EQ(t->clientBreite(), 200 - v->width());
    for (int i = 0; i < 50; ++i) v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(t->topRow(), t->maxTopRow());
    EXPECT_EQ(v->value(), t->maxTopRow());
    v->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(t->topRow(), t->maxTopRow() - 1);
    t->resize(200, 2000);  // everything fits: the bar goes
    EXPECT_TRUE(v->isHidden());
    EXPECT_EQ(t->topRow(), 0);
}

TEST(TIconTab, SelectedRowScrollsIntoView) {
    auto t = tabelle(100);
    const int sichtbar = [&] {
        const TabBild b = t->bild();
        return static_cast<int>(b.tabellen.front().zeilen.size()) -
               2;  // less the head and a cut row
    }();
    // clang-format off
    const std::pair<int, int> faelle[] = {  // row -> first data row shown
        {5, 1}, {60, 60 - sichtbar + 1}, {99, 99 - sichtbar + 1}, {10, 10}, {1, 1},
    };
    // clang-format on
    for (const auto& [row, erste] : faelle) {
        t->SetRow(row);
        EXPECT_EQ(t->bild().tabellen.front().ersteDatenZeile, erste) << row;
        EXPECT_EQ(t->vertikalerBalken()->value(), t->topRow());
    }
}

// What the screen was given: the areas of the paint events.
struct PaintSpy : QObject {
    QRegion region;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// A step repaints only the rows it changed and moves the rest when it
// scrolls: after every key the image is what a whole paint draws, and every
// device pixel a step without a scroll changed was painted to the screen.
TEST(TIconTab, StepsDrawWhatAWholePaintDraws) {
    auto t = tabelle(40);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.get()));
    t->setFocus();
    t->SetRow(1);
    PaintSpy spy;
    t->installEventFilter(&spy);
    const QImage& bild = t->backingImage();
    const qreal dpr = bild.devicePixelRatio();
    auto ungezeigt = [&](const QImage& vorher) {
        QRegion gezeigt;  // in device pixels, scaled as the window system scales it
        for (const QRect& r : spy.region) gezeigt += QRect(r.topLeft() * dpr, r.size() * dpr);
        // Under the scroll bar the screen shows the bar.
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < static_cast<int>(t->clientBreite() * dpr); ++x)
                if (vorher.pixel(x, y) != bild.pixel(x, y) && !gezeigt.contains(QPoint(x, y)))
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    const std::pair<int, int> schritte[] = {
        {Qt::Key_Down, 20}, {Qt::Key_Up, 25}, {Qt::Key_PageDown, 2}, {Qt::Key_Down, 3}};
    for (const auto& [taste, mal] : schritte) {
        for (int i = 0; i < mal; ++i) {
            QCoreApplication::processEvents();
            const QImage vorher = bild.copy();
            spy.region = {};
            const int oben = t->topRow();
            QTest::keyClick(t.get(), static_cast<Qt::Key>(taste));
            QCoreApplication::processEvents();
            // A scroll moves the screen's pixels without a paint event.
            if (t->topRow() == oben) {
                ASSERT_EQ(ungezeigt(vorher), QPoint(-1, -1)) << taste << " step " << i;
            }
            const QImage gezeigt = bild.copy();
            t->Paint();
            ASSERT_TRUE(gezeigt == bild) << taste << " step " << i << " row " << t->GetRow();
        }
    }
    EXPECT_GT(t->topRow(), 0);
}

TEST(TIconTab, MissingDataColumnsAreFetchedBeforePainting) {
    TIconTab t;
    t.resize(200, 100);
    t.DatenCols = 0x2;  // column 1 comes later
    std::vector<int> geholt;
    t.OnGetDaten = [&geholt](IconTabModell&, int row, std::vector<std::string>& s, std::uint32_t,
                             int) {
        geholt.push_back(row);
        s[1] = "spaet " + std::to_string(row);
    };
    t.SetTabelle(50, 2, -1, 0);
    for (unsigned r = 0; r < 50; ++r) t.SetCell(r, 0, std::to_string(r));
    t.FEndUpdate(false);
    ASSERT_FALSE(geholt.empty());
    EXPECT_LT(geholt.size(), 10u);  // only what is on screen
    EXPECT_EQ(t.aktuelleTabelle()->zelle(geholt.back(), 1),
              "spaet " + std::to_string(geholt.back()));
    EXPECT_EQ(t.GetDatenCols(geholt.back()), 0u);
    EXPECT_NE(t.GetDatenCols(40), 0u);
}

TEST(TIconTab, BitmapViewWithoutPictureSaysSo) {
    auto t = tabelle(3);
    std::vector<std::string> texte;
    t->canvas().onText = [&texte](int, int, const std::string& s) { texte.push_back(s); };
    t->SetA_Format(A_Bitmap);
    EXPECT_EQ(texte, std::vector<std::string>{"Kein Bild"});
}

}  // namespace
}  // namespace table

// The caption bar with its date fields, the new-record line and the status
// symbols on an offscreen control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <tuple>

#include "controls/calendar/zeit.h"
#include "controls/icontab/icontab.h"

namespace table {
namespace {

using std::tuple;

ui::TColor pixel(TIconTab& t, int x, int y) {
    return t.canvas().Pixel(x, y);
}

int captionHoehe(const TIconTab& t) {
    return t.bild().masse.captionHoehe;
}

TEST(CaptionBar, HeightFollowsCaptionAndRange) {
    TIconTab t;
    t.resize(400, 200);
    t.SetTabelle(3, 2, -1, 0);
    t.FEndUpdate(false);
    EXPECT_EQ(captionHoehe(t), 0);
    t.SetBereich(zaVonBis);
    ASSERT_NE(t.vonFeld(), nullptr);
    ASSERT_NE(t.bisFeld(), nullptr);
    EXPECT_EQ(captionHoehe(t), t.bisFeld()->height() + 1);  // empty caption: the fields keep a bar
    EXPECT_EQ(t.bisFeld()->Kombi(), t.vonFeld());
    EXPECT_EQ(t.vonFeld()->Kombi(), t.bisFeld());
    EXPECT_TRUE(t.vonFeld()->model().Von);
    // "Vom" left of "Bis", 5 pixels between, the pair at the right edge.
    EXPECT_EQ(t.bisFeld()->x() + t.bisFeld()->width(), t.clientBreite());
    EXPECT_EQ(t.vonFeld()->x() + t.vonFeld()->width() + 5, t.bisFeld()->x());

    const int bisBreite = t.bisFeld()->layout().captionWidth;
    t.SetBereich(zaAm);
    EXPECT_TRUE(t.vonFeld()->isHidden());
    EXPECT_FALSE(t.bisFeld()->isHidden());
    EXPECT_LT(t.bisFeld()->layout().captionWidth, bisBreite);  // "Am" is narrower than "Bis"

    t.SetBereich(zaKein);
    EXPECT_EQ(captionHoehe(t), 0);
    t.SetCaption("Benutzer");
    EXPECT_GT(captionHoehe(t), 5);
    t.SetTitelColor(0x00FFFF);
    t.Paint();
    EXPECT_EQ(pixel(t, 200, 3), 0x00FFFFu);  // the bar in the title colour
    EXPECT_EQ(t.bild().tabellen.front().top, captionHoehe(t));
    t.SetCaption("");
    EXPECT_EQ(captionHoehe(t), 0);
}

TEST(CaptionBar, RangeChangeDropsOnlyTheSecondTime) {
    TIconTab t;
    t.SetBereich(zaVonBis);
    std::vector<std::pair<double, double>> gemeldet;
    t.BereichChange = [&](IconTabModell& sender, platform::DateTime von, platform::DateTime bis) {
        EXPECT_EQ(&sender, static_cast<IconTabModell*>(&t));
        gemeldet.emplace_back(von, bis);
    };
    t.vonFeld()->SetStyle(calendar::TZeitStyle::zaBeides);
    t.bisFeld()->SetStyle(calendar::TZeitStyle::zaBeides);
    const platform::DateTime von = platform::encodeDate(2026, 3, 1) + platform::encodeTime(8, 30);
    const platform::DateTime bis = platform::encodeDate(2026, 3, 31) + platform::encodeTime(17, 0);
    t.vonFeld()->SetValue(von);
    t.bisFeld()->SetValue(bis);
    t.ZeitEvent();
    ASSERT_FALSE(gemeldet.empty());
    EXPECT_DOUBLE_EQ(gemeldet.back().first, von);
    EXPECT_DOUBLE_EQ(gemeldet.back().second, platform::encodeDate(2026, 3, 31));
    t.SetCaption("Liste");
    EXPECT_EQ(t.druckTitel(), "Liste vom 01.03.2026 bis 31.03.2026");
}

TEST(NeueZeile, LineBelowTheHeadChosenWhileNothingIsSelected) {
    TIconTab t;
    t.resize(300, 200);
    t.SetTabelle(3, 2, -1, 0);
    t.SetCell(1, 0, "a");
    t.FEndUpdate(false);
    t.SetStrNeu("Neuer Eintrag");
    ASSERT_TRUE(t.neueZeileAn());
    const TabBild b = t.bild();
    const ZeilenPlatz& z = b.tabellen.front().zeilen[1];
    ASSERT_EQ(z.row, kNeueZeile);
    EXPECT_EQ(z.bottom - z.top, t.neueZeileHoehe());
    t.SetRow(-1);
    t.Paint();
    EXPECT_EQ(pixel(t, 250, z.top + 3), 0xFAFAD2u);  // chosen, without the focus
    t.SetRow(1);
    t.Paint();
    EXPECT_EQ(pixel(t, 250, z.top + 3), ui::clWhite);
    t.SetStrNeu("");
    EXPECT_FALSE(t.neueZeileAn());
}

// Up from the first data row chooses the line, Down leaves it.
TEST(NeueZeile, UpAndDownRepaintTheLine) {
    QWidget top;
    auto* t = new TIconTab(&top);
    t->setGeometry(0, 0, 300, 200);
    t->SetTabelle(4, 2, -1, 0);
    t->FEndUpdate(false);
    t->SetStrNeu("Neuer Eintrag");
    top.show();
    QApplication::setActiveWindow(&top);
    t->setFocus();
    t->SetRow(1);
    const TabellenPlatz p = t->bild().tabellen.front();
    ASSERT_EQ(tuple(p.zeilen[1].row, p.zeilen[2].row), tuple(kNeueZeile, 1));
    const int x = p.spalten.at(1).left + 3;  // not the current column, which is lightened
    // The key, then the colours of the line and of row 1.
    const std::tuple<Qt::Key, ui::TColor, ui::TColor> faelle[] = {
        {Qt::Key_Up, 0xF27AECu, ui::clWhite},
        {Qt::Key_Down, ui::clWhite, ui::toPlainColor(ui::clHighlight)}};
    for (const auto& [taste, linie, zeile] : faelle) {
        QTest::keyClick(t, taste);
        EXPECT_EQ(tuple(pixel(*t, 250, p.zeilen[1].top + 3), pixel(*t, x, p.zeilen[2].top + 3)),
                  tuple(linie, zeile));
    }
}

// A strip of 16 frames x 2 symbols: symbol 0 is a red square in every frame.
std::unique_ptr<ui::Bitmap> streifen() {
    auto b = std::make_unique<ui::Bitmap>(16 * 32, 2 * 23);
    QImage bild(16 * 32, 2 * 23, QImage::Format_RGB32);
    bild.fill(Qt::white);
    for (int f = 0; f < 16; ++f)
        for (int y = 4; y < 19; ++y)
            for (int x = 8; x < 24; ++x) bild.setPixel(f * 32 + x, y, qRgb(255, 0, 0));
    b->assign(bild);
    return b;
}

TEST(StatusSymbole, SelectedTileAnimatesUntilNothingIsLeft) {
    TIconTab t;
    t.resize(400, 300);
    t.show();
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    t.SetIcons({icon});
    t.StdStatus = true;
    t.SetSymbole(streifen());
    t.AutoSelect = true;
    t.SetTabelle(4, 1, -1, 0);
    for (unsigned r = 1; r < 4; ++r) {
        t.SetCell(r, 0, "Kachel " + std::to_string(r), 0, 0);
    }
    t.FEndUpdate(false);
    t.SetA_Format(A_Icon);
    t.SetRowStatus(1, 0);
    t.Paint();
    ASSERT_TRUE(t.statusTimerLaeuft());
    // The still frame sits centred on the icon of tile 0.
    const TabBild b = t.bild();
    KachelMasse k;
    k.top = b.tabellen.front().top;
    k.iconBreite = k.iconHoehe = 32;
    k.hAbstand = t.Horizontalabstand();
    k.vAbstand = t.Vertikalabstand();
    const Rect r = kachelIcon(0, k);
    EXPECT_EQ(pixel(t, r.left + 16, r.top + 16), ui::clRed);
    EXPECT_EQ(pixel(t, r.left + 1, r.top + 1), ui::clBlue);  // white around the symbol is clear
    const int frame = t.statusFrame();
    t.onTime();
    EXPECT_EQ(t.statusFrame(), (frame + 1) % 16);
    EXPECT_TRUE(t.statusTimerLaeuft());
    t.SetRowStatus(1, -1);  // no symbol: the next tick stops the timer
    t.onTime();
    EXPECT_FALSE(t.statusTimerLaeuft());
}

}  // namespace
}  // namespace table

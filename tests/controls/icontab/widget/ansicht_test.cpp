// The table control's other views painted into its image: bar and column
// charts, the icon list, tiles with the detail pane, a picture and a
// drawing, and the drawing and the chart on the recording printer. With
// KLB_SCREENSHOTS set to a folder each view is saved there as a PNG.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include <QDir>
#include <QPainter>
#include <QTest>
#include <cstdlib>
#include <set>

#include "controls/icontab/icontab.h"
#include "controls/icontab/model/grafik_bild.h"
#include "platform/core/message_box.h"
#include "platform/ui/printing/recording_printer.h"

namespace table {
namespace {

using std::tuple;

void bild(TIconTab& t, const char* name) {
    if (const char* dir = std::getenv("KLB_SCREENSHOTS"))
        t.canvas().image()->save(QDir(dir).filePath(QString(name) + ".png"));
}

// Name, value, place; the values in hundredths are r x 1000.
void fuellen(TIconTab& t, int rows, int cols) {
    t.SetTabelle(static_cast<unsigned>(rows), static_cast<unsigned>(cols), -1, 0);
    const char* titel[] = {"Name", "Stunden", "Ort", "Bereich"};
    for (int c = 0; c < cols; ++c) t.SetCell(0, static_cast<unsigned>(c), titel[c]);
    for (int r = 1; r < rows; ++r) {
        t.SetCell(static_cast<unsigned>(r), 0, "Mitarbeiter " + std::to_string(r));
        t.SetCell(static_cast<unsigned>(r), 1, std::to_string(r * 10) + ",00");
        for (int c = 2; c < cols; ++c)
            t.SetCell(static_cast<unsigned>(r), static_cast<unsigned>(c),
                      std::string(titel[c]) + " " + std::to_string(r));
    }
    t.FEndUpdate(false);
}

int farbig(TIconTab& t, ui::TColor farbe, const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += t.canvas().Pixel(x, y) == farbe;
    return n;
}

// A 300 x 200 control in the picture view over one record, and a red
// picture of w x h to put in.
QImage bildAnsicht(TIconTab& t, int w, int h) {
    t.resize(300, 200);
    t.show();
    fuellen(t, 2, 2);
    t.SetA_Format(A_Bitmap);
    QImage rot(w, h, QImage::Format_RGB32);
    rot.fill(Qt::red);
    return rot;
}

std::vector<QImage> icons() {
    QImage i(32, 32, QImage::Format_RGB32);
    i.fill(QColor(0, 160, 0));
    return {i};
}

TEST(Ansicht, BarAndColumnCharts) {
    TIconTab t;
    t.resize(420, 260);
    t.show();
    fuellen(t, 6, 4);
    t.Set_Grafik(true, 1, 0, -1);
    t.Paint();
    bild(t, "balken");
    EXPECT_GT(farbig(t, 0xFF0000, {0, 0, 420, 260}), 500);          // the blue fronts
    EXPECT_GT(farbig(t, dunkler(0xFF0000), {0, 0, 420, 260}), 20);  // their sides

    fuellen(t, 6, 2);  // two columns: one column per row
    t.Set_Grafik(true, 1, 0, -1);
    ASSERT_TRUE(t.aktuelleTabelle()->SpaltenGrafik);
    t.Paint();
    bild(t, "saeulen");
    EXPECT_GT(farbig(t, 0xFF0000, {0, 0, 420, 260}), 500);
    t.Set_Grafik(false, -1, 0, -1);
    t.Paint();
    EXPECT_EQ(farbig(t, 0xFF0000, {0, 0, 420, 260}), 0);
}

TEST(Ansicht, IconListAndTilesWithTheirPane) {
    TIconTab t;
    t.resize(420, 260);
    t.show();
    t.SetIcons(icons());
    fuellen(t, 5, 4);
    for (int r = 1; r < 5; ++r) t.SetRowIcon(r, 0);
    t.SetRow(2);
    t.SetA_Format(A_IconList);
    t.Paint();
    bild(t, "iconliste");
    const int lh = t.liste().zeilenHoehe;
    EXPECT_EQ(t.canvas().Pixel(2 + 16, lh + 5 + 16), 0x00A000u);  // the second entry's icon

    t.SetDetail(true);
    t.SetA_Format(A_Icon);
    t.Paint();
    bild(t, "kacheln");
    ASSERT_GT(t.pane().rect.right, 0);
    EXPECT_EQ(t.canvas().Pixel(t.pane().rect.left + 2, t.pane().rect.top + 2),
              ui::toPlainColor(ui::clInfoBk));
}

TEST(Ansicht, PictureAndDrawing) {
    platform::ScriptedMessages boxen;
    TIconTab t;
    const QImage rot = bildAnsicht(t, 60, 40);
    t.SetBild(rot);
    t.Paint();
    EXPECT_EQ(t.canvas().Pixel(150, 100), 0x0000FFu);  // fitted into the window
    t.bitmapZoom(true);
    EXPECT_GT(t.maxLeftCol(), 0);  // larger than the window: it scrolls
    QMouseEvent ueber(QEvent::MouseMove, QPointF(150, 100), QPointF(t.mapToGlobal(QPoint(150, 100))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&t, &ueber);  // the picture's own pointer, and it follows the mouse
    EXPECT_EQ(tuple(t.cursor().shape(), t.toolTip()), tuple(Qt::SizeAllCursor, QString()));
    EXPECT_EQ(t.Hint(), "1 Datensatz in der Tabelle");  // kept for after the picture

    t.SetA_Format(A_Vektor);
    EXPECT_EQ(t.toolTip(), QString("1 Datensatz in der Tabelle"));
    std::string s;
    auto u32 = [&s](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
    };
    struct O {
        std::uint8_t art;
        int p[8];
        int id;
        std::uint32_t farbe;
        int wert;
    } objs[] = {
        {1, {0, 0, 200, 150}, 1, 0x0000FF, 0},
        {2, {20, 100, 60, 100, 60, 140, 20, 140}, 2, 0x00A000, 8},
        {4, {120, 20, 180, 60}, 3, 0xC06000, 6},
        {5, {100, 110, 200, 140}, 1, 0x000000, 0},
    };
    u32(4);
    u32(0);
    u32(0);
    for (std::uint32_t i = 0; i < 4; ++i) {
        for (const int v : objs[i].p) u32(static_cast<std::uint32_t>(v));
        for (const int v : {0, 0, 0, objs[i].id}) u32(static_cast<std::uint32_t>(v));
        u32(objs[i].farbe);
        u32(static_cast<std::uint32_t>(objs[i].wert));
        s += std::string{static_cast<char>(objs[i].art), 0, 0, 0};
        u32(i);
    }
    s += std::string("Gesamtplan\r\nLeitung\r\nBlock\r\nScheibe", 36);
    t.SetVektor(s.data(), static_cast<unsigned>(s.size()));
    EXPECT_EQ(boxen.count(), 0u);
    t.Paint();
    bild(t, "vektor");
    EXPECT_GT(farbig(t, 0x00A000, {0, 0, 300, 200}), 100);  // the green block's front
    // Over the line: it and the label of the same id are marked.
    const VektorForm& linie = t.bildAnzeige()->bild.formen[0];
    const int mx = (linie.p[0].x + linie.p[1].x) / 2, my = (linie.p[0].y + linie.p[1].y) / 2;
    QMouseEvent move(QEvent::MouseMove, QPointF(mx, my), QPointF(t.mapToGlobal(QPoint(mx, my))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&t, &move);  // the pointer, not a call: the control must listen
    EXPECT_EQ(t.Hint(), "Leitung");
    EXPECT_EQ(t.bildAnzeige()->vektor.marker, (std::vector<std::uint8_t>{1, 0, 0, 1}));
    t.Paint();
    bild(t, "vektor_markiert");
    EXPECT_EQ(t.canvas().Pixel(mx, my), ui::toPlainColor(ui::clHighlight));
}

// Put in through SetBild or loaded into the DatenBild getter's bitmap: the
// same fit, and zoomed in by a click it scrolls.
TEST(Ansicht, APictureLoadedThroughDatenBildIsFittedAndScrolls) {
    double zoom[2] = {};
    for (const bool setter : {true, false}) {
        TIconTab t;
        const QImage rot = bildAnsicht(t, 900, 600);
        setter ? t.SetBild(rot) : (t.GetBild()->assign(rot), t.Paint());
        zoom[setter] = t.bildAnzeige()->zoom;
        EXPECT_EQ(t.canvas().Pixel(150, 100), 0x0000FFu) << setter;
        QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(150, 100));
        t.Ver_Change(SB_LINEDOWN, 0);
        EXPECT_EQ(t.topRow(), 1) << setter;
    }
    EXPECT_NEAR(zoom[0], 1.0 / 3, 0.02);
    EXPECT_DOUBLE_EQ(zoom[0], zoom[1]);
}

// Columns 0 (the label) and 1 come through OnGetDaten: the tiles whose mask
// has bit 0 and the selected one (shown in the pane) are completed.
TEST(Ansicht, LazyTilesFetchTheirLabelsAndTheSelectedRow) {
    TIconTab t;
    t.resize(420, 260);
    t.SetIcons(icons());
    std::set<int> geholt;
    t.OnGetDaten = [&](IconTabModell&, int row, std::vector<std::string>& s, std::uint32_t, int) {
        geholt.insert(row);
        s = {"Kachel " + std::to_string(row), "Ort " + std::to_string(row)};
    };
    t.DatenCols = 0x3;
    t.SetTabelle(7, 2, -1, 0);  // six tiles
    t.SetA_Format(A_Icon);
    t.SetDetail(true);
    t.SetDatenCols(0, 0);
    for (int r = 4; r < 7; ++r) t.SetDatenCols(r, 0x2);  // only the value missing
    t.SetRow(5);
    std::set<std::string> texte;
    t.canvas().onText = [&texte](int, int, const std::string& s) { texte.insert(s); };
    t.FEndUpdate(false);
    EXPECT_EQ(geholt, (std::set<int>{1, 2, 3, 5}));
    EXPECT_EQ(t.GetTabelle(0, false)->zelle(3, 0), "Kachel 3");
    EXPECT_EQ(tuple(texte.count("Ort 5"), texte.count("Keine Angaben")), tuple(1u, 0u));
}

class AnsichtDruck : public ::testing::Test {
protected:
    bool gedruckt(const ui::RecordedPage& p, const std::string& text) {
        for (const ui::RecordedText& r : p.texts)
            if (r.text == text) return true;
        return false;
    }
    ui::ScopedRecordingPrinter drucker;
    platform::ScriptedMessages boxen;
};

TEST_F(AnsichtDruck, ChartRowsAndTheDrawingPage) {
    TIconTab t;
    t.resize(400, 300);
    fuellen(t, 4, 3);
    t.Set_Grafik(true, 1, 0, -1);
    t.SetTabelle(2, 1, -1, 1);
    t.SetA_Format(A_Vektor);
    std::string s(12, '\0');
    s[0] = 1;
    const int linie[] = {0, 0, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0x000000FF, 0};
    for (const int v : linie)
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
    s += std::string{1, 0, 0, 0, 0, 0, 0, 0};
    t.SetVektor(s.data(), static_cast<unsigned>(s.size()));
    t.Print("Plan");
    const auto& seiten = drucker->pages();
    ASSERT_EQ(seiten.size(), 2u);
    EXPECT_TRUE(gedruckt(seiten[0], "Ort: Ort 2"));
    EXPECT_TRUE(gedruckt(seiten[0], "20,00"));
    EXPECT_TRUE(gedruckt(seiten[0], "Seite 1 von 2 Seiten"));
    EXPECT_TRUE(gedruckt(seiten[1], "Plan"));
    const QImage& bild = seiten[1].image;
    if (const char* dir = std::getenv("KLB_SCREENSHOTS")) {
        bild.save(QDir(dir).filePath("druck_vektor.png"));
        seiten[0].image.save(QDir(dir).filePath("druck_grafik.png"));
    }
    int rot = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            const QColor c = bild.pixelColor(x, y);
            rot += c.red() > 200 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(rot, 100);  // the line across the page
    int grau = 0;
    const QImage& tabelle = seiten[0].image;
    for (int y = 0; y < tabelle.height(); ++y)
        for (int x = 0; x < tabelle.width(); ++x)
            grau += tabelle.pixelColor(x, y) == QColor(0xC0, 0xC0, 0xC0);
    EXPECT_GT(grau, 100);  // the grey bars
}

}  // namespace
}  // namespace table

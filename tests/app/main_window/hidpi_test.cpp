// The self-drawn parts of the windows on a screen of device pixel ratio 2
// (run by the "hidpi" CTest entry with QT_SCALE_FACTOR=2; skipped otherwise):
// twice the pixels, and text drawn with them instead of enlarged.
#include <QGuiApplication>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/segment_clock.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/windows/control.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

// Units of the control whose four device pixels are not all alike.
int splitUnits(const QImage& img) {
    int n = 0;
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb a = img.pixel(x, y);
            n += a != img.pixel(x + 1, y) || a != img.pixel(x, y + 1) ||
                 a != img.pixel(x + 1, y + 1);
        }
    return n;
}

class HiDpiTest : public WindowTest {
protected:
    void SetUp() override {
        if (qGuiApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
        WindowTest::SetUp();
    }
};

TEST_F(HiDpiTest, SelfDrawnControlsHaveTwiceThePixelsAndSharpText) {
    createWindow();
    form->show();
    form->FormPaint(true);
    int checked = 0;
    for (const QWidget* w : form->findChildren<QWidget*>()) {
        const auto* c = dynamic_cast<const ui::Control*>(w);  // no meta-object of its own
        if (c == nullptr || !c->isVisible()) continue;
        ++checked;
        const QImage& img = c->backingImage();
        EXPECT_EQ(std::tuple(img.devicePixelRatio(), img.size()), std::tuple(2.0, c->size() * 2))
            << c->metaObject()->className();
    }
    EXPECT_GE(checked, 3);  // sheet, header, calendar
    // The sheet's header and totals and the calendar's numbers are text:
    // an enlarged 1x image would consist of 2 x 2 blocks only.
    EXPECT_GT(splitUnits(form->canvasControl().backingImage()), 300);
    EXPECT_GT(splitUnits(form->MonthCalendar1->ZF->backingImage()), 100);
    // The about box's clock keeps its segment layout in units.
    app::TAboutBox box(form.get());
    const QImage& uhr = box.ProgramIcon->backingImage();
    ASSERT_EQ(uhr.size(), box.ProgramIcon->size() * 2);
    const ui::Rect a = app::segmentRect(0, 0);
    const QRgb segment = uhr.pixel(2 * a.left + 1, 2 * a.top + 1);
    EXPECT_TRUE(segment == ui::toQColor(app::kSegmentAn).rgb() ||
                segment == ui::toQColor(app::kSegmentAus).rgb());
}

}  // namespace
}  // namespace app_test

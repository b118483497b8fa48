#include "app/dialogs/about_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_runner.h"
#include "app/main_window/main_window.h"
#include "app/dialogs/segment_clock.h"

namespace app {
namespace {

constexpr int kBildBreite = 100;
constexpr int kBildHoehe = 80;

// The program's picture: a sheet of lines and the clock's display.
void drawProgramPicture(ui::Canvas& c) {
    c.brush = {ui::clBtnFace, ui::BrushStyle::Solid};
    c.FillRect({0, 0, kBildBreite, kBildHoehe});
    c.pen = {ui::clBlack, 1, ui::PenStyle::Solid};
    c.brush = {ui::clWhite, ui::BrushStyle::Solid};
    c.Rectangle(4, 6, 34, 74);
    c.pen.color = ui::clBlue;
    for (int y = 14; y < 70; y += 6) {
        c.MoveTo(8, y);
        c.LineTo(30, y);
    }
    c.pen.color = ui::clBlack;
    c.brush = {kAnzeigeGrund, ui::BrushStyle::Solid};
    c.Rectangle(38, 38, 98, 66);
}

}  // namespace

bool& TAboutBox::doppelpunktPhase() {
    static bool phase = false;
    return phase;
}

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Info"));
    auto* top = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* ph = new QHBoxLayout(panel);
    ProgramIcon = new ui::Control(panel);
    ProgramIcon->setFixedSize(kBildBreite, kBildHoehe);
    sizeNow(*ProgramIcon);  // the clock is drawn before the box shows
    ph->addWidget(ProgramIcon);
    auto* name = new QLabel(QStringLiteral("Kronlaufbuch"), panel);
    QFont f = name->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    name->setFont(f);
    ph->addWidget(name);
    top->addWidget(panel);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    top->addWidget(OKButton, 0, Qt::AlignHCenter);
    connect(OKButton, &QPushButton::clicked, this, [this] { done(1); });

    // The timer runs only while the box is shown.
    Timer1.setEnabled(false);
    Timer1.setInterval(500);
    Timer1.onTimer = [this](ui::Timer&) { Timer1Timer(); };

    drawProgramPicture(ProgramIcon->canvas());
    drawClockParts(uhr_);
    zeit_ = platform::now();
    Uhr_zeichnen();

    fixDialogFrame(*this);
    centreOn(*this, owner);
}

void TAboutBox::Uhr_zeichnen() {
    const platform::TimeOfDay t = platform::decodeTime(zeit_);
    drawClockDigits(ProgramIcon->canvas(), uhr_, t.hour, t.minute);
    ProgramIcon->Invalidate();
}

void TAboutBox::Timer1Timer() {
    zeit_ = platform::now();
    Uhr_zeichnen();
    bool& phase = doppelpunktPhase();
    drawColon(ProgramIcon->canvas(), uhr_, phase);
    phase = !phase;
}

void TAboutBox::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Timer1.setEnabled(true);
}

void TAboutBox::hideEvent(QHideEvent* e) {
    Timer1.setEnabled(false);
    QDialog::hideEvent(e);
}

void Info1Click(TForm1& form) {
    TAboutBox box(&form);
    runModal(box);
}

}  // namespace app

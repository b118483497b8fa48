// The about box `TAboutBox` ("Info"): the program's picture with a small
// seven-segment clock that shows the time and blinks its colon.
#pragma once

#include <QDialog>

#include "platform/core/date.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/timer.h"

class QPushButton;

namespace app {

class TForm1;

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* owner);

    // Every 500 ms: the time, then the colon lit or unlit by turns.
    void Timer1Timer();
    void Uhr_zeichnen();

    ui::Control* ProgramIcon = nullptr;  // 100 x 80, the clock is drawn on it
    QPushButton* OKButton = nullptr;
    ui::Timer Timer1;

    // The colon's phase, shared by every about box of the run.
    static bool& doppelpunktPhase();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    ui::Bitmap uhr_;
    platform::DateTime zeit_ = 0;
};

// The main window's "Info" command.
void Info1Click(TForm1& form);

}  // namespace app

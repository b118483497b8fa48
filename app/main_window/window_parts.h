// Parts of the main window that are plain controls: the form's own canvas
// (the client area the sheet is drawn on), the column header and the status
// bar with its three panels.
#pragma once

#include <QSpinBox>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "platform/ui/input/wheel_steps.h"
#include "platform/ui/windows/control.h"

class QLabel;

namespace app {

class TForm1;

// The client area: the sheet and the summary panel are drawn on its backing
// image; the other components lie over it.
class FormCanvas : public ui::Control {
public:
    FormCanvas(TForm1& form, QWidget* parent);

protected:
    void Resized(int width, int height) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void MouseMove(int shift, int x, int y) override;
    void MouseDown(ui::MouseButton button, int shift, int x, int y) override;
    void MouseUp(ui::MouseButton button, int shift, int x, int y) override;
    void DblClick(ui::MouseButton button, int shift, int x, int y) override;
    // Keys go to the window's handlers as virtual keys and Windows-1252
    // characters; a character without such a byte beeps in text mode.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void taste(QKeyEvent* e);
    TForm1& form_;
    ui::WheelSteps rad_{ui::kWheelNotch};  // one line a notch
};

// `HeaderControl1`: eleven fixed sections, disabled (captions greyed).
class HeaderControl : public ui::Control {
public:
    explicit HeaderControl(QWidget* parent);
    void setCaption(int section, const std::string& caption);  // Windows-1252
    const std::string& caption(int section) const { return captions_.at(section); }
    void redraw();

protected:
    void Resized(int, int) override { redraw(); }

private:
    std::array<std::string, 11> captions_;
};

// `Anzeige_Jahr` with its up-down `UpDown1`: the field takes any four digits
// (the window judges a typed year), the up-down steps within 1900..9999.
class YearField : public QSpinBox {
public:
    explicit YearField(QWidget* parent);
    // `UpDown1.Position`: the year the up-down holds.
    int position() const { return position_; }
    void setPosition(int year);
    void stepBy(int steps) override;
    std::function<void()> onStep;       // after each step of the up-down
    std::function<void(int)> onKeyUp;   // a key released in the field, as a virtual key

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int position_ = 1900;
};

// `StatusBar1`: panel 0 hints and status texts, 1 the typing mode, 2 the clock.
class StatusBar : public QWidget {
public:
    explicit StatusBar(QWidget* parent);
    void setPanelText(int panel, const std::string& text);  // Windows-1252
    std::string panelText(int panel) const;

private:
    std::array<QLabel*, 3> panels_{};
};

}  // namespace app

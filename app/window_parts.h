// Parts of the main window that are plain controls: the form's own canvas
// (the client area the sheet is drawn on), the column header and the status
// bar with its three panels.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "platform/ui/control.h"

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

private:
    TForm1& form_;
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

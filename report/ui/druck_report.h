// The report control `TDruckReport`: a parsed report shown as a scaled page
// preview with page buttons and a scroll bar, and printed on the printer.
#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ui/input/wheel_steps.h"
#include "platform/ui/windows/control.h"
#include "report/preview_geometry.h"
#include "report/report.h"

class QScrollBar;

namespace report {

class TDruckReport : public ui::Control {
public:
    explicit TDruckReport(QWidget* parent = nullptr);
    ~TDruckReport() override;

    // The engine: tables, events and the parsed objects.
    Report& report() { return report_; }
    const Report& report() const { return report_; }

    // Parses the text and shows its first page from the top.
    bool SetReportdaten(std::string_view text);
    // Prints on the process-wide printer; raises OnDruck after the job.
    void Drucken(const std::string& title, int copies);
    std::function<void(TDruckReport&)> OnDruck;

    int Konstrukt() const { return report_.Konstrukt; }
    void SetKonstrukt(int value);

    void SetGroesse();
    // Draws the preview into the backing image (pages first when needed).
    void Paint();

    // ---- State the tests and the host read ----------------------------------
    int seite() const { return seite_; }  // page shown, 0-based
    int seitenAnzahl() const;            // pages the preview can show
    bool knopfLeiste() const { return knopfLeiste_; }
    int scrollPosition() const { return scrollPos_; }
    const VorschauGeometrie& geometrie() const { return geo_; }
    QScrollBar* scrollBar() const { return scroll_; }
    // The image of the page shown, from the last drawing pass. Only that
    // page is kept: a report of many pages costs no more than one.
    const QImage& seitenBild() const { return bild_; }

protected:
    void MouseDown(ui::MouseButton b, int shift, int x, int y) override;
    void MouseUp(ui::MouseButton b, int shift, int x, int y) override;
    void MouseMove(int shift, int x, int y) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void Resized(int width, int height) override;
    void showEvent(QShowEvent* e) override;

private:
    void HorChange(int position);
    void DrawButton(int index);
    void seitenZeichnen();
    void leereSeite();
    void zeigen();

    Report report_;
    QScrollBar* scroll_ = nullptr;
    VorschauGeometrie geo_;
    QImage bild_;
    bool neuZeichnen_ = true;
    bool knopfLeiste_ = false;
    bool gedrueckt_ = false;
    int knopf_ = -1;  // the button pressed
    int seite_ = 0;
    int scrollPos_ = 0;
    ui::WheelSteps rad_{ui::kWheelNotch};  // a step a notch
};

}  // namespace report

// The month calendar frame TKalender: title band with month buttons and month
// list, the day grid with week numbers and standby marks, the "Heute" label.
// Clicks report to the calendar's top-level window with WM_KALENDERDATUM and
// WM_KALENDERMARKER. TKalenderControl is the code-built control variant.
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "controls/calendar/model/kalender_model.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/control.h"

class QLabel;
class QListWidget;
class QToolButton;

namespace calendar {

class TKalender : public QWidget {
public:
    explicit TKalender(QWidget* owner = nullptr);
    ~TKalender() override;

    void Init(uint16_t jahr, uint16_t monat, int tag, const StandbyList* daten);
    void Zeichne_Kalender(bool header);
    static int Get_Kalenderwoche(int jahr, platform::DateTime date);
    void Setze_Daten(const StandbyList& source);
    const StandbyList& Get_Daten() const { return model_.Get_Daten(); }
    void Setze_Modus(bool markerMode);
    void Setze_Farbmodus(char mode);
    void Setze_JahresBlock(bool block);
    void Setze_Heute();
    void Steuerung();
    platform::DateTime Get_Datum() const { return model_.Get_Datum(); }
    int Get_Jahr() const { return model_.Get_Jahr(); }
    int Get_Monat() const { return model_.Get_Monat(); }
    bool Get_Marker(int n);
    void Del_Marker(bool redraw);
    void Del_Eintraege();
    void Get_Eintraege(uint8_t* puffer, int n);

    const KalenderModel& model() const { return model_; }
    // While held, the grid and the title are drawn once at the release, from
    // the state the model has then (the host's batched user actions).
    void holdDrawing(bool hold);

    // The children.
    ui::Control* ZF = nullptr;           // the grid image
    ui::Control* Monats_Name = nullptr;  // the title band
    QToolButton* SpeedButton1 = nullptr;  // month back
    QToolButton* SpeedButton2 = nullptr;  // month forward
    QLabel* Heute = nullptr;
    QListWidget* ListBox1 = nullptr;
    const ui::Bitmap& markGlyph() const { return glyph_; }  // the image list's marker
    // The host's pop-up menu for the day grid: called after a right click was
    // reported, with the screen position of the click.
    std::function<void(QPoint globalPos)> onPopupMenu;

protected:
    void ZFMouseDown(ui::MouseButton button, int x, int y);
    void Monats_NameMouseDown(int x);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void ListBox1Exit();
    void ListBox1KeyDown(int key);
    void ListBox1MouseDown(int x, int y);
    void ListBox1MouseUp(int x, int y);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Children and the grid follow the model.
    void refresh(Redraw redraw);

    KalenderModel model_;

private:
    void paintTitle();
    void send(const CalendarMessage& m);
    void hideMonthList();

    FrameLayout layout_;
    ui::Bitmap glyph_;
    bool listJustOpened_ = false;
    int held_ = 0;
    bool gridDue_ = false, headerDue_ = false, titleDue_ = false;
    // What the grid image and the title band show now; none before the first
    // drawing and after a part of the grid was drawn for another month.
    std::optional<KalenderLook> gridShows_, titleShows_;
};

// The same calendar built as a plain 100 x 100 control, with one operation more.
class TKalenderControl : public TKalender {
public:
    explicit TKalenderControl(QWidget* owner = nullptr);
    // Moves the chosen day within the shown month, or shows the date's month
    // with the calendar's own records.
    void Setze_Datum(platform::DateTime date);
};

}  // namespace calendar

// The pop-up windows of the date and time field: the month chooser
// ("Monatswahl") and the picker with a month calendar and hour and minute
// track bars. Both are modal tool windows that the field creates on demand.
#pragma once

#include <QDialog>
#include <optional>

#include "controls/calendar/model/zeit_style.h"
#include "platform/core/date.h"

class QCalendarWidget;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace calendar {

class MonatsWahl : public QDialog {
public:
    MonatsWahl(QWidget* parent, int year, int month);
    int chosenYear() const;
    int chosenMonth() const;  // 1..12

    QComboBox* Monat = nullptr;
    QSpinBox* Jahr = nullptr;  // the year edit with its up-down control
    QPushButton* OK = nullptr;
};

class ZeitPicker : public QDialog {
public:
    // `date` is the field's date when it is valid; `hour` and `minute` are
    // -1 when the field has no time.
    ZeitPicker(QWidget* parent, TZeitStyle style, std::optional<platform::CivilDate> date, int hour,
               int minute);
    platform::CivilDate chosenDate() const;
    int chosenHour() const;
    int chosenMinute() const;

    QCalendarWidget* Kalender = nullptr;  // styles with a date
    QSlider* Stunde = nullptr;            // styles with a time
    QSlider* Minute = nullptr;
    QLabel* StundeText = nullptr;
    QLabel* MinuteText = nullptr;
    QPushButton* OK = nullptr;  // styles with a time

private:
    void KalClick();
    void TrackBarChange();
    void addTimeControls(int left);

    TZeitStyle style_;
};

// The top-left corner for a pop-up of `size` at the field's lower left
// corner: moved left to fit the screen's width, above the field when it
// does not fit below.
QPoint popupPosition(const QRect& fieldOnScreen, QSize size, const QRect& screen);

}  // namespace calendar

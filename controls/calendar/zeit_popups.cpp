#include "controls/calendar/zeit_popups.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>

#include "controls/calendar/model/kalender_model.h"
#include "platform/ui/drawing/qt_text.h"

namespace calendar {
namespace {

constexpr Qt::WindowFlags kToolWindow = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
constexpr int kTrackWidth = 232;
constexpr int kTrackHeight = 40;
constexpr int kCaptionHeight = 15;

QDate toQDate(const platform::CivilDate& d) {
    return QDate(d.year, d.month, d.day);
}

}  // namespace

QPoint popupPosition(const QRect& fieldOnScreen, QSize size, const QRect& screen) {
    int x = fieldOnScreen.left();
    int y = fieldOnScreen.bottom() + 1;
    if (x + size.width() > screen.right() + 1) x = screen.right() + 1 - size.width();
    x = std::max(x, screen.left());
    if (y + size.height() > screen.bottom() + 1) y = fieldOnScreen.top() - size.height();
    return {x, y};
}

// ---- Month chooser ----

MonatsWahl::MonatsWahl(QWidget* parent, int year, int month) : QDialog(parent, kToolWindow) {
    setWindowTitle(QStringLiteral("Monatswahl"));
    Monat = new QComboBox(this);
    for (int m = 1; m <= 12; ++m) Monat->addItem(ui::toQString(KalenderModel::monthName(m)));
    Monat->setCurrentIndex(std::clamp(month, 1, 12) - 1);
    Monat->setGeometry(2, 2, 80, 22);
    Jahr = new QSpinBox(this);
    Jahr->setRange(1900, 9999);
    Jahr->setGroupSeparatorShown(false);
    Jahr->setValue(year);
    Jahr->setGeometry(84, 2, 54, 22);  // the 37-pixel edit and its up-down control
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setGeometry(140, 2, 22, 22);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(164, 26);
}

int MonatsWahl::chosenYear() const {
    return Jahr->value();
}
int MonatsWahl::chosenMonth() const {
    return Monat->currentIndex() + 1;
}

// ---- Picker ----

ZeitPicker::ZeitPicker(QWidget* parent, TZeitStyle style, std::optional<platform::CivilDate> date,
                       int hour, int minute)
    : QDialog(parent, kToolWindow), style_(style) {
    int width = 0, height = 0;
    if (hasDate(style)) {
        Kalender = new QCalendarWidget(this);
        Kalender->setLocale(QLocale(QLocale::German, QLocale::Germany));
        Kalender->setFirstDayOfWeek(Qt::Monday);
        Kalender->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        Kalender->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
        Kalender->setSelectedDate(toQDate(date ? *date : platform::decodeDate(platform::today())));
        const QSize s = Kalender->sizeHint();
        Kalender->setGeometry(2, 2, s.width(), s.height());
        connect(Kalender, &QCalendarWidget::clicked, this, [this] { KalClick(); });
        width = s.width() + 4;
        height = s.height() + 4;
    }
    if (hasTime(style)) {
        const int left = width + 4;
        addTimeControls(left);
        if (hour >= 0 && minute >= 0) {
            Stunde->setValue(hour);
            Minute->setValue(minute);
        }
        width = left + kTrackWidth + 4;
        height = std::max(height, 131 + 25 + 4);
    }
    setFixedSize(width, height);
}

void ZeitPicker::addTimeControls(int left) {
    auto track = [&](int top, int max, QLabel*& caption) {
        caption = new QLabel(this);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        caption->setGeometry(left, top - kCaptionHeight, kTrackWidth, kCaptionHeight);
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setRange(0, max);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(5);
        s->setGeometry(left, top, kTrackWidth, kTrackHeight);
        connect(s, &QSlider::valueChanged, this, [this] { TrackBarChange(); });
        return s;
    };
    Stunde = track(17, 23, StundeText);
    Minute = track(80, 59, MinuteText);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setGeometry(left + (kTrackWidth - 75) / 2, 131, 75, 25);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    TrackBarChange();
}

void ZeitPicker::KalClick() {
    if (style_ == TZeitStyle::zaDatum) accept();
}

void ZeitPicker::TrackBarChange() {
    StundeText->setText(QStringLiteral("Stunde=%1").arg(Stunde->value()));
    MinuteText->setText(QStringLiteral("Minute=%1").arg(Minute->value()));
}

platform::CivilDate ZeitPicker::chosenDate() const {
    const QDate d = Kalender->selectedDate();
    return {d.year(), d.month(), d.day()};
}

int ZeitPicker::chosenHour() const {
    return Stunde->value();
}
int ZeitPicker::chosenMinute() const {
    return Minute->value();
}

}  // namespace calendar

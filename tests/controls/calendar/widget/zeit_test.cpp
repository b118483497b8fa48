#include "controls/calendar/zeit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "controls/calendar/model/tdatetime_format.h"
#include "controls/calendar/zeit_popups.h"
#include "platform/core/message_box.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/windows/popup_menu.h"
#include "tests/controls/calendar/zeit_test_support.h"

namespace calendar {
namespace {

using S = TZeitStyle;

// Fires the field's timers without waiting for them.
class ProbeZeit : public TZeit {
public:
    using TZeit::TimerFired;
    using TZeit::TZeit;
};

// Stands in for the table control, which continues its own tab order after a field.
class TIconTab : public QWidget, public ui::MessageTarget {
    Q_OBJECT
public:
    std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> got;
    bool dispatchMessage(ui::Message& m) override {
        got.emplace_back(m.msg, m.wParam, m.lParam);
        return true;
    }
};

constexpr int kChangeTimer = 1;
constexpr int kBlinkTimer = 2;

class ZeitTest : public ::testing::Test {
protected:
    ZeitTest() : clock_(platform::encodeDate(2024, 2, 14) + platform::encodeTime(9, 45)) {
        von_ = new ProbeZeit(&host_);
        bis_ = new ProbeZeit(&host_);
        weiter_ = new QPushButton(QStringLiteral("Weiter"), &host_);
        abbruch_ = new QPushButton(QStringLiteral("Abbruch"), &host_);
        bis_->move(0, 30);
        weiter_->move(0, 60);
        abbruch_->move(80, 60);
        for (ProbeZeit* z : {von_, bis_})
            z->OnChange = [this](TZeit& sender, platform::DateTime v) {
                changes_.emplace_back(&sender, v);
            };
        host_.resize(300, 100);
        host_.show();
        QApplication::setActiveWindow(&host_);
    }
    void type(TZeit* z, const char* keys) {
        for (const char* k = keys; *k != '\0'; ++k)
            QTest::keyClick(z, static_cast<Qt::Key>(Qt::Key_0 + (*k - '0')));
    }
    // Delivers the window activations and focus moves that are still queued.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    static double day(int y, int m, int d) { return platform::encodeDate(y, m, d); }
    // Opens the context menu and chooses `id` (0: none).
    void menu(TZeit* z, int id) {
        menus_.choose(id);
        QTest::mouseClick(z, Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    }
    // Runs `act` on the modal pop-up that the next call opens.
    template <class Popup, class Act>
    static void onPopup(Act act) {
        QTimer::singleShot(0, [act] {
            auto* p = dynamic_cast<Popup*>(QApplication::activeModalWidget());
            ASSERT_NE(p, nullptr);
            act(*p);
        });
    }

    platform::ScopedClock clock_;
    platform::ScriptedMessages boxes_;
    ui::ScriptedPopupMenus menus_;
    QWidget host_;
    ProbeZeit* von_;
    ProbeZeit* bis_;
    QPushButton* weiter_;
    QPushButton* abbruch_;
    std::vector<std::pair<TZeit*, platform::DateTime>> changes_;
};

TEST_F(ZeitTest, TypingReportsOnceAfterThePauseAndTheCursorBlinks) {
    von_->setFocus();
    type(von_, "15042");  // today is filled in first: 15.04.2024
    EXPECT_TRUE(changes_.empty());
    EXPECT_TRUE(von_->isTimerArmed(kChangeTimer));
    von_->TimerFired(kChangeTimer);
    EXPECT_EQ(changes_, (decltype(changes_){{von_, day(2024, 4, 15)}}));
    EXPECT_FALSE(von_->isTimerArmed(kChangeTimer));
    EXPECT_EQ(von_->model().cursor(), 5);

    // A blink inverts exactly the cursor's cell.
    std::vector<ui::TColor> on;
    for (int y = 0; y < von_->height(); ++y)
        for (int x = 0; x < von_->width(); ++x) on.push_back(von_->canvas().Pixel(x, y));
    von_->TimerFired(kBlinkTimer);
    QRect changed;
    for (int y = 0, i = 0; y < von_->height(); ++y)
        for (int x = 0; x < von_->width(); ++x, ++i)
            if (on[i] != von_->canvas().Pixel(x, y)) changed |= QRect(x, y, 1, 1);
    EXPECT_EQ(changed, ui::toQRect(von_->layout().cursorCell(5)));
}

TEST_F(ZeitTest, LeavingAnInvalidDateAsksRetryOrCancel) {
    von_->setFocus();
    type(von_, "3102");  // 31.02.2024
    weiter_->setFocus();
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.last().text, "Kein g\xFCltiges Datum!");
    EXPECT_EQ(boxes_.last().caption, "Fehler");
    EXPECT_EQ(boxes_.last().buttons, platform::Buttons::RetryCancel);
    QCoreApplication::processEvents();  // Retry: the field takes the focus back
    EXPECT_TRUE(von_->hasFocus());
    EXPECT_EQ(von_->model().cursor(), 0);
    abbruch_->setFocus();  // a cancel button is never held up
    EXPECT_EQ(boxes_.count(), 1u);
    von_->setFocus();
    boxes_.answer(platform::Answer::Cancel);
    weiter_->setFocus();
    EXPECT_EQ(boxes_.count(), 2u);
    EXPECT_EQ(von_->model().fields(), ZeitFields{});
}

TEST_F(ZeitTest, CopyInOneFieldPasteInAnother) {
    ui::clearClipboard();
    menu(von_, 0);
    EXPECT_FALSE(menus_.shown().back().items[3].enabled);  // "Einfügen": nothing to paste
    EXPECT_FALSE(menus_.shown().back().items[2].enabled);  // "Kopieren": no valid date
    const double value = day(2024, 3, 5) + platform::encodeTime(14, 7);
    von_->SetStyle(S::zaBeides);
    bis_->SetStyle(S::zaBeides);
    von_->SetValue(value);
    menu(von_, TZeit::kKopieren);
    EXPECT_EQ(ui::clipboardFormat(kTDateTimeFormat), encodeTDateTime(value));
    menu(bis_, TZeit::kEinfuegen);
    EXPECT_EQ(bis_->GetValue(), value);
    EXPECT_EQ(changes_, (decltype(changes_){{bis_, value}}));

    // A short block or a value no date has is refused; an empty date is copied as such.
    for (const std::string& bad : {encodeTDateTime(value).substr(0, 7), encodeTDateTime(1e300)}) {
        ui::ClipboardContent c;
        c.setFormat(kTDateTimeFormat, bad);
        ui::putOnClipboard(c);
        bis_->Paste();
        EXPECT_EQ(bis_->GetValue(), value);
    }
    von_->SetValue(-1);
    von_->Kopie();
    bis_->Paste();
    EXPECT_EQ(bis_->model().fields(), ZeitFields{});
}

TEST_F(ZeitTest, PartnerMenuFillsTheRange) {
    von_->model().Von = true;
    von_->SetPartner(bis_);
    bis_->SetPartner(von_);
    TZeit other;
    von_->SetPartner(&other);  // the first partner sticks, its items come once
    EXPECT_EQ(von_->menu().items().size(), 10u);
    EXPECT_EQ(von_->Kombi(), bis_);
    menu(bis_, TZeit::kDieserMonat);
    EXPECT_EQ(std::tuple(von_->GetAnsi(), bis_->GetAnsi()), std::tuple("20240201", "20240229"));
    EXPECT_EQ(changes_.size(), 1u);

    onPopup<MonatsWahl>([](MonatsWahl& w) {
        EXPECT_EQ(std::tuple(w.Jahr->value(), w.Monat->currentIndex()), std::tuple(2024, 1));
        EXPECT_EQ(w.windowTitle(), "Monatswahl");
        w.Monat->setCurrentIndex(10);
        w.Jahr->setValue(2023);
        w.OK->click();
    });
    menu(von_, TZeit::kMonatsWahl);
    EXPECT_EQ(std::tuple(von_->GetAnsi(), bis_->GetAnsi()), std::tuple("20231101", "20231130"));
}

TEST_F(ZeitTest, PickerSetsDateAndTime) {
    von_->SetStyle(S::zaBeides);
    von_->SetValue(day(2024, 3, 5) + platform::encodeTime(14, 7));
    onPopup<ZeitPicker>([](ZeitPicker& p) {
        EXPECT_EQ(p.Kalender->selectedDate(), QDate(2024, 3, 5));
        EXPECT_EQ(p.StundeText->text(), "Stunde=14");
        p.Kalender->setSelectedDate(QDate(2024, 3, 9));
        p.Minute->setValue(30);
        EXPECT_EQ(p.MinuteText->text(), "Minute=30");
        p.OK->click();
    });
    const Rect b = von_->layout().button();
    QTest::mouseClick(von_, Qt::LeftButton, Qt::NoModifier, QPoint(b.left + 2, 5));
    EXPECT_EQ(von_->GetAnsi(), "20240309143000");
    EXPECT_FALSE(von_->model().Change);  // "OK" of a date and time field leaves it
    EXPECT_EQ(changes_.size(), 1u);
}

// Only a calendar click in a date field marks the value as changed by the user;
// "OK" leaves the flag, so the partner may still carry this field along.
TEST_F(ZeitTest, PickerMarksAChangeOnlyForTheDateStyle) {
    for (const S style : {S::zaDatum, S::zaBeides, S::zaUhr}) {
        for (const bool before : {false, true}) {
            von_->SetStyle(style);
            von_->SetValue(day(2024, 3, 5) + platform::encodeTime(14, 7));
            von_->model().Change = before;
            onPopup<ZeitPicker>([style](ZeitPicker& p) {
                if (style == S::zaDatum) {
                    emit p.Kalender->clicked(p.Kalender->selectedDate());
                } else {
                    p.Stunde->setValue(15);
                    p.OK->click();
                }
            });
            const Rect b = von_->layout().button();
            QTest::mouseClick(von_, Qt::LeftButton, Qt::NoModifier, QPoint(b.left + 2, 5));
            EXPECT_EQ(von_->model().Change, style == S::zaDatum || before)
                << static_cast<int>(style) << " " << before;
        }
    }
    // A date and time start confirmed with "OK" is still moved by its end field.
    von_->model().Von = true;
    von_->SetPartner(bis_);
    bis_->SetPartner(von_);
    for (ProbeZeit* z : {von_, bis_}) z->SetStyle(S::zaBeides);
    von_->SetValue(day(2024, 3, 5) + platform::encodeTime(14, 7));
    bis_->SetValue(day(2024, 3, 9) + platform::encodeTime(14, 7));
    onPopup<ZeitPicker>([](ZeitPicker& p) { p.OK->click(); });
    const Rect b = von_->layout().button();
    QTest::mouseClick(von_, Qt::LeftButton, Qt::NoModifier, QPoint(b.left + 2, 5));
    bis_->setFocus();
    type(bis_, "01");  // 01.03.2024: before the start
    EXPECT_EQ(von_->GetAnsi(), "20240301140700");
}

// A field losing the focus checks its date wherever the focus goes in the
// program, into another window too; not into its own picker or month chooser.
TEST_F(ZeitTest, LeavingForAnotherWindowChecksTheDate) {
    QWidget second;
    auto* edit = new QLineEdit(&second);
    auto* abbruch = new QPushButton(QStringLiteral("Abbruch"), &second);
    abbruch->move(0, 30);
    second.move(400, 0);
    second.show();
    QWidget empty;  // a window without a control that takes the focus
    empty.move(400, 200);
    empty.show();
    settle();
    von_->model().Von = true;
    von_->SetPartner(bis_);
    struct Case {
        const char* name;
        std::function<void()> leave;
        size_t boxes;
    };
    const Case cases[] = {
        {"second window", [&] { edit->setFocus(), second.activateWindow(); }, 1},
        {"empty window", [&] { empty.activateWindow(); }, 1},
        {"focus cleared in its own window", [&] { von_->clearFocus(); }, 0},
        {"Abbruch in a second window",
         [&] { abbruch->setFocus(), second.activateWindow(); }, 0},
        {"own picker",
         [&] {
             onPopup<ZeitPicker>([](ZeitPicker& p) { p.reject(); });
             von_->TasteClick();
         },
         0},
        {"own month chooser",
         [&] {
             onPopup<MonatsWahl>([](MonatsWahl& w) { w.reject(); });
             menu(von_, TZeit::kMonatsWahl);
         },
         0},
    };
    for (const Case& c : cases) {
        host_.activateWindow();
        settle();
        von_->SetValue(-1);
        von_->setFocus();
        type(von_, "3102");  // 31.02.2024
        boxes_.clear();
        c.leave();
        settle();
        EXPECT_EQ(boxes_.count(), c.boxes) << c.name;
        if (c.boxes == 0) continue;
        EXPECT_EQ(boxes_.last().text, "Kein g\xFCltiges Datum!") << c.name;
        // Retry: the field's window is active again and the field has the focus.
        EXPECT_EQ(QApplication::activeWindow(), &host_) << c.name;
        EXPECT_TRUE(von_->hasFocus()) << c.name;
    }
    // Cancel empties the field.
    host_.activateWindow();
    settle();
    von_->setFocus();
    boxes_.clear();
    boxes_.answer(platform::Answer::Cancel);
    edit->setFocus();
    second.activateWindow();
    settle();
    EXPECT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(von_->model().fields(), ZeitFields{});
}

TEST_F(ZeitTest, KeysAndMouseMoveFocusAndCursor) {
    von_->SetStyle(S::zaUhr);
    von_->setFocus();
    QTest::keyClick(von_, Qt::Key_Tab);
    EXPECT_TRUE(bis_->hasFocus());
    int next = 0;
    bis_->OnNextWindow = [&](TZeit& sender) { next += &sender == bis_; };
    QTest::keyClick(bis_, Qt::Key_Return);
    EXPECT_EQ(next, 1);
    EXPECT_TRUE(bis_->hasFocus());

    bis_->SetValue(day(2024, 3, 5));
    const Rect year = bis_->layout().cursorCell(6);
    QTest::mouseClick(bis_, Qt::LeftButton, Qt::NoModifier, QPoint(year.left + 2, 8));
    EXPECT_EQ(bis_->model().cursor(), 6);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bis_, &wheel);
    EXPECT_EQ(bis_->GetAnsi(), "20340305");  // Up on the year's tens digit
}

// The wheel steps the year's tens digit once per full notch of 120, also
// when a fine wheel sends it in parts; turning back starts a new notch.
TEST_F(ZeitTest, TheWheelStepsOncePerFullNotch) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{15, 15, 15, 15, 15, 15, 15, 15}, "20340305"},
        {{15, 15, 15, 15, 15, 15, 15}, "20240305"},
        {{240}, "20440305"},
        {{90, -120}, "20140305"}};
    for (const auto& [deltas, ansi] : cases) {
        TZeit z(&host_);
        z.show();
        z.SetValue(day(2024, 3, 5));
        QTest::mouseClick(&z, Qt::LeftButton, Qt::NoModifier,
                          {z.layout().cursorCell(6).left + 2, 8});
        for (const int d : deltas) {
            QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, d}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(&z, &wheel);
        }
        EXPECT_EQ(z.GetAnsi(), ansi) << deltas.size();
    }
}

TEST_F(ZeitTest, TabInTheTableCaptionGoesToTheSecondFieldThenToTheTable) {
    TIconTab table;
    auto* first = new TZeit(&table);
    auto* second = new TZeit(&table);
    table.show();
    QApplication::setActiveWindow(&table);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_EQ(table.got, (decltype(table.got){{0x0100u, 9u, reinterpret_cast<intptr_t>(second)}}));
}

}  // namespace
}  // namespace calendar

#include "zeit_test.moc"

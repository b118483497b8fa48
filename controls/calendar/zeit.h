// The date and time field TZeit: a date, a time or both typed digit by digit
// into a fixed mask with a blinking cursor, a context menu ("Jetzt", copy and
// paste as "TDateTime", quick periods for a coupled pair), a picker popup and
// a month chooser. It reports changes through OnChange after typing pauses.
#pragma once

#include <QPointer>
#include <functional>
#include <string>
#include <string_view>

#include "controls/calendar/model/zeit_layout.h"
#include "controls/calendar/model/zeit_model.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/input/wheel_steps.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/popup_menu.h"

namespace calendar {

class TZeit : public ui::Control {
public:
    explicit TZeit(QWidget* owner = nullptr);
    ~TZeit() override;

    // Context menu item ids.
    enum MenuId {
        kJetzt = 1,
        kKopieren,
        kEinfuegen,
        kDieserMonat,
        kLetzterMonat,
        kMonatsWahl,
        kDiesesJahr,
        kLetztesJahr
    };

    TZeitStyle Style() const { return model_.Style(); }
    void SetStyle(TZeitStyle style);
    // Time block first in zaBeides.
    void SetChange(bool zeitDatum);
    void SetSize(int fontSize);  // ignored below 8
    int FontSize() const { return fontSize_; }
    void SetCaption(const std::string& caption);  // Windows-1252
    void SetTitelColor(ui::TColor colour);
    // The other field of a range; only the first non-null partner is taken.
    void SetPartner(TZeit* partner);
    TZeit* Kombi() const { return kombi_; }

    // Flags without layout (Change, TextFormat, NullZeit, Von) and the parts.
    ZeitModel& model() { return model_; }
    const ZeitModel& model() const { return model_; }
    const ZeitLayout& layout() const { return layout_; }

    platform::DateTime GetValue() const { return model_.GetValue(); }
    platform::DateTime GetDateValue() const { return model_.GetDateValue(); }
    platform::DateTime GetTimeValue() const { return model_.GetTimeValue(); }
    void SetValue(platform::DateTime v);
    std::string GetAnsi() const { return model_.GetAnsi(); }
    std::string GetDateAnsi(int days) const { return model_.GetDateAnsi(days); }
    std::string GetTimeAnsi() const { return model_.GetTimeAnsi(); }
    void SetAnsi(std::string_view text);
    bool Test(char mode);
    void Minuten(int minutes);

    std::function<void(TZeit& sender, platform::DateTime value)> OnChange;
    std::function<void(TZeit& sender)> OnNextWindow;

    // The menu and what its items do.
    const ui::PopupMenu& menu() const { return menu_; }
    void KontextPopup();
    void FensterClick(bool fromMenu);  // "Jetzt"; only the menu reports it
    void Kopie();
    void Paste();
    void Dieser_Monat() { quickPeriod(QuickPeriod::DieserMonat); }
    void Letzter_Monat() { quickPeriod(QuickPeriod::LetzterMonat); }
    void Dieses_Jahr() { quickPeriod(QuickPeriod::DiesesJahr); }
    void Letztes_Jahr() { quickPeriod(QuickPeriod::LetztesJahr); }
    void Monats_Wahl();
    void TasteClick();  // the picker popup


protected:
    void KeyDown(int key, int shift) override;
    void MouseDown(ui::MouseButton b, int shift, int x, int y) override;
    void MouseUp(ui::MouseButton b, int shift, int x, int y) override;
    void MouseWheel(int delta, int shift, int x, int y) override;
    void GotFocus() override;
    void LostFocus() override;
    void Resized(int width, int height) override;
    void TimerFired(int id) override;

private:
    void relayout();
    void paintFrame();
    void repaint();
    void repaintPair();
    void restartBlink();
    void TastePress(ZeitKey k, int digit);
    void tabForward();
    void runMenu(QPoint globalPos);
    void quickPeriod(QuickPeriod kind);
    void applyPeriod(const Period& p, bool keepTime);
    void Changing();
    void Blinken();

    ZeitModel model_;
    ZeitLayout layout_;
    ui::Bitmap frame_;  // the prepared background
    ui::PopupMenu menu_;
    QPointer<TZeit> kombi_;
    ChangeDelay delay_;
    std::string caption_;
    ui::TColor titelColor_ = ui::clBtnFace;
    int fontSize_ = 10;
    bool focused_ = false;
    bool blink_ = false;
    bool buttonDown_ = false;
    bool keepCursor_ = false;  // refocused after a failed check: the cursor marks the error
    ui::WheelSteps wheel_{ui::kWheelNotch};  // one step a notch
};

}  // namespace calendar

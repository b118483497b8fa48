#include "controls/calendar/kalender.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>
#include <functional>

#include "controls/calendar/kalender_paint.h"
#include "platform/core/week_number.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_messages.h"

namespace calendar {
namespace {

// A self-drawn child that hands presses and size changes to the frame.
class ImageControl : public ui::Control {
public:
    using Control::Control;
    std::function<void(ui::MouseButton, int, int)> onMouseDown;
    std::function<void()> onMouseUp;
    std::function<void()> onResized;

protected:
    // A second press of a double click arrives here as one more press.
    void MouseDown(ui::MouseButton b, int, int x, int y) override {
        if (onMouseDown) onMouseDown(b, x, y);
    }
    void MouseUp(ui::MouseButton, int, int, int) override {
        if (onMouseUp) onMouseUp();
    }
    void Resized(int, int) override {
        if (onResized) onResized();
    }
};

void place(QWidget* w, const Rect& b) { w->setGeometry(b.left, b.top, b.width(), b.height()); }

}  // namespace

TKalender::TKalender(QWidget* owner) : QWidget(owner) {
    setToolTip(QStringLiteral("Monatsansicht"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ui::toQColor(ui::clBtnFace));
    setPalette(pal);

    drawMarkGlyph(glyph_);

    // The buttons lie under the title band until Steuerung makes room for them.
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setArrowType(Qt::LeftArrow);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    place(SpeedButton1, layout_.back);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setArrowType(Qt::RightArrow);
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    place(SpeedButton2, layout_.forward);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });

    auto* grid = new ImageControl(this);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->onMouseDown = [this](ui::MouseButton b, int x, int y) { ZFMouseDown(b, x, y); };
    grid->onResized = [this] { Zeichne_Kalender(true); };
    place(grid, layout_.grid);
    ZF = grid;

    auto* title = new ImageControl(this);
    title->setFocusPolicy(Qt::NoFocus);
    title->onMouseDown = [this](ui::MouseButton, int x, int) { Monats_NameMouseDown(x); };
    // Where the list cannot take the capture, the opening press ends here.
    title->onMouseUp = [this] { listJustOpened_ = false; };
    title->onResized = [this] { paintTitle(); };
    place(title, layout_.title);
    Monats_Name = title;

    Heute = new QLabel(ui::toQString("Heute: 00.00.0000"), this);
    Heute->setAutoFillBackground(true);
    QPalette heutePal = Heute->palette();
    heutePal.setColor(QPalette::Window, ui::toQColor(colour::kWhite));
    heutePal.setColor(QPalette::WindowText, ui::toQColor(colour::kRed));
    Heute->setPalette(heutePal);
    ui::Font heuteFont;
    heuteFont.name = "Courier New";
    heuteFont.setHeight(13);  // cell height: the 20 characters fit the 141 pixels
    Heute->setFont(ui::toQFont(heuteFont, 96));
    place(Heute, layout_.heute);
    Heute->hide();

    // The frame's font with 13-pixel items, so all twelve months fit the list.
    ListBox1 = new QListWidget(this);
    ListBox1->setFont(ui::toQFont(ui::Font{}, 96));
    ListBox1->setFrameStyle(QFrame::Box | QFrame::Plain);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int m = 1; m <= 12; ++m) {
        auto* item = new QListWidgetItem(ui::toQString(KalenderModel::monthName(m)), ListBox1);
        item->setSizeHint(QSize(layout_.monthList.width() - 2, 13));
    }
    QPalette listPal = ListBox1->palette();
    listPal.setColor(QPalette::Base, ui::toQColor(colour::kYellow));
    ListBox1->setPalette(listPal);
    place(ListBox1, layout_.monthList);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
    ListBox1->hide();

    setFixedSize(FrameLayout::kWidth, FrameLayout::kHeight);
    refresh(Redraw::Full);
}

TKalender::~TKalender() = default;

void TKalender::refresh(Redraw redraw) {
    SpeedButton1->setEnabled(model_.backEnabled());
    SpeedButton2->setEnabled(model_.forwardEnabled());
    if (!titleShows_ || !titleShows_->sameTitle(model_.look())) paintTitle();
    if (redraw != Redraw::None) Zeichne_Kalender(redraw == Redraw::Full);
}

void TKalender::holdDrawing(bool hold) {
    if (hold) {
        ++held_;
        return;
    }
    if (held_ == 0 || --held_ > 0) return;
    if (titleDue_) paintTitle();
    if (gridDue_) Zeichne_Kalender(headerDue_);
}

void TKalender::paintTitle() {
    if (held_ > 0) {
        titleDue_ = true;
        return;
    }
    titleDue_ = false;
    calendar::paintTitle(Monats_Name->canvas(), Monats_Name->width(), Monats_Name->height(), model_);
    titleShows_ = model_.look();
    Monats_Name->Invalidate();
}

void TKalender::Zeichne_Kalender(bool header) {
    if (held_ > 0) {
        gridDue_ = true;
        headerDue_ = headerDue_ || header;
        return;
    }
    gridDue_ = headerDue_ = false;
    paintGrid(ZF->canvas(), model_, header, glyph_);
    const KalenderLook now = model_.look();
    if (header || (gridShows_ && gridShows_->sameFrame(now)))
        gridShows_ = now;
    else
        gridShows_.reset();
    ZF->Invalidate();
}

void TKalender::Init(uint16_t jahr, uint16_t monat, int tag, const StandbyList* daten) {
    model_.Init(jahr, monat, tag, daten);
    // The host sets the calendar after every line it stores or selects; what
    // shows the same days and marks as before is not drawn again.
    const KalenderLook now = model_.look();
    if (gridShows_ == now && titleShows_ && titleShows_->sameTitle(now)) {
        refresh(Redraw::None);
        return;
    }
    refresh(Redraw::Full);
}

int TKalender::Get_Kalenderwoche(int jahr, platform::DateTime date) {
    return platform::Get_Kalenderwoche(jahr, date);
}

void TKalender::Setze_Daten(const StandbyList& source) { model_.Setze_Daten(source); }

void TKalender::Setze_Modus(bool markerMode) {
    model_.Setze_Modus(markerMode);
    Heute->setVisible(!markerMode);
    if (!markerMode) Setze_Heute();
}

void TKalender::Setze_Farbmodus(char mode) {
    model_.Setze_Farbmodus(mode);
    refresh(Redraw::Full);
}

void TKalender::Setze_JahresBlock(bool block) {
    model_.Setze_JahresBlock(block);
    refresh(Redraw::None);
}

void TKalender::Setze_Heute() {
    Heute->setText(ui::toQString(KalenderModel::heuteText(platform::today())));
}

void TKalender::Steuerung() {
    layout_.makeRoomForButtons();
    place(Monats_Name, layout_.title);
    paintTitle();
}

bool TKalender::Get_Marker(int n) {
    const bool overflow = model_.Get_Marker(n);
    refresh(Redraw::None);
    return overflow;
}

void TKalender::Del_Marker(bool redraw) {
    model_.Del_Marker();
    refresh(redraw ? Redraw::Grid : Redraw::None);
}

void TKalender::Del_Eintraege() {
    model_.Del_Eintraege();
    refresh(Redraw::Grid);
}

void TKalender::Get_Eintraege(uint8_t* puffer, int n) { model_.Get_Eintraege(puffer, n); }

void TKalender::send(const CalendarMessage& m) {
    // The calendar's own top-level window: it is the active one whenever the
    // user clicks the calendar, even while the desktop's activation lags.
    ui::SendMessage(window(), m.msg, m.wParam, m.lParam);
}

void TKalender::ZFMouseDown(ui::MouseButton button, int x, int y) {
    const ClickResult r = model_.click(x, y, button == ui::MouseButton::Right);
    if (r.redraw != Redraw::None) refresh(r.redraw);
    if (r.takeMarks) Get_Marker(kMaxRecords);
    if (r.message) send(*r.message);
    if (button == ui::MouseButton::Right && onPopupMenu) onPopupMenu(ZF->mapToGlobal(QPoint(x, y)));
}

void TKalender::SpeedButton1Click() {
    if (model_.stepMonth(-1)) refresh(Redraw::Full);
}

void TKalender::SpeedButton2Click() {
    if (model_.stepMonth(+1)) refresh(Redraw::Full);
}

// ---- Month list ----

void TKalender::Monats_NameMouseDown(int x) {
    if (!FrameLayout::opensMonthList(x)) return;
    ListBox1->setCurrentRow(model_.Get_Monat() - 1);
    ListBox1->show();
    ListBox1->raise();
    ListBox1->setFocus();
    ListBox1->grabMouse();
    listJustOpened_ = true;
}

void TKalender::hideMonthList() {
    if (QWidget::mouseGrabber() == ListBox1) ListBox1->releaseMouse();
    ListBox1->hide();
}

void TKalender::ListBox1Exit() { hideMonthList(); }

void TKalender::ListBox1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        hideMonthList();
        model_.chooseMonth(ListBox1->currentRow());
        refresh(Redraw::Full);
    } else if (key == Qt::Key_Escape) {
        hideMonthList();
    }
}

void TKalender::ListBox1MouseDown(int x, int y) {
    // Under the capture a press anywhere arrives here; one beyond the list's
    // 66 x 162 area closes it.
    if (x < 0 || y < 0 || x > layout_.monthList.width() || y > layout_.monthList.height())
        hideMonthList();
}

void TKalender::ListBox1MouseUp(int x, int y) {
    if (listJustOpened_) {  // the release of the press that opened the list
        listJustOpened_ = false;
        return;
    }
    const QPoint inView = ListBox1->viewport()->mapFrom(ListBox1, QPoint(x, y));
    QListWidgetItem* item = ListBox1->itemAt(inView);
    if (item == nullptr) return;
    hideMonthList();
    model_.chooseMonth(ListBox1->row(item));
    refresh(Redraw::Full);
}

bool TKalender::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ListBox1 && watched != ListBox1->viewport()) return QWidget::eventFilter(watched, event);
    // Positions in the list's own coordinates, whichever part received them.
    auto listPos = [&](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        return watched == ListBox1 ? p : ListBox1->viewport()->mapTo(ListBox1, p);
    };
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const QPoint p = listPos(static_cast<QMouseEvent*>(event));
            ListBox1MouseDown(p.x(), p.y());
            return !ListBox1->isVisible();
        }
        case QEvent::MouseButtonRelease: {
            const QPoint p = listPos(static_cast<QMouseEvent*>(event));
            ListBox1MouseUp(p.x(), p.y());
            return false;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                ListBox1KeyDown(key);
                return true;
            }
            return false;
        }
        case QEvent::FocusOut:
            if (watched == ListBox1) ListBox1Exit();
            return false;
        default:
            return false;
    }
}

// ---- Code-built control ----

TKalenderControl::TKalenderControl(QWidget* owner) : TKalender(owner) {
    setFixedSize(FrameLayout::kControlSize, FrameLayout::kControlSize);
}

void TKalenderControl::Setze_Datum(platform::DateTime date) { refresh(model_.Setze_Datum(date)); }

}  // namespace calendar

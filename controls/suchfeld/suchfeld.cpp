#include "controls/suchfeld/suchfeld.h"

#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "controls/suchfeld/such_liste.h"
#include "controls/suchfeld/model/such_text.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/input/input_state.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr char kDel = 0x7F;

SuchTaste tasteOf(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return SuchTaste::Enter;
    if (key == Qt::Key_F3) return SuchTaste::F3;
    return SuchTaste::Andere;
}

// The edit hands its keys to the logic first, and takes characters that a
// table forwards as WM_CHAR.
class SuchEdit : public QLineEdit, public ui::MessageTarget {
public:
    SuchEdit(QWidget* parent, SuchfeldLogik& logik) : QLineEdit(parent), logik_(logik) {}

    bool dispatchMessage(ui::Message& m) override {
        if (m.msg != WM_CHAR) return false;
        const char ch = static_cast<char>(m.wParam);
        if (logik_.keyPress(ch, hasFocus())) return true;
        if (ch == '\b') {
            backspace();
        } else if (static_cast<unsigned char>(ch) >= 32 && ch != kDel) {
            insert(ui::toQString(std::string_view(&ch, 1)));
        }
        return true;
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        // The key first, then its character: a consumed Enter still counts
        // as typed, so its release searches once more.
        bool behalten = logik_.keyDown(tasteOf(e->key()));
        for (const char ch : ui::fromQString(ui::typedText(e->text()))) {
            if (logik_.keyPress(ch, hasFocus())) behalten = true;
        }
        if (behalten) {
            e->accept();
        } else {
            QLineEdit::keyPressEvent(e);
        }
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        if (!e->isAutoRepeat()) logik_.keyUp(tasteOf(e->key()));
        QLineEdit::keyReleaseEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // Menus and other programs taking the focus do not leave the field.
        if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason) {
            logik_.TextExit();
        }
    }

private:
    SuchfeldLogik& logik_;
};

QPixmap leeresGlyph(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

// A small triangle pointing down: the column and history buttons.
QIcon pfeilGlyph() {
    QPixmap p = leeresGlyph(7, 4);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::black);
    g.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(7, 0), QPointF(3.5, 4)}));
    return QIcon(p);
}

// "Aa": grey while case is ignored, black and bold when it counts.
QIcon grossKleinGlyph(const QFont& basis) {
    QIcon icon;
    for (const bool an : {false, true}) {
        QPixmap p = leeresGlyph(18, 16);
        QPainter g(&p);
        QFont f = basis;
        f.setBold(an);
        g.setFont(f);
        g.setPen(an ? Qt::black : Qt::darkGray);
        g.drawText(p.rect(), Qt::AlignCenter, QStringLiteral("Aa"));
        g.end();
        icon.addPixmap(p, QIcon::Normal, an ? QIcon::On : QIcon::Off);
    }
    return icon;
}

// A magnifying glass.
QIcon startGlyph() {
    QPixmap p = leeresGlyph(16, 16);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0, 0, 128), 2));
    g.setBrush(QColor(200, 230, 255));
    g.drawEllipse(QRectF(2, 2, 8, 8));
    g.setPen(QPen(QColor(128, 64, 0), 3, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(10, 10), QPointF(14, 14));
    return QIcon(p);
}

QToolButton* knopf(QWidget* parent, int left, int width, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setGeometry(left, 2, width, 20);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(hint);
    return b;
}

}  // namespace

TSuchfeld::TSuchfeld(QWidget* owner) : QFrame(owner), logik_(*this) {
    suchliste::anmelden();
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui::Font f;
    f.setSize(10);
    setFont(ui::toQFont(f, logicalDpiY()));
    setToolTip(ui::toQString(
        "Suchtext f\xFCr die Aktuelle Tabelle in der markierten (roter Punkt) Spalte"));
    resize(235, 25);

    SpaltenLabel = new QLabel(this);
    SpaltenLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SpaltenLabel->setGeometry(2, 2, 68, 20);
    SpaltenLabel->setToolTip(QStringLiteral("Name der Spalte in der gesucht wird"));

    SpaltenKnopf =
        knopf(this, 71, 9, QStringLiteral("Auswahl der Spalte in der gesucht werden soll"));
    SpaltenKnopf->setIcon(pfeilGlyph());
    connect(SpaltenKnopf, &QToolButton::clicked, this, [this] { SpalteClick(); });

    Edit = new SuchEdit(this, logik_);
    Edit->setGeometry(82, 2, 90, 20);

    AuswahlKnopf = knopf(this, 174, 9, QString());
    AuswahlKnopf->setIcon(pfeilGlyph());
    connect(AuswahlKnopf, &QToolButton::clicked, this, [this] { AuswahlClick(); });

    GrossKlein =
        knopf(this, 185, 22,
              QStringLiteral("Umschaltung zwischen der Beachtung der Gross/Kleinschrift und Egal"));
    GrossKlein->setCheckable(true);
    GrossKlein->setIcon(grossKleinGlyph(font()));
    GrossKlein->setIconSize(QSize(18, 16));
    connect(GrossKlein, &QToolButton::toggled, this, [this](bool an) { logik_.setGrossKlein(an); });

    StartKnopf = knopf(this, 210, 22, QStringLiteral("Suche starten"));
    StartKnopf->setIcon(startGlyph());
    connect(StartKnopf, &QToolButton::clicked, this, [this] { StartClick(); });
}

TSuchfeld::~TSuchfeld() {
    suchliste::abmelden(this);
}

QWidget* TSuchfeld::GetFenster() const {
    return Edit;
}

void TSuchfeld::Focus() {
    Edit->setFocus(Qt::OtherFocusReason);
}

bool TSuchfeld::istEigenesFenster(const QWidget* w) const {
    return w == this || w == SpaltenKnopf || w == AuswahlKnopf || w == GrossKlein ||
           w == StartKnopf;
}

bool TSuchfeld::dispatchMessage(ui::Message& m) {
    static const ui::MessageMap<TSuchfeld> map{{kSetListIndex, &TSuchfeld::SetListIndex}};
    return map.dispatch(*this, m);
}

void TSuchfeld::SetListIndex(ui::Message& m) {
    // Indices beyond int are no entry either.
    if (m.wParam <= static_cast<std::uintptr_t>(SuchHistorie::kMax)) {
        logik_.SetListIndex(static_cast<int>(m.wParam));
    }
}

void TSuchfeld::SpalteClick() {
    suchliste::verbergen();
    ui::PopupMenu menu;
    const auto& namen = logik_.spaltenNamen();
    for (size_t n = 0; n < namen.size(); ++n) menu.add(namen[n], static_cast<int>(n) + 1);
    const int id = menu.popup(QCursor::pos(), this);
    if (id > 0) FensterClick(id - 1);
}

void TSuchfeld::AuswahlClick() {
    if (suchliste::sichtbar()) {
        suchliste::verbergen();
    } else {
        suchliste::zeige(this, logik_.historie().eintraege());
    }
}

void TSuchfeld::StartClick() {
    suchliste::verbergen();
    logik_.startClick();
}

std::string TSuchfeld::text() const {
    return ui::fromQString(Edit->text());
}

void TSuchfeld::setText(const std::string& text) {
    Edit->setText(ui::toQString(text));
}

void TSuchfeld::select(int start, int length) {
    Edit->setSelection(start, length);
}

void TSuchfeld::zeigeSpalte(const std::string& name) {
    const QFontMetrics fm(font());
    SpaltenLabel->setText(ui::toQString(Text_Ausgabe(
        name, [&fm](const std::string& s) { return fm.horizontalAdvance(ui::toQString(s)); })));
}

}  // namespace table

#include "platform/ui/dialogs/qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/ui/dialogs/key_pause.h"
#include "platform/ui/dialogs/message_layout.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace ui {
namespace {

using platform::Answer;
using platform::Buttons;

constexpr const char* kAnswerProperty = "klbAnswer";

struct ButtonSpec {
    const char* text;
    Answer answer;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> buttonsOf(Buttons b) {
    const ButtonSpec ok{"OK", Answer::Ok, QMessageBox::AcceptRole};
    const ButtonSpec cancel{"Abbrechen", Answer::Cancel, QMessageBox::RejectRole};
    const ButtonSpec yes{"Ja", Answer::Yes, QMessageBox::YesRole};
    const ButtonSpec no{"Nein", Answer::No, QMessageBox::NoRole};
    const ButtonSpec retry{"Wiederholen", Answer::Retry, QMessageBox::AcceptRole};
    switch (b) {
        case Buttons::Ok: return {ok};
        case Buttons::OkCancel: return {ok, cancel};
        case Buttons::YesNo: return {yes, no};
        case Buttons::YesNoCancel: return {yes, no, cancel};
        case Buttons::RetryCancel: return {retry, cancel};
    }
    return {ok};
}

Answer cancellingAnswer(Buttons b) {
    switch (b) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
        case Buttons::RetryCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

QMessageBox::Icon toQtIcon(platform::Icon icon) {
    switch (icon) {
        case platform::Icon::None: return QMessageBox::NoIcon;
        case platform::Icon::Information: return QMessageBox::Information;
        case platform::Icon::Warning: return QMessageBox::Warning;
        case platform::Icon::Error: return QMessageBox::Critical;
        case platform::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Every box of the program. A Yes/No question has no answer but its two
// buttons: Escape and the window manager's close would count as "Nein", and a
// question that guards unsaved work must not be answered by accident. It asks
// for no close button; a window manager that draws one all the same finds
// its close ignored.
class QuestionBox : public QMessageBox {
public:
    QuestionBox(QWidget* parent, bool buttonsOnly)
        : QMessageBox(parent), buttonsOnly_(buttonsOnly) {
        if (buttonsOnly_)
            setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);  // sizes the box
        // Centred on the window it belongs to, whole on the screen.
        centreOnOwner(*this, parentWidget() != nullptr ? parentWidget()->window() : nullptr);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (buttonsOnly_ && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (buttonsOnly_) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    const bool buttonsOnly_;
};

// Room the window manager's title bar takes beside the caption: the window
// icon and up to three buttons with their margins.
constexpr int kTitleBarExtra = 128;
// The window manager's frame on both sides of the box.
constexpr int kFrameAllowance = 16;

// QMessageBox decides on its own whether its label wraps, and on a wide
// screen it left long lines unwrapped and cut them at the box's edge. The
// text is therefore broken here, at a readable width that the screen holds,
// and the label is made as wide as its widest line (and the caption): the
// box has nothing left to wrap or cut.
void sizeToContent(QMessageBox& box, const QString& caption, const QString& text,
                   const QWidget* owner) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) return;
    const QFontMetrics fm(label->font());

    // Everything beside the label: the layout's margins and the icon.
    int besides = 0;
    if (const QLayout* l = box.layout())
        besides += l->contentsMargins().left() + l->contentsMargins().right();
    if (!box.iconPixmap().isNull()) besides += box.iconPixmap().width() + 12;

    const int screen = availableArea(owner).width();
    const int limit =
        std::max(1, std::min(messageBoxLimit(screen), screen - kFrameAllowance) - besides);
    // The layout rounds text widths: a line as wide as the label could wrap.
    const int slack = std::min(fm.averageCharWidth(), limit / 2);
    const QStringList lines = wrapLines(text, fm, messageWrapWidth(text, fm, limit - slack));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
    box.setText(lines.join(QLatin1Char('\n')));
    label->setMinimumWidth(
        std::min(std::max(widest + slack, captionWidth(caption) - besides), limit));
}

}  // namespace

int captionWidth(const QString& caption) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarExtra;
}

std::unique_ptr<QMessageBox> makeMessageBox(const platform::MessageRequest& request,
                                            QWidget* parent) {
    const bool yesNo = request.buttons == Buttons::YesNo;
    std::unique_ptr<QMessageBox> box = std::make_unique<QuestionBox>(parent, yesNo);
    box->setWindowTitle(toQString(request.caption));
    box->setText(toQString(request.text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(toQtIcon(request.icon));
    sizeToContent(*box, box->windowTitle(), box->text(), parent);
    box->setProperty(kAnswerProperty, static_cast<int>(cancellingAnswer(request.buttons)));
    QPushButton* escape = nullptr;
    bool first = true;
    for (const ButtonSpec& spec : buttonsOf(request.buttons)) {
        QPushButton* button = box->addButton(QString::fromLatin1(spec.text), spec.role);
        button->setProperty(kAnswerProperty, static_cast<int>(spec.answer));
        if (first) box->setDefaultButton(button);
        first = false;
        if (spec.answer == cancellingAnswer(request.buttons)) escape = button;
    }
    if (escape != nullptr && !yesNo) box->setEscapeButton(escape);
    return box;
}

Answer answerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    const QVariant v = clicked != nullptr ? clicked->property(kAnswerProperty)
                                          : box.property(kAnswerProperty);
    return v.isValid() ? static_cast<Answer>(v.toInt()) : Answer::Cancel;
}

Answer showQtMessageBox(const platform::MessageRequest& request,
                        std::chrono::milliseconds keyPause) {
    // Centred on its owner by Qt, above the administration window too.
    const std::unique_ptr<QMessageBox> box = makeMessageBox(request, ownerWindow());
    keepAboveProgram(*box);
    std::optional<KeyPause> pause;
    if (keyPause.count() > 0) pause.emplace(*box, keyPause);
    box->exec();
    return answerOf(*box);
}

void installQtMessageBoxes(std::chrono::milliseconds keyPause) {
    platform::setMessageHandler(
        [keyPause](const platform::MessageRequest& r) { return showQtMessageBox(r, keyPause); });
}

}  // namespace ui

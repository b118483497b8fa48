#include "platform/ui/qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QVariant>
#include <utility>
#include <vector>

#include "platform/ui/qt_text.h"

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

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const platform::MessageRequest& request,
                                            QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(toQString(request.caption));
    box->setText(toQString(request.text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(toQtIcon(request.icon));
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
    if (escape != nullptr) box->setEscapeButton(escape);
    return box;
}

Answer answerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    const QVariant v = clicked != nullptr ? clicked->property(kAnswerProperty)
                                          : box.property(kAnswerProperty);
    return v.isValid() ? static_cast<Answer>(v.toInt()) : Answer::Cancel;
}

Answer showQtMessageBox(const platform::MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = makeMessageBox(request, QApplication::activeWindow());
    box->exec();
    return answerOf(*box);
}

void installQtMessageBoxes() { platform::setMessageHandler(showQtMessageBox); }

}  // namespace ui

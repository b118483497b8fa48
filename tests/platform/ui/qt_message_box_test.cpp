#include "platform/ui/qt_message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "platform/core/codepage.h"

namespace ui {
namespace {

using platform::Answer;
using platform::Buttons;

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    texts.sort();
    return texts;
}

TEST(QtMessageBox, GermanButtonsForEveryButtonSet) {
    struct Case {
        Buttons buttons;
        QStringList texts;  // sorted
        QString defaultText;
    };
    const Case cases[] = {
        {Buttons::Ok, {"OK"}, "OK"},
        {Buttons::OkCancel, {"Abbrechen", "OK"}, "OK"},
        {Buttons::YesNo, {"Ja", "Nein"}, "Ja"},
        {Buttons::YesNoCancel, {"Abbrechen", "Ja", "Nein"}, "Ja"},
        {Buttons::RetryCancel, {"Abbrechen", "Wiederholen"}, "Wiederholen"},
    };
    for (const Case& c : cases) {
        const auto box = makeMessageBox({"t", "c", c.buttons, platform::Icon::None});
        EXPECT_EQ(buttonTexts(*box), c.texts);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->text(), c.defaultText);
    }
}

TEST(QtMessageBox, TextsAreConvertedFromWindows1252) {
    const auto box = makeMessageBox({platform::cp1252("Zu viele Einträge für März"),
                                     platform::cp1252("Kann ich nicht!"), Buttons::Ok,
                                     platform::Icon::Warning});
    EXPECT_EQ(box->text(), QString::fromUtf8("Zu viele Einträge für März"));
    EXPECT_EQ(box->windowTitle(), "Kann ich nicht!");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
}

// Shows the installed handler's dialog and clicks the button with `text`
// once the dialog is up.
Answer clickThrough(Buttons buttons, const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == text) b->click();
        }
    });
    return platform::MessageBox("Frage?", "Achtung", buttons);
}

TEST(QtMessageBox, InstalledHandlerAnswersWithTheClickedButton) {
    installQtMessageBoxes();
    EXPECT_EQ(clickThrough(Buttons::YesNo, "Nein"), Answer::No);
    EXPECT_EQ(clickThrough(Buttons::YesNoCancel, "Ja"), Answer::Yes);
    EXPECT_EQ(clickThrough(Buttons::RetryCancel, "Wiederholen"), Answer::Retry);
    EXPECT_EQ(clickThrough(Buttons::OkCancel, "Abbrechen"), Answer::Cancel);
    // Closed with Escape: the cancelling answer.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    EXPECT_EQ(platform::MessageBox("Frage?", "Achtung", Buttons::YesNo), Answer::No);
    platform::setMessageHandler(nullptr);
}

}  // namespace
}  // namespace ui

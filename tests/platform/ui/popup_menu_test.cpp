#include "platform/ui/popup_menu.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "platform/core/codepage.h"

namespace ui {
namespace {

PopupMenu editMenu() {
    PopupMenu m;
    m.add("&Ausschneiden", 1);
    m.add("&Kopieren", 2);
    m.add(platform::cp1252("&Einfügen"), 3).enabled = false;
    m.addSeparator();
    m.add(platform::cp1252("&Löschen"), 4);
    return m;
}

TEST(PopupMenu, ScriptedChoicesAndRecordedMenus) {
    ScriptedPopupMenus script;
    const PopupMenu m = editMenu();
    script.choose(2);
    script.choose(3);  // disabled: no choice
    EXPECT_EQ(m.popup(QPoint(10, 20)), 2);
    EXPECT_EQ(m.popup(QPoint(10, 20)), 0);
    EXPECT_EQ(m.popup(QPoint(1, 2)), 0);  // queue empty: closed
    ASSERT_EQ(script.shown().size(), 3u);
    EXPECT_EQ(script.shown()[0].position, QPoint(10, 20));
    EXPECT_EQ(script.shown()[0].items.size(), 5u);
    EXPECT_FALSE(script.shown()[0].items[2].enabled);
}

TEST(PopupMenu, ItemLookupSkipsSeparators) {
    PopupMenu m = editMenu();
    ASSERT_NE(m.item(4), nullptr);
    EXPECT_EQ(m.item(4)->caption, platform::cp1252("&Löschen"));
    EXPECT_EQ(m.item(0), nullptr);
    EXPECT_EQ(m.item(99), nullptr);
}

TEST(PopupMenu, QtMenuReturnsTheChosenId) {
    const PopupMenu m = editMenu();
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (QAction* a : menu->actions()) texts << a->text();
        menu->setActiveAction(menu->actions()[4]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(m.popup(QPoint(50, 50)), 4);
    EXPECT_EQ(texts, (QStringList{"&Ausschneiden", "&Kopieren", QString::fromUtf8("&Einfügen"), "",
                                  QString::fromUtf8("&Löschen")}));
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activePopupWidget()) w->close();
    });
    EXPECT_EQ(m.popup(QPoint(50, 50)), 0);
}

}  // namespace
}  // namespace ui

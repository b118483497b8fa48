// F1 in every window opens that window's page; the help window is not modal,
// belongs to the window it was asked from (a modal dialog too, which keeps
// its keys), closes with Escape and outlives the dialog it was opened over.
// Keys go through the window system's queue, where a window blocked by a
// modal dialog gets none.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <functional>

#include "app/dialogs/administration_dialog.h"
#include "app/dialogs/hand_dialog.h"
#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/user_dialog.h"
#include "app/main_window/window_parts.h"
#include "controls/icontab/icontab.h"
#include "tests/app/dialogs/dialog_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class HelpWindowTest : public DialogTest {
protected:
    void TearDown() override {
        app::TBenutzer::modalRunner() = [](app::TBenutzer& d) { return d.exec(); };
        DialogTest::TearDown();
    }
    // The help the program really shows, built-in pages (no help folder).
    void realHelp() {
        form->onHelp = [this](int context, QWidget* from) {
            helpShown.push_back(context);
            app::showHelp(platform::joinPath(dataDir(), "Hilfe.hlp"), context, from);
        };
    }
    // A key pressed in `w`'s window, delivered by the window system to the
    // control that has the keyboard there.
    static void press(QWidget& w, Qt::Key key) {
        w.setFocus();
        QTest::keyClick(w.window()->windowHandle(), key);
    }
    static void type(QWidget& w, const char* text) {
        w.setFocus();
        for (const char* c = text; *c != '\0'; ++c)
            QTest::keyClick(w.window()->windowHandle(), static_cast<char>(*c));
    }
    static app::HelpWindow* help() { return app::HelpWindow::current(); }
    static QString page() {
        return help() != nullptr ? help()->browser()->source().fileName() : QString();
    }
};

TEST_F(HelpWindowTest, F1InEveryWindowOpensItsOwnPage) {
    addUser("anna", "geheim");
    scriptSignIn("", "8542");  // the administrator: his window opens too
    start();
    form->show();
    ASSERT_TRUE(form->Verwaltung);
    form->Verwaltung->show();
    // He chooses Anna: her month is shown, the month and year fields take keys.
    form->Verwaltung->Liste->SetRow(1);
    form->Verwaltung->ListeSelectCell(false);
    ASSERT_TRUE(form->ComboBox1->isEnabled() && form->Anzeige_Jahr->isEnabled());
    app::TBenutzer benutzer(*form);
    app::THand hand(*form);
    app::TFeiertage einstellung(*form);
    QWidget* yearEdit = form->Anzeige_Jahr->findChild<QLineEdit*>();
    ASSERT_NE(yearEdit, nullptr);
    const struct {
        const char* where;
        std::function<QWidget&()> control;  // the control that has the keyboard
        int context;
        const char* page;
    } cases[] = {
        {"Blatt", [&]() -> QWidget& { return *form->centralWidget(); }, app::kHelpBlatt,
         "blatt.html"},
        {"Monat", [&]() -> QWidget& { return *form->ComboBox1; }, app::kHelpMonat, "monat.html"},
        {"Jahr", [&]() -> QWidget& { return *yearEdit; }, app::kHelpMonat, "monat.html"},
        {"Werkzeugleiste", [&]() -> QWidget& { return *form->ToolBar1; },
         app::kHelpWerkzeugleiste, "befehle.html"},
        {"Anmeldung", [&]() -> QWidget& { return *anmeldung->Edit1; }, app::kHelpAnmeldung,
         "anmeldung.html"},
        {"Benutzer", [&]() -> QWidget& { return *benutzer.Name; }, app::kHelpBenutzer,
         "benutzer.html"},
        {"Handeinstellung", [&]() -> QWidget& { return hand; }, app::kHelpHandeinstellung,
         "handeinstellung.html"},
        {"Einstellung", [&]() -> QWidget& { return einstellung; }, app::kHelpEinstellung,
         "einstellungen.html"},
        {"Verwaltung", [&]() -> QWidget& { return *form->Verwaltung->ComboBox1; },
         app::kHelpVerwaltung, "verwaltung.html"},
    };
    for (const auto& c : cases) {
        QWidget& control = c.control();
        control.window()->show();
        QApplication::processEvents();
        helpShown.clear(), helpFrom.clear();
        press(control, Qt::Key_F1);
        EXPECT_EQ(helpShown, std::vector<int>{c.context}) << c.where;
        EXPECT_EQ(helpFrom, std::vector<QWidget*>{control.window()}) << c.where;
        // The page of that context is the window's own.
        EXPECT_TRUE(app::helpPage(platform::joinPath(dataDir(), "Hilfe.hlp"), c.context)
                        .ends_with(std::string("/") + c.page))
            << c.where;
        if (control.window() != form.get() && control.window() != form->Verwaltung)
            control.window()->hide();
    }
}

TEST_F(HelpWindowTest, HelpOverAModalDialogLeavesTheDialogUsable) {
    createWindow();
    realHelp();
    form->show();
    anmeldung = std::make_unique<app::TAnmeldung>(*form);
    bool geprueft = false;
    app::TAnmeldung::modalRunner() = [&](QDialog& d) {
        QTimer::singleShot(0, [&] {
            auto& a = static_cast<app::TAnmeldung&>(d);
            ASSERT_EQ(QApplication::activeModalWidget(), &d);
            press(*a.Edit1, Qt::Key_F1);
            ASSERT_NE(help(), nullptr);
            EXPECT_TRUE(help()->isVisible());
            EXPECT_EQ(page(), "anmeldung.html");
            // Above the dialog, not modal itself: the dialog is still the modal one.
            EXPECT_EQ(help()->owner(), &d);
            EXPECT_EQ(help()->windowHandle()->transientParent(), d.windowHandle());
            EXPECT_FALSE(help()->isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), &d);
            // The dialog takes keys while help is open ...
            type(*a.Edit1, "anna");
            EXPECT_EQ(a.Edit1->text(), "anna");
            // ... and help takes its own: Escape closes it, the dialog stays.
            QTest::keyClick(help()->windowHandle(), Qt::Key_Escape);
            EXPECT_FALSE(help()->isVisible());
            EXPECT_TRUE(d.isVisible());
            // Opened again and the dialog closed: help stays, above the main window.
            press(*a.Edit2, Qt::Key_F1);
            EXPECT_TRUE(help()->isVisible());
            a.Button1Click();
            geprueft = true;
        });
        return d.exec();
    };
    anmeldung->zeigeModal();
    ASSERT_TRUE(geprueft);
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(help()->owner(), form.get());
    EXPECT_EQ(help()->windowHandle()->transientParent(), form->windowHandle());
    EXPECT_EQ(helpShown, (std::vector<int>{app::kHelpAnmeldung, app::kHelpAnmeldung}));
}

TEST_F(HelpWindowTest, HelpOutlivesADialogThatIsDestroyed) {
    createWindow();
    realHelp();
    form->show();
    app::TBenutzer::modalRunner() = [&](app::TBenutzer& d) {
        QTimer::singleShot(0, [&] {
            press(*d.Name, Qt::Key_F1);
            EXPECT_EQ(page(), "benutzer.html");
            type(*d.Name, "Muster");
            EXPECT_EQ(d.Name->text(), "Muster");
            d.done(QDialog::Rejected);
        });
        return d.exec();
    };
    {
        app::TBenutzer dialog(*form);
        dialog.zeigeModal();
    }
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(help()->owner(), form.get());
}

TEST_F(HelpWindowTest, HelpForTheProgramLeavesTheMainWindowUsable) {
    createWindow();
    realHelp();
    form->show();
    form->action("HilfezumProgramm1")->trigger();  // returns at once: nothing waits for help
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_EQ(page(), "index.html");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The main window still takes keys: F1 on its sheet turns help to the sheet's page.
    press(*form->centralWidget(), Qt::Key_F1);
    EXPECT_EQ(page(), "blatt.html");
    EXPECT_EQ(helpShown, (std::vector<int>{0, app::kHelpBlatt}));
    // Escape in the page itself closes it.
    QTest::keyClick(help()->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help()->isVisible());
}

TEST(HelpPlacement, BesideTheWindowItBelongsToAsFarAsTheScreenAllows) {
    const QRect screen(0, 0, 1920, 1200);
    const QSize help(640, 560);
    const struct {
        QRect owner;
        QPoint expected;
    } cases[] = {
        {{810, 540, 300, 130}, {1110, 540}},   // room on the right
        {{1500, 100, 300, 130}, {860, 100}},   // none on the right: left of it
        {{1300, 700, 300, 130}, {660, 640}},   // left, and up so it stays on the screen
        {{0, 0, 1920, 1200}, {1280, 0}},       // a window over the whole screen: covered
        {{}, {640, 320}},                      // no window: centred
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::helpPlacement(help, c.owner, screen), c.expected) << c.owner.x();
    // 1024 x 768 at scale 1.5: the help window covers the least of the main window.
    EXPECT_EQ(app::helpPlacement({614, 460}, {0, 0, 747, 512}, {0, 0, 682, 512}), QPoint(68, 0));
}

}  // namespace
}  // namespace app_test

// The administrator password dialog, the correction dialog and the about
// box with its seven-segment clock.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/correction_dialog.h"
#include "app/dialogs/hand_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/segment_clock.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/dialogs/user_dialog.h"
#include "tests/app/dialogs/dialog_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class SmallDialogsTest : public DialogTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
};

TEST_F(SmallDialogsTest, PasswordNeedsTheOldOneAndRefusesAnEmptyNewOne) {
    scriptSignIn("", "8542");
    start();
    struct Case {
        const char* alt;
        const char* neu;
        const char* caption;  // of the refusal, "" when taken
        const char* password;  // afterwards
    };
    for (const Case& c : {Case{"falsch", "neu", "Passwort falsch!", "8542"},
                          Case{"8542", "", "Passwort fehlt!", "8542"},
                          Case{"8542", "geheim", "", "geheim"}}) {
        boxes.clear();
        scriptDialog<app::TForm7>([&](app::TForm7& d) {
            d.Edit1->setText(c.alt), d.Edit2->setText(c.neu);
            d.Button1->click();
            EXPECT_EQ(d.isVisible(), *c.caption != '\0') << c.neu;
            if (d.isVisible()) d.Button2->click();  // then "Abbruch"
        });
        app::MenuePasswortClick(*form);
        EXPECT_EQ(tuple(openAfterScript, b().adminPasswort), tuple(false, std::string(c.password)));
        EXPECT_EQ(boxes.count() == 0 ? "" : boxes.last().caption, c.caption);
    }
    // The new password reaches the settings file; the next start signs in with it.
    ASSERT_TRUE(form->FormClose());
    scriptSignIn("", "geheim");
    start();
    EXPECT_TRUE(b().administrator);
}

TEST_F(SmallDialogsTest, PasswordFieldsShowStars) {
    createWindow();
    app::TAnmeldung anmeldung(*form);
    app::TBenutzer benutzer(*form);
    app::TForm7 passwort(*form);
    for (QLineEdit* feld :
         {anmeldung.Edit2, benutzer.Passwort, benutzer.Passwort2, passwort.Edit2}) {
        feld->setText(QStringLiteral("ab c"));
        EXPECT_EQ(feld->displayText(), QStringLiteral("****"));
    }
    EXPECT_EQ(passwort.Edit1->displayText(), passwort.Edit1->text());  // the old one in plain text
}

TEST_F(SmallDialogsTest, CorrectionsLowerTheTotalsAndRefuseNonNumbers) {
    createWindow();
    EXPECT_EQ(&app::TKonto::von(*form), &app::TKonto::von(*form));  // one for the whole run
    b().summen[1] = 120;  // two hours at the normal percentage
    b().summen[2] = 60;
    b().Summen_anzeigen(0);
    const auto figure = [&](int line) {
        const std::string& l = b().summenZeilen[line];
        return l.substr(l.size() - 8);
    };
    const std::string normal = figure(1), extra = figure(2);
    struct Case {
        const char *k25, *k50;
        bool ok;       // OK pressed (else "Abbruch")
        bool refused;  // OK refused with a message, then "Abbruch"
        int32_t korrektur25, korrektur50;
        const char* line1;  // in the figure of line 1; null: the totals as before
    };
    for (const Case& c : {Case{"0", "0", true, false, 0, 0, nullptr},
                          Case{" 600", "-30", true, false, 600, -30, "-8,0"},
                          Case{"12x", "5", true, true, 600, -30, "-8,0"},
                          Case{"", "5", true, true, 600, -30, "-8,0"},
                          Case{"5", "3000000000", true, true, 600, -30, "-8,0"},
                          Case{"60", "60", false, false, 600, -30, "-8,0"}}) {
        boxes.clear();
        scriptDialog<app::TKonto>([&](app::TKonto& d) {
            d.UeDaten25->setText(c.k25), d.UeDaten50->setText(c.k50);
            (c.ok ? d.Button2 : d.Button1)->click();
            EXPECT_EQ(d.isVisible(), c.refused) << c.k25;
            if (d.isVisible()) d.Button1->click();
        });
        app::berstundenkonto1Click(*form);
        EXPECT_EQ(tuple(boxes.count(), b().korrekturNormal, b().korrekturExtra),
                  tuple(c.refused ? 1u : 0u, c.korrektur25, c.korrektur50))
            << c.k25;
        if (c.refused) {
            EXPECT_EQ(boxes.last().text, cp1252("Keine gültige Zahl eingegeben!"));
        }
        if (c.line1 == nullptr) {
            EXPECT_EQ(tuple(figure(1), figure(2)), tuple(normal, extra));
        } else {
            EXPECT_NE(figure(1).find(c.line1), std::string::npos) << figure(1);
        }
    }
}

// The digit a clock position shows, read back from the segment pixels.
int digitAt(const QImage& img, int stelle) {
    uint8_t pattern = 0;
    for (int s = 0; s < 7; ++s) {
        const ui::Rect r = app::segmentRect(stelle, s);
        const ui::TColor c =
            ui::fromQColor(img.pixelColor((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        EXPECT_TRUE(c == app::kSegmentAn || c == app::kSegmentAus) << stelle << " " << s;
        if (c == app::kSegmentAn) pattern |= static_cast<uint8_t>(1u << s);
    }
    for (int d = 0; d < 10; ++d)
        if (app::kSegmentMuster[d] == pattern) return d;
    return -1;
}

TEST_F(SmallDialogsTest, TheAboutClockShowsThePinnedTimeAndBlinksItsColon) {
    createWindow();
    for (const auto& [h, m, digits] :
         {tuple(9, 5, std::array{0, 9, 0, 5}), tuple(23, 47, std::array{2, 3, 4, 7}),
          tuple(18, 16, std::array{1, 8, 1, 6})}) {
        platform::ScopedClock pinned{at(2026, 12, 6, h, m)};
        app::TAboutBox box(form.get());
        const QImage& img = box.ProgramIcon->backingImage();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(digitAt(img, i), digits[i]) << h << ":" << m;
    }
    platform::ScopedClock pinned{at(2026, 12, 6, 9, 5)};
    app::TAboutBox box(form.get());
    const ui::Rect colon = app::doppelpunktRect();
    const auto colonLit = [&] {
        return ui::fromQColor(box.ProgramIcon->backingImage().pixelColor(
                   colon.left + 1, colon.top + 3)) == app::kSegmentAn;
    };
    std::vector<bool> lit;
    for (int tick = 0; tick < 4; ++tick) {
        const bool phase = app::TAboutBox::doppelpunktPhase();
        box.Timer1Timer();
        EXPECT_EQ(colonLit(), phase);
        lit.push_back(colonLit());
    }
    EXPECT_EQ(lit, (std::vector<bool>{lit[0], !lit[0], lit[0], !lit[0]}));
    // The timer runs only while the box is open.
    scriptDialog<app::TAboutBox>([&](app::TAboutBox& d) {
        EXPECT_EQ(tuple(d.Timer1.enabled(), d.Timer1.interval()), tuple(true, 500));
        d.Timer1Timer();
        screenshot(d, "about_box");
        d.OKButton->click();
        EXPECT_FALSE(d.Timer1.enabled());
    });
    app::Info1Click(*form);
    EXPECT_EQ(dialogRuns, 1);
}

// Enter and Escape reach the default and the cancel button whichever control
// has the focus, the drawn clock and calendar included.
TEST_F(SmallDialogsTest, EnterAndEscapeReachTheButtonsFromEveryControl) {
    createWindow();
    const struct {
        Qt::Key key;
        int result;
    } keys[] = {{Qt::Key_Return, 1}, {Qt::Key_Enter, 1}, {Qt::Key_Escape, 0}};
    const std::function<void()> commands[] = {[&] { app::Info1Click(*form); },
                                              [&] { app::ZHandExecute(*form); }};
    for (const auto& command : commands) {
        for (const auto& k : keys) {
            for (int index = 0;; ++index) {
                int result = -1;
                bool more = false;
                app::dialogRunner() = [&](QDialog& d) {
                    d.show();
                    QApplication::setActiveWindow(&d);
                    std::vector<QWidget*> focusable;
                    for (QWidget* w : d.findChildren<QWidget*>())
                        if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(&d) &&
                            qobject_cast<QPushButton*>(w) == nullptr)
                            focusable.push_back(w);
                    more = index + 1 < static_cast<int>(focusable.size());
                    if (index < static_cast<int>(focusable.size())) {
                        focusable[static_cast<size_t>(index)]->setFocus();
                        QTest::keyClick(QApplication::focusWidget(), k.key);
                    }
                    result = d.isVisible() ? -1 : d.result();
                    d.hide();
                    return d.result();
                };
                command();
                EXPECT_EQ(result, k.result) << "key " << k.key << " control " << index;
                if (!more) break;
            }
        }
    }
}

}  // namespace
}  // namespace app_test

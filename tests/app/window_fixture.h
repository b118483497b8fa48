// A main window started offscreen in an empty program folder of its own,
// with a pinned clock, scripted message boxes, counted beeps, scripted file
// dialogs and a scripted sign-in dialog.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QLineEdit>
#include <QCheckBox>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/sign_in_dialog.h"
#include "book/user_db_format.h"
#include "book/zeitbuch.h"
#include "platform/core/date.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/ui/beep.h"
#include "platform/ui/qt_text.h"
#include "tests/support/temp_dir.h"

namespace app_test {

inline platform::DateTime at(int y, int mo, int d, int h = 9, int mi = 30) {
    return platform::encodeDate(y, mo, d) + platform::encodeTime(h, mi);
}

class WindowTest : public ::testing::Test {
protected:
    testing_support::TempDir dir;
    platform::ScopedClock clock{at(2026, 12, 6)};
    platform::ScriptedMessages boxes;
    int beeps = 0;
    bool terminated = false;
    std::vector<int> helpShown;
    int fileAsks = 0;
    std::string fileAnswer;  // what the file dialogs answer ("" = cancelled)
    int modalRuns = 0;
    std::unique_ptr<app::TForm1> form;
    std::unique_ptr<app::TAnmeldung> anmeldung;

    void SetUp() override {
        oldCwd_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        ui::setBeepHandler([this] { ++beeps; });
        oldRunner_ = app::TAnmeldung::modalRunner();
        // Unless a test scripts the user, the sign-in dialog is cancelled.
        app::TAnmeldung::modalRunner() = [this](QDialog& d) {
            ++modalRuns;
            d.show();
            static_cast<app::TAnmeldung&>(d).Button1Click();
            d.hide();
            return d.result();
        };
    }

    void TearDown() override {
        anmeldung.reset();
        form.reset();
        app::TAnmeldung::modalRunner() = oldRunner_;
        ui::setBeepHandler({});
        std::filesystem::current_path(oldCwd_);
    }

    std::string dataDir() const { return platform::joinPath(dir.path(), "Benutzer"); }

    // The window without the sign-in dialog.
    void createWindow() {
        form = std::make_unique<app::TForm1>();
        form->onTerminate = [this] { terminated = true; };
        form->onHelp = [this](int context) { helpShown.push_back(context); };
        form->fileDialog = [this](const std::string&, const std::string&, bool) {
            ++fileAsks;
            return fileAnswer;
        };
    }

    // Start-up as the program does it: window, then the sign-in dialog.
    void start() {
        createWindow();
        anmeldung = std::make_unique<app::TAnmeldung>(*form);
        anmeldung->FormCreate();
    }

    // The next modal sign-in: the user types name and password and presses OK
    // (a refused sign-in keeps the dialog open; the user then cancels).
    void scriptSignIn(const std::string& name, const std::string& password, bool automatic = false) {
        app::TAnmeldung::modalRunner() = [this, name, password, automatic](QDialog& d) {
            ++modalRuns;
            auto& a = static_cast<app::TAnmeldung&>(d);
            d.show();
            a.Edit1->setText(ui::toQString(name));
            a.Edit2->setText(ui::toQString(password));
            a.CheckBox1->setChecked(automatic);
            a.Ok1Click();
            stillOpenAfterOk = d.isVisible();
            if (d.isVisible()) a.Button1Click();
            d.hide();
            return d.result();
        };
    }
    bool stillOpenAfterOk = false;

    // A user in the database of the program folder.
    void addUser(const std::string& name, const std::string& password, uint8_t options = 0x01,
                 const std::string& last = "Muster", const std::string& first = "Erika",
                 const std::string& area = "Technik") {
        std::filesystem::create_directories(dataDir());
        book::NullHost host;
        book::Zeitbuch b(host);
        b.datenOrdner = dataDir();
        book::Benutzerdaten u;
        u.benutzername = name;
        u.passwort = password;
        u.name = last;
        u.vorname = first;
        u.personalnummer = "42";
        u.bereich = area;
        u.optionen = options;
        ASSERT_TRUE(b.Benutzer_anlegen(u));
    }

    // Writes "Kronlauf.ini" into the program folder; `edit` changes the book first.
    template <typename Edit>
    void writeSettings(Edit edit) {
        book::NullHost host;
        book::Zeitbuch b(host);
        b.programmOrdner = dir.path();
        b.datenOrdner = dataDir();
        edit(b);
        ASSERT_TRUE(b.Einstellungen_laden_speichern(false));
    }

    void truncateFile(const std::string& path, std::uintmax_t size) {
        std::filesystem::resize_file(path, size);
    }

    std::string caption() const { return ui::fromQString(form->windowTitle()); }

    // Texts of the boxes shown so far.
    bool shownText(const std::string& text) const {
        for (const auto& b : boxes.shown())
            if (b.text == text) return true;
        return false;
    }

private:
    std::filesystem::path oldCwd_;
    std::function<int(QDialog&)> oldRunner_;
};

}  // namespace app_test

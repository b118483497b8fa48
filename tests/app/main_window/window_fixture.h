// A main window started offscreen in an empty program folder of its own,
// with a pinned clock, scripted message boxes, scripted file
// dialogs and a scripted sign-in dialog.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <filesystem>
#include <optional>

#include "app/dialogs/file_dialogs.h"
#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/dialogs/print_dialog.h"
#include "platform/ui/printing/recording_printer.h"
#include "platform/ui/drawing/qt_text.h"
#include "tests/support/temp_dir.h"

namespace app_test {

using platform::cp1252;

inline platform::DateTime at(int y, int mo, int d, int h = 9, int mi = 30) {
    return platform::encodeDate(y, mo, d) + platform::encodeTime(h, mi);
}

class WindowTest : public ::testing::Test {
protected:
    testing_support::TempDir dir;
    platform::ScopedClock clock{at(2026, 12, 6)};
    platform::ScriptedMessages boxes;
    int fileAsks = 0, modalRuns = 0;
    bool terminated = false, stillOpenAfterOk = false;
    std::vector<int> helpShown;
    std::vector<QWidget*> helpFrom;  // the window each help was asked from
    int beeps = 0;
    std::string fileAnswer;  // what the file dialogs answer ("" = cancelled)
    std::unique_ptr<app::TForm1> form;
    std::unique_ptr<app::TAnmeldung> anmeldung;

    void SetUp() override {
        std::filesystem::current_path(dir.path());
        ui::setBeepHandler([this] { ++beeps; });
        oldRunner_ = app::TAnmeldung::modalRunner();
        scriptSignIn({}, {});  // unless a test scripts the user, the sign-in dialog is cancelled
    }
    void TearDown() override {
        anmeldung.reset(), form.reset();
        app::TAnmeldung::modalRunner() = oldRunner_;
        ui::setBeepHandler({});
        std::filesystem::current_path(oldCwd_);
    }
    std::filesystem::path oldCwd_ = std::filesystem::current_path();

    std::string dataDir() const { return platform::joinPath(dir.path(), "Benutzer"); }

    // The window without the sign-in dialog (any earlier one closed first).
    void createWindow() {
        anmeldung.reset(), form.reset();
        form = std::make_unique<app::TForm1>();
        terminated = false;
        form->onTerminate = [this] { terminated = true; };
        form->onHelp = [this](int context, QWidget* from) {
            helpShown.push_back(context);
            helpFrom.push_back(from);
        };
        form->fileDialog = [this](const app::DateiFrage&) { return ++fileAsks, fileAnswer; };
    }
    // Start-up as the program does it: window, then the sign-in dialog.
    void start() {
        createWindow();
        anmeldung = std::make_unique<app::TAnmeldung>(*form);
        anmeldung->FormCreate();
    }

    // The next modal sign-in: the user types name and password and presses OK
    // (a refused sign-in keeps the dialog open; the user then cancels).
    // Without a name the user just cancels.
    void scriptSignIn(std::optional<std::string> name, std::string password,
                      bool automatic = false) {
        app::TAnmeldung::modalRunner() = [=, this](QDialog& d) {
            auto& a = static_cast<app::TAnmeldung&>(d);
            ++modalRuns, d.show();
            if (name) {
                a.Edit1->setText(ui::toQString(*name)), a.Edit2->setText(ui::toQString(password));
                a.CheckBox1->setChecked(automatic), a.Ok1Click();
                stillOpenAfterOk = d.isVisible();
            }
            if (d.isVisible()) a.Button1Click();
            return d.hide(), d.result();
        };
    }

    // A user "Muster Erika", area "Technik", in the database of the program folder.
    void addUser(const std::string& name, const std::string& password, uint8_t options = 0x01) {
        std::filesystem::create_directories(dataDir());
        book::NullHost host;
        book::Zeitbuch b(host);
        b.datenOrdner = dataDir();
        book::Benutzerdaten u;
        u.benutzername = name, u.passwort = password, u.name = "Muster", u.vorname = "Erika";
        u.personalnummer = "42", u.bereich = "Technik", u.optionen = options;
        ASSERT_TRUE(b.Benutzer_anlegen(u));
    }

    // Writes "Kronlauf.ini" into the program folder (`edit` changes the book first),
    // or with edit == nullptr reads it back.
    book::Zeitbuch& settings(std::function<void(book::Zeitbuch&)> edit = nullptr) {
        static book::NullHost host;
        stored_ = std::make_unique<book::Zeitbuch>(host);
        stored_->programmOrdner = dir.path();
        stored_->datenOrdner = dataDir();
        if (edit) edit(*stored_);
        EXPECT_TRUE(stored_->Einstellungen_laden_speichern(edit == nullptr));
        return *stored_;
    }

    std::string caption() const { return ui::fromQString(form->windowTitle()); }

    std::function<int(QDialog&)> oldRunner_;
    std::unique_ptr<book::Zeitbuch> stored_;
};

// The window test with the recording printer in place of the real one.
class PrintingWindowTest : public WindowTest {
protected:
    ui::ScopedRecordingPrinter printer;

    void TearDown() override {
        ui::setPrintDialogRunner({});
        WindowTest::TearDown();
    }
};

}  // namespace app_test

// The main window fixture with a scripted runner for the dialogs of its
// commands: a test says what the user does in the shown dialog.
#pragma once

#include <QDialog>
#include <cstdlib>
#include <functional>

#include "app/dialogs/dialog_runner.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {

class DialogTest : public WindowTest {
protected:
    int dialogRuns = 0;
    bool openAfterScript = false;  // the dialog was still open when the script ended

    void SetUp() override {
        WindowTest::SetUp();
        oldDialogRunner_ = app::dialogRunner();
    }
    void TearDown() override {
        app::dialogRunner() = oldDialogRunner_;
        WindowTest::TearDown();
    }

    // The next dialogs: shown, the script plays the user, then the result.
    template <class D>
    void scriptDialog(std::function<void(D&)> script) {
        app::dialogRunner() = [this, script](QDialog& d) {
            ++dialogRuns, d.show();
            script(dynamic_cast<D&>(d));
            openAfterScript = d.isVisible();
            return d.hide(), d.result();
        };
    }

    // With KLB_SCREENSHOTS set, the dialog's image goes into that folder.
    static void screenshot(QWidget& w, const char* name) {
        if (const char* dir = std::getenv("KLB_SCREENSHOTS"))
            w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
    }

    std::function<int(QDialog&)> oldDialogRunner_;
};

}  // namespace app_test

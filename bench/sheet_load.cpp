// Signing in with the month load as the program does it (on the main window
// before it is shown), the first show of the window, and one month step on
// the shown window: CPU time through the event loop (the paint and its copy
// to the screen included) and the paint events of the whole main window,
// beside the library calls alone (sign-in check and month load on a book
// without a window). A user with 24 months of 40 lines; medians of 15 rounds.
#include <QLineEdit>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/main_window/window_parts.h"
#include "bench/bench_application.h"
#include "bench/sample_database.h"
#include "bench/screen_measure.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"

namespace {

struct Round {
    double signIn = 0, show = 0, library = 0, step = 0;
    int signInPaints = 0, stepPaints = 0;
    bool ok = false;
};

Round round(const std::string& daten) {
    Round r;
    {
        book::NullHost host;
        book::Zeitbuch b(host);
        b.datenOrdner = daten;
        const double t0 = bench::cpuMs();
        const bool in = b.Pruefe_Anmeldung("benutzer0", "kennwort");
        b.Monat_laden(0, 0);
        r.library = bench::cpuMs() - t0;
        if (!in || b.zeilen.size() < 2) return r;
    }
    app::TForm1 form;
    app::TAnmeldung anmeldung(form);
    anmeldung.show();
    QApplication::processEvents();
    anmeldung.Edit1->setText("benutzer0");
    anmeldung.Edit2->setText("kennwort");
    QApplication::processEvents();
    bench::PaintCounter window(&form, true);
    double t0 = bench::cpuMs();
    anmeldung.Ok1Click();  // the main window is not shown yet
    anmeldung.hide();
    QApplication::processEvents();
    r.signIn = bench::cpuMs() - t0;
    r.ok = form.buch().angemeldet && form.buch().zeilen.size() > 2;
    t0 = bench::cpuMs();
    if (!bench::showExposed(form)) return r;
    r.show = bench::cpuMs() - t0;
    r.signInPaints = window.count();
    window.reset();
    t0 = bench::cpuMs();
    form.ToolButton7Click();
    QApplication::processEvents();
    r.step = bench::cpuMs() - t0;
    r.stepPaints = window.count();
    r.ok = r.ok && form.buch().zeilen.size() > 2;
    return r;
}

}  // namespace

int main() {
    bench::application();
    const bench_support::TempFolder programm;
    const std::filesystem::path alt = std::filesystem::current_path();
    std::filesystem::current_path(programm.dir);
    const std::string daten = programm.dir + "/Benutzer";
    std::filesystem::create_directories(daten);
    // The months run up to December of this year: the last one is loaded.
    const int jahr = platform::decodeDate(platform::now()).year;
    if (bench_support::writeSample(daten, 1, jahr - 1) < 0) return 1;
    int rc = 0;
    {
        platform::ScriptedMessages boxes;
        app::TAnmeldung::modalRunner() = [](QDialog&) { return 0; };
        std::vector<double> signIn, show, library, step, paints, stepPaints;
        for (int i = 0; i < 15; ++i) {
            const Round r = round(daten);
            if (!r.ok) {
                std::fprintf(stderr, "load: the sign-in or the month did not load\n");
                rc = 1;
                break;
            }
            signIn.push_back(r.signIn);
            show.push_back(r.show);
            library.push_back(r.library);
            step.push_back(r.step);
            paints.push_back(r.signInPaints);
            stepPaints.push_back(r.stepPaints);
        }
        if (boxes.count() != 0) {
            std::fprintf(stderr, "load: a message box was shown\n");
            rc = 1;
        }
        std::printf("load: library calls %.3f ms, sign-in+month on the hidden window %.3f ms, "
                    "first show %.3f ms, paints of the window %.0f; month step %.3f ms, "
                    "paints of the window %.0f\n",
                    bench::median(library), bench::median(signIn), bench::median(show),
                    bench::median(paints), bench::median(step), bench::median(stepPaints));
    }
    std::filesystem::current_path(alt);
    return rc;
}

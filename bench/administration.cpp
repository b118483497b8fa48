// The administration window on a database of 1 000 users with 24 months
// each: opening it (reading the user index into the list and showing it)
// and one search through the list that finds nothing, so every row is read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/dialogs/administration_dialog.h"
#include "app/main_window/main_window.h"
#include "bench/bench_application.h"
#include "bench/sample_database.h"
#include "controls/icontab/icontab.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/core/message_box.h"

namespace {

// A main window in an empty program folder with the administrator signed in
// on the sample database.
struct Umgebung {
    std::filesystem::path ordner, alt = std::filesystem::current_path();
    platform::ScriptedMessages boxes;
    std::unique_ptr<app::TForm1> form;

    Umgebung() {
        bench::application();
        const std::string daten = bench_support::database().dir;
        std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        ordner = tmpl;
        std::filesystem::current_path(ordner);
        form = std::make_unique<app::TForm1>();
        form->buch().datenOrdner = daten;
        form->buch().administrator = form->buch().angemeldet = true;
    }
    ~Umgebung() {
        form.reset();
        std::filesystem::current_path(alt);
        std::filesystem::remove_all(ordner);
    }
};

void BM_AdministrationOpen(benchmark::State& state) {
    Umgebung u;
    for (auto _ : state) {
        app::TVerwaltung v(*u.form);
        v.show();
        QCoreApplication::processEvents();
        if (v.benutzer().size() != bench_support::kUsers) state.SkipWithError("users missing");
    }
    if (u.boxes.count() != 0) state.SkipWithError("a message box was shown");
}
BENCHMARK(BM_AdministrationOpen)->Unit(benchmark::kMillisecond);

void BM_AdministrationSearch(benchmark::State& state) {
    Umgebung u;
    app::TVerwaltung v(*u.form);
    v.show();
    v.Suchfeld1->SetText("zzz");
    for (auto _ : state) v.Liste->Suche(table::kSucheJetzt);
    if (u.boxes.count() != 0) state.SkipWithError("a message box was shown");
}
BENCHMARK(BM_AdministrationSearch)->Unit(benchmark::kMillisecond);

}  // namespace

// Start-up to a shown main window: settings, database check with safety
// copies of a database of 100 users, the month sheet, the sign-in dialog.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>

#include "bench/bench_application.h"
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app/sign_in_dialog.h"
#include "book/user_db_format.h"
#include "book/zeitbuch.h"
#include "platform/core/message_box.h"

namespace {

// A program folder with "Benutzer" holding `users` users.
std::filesystem::path programFolder(int users) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
    const std::filesystem::path dir(tmpl);
    std::filesystem::create_directories(dir / "Benutzer");
    book::NullHost host;
    book::Zeitbuch b(host);
    b.datenOrdner = (dir / "Benutzer").string();
    for (int i = 0; i < users; ++i) {
        book::Benutzerdaten u;
        u.benutzername = "benutzer" + std::to_string(i);
        u.passwort = "geheim";
        u.name = "Name";
        u.vorname = "Vorname";
        u.bereich = "Bereich";
        if (!b.Benutzer_anlegen(u)) std::abort();
    }
    return dir;
}

void BM_StartupToShownWindow(benchmark::State& state) {
    bench::application();
    const std::filesystem::path dir = programFolder(100);
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    platform::ScriptedMessages boxes;
    app::TAnmeldung::modalRunner() = [](QDialog&) { return 0; };  // the user does not answer
    for (auto _ : state) {
        app::TForm1 form;
        app::TAnmeldung anmeldung(form);
        anmeldung.FormCreate();
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.buch().datenbankFehler);
    }
    if (boxes.count() != 0) state.SkipWithError("a message box was shown");
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

}  // namespace

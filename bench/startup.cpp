// Start-up to a shown main window: settings, database check with safety
// copies of a database of 100 users, the month sheet, the sign-in dialog.
// Then the safety copies of a 300 MB database against `cp` + fsync of the
// same files to new files, each timed alone after the disk has taken every
// earlier write; one summary line.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "bench/bench_application.h"
#include "book/backup/backup.h"
#include "book/database/user_db_format.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/file.h"
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

// Milliseconds of one call.
template <typename F>
double timed(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The copies only move bytes, so the files hold noise of the database's size.
void writeNoise(const std::string& path, int64_t bytes) {
    std::mt19937_64 rng(1);
    std::vector<uint64_t> chunk(1 << 17);
    platform::File f;
    if (!f.open(path, platform::OpenMode::CreateWrite)) std::abort();
    for (int64_t done = 0; done < bytes;) {
        for (uint64_t& x : chunk) x = rng();
        const int64_t n = std::min<int64_t>(bytes - done, int64_t(chunk.size() * 8));
        if (!f.write(chunk.data(), n)) std::abort();
        done += n;
    }
    if (!f.sync() || !f.close()) std::abort();
}

// The start-up's safety copies (durable: each file synced, renamed, its
// folder synced) against `cp` to new files followed by their fsync (`sync`
// with file names). Each is timed alone on a settled disk: every earlier
// write is synced first, outside the time. cp without the fsync and ours
// without waiting for the disk show where the time goes.
void BM_SafetyCopies300MB(benchmark::State& state) {
    const std::filesystem::path dir = programFolder(0);
    const std::string data = (dir / "Benutzer").string();
    const std::string dat = data + "/Benutzer.dat", log = data + "/Benutzer.log";
    writeNoise(dat, int64_t{300} << 20);
    writeNoise(log, int64_t{64} << 10);
    book::NullHost host;
    book::Zeitbuch b(host);
    b.datenOrdner = data;
    platform::ScriptedMessages boxes;
    const std::string cp = "cp --reflink=auto '" + dat + "' '" + data +
                           "/cp.dat' && cp --reflink=auto '" + log + "' '" + data + "/cp.log'";
    const std::string cpSync = cp + " && sync '" + data + "/cp.dat' '" + data + "/cp.log'";
    auto removeCp = [&] {
        std::filesystem::remove(data + "/cp.dat");
        std::filesystem::remove(data + "/cp.log");
    };
    // Untimed: no earlier write still on its way to the disk, no copy to replace.
    auto settled = [&](auto&& f) {
        removeCp();
        ::sync();
        return timed(f);
    };
    auto run = [](const std::string& command) {
        if (std::system(command.c_str()) != 0) std::abort();
    };
    std::vector<double> ours, oursNoWait, theirs, theirsNoSync;
    b.Datenbank_sichern_wiederherstellen(true);  // ours replaces copies from here on
    for (auto _ : state) {
        for (int round = 0; round < 5; ++round) {
            ours.push_back(settled([&] { b.Datenbank_sichern_wiederherstellen(true); }));
            platform::setSyncToDisk(false);
            oursNoWait.push_back(settled([&] { b.Datenbank_sichern_wiederherstellen(true); }));
            platform::setSyncToDisk(true);
            theirs.push_back(settled([&] { run(cpSync); }));
            theirsNoSync.push_back(settled([&] { run(cp); }));
        }
    }
    removeCp();
    if (boxes.count() != 0) state.SkipWithError("a message box was shown");
    const double a = median(ours), n = median(oursNoWait), c = median(theirs),
                 f = median(theirsNoSync);
    state.counters["ours_ms"] = a;
    state.counters["ours_nowait_ms"] = n;
    state.counters["cp_fsync_ms"] = c;
    state.counters["cp_nosync_ms"] = f;
    std::printf(
        "safety copies 300 MB: ours %.0f ms (durable), cp + fsync to new files %.0f ms, ratio %.2f "
        "(cp without fsync %.0f ms; ours without waiting for the disk %.0f ms); each alone on a "
        "settled disk\n",
        a, c, a / c, f, n);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SafetyCopies300MB)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

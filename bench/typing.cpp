// Typing on the month sheet: 1 000 keystrokes of a month's lines (times,
// work texts, Enter) on the offscreen main window, each followed by the
// caret step and a repaint of the sheet, beside the same keys typed into
// Qt's own plain text editor.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>

#include "bench/bench_application.h"
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_parts.h"
#include "platform/core/message_box.h"

namespace {

// Two periods a day with their texts, as a user types them: 24 keys a line.
std::vector<char> keystrokes(int count) {
    std::vector<char> keys;
    for (int i = 0; static_cast<int>(keys.size()) < count; ++i) {
        char line[32];
        const int day = i / 2 % 28 + 1;
        std::snprintf(line, sizeof line, "%02d%s", day, i % 2 ? "13001600" : "08001200");
        for (const char* c = line; *c; ++c) keys.push_back(*c);
        for (const char c : std::string("Wartung Pumpe")) keys.push_back(c);
        keys.push_back('\r');
    }
    keys.resize(static_cast<size_t>(count));
    return keys;
}

void press(QWidget* w, char c) {
    int key = QChar(c).toUpper().unicode();  // letters, digits and the blank share their codes
    if (c == '\r') key = Qt::Key_Return;
    const QString text = QString(QChar(c));
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &down);
    QCoreApplication::sendEvent(w, &up);
}

std::filesystem::path emptyFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
    return tmpl;
}

void BM_TypingOnTheSheet(benchmark::State& state) {
    bench::application();
    const std::filesystem::path dir = emptyFolder();
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    platform::ScriptedMessages boxes;
    const std::vector<char> keys = keystrokes(1000);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<app::TForm1>();
        form->show();
        if (!form->commandChecked("ADA")) form->ADAExecute();
        QWidget* sheet = &form->canvasControl();
        state.ResumeTiming();
        for (const char c : keys) {
            press(sheet, c);
            form->Timer1Timer();
            sheet->repaint();
        }
        state.PauseTiming();
        if (form->buch().zeilen.size() < 40) state.SkipWithError("the lines were not stored");
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TypingOnTheSheet)->Unit(benchmark::kMillisecond);

// The peer: the same keys into a plain text editor of the same size.
void BM_TypingIntoQtPlainTextEdit(benchmark::State& state) {
    bench::application();
    const std::vector<char> keys = keystrokes(1000);
    for (auto _ : state) {
        state.PauseTiming();
        QPlainTextEdit edit;
        edit.resize(739, 517);
        edit.show();
        state.ResumeTiming();
        for (const char c : keys) {
            press(&edit, c);
            edit.repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_TypingIntoQtPlainTextEdit)->Unit(benchmark::kMillisecond);

}  // namespace

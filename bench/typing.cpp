// Typing on the month sheet against Qt's plain text editor, both shown and
// exposed: 1 000 keystrokes of a month's lines (times, work texts, Enter),
// each sent through the event loop and followed by the events it posted
// (the paint and its copy to the screen; the caret timer runs as it comes).
// Prints the CPU time per key of both sides, their ratio and the paint
// events the sheet's window received per key; medians of several rounds.
#include <stdlib.h>

#include <QPlainTextEdit>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_parts.h"
#include "bench/bench_application.h"
#include "bench/screen_measure.h"
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

void type(QWidget* w, char c) {
    if (c == '\r')
        QTest::keyClick(w, Qt::Key_Return);
    else
        QTest::keyClick(w, c);
    QApplication::processEvents();
}

struct Round {
    double msPerKey = 0;
    double paintsPerKey = 0;
};

Round sheetRound(const std::vector<char>& keys, bool& stored) {
    auto form = std::make_unique<app::TForm1>();
    if (!bench::showExposed(*form)) std::abort();
    if (!form->commandChecked("ADA")) form->ADAExecute();
    QWidget* sheet = &form->canvasControl();
    sheet->setFocus();
    QApplication::processEvents();
    bench::PaintCounter paints(form.get(), true);
    const double t0 = bench::cpuMs();
    for (const char c : keys) type(sheet, c);
    const double t1 = bench::cpuMs();
    stored = form->buch().zeilen.size() >= 40;
    const double n = static_cast<double>(keys.size());
    return {(t1 - t0) / n, paints.count() / n};
}

double editRound(const std::vector<char>& keys) {
    QPlainTextEdit edit;
    edit.resize(739, 517);
    if (!bench::showExposed(edit)) std::abort();
    edit.setFocus();
    const double t0 = bench::cpuMs();
    for (const char c : keys) type(&edit, c);
    return (bench::cpuMs() - t0) / static_cast<double>(keys.size());
}

}  // namespace

int main() {
    bench::application();
    std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) return 1;
    const std::filesystem::path dir = tmpl, old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int rc = 0;
    {
        platform::ScriptedMessages boxes;
        const std::vector<char> keys = keystrokes(1000);
        std::vector<double> sheet, edit, paints;
        for (int round = 0; round < 5; ++round) {
            bool stored = false;
            const Round r = sheetRound(keys, stored);
            if (!stored) {
                std::fprintf(stderr, "typing: the lines were not stored\n");
                rc = 1;
            }
            sheet.push_back(r.msPerKey);
            paints.push_back(r.paintsPerKey);
            edit.push_back(editRound(keys));
        }
        const double s = bench::median(sheet), e = bench::median(edit);
        std::printf("typing: sheet %.4f ms/key, QPlainTextEdit %.4f ms/key, ratio %.2f, paints/key %.2f\n", s, e,
                    s / e, bench::median(paints));
    }
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
    return rc;
}

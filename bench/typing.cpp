// Typing on the month sheet against Qt's plain text editor, both shown and
// exposed: 1 000 keystrokes of a month's lines (times, work texts, Enter),
// each sent through the event loop and followed by the events it posted
// (the paint and its copy to the screen; the caret timer runs as it comes).
// Prints the CPU time per key of both sides, their ratio and the paint
// events each side's window received per key; then the same for Enter
// alone (on the sheet it stores the line); medians of several rounds.
#include <stdlib.h>

#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
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
    double msPerEnter = 0;
    double paintsPerEnter = 0;
};

// Types the keys into `w`; the Enter keys are also timed and counted alone.
Round typeAll(QWidget* w, const std::vector<char>& keys) {
    bench::PaintCounter paints(w->window(), true);
    double enterMs = 0;
    int enterPaints = 0, enters = 0;
    const double t0 = bench::cpuMs();
    for (const char c : keys) {
        if (c != '\r') {
            type(w, c);
            continue;
        }
        const int p0 = paints.count();
        const double e0 = bench::cpuMs();
        type(w, c);
        enterMs += bench::cpuMs() - e0;
        enterPaints += paints.count() - p0;
        ++enters;
    }
    const double t1 = bench::cpuMs();
    const double n = static_cast<double>(keys.size()), e = std::max(1, enters);
    return {(t1 - t0) / n, paints.count() / n, enterMs / e, enterPaints / e};
}

Round sheetRound(const std::vector<char>& keys, bool& stored) {
    auto form = std::make_unique<app::TForm1>();
    if (!bench::showExposed(*form)) std::abort();
    if (!form->commandChecked("ADA")) form->ADAExecute();
    QWidget* sheet = &form->canvasControl();
    sheet->setFocus();
    QApplication::processEvents();
    const Round r = typeAll(sheet, keys);
    stored = form->buch().zeilen.size() >= 40;
    return r;
}

Round editRound(const std::vector<char>& keys) {
    QPlainTextEdit edit;
    edit.resize(739, 517);
    if (!bench::showExposed(edit)) std::abort();
    edit.setFocus();
    QApplication::processEvents();
    return typeAll(&edit, keys);
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
        std::vector<Round> sheet, edit;
        for (int round = 0; round < 5; ++round) {
            bool stored = false;
            sheet.push_back(sheetRound(keys, stored));
            if (!stored) {
                std::fprintf(stderr, "typing: the lines were not stored\n");
                rc = 1;
            }
            edit.push_back(editRound(keys));
        }
        auto med = [](const std::vector<Round>& rounds, double Round::*field) {
            std::vector<double> v;
            for (const Round& r : rounds) v.push_back(r.*field);
            return bench::median(v);
        };
        const double s = med(sheet, &Round::msPerKey), e = med(edit, &Round::msPerKey);
        std::printf("typing: sheet %.4f ms/key, QPlainTextEdit %.4f ms/key, ratio %.2f, "
                    "paints/key sheet %.2f, QPlainTextEdit %.2f\n",
                    s, e, s / e, med(sheet, &Round::paintsPerKey), med(edit, &Round::paintsPerKey));
        const double se = med(sheet, &Round::msPerEnter), ee = med(edit, &Round::msPerEnter);
        std::printf("typing: Enter sheet %.4f ms, QPlainTextEdit %.4f ms, ratio %.2f (goal 1.5), "
                    "paints/Enter sheet %.2f, QPlainTextEdit %.2f\n",
                    se, ee, se / ee, med(sheet, &Round::paintsPerEnter),
                    med(edit, &Round::paintsPerEnter));
    }
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
    return rc;
}

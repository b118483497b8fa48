// The table control with 1 000 000 rows x 3 columns: filling it, painting
// one screen of it, and moving the selection down 10 000 rows with the Down
// key (each step repainted), beside QTableView over a QAbstractTableModel
// that reads the same cells. Memory per row is reported as a counter; the
// key sweeps report steps per second (items).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QTableView>
#include <cstdio>
#include <memory>
#include <string>

#include "controls/table/icontab.h"
#include "platform/ui/qt_text.h"

namespace {

constexpr int kZeilen = 1000000;
constexpr int kSpalten = 3;
constexpr int kBreite = 800;
constexpr int kHoehe = 600;

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_table";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Resident memory in bytes.
long long resident() {
    long long seiten = 0, rss = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &seiten, &rss) != 2) rss = 0;
        std::fclose(f);
    }
    return rss * 4096;
}

std::string zelle(int r, int c) {
    static const char* const orte[] = {"Werkstatt", "Verwaltung", "Lager",
                                       "Au\xDF"
                                       "endienst"};
    switch (c) {
        case 0:
            return "Mitarbeiter " + std::to_string(r);
        case 1:
            return std::to_string(1000 + r % 9000) + ".50";
        default:
            return orte[r % 4];
    }
}

void fuellen(table::TIconTab& t) {
    t.SetTabelle(kZeilen + 1, kSpalten, -1, 0);
    t.SetCell(0, 0, "Name");
    t.SetCell(0, 1, "Stunden");
    t.SetCell(0, 2, "Abteilung");
    for (int r = 1; r <= kZeilen; ++r)
        for (int c = 0; c < kSpalten; ++c) t.SetCell(r, c, zelle(r, c));
    t.FEndUpdate(false);
}

struct Daten {
    std::unique_ptr<table::TIconTab> tab;
    long long bytesProZeile = 0;
};

Daten& daten() {
    static Daten d = [] {
        application();
        Daten x;
        x.tab = std::make_unique<table::TIconTab>();
        x.tab->AutoBreite = true;
        x.tab->resize(kBreite, kHoehe);
        x.tab->show();
        const long long vorher = resident();
        fuellen(*x.tab);
        x.bytesProZeile = (resident() - vorher) / kZeilen;
        return x;
    }();
    return d;
}

// The same cells for Qt's view.
class Modell : public QAbstractTableModel {
public:
    explicit Modell(const table::Tabdefinition& t) : t_(t) {}
    int rowCount(const QModelIndex& p) const override {
        return p.isValid() ? 0 : t_.rowCount() - 1;
    }
    int columnCount(const QModelIndex& p) const override { return p.isValid() ? 0 : t_.Spalten; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return ui::toQString(t_.zelle(i.row() + 1, i.column()));
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole || o != Qt::Horizontal) return {};
        return ui::toQString(t_.zelle(0, s));
    }

private:
    const table::Tabdefinition& t_;
};

void BM_IconTab_Fuellen(benchmark::State& state) {
    application();
    for (auto _ : state) {
        table::TIconTab t;
        t.resize(kBreite, kHoehe);
        const long long vorher = resident();
        fuellen(t);
        state.counters["bytes_pro_zeile"] = static_cast<double>(resident() - vorher) / kZeilen;
    }
}
BENCHMARK(BM_IconTab_Fuellen)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_IconTab_Bildschirm(benchmark::State& state) {
    Daten& d = daten();
    d.tab->Ver_Change(table::SB_THUMBTRACK, kZeilen / 2);
    for (auto _ : state) d.tab->Paint();
    state.counters["bytes_pro_zeile"] = static_cast<double>(d.bytesProZeile);
}
BENCHMARK(BM_IconTab_Bildschirm)->Unit(benchmark::kMicrosecond);

void BM_QTableView_Bildschirm(benchmark::State& state) {
    Daten& d = daten();
    const long long vorher = resident();
    Modell modell(*d.tab->GetTabelle(0, false));
    QTableView view;
    view.resize(kBreite, kHoehe);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.setModel(&modell);
    view.show();
    view.scrollTo(modell.index(kZeilen / 2, 0));
    QApplication::processEvents();
    state.counters["view_bytes_pro_zeile"] = static_cast<double>(resident() - vorher) / kZeilen;
    QImage bild(kBreite, kHoehe, QImage::Format_RGB32);
    for (auto _ : state) view.render(&bild);
}
BENCHMARK(BM_QTableView_Bildschirm)->Unit(benchmark::kMicrosecond);

constexpr int kSchritte = 10000;

void taste(QWidget* w, int key) {
    QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &los);
}

void BM_IconTab_PfeilRunter(benchmark::State& state) {
    Daten& d = daten();
    d.tab->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        d.tab->SetRow(kZeilen / 2);
        state.ResumeTiming();
        for (int i = 0; i < kSchritte; ++i) taste(d.tab.get(), Qt::Key_Down);
    }
    if (d.tab->GetRow() != kZeilen / 2 + kSchritte) state.SkipWithError("selection did not move");
    state.SetItemsProcessed(state.iterations() * kSchritte);
}
BENCHMARK(BM_IconTab_PfeilRunter)->Unit(benchmark::kMillisecond);

void BM_QTableView_PfeilRunter(benchmark::State& state) {
    Daten& d = daten();
    Modell modell(*d.tab->GetTabelle(0, false));
    QTableView view;
    view.resize(kBreite, kHoehe);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.setModel(&modell);
    view.show();
    view.setFocus();
    QApplication::processEvents();
    QImage bild(kBreite, kHoehe, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        view.setCurrentIndex(modell.index(kZeilen / 2, 0));
        state.ResumeTiming();
        for (int i = 0; i < kSchritte; ++i) {
            taste(&view, Qt::Key_Down);
            view.render(&bild);
        }
    }
    if (view.currentIndex().row() != kZeilen / 2 + kSchritte)
        state.SkipWithError("selection did not move");
    state.SetItemsProcessed(state.iterations() * kSchritte);
}
BENCHMARK(BM_QTableView_PfeilRunter)->Unit(benchmark::kMillisecond);

}  // namespace

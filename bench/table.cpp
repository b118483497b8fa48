// The table control with 1 000 000 rows x 3 columns beside QTableView over
// a QAbstractTableModel that reads the same cells, both shown and exposed:
// a whole paint copied to the screen, and Down steps through the event loop
// (each with its paint and copy to the screen). CPU time, medians; the
// control's memory per row is reported beside.
#include <time.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/screen_measure.h"
#include "controls/icontab/icontab.h"
#include "platform/ui/drawing/qt_text.h"

namespace {

constexpr int kZeilen = 1000000;
constexpr int kSpalten = 3;
constexpr int kBreite = 800;
constexpr int kHoehe = 600;

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

// One whole paint of each, to the screen.
double tabellePaint(table::TIconTab& t, int n) {
    std::vector<double> zeiten;
    for (int i = 0; i < n; ++i) {
        const double t0 = bench::cpuMs();
        t.Paint();
        // The data area, as the view's viewport (its scroll bars repaint
        // when they change).
        t.repaint(0, 0, t.clientBreite(), t.clientHoehe());
        zeiten.push_back(bench::cpuMs() - t0);
    }
    return bench::median(zeiten) * 1000;
}

double viewPaint(QTableView& v, int n) {
    std::vector<double> zeiten;
    for (int i = 0; i < n; ++i) {
        const double t0 = bench::cpuMs();
        v.viewport()->repaint();
        zeiten.push_back(bench::cpuMs() - t0);
    }
    return bench::median(zeiten) * 1000;
}

// Down steps through the event loop: ms per step.
double schritte(QWidget* w, int n) {
    const double t0 = bench::cpuMs();
    for (int i = 0; i < n; ++i) {
        QTest::keyClick(w, Qt::Key_Down);
        QApplication::processEvents();
    }
    return (bench::cpuMs() - t0) / n;
}

}  // namespace

int main() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_table";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    int rc = 0;
    {
        table::TIconTab tab;
        tab.AutoBreite = true;
        tab.resize(kBreite, kHoehe);
        const long long vorher = resident();
        fuellen(tab);
        const double bytesProZeile = static_cast<double>(resident() - vorher) / kZeilen;
        Modell modell(*tab.GetTabelle(0, false));
        QTableView view;
        view.resize(kBreite, kHoehe);
        view.verticalHeader()->setDefaultSectionSize(18);
        view.setModel(&modell);
        if (!bench::showExposed(tab) || !bench::showExposed(view)) return 1;
        tab.Ver_Change(table::SB_THUMBTRACK, kZeilen / 2);
        view.scrollTo(modell.index(kZeilen / 2, 0));
        QApplication::processEvents();

        std::vector<double> unserPaint, ihrPaint, unserSchritt, ihrSchritt;
        constexpr int kSchritte = 2000;
        for (int runde = 0; runde < 5; ++runde) {
            unserPaint.push_back(tabellePaint(tab, 50));
            ihrPaint.push_back(viewPaint(view, 50));
            tab.activateWindow();
            tab.setFocus();
            tab.SetRow(kZeilen / 2 + runde * kSchritte);
            QApplication::processEvents();
            unserSchritt.push_back(schritte(&tab, kSchritte));
            if (tab.GetRow() != kZeilen / 2 + (runde + 1) * kSchritte) rc = 1;
            view.activateWindow();
            view.setFocus();
            view.setCurrentIndex(modell.index(kZeilen / 2 + runde * kSchritte, 0));
            QApplication::processEvents();
            ihrSchritt.push_back(schritte(&view, kSchritte));
            if (view.currentIndex().row() != kZeilen / 2 + (runde + 1) * kSchritte) rc = 1;
        }
        if (rc != 0) std::fprintf(stderr, "table: the selection did not move\n");
        const double up = bench::median(unserPaint), ip = bench::median(ihrPaint);
        const double us = bench::median(unserSchritt), is = bench::median(ihrSchritt);
        std::printf("table memory: %.1f bytes per row\n", bytesProZeile);
        std::printf("table paint: ours %.1f us, QTableView %.1f us, ratio %.2f\n", up, ip, up / ip);
        std::printf("table down: ours %.4f ms/step, QTableView %.4f ms/step, ratio %.2f\n", us, is,
                    us / is);
    }
    return rc;
}

#include "app/statement/print_form.h"

#include <QAction>
#include <QImage>
#include <QMenuBar>

#include "app/main_window/main_window.h"
#include "app/statement/program_files.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/qt_text.h"
#include "report/ui/druck_report.h"
#include "report/ui/qt_report_canvas.h"

namespace app {

TForm9::TForm9(TForm1& owner) : QMainWindow(&owner, Qt::Window), owner_(owner) {
    setObjectName("Form9");
    setWindowTitle("Druckformular");
    DruckReport1 = new report::TDruckReport(this);
    setCentralWidget(DruckReport1);
    report::Report& r = DruckReport1->report();
    r.Tabelle1 = &Tab1;
    r.Tabelle2 = &Tab2;
    r.Tabelle3 = &Tab3;
    r.OnGetBitmap = [this](report::Report&, const std::string& name,
                           std::shared_ptr<const report::Bild>& bild) {
        DruckReport1GetBitmap(name, bild);
    };
    menuBar()->addAction("Beenden");
    Druck = menuBar()->addAction("Drucken");
    connect(Druck, &QAction::triggered, this, [this] { DruckClick(); });
}

void TForm9::DruckReport1GetBitmap(const std::string& name,
                                   std::shared_ptr<const report::Bild>& bild) {
    QImage image;
    const std::string pfad = programmDatei(owner_.buch().programmOrdner, name + ".bmp");
    if (!pfad.empty() && !image.load(ui::toQString(pfad))) image = QImage();
    bild = std::make_shared<report::QtBild>(std::move(image));
}

void TForm9::DruckClick() {
    DruckReport1->Drucken(platform::cp1252("Überstundenabrechnung"), 1);
}

TForm9& Form9(TForm1& form) {
    if (auto* f = form.findChild<TForm9*>("Form9", Qt::FindDirectChildrenOnly)) return *f;
    return *new TForm9(form);
}

}  // namespace app

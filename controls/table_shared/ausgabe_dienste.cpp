#include "controls/table_shared/ausgabe_dienste.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/printing/qt_printer.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

// clang-format off
const char* const kFilter[] = {
    "Tabulator (*.txt)", "Trennzeichen(;) (*.txt)", "Trennzeichen(#) (*.txt)",
    "Gruppe+Tabulator (*.txt)", "Gruppe+Trennzeichen(;) (*.txt)", "Gruppe+Trennzeichen(#) (*.txt)",
};
// clang-format on

std::optional<ExportWahl> desktopExport(QWidget* owner) {
    QFileDialog d(owner, ui::toQString("Exportieren in Datei"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    QStringList filter;
    for (const char* f : kFilter) filter << ui::toQString(f);
    d.setNameFilters(filter);
    d.selectNameFilter(filter.front());
    // Added before the overwrite question, so it asks about the final name.
    d.setDefaultSuffix(QStringLiteral("txt"));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    const std::optional<std::string> datei = ui::pathFromDialog(d.selectedFiles().front());
    if (!datei) return std::nullopt;
    ExportWahl w;
    w.datei = *datei;
    w.filter = static_cast<int>(filter.indexOf(d.selectedNameFilter())) + 1;
    if (w.filter < 1) w.filter = 1;
    return w;
}

bool desktopLink(const std::string& link) {
    return QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(link)));
}

// Without a configured printer the job goes to a PDF file the user names.
bool desktopDrucker(QWidget* owner) {
    auto* qt = dynamic_cast<ui::QtPrinter*>(&ui::printer());
    if (qt == nullptr || qt->hasPrinter()) return true;
    const QString datei = QFileDialog::getSaveFileName(owner, ui::toQString("Drucken in PDF-Datei"),
                                                       QString(), QStringLiteral("PDF (*.pdf)"));
    if (datei.isEmpty()) return false;
    const std::optional<std::string> pfad = ui::pathFromDialog(datei);
    if (!pfad) return false;
    qt->setPdfOutput(*pfad);
    return true;
}

bool desktopAusrichtung(ui::Printer& printer, bool quer) {
    auto* qt = dynamic_cast<ui::QtPrinter*>(&printer);
    if (qt == nullptr) return false;
    return qt->qprinter().setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
}

ExportDialog& exportF() {
    static ExportDialog f;
    return f;
}
LinkOeffner& linkF() {
    static LinkOeffner f;
    return f;
}
DruckerWahl& druckerF() {
    static DruckerWahl f;
    return f;
}
Ausrichtung& ausrichtungF() {
    static Ausrichtung f;
    return f;
}

template <typename F>
F tauschen(F& ziel, F neu) {
    F alt = std::move(ziel);
    ziel = std::move(neu);
    return alt;
}

}  // namespace

std::optional<ExportWahl> exportDialog(QWidget* owner) {
    return exportF() ? exportF()(owner) : desktopExport(owner);
}
bool linkOeffnen(const std::string& link) {
    return linkF() ? linkF()(link) : desktopLink(link);
}
bool druckerWaehlen(QWidget* owner) {
    return druckerF() ? druckerF()(owner) : desktopDrucker(owner);
}
bool ausrichten(ui::Printer& printer, bool quer) {
    return ausrichtungF() ? ausrichtungF()(printer, quer) : desktopAusrichtung(printer, quer);
}

ExportDialog setExportDialog(ExportDialog f) {
    return tauschen(exportF(), std::move(f));
}
LinkOeffner setLinkOeffner(LinkOeffner f) {
    return tauschen(linkF(), std::move(f));
}
DruckerWahl setDruckerWahl(DruckerWahl f) {
    return tauschen(druckerF(), std::move(f));
}
Ausrichtung setAusrichtung(Ausrichtung f) {
    return tauschen(ausrichtungF(), std::move(f));
}

}  // namespace table

// The statement printout from the main window: the built-in layout and the
// road through "Formular.txt", on the recording printer and as a PDF file.
#include <sys/resource.h>

#include <QImage>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/statement/print_form.h"
#include "app/statement/statement_command.h"
#include "app/statement/statement_data.h"
#include "app/statement/statement_tables.h"
#include "book/calculation/standby_lines.h"
#include "book/calculation/year_balance.h"
#include "platform/core/file.h"
#include "platform/core/replace_file.h"
#include "platform/ui/printing/qt_printer.h"
#include "report/ui/druck_report.h"
#include "tests/app/main_window/window_fixture.h"
#include "tests/book/sheet/sheet_fixture.h"
#include "tests/report/pdf_tools.h"

namespace app_test {
namespace {

using std::tuple;

// A disk that is full after `bytes` for the files this process writes: the
// file size limit makes every write beyond it fail (EFBIG) while it lives.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        old_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &limit_);
        rlimit small = limit_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &limit_);
        std::signal(SIGXFSZ, old_);
    }

private:
    rlimit limit_{};
    void (*old_)(int);
};

std::string readFile(const std::string& path) {
    std::string bytes;
    return platform::readWholeFile(path, bytes) ? bytes : "<missing>";
}

std::string trim(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

class StatementPrintTest : public PrintingWindowTest {
protected:
    void SetUp() override {
        PrintingWindowTest::SetUp();
        createWindow();
    }
    book::Zeitbuch& b() { return form->buch(); }

    // March 2026 for a signed-in user without an area of her own: `tage`
    // days with `proTag` periods each, the work texts `textLaenge` long.
    void monat(int tage, int proTag, size_t textLaenge) {
        book::Zeitbuch& zb = b();
        zb.angemeldet = true;
        zb.nachname = "Muster", zb.vorname = "Erika", zb.personalNr = "4711";
        zb.bereich.clear(), zb.bereichVorgabe = "Technik";
        zb.bereitschaft = true;
        sheet_test::showMonth(zb, 2026, 3);
        form->showMonthInList(3);
        form->setYearField(2026);
        const char* zeiten[3][2] = {{"05:30", "07:00"}, {"16:15", "19:45"}, {"21:00", "23:30"}};
        for (int d = 1; d <= tage; ++d)
            for (int k = 0; k < proTag; ++k)
                ASSERT_LT(sheet_test::typeLine(zb, d, zeiten[k][0], zeiten[k][1], k == 2 ? '!' : ' '), 0)
                    << d;
        const std::string woerter = "Stoerung an Anlage behoben, Teile getauscht und geprueft; ";
        for (size_t i = 0; i + 1 < zb.zeilen.size(); ++i) {
            std::string t;
            while (t.size() < textLaenge) t += std::to_string(i) + " " + woerter;
            zb.texte[i] = t.substr(0, textLaenge);
        }
        // Work on weekends marks standby periods of its own.
        ASSERT_TRUE(tage < 8 || zb.bereitschaftsZeilen.size() > 2);
    }
    // Prints with the standby question answered.
    void drucken(platform::Answer antwort = platform::Answer::Yes) {
        boxes.answer(antwort);
        app::ToolButton10Click(*form);
    }
    std::vector<std::string> texte() const {
        std::vector<std::string> all;
        for (const auto& p : printer->pages())
            for (const auto& t : p.texts) all.push_back(t.text);
        return all;
    }
    bool gedruckt(const std::string& text) const {
        const auto all = texte();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
    // Every text drawn at the x of the first one equal to `erster`, in page order.
    std::vector<std::string> spalte(const std::string& erster) const {
        std::optional<int> x;
        std::vector<std::string> out;
        for (const auto& p : printer->pages())
            for (const auto& t : p.texts) {
                if (!x && t.text == erster) x = t.x;
                if (x && t.x == *x) out.push_back(t.text);
            }
        return out;
    }
};

TEST_F(StatementPrintTest, ALongMonthPaginatesWithNoRowLostOrTwice) {
    monat(31, 2, 100);  // 62 lines of four rows each
    const std::vector<std::string> zeilen(b().zeilen.begin(), b().zeilen.end() - 1);
    const std::vector<std::string> texte(b().texte.begin(), b().texte.end() - 1);
    drucken();
    ASSERT_EQ(boxes.count(), 1u) << boxes.shown()[0].text;
    EXPECT_EQ(boxes.last().caption, "Achtung");
    // 248 rows: 4 full pages of 54 and 32 on the last.
    ASSERT_EQ(printer->pages().size(), 5u);
    EXPECT_EQ(printer->title(), cp1252("Überstunden vom März 2026"));
    EXPECT_EQ(spalte(zeilen[0]), zeilen);
    std::string stuecke, alle;
    for (const std::string& s : spalte(texte[0].substr(0, 30))) stuecke += s;
    for (const std::string& t : texte) alle += t;
    EXPECT_EQ(stuecke, alle);
    for (size_t n = 0; n < 5; ++n) {
        const auto& t = printer->pages()[n].texts;
        const std::string fuss = "Seite " + std::to_string(n + 1) + " von 5";
        EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](auto& r) { return r.text == fuss; })) << n;
    }
    // The totals, the standby block and the signatures close the last page only.
    const auto& letzte = printer->pages().back().texts;
    const auto auf = [](const std::vector<ui::RecordedText>& t, const std::string& s) {
        return std::any_of(t.begin(), t.end(), [&](auto& r) { return r.text == s; });
    };
    EXPECT_TRUE(auf(letzte, b().summenZeilen[0]));
    EXPECT_TRUE(auf(letzte, b().bereitschaftsZeilen.at(2)));
    EXPECT_TRUE(auf(letzte, "Antragsteller"));
    EXPECT_FALSE(auf(printer->pages()[0].texts, "Antragsteller"));
    // The head: the default area for a user without one.
    EXPECT_TRUE(auf(printer->pages()[0].texts, "Technik"));
    EXPECT_TRUE(auf(printer->pages()[0].texts, "Muster Erika"));
}

TEST_F(StatementPrintTest, LayoutsQuestionAndSignatureLines) {
    monat(3, 1, 10);
    // No to the question: nothing printed.
    drucken(platform::Answer::No);
    EXPECT_EQ(printer->documents(), 0);
    // A single page has no page footer.
    drucken();
    ASSERT_EQ(printer->pages().size(), 1u);
    const std::vector<std::string> alle = texte();  // one list: begin and end of the same one
    EXPECT_FALSE(std::any_of(alle.begin(), alle.end(),
                             [](const std::string& s) { return s.rfind("Seite ", 0) == 0; }));
    EXPECT_TRUE(gedruckt("Unterschriften:"));
    // The standard layout: one signature line, which the settings choose.
    struct Case {
        bool erlaubt, nurMitUnterschrift;
        const char* zeile;
    };
    for (const Case& c : {Case{false, false, "Dokument ist ohne Unterschrift gültig!"},
                          Case{true, false, "Unterschrift"}, Case{false, true, "Unterschrift"}}) {
        b().grundlagen.optionen |= book::kOptStandardFormular;
        b().grundlagen.optionen &= ~book::kOptUnterschrift;
        if (c.nurMitUnterschrift) b().grundlagen.optionen |= book::kOptUnterschrift;
        b().bearbeitungErlaubt = c.erlaubt;
        const size_t vorher = printer->pages().size();
        drucken();
        ASSERT_EQ(printer->pages().size(), vorher + 1);
        const auto& t = printer->pages().back().texts;
        EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](auto& r) { return r.text == cp1252(c.zeile); }))
            << c.zeile;
        EXPECT_FALSE(std::any_of(t.begin(), t.end(), [](auto& r) { return r.text == "Antragsteller"; }));
    }
}

TEST_F(StatementPrintTest, TheYearBalanceAsksNothingAndPrintsNoStandbyBlock) {
    monat(2, 1, 0);
    b().grundlagen.optionen &= ~book::kOptStandardFormular;
    b().jahresbilanz = true;
    b().bereitschaftsZeilen.assign({book::kStandbyHeading, book::kStandbyColumnHeading});
    std::ofstream(dir.file("Formular.txt")) << "object label text Formular end\n";
    drucken();
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(printer->title(), cp1252("Jahresübersicht von 2026"));
    EXPECT_FALSE(gedruckt("Formular"));  // the built-in road, whatever the folder holds
    EXPECT_FALSE(gedruckt(book::kStandbyHeading));
    EXPECT_FALSE(gedruckt("Antragsteller"));  // the standard layout
    EXPECT_TRUE(gedruckt(cp1252("Übersicht von 2026")));
}

// No text of the page head runs into another: a long name, area or
// personnel number is cut where the next field starts, in every layout.
TEST_F(StatementPrintTest, ThePageHeadsTextsNeverOverlap) {
    monat(2, 1, 0);
    b().nachname = "Mustermann-Langenscheidt-Oberhuber", b().vorname = "Erika-Friederike";
    b().bereich = "Instandhaltung und Technische Dienste";
    b().personalNr = "12345678901234567890";
    struct Case {
        bool standard, jahr;
    };
    for (const Case& c : {Case{false, false}, {true, false}, {false, true}, {true, true}}) {
        b().grundlagen.optionen &= ~book::kOptStandardFormular;
        if (c.standard) b().grundlagen.optionen |= book::kOptStandardFormular;
        b().jahresbilanz = c.jahr;
        const size_t vorher = printer->pages().size();
        drucken();
        ASSERT_GT(printer->pages().size(), vorher);
        std::vector<ui::RecordedText> kopf;
        int spaltenKopf = 0;
        for (const ui::RecordedText& t : printer->pages()[vorher].texts)
            if (t.text == "lfd Nr") spaltenKopf = t.y;
        for (const ui::RecordedText& t : printer->pages()[vorher].texts)
            if (t.y < spaltenKopf && !t.box.isEmpty()) kopf.push_back(t);
        ASSERT_GE(kopf.size(), 4u) << c.standard << c.jahr;
        for (size_t i = 0; i < kopf.size(); ++i)
            for (size_t k = i + 1; k < kopf.size(); ++k) {
                const ui::Rect& a = kopf[i].box;
                const ui::Rect& o = kopf[k].box;
                EXPECT_FALSE(a.left < o.right && o.left < a.right && a.top < o.bottom &&
                             o.top < a.bottom)
                    << c.standard << c.jahr << ": " << kopf[i].text << " / " << kopf[k].text;
            }
    }
}

// The year balance's lines run on under their work texts: a title's "=" run
// and its work text print in register (one run, not two lines apart), and
// the month line's marker stays clear of the weekend-holiday hours. At 96
// and 300 pixels per inch the body font is 7.8 and 25.2 pixels wide.
TEST_F(StatementPrintTest, TheYearBalanceLinesPrintInRegisterAndClearOfTheirMarkers) {
    monat(0, 0, 0);
    book::Zeitbuch& zb = b();
    zb.jahresbilanz = true;
    const std::string titel = book::bilanzTitelZeile(12);
    const std::string zahlen = book::bilanzMonatsZeile({600, 240, 120, 60, 120, 180}, false);
    zb.zeilen.insert(zb.zeilen.end() - 1, {titel, zahlen});
    zb.texte.insert(zb.texte.end() - 1, {book::kBilanzTitelText, book::kBilanzMonatsText});
    for (const int dpi : {96, 300}) {
        ui::PrinterMetrics m = ui::RecordingPrinter::a4At96Dpi();
        m.physicalWidth = m.physicalWidth * dpi / 96;
        m.physicalHeight = m.physicalHeight * dpi / 96;
        m.offsetX = m.offsetY = dpi / 4;
        m.pageWidth = m.physicalWidth - 2 * m.offsetX;
        m.pageHeight = m.physicalHeight - 2 * m.offsetY;
        m.pixelsPerInchX = m.pixelsPerInchY = dpi;
        auto eigener = std::make_unique<ui::RecordingPrinter>(m);
        const ui::RecordingPrinter& p = *eigener;
        auto vorher = ui::replacePrinter(std::move(eigener));
        app::ToolButton10Click(*form);
        ASSERT_EQ(p.pages().size(), 1u) << dpi;
        const std::vector<ui::RecordedText> t = p.pages()[0].texts;
        ui::replacePrinter(std::move(vorher));
        const auto finde = [&](const std::string& s) {
            const auto it = std::find_if(t.begin(), t.end(), [&](auto& r) { return r.text == s; });
            return it == t.end() ? ui::RecordedText{} : *it;
        };
        const ui::RecordedText kopf = finde(titel), lauf = finde(book::kBilanzTitelText);
        const ui::RecordedText zeile = finde(zahlen);
        const auto mk =
            std::find_if(t.begin(), t.end(), [](auto& r) { return r.text.ends_with("<<<<"); });
        const ui::RecordedText marke = mk == t.end() ? ui::RecordedText{} : *mk;
        ASSERT_TRUE(!kopf.text.empty() && !lauf.text.empty() && !zeile.text.empty() &&
                    !marke.text.empty())
            << dpi;
        // The work text starts where column 59 of its line does.
        const double schritt = double(kopf.box.width()) / double(titel.size());
        EXPECT_NEAR(lauf.x, kopf.x + 59 * schritt, 1.0) << dpi;
        EXPECT_EQ(lauf.y, kopf.y) << dpi;
        // The marker's rectangle and the month line's do not overlap.
        const ui::Rect& a = zeile.box;
        const ui::Rect& o = marke.box;
        EXPECT_FALSE(a.left < o.right && o.left < a.right && a.top < o.bottom && o.top < a.bottom)
            << dpi << ": line " << a.left << ".." << a.right << ", marker " << o.left << ".."
            << o.right;
    }
}

TEST_F(StatementPrintTest, AMonthWithoutLinesPrintsTheGridAndTotals) {
    monat(0, 0, 0);
    drucken();
    ASSERT_EQ(printer->pages().size(), 1u);
    EXPECT_TRUE(gedruckt(b().summenZeilen[0]));
    EXPECT_FALSE(gedruckt(b().zeilen.back()));  // the entry line never prints
    // Rules of the empty rows run through the body.
    const QImage& seite = printer->pages()[0].image;
    int dunkel = 0;
    for (int y = 0; y < seite.height(); ++y) dunkel += qGray(seite.pixel(seite.width() / 2, y)) < 128;
    EXPECT_GT(dunkel, 37);
}

// An inserted line still open is no line of the page yet: the statement
// carries the stored lines only.
TEST_F(StatementPrintTest, AnInsertedLineStillOpenIsNotPrinted) {
    monat(3, 1, 10);
    const std::vector<std::string> gespeichert(b().zeilen.begin(), b().zeilen.end() - 1);
    b().Zeile_auswaehlen(1, true, false);
    form->EintragEinfuegenExecute();
    ASSERT_EQ(b().einfuegeIndex, 1);
    const app::Abrechnung a = app::abrechnungVon(*form);
    EXPECT_EQ(a.zeilen, gespeichert);
    EXPECT_EQ(a.texte.size(), gespeichert.size());
    EXPECT_EQ(a.texte[1], b().texte[2]);
}

TEST_F(StatementPrintTest, TheSampleFormPrintsTheFiguresOfTheBuiltInLayout) {
    monat(10, 2, 70);
    drucken();
    const std::vector<std::string> eingebaut = texte();
    const size_t seitenEingebaut = printer->pages().size();
    std::filesystem::copy_file(KLB_SOURCE_DIR "/examples/Formular.txt", dir.file("Formular.txt"));
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(QString::fromStdString(dir.file("logo.BMP")), "BMP"));
    drucken();
    ASSERT_EQ(boxes.count(), 2u) << boxes.last().text;  // the two questions, no parse error
    ASSERT_GT(printer->pages().size(), seitenEingebaut);
    std::vector<std::string> formular;
    for (size_t n = seitenEingebaut; n < printer->pages().size(); ++n)
        for (const auto& t : printer->pages()[n].texts) formular.push_back(trim(t.text));
    const auto hat = [&](const std::string& s) {
        return std::find(formular.begin(), formular.end(), trim(s)) != formular.end();
    };
    // The six hour figures: the last 7 characters of the built-in totals lines.
    for (size_t i = 0; i < 6; ++i) {
        const std::string& zeile = b().summenZeilen[i];
        const std::string zahl = zeile.substr(zeile.size() - 7);
        ASSERT_FALSE(trim(zahl).empty() && i == 0);
        if (!trim(zahl).empty()) {
            EXPECT_TRUE(hat(zahl)) << i << " " << zahl;
        }
    }
    EXPECT_TRUE(std::find(eingebaut.begin(), eingebaut.end(), b().summenZeilen[0]) != eingebaut.end());
    // Standby count and sum, head fields and one cell per sheet line.
    app::TForm9& f = app::Form9(*form);
    for (uint32_t c : {0u, 1u, 2u, 3u, 10u, 14u}) EXPECT_TRUE(hat(f.Tab1.GetCell(1, c))) << c;
    for (size_t i = 0; i + 1 < b().zeilen.size(); ++i)
        EXPECT_TRUE(hat(b().zeilen[i].substr(34, 5))) << i;
    EXPECT_TRUE(hat(b().bereitschaftsZeilen.at(2).substr(2)));
    // The logo was found whatever its case; a missing picture is empty.
    std::shared_ptr<const report::Bild> bild;
    f.DruckReport1GetBitmap("Logo", bild);
    ASSERT_TRUE(bild && !bild->isEmpty());
    f.DruckReport1GetBitmap("Fehlt", bild);
    ASSERT_TRUE(bild);
    EXPECT_TRUE(bild->isEmpty());
}

// The sample form's grey row lines run between the rows, through no text.
TEST_F(StatementPrintTest, TheSampleFormsRowLinesRunClearOfTheText) {
    monat(10, 2, 70);
    std::filesystem::copy_file(KLB_SOURCE_DIR "/examples/Formular.txt", dir.file("Formular.txt"));
    drucken();
    ASSERT_EQ(boxes.count(), 1u) << boxes.last().text;
    int linien = 0;
    for (const ui::RecordedPage& p : printer->pages()) {
        const QImage& bild = p.image;
        for (int y = 0; y < bild.height(); ++y) {
            int grau = 0;
            for (int x = 0; x < bild.width(); ++x) {
                const QRgb c = bild.pixel(x, y);
                grau += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 150 &&
                        qRed(c) < 230;
            }
            if (grau < bild.width() / 2) continue;  // no row line in this pixel row
            ++linien;
            for (const ui::RecordedText& t : p.texts)
                EXPECT_FALSE(!t.text.empty() && t.box.top < y && y < t.box.bottom - 1)
                    << "row line at " << y << " through \"" << t.text << "\"";
        }
    }
    EXPECT_GT(linien, 10);
}

TEST_F(StatementPrintTest, TheMenuPrintsOnlyAfterThePrintDialog) {
    monat(1, 1, 0);
    bool antwort = false;
    int gefragt = 0;
    ui::setPrintDialogRunner([&](ui::Printer&) { return ++gefragt, antwort; });
    app::Drucken1Click(*form);
    EXPECT_EQ(tuple(gefragt, printer->documents(), boxes.count()), tuple(1, 0, size_t(0)));
    antwort = true;
    boxes.answer(platform::Answer::Yes);
    app::Drucken1Click(*form);
    EXPECT_EQ(tuple(gefragt, printer->documents()), tuple(2, 1));
}

// The real print path without a printer: a PDF file the user names, read
// back with poppler. (The pages are also worth a look: pdftoppm -png.)
TEST_F(StatementPrintTest, WithoutAPrinterTheStatementBecomesAPdfFile) {
    ASSERT_TRUE(report::testing::werkzeugDa("pdftotext")) << "pdftotext fehlt (scripts/deps.sh)";
    auto qt = std::make_unique<ui::QtPrinter>();
    if (qt->hasPrinter()) GTEST_SKIP() << "a printer is configured here";
    ui::replacePrinter(std::move(qt));
    monat(31, 2, 40);
    fileAnswer = dir.file("abrechnung.pdf");
    drucken();
    ASSERT_EQ(fileAsks, 1);
    const auto text = report::testing::werkzeug(
        "pdftotext -layout '" + fileAnswer + "' -", dir.path());
    ASSERT_EQ(text.code, 0) << text.fehler;
    EXPECT_NE(text.aus.find("Überstunden- und Bereitschaftsabrechnung"), std::string::npos);
    EXPECT_NE(text.aus.find("Seite 3 von 3"), std::string::npos);
    EXPECT_NE(text.aus.find("61 Stoerung an Anlage behoben,"), std::string::npos);  // the last line
    EXPECT_NE(text.aus.find("31.03"), std::string::npos);
    EXPECT_NE(text.aus.find("Muster Erika"), std::string::npos);
    // Cancelling the file name prints nothing.
    fileAnswer.clear();
    drucken();
    EXPECT_EQ(fileAsks, 2);
}

// A PDF that cannot be finished, on a full disk or with a failing sync,
// through the button without a printer and through "Drucken" into a file:
// the German message, the older file as it was, no temporary file left.
TEST_F(StatementPrintTest, APdfThatCannotBeFinishedKeepsTheOlderFile) {
    auto qt = std::make_unique<ui::QtPrinter>();
    if (qt->hasPrinter()) GTEST_SKIP() << "a printer is configured here";
    ui::QtPrinter* device = qt.get();
    ui::replacePrinter(std::move(qt));
    monat(31, 2, 40);
    const std::string ziel = dir.file("abrechnung.pdf");
    ui::setPrintDialogRunner([&](ui::Printer&) {
        device->qprinter().setOutputFileName(QString::fromStdString(ziel));
        return true;
    });
    enum Fehler { VollePlatte, Sync, Keiner };
    for (const bool menue : {false, true}) {
        for (const Fehler fehler : {VollePlatte, Sync, Keiner}) {
            SCOPED_TRACE(std::to_string(menue) + " " + std::to_string(fehler));
            ASSERT_TRUE(platform::replaceFile(ziel, "alt"));
            fileAnswer = ziel;
            boxes.clear();
            boxes.answer(platform::Answer::Yes);
            {
                std::optional<FullDisk> voll;
                if (fehler == VollePlatte) voll.emplace(4096);
                if (fehler == Sync) platform::injectWriteFailure(1);
                menue ? app::Drucken1Click(*form) : app::ToolButton10Click(*form);
                platform::injectWriteFailure(0);
            }
            const std::string inhalt = readFile(ziel);
            if (fehler == Keiner) {
                EXPECT_EQ(boxes.count(), 1u);  // the standby question only
                EXPECT_EQ(inhalt.substr(0, 5), "%PDF-");
                EXPECT_GT(inhalt.size(), 4096u);
            } else {
                EXPECT_EQ(platform::cp1252ToUtf8(boxes.last().text),
                          "Das Dokument konnte nicht fertig gedruckt werden!");
                EXPECT_EQ(inhalt, "alt");
            }
            EXPECT_FALSE(testing_support::hasTempFiles(dir.path()));
        }
    }
}

}  // namespace
}  // namespace app_test

// "Exportieren als Textdatei": the file's bytes for a full month and an empty
// one, the year balance, a cancelled dialog and a write that fails.
#include <QTest>

#include "app/statement/text_export.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/core/file.h"
#include "platform/core/replace_file.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class TextExportTest : public WindowTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    void SetUp() override {
        WindowTest::SetUp();
        createWindow();  // December 2026, nobody signed in
        if (form->commandChecked("ADA")) form->ADAExecute();
        fileAnswer = platform::joinPath(dir.path(), "monat");
    }
    std::string exported() {
        form->ExportierenalsTextdatei1Click();
        std::string bytes;
        EXPECT_TRUE(platform::readWholeFile(fileAnswer + ".txt", bytes));
        return bytes;
    }
    // Lines of every kind with their texts, and a standby weekend.
    void fillMonth() {
        QTest::keyClicks(&form->canvasControl(), "010700120002080010000313001400040900100005100011000714001500");
        const std::pair<int, void (app::TForm1::*)()> kinds[] = {
            {1, &app::TForm1::Extra_KronlaufExecute}, {2, &app::TForm1::FreizeitausgleichExecute},
            {3, &app::TForm1::UeStundenKontoExecute}, {4, &app::TForm1::MehrarbeitExecute},
            {5, &app::TForm1::AZVerlagernExecute}};
        for (const auto& [line, kind] : kinds) b().Zeile_auswaehlen(line, false, false), (form.get()->*kind)();
        b().Zeile_auswaehlen(static_cast<int>(b().zeilen.size()) - 1, false, false);
        b().texte[0] = cp1252("Prüfung Gerät, Ölwechsel");
        b().texte[1] = cp1252("Straße");
        form->MonthCalendar1->Init(2026, 12, 9, &b().bereitschaftsListe);
        form->Setze_B_WocheClick(false);
    }
};

// A sheet line: its 59 columns, trailing blanks included.
std::string sheetLine(const std::string& text) { return text + std::string(59 - text.size(), ' '); }

TEST_F(TextExportTest, AFullMonthByteForByte) {
    fillMonth();
    const std::string euro = "\x80";
    const std::vector<std::string> want = {
        "lfNr Datum Wochentag  Von   Bis gesamt 25%  50% N25% 140%         Art der Arbeit",
        sheetLine("   1 01.12 Dienstag   07:00 12:00   300 120  180") + cp1252("Prüfung Gerät, Ölwechsel"),
        sheetLine("!  2 02.12 Mittwoch   08:00 10:00   120 120") + cp1252("Straße"),
        sheetLine("-  3 03.12 Donnerstag 13:00 14:00   -60") + "!!!!  Freizeitausgleich  !!!!",
        sheetLine("+  4 04.12 Freitag    09:00 10:00        60") + cp1252("!!!!  Überstundenkonto   !!!!"),
        sheetLine("M  5 05.12 Sonnabend  10:00 11:00    60") + "!!!!      Mehrarbeit     !!!!",
        sheetLine("V  6 07.12 Montag     14:00 15:00") + "!!! Arbeitszeitverlagerung!!!",
        "",
        cp1252("                  Gesamtüberstunden     7,0"),
        cp1252("               Überstunden mit  25%     5,0"),
        cp1252("               Überstunden mit  50%     3,0"),
        "             Nachtzuschlag mit  25%        ",
        cp1252("  Überst. mit Feiertagszuschl. 140%        "),
        cp1252("  Überst. mit Feiertagszuschl. 100%        "),
        "                                     Anzahl Summe",
        "   Wochenbereitschaft Mo-Mo  77,00" + euro + "     1    77,00" + euro,
        "             mit privat PKW  26,00" + euro + "                ",
        "Wochenendbereitschaft Fr-Mo  38,00" + euro + "     1    38,00" + euro,
        "             mit privat PKW  15,00" + euro + "                ",
        "",
        " Bereitschaft",
        "KW  von   bis ",
        "49 30.11-06.12",
        "50 11.12-13.12",
    };
    std::string bytes;
    for (const std::string& l : want) bytes += l + "\r\n";
    EXPECT_EQ(exported(), bytes);
    // The year balance leaves the standby lines out, however full the list is.
    b().jahresbilanz = true;
    const std::string balance = app::monatsText(b());
    EXPECT_EQ(balance, bytes.substr(0, bytes.find(" Bereitschaft\r\n")));
}

TEST_F(TextExportTest, AnEmptyMonthHasHeadingAndTotalsOnly) {
    std::string want = std::string(app::kExportKopf) + "\r\n\r\n";
    for (const std::string& l : b().summenZeilen) want += l + "\r\n";
    EXPECT_EQ(exported(), want + "\r\n");
}

TEST_F(TextExportTest, AnOpenStoredLineIsExportedAsStored) {
    fillMonth();
    b().Zeile_auswaehlen(0, false, false);
    QTest::keyClicks(&form->canvasControl(), "0209");  // changed, not stored
    const std::string bytes = exported();
    EXPECT_NE(bytes.find("\r\n   1 01.12 Dienstag   07:00 12:00"), std::string::npos);
    EXPECT_EQ(b().aktuelleZeile, static_cast<int>(b().zeilen.size()) - 1);
}

TEST_F(TextExportTest, CancelledOrFailedWritesLeaveNoFile) {
    fileAnswer = "";  // cancelled: silent
    form->ExportierenalsTextdatei1Click();
    EXPECT_EQ(boxes.count(), 0u);
    // A write that fails at each step: said so, no file and no temporary file.
    fileAnswer = platform::joinPath(dir.path(), "monat");
    const std::string path = fileAnswer + ".txt";
    for (int n = 1; n <= 2; ++n) {  // the write, the rename
        boxes.clear();
        platform::injectWriteFailure(n);
        form->ExportierenalsTextdatei1Click();
        platform::injectWriteFailure(0);
        EXPECT_EQ(tuple(boxes.count(), boxes.last().text, boxes.last().caption),
                  tuple(1u, "Die Datei konnte nicht geschrieben werden!", "Fehler"))
            << n;
        EXPECT_FALSE(platform::fileExists(path) || testing_support::hasTempFiles(dir.path()));
    }
}

}  // namespace
}  // namespace app_test

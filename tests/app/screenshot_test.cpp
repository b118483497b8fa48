// Pictures of the main window for looking at by eye (KLB_SCREENSHOT_DIR).
#include <cstdlib>

#include "tests/app/window_fixture.h"
#include "tests/book/sheet_fixture.h"

namespace app_test {
namespace {

TEST_F(WindowTest, Screenshots) {
    const char* out = std::getenv("KLB_SCREENSHOT_DIR");
    if (out == nullptr) GTEST_SKIP() << "KLB_SCREENSHOT_DIR not set";
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    book::Zeitbuch& b = form->buch();
    b.zeitvorschlag = false;
    sheet_test::typeLine(b, 1, "17:00", "20:30");
    sheet_test::typeLine(b, 2, "06:00", "08:00", '!');
    sheet_test::typeLine(b, 3, "16:00", "23:00", '-');
    sheet_test::typeLine(b, 4, "22:00", "02:00", '+');
    sheet_test::typeLine(b, 5, "08:00", "09:00", 'M');
    b.texte[0] = "Netzwerkausfall im Lager";
    b.texte[1] = std::string("Server neu aufgesetzt, Datensicherung gepr\xFC" "ft und Ger\xE4te getauscht");
    form->Hinweis_zeigen(3);
    form->Timer1Timer();
    form->FormPaint(true);
    form->blinkZaehler = 0;
    form->Timer1Timer();
    form->show();
    EXPECT_TRUE(form->grab().toImage().save(QString::fromUtf8(out) + "/hauptfenster.png"));
}

}  // namespace
}  // namespace app_test

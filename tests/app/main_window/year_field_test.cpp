// A year typed into the year field of a changed month: the save question
// opens with the year's last digit, and the Enter typed right after the
// year does not answer it; only a key after the question was on the screen
// for a moment does. After the question the keys type on the sheet again.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QTimer>

#include "app/main_window/window_parts.h"
#include "platform/ui/dialogs/key_pause.h"
#include "platform/ui/dialogs/qt_message_box.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class YearFieldTest : public WindowTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    QWidget* sheet() { return &form->canvasControl(); }
    // December's lines in the database, read without the window.
    size_t gespeichert() {
        book::NullHost host;
        book::Zeitbuch zb(host);
        zb.datenOrdner = dataDir();
        EXPECT_TRUE(zb.Pruefe_Anmeldung("anna", "geheim"));
        zb.Monat_laden(12, 2026);
        return zb.zeilen.size() - 1;
    }
};

TEST_F(YearFieldTest, AnEnterTypedAfterTheYearDoesNotAnswerTheSaveQuestion) {
    addUser("anna", "geheim");
    // A key pressed on the question right away (as typed after the year) or
    // once the question was on the screen for a while; whether it answered.
    const tuple<int, Qt::Key, bool> faelle[] = {
        {0, Qt::Key_Return, false}, {0, Qt::Key_Space, false}, {800, Qt::Key_Return, true}};
    size_t zeilen = 0;  // December's lines in the database
    for (const auto& [nachMs, taste, beantwortet] : faelle) {
        SCOPED_TRACE(std::to_string(nachMs) + " " + std::to_string(taste));
        scriptSignIn("anna", "geheim");
        start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QTest::keyClicks(sheet(), ("0" + std::to_string(zeilen + 1) + "08001200").c_str());
        ASSERT_EQ(b().zeilen.size(), zeilen + 2);

        // The question as the desktop shows it, recorded on its way.
        std::vector<std::string> fragen;
        platform::setMessageHandler([&](const platform::MessageRequest& r) {
            fragen.push_back(r.text);
            return ui::showQtMessageBox(r, ui::kKeyPause);
        });
        bool offenNachTaste = false;
        size_t waehrendDessen = 99;
        QTimer::singleShot(nachMs, [&, taste = taste] {
            QPointer<QMessageBox> box =
                qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            QWidget* ziel = QApplication::focusWidget();
            QTest::keyClick(ziel != nullptr && ziel->window() == box ? ziel : box.data(), taste);
            offenNachTaste = box->isVisible();
            waehrendDessen = gespeichert();
            // Not answered by the key: the user reads it and says no.
            QTimer::singleShot(ui::kKeyPause.count() + 100, [box] {
                if (box == nullptr) return;
                for (QAbstractButton* k : box->buttons())
                    if (k->text() == QStringLiteral("Nein")) QTest::mouseClick(k, Qt::LeftButton);
            });
        });
        form->Anzeige_Jahr->setFocus();
        form->Anzeige_Jahr->selectAll();
        QTest::keyClicks(form->Anzeige_Jahr, "2025");
        platform::setMessageHandler(nullptr);

        ASSERT_EQ(fragen.size(), 1u);
        EXPECT_EQ(fragen[0], cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
        // Nothing saved while the question is open; saved only by "Ja".
        EXPECT_EQ(tuple(offenNachTaste, waehrendDessen), tuple(!beantwortet, zeilen));
        if (beantwortet) ++zeilen;
        EXPECT_EQ(tuple(gespeichert(), b().jahr), tuple(zeilen, 2025));
    }
}

TEST_F(YearFieldTest, AfterAYearTypedOrSteppedTheNextDigitsTypeALine) {
    addUser("anna", "geheim");
    for (const bool pfeil : {false, true}) {
        SCOPED_TRACE(pfeil ? "the up arrow" : "typed");
        scriptSignIn("anna", "geheim");
        start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        if (form->commandChecked("ADA")) form->ADAExecute();  // storing leaves the text closed
        QTest::keyClicks(sheet(), "0108001200");  // a changed month: the save question comes
        boxes.clear();
        boxes.answer(platform::Answer::No);
        app::YearField* feld = form->Anzeige_Jahr;
        if (pfeil) {
            QStyleOptionSpinBox o;
            o.initFrom(feld);
            o.subControls = QStyle::SC_All;
            o.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
            const QRect auf =
                feld->style()->subControlRect(QStyle::CC_SpinBox, &o, QStyle::SC_SpinBoxUp, feld);
            QTest::mouseClick(feld, Qt::LeftButton, {}, auf.center());
        } else {
            QTest::mouseClick(feld, Qt::LeftButton, {}, {8, feld->height() / 2});
            feld->selectAll();
            QTest::keyClicks(feld, "2025");
        }
        EXPECT_EQ(tuple(boxes.count(), b().jahr), tuple(1u, pfeil ? 2027 : 2025));
        QWidget* ziel = QApplication::focusWidget();
        ASSERT_NE(ziel, nullptr);
        QTest::keyClicks(ziel, "0508001200");
        EXPECT_EQ(tuple(b().zeilen.size(), b().zeilen[0].substr(5, 5)), tuple(2u, "05.12"));
    }
}

}  // namespace
}  // namespace app_test

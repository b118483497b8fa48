// The search field TSuchfeld: a small panel with the searched column's name,
// a column menu, the search text with its drop-down history, a case toggle
// and a start button. It does not search itself: it sends Such_Kommando
// commands to the table linked with Set_Suche, which reads the text back.
#pragma once

#include <QFrame>
#include <string>

#include "controls/suchfeld/model/such_logik.h"
#include "platform/ui/windows/window_messages.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace table {

// A typed character sent to the field's edit (GetFenster) by a table.
constexpr unsigned WM_CHAR = 0x0102;

class TSuchfeld : public QFrame, public ui::MessageTarget, private SuchfeldSicht {
public:
    explicit TSuchfeld(QWidget* owner = nullptr);
    ~TSuchfeld() override;

    void Set_Suche(SuchZiel* ziel) { logik_.Set_Suche(ziel); }
    // Unlinks `ziel` when the field is linked to it (a table that goes away
    // or takes another field).
    void Loesen(const SuchZiel* ziel) {
        if (logik_.ziel() == ziel) logik_.Set_Suche(nullptr);
    }
    bool HatZiel() const { return logik_.HatZiel(); }
    std::string GetText() const { return text(); }
    void SetText(const std::string& text) { setText(text); }
    // The edit; it takes WM_CHAR through ui::SendMessage.
    QWidget* GetFenster() const;
    void Focus();
    bool GetVon() const { return logik_.GetVon(); }
    int Vergleich(const std::string& s) const { return logik_.Vergleich(s); }
    void NotFund(int pos) { logik_.NotFund(pos); }
    void Set_Spalten_Name(const std::string& name, int i) { logik_.Set_Spalten_Name(name, i); }
    void Set_Spalte(int i) { logik_.Set_Spalte(i); }

    const SuchfeldLogik& logik() const { return logik_; }
    // The panel and its buttons: a press there leaves the drop-down list open.
    bool istEigenesFenster(const QWidget* w) const;

    bool dispatchMessage(ui::Message& m) override;

    // The children.
    QLabel* SpaltenLabel = nullptr;
    QToolButton* SpaltenKnopf = nullptr;
    QLineEdit* Edit = nullptr;
    QToolButton* AuswahlKnopf = nullptr;
    QToolButton* GrossKlein = nullptr;  // down = case-sensitive
    QToolButton* StartKnopf = nullptr;

protected:
    void SpalteClick();
    void FensterClick(int n) { logik_.spalteGewaehlt(n); }
    void AuswahlClick();
    void StartClick();
    void SetListIndex(ui::Message& m);

private:
    std::string text() const override;
    void setText(const std::string& text) override;
    void select(int start, int length) override;
    void zeigeSpalte(const std::string& name) override;

    SuchfeldLogik logik_;
};

}  // namespace table

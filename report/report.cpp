#include "report/report.h"

#include <algorithm>
#include <new>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report_parser.h"

namespace report {

Report::Report() {
    SetDefaultwerte();
    SetPFormat(kA4, kHochformat);
}

bool Report::SetReportdaten(std::string_view text) {
    bool ok = false;
    try {
        ok = parseReport(*this, text);
    } catch (const std::bad_alloc&) {
        platform::MessageBox("Nicht genug Speicher", "Achtung", platform::Buttons::Ok,
                             platform::Icon::Warning);
    }
    SetPFormat(kA4, dir_);
    return ok;
}

void Report::Clear_Report(bool all) {
    objekte_.clear();
    zeilen_.clear();
    variablen_.clear();
    bilder_.clear();
    for (auto& t : eigeneTabellen_) t.reset();
    seitenFrame_ = -1;
    zaehlen_ = true;
    seitenGesamt_ = 1;
    strukturFehlerGezeigt_ = false;
    if (!all) SetDefaultwerte();
}

void Report::SetPFormat(BlattFormat format, Dir dir) {
    randOben_ = randUnten_ = randLinks_ = randRechts_ = 100;
    format_ = format;
    dir_ = dir;
    const int32_t kurz = format == kA5 ? 1485 : 2100;
    const int32_t lang = format == kA5 ? 2100 : 2970;
    seitenBreite_ = dir == kQuerformat ? lang : kurz;
    seitenHoehe_ = dir == kQuerformat ? kurz : lang;
}

const Bild* Report::GetBild(const std::string& name) {
    for (const auto& [n, bild] : bilder_) {
        if (n == name) return bild && !bild->isEmpty() ? bild.get() : nullptr;
    }
    std::shared_ptr<const Bild> bild;
    if (OnGetBitmap) OnGetBitmap(*this, name, bild);
    bilder_.emplace_back(name, bild);
    return bild && !bild->isEmpty() ? bild.get() : nullptr;
}

void Report::meldeStrukturFehler(const std::string& text) {
    if (strukturFehlerGezeigt_) return;
    strukturFehlerGezeigt_ = true;
    platform::MessageBox(text, "Fehler", platform::Buttons::Ok, platform::Icon::Error);
}

void Report::SetDefaultwerte() {
    vorgaben_ = Vorgaben();
    seiten_ = 1;
}

TStringTab* Report::GetDatenTab(int n) const {
    if (n < 1 || n > 3) return nullptr;
    TStringTab* host = n == 1 ? Tabelle1 : n == 2 ? Tabelle2 : Tabelle3;
    if (host != nullptr && host->GetRowCount(false) > 0) return host;
    return eigeneTabellen_[n - 1].get();
}

TStringTab* Report::EigeneTabelle(int n) const {
    return (n >= 1 && n <= 3) ? eigeneTabellen_[n - 1].get() : nullptr;
}

Variable* Report::NeuVariable(std::string_view name) {
    if (name.empty()) return nullptr;
    if (GetVariable(name) != nullptr) {
        static const std::string rest = platform::cp1252(
            "\nist schon definiert. Bitte benutzen Sie einen anderen Namen für die se "
            "Variable!");
        platform::MessageBox("Variable: " + std::string(name) + rest, "Fehler",
                             platform::Buttons::Ok, platform::Icon::Error);
        return nullptr;
    }
    auto v = std::make_unique<Variable>();
    v->name = std::string(name);
    return variablen_.emplace_back(std::move(v)).get();
}

void Report::SetzeVariablen(const std::vector<Variable>& stand) {
    variablen_.resize(std::min(variablen_.size(), stand.size()));
    for (size_t i = 0; i < stand.size(); ++i) {
        if (i == variablen_.size()) variablen_.push_back(std::make_unique<Variable>());
        *variablen_[i] = stand[i];
    }
}

Variable* Report::GetVariable(std::string_view name) {
    for (auto& v : variablen_) {
        if (v->name == name) return v.get();
    }
    return nullptr;
}

}  // namespace report

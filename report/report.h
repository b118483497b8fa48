// A parsed report: the object list in text order, the report-wide defaults
// and settings, the report's own data tables, the host's tables and the
// variables. `SetReportdaten` fills it from a report command text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "report/report_struct.h"
#include "report/string_tab.h"

namespace report {

// Page orientation of the report text (`ausrichtung hochformat|querformat`).
enum Dir : uint8_t { kHochformat = 0, kQuerformat = 1 };

class Report {
public:
    Report();

    // Parses the whole text. The objects parsed before a numbered error stay.
    // False after a numbered error, a Cancel on an unknown word or exhausted
    // memory; true otherwise (an empty text included).
    bool SetReportdaten(std::string_view text);

    // Frees the objects, variables and own data tables. Without all (the
    // start of a parse) the defaults are reset as well.
    void Clear_Report(bool all);
    void SetDefaultwerte();

    // The host's table n (1..3) when it holds a record, else the own one
    // (which may not exist); nullptr for any other n.
    TStringTab* GetDatenTab(int n) const;

    // A new variable, or nullptr for an empty name or a name in use (the
    // latter says so in a box).
    Variable* NeuVariable(std::string_view name);
    Variable* GetVariable(std::string_view name);

    const std::vector<DruckReport_Struct>& Objekte() const { return objekte_; }
    std::vector<DruckReport_Struct>& Objekte() { return objekte_; }
    const Vorgaben& Defaultwerte() const { return vorgaben_; }
    int32_t Seiten() const { return seiten_; }  // page count setting
    Dir Ausrichtung() const { return dir_; }
    int32_t SeitenFrame() const { return seitenFrame_; }  // index or -1
    TStringTab* EigeneTabelle(int n) const;               // own table n (1..3) or nullptr
    const std::vector<std::unique_ptr<Variable>>& Variablen() const { return variablen_; }

    // The host's data tables; not owned.
    TStringTab* Tabelle1 = nullptr;
    TStringTab* Tabelle2 = nullptr;
    TStringTab* Tabelle3 = nullptr;

private:
    friend class ReportParser;

    std::vector<DruckReport_Struct> objekte_;
    Vorgaben vorgaben_;
    int32_t seiten_ = 1;
    Dir dir_ = kHochformat;
    int32_t seitenFrame_ = -1;
    std::array<std::unique_ptr<TStringTab>, 3> eigeneTabellen_;
    std::vector<std::unique_ptr<Variable>> variablen_;
};

}  // namespace report

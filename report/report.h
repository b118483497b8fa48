// A parsed report: the object list in text order, the report-wide defaults
// and settings, the report's own data tables, the host's tables, the
// variables, the page format and the host's events. `SetReportdaten` fills
// it from a report command text; report_draw.h lays it out.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_canvas.h"
#include "report/report_struct.h"
#include "report/string_tab.h"

namespace report {

// Page orientation of the report text (`ausrichtung hochformat|querformat`).
enum Dir : uint8_t { kHochformat = 0, kQuerformat = 1 };
enum BlattFormat : uint8_t { kA4 = 0, kA5 = 1 };

class Report {
public:
    Report();

    // Parses the whole text. The objects parsed before a numbered error stay.
    // False after a numbered error, a Cancel on an unknown word or exhausted
    // memory; true otherwise (an empty text included).
    bool SetReportdaten(std::string_view text);

    // Frees the objects, variables, fetched pictures and own data tables and
    // asks for a new page count. Without all (the start of a parse) the
    // defaults are reset as well.
    void Clear_Report(bool all);
    void SetDefaultwerte();

    // The host's table n (1..3) when it holds a record, else the own one
    // (which may not exist); nullptr for any other n.
    TStringTab* GetDatenTab(int n) const;

    // A new variable, or nullptr for an empty name or a name in use (the
    // latter says so in a box).
    Variable* NeuVariable(std::string_view name);
    Variable* GetVariable(std::string_view name);
    // Puts the variables back to an earlier copy; those made since are dropped.
    void SetzeVariablen(const std::vector<Variable>& stand);

    const std::vector<DruckReport_Struct>& Objekte() const { return objekte_; }
    std::vector<DruckReport_Struct>& Objekte() { return objekte_; }
    // The line of the text that opened record i (for messages); 0 when unknown.
    int Zeile(size_t i) const { return i < zeilen_.size() ? zeilen_[i] : 0; }
    const Vorgaben& Defaultwerte() const { return vorgaben_; }
    int32_t Seiten() const { return seiten_; }  // page count setting
    Dir Ausrichtung() const { return dir_; }
    int32_t SeitenFrame() const { return seitenFrame_; }  // index or -1
    TStringTab* EigeneTabelle(int n) const;               // own table n (1..3) or nullptr
    const std::vector<std::unique_ptr<Variable>>& Variablen() const { return variablen_; }

    // Paper format and orientation; the margins become 10 mm each.
    void SetPFormat(BlattFormat format, Dir dir);
    BlattFormat Format() const { return format_; }
    int32_t Seitenbreite() const { return seitenBreite_; }  // 0.1 mm
    int32_t Seitenhoehe() const { return seitenHoehe_; }
    int32_t RandOben() const { return randOben_; }
    int32_t RandUnten() const { return randUnten_; }
    int32_t RandLinks() const { return randLinks_; }
    int32_t RandRechts() const { return randRechts_; }

    // The page total of the last counting pass (1 until one has run), and
    // whether the next pass counts first.
    int32_t SeitenGesamt() const { return seitenGesamt_; }
    void SetSeitenGesamt(int32_t n) { seitenGesamt_ = n; }
    bool Zaehlen() const { return zaehlen_; }
    void SetZaehlen(bool on) { zaehlen_ = on; }

    // Construction aids on the preview: 8 frames, 4 objects, 2 missing pictures.
    int Konstrukt = 0;

    // The picture of that name, asked from OnGetBitmap once per name and parse;
    // nullptr when there is none.
    const Bild* GetBild(const std::string& name);

    // Shows the structure error once per parse (the preview draws often), or
    // once per print job or file after neuerAuftrag().
    void meldeStrukturFehler(const std::string& text);
    void neuerAuftrag() { strukturFehlerGezeigt_ = false; }

    // Events; the first argument is the sending report.
    std::function<void(Report&, const std::string& name, std::shared_ptr<const Bild>& bild)>
        OnGetBitmap;
    std::function<void(Report&, int tab, int position)> OnRecordChange;
    std::function<void(Report&, const std::string& name, std::string& str)> OnFormat;

    // The host's data tables; not owned.
    TStringTab* Tabelle1 = nullptr;
    TStringTab* Tabelle2 = nullptr;
    TStringTab* Tabelle3 = nullptr;

private:
    friend class ReportParser;

    std::vector<DruckReport_Struct> objekte_;
    std::vector<int32_t> zeilen_;  // line of each record
    Vorgaben vorgaben_;
    int32_t seiten_ = 1;
    Dir dir_ = kHochformat;
    int32_t seitenFrame_ = -1;
    std::array<std::unique_ptr<TStringTab>, 3> eigeneTabellen_;
    std::vector<std::unique_ptr<Variable>> variablen_;
    std::vector<std::pair<std::string, std::shared_ptr<const Bild>>> bilder_;

    BlattFormat format_ = kA4;
    int32_t seitenBreite_ = 2100;
    int32_t seitenHoehe_ = 2970;
    int32_t randOben_ = 100;
    int32_t randUnten_ = 100;
    int32_t randLinks_ = 100;
    int32_t randRechts_ = 100;
    int32_t seitenGesamt_ = 1;
    bool zaehlen_ = true;
    bool strukturFehlerGezeigt_ = false;
};

}  // namespace report

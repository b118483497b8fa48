// The object record `DruckReport_Struct` of a parsed report (one per frame,
// page frame and object), its actions, the report-wide defaults copied into
// every new record, and the variable node. Positions and sizes are integers
// in tenths of a millimetre; texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace report {

// Object type codes: the word after `object`, or the frame keywords.
enum ObjektTyp : uint8_t {
    kLabel = 0,
    kBitmap = 1,
    kRechteck = 2,
    kLinie = 3,
    kDatum = 4,
    kUhrzeit = 5,
    kSeite = 6,
    kSeiteVon = 7,
    kDbText = 8,
    kFrame = 9,
    kSeitenFrame = 10,
    kElipse = 11,
    kBedingung = 12,
    kVariable = 13,
    kSetGruppe = 14,
};

// Condition flags set by the words after `wenn`.
enum Bedingung : uint16_t {
    kAenderung = 0x001,
    kDatensatz = 0x002,
    kNErster = 0x004,
    kLeer = 0x008,
    kNLeer = 0x010,
    kErster = 0x020,
    kLetzter = 0x040,
    kNeueSeite = 0x080,
    kErsteSeite = 0x100,
};

// Alignment values (horizontal: left, centre, right; vertical: top, centre, bottom).
constexpr uint8_t kAlignStart = 0;
constexpr uint8_t kAlignCentre = 1;
constexpr uint8_t kAlignEnd = 2;

// Font style bits.
constexpr uint8_t kFett = 0x01;
constexpr uint8_t kKursiv = 0x02;
constexpr uint8_t kUnterstrichen = 0x04;

constexpr uint32_t kKeineFarbe = 0x1FFFFFFF;  // background colour "none"

struct ReportFont {
    std::string name = "Times New Roman";
    int32_t size = 0;  // 0: the platform's default size
    uint8_t style = 0;
    bool operator==(const ReportFont&) const = default;
};

// One action of an object (`add`): the text names the variable that sums.
struct FAktion {
    uint8_t flag = 0;
    std::string text;
    bool operator==(const FAktion&) const = default;
};

// Report-wide defaults, set by `SetDefaultwerte` and by `set` lines.
struct Vorgaben {
    int32_t top = 0;
    int32_t left = 0;
    int32_t width = 500;
    int32_t height = 300;
    int32_t count = 0;
    uint8_t hAlign = kAlignStart;
    uint8_t vAlign = kAlignStart;
    uint32_t groupMask = 0;
    int32_t penWidth = 10;
    uint8_t autoSize = 1;
    uint8_t table = 1;
    uint32_t colour = 0;
    uint32_t background = kKeineFarbe;
    uint8_t numberType = 0;
    int32_t fontSize = 0;
    uint8_t fontStyle = 0;
    bool operator==(const Vorgaben&) const = default;
};

// Records live in the report's list in text order; a frame's children are
// the records after it whose `parent` is the frame's index.
struct DruckReport_Struct {
    int32_t top = 0;
    int32_t left = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t count = 0;       // `anzahl`
    int32_t step = 0;        // `schrittweite`, `einzelschritt`
    int32_t textAngle = 0;   // tenths of a degree
    int32_t pageMarker = 0;  // page a `neueseite` object was last drawn on
    ReportFont font;
    std::string text;
    std::string secondText;  // `else`, `getdbtext`
    uint8_t hAlign = kAlignStart;
    uint8_t vAlign = kAlignStart;
    uint32_t groupMask = 0;  // bit n-1 = group n
    int32_t penWidth = 0;
    int32_t columns = 1;               // `spalten`
    int32_t remainingLines = 0;        // lines still to draw on the next page
    uint8_t autoSize = 1;              // 1 auto, 0 box
    uint8_t recordText = 1;            // cleared by `wert` and `getdbtext`
    uint8_t numberType = 0;            // `typ zahl`
    uint8_t displayFormat = 0;         // `anzeige format`
    uint8_t table = 0;                 // 0 none, 1..3
    uint16_t conditions = 0;           // Bedingung flags
    std::optional<std::string> value;  // `wert`; created on first use
    uint32_t colour = 0;               // 0x00BBGGRR
    uint32_t background = kKeineFarbe;
    std::vector<FAktion> actions;
    uint8_t type = kLabel;  // ObjektTyp
    int32_t parent = -1;    // index of the enclosing frame, -1 none

    bool operator==(const DruckReport_Struct&) const = default;
};
std::ostream& operator<<(std::ostream& os, const DruckReport_Struct& r);

// A new record filled from the defaults.
DruckReport_Struct Neues_Objekt(const Vorgaben& vorgaben);

// Appends a new action (flag 0) to the list and returns it.
FAktion& NeuAktion(std::vector<FAktion>& list);

// A variable of the drawing pass: name, value, an integer and the number flag.
struct Variable {
    std::string name;
    std::string value;
    int32_t number = 0;
    uint8_t isNumber = 0;
    bool operator==(const Variable&) const = default;
};

}  // namespace report

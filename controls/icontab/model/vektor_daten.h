// The vector view's drawing: the objects read from a byte buffer with their
// markers and labels, their scaling into a window or onto a page, the faces
// that the painter fills, and the hit test and marking of the mouse.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/table_shared/model/tab_druck.h"
#include "controls/table_shared/model/tab_typen.h"
#include "platform/core/rect.h"

namespace table {

using platform::Point;
using platform::Rect;

// clang-format off
// One stored object (60 bytes, little-endian):
// offset | size | field
//  0     | 8    | point 1: i32 x, i32 y
//  8     | 8    | point 2
// 16     | 8    | point 3 (kinds 2 and 3)
// 24     | 8    | point 4 (kind 2)
// 32     | 4    | i32 first size value (added to the drawing's extent)
// 36     | 4    | i32 second size value
// 40     | 4    | i32 not used
// 44     | 4    | i32 object id (same id: marked together, one label)
// 48     | 4    | colour
// 52     | 4    | i32 value: depth of kinds 2 and 4, label line of kind 5
// 56     | 1    | u8 kind: 0 skipped, 1 line, 2 block, 3 sector, 4 disc, 5 label
// 57     | 3    | not used
// clang-format on
struct Graphik_Struct {
    std::array<Point, 4> p{};
    int Groesse1 = 0;
    int Groesse2 = 0;
    int Id = 0;
    TColor Farbe = 0;
    int Wert = 0;
    std::uint8_t Art = 0;
};

constexpr std::uint8_t kMarkiert = 1;  // marker bit 0; bit 1 is kept by marking

struct VektorDaten {
    std::uint32_t Kopf = 0;        // first header value, kept
    std::uint32_t LabelBasis = 0;  // label of id k: line k + this
    std::vector<Graphik_Struct> objekte;
    std::vector<std::uint8_t> marker;  // one per object
    std::vector<std::string> labels;
    long long maxX = 0;  // extents of the drawing, 10 added after loading
    long long maxY = 0;
    int unterMaus = -1;  // object under the mouse

    // The label of an object id, nullptr when the list has no such line.
    const std::string* label(int id) const;
};

enum class VektorFehler { Keiner, ZuKurz, Index };

struct VektorErgebnis {
    VektorFehler fehler = VektorFehler::Keiner;
    std::size_t offset = 0;  // where the fault was found
};

// clang-format off
// The buffer handed to SetVektor:
// offset   | size   | field
//  0       | 4      | u32 n: number of objects
//  4       | 4      | u32 first header value
//  8       | 4      | u32 label base
// 12       | 64 x n | n times a 60-byte object, then a u32 running index 0, 1, ...
// 12 + 64n | rest   | optional label text, NUL-terminated, one label per line
// clang-format on
// Replaces d with the drawing in data. Fewer than 12 + 64 n bytes load
// nothing; an object whose running index is wrong ends the loading with the
// objects before it kept and no labels.
VektorErgebnis leseVektor(VektorDaten& d, const char* data, std::size_t len);

constexpr const char* kVektorFehler = "Fehler in den Vektordaten";
constexpr const char* kVektorFehlerTitel = "Fehler";

// A filled polygon of a shape, in its shade.
struct VektorFlaeche {
    std::vector<Point> ecken;
    TColor farbe = 0;
};

// One object scaled onto the target: what is drawn and what the mouse hits.
struct VektorForm {
    int objekt = 0;  // index into VektorDaten::objekte
    std::uint8_t art = 0;
    std::array<Point, 4> p{};
    std::vector<VektorFlaeche> flaechen;  // kinds 2 to 4, back to front
    // Kind 5: the label, its size in points and where its text cell starts.
    std::string text;
    int punkte = 6;
    Point textPos;
};

struct VektorBild {
    Rect ziel;
    double faktor = 1;
    std::vector<VektorForm> formen;  // kinds 1 to 5, in object order
};

// Scales the drawing from its extents into `ziel`, both axes by one factor,
// coordinates rounded half up. Labels are fitted from 28 down to 6 points of
// "Times New Roman" measured by m (nullptr: 6 points, unmeasured).
VektorBild skaliereVektor(const VektorDaten& d, const Rect& ziel, DruckMetrik* m);

constexpr const char* kVektorSchrift = "Times New Roman";

// Whether (x, y) hits the scaled form (see the table in the source).
bool Find_Objekt(int x, int y, const VektorForm& f);

// The index of the topmost form under (x, y), -1 for none.
int vektorTreffer(const VektorBild& b, int x, int y);

// Marks every object with the id of the object under (x, y), and unmarks the
// rest. Returns the id, -1 when nothing is hit (then nothing changes);
// an object already marked changes nothing either. With `loeschen` every
// mark goes and -1 is returned.
int Setze_Marker(VektorDaten& d, const VektorBild& b, bool loeschen, int x, int y);

// Each colour channel lowered by 0x22, or to 0 when it is not above that.
TColor schattiert(TColor c);

}  // namespace table

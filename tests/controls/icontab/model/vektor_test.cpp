// The vector view: the byte reader on sound and damaged buffers, the hit
// test of lines and rectangles, marking by object id and the hint of the
// object under the mouse.
#include <gtest/gtest.h>

#include <random>

#include "controls/icontab/model/vektor_daten.h"
#include "platform/core/message_box.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

void u32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}

struct Obj {
    std::uint8_t art = 1;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int id = 0;
    int wert = 0;
    std::uint32_t index = 0xFFFFFFFF;  // default: its position
};

// Header, objects written field by field from the layout table, labels.
std::string daten(const std::vector<Obj>& objs, const std::string& labels = "",
                  std::uint32_t basis = 0, std::uint32_t n = 0xFFFFFFFF) {
    std::string s;
    u32(s, n == 0xFFFFFFFF ? static_cast<std::uint32_t>(objs.size()) : n);
    u32(s, 7);
    u32(s, basis);
    for (size_t i = 0; i < objs.size(); ++i) {
        const Obj& o = objs[i];
        for (const int v : {o.x1, o.y1, o.x2, o.y2, 0, 0, 0, 0, 0, 0, 0, o.id})
            u32(s, static_cast<std::uint32_t>(v));
        u32(s, 0x0000FF);  // colour
        u32(s, static_cast<std::uint32_t>(o.wert));
        s += std::string{static_cast<char>(o.art), 0, 0, 0};
        u32(s, o.index == 0xFFFFFFFF ? static_cast<std::uint32_t>(i) : o.index);
    }
    return s + labels;
}

TEST(Vektor, ReaderKeepsWhatWasReadBeforeAFault) {
    const Obj a{1, 0, 0, 10, 10}, b{1, 5, 5, 40, 30};
    Obj falsch = b;
    falsch.index = 5;
    Obj erstesFalsch = a;
    erstesFalsch.index = 1;
    const std::string zwei = daten({a, b});
    struct Fall {
        const char* name;
        std::string bytes;
        VektorFehler fehler;
        size_t objekte;
    } faelle[] = {
        {"leer, 12 Bytes", daten({}), VektorFehler::Keiner, 0},
        {"11 Bytes", std::string(11, '\0'), VektorFehler::ZuKurz, 0},
        {"leerer Puffer", "", VektorFehler::ZuKurz, 0},
        {"n = 2^32 - 1 ohne Daten", daten({}, "", 0, 0xFFFFFFFFu - 1), VektorFehler::ZuKurz, 0},
        {"ein Byte zu wenig", zwei.substr(0, zwei.size() - 1), VektorFehler::ZuKurz, 0},
        {"zweiter Index 5", daten({a, falsch}), VektorFehler::Index, 1},
        {"erster Index 1", daten({erstesFalsch, b}), VektorFehler::Index, 0},
        {"zwei Objekte", zwei, VektorFehler::Keiner, 2},
    };
    for (const Fall& f : faelle) {
        VektorDaten d;
        d.labels = {"alt"};
        const VektorErgebnis e = leseVektor(d, f.bytes.data(), f.bytes.size());
        EXPECT_EQ(e.fehler, f.fehler) << f.name;
        EXPECT_EQ(d.objekte.size(), f.objekte) << f.name;
        EXPECT_EQ(d.marker.size(), d.objekte.size()) << f.name;
        if (f.fehler != VektorFehler::Keiner) {
            EXPECT_TRUE(d.labels.empty()) << f.name;
            EXPECT_EQ(d.LabelBasis, 0u) << f.name;
        }
    }
}

TEST(Vektor, LabelsAndExtents) {
    VektorDaten d;
    const std::string s = daten({{1, 0, 0, 20, 30}, {1, 5, 5, 50, 10}}, "a\r\nb\nc\0d", 1);
    ASSERT_EQ(leseVektor(d, s.data(), s.size()).fehler, VektorFehler::Keiner);
    EXPECT_EQ(d.labels, (std::vector<std::string>{"a", "b", "c"}));  // the NUL ends the text
    EXPECT_EQ(d.maxX, 50);
    EXPECT_EQ(d.maxY, 30);
    ASSERT_NE(d.label(1), nullptr);
    EXPECT_EQ(*d.label(1), "c");      // id 1 + base 1
    EXPECT_EQ(d.label(2), nullptr);   // past the list
    EXPECT_EQ(d.label(-2), nullptr);  // before it
}

TEST(Vektor, RandomBytesNeverReadPastTheBuffer) {
    std::mt19937 rng(22);
    for (int i = 0; i < 2000; ++i) {
        std::string s(static_cast<size_t>(rng() % 300), '\0');
        for (char& c : s) c = static_cast<char>(rng());
        if (i % 2 && s.size() >= 4) s[0] = static_cast<char>(rng() % 5), s[1] = s[2] = s[3] = 0;
        VektorDaten d;
        leseVektor(d, s.data(), s.size());
        ASSERT_LE(d.objekte.size() * 64, s.size());
        const VektorBild b = skaliereVektor(d, {0, 0, 300, 200}, nullptr);
        for (int y = 0; y < 200; y += 37) vektorTreffer(b, 150, y);
    }
}

// Forms at factor 1: a 100 x 100 drawing in a 100 x 100 target.
VektorBild bild(VektorDaten& d, const std::vector<Obj>& objs, const std::string& labels = "") {
    const std::string s = daten(objs, labels);
    leseVektor(d, s.data(), s.size());
    d.maxX = d.maxY = 100;
    return skaliereVektor(d, {0, 0, 100, 100}, nullptr);
}

TEST(Vektor, HitTestOfLinesAndRectangles) {
    struct Fall {
        Obj o;
        int x, y;
        bool treffer;
    } faelle[] = {
        {{1, 50, 10, 50, 60}, 53, 30, true},  // vertical, 3 pixels beside
        {{1, 50, 10, 50, 60}, 54, 30, false},
        {{1, 50, 10, 50, 60}, 50, 63, true},  // 3 pixels beyond the end
        {{1, 50, 10, 50, 60}, 50, 64, false},
        {{1, 10, 10, 90, 50}, 50, 33, true},  // y at x = 50 is 30
        {{1, 10, 10, 90, 50}, 50, 34, false},
        {{1, 10, 10, 90, 50}, 7, 8, true},  // x range widened by 3
        {{1, 10, 10, 90, 50}, 6, 8, false},
        {{5, 10, 10, 40, 30}, 40, 30, true},  // borders belong to it
        {{5, 10, 10, 40, 30}, 41, 30, false},
        {{0, 10, 10, 40, 30}, 10, 10, true},   // kind 0: hit, not drawn
        {{5, 40, 30, 10, 10}, 20, 20, false},  // corners are not swapped
        {{4, 10, 10, 50, 50}, 30, 30, true},   // inside the disc
        {{4, 10, 10, 50, 50}, 11, 11, false},  // its corner is outside
    };
    for (const Fall& f : faelle) {
        VektorDaten d;
        const VektorBild b = bild(d, {f.o});
        EXPECT_EQ(vektorTreffer(b, f.x, f.y) == 0, f.treffer)
            << int(f.o.art) << " (" << f.o.x1 << "," << f.o.y1 << ")-(" << f.o.x2 << "," << f.o.y2
            << ") at " << f.x << "," << f.y;
    }
}

TEST(Vektor, ObjectsOfOneIdAreMarkedTogether) {
    VektorDaten d;
    // Two rectangles of id 3 and one of id 4.
    const VektorBild b =
        bild(d, {{0, 0, 0, 10, 10, 3}, {0, 50, 50, 60, 60, 3}, {0, 80, 0, 90, 10, 4}});
    EXPECT_EQ(Setze_Marker(d, b, false, 55, 55), 3);
    EXPECT_EQ(d.marker, (std::vector<std::uint8_t>{1, 1, 0}));
    d.unterMaus = 1;
    EXPECT_EQ(Setze_Marker(d, b, false, 85, 5), 4);  // the mark moves
    EXPECT_EQ(d.marker, (std::vector<std::uint8_t>{0, 0, 1}));
    d.marker[0] |= 2;  // bit 1 stays
    EXPECT_EQ(Setze_Marker(d, b, false, 30, 30), -1);
    EXPECT_EQ(d.marker, (std::vector<std::uint8_t>{2, 0, 0}));
    d.unterMaus = -1;
    d.marker = {0, 0, 1};
    EXPECT_EQ(Setze_Marker(d, b, false, 30, 30), -1);  // nothing was under the mouse
    EXPECT_EQ(d.marker, (std::vector<std::uint8_t>{0, 0, 1}));
}

TEST(Vektor, LabelsOutsideTheListAreSkipped) {
    VektorDaten d;
    const VektorBild b = bild(d, {{5, 0, 0, 50, 20, 0, 1}, {5, 0, 30, 50, 50, 0, 7}}, "a\r\nb");
    ASSERT_EQ(b.formen.size(), 2u);
    EXPECT_EQ(b.formen[0].text, "b");
    EXPECT_EQ(b.formen[1].text, "");
}

TEST(Vektor, TheControlLoadsShowsFaultsAndHints) {
    platform::ScriptedMessages boxen;
    Probe p;
    p.SetTabelle(2, 1, -1, 0);
    p.SetA_Format(A_Vektor);
    p.setGroesse(100, 100, 100, 100);
    const std::string leer = daten({});
    p.SetVektor(leer.data(), static_cast<unsigned>(leer.size()));
    ASSERT_NE(p.bildAnzeige(), nullptr);
    EXPECT_EQ(p.bildAnzeige()->vektor.maxX, 10);
    EXPECT_EQ(p.bildAnzeige()->vektor.maxY, 10);
    EXPECT_EQ(boxen.count(), 0u);

    const std::string s = daten({{0, 0, 0, 40, 40, 1}, {0, 50, 50, 90, 90, 0}}, "a\r\nb");
    p.SetVektor(s.data(), static_cast<unsigned>(s.size()));
    const VektorDaten& d = p.bildAnzeige()->vektor;
    ASSERT_EQ(d.maxX, 100);
    const int repaints = p.repaints;
    EXPECT_TRUE(p.ansichtMaus(20, 20));  // over id 1: label line 1
    EXPECT_EQ(p.Hint(), "b");
    EXPECT_EQ(d.marker[0], 1);
    EXPECT_GT(p.repaints, repaints);
    EXPECT_FALSE(p.ansichtMaus(21, 21));  // the same object
    EXPECT_TRUE(p.ansichtMaus(70, 70));
    EXPECT_EQ(p.Hint(), "a");
    EXPECT_TRUE(p.ansichtMaus(45, 5));
    EXPECT_EQ(p.Hint(), "");

    const std::string kurz = s.substr(0, 20);
    p.SetVektor(kurz.data(), static_cast<unsigned>(kurz.size()));
    ASSERT_EQ(boxen.count(), 1u);
    EXPECT_EQ(boxen.last().text, "Fehler in den Vektordaten");
    EXPECT_EQ(boxen.last().caption, "Fehler");
    EXPECT_TRUE(p.bildAnzeige()->vektor.objekte.empty());

    p.SetA_Format(A_Tabelle);  // leaving the view frees its record
    EXPECT_EQ(p.bildAnzeige(), nullptr);
    p.SetVektor(s.data(), static_cast<unsigned>(s.size()));  // not shown: nothing happens
    EXPECT_EQ(boxen.count(), 1u);
}

}  // namespace
}  // namespace table

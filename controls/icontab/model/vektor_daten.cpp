#include "controls/icontab/model/vektor_daten.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace table {
namespace {

constexpr std::size_t kKopf = 12;
constexpr std::size_t kObjekt = 60;
constexpr std::size_t kEintrag = kObjekt + 4;  // the object and its running index
constexpr int kTreffRand = 3;                  // a line is hit this close
constexpr int kGroessteSchrift = 28;
constexpr int kKleinsteSchrift = 6;
constexpr double kBogenSchritt = std::numbers::pi / 36;  // 5 degrees

std::uint32_t u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

int i32(const unsigned char* p) {
    return static_cast<int>(u32(p));
}

Graphik_Struct objekt(const unsigned char* p) {
    Graphik_Struct g;
    for (size_t k = 0; k < 4; ++k) g.p[k] = {i32(p + 8 * k), i32(p + 8 * k + 4)};
    g.Groesse1 = i32(p + 32);
    g.Groesse2 = i32(p + 36);
    g.Id = i32(p + 44);
    g.Farbe = u32(p + 48);
    g.Wert = i32(p + 52);
    g.Art = p[56];
    return g;
}

// How many of the four points an object uses.
size_t punkteVon(const Graphik_Struct& g) {
    return g.Art == 2 ? 4 : g.Art == 3 ? 3 : 2;
}

// Lines split at CR LF, LF or CR, as a string list takes a text.
std::vector<std::string> zeilen(std::string_view text) {
    std::vector<std::string> v;
    size_t start = 0;
    while (start < text.size()) {
        size_t ende = start;
        while (ende < text.size() && text[ende] != '\r' && text[ende] != '\n') ++ende;
        v.emplace_back(text.substr(start, ende - start));
        if (ende < text.size() && text[ende] == '\r') ++ende;
        if (ende < text.size() && text[ende] == '\n') ++ende;
        start = ende;
    }
    return v;
}

}  // namespace

const std::string* VektorDaten::label(int id) const {
    const long long i = static_cast<long long>(id) + LabelBasis;
    if (i < 0 || i >= static_cast<long long>(labels.size())) return nullptr;
    return &labels[static_cast<size_t>(i)];
}

VektorErgebnis leseVektor(VektorDaten& d, const char* data, std::size_t len) {
    const int maus = d.unterMaus;
    d = VektorDaten{};
    d.unterMaus = maus;
    if (data == nullptr || len < kKopf) return {VektorFehler::ZuKurz, 0};
    const auto* b = reinterpret_cast<const unsigned char*>(data);
    const std::uint64_t n = u32(b);
    if (kKopf + kEintrag * n > len) return {VektorFehler::ZuKurz, 0};
    d.Kopf = u32(b + 4);
    d.LabelBasis = u32(b + 8);
    d.objekte.reserve(static_cast<size_t>(n));
    for (std::uint64_t i = 0; i < n; ++i) {
        const size_t o = kKopf + kEintrag * static_cast<size_t>(i);
        const Graphik_Struct g = objekt(b + o);
        if (u32(b + o + kObjekt) != i) {
            d.LabelBasis = 0;
            d.marker.assign(d.objekte.size(), 0);
            return {VektorFehler::Index, o + kObjekt};
        }
        long long x = d.maxX, y = d.maxY;
        for (size_t k = 0; k < punkteVon(g); ++k) {
            x = std::max<long long>(x, g.p[k].x);
            y = std::max<long long>(y, g.p[k].y);
        }
        const Graphik_Struct& erstes = d.objekte.empty() ? g : d.objekte.front();
        if (x > d.maxX) d.maxX = x + erstes.Groesse1;
        if (y > d.maxY) d.maxY = y + erstes.Groesse2;
        d.objekte.push_back(g);
    }
    d.marker.assign(d.objekte.size(), 0);
    const size_t rest = kKopf + kEintrag * static_cast<size_t>(n);
    std::string_view text(data + rest, len - rest);
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    d.labels = zeilen(text);
    return {};
}

TColor schattiert(TColor c) {
    TColor r = 0;
    for (int s = 0; s < 24; s += 8) {
        const TColor k = (c >> s) & 0xFF;
        r |= (k > 0x22 ? k - 0x22 : 0) << s;
    }
    return r;
}

namespace {

int rund(double v) {
    return static_cast<int>(std::clamp(std::floor(v + 0.5), -1e9, 1e9));
}

struct Skala {
    double f;
    int x0, y0;
    Point operator()(Point p) const { return {x0 + rund(p.x * f), y0 + rund(p.y * f)}; }
    int laenge(long long v) const { return rund(static_cast<double>(v) * f); }
};

std::vector<Point> verschoben(const std::vector<Point>& v, int dx, int dy) {
    std::vector<Point> r = v;
    for (Point& p : r) p = {p.x + dx, p.y + dy};
    return r;
}

// A polygon with depth: the copy behind it, a face for every edge, then the
// front; the faces behind are shaded.
void koerper(VektorForm& f, const std::vector<Point>& vorne, TColor farbe, int tiefe) {
    if (tiefe > 0) {
        const TColor dunkel = schattiert(farbe);
        const std::vector<Point> hinten = verschoben(vorne, tiefe, -tiefe);
        f.flaechen.push_back({hinten, dunkel});
        for (size_t i = 0; i < vorne.size(); ++i) {
            const size_t j = (i + 1) % vorne.size();
            f.flaechen.push_back({{vorne[i], vorne[j], hinten[j], hinten[i]}, dunkel});
        }
    }
    f.flaechen.push_back({vorne, farbe});
}

// Points of an arc around c from angle a to angle b (radians), radii rx, ry.
void bogen(std::vector<Point>& v, Point c, double rx, double ry, double a, double b) {
    const int n = std::max(2, static_cast<int>(std::ceil(std::abs(b - a) / kBogenSchritt)) + 1);
    for (int i = 0; i < n; ++i) {
        const double w = a + (b - a) * i / (n - 1);
        v.push_back({c.x + rund(rx * std::cos(w)), c.y + rund(ry * std::sin(w))});
    }
}

void formen(VektorForm& f, const Graphik_Struct& g, const Skala& s, DruckMetrik* m,
            const VektorDaten& d) {
    for (size_t k = 0; k < 4; ++k) f.p[k] = s(g.p[k]);
    const TColor farbe = g.Farbe & 0xFFFFFF;
    switch (g.Art) {
        case 2:  // a four-point block, `Wert` deep
            koerper(f, {f.p[0], f.p[1], f.p[2], f.p[3]}, farbe, s.laenge(std::max(0, g.Wert)));
            break;
        case 3: {  // a sector around point 1 from point 2 to point 3
            const double rx = f.p[1].x - f.p[0].x, ry = f.p[1].y - f.p[0].y;
            const double r = std::hypot(rx, ry);
            const double a = std::atan2(ry, rx);
            double b = std::atan2(f.p[2].y - f.p[0].y, f.p[2].x - f.p[0].x);
            if (b <= a) b += 2 * std::numbers::pi;
            std::vector<Point> v{f.p[0]};
            bogen(v, f.p[0], r, r, a, b);
            koerper(f, v, farbe, 0);
            break;
        }
        case 4: {  // a disc in the rectangle of points 1 and 2, `Wert` thick
            const Point c{(f.p[0].x + f.p[1].x) / 2, (f.p[0].y + f.p[1].y) / 2};
            const double rx = std::abs(f.p[1].x - f.p[0].x) / 2.0;
            const double ry = std::abs(f.p[1].y - f.p[0].y) / 2.0;
            const int dicke = s.laenge(std::max(0, g.Wert));
            if (dicke > 0) {
                std::vector<Point> rand;
                bogen(rand, c, rx, ry, 0, std::numbers::pi);
                bogen(rand, {c.x, c.y + dicke}, rx, ry, std::numbers::pi, 0);
                f.flaechen.push_back({rand, schattiert(farbe)});
            }
            std::vector<Point> v;
            bogen(v, c, rx, ry, 0, 2 * std::numbers::pi);
            f.flaechen.push_back({v, farbe});
            break;
        }
        case 5: {
            const std::string* text = nullptr;
            if (g.Wert >= 0 && static_cast<size_t>(g.Wert) < d.labels.size())
                text = &d.labels[static_cast<size_t>(g.Wert)];
            if (text == nullptr) break;  // no such line: nothing to write
            f.text = *text;
            const int w = std::abs(f.p[1].x - f.p[0].x), h = std::abs(f.p[1].y - f.p[0].y);
            f.punkte = kKleinsteSchrift;
            int tw = 0, th = 0;
            for (int pt = kGroessteSchrift; m != nullptr && pt >= kKleinsteSchrift; --pt) {
                tw = m->breite(f.text, pt, false);
                th = m->hoehe(f.text, pt, false);
                if (tw < w && th < h) {
                    f.punkte = pt;
                    break;
                }
            }
            if (m != nullptr && f.punkte == kKleinsteSchrift) {
                tw = m->breite(f.text, f.punkte, false);
                th = m->hoehe(f.text, f.punkte, false);
            }
            // Centred in its rectangle.
            f.textPos = {std::min(f.p[0].x, f.p[1].x) + (w - tw) / 2,
                         std::min(f.p[0].y, f.p[1].y) + (h - th) / 2};
            break;
        }
        default:
            break;
    }
}

// Even-odd crossing test.
bool imPolygon(int x, int y, const std::vector<Point>& v) {
    bool innen = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const long long yi = v[i].y, yj = v[j].y, xi = v[i].x, xj = v[j].x;
        if ((yi > y) != (yj > y) && static_cast<double>(x) < static_cast<double>(xj - xi) *
                                                                     static_cast<double>(y - yi) /
                                                                     static_cast<double>(yj - yi) +
                                                                 static_cast<double>(xi))
            innen = !innen;
    }
    return innen;
}

}  // namespace

VektorBild skaliereVektor(const VektorDaten& d, const Rect& ziel, DruckMetrik* m) {
    VektorBild b;
    b.ziel = ziel;
    const double fx = ziel.width() / static_cast<double>(std::max(1LL, d.maxX));
    const double fy = ziel.height() / static_cast<double>(std::max(1LL, d.maxY));
    b.faktor = std::max(0.0, std::min(fx, fy));
    const Skala s{b.faktor, ziel.left, ziel.top};
    for (size_t i = 0; i < d.objekte.size(); ++i) {
        const Graphik_Struct& g = d.objekte[i];
        if (g.Art > 5) continue;  // kind 0 is not drawn but hit
        VektorForm f;
        f.objekt = static_cast<int>(i);
        f.art = g.Art;
        formen(f, g, s, m, d);
        b.formen.push_back(std::move(f));
    }
    return b;
}

// clang-format off
// kind | hit when
// 0, 5 | x1 <= x <= x2 and y1 <= y <= y2 (point 1 upper left, corners not swapped)
// 1    | within 3 pixels of the line, its ends widened by 3 pixels
// 2-4  | inside one of the faces drawn
// clang-format on
bool Find_Objekt(int x, int y, const VektorForm& f) {
    const Point a = f.p[0], b = f.p[1];
    switch (f.art) {
        case 0:
        case 5:
            return x >= a.x && x <= b.x && y >= a.y && y <= b.y;
        case 1: {
            if (a.x == b.x) {
                return std::abs(x - a.x) <= kTreffRand && y >= std::min(a.y, b.y) - kTreffRand &&
                       y <= std::max(a.y, b.y) + kTreffRand;
            }
            if (x < std::min(a.x, b.x) - kTreffRand || x > std::max(a.x, b.x) + kTreffRand)
                return false;
            const double ly = a.y + static_cast<double>(b.y - a.y) * (x - a.x) / (b.x - a.x);
            return std::abs(ly - y) <= kTreffRand;
        }
        default:
            for (const VektorFlaeche& fl : f.flaechen)
                if (fl.ecken.size() >= 3 && imPolygon(x, y, fl.ecken)) return true;
            return false;
    }
}

int vektorTreffer(const VektorBild& b, int x, int y) {
    for (size_t i = b.formen.size(); i-- > 0;)
        if (Find_Objekt(x, y, b.formen[i])) return b.formen[i].objekt;
    return -1;
}

int Setze_Marker(VektorDaten& d, const VektorBild& b, bool loeschen, int x, int y) {
    int id = -1;
    if (!loeschen) {
        const int h = vektorTreffer(b, x, y);
        if (h < 0 && d.unterMaus < 0) return -1;
        if (h >= 0) {
            id = d.objekte[static_cast<size_t>(h)].Id;
            if (d.marker[static_cast<size_t>(h)] & kMarkiert) return id;
        }
    }
    for (size_t i = 0; i < d.objekte.size(); ++i) {
        std::uint8_t& mk = d.marker[i];
        mk = id >= 0 && d.objekte[i].Id == id ? (mk | kMarkiert) : (mk & ~kMarkiert);
    }
    return id;
}

}  // namespace table

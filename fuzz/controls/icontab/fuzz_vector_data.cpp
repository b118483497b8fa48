// The vector view's reader of outside bytes, through the table control's
// model: whatever the buffer holds, the drawing keeps no more objects than
// the bytes carry, one marker each, and scaling, hit tests, marking and the
// hint of the object under the mouse stay inside its arrays.
#include <algorithm>

#include "controls/icontab/model/icontab_modell.h"
#include "controls/icontab/model/vektor_daten.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"

namespace {

// Every character as wide as the size, lines twice as high.
class Metrik : public table::DruckMetrik {
public:
    int breite(std::string_view text, int punkte, bool) override {
        return static_cast<int>(text.size()) * punkte;
    }
    int hoehe(std::string_view, int punkte, bool) override { return 2 * punkte; }
};

class Modell : public table::IconTabModell {
protected:
    table::DruckMetrik& vektorMetrik() override { return metrik_; }

private:
    Metrik metrik_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool still = [] {
        platform::setMessageHandler(
            [](const platform::MessageRequest&) { return platform::Answer::Ok; });
        return true;
    }();
    (void)still;
    const char* bytes = reinterpret_cast<const char*>(data);

    table::VektorDaten d;
    const table::VektorErgebnis e = table::leseVektor(d, bytes, size);
    FUZZ_ASSERT(12 + 64 * d.objekte.size() <= std::max<size_t>(size, 12));
    FUZZ_ASSERT(d.marker.size() == d.objekte.size());
    FUZZ_ASSERT(e.fehler == table::VektorFehler::Keiner || d.labels.empty());
    Metrik m;
    const table::VektorBild b = table::skaliereVektor(d, {0, 20, 640, 480}, &m);
    for (const table::VektorForm& f : b.formen)
        FUZZ_ASSERT(f.objekt >= 0 && static_cast<size_t>(f.objekt) < d.objekte.size());
    for (int y = 0; y < 480; y += 61)
        for (int x = 0; x < 640; x += 83) table::Setze_Marker(d, b, false, x, y);

    Modell modell;
    modell.setGroesse(320, 240, 320, 240);
    modell.SetTabelle(2, 1, -1, 0);
    modell.SetA_Format(table::A_Vektor);
    modell.SetVektor(bytes, static_cast<unsigned>(std::min<size_t>(size, 0xFFFFFFFF)));
    for (int i = 0; i < 8; ++i) modell.ansichtMaus(i * 40, i * 30);
    return 0;
}

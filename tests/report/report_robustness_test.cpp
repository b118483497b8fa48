// The parser must finish on any input without a crash, a hang or reading
// past the text, and leave a sound object list behind.
#include <gtest/gtest.h>

#include <random>

#include "platform/core/message_box.h"
#include "report/report.h"
#include "report/report_lexer.h"
#include "tests/report/formular_fixture.h"

namespace report {
namespace {

// Answers every box, mostly OK, and only counts them.
class CountingBoxes {
public:
    explicit CountingBoxes(unsigned cancelEvery = 0) {
        platform::setMessageHandler([this, cancelEvery](const platform::MessageRequest& m) {
            ++count;
            if (cancelEvery != 0 && m.caption == "Unbekannter Befehl" && count % cancelEvery == 0)
                return platform::Answer::Cancel;
            return platform::Answer::Ok;
        });
    }
    ~CountingBoxes() { platform::setMessageHandler(nullptr); }
    size_t count = 0;
};

void expectSound(const Report& r, const std::string& text) {
    const auto& objects = r.Objekte();
    for (size_t i = 0; i < objects.size(); ++i) {
        const DruckReport_Struct& o = objects[i];
        ASSERT_LE(o.type, kSetGruppe);
        if (o.parent != -1) {
            ASSERT_GE(o.parent, 0);
            ASSERT_LT(static_cast<size_t>(o.parent), i);
            const uint8_t t = objects[static_cast<size_t>(o.parent)].type;
            ASSERT_TRUE(t == kFrame || t == kSeitenFrame);
        }
        ASSERT_LE(o.text.size(), kMaxWertLaenge);
        ASSERT_LE(o.secondText.size(), kMaxWertLaenge);
        ASSERT_LE(o.value.value_or("").size(), kMaxWertLaenge);
        for (const FAktion& a : o.actions) ASSERT_LE(a.text.size(), kMaxWertLaenge);
        ASSERT_LE(o.table, 3);
    }
    if (r.SeitenFrame() != -1) {
        ASSERT_LT(static_cast<size_t>(r.SeitenFrame()), objects.size());
        ASSERT_EQ(objects[static_cast<size_t>(r.SeitenFrame())].type, kSeitenFrame);
    }
    for (int n = 1; n <= 3; ++n) {
        const TStringTab* t = r.EigeneTabelle(n);
        if (t == nullptr) continue;
        ASSERT_LE(t->GetStrings().size(),
                  static_cast<size_t>(t->RowCount()) * static_cast<size_t>(t->ColCount()))
            << text.size();
    }
}

// Parses twice; the second parse must give the same objects.
void parseAndCheck(const std::string& text) {
    CountingBoxes boxes;
    Report r;
    r.SetReportdaten(text);
    expectSound(r, text);
    const std::vector<DruckReport_Struct> first = r.Objekte();
    r.SetReportdaten(text);
    ASSERT_EQ(r.Objekte(), first);
}

TEST(ReportRobustness, RandomBytes) {
    std::mt19937 rng(0x5EED);
    // Mostly the bytes that steer the lexer, some of everything else.
    const std::string steer = " \t\r\n\"#,-0123456789";
    for (int i = 0; i < 300; ++i) {
        std::string text(rng() % 1500, '\0');
        for (char& c : text) {
            c = (rng() % 3 == 0) ? steer[rng() % steer.size()] : static_cast<char>(rng() % 256);
        }
        parseAndCheck(text);
    }
}

TEST(ReportRobustness, RandomKeywordSoup) {
    std::mt19937 rng(42);
    const char* values[] = {"1", "-7", "\"a b\"", "x", "FF", "\"", "a,\"b", "999999999999"};
    const char* gaps[] = {" ", " ", " ", "\n", "\r\n", "\t", " # c\n"};
    for (int i = 0; i < 300; ++i) {
        std::string text;
        const int words = static_cast<int>(rng() % 400);
        for (int w = 0; w < words; ++w) {
            if (rng() % 4 == 0) {
                text += values[rng() % std::size(values)];
            } else {
                text += befehlWort(static_cast<int>(rng() % kAnzahlBefehle));
            }
            text += gaps[rng() % std::size(gaps)];
        }
        CountingBoxes boxes(3);
        Report r;
        r.SetReportdaten(text);
        expectSound(r, text);
    }
}

TEST(ReportRobustness, MutatedStatementForm) {
    const std::string form = testing::formularText();
    std::mt19937 rng(7);
    for (int i = 0; i < 400; ++i) {
        std::string text = form;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const size_t at = rng() % text.size();
            switch (rng() % 5) {
                case 0:
                    text.erase(at, rng() % 40);
                    break;
                case 1:
                    text.insert(
                        at,
                        std::string(befehlWort(static_cast<int>(rng() % kAnzahlBefehle))) + " ");
                    break;
                case 2:
                    text[at] = static_cast<char>(rng() % 256);
                    break;
                case 3:
                    text.insert(at, text.substr(rng() % text.size(), rng() % 200));
                    break;
                default:
                    text.insert(at, 1, "\"\n\r# ,-"[rng() % 7]);
                    break;
            }
        }
        parseAndCheck(text);
    }
}

TEST(ReportRobustness, TruncatedAtEveryOffset) {
    const std::string form = testing::formularText();
    CountingBoxes boxes;
    Report r;
    for (size_t n = 0; n <= form.size(); ++n) {
        const std::string text = form.substr(0, n);
        r.SetReportdaten(text);
        expectSound(r, text);
    }
}

TEST(ReportRobustness, DeeplyNestedFrames) {
    const int depth = 100000;
    std::string text;
    for (int i = 0; i < depth; ++i) text += "frame links 1\n";
    text += "object label text innen end\n";
    for (int i = 0; i < depth; ++i) text += "end\n";
    text += "object label end\n";
    CountingBoxes boxes;
    Report r;
    EXPECT_TRUE(r.SetReportdaten(text));
    EXPECT_EQ(boxes.count, 0u);
    ASSERT_EQ(r.Objekte().size(), static_cast<size_t>(depth) + 2);
    EXPECT_EQ(r.Objekte()[depth].parent, depth - 1);
    EXPECT_EQ(r.Objekte().back().parent, -1);

    std::string blocks;  // data blocks nest without frames
    for (int i = 0; i < depth; ++i) blocks += "data tab" + std::to_string(1 + i % 3) + "\n";
    for (int i = 0; i < depth; ++i) blocks += "end\n";
    EXPECT_TRUE(r.SetReportdaten(blocks));
}

TEST(ReportRobustness, VeryLongLines) {
    const size_t n = 1 << 20;
    std::string objects;
    while (objects.size() < n) objects += "object label text x end ";
    const std::string cases[] = {
        objects,
        "object label text \"" + std::string(n, 'q'),  // quote never closed
        "object label text \"" + std::string(n, 'q') + "\" end",
        "data tab1\nrow " + std::string(n, ','),  // many empty pieces
        "data tab1\nrow " + std::string(n, 'r'),
        std::string(n, 'u'),  // one unknown word
        std::string(n, ' ') + "end",
        "object label links " + std::string(n, '9'),
        "object label farbe " + std::string(n, 'F') + " end",
    };
    for (const std::string& text : cases) {
        CountingBoxes boxes;
        Report r;
        r.SetReportdaten(text);
        expectSound(r, text.substr(0, 40));
        EXPECT_LE(boxes.count, 1u);
    }
}

}  // namespace
}  // namespace report

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

void expectSound(const Report& r) {
    const auto& objects = r.Objekte();
    for (size_t i = 0; i < objects.size(); ++i) {
        const DruckReport_Struct& o = objects[i];
        ASSERT_TRUE(o.type <= kSetGruppe && o.table <= 3);
        const size_t p = size_t(o.parent);  // -1 or an earlier frame
        const bool frame = p < i && (objects[p].type == kFrame || objects[p].type == kSeitenFrame);
        ASSERT_TRUE(o.parent == -1 || frame);
        ASSERT_LE(std::max(o.text.size(), o.value.value_or("").size()), kMaxWertLaenge);
    }
    for (const TStringTab* t : {r.EigeneTabelle(1), r.EigeneTabelle(2), r.EigeneTabelle(3)})
        ASSERT_TRUE(!t || t->GetStrings().size() <= size_t(t->RowCount()) * size_t(t->ColCount()));
}

// Parses twice; the second parse must give the same objects. With `cancels`
// every third unknown word is answered with Cancel.
void parseAndCheck(const std::string& text, bool cancels = false) {
    Report r;
    std::vector<DruckReport_Struct> first;
    for (int pass = 0; pass < 2; ++pass) {
        platform::ScriptedMessages boxes;
        for (int k = 0; k < 1000; ++k)
            boxes.answer(cancels && k % 3 == 2 ? platform::Answer::Cancel : platform::Answer::Ok);
        r.SetReportdaten(text);
        expectSound(r);
        ASSERT_TRUE(pass == 0 || r.Objekte() == first);
        first = r.Objekte();
    }
}

TEST(ReportRobustness, RandomBytesKeywordSoupMutationsAndTruncations) {
    std::mt19937 rng(0x5EED);
    // Bytes: mostly those that steer the lexer. Soup: keywords, values and gaps.
    const std::string steer = " \t\r\n\"#,-0123456789";
    const char* values[] = {"1", "-7", "\"a b\"", "x", "FF", "\"", "a,\"b", "999999999999"};
    const char* gaps[] = {" ", " ", " ", "\n", "\r\n", "\t", " # c\n"};
    for (int i = 0; i < 600; ++i) {
        std::string text;
        for (int w = static_cast<int>(rng() % (i % 2 ? 400 : 1500)); w > 0; --w) {
            if (i % 2 == 0) {
                text += rng() % 3 == 0 ? steer[rng() % steer.size()] : static_cast<char>(rng());
                continue;
            }
            text += rng() % 4 == 0 ? values[rng() % std::size(values)]
                                   : befehlWort(static_cast<int>(rng() % kAnzahlBefehle));
            text += gaps[rng() % std::size(gaps)];
        }
        parseAndCheck(text, i % 2 == 1);
    }
    // Random mutations and every truncation of the statement form.
    const std::string form = testing::formularText();
    for (int i = 0; i < 400; ++i) {
        std::string text = form;
        for (int e = 1 + static_cast<int>(rng() % 4); e > 0 && !text.empty(); --e) {
            const size_t at = rng() % text.size();
            const unsigned kind = rng() % 5;
            if (kind == 0) text.erase(at, rng() % 40);
            if (kind == 1)
                text.insert(at, std::string(befehlWort(int(rng() % kAnzahlBefehle))) + " ");
            if (kind == 2) text[at] = static_cast<char>(rng());
            if (kind == 3) text.insert(at, text.substr(rng() % text.size(), rng() % 200));
            if (kind == 4) text.insert(at, 1, "\"\n\r# ,-"[rng() % 7]);
        }
        parseAndCheck(text);
    }
    platform::ScriptedMessages boxes;
    Report r;
    for (size_t n = 0; n <= form.size(); ++n) {
        r.SetReportdaten(form.substr(0, n));
        expectSound(r);
    }
}

TEST(ReportRobustness, DeeplyNestedFramesAndVeryLongLines) {
    const int depth = 100000;
    std::string frames;
    for (int i = 0; i < depth; ++i) frames += "frame links 1\n";
    frames += "object label text innen end\n";
    for (int i = 0; i < depth; ++i) frames += "end\n";
    platform::ScriptedMessages boxes;
    Report r;
    EXPECT_TRUE(r.SetReportdaten(frames + "object label end\n") && boxes.count() == 0);
    ASSERT_EQ(r.Objekte().size(), static_cast<size_t>(depth) + 2);
    EXPECT_EQ(r.Objekte()[depth].parent, depth - 1);
    EXPECT_EQ(r.Objekte().back().parent, -1);

    const size_t n = 1 << 20;
    for (const std::string& text :
         {"object label text \"" + std::string(n, 'q'),                  // quote never closed
          "data tab1\nrow " + std::string(n, ','),                       // many empty pieces
          "data tab1\nrow " + std::string(n, 'r'), std::string(n, 'u'),  // one unknown word
          "object label links " + std::string(n, '9')}) {
        boxes.clear();
        r.SetReportdaten(text);
        expectSound(r);
        EXPECT_LE(boxes.count(), 1u);
    }
}

}  // namespace
}  // namespace report

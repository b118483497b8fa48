// The string table `TStringTab` driven by a byte program: sizes, cells,
// inserted and deleted rows, the current record and searches with texts from
// the input. Nothing may crash or read past a list, the list never outgrows
// the table, and a search finds a data row or nothing.
//
// Program: an opcode byte, then its operands (bytes; a text is a length byte
// and that many bytes).
#include "fuzz/fuzz_support.h"
#include "report/string_tab.h"

namespace {

struct Reader {
    const uint8_t* p;
    const uint8_t* end;
    bool more() const { return p < end; }
    uint8_t byte() { return p < end ? *p++ : 0; }
    int32_t small() { return static_cast<int8_t>(byte()); }  // -128..127
    std::string text() {
        const size_t n = std::min<size_t>(byte(), static_cast<size_t>(end - p));
        std::string s(reinterpret_cast<const char*>(p), n);
        p += n;
        return s;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, data + size};
    report::TStringTab t;
    while (in.more()) {
        switch (in.byte() % 10) {
            case 0:
                t.Set_Tab(in.byte() % 40, in.byte() % 12);
                break;
            case 1: {
                const uint32_t row = in.byte(), col = in.byte();
                t.SetCell(row, col, in.text());
                break;
            }
            case 2: {
                report::TStringTab::CellList source;
                for (int n = in.byte() % 8; n > 0; --n) source.push_back(in.text());
                const int32_t row = in.small();
                t.InsertRow(row, in.byte() % 2 ? &source : nullptr, in.byte() % 5);
                break;
            }
            case 3:
                t.DeleteRow(in.small());
                break;
            case 4:
                t.SetZeile(in.small());
                break;
            case 5: {
                const std::string text = in.text();
                const int32_t col = in.small(), start = in.small();
                report::SuchResult r;
                const int32_t found = t.FindRow(text, col, start, in.byte() % 2, &r);
                FUZZ_ASSERT(found == -1 || (found >= 1 && found <= t.RowCount()));
                break;
            }
            case 6:
                t.GetCell(in.byte(), in.byte());
                t.GetRecordCell(in.byte());
                break;
            case 7:
                t.Clear(in.byte() % 2);
                break;
            case 8:
                t.SetMinimumRows(in.small());
                t.SetMaximumRows(in.small());
                break;
            default:
                t.GetRowCount(in.byte() % 2);
                break;
        }
        FUZZ_ASSERT(t.GetStrings().size() <= static_cast<size_t>(std::max(t.RowCount(), 0)) *
                                                 static_cast<size_t>(std::max(t.ColCount(), 0)));
    }
    return 0;
}

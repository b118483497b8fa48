#include "report/report_sums.h"

#include <algorithm>
#include <limits>

namespace report {

int32_t Str_in_Zahl(std::string_view text) {
    int64_t value = 0;
    bool separator = false;
    for (size_t i = 0; i < text.size() && i < 16; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
        } else if (c == ',' || c == '.') {
            if (separator) break;
            separator = true;
        }
    }
    return value > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(value);
}

bool istZahl(std::string_view text) {
    bool digit = false;
    bool separator = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == ',' || c == '.') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digit;
}

namespace {

struct Teile {
    std::string_view ganz;
    std::string_view bruch;
};

Teile teile(std::string_view s) {
    const size_t p = s.find_first_of(",.");
    if (p == std::string_view::npos) return {s, {}};
    return {s.substr(0, p), s.substr(p + 1)};
}

}  // namespace

std::string AddStr(std::string_view a, std::string_view b, bool numbersOnly) {
    const bool za = istZahl(a);
    const bool zb = istZahl(b);
    if (!za || !zb) {
        if (!numbersOnly) return std::string(a) + std::string(b);
        if (za) return std::string(a);
        if (zb) return std::string(b);
        return "0";
    }
    const Teile ta = teile(a);
    const Teile tb = teile(b);
    const size_t nb = std::max(ta.bruch.size(), tb.bruch.size());
    const size_t ng = std::max(ta.ganz.size(), tb.ganz.size());
    // Digit k counted from the right of the aligned numbers.
    auto ziffer = [nb](const Teile& t, size_t k) -> int {
        if (k < nb) {
            const size_t i = nb - 1 - k;
            return i < t.bruch.size() ? t.bruch[i] - '0' : 0;
        }
        const size_t j = k - nb;
        return j < t.ganz.size() ? t.ganz[t.ganz.size() - 1 - j] - '0' : 0;
    };
    std::string out;
    out.reserve(ng + nb + 2);
    int carry = 0;
    for (size_t k = 0; k < ng + nb; ++k) {
        if (k == nb && nb > 0) out.push_back(',');
        const int d = ziffer(ta, k) + ziffer(tb, k) + carry;
        out.push_back(static_cast<char>('0' + d % 10));
        carry = d / 10;
    }
    if (nb > 0 && ng == 0) out.push_back(',');  // ",5" + ",5" still gets a whole part
    if (carry) {
        out.push_back('1');
    } else if (ng == 0) {
        out.push_back('0');
    }
    std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace report

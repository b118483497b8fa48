#include "controls/suchfeld/model/such_historie.h"

#include <algorithm>

namespace table {

bool SuchHistorie::merke(const std::string& text) {
    if (text.empty()) return false;
    if (!eintraege_.empty() && eintraege_.front() == text) return false;
    const auto alt = std::find(eintraege_.begin(), eintraege_.end(), text);
    if (alt != eintraege_.end()) eintraege_.erase(alt);
    if (eintraege_.size() >= kMax) eintraege_.resize(kMax - 1);
    eintraege_.insert(eintraege_.begin(), text);
    return true;
}

}  // namespace table

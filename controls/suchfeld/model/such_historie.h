// The search field's history: the last six search texts, newest first,
// compared byte for byte.
#pragma once

#include <string>
#include <vector>

namespace table {

class SuchHistorie {
public:
    static constexpr size_t kMax = 6;

    // Puts a left search text at the front: an empty text and the newest
    // entry change nothing; an older copy moves to the front; the oldest
    // entry goes when the history is full. True when the history changed.
    bool merke(const std::string& text);

    const std::vector<std::string>& eintraege() const { return eintraege_; }

private:
    std::vector<std::string> eintraege_;
};

}  // namespace table

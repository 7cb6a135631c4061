#pragma once
// A JavaScript-style expression parsed into nodes, ready to be written out
// for PCRE2. Nodes live in one vector and refer to each other by index.
#include <cstdint>
#include <utility>
#include <vector>

namespace rx {

using Range = std::pair<char32_t, char32_t>;

struct PatternNode {
    enum class Kind { Alternation, Sequence, Group, Look, Repeat, Set, Backref, Assertion };
    static constexpr uint32_t kUnbounded = UINT32_MAX;

    Kind kind = Kind::Sequence;
    std::vector<int> children;
    bool capture = false;  // Group
    bool negative = false; // Look: (?!...); Set: [^...]
    uint32_t min = 0;      // Repeat
    uint32_t max = 0;
    bool greedy = true;
    std::vector<Range> ranges; // Set
    int group = 0;             // Backref: the group it names
    bool alwaysEmpty = false;  // Backref: the group cannot be set where it stands
    char assertion = 0;        // '^', '$', 'b', 'B'
    // The capturing groups inside, numbered consecutively from firstGroup.
    int firstGroup = 1;
    int groupCount = 0;
};

// The characters outside sorted, disjoint ranges.
inline std::vector<Range> complement(const std::vector<Range>& ranges) {
    constexpr char32_t kLastCodePoint = 0x10FFFF;
    std::vector<Range> out;
    char32_t next = 0;
    for (const Range& r : ranges) {
        if (r.first > next)
            out.emplace_back(next, r.first - 1);
        next = r.second + 1;
    }
    if (next <= kLastCodePoint)
        out.emplace_back(next, kLastCodePoint);
    return out;
}

struct PatternTree {
    std::vector<PatternNode> nodes;
    int root = 0;
    // Indexed by group number: some back-reference may read the group.
    std::vector<bool> referenced;
};

} // namespace rx

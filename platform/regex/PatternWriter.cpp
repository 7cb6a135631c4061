#include "platform/regex/PatternWriter.h"

#include "platform/regex/PatternParser.h"
#include "platform/runtime/RuntimeError.h"

#include <algorithm>
#include <cstdio>

namespace rx {

namespace {

// PCRE2's largest repeat count.
constexpr uint32_t kMaxRepeat = 65535;
// Refuses what would blow up: unset-group fillers grow with the square of
// the number of groups in a pathological expression.
constexpr std::size_t kMaxOutput = 1 << 20;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;

bool isAsciiAlnum(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Sorted and merged; lone surrogates go, since a UTF-8 value cannot hold one.
std::vector<Range> normalized(std::vector<Range> ranges) {
    std::sort(ranges.begin(), ranges.end());
    std::vector<Range> merged;
    for (const Range& r : ranges) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    std::vector<Range> out;
    for (const Range& r : merged) {
        if (r.first < kSurrogateFirst)
            out.emplace_back(r.first, std::min<char32_t>(r.second, kSurrogateFirst - 1));
        if (r.second > kSurrogateLast)
            out.emplace_back(std::max<char32_t>(r.first, kSurrogateLast + 1), r.second);
    }
    return out;
}

} // namespace

std::string PatternWriter::translate(std::string_view pattern) {
    const PatternTree tree = PatternParser(pattern).parse();
    return PatternWriter(tree).write();
}

std::string PatternWriter::write() {
    measure();
    out_.clear();
    next_ = 1;
    node(tree_.root);
    return std::move(out_);
}

// Children come before their parents in the tree, so one pass sees every
// child measured: how many PCRE2 groups each node writes, and whether it can
// match the empty text.
void PatternWriter::measure() {
    const std::size_t count = tree_.nodes.size();
    slots_.assign(count, 0);
    nullable_.assign(count, false);
    number_.assign(tree_.referenced.size(), 0);
    for (std::size_t i = 0; i < count; ++i) {
        const PatternNode& n = tree_.nodes[i];
        int slots = 0;
        bool all = true;
        bool any = false;
        for (int c : n.children) {
            slots += slots_[c];
            all = all && nullable_[c];
            any = any || nullable_[c];
        }
        switch (n.kind) {
        case PatternNode::Kind::Sequence:
            nullable_[i] = all;
            break;
        case PatternNode::Kind::Alternation:
            nullable_[i] = any;
            break;
        case PatternNode::Kind::Group:
            slots += n.capture ? 1 : 0;
            nullable_[i] = all;
            break;
        case PatternNode::Kind::Repeat:
            slots += markers(n);
            nullable_[i] = n.min == 0 || all;
            break;
        case PatternNode::Kind::Set:
            break;
        default:
            nullable_[i] = true;
        }
        slots_[i] = slots;
    }
}

// JavaScript fails a repetition beyond the minimum that matches nothing;
// PCRE2 takes it and stops. The two differ only in the groups that empty
// repetition resets, so only repetitions whose groups are read later are
// checked, through groups of the writer's own that mark where a repetition
// starts: one for a repetition from zero, where every repetition is checked;
// two from one, where the first repetition may be empty, which shows as a
// repetition starting where the whole repeat starts.
int PatternWriter::markers(const PatternNode& n) const {
    if (n.kind != PatternNode::Kind::Repeat || n.min > 1 || n.max <= n.min)
        return 0;
    const int child = n.children.front();
    if (!nullable_[child] || tree_.nodes[child].kind == PatternNode::Kind::Look || !referenced(n))
        return 0;
    return n.min + 1;
}

bool PatternWriter::referenced(const PatternNode& n) const {
    const auto first = tree_.referenced.begin() + n.firstGroup;
    return std::find(first, first + n.groupCount, true) != first + n.groupCount;
}

void PatternWriter::node(int index) {
    if (out_.size() > kMaxOutput)
        rt::raise(rt::err::RegexSyntax);
    const PatternNode& n = tree_.nodes[index];
    switch (n.kind) {
    case PatternNode::Kind::Sequence:
        for (int c : n.children)
            node(c);
        break;
    case PatternNode::Kind::Alternation:
        alternation(n);
        break;
    case PatternNode::Kind::Group:
        if (n.capture)
            number_[n.firstGroup] = next_++;
        out_ += n.capture ? "(" : "(?:";
        node(n.children.front());
        out_ += ')';
        break;
    case PatternNode::Kind::Look:
        out_ += n.negative ? "(?!" : "(?=";
        node(n.children.front());
        out_ += ')';
        break;
    case PatternNode::Kind::Repeat:
        repeat(n);
        break;
    case PatternNode::Kind::Set:
        set(n);
        break;
    case PatternNode::Kind::Backref:
        out_ += n.alwaysEmpty ? "(?:)" : "\\g{" + std::to_string(number_[n.group]) + "}";
        break;
    case PatternNode::Kind::Assertion:
        out_ += n.assertion == '^'   ? "^"
                : n.assertion == '$' ? "\\z"
                : n.assertion == 'b' ? "\\b"
                                     : "\\B";
        break;
    }
}

// A branch not taken leaves its groups unset, which a later reference reads
// as empty. PCRE2 would keep what an earlier repetition captured there, so
// when a group is referenced every branch sets the other branches' groups to
// the empty text; in a branch-reset group every branch numbers alike.
void PatternWriter::alternation(const PatternNode& n) {
    const bool fill = referenced(n);
    const int base = next_;
    int total = 0;
    for (int c : n.children)
        total += slots_[c];
    out_ += fill ? "(?|" : "(?:";
    int before = 0;
    for (std::size_t i = 0; i < n.children.size(); ++i) {
        const int branch = n.children[i];
        if (i > 0)
            out_ += '|';
        if (fill) {
            next_ = base;
            fillers(before);
        }
        node(branch);
        before += slots_[branch];
        if (fill)
            fillers(total - before);
    }
    out_ += ')';
}

// Each repetition starts with its groups unset; zero repetitions likewise
// leave them unset, so the same filling applies to the empty choice.
void PatternWriter::repeat(const PatternNode& n) {
    const PatternNode& atom = tree_.nodes[n.children.front()];
    if (atom.kind == PatternNode::Kind::Look) {
        // A lookahead repeated from zero never holds: an empty repetition
        // beyond the minimum fails. From one or more it holds once.
        if (n.min == 0)
            out_ += "(?:";
        node(n.children.front());
        if (n.min == 0)
            out_ += "){0}";
        return;
    }
    if (atom.kind == PatternNode::Kind::Backref) {
        // PCRE2 fails a fixed repeat of a reference to an unset group, which
        // must match the empty text; the reference repeats inside a group.
        out_ += "(?:";
        node(n.children.front());
        out_ += ')';
        count(n);
        return;
    }
    if (n.min > 0 || n.max == 0 || !referenced(n)) {
        loop(n, n);
        return;
    }
    const int base = next_;
    const int width = slots_[n.children.front()] + markers(n);
    out_ += "(?|";
    if (!n.greedy) {
        fillers(width);
        out_ += '|';
        next_ = base;
    }
    atLeastOnce(n);
    if (n.greedy) {
        out_ += '|';
        next_ = base;
        fillers(width);
    }
    out_ += ')';
}

// The repeat from zero written as one or more repetitions.
void PatternWriter::atLeastOnce(const PatternNode& n) {
    PatternNode once = n;
    once.min = 1;
    loop(n, once);
}

// The repeat n written with the counts of times; a checked repeat calls out
// after each repetition with the numbers of its marks.
void PatternWriter::loop(const PatternNode& n, const PatternNode& times) {
    const int marks = markers(n);
    if (marks == 0) {
        node(n.children.front());
        count(times);
        return;
    }
    std::string callout = "(?C{";
    if (marks == 2) {
        out_ += "()";
        callout += std::to_string(next_++) + ",";
    }
    callout += std::to_string(next_++) + "})";
    out_ += "(?:()";
    node(n.children.front());
    out_ += callout + ")";
    count(times);
}

void PatternWriter::count(const PatternNode& n) {
    const bool unbounded = n.max == PatternNode::kUnbounded;
    if (n.min > kMaxRepeat || (!unbounded && n.max > kMaxRepeat))
        rt::raise(rt::err::RegexSyntax);
    out_ += '{' + std::to_string(n.min) + ',';
    if (!unbounded)
        out_ += std::to_string(n.max);
    out_ += '}';
    if (!n.greedy)
        out_ += '?';
}

void PatternWriter::set(const PatternNode& n) {
    const std::vector<Range> ranges = normalized(n.ranges);
    if (ranges.empty()) {
        out_ += n.negative ? "[\\x{0}-\\x{10ffff}]" : "[^\\x{0}-\\x{10ffff}]";
        return;
    }
    if (!n.negative && ranges.size() == 1 && ranges.front().first == ranges.front().second) {
        codePoint(ranges.front().first);
        return;
    }
    out_ += n.negative ? "[^" : "[";
    for (const Range& r : ranges) {
        codePoint(r.first);
        if (r.second != r.first) {
            out_ += '-';
            codePoint(r.second);
        }
    }
    out_ += ']';
}

void PatternWriter::fillers(int count) {
    if (out_.size() + 2 * std::size_t(count) > kMaxOutput)
        rt::raise(rt::err::RegexSyntax);
    next_ += count;
    for (int i = 0; i < count; ++i)
        out_ += "()";
}

void PatternWriter::codePoint(char32_t c) {
    if (isAsciiAlnum(c)) {
        out_ += static_cast<char>(c);
        return;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\x{%x}", static_cast<unsigned>(c));
    out_ += buf;
}

} // namespace rx

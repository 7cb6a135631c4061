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
// child measured: how many PCRE2 groups each node writes, whether it can
// match the empty text, and whether it always can.
void PatternWriter::measure() {
    const std::size_t count = tree_.nodes.size();
    slots_.assign(count, 0);
    bareSlots_.assign(count, 0);
    nullable_.assign(count, false);
    bare_.assign(count, false);
    reads_.assign(tree_.referenced.size(), std::string());
    for (std::size_t i = 0; i < count; ++i) {
        const PatternNode& n = tree_.nodes[i];
        int slots = 0;
        bool all = true;
        bool any = false;
        bool allBare = true;
        for (int c : n.children) {
            slots += slots_[c];
            all = all && nullable_[c];
            any = any || nullable_[c];
            allBare = allBare && bare_[c];
        }
        switch (n.kind) {
        case PatternNode::Kind::Sequence: {
            nullable_[i] = all;
            bare_[i] = allBare;
            int after = slots;
            for (int c : n.children) {
                after -= slots_[c];
                bareSlots_[i] += bareSlots_[c] + after;
            }
            break;
        }
        case PatternNode::Kind::Alternation:
            nullable_[i] = any;
            bare_[i] = any;
            for (int c : n.children) {
                bare_[i] = bare_[i] && (!nullable_[c] || bare_[c]);
                bareSlots_[i] += nullable_[c] ? bareSlots_[c] : slots_[c];
            }
            break;
        case PatternNode::Kind::Group:
            slots += n.capture ? 1 : 0;
            nullable_[i] = all;
            bare_[i] = allBare;
            bareSlots_[i] = bareSlots_[n.children.front()] + (n.capture ? 1 : 0);
            break;
        case PatternNode::Kind::Repeat: {
            const int c = n.children.front();
            const PatternNode::Kind k = tree_.nodes[c].kind;
            slots = repeatSlots(n);
            nullable_[i] = n.min == 0 || all;
            // From one or more, a body that can always match empty lets the
            // repeat match empty too, and its non-empty matches are the body's
            // repeated up to the maximum.
            bare_[i] = k != PatternNode::Kind::Look && k != PatternNode::Kind::Backref &&
                       (bare_[c] || (n.min == 0 && !nullable_[c]));
            bareSlots_[i] = n.max == 0 ? 0 : nullable_[c] ? bareSlots_[c] : slots_[c];
            break;
        }
        case PatternNode::Kind::Set:
            break;
        default:
            nullable_[i] = true;
        }
        slots_[i] = slots;
    }
}

// JavaScript fails a repetition beyond the minimum that matches nothing;
// PCRE2 takes it and, in a counted repeat, goes on trying every way of
// splitting the value into empty and non-empty repetitions. Those beyond the
// minimum are written as the body's non-empty matches where the body allows,
// else checked by a callout. An unbounded repeat whose groups nobody reads
// needs no callout: PCRE2 stops after an empty repetition, and only groups
// could tell the two apart; its non-empty form still spares PCRE2 the empty
// ways out of each repetition, which nested repeats multiply. Where groups
// are read, PCRE2 stopping after an empty repetition within the minimum,
// which JavaScript follows with more, shows too: such a repeat is split after
// its last unchecked repetition.
PatternWriter::Shape PatternWriter::shape(const PatternNode& n) const {
    const int c = n.children.front();
    const PatternNode& child = tree_.nodes[c];
    std::vector<Range> unused;
    if (child.kind == PatternNode::Kind::Group && n.max >= 1 && single(c, unused, true))
        return Shape::Item;
    if (child.kind == PatternNode::Kind::Look || child.kind == PatternNode::Kind::Backref)
        return Shape::Plain;
    if (n.min == 0 && n.max > 0 && referenced(n))
        return Shape::Filled;
    if (!nullable_[c] || n.max <= n.min)
        return Shape::Plain;
    if (referenced(n))
        return Shape::Split;
    if (bare_[c])
        return Shape::Pruned;
    return n.max == PatternNode::kUnbounded ? Shape::Plain : Shape::Marked;
}

// A checked repetition needs one group of the writer's own, marking where
// the repetition starts.
int PatternWriter::marks(const PatternNode& n) const {
    const Shape s = shape(n);
    if (s == Shape::Filled)
        return nullable_[n.children.front()] ? 1 : 0;
    return s == Shape::Marked ? 1 : 0;
}

int PatternWriter::repeatSlots(const PatternNode& n) const {
    const int c = n.children.front();
    if (tree_.nodes[c].kind == PatternNode::Kind::Backref)
        return n.max > n.min && !tree_.nodes[c].alwaysEmpty ? 1 : 0;
    const int body = slots_[c];
    switch (shape(n)) {
    case Shape::Item: // the inner groups, which nobody reads, are not written
        return tree_.nodes[c].capture ? 1 : 0;
    case Shape::Filled:
        return body + marks(n);
    case Shape::Pruned: {
        std::vector<Range> chars;
        return (n.min > 0 ? body : 0) + (lone(c, chars) ? 0 : bareSlots_[c]);
    }
    case Shape::Marked:
        return (n.min > 0 ? body : 0) + body + 1;
    case Shape::Split:
        return (n.min > 1 ? body : 0) + 2 * body + 3;
    default:
        return body;
    }
}

// True when the node is one character or class, or a choice of them, and
// gathers the characters; only the outermost group, or one nobody reads,
// may capture.
bool PatternWriter::single(int index, std::vector<Range>& out, bool top) const {
    const PatternNode& n = tree_.nodes[index];
    switch (n.kind) {
    case PatternNode::Kind::Set: {
        const std::vector<Range> own = n.negative ? complement(normalized(n.ranges)) : n.ranges;
        out.insert(out.end(), own.begin(), own.end());
        return true;
    }
    case PatternNode::Kind::Group:
        return (top || !n.capture || !referenced(n)) && single(n.children.front(), out, false);
    case PatternNode::Kind::Sequence:
        return n.children.size() == 1 && single(n.children.front(), out, false);
    case PatternNode::Kind::Alternation:
        for (int c : n.children)
            if (!single(c, out, false))
                return false;
        return true;
    default:
        return false;
    }
}

// True when the node's non-empty matches are one character each, and
// gathers them: a group of one optional item or of a choice of such items.
// Its groups, which nobody reads, are left out.
bool PatternWriter::lone(int index, std::vector<Range>& out) const {
    const PatternNode& n = tree_.nodes[index];
    switch (n.kind) {
    case PatternNode::Kind::Repeat:
        if (n.max != 1)
            return false;
        [[fallthrough]];
    case PatternNode::Kind::Sequence:
        if (n.children.empty())
            return true;
        [[fallthrough]];
    case PatternNode::Kind::Group:
        return n.children.size() == 1 && lone(n.children.front(), out);
    case PatternNode::Kind::Alternation:
        for (int c : n.children)
            if (!lone(c, out))
                return false;
        return true;
    default:
        return single(index, out, false);
    }
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
        group(n, &PatternWriter::node);
        break;
    case PatternNode::Kind::Look:
        lookahead_ = lookahead_ || !n.negative;
        out_ += n.negative ? "(?!" : "(?=";
        // A body that always matches empty fails a negative lookahead at
        // once; left to PCRE2, it is tried in full at every step.
        if (n.negative && bare_[n.children.front()])
            out_ += "(?:)|";
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
        out_ += n.alwaysEmpty ? "(?:)" : reads_[n.group];
        break;
    case PatternNode::Kind::Assertion:
        out_ += n.assertion == '^'   ? "^"
                : n.assertion == '$' ? "\\z"
                : n.assertion == 'b' ? "\\b"
                                     : "\\B";
        break;
    }
}

// A capture numbered next, which later references read by that number.
void PatternWriter::capture(int group) {
    reads_[group] = "\\g{" + std::to_string(next_++) + "}";
}

// A group, its body written by the member given.
void PatternWriter::group(const PatternNode& n, void (PatternWriter::*body)(int)) {
    if (n.capture)
        capture(n.firstGroup);
    out_ += n.capture ? "(" : "(?:";
    (this->*body)(n.children.front());
    out_ += ')';
}

// The node's non-empty matches, for a node that always can match empty (or
// never does) and whose groups nobody reads: only where a match ends counts,
// so the order of the choices written here does not matter.
void PatternWriter::nonEmpty(int index) {
    if (out_.size() > kMaxOutput)
        rt::raise(rt::err::RegexSyntax);
    const PatternNode& n = tree_.nodes[index];
    if (!nullable_[index]) {
        node(index);
        return;
    }
    switch (n.kind) {
    case PatternNode::Kind::Sequence:
        // Some element is the first to match something; those before it match nothing.
        out_ += "(?:";
        for (std::size_t j = 0; j < n.children.size(); ++j) {
            out_ += j > 0 ? "|" : "";
            nonEmpty(n.children[j]);
            for (std::size_t l = j + 1; l < n.children.size(); ++l)
                node(n.children[l]);
        }
        out_ += n.children.empty() ? "(?!))" : ")";
        break;
    case PatternNode::Kind::Alternation: {
        // Empty branches have no non-empty match.
        const char* separator = "(?:";
        for (int c : n.children) {
            const PatternNode& branch = tree_.nodes[c];
            if (branch.kind == PatternNode::Kind::Sequence && branch.children.empty())
                continue;
            out_ += separator;
            separator = "|";
            nonEmpty(c);
        }
        out_ += *separator == '|' ? ")" : "(?:(?!))";
        break;
    }
    case PatternNode::Kind::Group:
        group(n, &PatternWriter::nonEmpty);
        break;
    default: { // a repeat, from zero or of a body that can always match empty
        const int c = n.children.front();
        if (n.max == 0) {
            out_ += "(?!)";
            break;
        }
        nonEmpty(c);
        if (n.max > 1)
            count(1, n.max, n.greedy);
        break;
    }
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

void PatternWriter::repeat(const PatternNode& n) {
    const int c = n.children.front();
    const PatternNode& atom = tree_.nodes[c];
    if (atom.kind == PatternNode::Kind::Look) {
        // A lookahead repeated from zero never holds: an empty repetition
        // beyond the minimum fails. From one or more it holds once.
        if (n.min == 0)
            out_ += "(?:";
        node(c);
        if (n.min == 0)
            out_ += "){0}";
        return;
    }
    if (atom.kind == PatternNode::Kind::Backref) {
        backref(n);
        return;
    }
    switch (shape(n)) {
    case Shape::Item:
        if (n.min == 0 && referenced(n))
            filled(n);
        else
            item(n, n.min, n.max);
        break;
    case Shape::Filled:
        filled(n);
        break;
    case Shape::Pruned:
        if (n.min > 0) {
            node(c);
            count(n.min, n.min, n.greedy);
        }
        if (std::vector<Range> chars; lone(c, chars))
            ranges(chars, false);
        else
            nonEmpty(c);
        count(0, n.max == PatternNode::kUnbounded ? n.max : n.max - n.min, n.greedy);
        break;
    case Shape::Marked:
        checked(n);
        break;
    case Shape::Split:
        split(n);
        break;
    case Shape::Plain:
        node(c);
        count(n.min, n.max, n.greedy);
        break;
    }
}

// A reference matches the same text every time: within the minimum that
// is one way, and repetitions beyond it are checked, since JavaScript fails
// them when the text is empty where PCRE2 would try taking them and not. PCRE2
// fails a fixed repeat of a reference to an unset group, which must match the
// empty text, so the reference repeats inside a group.
void PatternWriter::backref(const PatternNode& n) {
    const PatternNode& atom = tree_.nodes[n.children.front()];
    const std::size_t before = out_.size();
    if (n.min > 0 && !atom.alwaysEmpty) {
        out_ += "(?:";
        node(n.children.front());
        out_ += ')';
        count(n.min, n.min, n.greedy);
    }
    if (n.max > n.min && !atom.alwaysEmpty)
        loop(n, 0, n.max == PatternNode::kUnbounded ? n.max : n.max - n.min, true);
    if (out_.size() == before)
        out_ += "(?:)";
}

// A group of one character or class repeated as that item alone; a capture
// holds what the last repetition matched.
void PatternWriter::item(const PatternNode& n, uint32_t min, uint32_t max) {
    const PatternNode& group = tree_.nodes[n.children.front()];
    std::vector<Range> chars;
    single(n.children.front(), chars, true);
    if (!group.capture) {
        ranges(chars, false);
        count(min, max, n.greedy);
        return;
    }
    if (min == 0) {
        out_ += "(?:";
        item(n, 1, max);
        out_ += n.greedy ? ")?" : ")??";
        return;
    }
    ranges(chars, false);
    count(min - 1, max == PatternNode::kUnbounded ? max : max - 1, n.greedy);
    capture(group.firstGroup);
    out_ += '(';
    ranges(chars, false);
    out_ += ')';
}

// Each repetition starts with its groups unset; zero repetitions likewise
// leave them unset, so the same filling applies to the empty choice.
void PatternWriter::filled(const PatternNode& n) {
    const int base = next_;
    const int width = repeatSlots(n);
    out_ += "(?|";
    if (!n.greedy) {
        fillers(width);
        out_ += '|';
        next_ = base;
    }
    if (shape(n) == Shape::Item)
        item(n, 1, n.max);
    else
        loop(n, 1, n.max, marks(n) == 1);
    if (n.greedy) {
        out_ += '|';
        next_ = base;
        fillers(width);
    }
    out_ += ')';
}

// The repetitions within the minimum as they are, save the last one when
// groups are read later: that one may be empty, and the rest are checked.
void PatternWriter::checked(const PatternNode& n) {
    if (n.min > 0) {
        node(n.children.front());
        count(n.min, n.min, n.greedy);
    }
    loop(n, 0, n.max - n.min, true);
}

// A counted repeat whose groups are read later: the last repetition within
// the minimum may be empty, those after it are checked. A later reference
// reads the last checked repetition's groups when there was one, which shows
// as the repeat ending past where that last unchecked one ended.
void PatternWriter::split(const PatternNode& n) {
    const int c = n.children.front();
    if (n.min > 1) {
        node(c);
        count(n.min - 1, n.min - 1, n.greedy);
    }
    node(c);
    const auto first = reads_.begin() + n.firstGroup;
    const std::vector<std::string> unchecked(first, first + n.groupCount);
    const std::string ended = std::to_string(next_++);
    out_ += "()";
    loop(n, 0, n.max == PatternNode::kUnbounded ? n.max : n.max - n.min, true);
    const std::string after = std::to_string(next_++);
    out_ += "()";
    for (int g = 0; g < n.groupCount; ++g) {
        if (first[g].size() + unchecked[g].size() > kMaxOutput)
            rt::raise(rt::err::RegexSyntax);
        first[g] = "(?:(?C{!" + ended + "," + after + "})" + first[g] + "|(?C{=" + ended + "," +
                   after + "})" + unchecked[g] + ")";
    }
}

// The repeat's body with the counts given; a checked repeat calls out after
// each repetition with the numbers of its marks.
void PatternWriter::loop(const PatternNode& n, uint32_t min, uint32_t max, bool checked) {
    if (!checked) {
        node(n.children.front());
        count(min, max, n.greedy);
        return;
    }
    const std::string callout = "(?C{" + std::to_string(next_++) + "})";
    out_ += "(?:()";
    node(n.children.front());
    out_ += callout + ")";
    count(min, max, n.greedy);
}

void PatternWriter::count(uint32_t min, uint32_t max, bool greedy) {
    const bool unbounded = max == PatternNode::kUnbounded;
    if (min > kMaxRepeat || (!unbounded && max > kMaxRepeat))
        rt::raise(rt::err::RegexSyntax);
    out_ += '{' + std::to_string(min) + ',';
    if (!unbounded)
        out_ += std::to_string(max);
    out_ += '}';
    if (!greedy)
        out_ += '?';
}

void PatternWriter::set(const PatternNode& n) {
    ranges(n.ranges, n.negative);
}

void PatternWriter::ranges(const std::vector<Range>& raw, bool negative) {
    const std::vector<Range> ranges = normalized(raw);
    if (ranges.empty()) {
        out_ += negative ? "[\\x{0}-\\x{10ffff}]" : "[^\\x{0}-\\x{10ffff}]";
        return;
    }
    if (!negative && ranges.size() == 1 && ranges.front().first == ranges.front().second) {
        codePoint(ranges.front().first);
        return;
    }
    out_ += negative ? "[^" : "[";
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

#include "platform/regex/PatternParser.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"

#include <algorithm>

namespace rx {

namespace {

// Deeper nesting than any real expression, shallow enough for the stack and
// for PCRE2's own nesting limit once written out.
constexpr int kMaxDepth = 64;
constexpr uint32_t kMaxCount = PatternNode::kUnbounded - 1;

const std::vector<Range> kDigits{{'0', '9'}};
const std::vector<Range> kWordChars{{'0', '9'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}};
const std::vector<Range> kSpaces{
    {0x09, 0x0D},     {0x20, 0x20},     {0xA0, 0xA0},     {0x1680, 0x1680}, {0x2000, 0x200A},
    {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000}, {0xFEFF, 0xFEFF}};
const std::vector<Range> kLineTerminators{{0x0A, 0x0A}, {0x0D, 0x0D}, {0x2028, 0x2029}};

bool isAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

bool isOctal(char32_t c) {
    return c >= '0' && c <= '7';
}

int hexValue(char32_t c) {
    if (isDigit(c))
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return -1;
}

std::vector<char32_t> decode(std::string_view s) {
    if (!rt::isValidUtf8(s))
        rt::raise(rt::err::RegexSyntax);
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

// Capturing groups are numbered over the whole expression before parsing:
// whether \N is a back-reference depends on groups that come later.
int countGroups(const std::vector<char32_t>& src) {
    int count = 0;
    bool inClass = false;
    for (std::size_t i = 0; i < src.size(); ++i) {
        const char32_t c = src[i];
        if (c == '\\')
            ++i;
        else if (c == '[')
            inClass = true;
        else if (c == ']')
            inClass = false;
        else if (c == '(' && !inClass && (i + 1 == src.size() || src[i + 1] != '?'))
            ++count;
    }
    return count;
}

// True when the two places lie in different branches of one alternation.
bool apart(const std::vector<std::pair<int, int>>& a, const std::vector<std::pair<int, int>>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size() && a[i].first == b[i].first; ++i)
        if (a[i].second != b[i].second)
            return true;
    return false;
}

} // namespace

PatternParser::PatternParser(std::string_view pattern) : src_(decode(pattern)) {}

void PatternParser::fail() {
    rt::raise(rt::err::RegexSyntax);
}

char32_t PatternParser::peek(std::size_t ahead) const {
    return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : char32_t(-1);
}

bool PatternParser::eat(char32_t c) {
    if (atEnd() || src_[pos_] != c)
        return false;
    ++pos_;
    return true;
}

int PatternParser::add(PatternNode node) {
    tree_.nodes.push_back(std::move(node));
    return static_cast<int>(tree_.nodes.size()) - 1;
}

PatternTree PatternParser::parse() {
    totalGroups_ = countGroups(src_);
    groupSites_.resize(totalGroups_ + 1);
    tree_.referenced.assign(totalGroups_ + 1, false);
    tree_.root = disjunction(0);
    if (!atEnd()) // a ")" without its "("
        fail();
    resolveBackrefs();
    return std::move(tree_);
}

int PatternParser::disjunction(int depth) {
    const int id = alternations_++;
    const int before = groupsOpened_;
    std::vector<int> branches;
    do {
        path_.emplace_back(id, static_cast<int>(branches.size()));
        branches.push_back(alternative(depth));
        path_.pop_back();
    } while (eat('|'));
    if (branches.size() == 1)
        return branches.front();
    PatternNode n;
    n.kind = PatternNode::Kind::Alternation;
    n.children = std::move(branches);
    n.firstGroup = before + 1;
    n.groupCount = groupsOpened_ - before;
    return add(std::move(n));
}

int PatternParser::alternative(int depth) {
    PatternNode n;
    n.kind = PatternNode::Kind::Sequence;
    n.firstGroup = groupsOpened_ + 1;
    while (!atEnd() && peek() != '|' && peek() != ')')
        n.children.push_back(term(depth));
    n.groupCount = groupsOpened_ + 1 - n.firstGroup;
    return add(std::move(n));
}

int PatternParser::term(int depth) {
    const char32_t c = peek();
    switch (c) {
    case '^':
    case '$':
        ++pos_;
        return assertion(static_cast<char>(c));
    case '(':
        return quantified(group(depth));
    case '*':
    case '+':
    case '?':
        fail();
    case '{':
        // A brace that would be a quantifier has nothing to repeat; any
        // other brace is itself.
        if (nothingToRepeat())
            fail();
        ++pos_;
        return quantified(literal('{'));
    case '[':
        return quantified(characterClass());
    case '.': {
        ++pos_;
        PatternNode n;
        n.kind = PatternNode::Kind::Set;
        n.ranges = complement(kLineTerminators);
        return quantified(add(std::move(n)));
    }
    case '\\':
        if (peek(1) == 'b' || peek(1) == 'B') {
            pos_ += 2;
            return assertion(static_cast<char>(src_[pos_ - 1]));
        }
        ++pos_;
        return quantified(atomEscape());
    default:
        ++pos_;
        return quantified(literal(c));
    }
}

bool PatternParser::nothingToRepeat() {
    const std::size_t save = pos_;
    uint32_t min = 0;
    uint32_t max = 0;
    const bool found = quantifier(min, max);
    pos_ = save;
    return found;
}

int PatternParser::assertion(char a) {
    if (nothingToRepeat())
        fail();
    PatternNode n;
    n.kind = PatternNode::Kind::Assertion;
    n.assertion = a;
    return add(std::move(n));
}

int PatternParser::group(int depth) {
    if (depth >= kMaxDepth)
        fail();
    const int before = groupsOpened_;
    PatternNode n;
    n.kind = PatternNode::Kind::Group;
    ++pos_;
    if (eat('?')) {
        if (eat('=') || eat('!')) {
            n.kind = PatternNode::Kind::Look;
            n.negative = src_[pos_ - 1] == '!';
        } else if (!eat(':')) {
            fail(); // lookbehind, named group, atomic group, inline flags...
        }
    } else {
        n.capture = true;
        if (++groupsOpened_ > totalGroups_)
            fail();
        groupSites_[groupsOpened_].start = pos_ - 1;
        groupSites_[groupsOpened_].path = path_;
    }
    n.children.push_back(disjunction(depth + 1));
    if (!eat(')'))
        fail();
    if (n.capture)
        groupSites_[before + 1].end = pos_;
    n.firstGroup = before + 1;
    n.groupCount = groupsOpened_ - before;
    return add(std::move(n));
}

int PatternParser::quantified(int atom) {
    uint32_t min = 0;
    uint32_t max = 0;
    const std::size_t save = pos_;
    if (!quantifier(min, max)) {
        pos_ = save;
        return atom;
    }
    PatternNode n;
    n.kind = PatternNode::Kind::Repeat;
    n.min = min;
    n.max = max;
    n.greedy = !eat('?');
    n.firstGroup = tree_.nodes[atom].firstGroup;
    n.groupCount = tree_.nodes[atom].groupCount;
    n.children.push_back(atom);
    return add(std::move(n));
}

// Reads * + ? {n} {n,} {n,m}; false, with the position wherever it stopped,
// when the text there is none of them.
bool PatternParser::quantifier(uint32_t& min, uint32_t& max) {
    const char32_t c = peek();
    if (c == '*' || c == '+' || c == '?') {
        ++pos_;
        min = c == '+' ? 1 : 0;
        max = c == '?' ? 1 : PatternNode::kUnbounded;
        return true;
    }
    if (!eat('{'))
        return false;
    auto number = [this](uint32_t& value) {
        if (!isDigit(peek()))
            return false;
        value = 0;
        while (isDigit(peek()))
            value = std::min<uint64_t>(uint64_t(value) * 10 + (src_[pos_++] - '0'), kMaxCount);
        return true;
    };
    if (!number(min))
        return false;
    max = min;
    if (eat(',')) {
        max = PatternNode::kUnbounded;
        if (isDigit(peek()) && !number(max))
            return false;
    }
    if (!eat('}'))
        return false;
    if (min > max)
        fail();
    return true;
}

int PatternParser::atomEscape() {
    if (atEnd())
        fail();
    const char32_t c = peek();
    if (c >= '1' && c <= '9') {
        const std::size_t save = pos_;
        uint64_t n = 0;
        while (isDigit(peek()) && n <= uint64_t(totalGroups_))
            n = n * 10 + (src_[pos_++] - '0');
        if (!isDigit(peek()) && n <= uint64_t(totalGroups_)) {
            PatternNode ref;
            ref.kind = PatternNode::Kind::Backref;
            ref.group = static_cast<int>(n);
            const int node = add(std::move(ref));
            backrefs_.push_back({node, Site{save - 1, pos_, path_}});
            return node;
        }
        // Above the group count: \8 and \9 are themselves, others octal.
        pos_ = save;
        if (c == '8' || c == '9') {
            ++pos_;
            return literal(c);
        }
        return literal(octal());
    }
    if (c == '0')
        return literal(octal());
    Atom set;
    if (classEscapeSet(c, set)) {
        ++pos_;
        PatternNode n;
        n.kind = PatternNode::Kind::Set;
        n.ranges = std::move(set.ranges);
        return add(std::move(n));
    }
    if (c == 'c') {
        if (isAsciiLetter(peek(1))) {
            pos_ += 2;
            return literal(src_[pos_ - 1] % 32);
        }
        return literal('\\'); // "\c" without a letter is a backslash, then "c"
    }
    ++pos_;
    return literal(characterEscape(c));
}

bool PatternParser::classEscapeSet(char32_t c, Atom& atom) {
    switch (c) {
    case 'd':
        atom.ranges = kDigits;
        break;
    case 'D':
        atom.ranges = complement(kDigits);
        break;
    case 'w':
        atom.ranges = kWordChars;
        break;
    case 'W':
        atom.ranges = complement(kWordChars);
        break;
    case 's':
        atom.ranges = kSpaces;
        break;
    case 'S':
        atom.ranges = complement(kSpaces);
        break;
    default:
        return false;
    }
    atom.isSet = true;
    return true;
}

// The escape letter c has been read; anything that is not a control escape
// or a complete \xHH or \uHHHH stands for itself.
char32_t PatternParser::characterEscape(char32_t c) {
    char32_t value = 0;
    switch (c) {
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case 'x':
        return hex(2, value) ? value : c;
    case 'u':
        return hex(4, value) ? value : c;
    default:
        return c;
    }
}

bool PatternParser::hex(int digits, char32_t& value) {
    char32_t v = 0;
    for (int k = 0; k < digits; ++k) {
        const int d = hexValue(peek(k));
        if (d < 0)
            return false;
        v = v * 16 + d;
    }
    pos_ += digits;
    value = v;
    return true;
}

// Up to three octal digits, never above \377.
char32_t PatternParser::octal() {
    char32_t value = src_[pos_++] - '0';
    if (isOctal(peek())) {
        value = value * 8 + (src_[pos_++] - '0');
        if (value < 32 && isOctal(peek()))
            value = value * 8 + (src_[pos_++] - '0');
    }
    return value;
}

int PatternParser::literal(char32_t c) {
    PatternNode n;
    n.kind = PatternNode::Kind::Set;
    n.ranges.emplace_back(c, c);
    return add(std::move(n));
}

int PatternParser::characterClass() {
    ++pos_;
    PatternNode n;
    n.kind = PatternNode::Kind::Set;
    n.negative = eat('^');
    auto take = [&n](const Atom& a) {
        if (a.isSet)
            n.ranges.insert(n.ranges.end(), a.ranges.begin(), a.ranges.end());
        else
            n.ranges.emplace_back(a.c, a.c);
    };
    while (!eat(']')) {
        if (atEnd())
            fail();
        const Atom from = classAtom();
        if (peek() != '-' || peek(1) == ']' || pos_ + 1 >= src_.size()) {
            take(from);
            continue;
        }
        ++pos_;
        const Atom to = classAtom();
        if (from.isSet || to.isSet) { // [\d-x]: the "-" is itself
            take(from);
            take(Atom{false, '-', {}});
            take(to);
        } else if (from.c > to.c) {
            fail();
        } else {
            n.ranges.emplace_back(from.c, to.c);
        }
    }
    return add(std::move(n));
}

PatternParser::Atom PatternParser::classAtom() {
    const char32_t c = src_[pos_++];
    if (c != '\\')
        return Atom{false, c, {}};
    if (atEnd())
        fail();
    const char32_t e = peek();
    Atom atom;
    if (classEscapeSet(e, atom)) {
        ++pos_;
        return atom;
    }
    if (e == 'b') {
        ++pos_;
        return Atom{false, '\b', {}};
    }
    if (e == 'c') {
        const char32_t d = peek(1);
        if (isAsciiLetter(d) || isDigit(d) || d == '_') {
            pos_ += 2;
            return Atom{false, d % 32, {}};
        }
        return Atom{false, '\\', {}};
    }
    if (isOctal(e))
        return Atom{false, octal(), {}};
    ++pos_;
    return Atom{false, characterEscape(e), {}};
}

// A reference reads its group only when the group has closed earlier on the
// same path; anywhere else (before it, inside it, in another branch) the
// group is unset there on every match, which reads as the empty text.
void PatternParser::resolveBackrefs() {
    for (const auto& [node, site] : backrefs_) {
        PatternNode& ref = tree_.nodes[node];
        const Site& g = groupSites_[ref.group];
        ref.alwaysEmpty = g.end > site.start || apart(g.path, site.path);
        if (!ref.alwaysEmpty)
            tree_.referenced[ref.group] = true;
    }
}

} // namespace rx

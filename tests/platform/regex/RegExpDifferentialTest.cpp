// The engine against node's RegExp on a generated corpus: every expression
// must be accepted or refused alike, and every value get the same verdict.
// The corpus stays inside what both dialects share (no lookbehind, no named
// groups) and inside the Basic Multilingual Plane.
#include "platform/regex/PatternWriter.h"
#include "platform/regex/RegExp.h"
#include "platform/runtime/RuntimeError.h"

#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPatterns = 20000;
constexpr int kValuesPerPattern = 8;

const char* const kNodeScript = R"(
const fs = require('fs');
const [input, output] = process.argv.slice(2);
const lines = JSON.parse(fs.readFileSync(input, 'utf8')).map(([p, values]) => {
  let re;
  try { re = new RegExp(p); } catch (e) { if (e instanceof SyntaxError) return 'E'; throw e; }
  return values.map(v => (re.test(v) ? '1' : '0')).join('');
});
fs.writeFileSync(output, lines.join('\n') + '\n');
)";

std::string utf8(const std::u32string& s) {
    std::string out;
    for (char32_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string json(const std::u32string& s) {
    std::string out = "\"";
    char buf[8];
    for (char32_t c : s) {
        std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
        out += buf;
    }
    return out + "\"";
}

// Expressions from the shared grammar, valid ones mostly, with a share of
// faults both dialects refuse. The generator's own arithmetic on a fixed
// seed keeps the corpus the same everywhere.
class CorpusGenerator {
public:
    std::u32string pattern() {
        groups_ = 0;
        run_.clear();
        valueLength_ = 11;
        switch (pick(12)) {
        case 9:
            return longerBranchFirst();
        case 10:
            return emptyReferenceInRepeat();
        case 11:
            return nestedReferences();
        case 0:
            return emptyBranchBeforeRepeat();
        case 3:
            return lookaheadInFront();
        case 1:
            return countedEmptyBody();
        case 2:
            return countedSingleItem();
        default:
            break;
        }
        std::u32string p = disjunction(0);
        if (pick(12) == 0)
            p.insert(pick(p.size() + 1), one(kFaults));
        return p;
    }

    // Values from the expression's own characters and a few others.
    std::u32string value(const std::u32string& pattern) {
        std::u32string out;
        if (!run_.empty()) {
            // A long run for the repeat to give up on, then a short tail.
            for (std::size_t n = 18 + pick(14); n > 0; --n)
                out += run_;
            for (std::size_t n = pick(4); n > 0; --n)
                out += pick(2) ? run_ : std::u32string(1, pattern[pick(pattern.size())]);
            return out;
        }
        const std::size_t length = pick(valueLength_);
        for (std::size_t i = 0; i < length; ++i) {
            if (pick(3) == 0 || pattern.empty())
                out += kValueChars[pick(kValueChars.size())];
            else
                out += pattern[pick(pattern.size())];
        }
        return out;
    }

private:
    std::size_t pick(std::size_t n) { return n == 0 ? 0 : engine_() % n; }

    std::u32string item() {
        switch (pick(3)) {
        case 0:
            return one(kItems);
        case 1:
            return one(kEscapes);
        default:
            return characterClass();
        }
    }

    std::u32string group(const std::u32string& body) {
        if (pick(2) == 0)
            return U"(?:" + body + U")";
        ++groups_;
        return U"(" + body + U")";
    }

    // A choice whose last branch is empty, an unbounded repeat of one item,
    // then what the choice could have taken.
    std::u32string emptyBranchBeforeRepeat() {
        std::u32string p = pick(4) == 0 ? U"^" : U"";
        p += pick(3) == 0 ? item() : U"";
        std::u32string branches = item();
        for (std::size_t n = pick(2); n > 0; --n)
            branches += U"|" + item();
        p += group(branches + U"|") + (pick(4) == 0 ? U"?" : U"");
        p += item() + one(kUnbounded) + item();
        return p + (pick(4) == 0 ? term(1) : U"");
    }

    // A lookahead in front, optional items, then what the lookahead saw.
    std::u32string lookaheadInFront() {
        const std::u32string seen = pick(2) ? one(kLiterals) : item();
        std::u32string p = U"(?=" + seen + (pick(3) ? U"" : item()) + U")";
        for (std::size_t n = pick(2) + 1; n > 0; --n)
            p += item() + one(kOptional);
        return p + seen + (pick(3) ? U"" : term(1));
    }

    // A choice whose longer branch comes first, both starting alike, then a
    // repeat and more, not anchored: what the longer branch took may be
    // wanted later.
    std::u32string longerBranchFirst() {
        const std::u32string start = one(kItems);
        const std::u32string second = item();
        std::u32string p = pick(4) == 0 ? item() : U"";
        p += group(start + second + (pick(3) ? U"" : item()) + U"|" + start);
        p += item() + one(kRepeats);
        p += pick(2) ? second : item();
        return p + (pick(3) ? U"" : U"$");
    }

    // A back-reference that can only match the empty text, repeated, inside
    // a repeat that must give up on a long run of one letter.
    std::u32string emptyReferenceInRepeat() {
        run_ = one(kRunLetters);
        // Never the run's letter: two branches taking it would make any
        // engine try exponentially many ways.
        const std::u32string other = run_ == U"x" ? U"b" : U"x";
        const std::u32string reference = U"\\1" + one(kReferenceCounts);
        std::u32string p;
        switch (pick(3)) {
        case 0: // the group before it is empty
            p = U"()(?:" + run_ + reference + U")";
            break;
        case 1: // read inside its own group
            p = U"(" + run_ + reference + U")";
            break;
        default: // a group that the run never sets
            p = U"(?:(" + other + U")|)(?:" + run_ + reference + U"|" + other + U")";
        }
        p += one(kUnboundedFromOne);
        return p + (pick(2) ? U"$" : U"c");
    }

    // Nested groups read later by repeated references; values a little
    // longer, which is where backtracking differs.
    std::u32string nestedReferences() {
        valueLength_ = 13;
        std::u32string p = disjunction(0);
        for (std::size_t n = pick(2) + 1; n > 0; --n)
            p += quantified(U"\\" + std::u32string(1, U'1' + pick(groups_ + 1))) + term(2);
        return p + (pick(3) ? U"" : U"\\B");
    }

    // A counted group whose body can match the empty text.
    std::u32string countedEmptyBody() {
        std::u32string body;
        // Two items at most: three optional ones already make both engines
        // try exponentially many splittings of a ten-character value.
        for (std::size_t n = pick(2) + 1; n > 0; --n)
            body += item() + one(kOptional);
        if (pick(3) == 0)
            body += U"|" + (pick(2) ? item() + U"(" + item() + U")" : U"");
        std::u32string p = pick(2) ? U"^" : U"";
        const bool capture = pick(2) == 0;
        std::u32string repeat = (capture ? U"(" : U"(?:") + body + U")" + one(kCounts);
        repeat += pick(3) ? U"" : U"?";
        // In a lookahead the first way found counts, so the order of trying shows.
        p += pick(4) == 0 ? U"(?=" + repeat + U")" : repeat;
        if (capture || body.find(U'(') != std::u32string::npos)
            p += pick(2) ? U"\\1" : U"\\2";
        return p + (pick(3) ? item() : U"") + (pick(2) ? U"$" : U"");
    }

    // A counted group of one item or a choice of single items.
    std::u32string countedSingleItem() {
        std::u32string body = pick(2) ? one(kItems) : one(kSingleEscapes);
        for (std::size_t n = pick(3); n > 0; --n)
            body += U"|" + one(kItems);
        const bool capture = pick(2) == 0;
        std::u32string p = pick(2) ? U"^" : U"";
        p += (capture ? U"(" : U"(?:") + body + U")" + one(kLargeCounts) + (pick(3) ? U"" : U"?");
        p += pick(2) ? item() : U"";
        if (capture && pick(2))
            p += U"\\1";
        return p + (pick(2) ? U"$" : U"");
    }
    std::u32string one(const std::vector<std::u32string>& list) { return list[pick(list.size())]; }

    std::u32string disjunction(int depth) {
        std::u32string out = alternative(depth);
        while (pick(4) == 0)
            out += U"|" + alternative(depth);
        return out;
    }

    std::u32string alternative(int depth) {
        std::u32string out;
        for (std::size_t n = pick(4) + (depth == 0 ? 1 : 0); n > 0; --n)
            out += term(depth);
        return out;
    }

    std::u32string term(int depth) {
        switch (pick(depth < 3 ? 11 : 8)) {
        case 0:
        case 1:
            return quantified(one(kLiterals));
        case 2:
            return quantified(one(kEscapes));
        case 3:
            return quantified(characterClass());
        case 4:
            return one(kAssertions) + (pick(20) == 0 ? U"*" : U"");
        case 5:
            return quantified(U"\\" + std::u32string(1, U'1' + pick(groups_ + 2)));
        case 6:
            return quantified(U".");
        case 7:
            return one(kBraces);
        case 8:
            ++groups_;
            return quantified(U"(" + disjunction(depth + 1) + U")");
        case 9:
            return quantified(U"(?:" + disjunction(depth + 1) + U")");
        default:
            return quantified((pick(2) ? U"(?=" : U"(?!") + disjunction(depth + 1) + U")");
        }
    }

    std::u32string characterClass() {
        std::u32string out = pick(3) == 0 ? U"[^" : U"[";
        for (std::size_t n = pick(4); n > 0; --n) {
            switch (pick(4)) {
            case 0:
                out += one(kClassEscapes);
                break;
            case 1:
                out += one(kRangeEnds) + U"-" + one(kRangeEnds);
                break;
            default:
                out += one(kClassChars);
            }
        }
        return out + U"]";
    }

    std::u32string quantified(const std::u32string& atom) {
        if (pick(3) != 0)
            return atom;
        std::u32string q = one(kQuantifiers);
        if (pick(3) == 0)
            q += U"?";
        if (pick(25) == 0)
            q += one(kQuantifiers);
        return atom + q;
    }

    inline static const std::vector<std::u32string> kLiterals{
        U"a",      U"b",      U"c",      U"ab",     U"A",      U"1",  U"_",  U"-",   U" ",
        U"\u00e9", U"\u00f1", U"\u00a0", U"\u3000", U"\u2028", U"\n", U"x",  U"\\.", U"\\*",
        U"\\(",    U"\\\\",   U"/",      U",",      U"\u00c1", U"",   U"a?", U"b*"};
    inline static const std::vector<std::u32string> kEscapes{
        U"\\d",   U"\\D",   U"\\w",     U"\\W",     U"\\s",     U"\\S",    U"\\n",    U"\\t",
        U"\\v",   U"\\f",   U"\\r",     U"\\0",     U"\\00",    U"\\012",  U"\\141",  U"\\142",
        U"\\377", U"\\400", U"\\8",     U"\\9",     U"\\cA",    U"\\cj",   U"\\c1",   U"\\c",
        U"\\x61", U"\\x6",  U"\\xZ",    U"\\u0061", U"\\u00e9", U"\\u006", U"\\u{2}", U"\\i",
        U"\\z",   U"\\Z",   U"\\A",     U"\\Q",     U"\\E",     U"\\h",    U"\\H",    U"\\p{L}",
        U"\\k",   U"\\-",   U"\\e",     U"\\g",     U"\\a",     U"\\y",    U"\\R",    U"\\X",
        U"\\10",  U"\\12",  U"\\u2028", U"\\x0a",   U"\\x00",   U"\\1a"};
    inline static const std::vector<std::u32string> kAssertions{U"^", U"$", U"\\b", U"\\B"};
    inline static const std::vector<std::u32string> kBraces{
        U"{",    U"}",       U"]",    U"a{",  U"a{1",    U"a{,2}",  U"a{1,}",
        U"b{0}", U"c{2,3}?", U"a{x}", U"{2}", U"a{3,1}", U"x{1}{2}"};
    inline static const std::vector<std::u32string> kClassEscapes{
        U"\\d",  U"\\D", U"\\w",   U"\\W",   U"\\s",     U"\\S",   U"\\b",
        U"\\B",  U"\\-", U"\\]",   U"\\\\",  U"\\cA",    U"\\c1",  U"\\c_",
        U"\\c*", U"\\0", U"\\12",  U"\\141", U"\\8",     U"\\x61", U"\\u00e9",
        U"\\n",  U"\\v", U"\\d-x", U"a-\\d", U"\\w-\\s", U"\\i",   U"\\z"};
    inline static const std::vector<std::u32string> kRangeEnds{
        U"a", U"c",      U"z",      U"A",     U"Z",       U"0", U"9",
        U"_", U"\u00e0", U"\u00ff", U"\\x20", U"\\u00e9", U" ", U"-"};
    inline static const std::vector<std::u32string> kClassChars{U"a", U"b", U"-",      U".", U"^",
                                                                U"$", U"(", U")",      U"|", U"*",
                                                                U"{", U"[", U"\u00e9", U" ", U"1"};
    inline static const std::vector<std::u32string> kQuantifiers{
        U"*", U"+", U"?", U"{0}", U"{1}", U"{2}", U"{0,1}", U"{1,}", U"{0,2}", U"{2,3}"};
    inline static const std::vector<std::u32string> kItems{
        U"a", U"b", U"c", U"x", U".", U"[ab]", U"[^a]", U"[cd]", U"\\s", U"\\S", U"\\w", U"\\d"};
    inline static const std::vector<std::u32string> kSingleEscapes{
        U"\\D", U"\\W", U"\\n", U"\\t", U"\\x61", U"\\u00e9", U"\\0", U"\\cA", U"\\i"};
    inline static const std::vector<std::u32string> kUnbounded{U"*", U"*?", U"{0,}", U"+"};
    inline static const std::vector<std::u32string> kRepeats{U"*",    U"+",     U"*?", U"+?",
                                                             U"{0,}", U"{1,3}", U"?"};
    inline static const std::vector<std::u32string> kRunLetters{U"a", U"b", U"x", U"1"};
    inline static const std::vector<std::u32string> kReferenceCounts{
        U"?", U"*", U"+", U"{0,1}", U"{0,3}", U"{1,2}", U"??", U"*?", U"{2,}"};
    inline static const std::vector<std::u32string> kUnboundedFromOne{U"+", U"*", U"{1,}", U"{2,}",
                                                                      U"+?"};
    inline static const std::vector<std::u32string> kOptional{U"?", U"{0,2}", U"??", U""};
    inline static const std::vector<std::u32string> kCounts{
        U"{0,20}", U"{1,30}", U"{2,}", U"{0,100}", U"{2,5}", U"{3,40}", U"{1,}", U"{0,}"};
    inline static const std::vector<std::u32string> kLargeCounts{
        U"{0,924}", U"{0,4096}", U"{1,3000}", U"{2,65535}", U"{0,1000}", U"{5,}", U"{1,2}"};
    inline static const std::vector<std::u32string> kFaults{
        U"(",   U")",    U"*",     U"+",      U"[",   U"\\",  U"(?", U"(?x)",
        U"(?>", U"(?i)", U"[z-a]", U"a{2,1}", U"a**", U"a+*", U"??", U"|*"};
    inline static const std::u32string kValueChars{
        U"ab c1_-A\u00e9\n\t\u2028\u00a0\u3000xZ9{}\\.\v\u0008"};

    std::mt19937 engine_{20261207};
    std::size_t groups_ = 0;
    std::u32string run_;           // values are long runs of it when set
    std::size_t valueLength_ = 11; // values are shorter than this
};

std::string show(const std::u32string& s) {
    std::string out;
    char buf[12];
    for (char32_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(buf, sizeof buf, "<%04x>", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

// "E" for a refused expression, else one digit per value.
std::string engineVerdicts(const std::u32string& pattern,
                           const std::vector<std::u32string>& values) {
    std::string out;
    const rx::RegExp re(utf8(pattern));
    for (const std::u32string& v : values) {
        try {
            out += re.Test(utf8(v)) ? '1' : '0';
        } catch (const rt::RuntimeError& e) {
            if (e.number() == rt::err::RegexSyntax)
                return "E";
            // A search past the engine's limits shows as a mismatch.
            out += '7';
        }
    }
    return out;
}

TEST(RegExpDifferential, SameVerdictsAsNode) {
    CorpusGenerator gen;
    std::vector<std::pair<std::u32string, std::vector<std::u32string>>> corpus;
    std::string input = "[";
    for (int i = 0; i < kPatterns; ++i) {
        std::u32string p = gen.pattern();
        std::vector<std::u32string> values;
        for (int k = 0; k < kValuesPerPattern; ++k)
            values.push_back(gen.value(p));
        input += (i ? ",\n[" : "[") + json(p) + ",[";
        for (int k = 0; k < kValuesPerPattern; ++k)
            input += (k ? "," : "") + json(values[k]);
        input += "]]";
        corpus.emplace_back(std::move(p), std::move(values));
    }
    input += "]";

    testenv::TempDir dir;
    testenv::writeFile(dir.file("corpus.json"), input);
    testenv::writeFile(dir.file("verdicts.js"), kNodeScript);
    const std::string command = "node " + dir.file("verdicts.js") + " " + dir.file("corpus.json") +
                                " " + dir.file("node.txt");
    ASSERT_EQ(std::system(command.c_str()), 0)
        << "node (Debian package nodejs) must be installed: it is the reference engine";

    std::istringstream node(testenv::readFile(dir.file("node.txt")));
    std::string expected;
    int pairs = 0;
    int refused = 0;
    int mismatches = 0;
    int matched = 0;
    for (const auto& [pattern, values] : corpus) {
        ASSERT_TRUE(std::getline(node, expected)) << "node gave fewer verdicts than expressions";
        const std::string actual = engineVerdicts(pattern, values);
        if (expected == "E")
            ++refused;
        else
            pairs += kValuesPerPattern;
        matched += static_cast<int>(std::count(expected.begin(), expected.end(), '1'));
        if (actual == expected)
            continue;
        if (++mismatches > 40)
            continue;
        std::string translated;
        try {
            translated = rx::PatternWriter::translate(utf8(pattern));
        } catch (const rt::RuntimeError&) {
            translated = "(refused)";
        }
        ADD_FAILURE() << "/" << show(pattern) << "/ node " << expected << " engine " << actual
                      << " pcre2 " << translated;
        if (expected.size() == values.size())
            for (std::size_t k = 0; k < values.size(); ++k)
                if (actual.size() != values.size() || actual[k] != expected[k])
                    ADD_FAILURE() << "  value \"" << show(values[k]) << "\" node " << expected[k];
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GE(pairs, 5000);
    std::printf("corpus: %d expressions, %d refused, %d pairs (%d matching), %d mismatches\n",
                kPatterns, refused, pairs, matched, mismatches);
}

} // namespace

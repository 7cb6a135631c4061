#include "platform/regex/RegExp.h"
#include "platform/regex/PatternCache.h"
#include "platform/runtime/RuntimeError.h"

#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using testenv::repeat;

struct Case {
    const char* name;
    std::string pattern;
    std::string value;
    bool matches;
};

// Cases are numbered; the listing shows the label instead of the bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class RegExpSemantics : public ::testing::TestWithParam<Case> {};

TEST_P(RegExpSemantics, TestsTheValue) {
    const Case& c = GetParam();
    rx::RegExp re;
    re.Pattern(c.pattern);
    EXPECT_EQ(re.Test(c.value), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegExpSemantics,
    ::testing::Values(
        Case{"SearchesAnywhere", "[0-9]", "a1b", true},
        Case{"AnchoredWhole", "^[0-9]{3}$", "123", true},
        Case{"NoCaseFolding", "^[A-Z]+$", "abc", false},
        Case{"DollarNotBeforeFinalLineFeed", "^[0-9]{3}$", "123\n", false},
        Case{"CaretOnlyAtStart", "^b", "a\nb", false},
        Case{"EmptyPatternMatchesAll", "", "anything", true},
        Case{"UnicodeEscape", "^\\u00e1$", "\xc3\xa1", true},
        Case{"DotIsOneCharacter", "^.{3}$", "a\xc3\xb1o", true},
        Case{"ClassOfAccentedLetters", "^[a-z\xc3\xb1]+$", "a\xc3\xb1o", true},
        Case{"EmptyClassMatchesNothing", "a[]", "a", false},
        Case{"HexEscapeTwoDigits", "^\\x41B$", "AB", true},
        Case{"LongValueAlternation", "^(a|b)*$", repeat("ab", 16383) + "a", true},
        Case{"LongValueAlternationFails", "^(a|b)*$", repeat("ab", 16383) + "c", false},
        Case{"LongValueNestedGroups", "^((a)|(b)|(\\d))+$", repeat("a1b", 10922) + "a", true},
        Case{"LongMultibyteValue", "^(\xc3\xb1|n)*$", repeat("\xc3\xb1", 32767), true},
        Case{"LongValueBacktracking", "^(?:a|ab)*c$", repeat("ab", 16383) + "c", true},
        // The JavaScript-style dialect where PCRE2 alone reads it otherwise.
        Case{"EmailCheckOfThatEra", "^[\\w-\\.]+@([\\w-]+\\.)+[\\w-]{2,4}$", "j.perez@afip.gob.ar",
             true},
        Case{"ClassEscapeBeforeDashKeepsDash", "^[\\d-x]+$", "1-x", true},
        Case{"ClassEscapeBeforeDashIsNoRange", "^[\\d-x]+$", "y", false},
        Case{"IdentityEscape", "^\\i$", "i", true},
        Case{"EightAboveGroupCountIsItself", "^\\8|\\d", "8", true},
        Case{"BackslashSmallZIsLetter", "^\\z$", "z", true},
        Case{"BackslashCapitalZIsLetter", "^\\Z$", "Z", true},
        Case{"BackslashAIsLetter", "^\\A$", "A", true},
        Case{"QuoteEscapesAreLetters", "^\\Qa.\\E$", "Qa-E", true},
        Case{"BackslashHIsLetter", "^\\h$", "h", true},
        Case{"BackslashHIsNoBlank", "\\h", " ", false},
        Case{"BackslashVIsVerticalTab", "^\\v$", "\v", true},
        Case{"BackslashVIsNoLineFeed", "\\v", "\n", false},
        Case{"PropertyEscapeIsText", "^\\p{L}$", "p{L}", true},
        Case{"DotSkipsLineSeparator", "^.$", "\xe2\x80\xa8", false},
        Case{"DotSkipsCarriageReturn", "^.$", "\r", false},
        Case{"NegatedEmptyClassMatchesAll", "^[^]$", "\n", true},
        Case{"SpaceIncludesNoBreakSpace", "^\\s$", "\xc2\xa0", true},
        Case{"SpaceIncludesByteOrderMark", "^\\s$", "\xef\xbb\xbf", true},
        Case{"SpaceExcludesNextLine", "\\s", "\xc2\x85", false},
        Case{"WordIsAscii", "\\w", "\xc3\xb1", false},
        Case{"WordBoundaryIsAscii", "^a\\b", "a\xc3\xb1", true},
        Case{"DigitIsAscii", "\\d", "\xd9\xa3", false}, Case{"LegacyOctal", "^\\101$", "A", true},
        Case{"ControlLetter", "^\\cJ$", "\n", true},
        Case{"ControlWithoutLetterIsText", "^\\c1$", "\\c1", true},
        Case{"ClassControlDigit", "^[\\c1]$", "\x11", true},
        Case{"ShortHexEscapeIsText", "^\\x4$", "x4", true},
        Case{"ShortUnicodeEscapeIsText", "^\\u00e$", "u00e", true},
        Case{"BracedUnicodeIsRepeat", "^\\u{2}$", "uu", true},
        Case{"ClassBackspace", "^[\\b]$", "\b", true},
        Case{"ReferenceAboveGroupCountIsOctal", "^(a)\\10$", "a\b", true},
        Case{"ForwardReferenceIsEmpty", "^\\1(a)$", "a", true},
        Case{"ReferenceInsideItsGroupIsEmpty", "^(a\\1)$", "a", true},
        Case{"RepetitionResetsGroups", "^(?:(a)|b)+\\1$", "ab", true},
        Case{"RepetitionResetsGroupsAfterLast", "^(?:(a)|b)+\\1$", "aba", false},
        Case{"ReferenceToOtherBranchIsEmpty", "^(?:(a)|b\\1)+$", "aba", true},
        Case{"ZeroRepetitionsLeaveGroupUnset", "^(?:x(a)*\\1)+$", "xaax", true},
        Case{"EmptyRepetitionFails", "^(?:(a)|b|)*\\1$", "a", false},
        Case{"EmptyRepetitionAfterFirstFails", "^(?:(a)|)+\\1$", "a", false},
        Case{"FirstRepetitionMayBeEmpty", "^(?:(a)|)+\\1$", "", true},
        Case{"RepeatedReferenceToUnsetGroup", "(?!(c))\\1{2}", "", true},
        Case{"BraceWithoutQuantifierIsText", "^a{,2}$", "a{,2}", true},
        Case{"LoneClosingBraces", "^]}$", "]}", true},
        Case{"RepeatedLookaheadFromZero", "^(?=a)*b", "b", true},
        Case{"RepeatedLookaheadHolds", "^(?=a){2}b", "b", false},
        // PCRE2 10.42's JIT: a choice with an empty branch before a repeat.
        Case{"EmptyBranchThenRepeat", "(a|)c*a", "a", true},
        Case{"EmptyBranchClass", "(?:[ab]|)c*a", "a", true},
        Case{"EmptyBranchSpaces", "(\\S|)\\s*x", "x", true},
        Case{"EmptyBranchWord", "(\\w|)x*a", "a", true},
        Case{"EmptyBranchAfterDigit", "\\d(?:[ab]|)c*a", "1a", true},
        Case{"EmptyBranchAnchored", "^(?:b|)c*a", "ca", true},
        Case{"EmptyBranchLongValue", "(x|)[ab]*c", repeat("ab", 16383) + "c", true},
        // PCRE2 10.42's start-up checks after a leading lookahead.
        Case{"LookaheadThenOptional", "(?=a)1?a", "a", true},
        Case{"LookaheadThenOptionalLater", "(?=a)a?a", "xa", true},
        Case{"LookaheadThenOptionalClass", "(?=a)[12]?a", "a", true},
        Case{"LookaheadThenEmptyChoices", "(?=a)(?:^1|[^b]+?\\W\\s\\d?|){2}a+?", "axx c 1!1", true},
        Case{"LookaheadNeedsItsCharacter", "(?=a)1?a", "b", false},
        // Counted groups that can match empty answer at once.
        Case{"CountedOptionalAnchored", "^(?:a?){0,100}$", "aab", false},
        Case{"CountedOptionalAtEnd", "(?:a?){0,100}$", "aab", true},
        Case{"CountedTwoOptionals", "^(?:\\w?\\s?){1,30}$", "ab ab !", false},
        Case{"CountedTwoOptionalsFromZero", "^(?:[a-z]?\\s?){0,20}$", "ab ab ab !", false},
        Case{"CountedOptionalLarge", "^(?:a?){0,4096}b$", "aba", false},
        Case{"CountedWithinMinimum", "^(?:a?b?){2,5}c", "bc", true},
        Case{"EmptyBeyondMinimumTwoFails", "^(?:|a(b)){2,}\\1$", "abab", false},
        Case{"EmptyWithinMinimumTwo", "^(?:|a(b)){2,}\\1$", "ab", true},
        Case{"EmptyWithinMinimumTwoRead", "^(?:|a(b)){2,}\\1$", "abb", true},
        Case{"CountedReadEmptyAfterFirst", "^(c?|){1,30}\\1$", "c", false},
        Case{"CountedReadLastRepetition", "^(c?|){1,30}\\1$", "cc", true},
        Case{"CountedReadResetGroup", "^(?:(a)|b?){2,3}\\1$", "aba", false},
        Case{"CountedReadSetGroup", "^(?:(a)|b?){2,3}\\1$", "baa", true},
        Case{"CountedReadInLookahead", "^(?=((?:ab?|(b?)){2,5}))\\2\\1", "aab", true},
        Case{"UnboundedReadInLookahead", "^(?=(\\S??|){1,})\\1", "{^", false},
        Case{"UnboundedReadInLookaheadLast", "^(?=(\\S??|){1,})\\1", "a", true},
        // Groups of one item too large for PCRE2 when copied per count.
        Case{"LargeCountOfAny", "^(?:.){0,924}$", "a", true},
        Case{"LargeCountOfChoice", "^(?:a|b){0,4096}c$", "abc", true},
        Case{"LargeCountOfChoiceOrEmpty", "^(?:(a)|b|){0,5000}$", "abab", true},
        Case{"LargeCaptureKeepsLast", "^(a|b){0,4096}c\\1$", "abcb", true},
        Case{"LargeCaptureNotFirst", "^(a|b){0,4096}c\\1$", "abca", false},
        Case{"LargeCountUnreadInnerGroup", "^(?:(a)){0,30000}c$", "aac", true},
        Case{"LargeCountUnreadInnerGroupFails", "^((a)){1,30000}c$", "c", false},
        Case{"LargeCountReadOuterOnly", "^((a|b)){0,4096}c\\1$", "abcb", true},
        Case{"LazyCaptureKeepsLast", "^(a|b){2,3}?\\1", "aba", false},
        Case{"LazyCaptureLonger", "^(a|b){2,3}?\\1$", "abaa", true},
        // PCRE2 10.42's JIT: a longer branch before a shorter one alike, then a repeat.
        Case{"LongerBranchFirst", "(?:ax|a)b*x", "ax", true},
        Case{"LongerBranchFirstCaptured", "(ax|a)b*x", "zax", true},
        Case{"LongerBranchFirstAtEnd", "(?:bb|b)b+b$", "bbb", true},
        Case{"LongerBranchFirstLazy", "(?:ab|a)c*?b", "ab", true},
        Case{"LongerBranchFirstClasses", "(xx|x)[xy]*[xy]", "xx", true},
        // Past a long value's first part, where the misses are confirmed otherwise.
        Case{"LongerBranchFirstLongValue", "(?:ax|a)b*x", repeat("z", 2000) + "ax", true},
        Case{"EmptyBranchLongValueEnd", "(a|)c*a", repeat("z", 2000) + "a", true},
        Case{"LookaheadLongValueEnd", "(?=a)1?a", repeat("z", 2000) + "a", true},
        Case{"LongerBranchFirstMisses", "(?:ax|a)b*x", "ay", false},
        Case{"LongerBranchFirstLongMiss", "(?:ax|a)b*x", repeat("ab", 16383) + "a", false},
        // A long miss of the fast JIT confirmed either way: by the JIT without
        // start-up optimisations when little of the value's tail lacks the
        // required character or the minimum length, else by the interpreter.
        Case{"RequiredLateShortTail", "(?:ax|a)b*x", "zax" + repeat("z", 1024), true},
        Case{"RequiredLateLongTail", "(?:ax|a)b*x", "zax" + repeat("z", 1025), true},
        Case{"RequiredFirstLongTail", "(?:ax|a)b*x", "ax" + repeat("z", 2000), true},
        Case{"RequiredAtStartLongTail", "(a|)c*a", "a" + repeat("z", 2000), true},
        Case{"RequiredMidLongTail", "(a|)c*a", repeat("z", 100) + "a" + repeat("z", 2000), true},
        Case{"RequiredMissingLongMiss", "c*c*a", repeat("c", 32767), false},
        Case{"MinimumInBytesMultibyte", "(?:ax|a)b*x\xc3\xa9{600}", "zax" + repeat("\xc3\xa9", 600),
             true},
        Case{"MinimumLongTailExact", "(?:ax|a)b*x.{1100}", "zax" + repeat("z", 1100), true},
        Case{"MinimumLongTailAtStart", "(?:ax|a)b*x.{1100}", "ax" + repeat("z", 1100), true},
        Case{"MinimumLongTailShort", "(?:ax|a)b*x.{1100}", "zax" + repeat("z", 1099), false},
        Case{"NoSkipLongMiss",
             "(?:((.[^a]{1,3})+?([ab]|.)|c*?)(\\w){1,3}|.{1,}?)(([ab](.c|\\w)|()))[ab]$",
             repeat("aab", 500) + "c", false},
        // A repeated reference that can only match empty has one way.
        Case{"EmptyGroupReferenceOptional", "()(?:a\\1?)+$", repeat("a", 24) + "c", false},
        Case{"OwnGroupReferenceOptional", "(a\\1?)+$", repeat("a", 24) + "c", false},
        Case{"OwnGroupReferenceStar", "(a\\1*)+$", repeat("a", 24) + "c", false},
        Case{"OwnGroupReferenceFound", "(a\\1?)+c", repeat("a", 30) + "bac", true},
        Case{"UnsetGroupReferenceCounted", "(?:(x)|)(?:a\\1{0,1}|b)+$", repeat("a", 24) + "c",
             false},
        Case{"SetGroupReferenceRepeats", "^(a)\\1{2,3}$", "aaaa", true},
        Case{"SetGroupReferenceBeyondMaximum", "^(a)\\1{2,3}$", "aaaaa", false},
        Case{"SetGroupReferenceLazy", "^(ab)\\1*?c", "ababc", true},
        Case{"EmptyReferenceWithinMinimum", "^()\\1{2}a$", "a", true},
        Case{"NestedCountsAndReferences",
             "(\\1{0,1}|((?:[^a]*){2}?([^a]+.{0,1}a{2,}||.?)+){0,}\\2)?(\\2+?\\3(){1,2})\\B",
             "ababcba", true},
        // Unbounded repeats of a body that can match empty, whose groups nobody
        // reads, nested: only non-empty repetitions beyond the minimum.
        Case{"NestedOptionalRepeatsMiss", "^(?:(([^a]{1,3}|\\w{0,1})*[^a])*?|c)*\\3{2}?",
             "cabbcbcbc", false},
        Case{
            "NestedEmptyBranchRepeatsMiss",
            "(((a*?a|[ab]{2,}b)|\\2+?(b?|)*){2}?){2,}?(\\6|(?!(\\w)*?)(.{1,}\\2|b{1,3}))(a{2}\\w)$",
            "baabbcba", false},
        Case{"NestedRepeatsAfterLookaheadMiss",
             "(?:(?!\\1a+?)((.{1,3}|)|)*|(([^a]??\\w)(a{0,1}){0,1})(?=\\4))*?a$", "bbccabbcac",
             false},
        Case{"UnboundedOptionalAfterBranch", "^(?:x|y?)+z$", "xyxz", true},
        Case{"UnboundedOptionalsNested", "^(?:(b?|)*a)+$", "bbaba", true},
        Case{"UnboundedLazyOptional", "^a(?:b?|c)*?bc$", "abbc", true},
        Case{"UnboundedUnreadGroupMiss", "^(?:a?(b)?)+c$", "abba", false},
        // A counted repeat from one or more of a body that can always match empty.
        Case{"CountedEmptyBranchesInRepeatsMiss",
             "(((a*a||){1,3})*b*)+(a{2,})(((?=\\w[ab]+)b|(\\w)a|)a|)$", "ababaabc", false},
        Case{"CountedOptionalInRepeat", "^(?:(?:ab?|){2,3}c)+$", "abababcc", true},
        Case{"CountedOptionalInRepeatPastMaximum", "^(?:(?:ab?|){2,3}c)+$", "ababababc", false},
        Case{"CountedOptionalsRepeated", "^(?:(?:a?){2})*$", "aaaaa", true},
        // A negative lookahead whose body always matches empty never holds.
        Case{"NegativeLookaheadOfEmptyOtherBranch", "a(?!(b|)*)|c", "abc", true},
        Case{"NegativeLookaheadOfEmptyThenReference", "^(?!(a?))\\1b", "b", false},
        Case{"NegativeLookaheadOfRepeatMiss", "a(?!(b|c)*)", "ab", false},
        Case{"NegativeLookaheadOfEmptyLongMiss", "\\w+?(?!(?:ba|a+)*)bb", repeat("ab", 1000),
             false}));

struct Refused {
    const char* name;
    std::string pattern;
};

void PrintTo(const Refused& r, std::ostream* os) {
    *os << r.name;
}

class RegExpSyntax : public ::testing::TestWithParam<Refused> {};

TEST_P(RegExpSyntax, RaisesRuntimeError) {
    rx::RegExp re(GetParam().pattern);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            re.Test("abc");
            FAIL() << "no error for " << GetParam().pattern;
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::err::RegexSyntax);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RegExpSyntax,
    ::testing::Values(Refused{"UnclosedGroup", "("}, Refused{"UnclosedClass", "[a-"},
                      Refused{"CountsReversed", "a{2,1}"}, Refused{"NothingToRepeat", "*a"},
                      Refused{"LoneBackslash", "\\"}, Refused{"UnopenedGroup", "a)"},
                      // Later or foreign syntax the dialect lacks.
                      Refused{"Lookbehind", "(?<=a)b"}, Refused{"NegativeLookbehind", "(?<!a)b"},
                      Refused{"NamedGroup", "(?<n>a)"}, Refused{"PossessiveStar", "a*+"},
                      Refused{"PossessivePlus", "a++"}, Refused{"AtomicGroup", "(?>a)"},
                      Refused{"InlineFlag", "(?i)a"}, Refused{"FlagGroup", "(?i:a)"},
                      Refused{"PythonNamedGroup", "(?P<n>a)"},
                      // Faults only the dialect's grammar sees.
                      Refused{"DoubleStar", "a**"}, Refused{"RepeatedCaret", "^*"},
                      Refused{"RepeatedBoundary", "\\b+"}, Refused{"RepeatedDollar", "$?"},
                      Refused{"RangeReversed", "[z-a]"}, Refused{"CountOfCount", "x{2}{3}"},
                      Refused{"BareCount", "{2}"}, Refused{"CountAfterBar", "a|{1,}"},
                      Refused{"InvalidUtf8", "\xff"}));

TEST(PatternCache, KeepsOneCompiledPatternPerText) {
    rx::PatternCache& cache = rx::PatternCache::instance();
    const std::size_t before = cache.size();
    const rx::CompiledPattern& first = cache.get("^cache-[0-9]+$");
    cache.get("^otro$");
    EXPECT_EQ(&cache.get("^cache-[0-9]+$"), &first);
    EXPECT_EQ(cache.size(), before + 2);
}

TEST(PatternCache, StaysBoundedAndRight) {
    rx::PatternCache& cache = rx::PatternCache::instance();
    for (std::size_t i = 0; i <= rx::PatternCache::kMaximo + 10; ++i) {
        const std::string n = std::to_string(i);
        ASSERT_TRUE(rx::RegExp::Test("^" + n + "$", n));
        ASSERT_FALSE(rx::RegExp::Test("^" + n + "$", n + "x"));
        ASSERT_LE(cache.size(), rx::PatternCache::kMaximo);
    }
}

TEST(PatternCache, KeepsNoPatternThatDoesNotCompile) {
    rx::PatternCache& cache = rx::PatternCache::instance();
    const std::size_t before = cache.size();
    EXPECT_THROW(cache.get("(sin cerrar"), rt::RuntimeError);
    EXPECT_EQ(cache.size(), before);
}

} // namespace

namespace {

// The translator must refuse, never crash or loop, whatever text it is given:
// nesting past its depth, a runaway of unset-group fillers, a lone backslash.
TEST(RegExpSyntax, HostileTextIsRefused) {
    for (const std::string& p :
         {std::string(100000, '('), repeat("(?:", 50000) + repeat(")", 50000),
          repeat("(a)|", 20000) + "\\1", repeat("\\", 100001), std::string("a\0(", 3)})
        EXPECT_THROW(rx::RegExp(p).Test("a"), rt::RuntimeError);
    EXPECT_FALSE(rx::RegExp(repeat("[", 100000) + "]").Test("a"));
}

const std::string kLargo = repeat("ab", 16383) + "a";

// A JIT stack too small for the value: the interpreter decides instead.
TEST(CompiledPattern, FallsBackWhenJitStackIsExhausted) {
    rx::MatchContext pequeno(32 * 1024);
    rx::CompiledPattern p("^(a|b)*$");
    EXPECT_TRUE(p.matches(kLargo, pequeno));
    EXPECT_FALSE(p.matches(kLargo + "c", pequeno));
}

// Search that cannot finish within the engine's limits is an error, never a
// quiet "does not match".
TEST(CompiledPattern, RunawaySearchIsAnError) {
    rx::MatchContext mc;
    rx::CompiledPattern p("^(x+x+)+$");
    EXPECT_THROW(p.matches(std::string(40, 'x') + "y", mc), rt::RuntimeError);
    // Found by fuzzing (then lengthened): invalid UTF-8 included, through the public test.
    EXPECT_THROW(rx::RegExp::Test("a(a*)*[bx]", std::string(30, 'a') + "Aa\xa4\x9e"
                                                                       "a\x01a"),
                 rt::RuntimeError);
}

} // namespace

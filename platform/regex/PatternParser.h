#pragma once
// Reads an expression with the grammar of the JavaScript-style engine
// (ECMAScript 5 with the Annex B leniencies, no flags) and builds its tree.
// Anything that grammar rejects, and the constructs it lacks (lookbehind,
// named groups, possessive quantifiers, atomic groups, inline flags), raises
// RegexSyntax. Nesting is bounded so that no input can exhaust the stack.
#include "platform/regex/PatternTree.h"

#include <string_view>

namespace rx {

class PatternParser {
public:
    explicit PatternParser(std::string_view pattern);
    PatternTree parse();

private:
    using Path = std::vector<std::pair<int, int>>; // (alternation, branch) from the root
    struct Site {
        std::size_t start = 0;
        std::size_t end = 0;
        Path path;
    };
    struct Atom {
        bool isSet = false; // a class escape such as \d
        char32_t c = 0;
        std::vector<Range> ranges;
    };

    int disjunction(int depth);
    int alternative(int depth);
    int term(int depth);
    int group(int depth);
    int quantified(int atom);
    bool quantifier(uint32_t& min, uint32_t& max);
    int atomEscape();
    int characterClass();
    Atom classAtom();
    bool classEscapeSet(char32_t c, Atom& atom);
    char32_t characterEscape(char32_t c);
    char32_t octal();
    bool hex(int digits, char32_t& value);
    int add(PatternNode node);
    int literal(char32_t c);
    int assertion(char a);
    void resolveBackrefs();
    bool nothingToRepeat();

    bool atEnd() const { return pos_ >= src_.size(); }
    char32_t peek(std::size_t ahead = 0) const;
    bool eat(char32_t c);
    [[noreturn]] static void fail();

    std::vector<char32_t> src_;
    std::size_t pos_ = 0;
    int totalGroups_ = 0;
    int groupsOpened_ = 0;
    int alternations_ = 0;
    Path path_;
    std::vector<Site> groupSites_; // by group number
    std::vector<std::pair<int, Site>> backrefs_;
    PatternTree tree_;
};

} // namespace rx

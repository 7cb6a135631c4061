#pragma once
// Writes a parsed JavaScript-style expression as a PCRE2 pattern (UTF mode)
// that gives the same verdict for every value. Every character set is written
// as explicit ranges, so PCRE2's own escapes and options never change its
// meaning. Groups may be renumbered: the writer adds groups of its own.
#include "platform/regex/PatternTree.h"

#include <string>
#include <string_view>

namespace rx {

class PatternWriter {
public:
    // The PCRE2 pattern for a JavaScript-style expression; raises RegexSyntax
    // when the expression is not valid in that dialect or cannot be written.
    static std::string translate(std::string_view pattern);

    explicit PatternWriter(const PatternTree& tree) : tree_(tree) {}
    std::string write();

private:
    void measure();
    int markers(const PatternNode& n) const;
    void node(int index);
    void alternation(const PatternNode& n);
    void repeat(const PatternNode& n);
    void atLeastOnce(const PatternNode& n);
    void loop(const PatternNode& n, const PatternNode& times);
    void count(const PatternNode& n);
    void set(const PatternNode& n);
    void fillers(int count);
    void codePoint(char32_t c);
    bool referenced(const PatternNode& n) const;

    const PatternTree& tree_;
    std::string out_;
    std::vector<int> slots_;     // by node: PCRE2 groups written
    std::vector<bool> nullable_; // by node: can match the empty text
    std::vector<int> number_;    // by group: its number in the PCRE2 pattern
    int next_ = 1;               // the next PCRE2 group number
};

} // namespace rx

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
    // The written pattern holds a positive lookahead, from which PCRE2 10.42
    // takes a first character that its required-character check then wants
    // a second time (fixed upstream after 10.43).
    bool hasLookahead() const { return lookahead_; }

private:
    // How a repeat is written.
    enum class Shape {
        Plain,  // the body and its count, as PCRE2 reads them
        Item,   // a group of one character or class, repeated without the group
        Filled, // from zero with groups read later: zero repetitions fill them
        Pruned, // repetitions beyond the minimum written as their non-empty matches
        Marked, // repetitions beyond the minimum checked for emptiness by a callout
        Split   // groups read later: the last unchecked repetition apart
    };
    Shape shape(const PatternNode& n) const;
    int marks(const PatternNode& n) const;
    bool single(int index, std::vector<Range>& ranges, bool top) const;
    bool lone(int index, std::vector<Range>& ranges) const;
    void measure();
    int repeatSlots(const PatternNode& n) const;
    void node(int index);
    void nonEmpty(int index);
    void group(const PatternNode& n, void (PatternWriter::*body)(int));
    void alternation(const PatternNode& n);
    void repeat(const PatternNode& n);
    void backref(const PatternNode& n);
    void item(const PatternNode& n, uint32_t min, uint32_t max);
    void filled(const PatternNode& n);
    void checked(const PatternNode& n);
    void split(const PatternNode& n);
    void capture(int group);
    void loop(const PatternNode& n, uint32_t min, uint32_t max, bool checked);
    void count(uint32_t min, uint32_t max, bool greedy);
    void set(const PatternNode& n);
    void ranges(const std::vector<Range>& ranges, bool negative);
    void fillers(int count);
    void codePoint(char32_t c);
    bool referenced(const PatternNode& n) const;

    const PatternTree& tree_;
    std::string out_;
    std::vector<int> slots_;         // by node: PCRE2 groups written
    std::vector<int> bareSlots_;     // by node: PCRE2 groups its non-empty form writes
    std::vector<bool> nullable_;     // by node: can match the empty text
    std::vector<bool> bare_;         // by node: matches it empty always, and its
                                     // non-empty matches can be written alone
    std::vector<std::string> reads_; // by group: how a reference reads it
    int next_ = 1;                   // the next PCRE2 group number
    bool lookahead_ = false;
};

} // namespace rx

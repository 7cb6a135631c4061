#pragma once
// One JavaScript-style regular expression, translated for PCRE2 and
// JIT-compiled when the platform allows it.
#include "platform/regex/MatchContext.h"

#include <string>
#include <string_view>

namespace rx {

class CompiledPattern {
public:
    // Raises RegexSyntax when the text is not a valid expression.
    explicit CompiledPattern(std::string_view pattern);
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // True when the pattern matches anywhere in the value.
    bool matches(std::string_view value, const MatchContext& mc) const;

private:
    static pcre2_code* compile(const std::string& translated, uint32_t options);
    int confirm(std::string_view value, const MatchContext& mc) const;
    std::size_t hopelessTail(std::string_view value) const;
    static int run(const pcre2_code* code, bool jit, std::string_view value,
                   const MatchContext& mc);

    pcre2_code* code_ = nullptr;
    bool jit_ = false;
    // Compiled without start-up optimisations, to confirm a miss.
    pcre2_code* sure_ = nullptr;
    bool sureJit_ = false;
    // Every miss is confirmed by sure_, never the interpreter.
    bool sureFirst_ = false;
    // What the compile found every match needs: its minimum length, and a
    // character at or after its start.
    uint32_t minLength_ = 0;
    bool hasRequired_ = false;
    uint32_t required_ = 0;
};

} // namespace rx

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
    static int run(const pcre2_code* code, bool jit, std::string_view value,
                   const MatchContext& mc);

    pcre2_code* code_ = nullptr;
    bool jit_ = false;
    // Compiled without start-up optimisations, to confirm a miss.
    pcre2_code* sure_ = nullptr;
    bool sureJit_ = false;
    // The miss of a long value is confirmed by sure_ too, not the interpreter.
    bool sureFirst_ = false;
};

} // namespace rx

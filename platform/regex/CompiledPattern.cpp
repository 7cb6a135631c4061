#include "platform/regex/CompiledPattern.h"

#include "platform/regex/PatternParser.h"
#include "platform/regex/PatternWriter.h"
#include "platform/runtime/RuntimeError.h"

#include <algorithm>

namespace rx {

namespace {
// The translated pattern spells out every character set, anchor and escape,
// so PCRE2's options matter little: UTF mode, a reference to an unset group
// matches the empty text as in the JavaScript-style engine, and invalid
// UTF-8 in a value simply does not match instead of failing.
constexpr uint32_t kOptions = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_MATCH_UNSET_BACKREF;

// Up to this many bytes, trying every start position costs little.
constexpr std::size_t kShortValue = 1024;

PCRE2_SPTR units(std::string_view s) {
    return reinterpret_cast<PCRE2_SPTR>(s.data());
}
} // namespace

// PCRE2 10.42's start-up optimisations (fixed upstream later) can make its
// JIT miss a match, never find one that is not there: a match is trusted, a
// miss is confirmed by a compile without them. Without them every start
// position is tried, which on a long value can take the square of its length
// where the compile's minimum length or required character would reject at
// once; where those leave a long tail of the value hopeless, the miss of an
// unanchored pattern is confirmed by the interpreter, right where the JIT
// errs and keeping the optimisations, but many times slower than a JIT
// elsewhere. After a positive lookahead the interpreter errs too, wanting a
// character the lookahead saw twice: there only the compile without them
// confirms.
CompiledPattern::CompiledPattern(std::string_view pattern) {
    const PatternTree tree = PatternParser(pattern).parse();
    PatternWriter writer(tree);
    const std::string translated = writer.write();
    code_ = compile(translated, kOptions);
    jit_ = pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0;
    try {
        sure_ = compile(translated, kOptions | PCRE2_NO_START_OPTIMIZE);
    } catch (...) {
        pcre2_code_free(code_);
        throw;
    }
    sureJit_ = pcre2_jit_compile(sure_, PCRE2_JIT_COMPLETE) == 0;
    uint32_t options = 0;
    pcre2_pattern_info(code_, PCRE2_INFO_ALLOPTIONS, &options);
    // One start position only: nothing to skip, so nothing lost without them.
    sureFirst_ = writer.hasLookahead() || (options & PCRE2_ANCHORED);
    pcre2_pattern_info(code_, PCRE2_INFO_MINLENGTH, &minLength_);
    uint32_t required = 0;
    pcre2_pattern_info(code_, PCRE2_INFO_LASTCODETYPE, &required);
    if (required)
        pcre2_pattern_info(code_, PCRE2_INFO_LASTCODEUNIT, &required_);
    hasRequired_ = required != 0;
}

pcre2_code* CompiledPattern::compile(const std::string& translated, uint32_t options) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* compiled =
        pcre2_compile(units(translated), translated.size(), options, &code, &offset, nullptr);
    if (!compiled)
        rt::raise(rt::err::RegexSyntax);
    return compiled;
}

CompiledPattern::~CompiledPattern() {
    pcre2_code_free(sure_);
    pcre2_code_free(code_);
}

bool CompiledPattern::matches(std::string_view value, const MatchContext& mc) const {
    int rc = run(code_, jit_, value, mc);
    if (rc == PCRE2_ERROR_NOMATCH)
        rc = confirm(value, mc);
    if (rc >= 0)
        return true;
    if (rc == PCRE2_ERROR_NOMATCH)
        return false;
    rt::raise(rt::err::OutOfMemory);
}

int CompiledPattern::confirm(std::string_view value, const MatchContext& mc) const {
    if (sureFirst_ || value.size() <= kShortValue)
        return run(sure_, sureJit_, value, mc);
    const std::size_t hopeless = hopelessTail(value);
    if (hopeless >= value.size())
        return PCRE2_ERROR_NOMATCH;
    // Start positions in a short tail cost what a short value costs.
    if (hopeless <= kShortValue)
        return run(sure_, sureJit_, value, mc);
    int rc = run(code_, false, value, mc);
    // The interpreter counts every backtracking step against the limit
    // and can reach it where the JIT does not.
    if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT)
        rc = run(sure_, sureJit_, value, mc);
    return rc;
}

// The interpreter's own tests, in bytes as it makes them: a match needs
// the minimum length from its start, and the required character at or
// after it.
std::size_t CompiledPattern::hopelessTail(std::string_view value) const {
    if (value.size() < minLength_)
        return value.size();
    std::size_t tail = minLength_ ? minLength_ - 1 : 0;
    if (hasRequired_) {
        const std::size_t last = value.rfind(static_cast<char>(required_));
        if (last == std::string_view::npos)
            return value.size();
        tail = std::max(tail, value.size() - last - 1);
    }
    return tail;
}

int CompiledPattern::run(const pcre2_code* code, bool jit, std::string_view value,
                         const MatchContext& mc) {
    int rc = PCRE2_ERROR_JIT_STACKLIMIT;
    if (jit)
        rc = pcre2_jit_match(code, units(value), value.size(), 0, 0, mc.data(), mc.context());
    // A value too deep for the JIT stack goes to the interpreter, whose
    // backtracking lives on the heap, rather than being called a non-match.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
        rc =
            pcre2_match(code, units(value), value.size(), 0, PCRE2_NO_JIT, mc.data(), mc.context());
    return rc;
}

} // namespace rx

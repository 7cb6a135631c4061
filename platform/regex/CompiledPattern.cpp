#include "platform/regex/CompiledPattern.h"

#include "platform/regex/PatternParser.h"
#include "platform/regex/PatternWriter.h"
#include "platform/runtime/RuntimeError.h"

namespace rx {

namespace {
// The translated pattern spells out every character set, anchor and escape,
// so PCRE2's options matter little: UTF mode, a reference to an unset group
// matches the empty text as in the JavaScript-style engine, and invalid
// UTF-8 in a value simply does not match instead of failing.
constexpr uint32_t kOptions = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_MATCH_UNSET_BACKREF;

PCRE2_SPTR units(std::string_view s) {
    return reinterpret_cast<PCRE2_SPTR>(s.data());
}
} // namespace

CompiledPattern::CompiledPattern(std::string_view pattern) {
    const PatternTree tree = PatternParser(pattern).parse();
    PatternWriter writer(tree);
    const std::string translated = writer.write();
    // PCRE2 10.42's JIT can miss a match after a choice with an empty branch
    // (fixed in 10.43); without the start-up scan it finds it.
    const uint32_t options = kOptions | (writer.hasEmptyBranch() ? PCRE2_NO_START_OPTIMIZE : 0);
    int code = 0;
    PCRE2_SIZE offset = 0;
    code_ = pcre2_compile(units(translated), translated.size(), options, &code, &offset, nullptr);
    if (!code_)
        rt::raise(rt::err::RegexSyntax);
    jit_ = pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0;
}

CompiledPattern::~CompiledPattern() {
    pcre2_code_free(code_);
}

bool CompiledPattern::matches(std::string_view value, const MatchContext& mc) const {
    int rc = PCRE2_ERROR_JIT_STACKLIMIT;
    if (jit_)
        rc = pcre2_jit_match(code_, units(value), value.size(), 0, 0, mc.data(), mc.context());
    // A value too deep for the JIT stack goes to the interpreter, whose
    // backtracking lives on the heap, rather than being called a non-match.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
        rc = interpret(value, mc);
    if (rc >= 0)
        return true;
    if (rc == PCRE2_ERROR_NOMATCH)
        return false;
    rt::raise(rt::err::OutOfMemory);
}

int CompiledPattern::interpret(std::string_view value, const MatchContext& mc) const {
    return pcre2_match(code_, units(value), value.size(), 0, PCRE2_NO_JIT, mc.data(), mc.context());
}

} // namespace rx

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
    // A positive lookahead can lead PCRE2 10.42's start-up checks to want a
    // character twice that the value holds once, on the JIT and the
    // interpreter alike: such patterns go without those checks.
    if (writer.hasLookahead()) {
        code_ = compile(translated, kOptions | PCRE2_NO_START_OPTIMIZE);
    } else {
        code_ = compile(translated, kOptions);
        // PCRE2 10.42's JIT can miss a match after a choice with an empty
        // branch (fixed in 10.43). Without its start-up optimisations it finds
        // it, but tries every start position to the end of the value,
        // quadratic on long values; so only an anchored pattern takes that
        // way, and the rest go to the interpreter, which answers right with
        // its optimisations.
        if (writer.hasEmptyBranch()) {
            uint32_t options = 0;
            pcre2_pattern_info(code_, PCRE2_INFO_ALLOPTIONS, &options);
            if (!(options & PCRE2_ANCHORED))
                return;
            pcre2_code_free(code_);
            code_ = compile(translated, kOptions | PCRE2_NO_START_OPTIMIZE);
        }
    }
    jit_ = pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0;
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

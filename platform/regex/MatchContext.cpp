#include "platform/regex/MatchContext.h"

#include "platform/runtime/RuntimeError.h"

namespace rx {

namespace {
constexpr PCRE2_SIZE kStackStart = 32 * 1024;

// The translated pattern's callouts name groups by number. "r" ends a
// repetition that must not match the empty text, r having captured where it
// began. "=a,b" and "!a,b" hold when the two groups start at the same place
// or not.
int check(pcre2_callout_block* block, void*) {
    if (!block->callout_string)
        return 0;
    std::size_t groups[2] = {0, 0};
    std::size_t n = 0;
    PCRE2_UCHAR kind = 0;
    for (PCRE2_SIZE i = 0; i < block->callout_string_length; ++i) {
        const PCRE2_UCHAR c = block->callout_string[i];
        if (c == '=' || c == '!')
            kind = c;
        else if (c == ',')
            n = 1;
        else
            groups[n] = groups[n] * 10 + (c - '0');
    }
    auto start = [block](std::size_t group) {
        return group < block->capture_top ? block->offset_vector[2 * group] : PCRE2_UNSET;
    };
    if (kind != 0)
        return (start(groups[0]) == start(groups[1])) == (kind == '=') ? 0 : 1;
    return start(groups[0]) == block->current_position ? 1 : 0;
}
} // namespace

MatchContext::MatchContext(std::size_t stackMax) {
    stack_ = pcre2_jit_stack_create(kStackStart, stackMax, nullptr);
    context_ = pcre2_match_context_create(nullptr);
    // One pair is enough: only whether the pattern matched is asked.
    data_ = pcre2_match_data_create(1, nullptr);
    if (!context_ || !data_) {
        release();
        rt::raise(rt::err::OutOfMemory);
    }
    if (stack_)
        pcre2_jit_stack_assign(context_, nullptr, stack_);
    pcre2_set_callout(context_, check, nullptr);
}

MatchContext::~MatchContext() {
    release();
}

void MatchContext::release() noexcept {
    pcre2_match_data_free(data_);
    pcre2_match_context_free(context_);
    pcre2_jit_stack_free(stack_);
    data_ = nullptr;
    context_ = nullptr;
    stack_ = nullptr;
}

} // namespace rx

#include "platform/regex/MatchContext.h"

#include "platform/runtime/RuntimeError.h"

namespace rx {

namespace {
constexpr PCRE2_SIZE kStackStart = 32 * 1024;

// The translated pattern ends a repetition that must not match the empty text
// with a callout naming the group that captured where the repetition began,
// after, if any, the group that captured where the whole repeat began: a
// repetition that ends where it began fails unless it is the repeat's first.
int emptyRepetition(pcre2_callout_block* block, void*) {
    std::size_t groups[2] = {0, 0};
    std::size_t n = 0;
    for (PCRE2_SIZE i = 0; i < block->callout_string_length; ++i) {
        const PCRE2_UCHAR c = block->callout_string[i];
        if (c == ',')
            n = 1;
        else
            groups[n] = groups[n] * 10 + (c - '0');
    }
    const std::size_t repetition = groups[n];
    if (!block->callout_string || repetition >= block->capture_top)
        return 0;
    const PCRE2_SIZE start = block->offset_vector[2 * repetition];
    if (start != block->current_position)
        return 0;
    return n == 0 || block->offset_vector[2 * groups[0]] != start ? 1 : 0;
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
    pcre2_set_callout(context_, emptyRepetition, nullptr);
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

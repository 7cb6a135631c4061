#include "platform/regex/MatchContext.h"

#include "platform/runtime/RuntimeError.h"

namespace rx {

namespace {
constexpr PCRE2_SIZE kStackStart = 32 * 1024;
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

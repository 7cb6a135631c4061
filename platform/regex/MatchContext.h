#pragma once
// What every match needs besides the pattern: a JIT stack big enough for the
// longest value a field can hold (32,767 characters), the match context that
// carries it, and one match block reused for every call.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstddef>

namespace rx {

class MatchContext {
public:
    // Reserved up front and committed as it grows, so a generous maximum
    // costs nothing for short values.
    static constexpr std::size_t kStackMax = 64 * 1024 * 1024;

    // The JIT stack grows up to stackMax bytes.
    explicit MatchContext(std::size_t stackMax = kStackMax);
    ~MatchContext();
    MatchContext(const MatchContext&) = delete;
    MatchContext& operator=(const MatchContext&) = delete;

    pcre2_match_context* context() const { return context_; }
    pcre2_match_data* data() const { return data_; }

private:
    void release() noexcept;

    pcre2_jit_stack* stack_ = nullptr;
    pcre2_match_context* context_ = nullptr;
    pcre2_match_data* data_ = nullptr;
};

} // namespace rx

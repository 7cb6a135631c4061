#pragma once
// Compiled patterns kept per expression text for the life of the program:
// the same few expressions are tested once per field of every line. At most
// kMaximo are kept: the next one empties the cache, so a reference from get()
// holds until the next get(). Used on the user-interface thread only, so it
// takes no lock.
#include "platform/regex/CompiledPattern.h"
#include "platform/regex/MatchContext.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace rx {

class PatternCache {
public:
    static PatternCache& instance();

    // The compiled pattern for the text; raises RegexSyntax when it does not compile.
    const CompiledPattern& get(std::string_view pattern);
    const MatchContext& matchContext() const { return context_; }
    std::size_t size() const { return patterns_.size(); }

    static constexpr std::size_t kMaximo = 1024;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    using Map =
        std::unordered_map<std::string, std::unique_ptr<CompiledPattern>, Hash, std::equal_to<>>;

    MatchContext context_;
    Map patterns_;
    // Consecutive calls usually test the same field's expression.
    const std::string* lastText_ = nullptr;
    const CompiledPattern* last_ = nullptr;
};

} // namespace rx

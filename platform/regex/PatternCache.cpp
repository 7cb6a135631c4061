#include "platform/regex/PatternCache.h"

namespace rx {

PatternCache& PatternCache::instance() {
    static PatternCache cache;
    return cache;
}

const CompiledPattern& PatternCache::get(std::string_view pattern) {
    if (last_ && *lastText_ == pattern)
        return *last_;
    auto it = patterns_.find(pattern);
    if (it == patterns_.end()) {
        // Compiled before inserting: a text that does not compile is not kept.
        auto compiled = std::make_unique<CompiledPattern>(pattern);
        // Reference data holds a few dozen expressions; a caller that tests
        // endless new ones starts afresh rather than growing without end.
        if (patterns_.size() >= kMaximo)
            patterns_.clear();
        it = patterns_.emplace(std::string(pattern), std::move(compiled)).first;
    }
    lastText_ = &it->first;
    last_ = it->second.get();
    return *last_;
}

} // namespace rx

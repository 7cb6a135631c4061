#include "platform/regex/RegExp.h"

#include "platform/regex/PatternCache.h"

namespace rx {

bool RegExp::Test(std::string_view value) const {
    return Test(pattern_, value);
}

bool RegExp::Test(std::string_view pattern, std::string_view value) {
    PatternCache& cache = PatternCache::instance();
    return cache.get(pattern).matches(value, cache.matchContext());
}

} // namespace rx

#pragma once
// The regular-expression object the value rules use: set the Pattern, then
// Test a value. Test is true when the pattern matches anywhere in the value;
// matching is case-sensitive. A pattern that does not compile raises
// rt::RuntimeError RegexSyntax at Test.
#include <string>
#include <string_view>

namespace rx {

class RegExp {
public:
    RegExp() = default;
    explicit RegExp(std::string_view pattern) : pattern_(pattern) {}

    void Pattern(std::string_view pattern) { pattern_ = pattern; }
    const std::string& Pattern() const { return pattern_; }

    bool Test(std::string_view value) const;

    // The same test without an object, for callers that hold the text already.
    static bool Test(std::string_view pattern, std::string_view value);

private:
    std::string pattern_;
};

} // namespace rx

#pragma once
// Val, the numeric test and checked 16-bit integers, with fixed rules that do
// not depend on the process locale.
#include <cstdint>
#include <string_view>

namespace rt {

// The leading number of a text: blanks skipped (also between digits), sign,
// digits, "." as decimal point, exponent; 0 when the text begins with none.
double Val(std::string_view text);

// Blanks around, a sign, digits with optional "," thousands separators among
// the integer digits, an optional "." with decimals, an optional exponent.
// The empty text is not numeric.
bool IsNumeric(std::string_view text);

// A whole number held as a 16-bit signed integer: error 6 beyond -32768..32767.
std::int16_t CInt16(long long value);

class Int16 {
public:
    Int16() = default;
    Int16(long long v) : v_(CInt16(v)) {} // NOLINT: converting on purpose
    operator std::int16_t() const { return v_; }
    std::int16_t value() const { return v_; }
    Int16& operator++() {
        v_ = CInt16(static_cast<long long>(v_) + 1);
        return *this;
    }
    Int16& operator+=(long long d) {
        v_ = CInt16(v_ + d);
        return *this;
    }
    Int16& operator-=(long long d) {
        v_ = CInt16(v_ - d);
        return *this;
    }

private:
    std::int16_t v_ = 0;
};

} // namespace rt

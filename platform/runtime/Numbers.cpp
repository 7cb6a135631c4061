#include "platform/runtime/Numbers.h"

#include "platform/runtime/RuntimeError.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace rt {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isExponentMark(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// The characters of text that Val reads, blanks removed, in the C syntax.
std::string leadingNumber(std::string_view text) {
    std::string out;
    bool digits = false, point = false, exponent = false, expDigits = false;
    std::size_t expAt = 0;
    for (char c : text) {
        if (isBlank(c))
            continue;
        const bool atStart = out.empty() || (exponent && out.size() == expAt + 1);
        if ((c == '+' || c == '-') && atStart) {
            out.push_back(c);
        } else if (isDigit(c)) {
            out.push_back(c);
            (exponent ? expDigits : digits) = true;
        } else if (c == '.' && !point && !exponent) {
            out.push_back(c);
            point = true;
        } else if (isExponentMark(c) && digits && !exponent) {
            expAt = out.size();
            out.push_back('e');
            exponent = true;
        } else {
            break;
        }
    }
    if (exponent && !expDigits)
        out.resize(expAt);
    return digits ? out : std::string();
}
// A plain decimal of at most 15 digits ("-12", "3.50", ".5"): its digits are
// a whole number below 2^53 and the power of ten is exact, so the one
// division is rounded exactly as the full reading rounds. nullopt otherwise.
std::optional<double> plainDecimal(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    std::uint64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15)
        return std::nullopt;
    static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(digits) / kTens[decimals];
    return negative ? -value : value;
}

} // namespace

double Val(std::string_view text) {
    if (const std::optional<double> plain = plainDecimal(text))
        return *plain;
    std::string number = leadingNumber(text);
    if (number.empty())
        return 0.0;
    const char* first = number.data();
    if (*first == '+')
        ++first;
    double value = 0.0;
    std::from_chars(first, number.data() + number.size(), value);
    return value;
}

bool IsNumeric(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    std::size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false;
    bool intDigits = false;
    while (i < e && (isDigit(text[i]) || (text[i] == ',' && intDigits))) {
        intDigits = intDigits || isDigit(text[i]);
        ++i;
    }
    digits = intDigits;
    if (i < e && text[i] == '.') {
        ++i;
        while (i < e && isDigit(text[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return false;
    if (i < e && isExponentMark(text[i])) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            ++i;
        bool expDigits = false;
        while (i < e && isDigit(text[i])) {
            expDigits = true;
            ++i;
        }
        if (!expDigits)
            return false;
    }
    return i == e;
}

std::int16_t CInt16(long long value) {
    if (value < -32768 || value > 32767)
        raise(err::Overflow);
    return static_cast<std::int16_t>(value);
}

} // namespace rt

#include "platform/runtime/RuntimeError.h"
#include "shell/CFuncGral.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Case {
    const char* name;
    std::string valor, tipo, longitud, decimales, expresion;
    bool valido;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ValidoValor : public ::testing::TestWithParam<Case> {};

TEST_P(ValidoValor, Verdict) {
    const Case& c = GetParam();
    CFuncGral f;
    EXPECT_EQ(f.ValidoValor(c.valor, c.tipo, c.longitud, c.decimales, c.expresion), c.valido)
        << "value \"" << c.valor << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Decimales, ValidoValor,
    ::testing::Values(Case{"Fits", "123.45", "N", "5", "2", "", true},
                      Case{"IntegerPartTooLong", "1234.5", "N", "5", "2", "", false},
                      Case{"DecimalPartTooLong", "123.456", "N", "5", "2", "", false},
                      Case{"NoPointAllInteger", "12345", "N", "5", "2", "", false},
                      Case{"SignCounts", "-12.5", "N", "5", "2", "", true},
                      Case{"NothingBeforePoint", ".5", "N", "5", "2", "", true},
                      Case{"NotNumeric", "12a.5", "N", "5", "2", "", false},
                      Case{"EmptyNotNumeric", "", "N", "5", "2", "", false},
                      Case{"OnlyDecimalsAllowed", ".25", "N", "2", "2", "", true},
                      Case{"ZeroBeforePointTooLong", "0.25", "N", "2", "2", "", false},
                      Case{"MoreDecimalsThanLength", ".5", "N", "1", "2", "", true},
                      Case{"MoreDecimalsThanLengthDigitBefore", "0.5", "N", "1", "2", "", false},
                      Case{"MoreDecimalsThanLengthNoPoint", "5", "N", "1", "2", "", false},
                      Case{"ThousandsCountInIntegerPart", "1,234.5", "N", "5", "1", "", false},
                      Case{"LengthWithBlanksReadByVal", "123.45", "N", " 5", " 2", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Enteros, ValidoValor,
    ::testing::Values(Case{"Fits", "123", "N", "3", "0", "", true},
                      Case{"Negative", "-12", "N", "3", "0", "", true},
                      Case{"TooLong", "1234", "N", "3", "0", "", false},
                      Case{"TrailingPoint", "12.", "N", "3", "0", "", false},
                      Case{"Comma", "1,2", "N", "3", "0", "", false},
                      Case{"Empty", "", "N", "3", "0", "", false},
                      Case{"TwoZerosTakeIntegerRule", "12.5", "N", "5", "00", "", false},
                      Case{"TwoZerosFits", "125", "N", "5", "00", "", true},
                      Case{"DecimalesNotANumberIsZero", "1.5", "N", "5", "x", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Texto, ValidoValor,
    ::testing::Values(Case{"ThreeLetters", "abc", "C", "3", "0", "", true},
                      Case{"Empty", "", "C", "3", "0", "", true},
                      Case{"FourLetters", "abcd", "C", "3", "0", "", false},
                      Case{"AccentedCountAsOne", "\xc3\xa1\xc3\xa9\xc3\xad", "C", "3", "0", "",
                           true},
                      Case{"LongitudNotANumberEmpty", "", "C", "x", "0", "", true},
                      Case{"LongitudNotANumberFilled", "a", "C", "x", "0", "", false},
                      Case{"LongitudWithText", "abcd", "C", "4 chars", "0", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(OtrosTipos, ValidoValor,
                         ::testing::Values(Case{"FechaAnyValue", "no es fecha", "D", "8", "0", "",
                                                true},
                                           Case{"LowerN", "abc", "n", "1", "0", "", true},
                                           Case{"LowerC", "abcdef", "c", "1", "0", "", true},
                                           Case{"PaddedN", "abc", " N", "1", "0", "", true}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Expresion, ValidoValor,
    ::testing::Values(Case{"ReplacesLengthRule", "123", "C", "2", "0", "^[0-9]{3}$", true},
                      Case{"TwoDigits", "12", "C", "2", "0", "^[0-9]{2}$", true},
                      Case{"LetterInDigits", "1a", "C", "2", "0", "^[0-9]{2}$", false},
                      Case{"Unanchored", "a1b", "C", "3", "0", "[0-9]", true},
                      Case{"NoCaseFolding", "abc", "C", "3", "0", "^[A-Z]+$", false},
                      Case{"ReplacesNumericRule", "abc", "N", "5", "2", "^[a-z]+$", true},
                      Case{"RejectsWhatRulesAccept", "123", "N", "5", "0", "^[a-z]+$", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValidoValorError, PatternThatDoesNotCompileReachesCaller) {
    CFuncGral f;
    try {
        f.ValidoValor("abc", "C", "3", "0", "([a-z]");
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::RegexSyntax);
    }
}

} // namespace

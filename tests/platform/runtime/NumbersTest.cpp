#include "platform/runtime/Numbers.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

TEST(Numbers, Val) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},          {"abc", 0},  {"12", 12},   {"  12abc", 12}, {"1 2 3", 123},
        {"-12.5", -12.5}, {"+7", 7},   {".5", 0.5},  {"1.2.3", 1.2},  {"1e3", 1000},
        {"1E", 1},        {"1,5", 1},  {"-", 0},     {"00012", 12},   {"12 .5", 12.5},
        {"unbounded", 0}, {"3.0x", 3}, {"2D2", 200}, {"\t4", 4},      {"1e-2", 0.01},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(rt::Val(c.text), c.value) << '"' << c.text << '"';
}

// Plain decimals are read to the same bits as the C library reads them,
// whichever way Val takes.
TEST(Numbers, ValRoundsPlainDecimalsExactly) {
    for (const char* text :
         {"0.1", "0.3", "-0.7", "123456789012345", "999999999999999.", "1234567.891",
          "0.000000000000001", "+7.25", "1.2345678901234", "9007199254740993", "0.1234567890123456",
          "4503599627370497.5", "12345678901234567890", "2.2250738585072014", "100.01", "-5."}) {
        const double val = rt::Val(text), c = std::strtod(text, nullptr);
        EXPECT_EQ(std::memcmp(&val, &c, sizeof val), 0) << text;
    }
    EXPECT_TRUE(std::signbit(rt::Val("-0")));
    EXPECT_TRUE(std::signbit(rt::Val("-0.00")));
    EXPECT_FALSE(std::signbit(rt::Val("+0")));
}

TEST(Numbers, IsNumeric) {
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {"", false},    {" ", false},      {"12", true},   {" 12 ", true},   {"-12", true},
        {"+1.5", true}, {"1,234.5", true}, {"1,2", true},  {"12.", true},    {".5", true},
        {".", false},   {"1e5", true},     {"1e", false},  {"abc", false},   {"12a", false},
        {"1 2", false}, {",1", false},     {"--1", false}, {"1.2.3", false}, {"1E+02", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rt::IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(Numbers, SixteenBitLimits) {
    EXPECT_EQ(rt::CInt16(32767), 32767);
    EXPECT_EQ(rt::CInt16(-32768), -32768);
    for (long long v : {32768LL, -32769LL, 100000LL}) {
        try {
            rt::CInt16(v);
            ADD_FAILURE() << v;
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), 6);
            EXPECT_EQ(e.description(), "Desbordamiento");
        }
    }
    rt::Int16 pos = 32766;
    ++pos;
    EXPECT_THROW(++pos, rt::RuntimeError);
}

} // namespace

#include "platform/runtime/Numbers.h"
#include "platform/runtime/RuntimeError.h"

#include <gtest/gtest.h>

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

#include "platform/runtime/RuntimeError.h"
#include "shell/CFuncGral.h"

#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using testenv::repeat;

struct Case {
    const char* name;
    std::string linea;
    int total;
};

// Test names show the case's name instead of its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class TotalSeparador : public ::testing::TestWithParam<Case> {};

TEST_P(TotalSeparador, Counts) {
    CFuncGral f;
    EXPECT_EQ(f.TotalSeparador(GetParam().linea), GetParam().total);
}

const std::string kEnye = "\xc3\xb1";

INSTANTIATE_TEST_SUITE_P(
    Lines, TotalSeparador,
    ::testing::Values(Case{"Record", "01|a|b|", 3}, Case{"TwoAlone", "||", 2}, Case{"Empty", "", 0},
                      Case{"NoSeparator", "01 sin separador", 0},
                      Case{"LastAt32766", std::string(32765, 'a') + "|", 1},
                      Case{"ManyBefore32766", repeat("a|", 16383), 16383},
                      // 32,765 two-byte characters: the "|" is character 32,766.
                      Case{"CountsCharactersNotBytes", repeat(kEnye, 32765) + "|", 1},
                      Case{"LongLineWithoutSeparator", std::string(40000, 'a'), 0},
                      // Bytes one bit away from "|", and bars across eight-byte words.
                      Case{"OnlyBarsCount", repeat("|\xfc\x7d\x7b\x3c" + kEnye, 5) + "|||||||||x",
                           14},
                      Case{"BarsAtWordEdges", "1234567|" + repeat("|", 17) + "abcdefg|", 19}),
    [](const auto& info) { return std::string(info.param.name); });

class TotalSeparadorOverflow : public ::testing::TestWithParam<std::string> {};

TEST_P(TotalSeparadorOverflow, RaisesError6) {
    CFuncGral f;
    try {
        f.TotalSeparador(GetParam());
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::err::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, TotalSeparadorOverflow,
                         ::testing::Values(std::string(32766, 'a') + "|",
                                           std::string(32766, 'a') + "|abc",
                                           "01|" + std::string(40000, 'a') + "|",
                                           repeat(kEnye, 32766) + "|"));

} // namespace

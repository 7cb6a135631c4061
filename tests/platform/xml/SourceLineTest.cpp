#include "platform/xml/SourceLine.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

TEST(SourceLineTest, LinesEndAtLfCrLfOrLoneCr) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file("f.txt"), "one\r\ntwo\rthree\nfour\r\n\r\nsix");
    const struct {
        long line;
        const char* text;
    } cases[] = {{1, "one"}, {2, "two"}, {3, "three"}, {4, "four"},
                 {5, ""},    {6, "six"}, {7, ""},      {0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(xml::sourceLine(dir.file("f.txt"), c.line, 0), c.text) << c.line;
    EXPECT_EQ(xml::sourceLine(dir.file("missing.txt"), 1, 0), "");
}

TEST(SourceLineTest, WindowNeverSplitsACharacter) {
    testenv::TempDir dir;
    std::string line;
    for (int i = 0; i < 2000; ++i)
        line += "\xC3\xB1"; // ñ
    testenv::writeFile(dir.file("f.txt"), line);
    const std::string text = xml::sourceLine(dir.file("f.txt"), 1, 1500);
    EXPECT_EQ(text.size(), 2 * xml::kSourceTextMax);
    EXPECT_EQ(text, line.substr(0, text.size()));
}

} // namespace

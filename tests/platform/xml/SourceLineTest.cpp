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

TEST(SourceLineTest, LongLineKeepsAWindowAroundTheColumn) {
    testenv::TempDir dir;
    std::string line(5000, 'a');
    line.replace(3000, 3, "XYZ");
    testenv::writeFile(dir.file("f.txt"), "first\n" + line + "\n");

    const std::string near = xml::sourceLine(dir.file("f.txt"), 2, 3001);
    EXPECT_EQ(near.size(), xml::kSourceTextMax);
    EXPECT_NE(near.find("XYZ"), std::string::npos);
    EXPECT_EQ(xml::sourceLine(dir.file("f.txt"), 2, 0), line.substr(0, xml::kSourceTextMax));
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

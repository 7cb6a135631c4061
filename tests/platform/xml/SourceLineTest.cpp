#include "platform/xml/SourceLine.h"
#include "platform/xml/LectorSaltos.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

TEST(SourceLineTest, LinesEndAtLfCrLfOrLoneCr) {
    testenv::TempDir dir;
    testenv::writeFile(dir.file("f.txt"), "one\r\ntwo\rthree\nfour\r\n\r\nsix\n\rnine");
    const struct {
        long line;
        const char* text;
    } cases[] = {{1, "one"}, {2, "two"}, {3, "three"}, {4, "four"}, {5, ""},
                 {6, "six"}, {7, ""},    {8, "nine"},  {9, ""},     {0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(xml::sourceLine(dir.file("f.txt"), c.line, 0), c.text) << c.line;
    EXPECT_EQ(xml::sourceLine(dir.file("missing.txt"), 1, 0), "");
    // A byte-order mark is not shown as part of the first line.
    testenv::writeFile(dir.file("m.txt"), "\xEF\xBB\xBF<?xml?>\r<r/>");
    EXPECT_EQ(xml::sourceLine(dir.file("m.txt"), 1, 0), "<?xml?>");
    EXPECT_EQ(xml::sourceLine(dir.file("m.txt"), 2, 0), "<r/>");
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

// The parser gets every byte, in order, a lone CR as LF, whatever the size
// of its reads and wherever a CR LF falls between two of them; without
// unificar, the bytes as they are.
TEST(SourceLineTest, ParserReadsLoneCrAsLf) {
    const struct {
        const char* name;
        std::string bytes;
        std::string unified;
    } cases[] = {
        {"crlf stays", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"lone cr", "a\rb\r", "a\nb\n"},
        {"cr before crlf", "\r\r\n\r", "\n\r\n\n"},
        {"lf then cr", "a\n\rb", "a\n\nb"},
        {"no line end", "abc", "abc"},
    };
    testenv::TempDir dir;
    for (const auto& c : cases)
        for (const bool unificar : {true, false})
            for (std::size_t len = 1; len <= 4; ++len) {
                testenv::writeFile(dir.file("f"), c.bytes);
                const int fd = ::open(dir.file("f").c_str(), O_RDONLY);
                ASSERT_GE(fd, 0);
                xml::LectorSaltos lector(fd, unificar);
                std::string leido;
                char buf[4];
                for (ssize_t n; (n = lector.leer(buf, len)) > 0;)
                    leido.append(buf, static_cast<std::size_t>(n));
                ::close(fd);
                EXPECT_EQ(leido, unificar ? c.unified : c.bytes)
                    << c.name << " reads of " << len << (unificar ? "" : " unchanged");
            }
}

} // namespace

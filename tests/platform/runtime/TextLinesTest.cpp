#include "platform/runtime/TextLines.h"
#include "platform/runtime/LineCounter.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> readAll(const std::string& path) {
    rt::Open(path, rt::OpenMode::Input, 7);
    Lines lines;
    while (!rt::Eof(7))
        lines.push_back(rt::LineInput(7));
    rt::Close(7);
    return lines;
}

struct SplitCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

TEST(TextLines, LineEndsAsTheFileReaderSeesThem) {
    const SplitCase cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"lone lf stays", "a\nb\r\nc", {"a\nb", "c"}},
        {"no final end", "a\r\nb", {"a", "b"}},
        {"two ends at the end", "a\r\n\r\n", {"a", ""}},
        {"cr then crlf", "a\r\r\nb", {"a", "", "b"}},
        {"empty file", "", {}},
        {"only crlf", "\r\n", {""}},
    };
    testenv::TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        testenv::writeFile(path, c.bytes);
        EXPECT_EQ(readAll(path), c.lines) << c.name;
        EXPECT_EQ(rt::splitLines(c.bytes), c.lines) << c.name;
    }
}

// Messages name lines as an editor counts them: a lone LF, which the reader
// keeps inside a line, ends one too. However the text comes in pieces, the
// count is the same.
TEST(TextLines, EditorLinesEndAtCrLfLoneCrOrLoneLf) {
    const struct {
        const char* name;
        std::string bytes;
        std::uint64_t line; // where the text ends
    } cases[] = {
        {"empty", "", 1},
        {"no end", "a", 1},
        {"crlf", "a\r\nb", 2},
        {"lone cr", "a\rb", 2},
        {"lone lf", "a\nb", 2},
        {"lf then cr", "a\n\rb", 3},
        {"cr then crlf", "a\r\r\nb", 3},
        {"two crlf", "\r\n\r\n", 3},
        {"final cr", "a\r", 2},
    };
    for (const auto& c : cases)
        for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
            rt::LineCounter counter;
            counter.feed(std::string_view(c.bytes).substr(0, cut));
            counter.feed(std::string_view(c.bytes).substr(cut));
            EXPECT_EQ(counter.line(), c.line) << c.name << " cut at " << cut;
        }
    // In a file, with a CR LF across the reader's blocks.
    testenv::TempDir dir;
    const std::string bytes = std::string(65535, 'x') + "\r\ny\rz\n";
    testenv::writeFile(dir.file("f"), bytes);
    const int fd = ::open(dir.file("f").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    const struct {
        std::uint64_t offset;
        std::uint64_t line;
    } offsets[] = {{0, 1},     {65535, 1}, {65536, 2},        {65537, 2},
                   {65538, 2}, {65540, 3}, {bytes.size(), 4}, {bytes.size() + 10, 4}};
    for (const auto& o : offsets)
        EXPECT_EQ(rt::LineCounter::lineAt(fd, o.offset), o.line) << o.offset;
    ::close(fd);
}

TEST(TextLines, ByteOrderMarkOnlyAtTheVeryStart) {
    const std::string bom = "\xEF\xBB\xBF";
    const SplitCase cases[] = {
        {"mark then lines", bom + "01|a|\r\nb", {"01|a|", "b"}},
        {"mark alone", bom, {}},
        {"mark then empty line", bom + "\r\n", {""}},
        {"only the first mark", bom + bom + "a", {bom + "a"}},
        {"mark on the second line", "a\r\n" + bom + "b", {"a", bom + "b"}},
        {"part of a mark", "\xEF\xBB", {"\xEF\xBB"}},
        {"no mark", "\xEF\xBB\xBE", {"\xEF\xBB\xBE"}},
    };
    testenv::TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        testenv::writeFile(path, c.bytes);
        rt::Open(path, rt::OpenMode::Input, 7);
        rt::InputReader(7).skipByteOrderMark();
        Lines lines;
        while (!rt::Eof(7))
            lines.push_back(rt::LineInput(7));
        // Too late once a line was read.
        rt::InputReader(7).skipByteOrderMark();
        rt::Close(7);
        EXPECT_EQ(lines, c.lines) << c.name;
    }
    // Without the call the mark stays in the first line.
    testenv::writeFile(dir.file("plain"), bom + "a");
    EXPECT_EQ(readAll(dir.file("plain")), Lines{bom + "a"});
}

TEST(TextLines, LongLinesCrossTheReadBuffer) {
    testenv::TempDir dir;
    // A CR right at the end of the first read chunk, LF at the start of the next.
    std::string first(65535, 'x');
    const std::string bytes = first + "\r\n" + std::string(200000, 'y') + "\r\nz";
    testenv::writeFile(dir.file("long"), bytes);
    const Lines lines = readAll(dir.file("long"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1].size(), 200000u);
    EXPECT_EQ(lines[2], "z");
}

// A data line holds at most its first 32,767 characters, decoded as the
// whole line decides, and of the rest its length, "|" count and blankness:
// the same facts as the whole line read and decoded.
TEST(TextLines, DataLinesKeepTheFactsOfTheWholeLine) {
    const std::string n = "\xc3\xb1"; // ñ in UTF-8
    std::string utf8Long;
    for (int i = 0; i < 40000; ++i)
        utf8Long += n;
    const std::string lines[] = {
        "01|a|b|",
        "",
        "   ",
        std::string(32767, 'a'),
        std::string(32768, 'a'),
        std::string(40000, 'a') + "|x|",
        std::string(100000, ' '),
        std::string(100000, ' ') + "x",
        "|" + std::string(70000, ' ') + "|",
        utf8Long + "|",
        // Valid UTF-8 up to a Windows-1252 byte far beyond the held part.
        utf8Long + "\xf1",
        std::string(65534, 'a') + "\xc3",
        "a\nb|" + std::string(33000, '\t') + "|",
    };
    testenv::TempDir dir;
    std::string bytes;
    for (const auto& l : lines)
        bytes += l + "\r\n";
    testenv::writeFile(dir.file("data"), bytes);
    const Lines whole = readAll(dir.file("data"));
    ASSERT_EQ(whole.size(), std::size(lines));
    rt::Open(dir.file("data"), rt::OpenMode::Input, 7);
    rt::DataLine line;
    for (const std::string& raw : whole) {
        ASSERT_TRUE(rt::InputReader(7).nextData(line));
        const std::string decoded = rt::decodeDataLine(raw);
        const std::string held = rt::left(decoded, rt::DataLine::kHeldChars);
        EXPECT_EQ(line.text, held);
        EXPECT_EQ(line.length, rt::charLength(decoded));
        EXPECT_EQ(line.cut(), rt::charLength(decoded) > rt::DataLine::kHeldChars);
        EXPECT_EQ(line.barsBeyond,
                  static_cast<std::size_t>(std::count(decoded.begin(), decoded.end(), '|') -
                                           std::count(held.begin(), held.end(), '|')));
        EXPECT_EQ(line.blank, rt::trim(decoded).empty());
    }
    EXPECT_FALSE(rt::InputReader(7).nextData(line));
    rt::Close(7);
}

TEST(TextLines, WindowsAnsiAndUtf8LinesDecodeToTheSameText) {
    const std::string utf8 = "Peña Ñandú €5 “x”";
    const std::string cp1252 = "Pe\xF1"
                               "a \xD1"
                               "and\xFA \x80"
                               "5 \x93x\x94";
    EXPECT_FALSE(rt::isValidUtf8(cp1252));
    EXPECT_TRUE(rt::isValidUtf8(utf8));
    EXPECT_EQ(rt::decodeDataLine(cp1252), utf8);
    EXPECT_EQ(rt::decodeDataLine(utf8), utf8);
    EXPECT_EQ(rt::charLength(utf8), 17u);
}

TEST(TextLines, InvalidUtf8FormsAreRefused) {
    const char* bad[] = {"\xC0\xAF",         "\xE0\x80\xAF", "\xED\xA0\x80",
                         "\xF4\x90\x80\x80", "\xC3",         "a\xE2\x82"};
    for (const char* b : bad)
        EXPECT_FALSE(rt::isValidUtf8(b)) << b;
}

TEST(TextLines, CharacterPositions) {
    const std::string s = "añb€c";
    EXPECT_EQ(rt::mid(s, 2, 3), "ñb€");
    EXPECT_EQ(rt::mid(s, 5, 10), "c");
    EXPECT_EQ(rt::mid(s, 9, 2), "");
    EXPECT_EQ(rt::left(s, 2), "añ");
    EXPECT_EQ(rt::trim("  a b  "), "a b");
    EXPECT_EQ(rt::upper("ñandú m"), "ÑANDÚ M");
    EXPECT_EQ(rt::lower("UNBOUNDED Ñ"), "unbounded ñ");
}

} // namespace

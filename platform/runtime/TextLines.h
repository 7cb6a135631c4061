#pragma once
// Reading text lines from a file the classic way, and the text model of data
// files: a line that is valid UTF-8 is taken as UTF-8, any other as
// Windows-1252; inside the program all text is UTF-8 and lengths and positions
// count characters (code points), not bytes.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Buffered line reader over an open file descriptor; owns the descriptor.
class LineReader {
public:
    explicit LineReader(int fd);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool atEnd();
    // Next line without its end (CR LF or lone CR); false when at the end.
    bool next(std::string& line);
    // Before the first read of a data file: a UTF-8 byte-order mark at its
    // very start belongs to no line.
    void skipByteOrderMark();

private:
    bool fill();
    int fd_;
    std::string buf_;
    std::size_t pos_ = 0;
    bool eofSeen_ = false;
    bool atStart_ = true;
};

// Splits a whole text into lines as the reader would.
std::vector<std::string> splitLines(std::string_view text);

bool isValidUtf8(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// A data-file line as text: unchanged (and not copied) when valid UTF-8, else
// read as Windows-1252.
std::string decodeDataLine(std::string raw);

// Character-based helpers on UTF-8 text.
std::size_t charLength(std::string_view utf8);
// Byte offset of the character with 0-based index charIndex (size() when past the end).
std::size_t byteOffset(std::string_view utf8, std::size_t charIndex);
// Mid(s, start, count) with start 1-based, in characters; shorter at the end.
std::string mid(std::string_view utf8, std::size_t start, std::size_t count);
std::string left(std::string_view utf8, std::size_t count);
// Leading and trailing blanks (code 32) removed.
std::string_view trim(std::string_view s);
std::string upper(std::string_view utf8); // ASCII letters and Latin-1 letters
std::string lower(std::string_view utf8);

} // namespace rt

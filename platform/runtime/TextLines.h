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

// A line of a data file as the validators read it. No check reads beyond
// character 32,767, so only that much of the text is held; of the rest only
// what the checks ask: the length, the "|" count and whether it is blank.
// The decoding (UTF-8 if the whole line is valid UTF-8, else Windows-1252)
// is decided over the whole line.
struct DataLine {
    static constexpr std::size_t kHeldChars = 32767;
    std::string text;           // the first kHeldChars characters, decoded
    std::size_t length = 0;     // characters of the whole line
    std::size_t barsBeyond = 0; // "|" after text
    bool blank = true;          // blanks only, or nothing, over the whole line
    bool cut() const { return length > kHeldChars; }
};

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
    // The next line as a data line; false when at the end. Memory stays
    // bounded whatever the line's length.
    bool nextData(DataLine& line);
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
// The whole of a short line (at most DataLine::kHeldChars bytes).
void decodeDataLine(std::string_view raw, DataLine& line);

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

#include "platform/runtime/TextLines.h"

#include "platform/runtime/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace rt {

namespace {
constexpr std::size_t kChunk = 1 << 16;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Windows-1252 bytes 0x80-0x9F; the five unassigned ones keep their C1 code.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Whether bytes fed in pieces are valid UTF-8 so far: no overlong forms, no
// surrogates, nothing past U+10FFFF, and (for valid()) no sequence left open.
class Utf8State {
public:
    void feed(std::string_view bytes) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto* end = p + bytes.size();
        while (p < end && !bad_) {
            if (need_ == 0) {
                p = skipAscii(p, end);
                if (p < end)
                    lead(*p++);
            } else {
                continuation(*p++);
            }
        }
    }
    bool valid() const { return !bad_ && need_ == 0; }

private:
    static const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end) {
        for (std::uint64_t w; end - p >= 8; p += 8) {
            std::memcpy(&w, p, 8);
            if (w & 0x8080808080808080ULL)
                break;
        }
        while (p < end && *p < 0x80)
            ++p;
        return p;
    }
    void lead(unsigned char b) {
        lo_ = 0x80;
        hi_ = 0xBF;
        if (b >= 0xC2 && b <= 0xDF)
            need_ = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            need_ = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            need_ = 3;
        else
            bad_ = true;
        // The second byte's range rules out overlong forms, surrogates and
        // values past U+10FFFF.
        if (b == 0xE0)
            lo_ = 0xA0;
        else if (b == 0xED)
            hi_ = 0x9F;
        else if (b == 0xF0)
            lo_ = 0x90;
        else if (b == 0xF4)
            hi_ = 0x8F;
    }
    void continuation(unsigned char b) {
        if (b < lo_ || b > hi_)
            bad_ = true;
        lo_ = 0x80;
        hi_ = 0xBF;
        --need_;
    }

    int need_ = 0;
    unsigned char lo_ = 0x80;
    unsigned char hi_ = 0xBF;
    bool bad_ = false;
};

// A data line read in pieces: the first bytes are kept (enough for the held
// characters in either decoding), the rest only counted.
class DataLineBuilder {
public:
    static constexpr std::size_t kHeadBytes = 4 * DataLine::kHeldChars;

    explicit DataLineBuilder(DataLine& line) : line_(line) { line_.text.clear(); }

    void feed(std::string_view bytes) {
        if (line_.text.size() < kHeadBytes)
            line_.text.append(bytes.substr(0, kHeadBytes - line_.text.size()));
        utf8_.feed(bytes);
        bytes_ += bytes.size();
        for (char c : bytes) {
            starts_ += !isContinuation(static_cast<unsigned char>(c));
            bars_ += c == '|';
            blank_ = blank_ && c == ' ';
        }
    }

    void finish() {
        std::string& text = line_.text;
        if (utf8_.valid()) {
            line_.length = starts_;
            text.resize(byteOffset(text, DataLine::kHeldChars));
        } else {
            line_.length = bytes_;
            text = cp1252ToUtf8(std::string_view(text).substr(0, DataLine::kHeldChars));
        }
        line_.barsBeyond =
            bars_ - static_cast<std::size_t>(std::count(text.begin(), text.end(), '|'));
        line_.blank = blank_;
    }

private:
    DataLine& line_;
    Utf8State utf8_;
    std::size_t bytes_ = 0;
    std::size_t starts_ = 0;
    std::size_t bars_ = 0;
    bool blank_ = true;
};
} // namespace

LineReader::LineReader(int fd) : fd_(fd) {}

LineReader::~LineReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool LineReader::fill() {
    if (eofSeen_)
        return false;
    if (pos_ > 0) {
        buf_.erase(0, pos_);
        pos_ = 0;
    }
    const std::size_t old = buf_.size();
    buf_.resize(old + kChunk);
    ssize_t n;
    do {
        n = ::read(fd_, buf_.data() + old, kChunk);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        buf_.resize(old);
        raise(err::DeviceIoError);
    }
    buf_.resize(old + static_cast<std::size_t>(n));
    if (n == 0) {
        eofSeen_ = true;
        return false;
    }
    return true;
}

bool LineReader::atEnd() {
    while (pos_ >= buf_.size())
        if (!fill())
            return true;
    return false;
}

void LineReader::skipByteOrderMark() {
    static constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (!atStart_)
        return;
    atStart_ = false;
    while (buf_.size() - pos_ < kMark.size() && fill()) {
    }
    if (std::string_view(buf_).substr(pos_, kMark.size()) == kMark)
        pos_ += kMark.size();
}

bool LineReader::next(std::string& line) {
    atStart_ = false;
    if (atEnd())
        return false;
    line.clear();
    for (;;) {
        const char* start = buf_.data() + pos_;
        const std::size_t avail = buf_.size() - pos_;
        const void* cr = std::memchr(start, '\r', avail);
        if (cr) {
            const std::size_t k = static_cast<const char*>(cr) - start;
            line.append(start, k);
            pos_ += k + 1;
            if (pos_ >= buf_.size())
                fill();
            if (pos_ < buf_.size() && buf_[pos_] == '\n')
                ++pos_;
            return true;
        }
        line.append(start, avail);
        pos_ = buf_.size();
        if (!fill())
            return true;
    }
}

bool LineReader::nextData(DataLine& line) {
    atStart_ = false;
    if (atEnd())
        return false;
    std::optional<DataLineBuilder> largo;
    for (;;) {
        const char* start = buf_.data() + pos_;
        const std::size_t avail = buf_.size() - pos_;
        const void* cr = std::memchr(start, '\r', avail);
        const std::size_t k =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - start) : avail;
        if (cr && !largo && k <= DataLine::kHeldChars) {
            decodeDataLine(std::string_view(start, k), line);
        } else {
            if (!largo)
                largo.emplace(line);
            largo->feed(std::string_view(start, k));
        }
        if (cr) {
            pos_ += k + 1;
            if (pos_ >= buf_.size())
                fill();
            if (pos_ < buf_.size() && buf_[pos_] == '\n')
                ++pos_;
            break;
        }
        pos_ = buf_.size();
        if (!fill())
            break;
    }
    if (largo)
        largo->finish();
    return true;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t cr = text.find('\r', pos);
        if (cr == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, cr - pos));
        pos = cr + 1;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

bool isValidUtf8(std::string_view s) {
    Utf8State state;
    state.feed(s);
    return state.valid();
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else if (b < 0xA0)
            appendUtf8(out, kCp1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string decodeDataLine(std::string raw) {
    return isValidUtf8(raw) ? raw : cp1252ToUtf8(raw);
}

void decodeDataLine(std::string_view raw, DataLine& line) {
    if (isValidUtf8(raw)) {
        line.text.assign(raw);
        line.length = charLength(raw);
    } else {
        line.text = cp1252ToUtf8(raw);
        line.length = raw.size();
    }
    line.barsBeyond = 0;
    line.blank = raw.find_first_not_of(' ') == std::string_view::npos;
}

std::size_t charLength(std::string_view s) {
    // Continuation bytes (10xxxxxx) counted eight at a time.
    std::size_t continuations = 0;
    std::size_t i = 0;
    for (std::uint64_t w; i + 8 <= s.size(); i += 8) {
        std::memcpy(&w, s.data() + i, 8);
        // One bit per continuation byte, summed by a multiply into the top byte.
        const std::uint64_t bits = (w & ~(w << 1) & 0x8080808080808080ULL) >> 7;
        continuations += static_cast<std::size_t>((bits * 0x0101010101010101ULL) >> 56);
    }
    for (; i < s.size(); ++i)
        continuations += isContinuation(static_cast<unsigned char>(s[i]));
    return s.size() - continuations;
}

std::size_t byteOffset(std::string_view s, std::size_t charIndex) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isContinuation(static_cast<unsigned char>(s[i])))
            continue;
        if (chars == charIndex)
            return i;
        ++chars;
    }
    return s.size();
}

std::string mid(std::string_view s, std::size_t start, std::size_t count) {
    if (start < 1)
        raise(err::InvalidProcedureCall);
    const std::size_t from = byteOffset(s, start - 1);
    std::string_view rest = s.substr(from);
    return std::string(rest.substr(0, byteOffset(rest, count)));
}

std::string left(std::string_view s, std::size_t count) {
    return std::string(s.substr(0, byteOffset(s, count)));
}

std::string_view trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

namespace {
// Latin-1 letters are two UTF-8 bytes, C3 xx; upper and lower case differ by 0x20
// in the second byte (x80-x9E upper, xA0-xBE lower, ×/÷ excluded).
std::string changeCase(std::string_view s, bool toUpper) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto b = static_cast<unsigned char>(out[i]);
        if (toUpper && b >= 'a' && b <= 'z')
            out[i] = static_cast<char>(b - 0x20);
        else if (!toUpper && b >= 'A' && b <= 'Z')
            out[i] = static_cast<char>(b + 0x20);
        else if (b == 0xC3 && i + 1 < out.size()) {
            auto c = static_cast<unsigned char>(out[i + 1]);
            if (toUpper && c >= 0xA0 && c <= 0xBE && c != 0xB7)
                out[i + 1] = static_cast<char>(c - 0x20);
            else if (!toUpper && c >= 0x80 && c <= 0x9E && c != 0x97)
                out[i + 1] = static_cast<char>(c + 0x20);
            ++i;
        }
    }
    return out;
}
} // namespace

std::string upper(std::string_view s) {
    return changeCase(s, true);
}
std::string lower(std::string_view s) {
    return changeCase(s, false);
}

} // namespace rt

#include "platform/xml/SourceLine.h"

#include "platform/runtime/TextLines.h"
#include "platform/xml/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

namespace xml {

namespace {

class LineWindow {
public:
    LineWindow(long line, int linepos) : line_(line) {
        const std::size_t pos = linepos > 0 ? static_cast<std::size_t>(linepos) : 0;
        first_ = pos <= kSourceTextMax ? 0 : pos - 1 - kSourceTextMax / 2;
    }

    // Feeds one byte; false once nothing more is needed.
    bool feed(unsigned char b) {
        if (b == '\n' && prevCr_) {
            prevCr_ = false;
            return true;
        }
        prevCr_ = b == '\r';
        if (b == '\n' || b == '\r')
            return ++current_ <= line_;
        if (current_ == line_)
            return keep(b);
        return true;
    }
    const std::string& text() const { return text_; }

private:
    bool keep(unsigned char b) {
        if ((b & 0xC0) != 0x80)
            ++chars_;
        if (chars_ > first_ + kSourceTextMax)
            return false;
        if (chars_ > first_)
            text_.push_back(static_cast<char>(b));
        return true;
    }

    long line_;
    long current_ = 1;
    std::size_t first_ = 0;
    std::size_t chars_ = 0;
    bool prevCr_ = false;
    std::string text_;
};

} // namespace

std::string sourceLine(const std::string& path, long line, int linepos) {
    if (line <= 0)
        return {};
    FileDescriptor fd(path);
    if (!fd.isOpen())
        return {};
    LineWindow window(line, linepos);
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
            if (!window.feed(static_cast<unsigned char>(buf[i])))
                return rt::decodeDataLine(window.text());
    }
    return rt::decodeDataLine(window.text());
}

} // namespace xml

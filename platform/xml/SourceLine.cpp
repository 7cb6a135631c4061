#include "platform/xml/SourceLine.h"

#include "platform/runtime/LineCounter.h"
#include "platform/runtime/TextLines.h"
#include "platform/xml/Codificacion.h"
#include "platform/xml/FileDescriptor.h"

#include <cerrno>
#include <cstdint>
#include <string_view>
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
        lines_.step(static_cast<char>(b));
        if (b == '\n' || b == '\r')
            return lines_.line() <= static_cast<std::uint64_t>(line_);
        return lines_.line() != static_cast<std::uint64_t>(line_) || keep(b);
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
    rt::LineCounter lines_;
    std::size_t first_ = 0;
    std::size_t chars_ = 0;
    std::string text_;
};

std::string decodificada(const std::string& bytes, const std::string& encoding) {
    if (!encoding.empty() && Codificacion::conservaAscii(encoding))
        // The parser's UTF-8 decoder passes bytes that are not UTF-8 on.
        if (std::optional<std::string> texto = Codificacion::texto(encoding, bytes);
            texto && rt::isValidUtf8(*texto))
            return std::move(*texto);
    return rt::decodeDataLine(bytes);
}

} // namespace

std::string sourceLine(const std::string& path, long line, int linepos,
                       const std::string& encoding) {
    if (line <= 0)
        return {};
    FileDescriptor fd(path);
    if (!fd.isOpen())
        return {};
    LineWindow window(line, linepos);
    char buf[65536];
    for (bool first = true;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        // A byte-order mark is no part of the first line.
        const std::string_view start(buf, static_cast<std::size_t>(n));
        const ssize_t mark = first && start.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        first = false;
        for (ssize_t i = mark; i < n; ++i)
            if (!window.feed(static_cast<unsigned char>(buf[i])))
                return decodificada(window.text(), encoding);
    }
    return decodificada(window.text(), encoding);
}

} // namespace xml

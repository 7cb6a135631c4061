#pragma once
// Lines as the taxpayer's editor counts them, which is how every message that
// names a line counts them: CR LF, a lone CR and a lone LF each end one. The
// road's line reader ends its lines at CR LF and at a lone CR; a lone LF it
// keeps inside a line still starts a new line here.
#include <cstdint>
#include <string_view>

namespace rt {

class LineCounter {
public:
    // Takes the next byte of the text; true when it ends a line (the LF of a
    // CR LF does not: the CR did).
    bool step(char c) {
        const bool ends = c == '\r' || (c == '\n' && !afterCr_);
        afterCr_ = c == '\r';
        line_ += ends ? 1 : 0;
        return ends;
    }
    // Takes the next bytes of the text.
    void feed(std::string_view bytes);
    // The line, from 1, on which the text taken so far ends.
    std::uint64_t line() const { return line_; }

    // The line on which the byte at offset lies in the file open as fd, read
    // from its start without moving its offset; 1 when it cannot be read.
    static std::uint64_t lineAt(int fd, std::uint64_t offset);

private:
    std::uint64_t line_ = 1;
    bool afterCr_ = false;
};

} // namespace rt

#include "platform/runtime/LineCounter.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace rt {

// Every CR and every LF, less the LFs that follow a CR: whole documents pass
// here, so the counts run over the bytes rather than a step per byte.
void LineCounter::feed(std::string_view bytes) {
    if (bytes.empty())
        return;
    std::uint64_t ends = static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (afterCr_ && bytes.front() == '\n')
        --ends;
    for (std::size_t i = bytes.find('\r'); i != std::string_view::npos; i = bytes.find('\r', i + 1))
        ends += i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 0 : 1;
    line_ += ends;
    afterCr_ = bytes.back() == '\r';
}

std::uint64_t LineCounter::lineAt(int fd, std::uint64_t offset) {
    LineCounter counter;
    char buf[65536];
    for (std::uint64_t done = 0; done < offset;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buf, offset - done));
        const ssize_t n = ::pread(fd, buf, want, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        counter.feed(std::string_view(buf, static_cast<std::size_t>(n)));
        done += static_cast<std::uint64_t>(n);
    }
    return counter.line();
}

} // namespace rt

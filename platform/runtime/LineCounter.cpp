#include "platform/runtime/LineCounter.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace rt {

void LineCounter::feed(std::string_view bytes) {
    for (const char c : bytes)
        step(c);
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

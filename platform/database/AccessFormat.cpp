#include "platform/database/Database.h"

#include "platform/runtime/FileSystem.h"

#include <fstream>
#include <string_view>

namespace db {

bool isAccessFile(const std::string& path) {
    // Both engines' files name their format at byte 4.
    constexpr std::size_t kPosition = 4;
    constexpr std::string_view kJet = "Standard Jet DB";
    constexpr std::string_view kAce = "Standard ACE DB";
    std::ifstream in(rt::resolveCase(path), std::ios::binary);
    char head[kPosition + kJet.size()] = {};
    if (!in.read(head, sizeof head))
        return false;
    const std::string_view name(head + kPosition, kJet.size());
    return name == kJet || name == kAce;
}

} // namespace db

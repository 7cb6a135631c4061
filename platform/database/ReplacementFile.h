#pragma once
// A new file made beside an existing one, which either replaces it atomically
// (synced, the old file's permissions kept) or is deleted when it goes out of
// scope.
#include <string>

namespace db {

class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& original);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const std::string& path() const { return path_; }
    // Syncs the new file, gives it the original's permission bits and renames
    // it over the original, then syncs the folder.
    void replaceOriginal();

private:
    std::string original_;
    std::string path_;
    bool done_ = false;
};

} // namespace db

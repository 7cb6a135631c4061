#include "platform/database/ReplacementFile.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace db {

namespace {

std::string folderOf(const std::string& file) {
    std::size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

void syncPath(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        rt::raiseFileError(errno);
    int rc = ::fsync(fd);
    int error = errno;
    ::close(fd);
    if (rc != 0 && error != EINVAL) // some file systems cannot sync a folder
        rt::raiseFileError(error);
}

} // namespace

ReplacementFile::ReplacementFile(const std::string& original) : original_(original) {
    std::size_t slash = original.rfind('/');
    std::string name = slash == std::string::npos ? original : original.substr(slash + 1);
    std::string pattern = folderOf(original) + "/." + name + ".nuevo-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        rt::raiseFileError(errno);
    ::close(fd);
    path_ = pattern;
}

ReplacementFile::~ReplacementFile() {
    if (!done_)
        ::unlink(path_.c_str());
}

void ReplacementFile::replaceOriginal() {
    syncPath(path_, O_RDONLY);
    struct stat st {};
    if (::stat(original_.c_str(), &st) == 0)
        ::chmod(path_.c_str(), st.st_mode & 07777);
    if (::rename(path_.c_str(), original_.c_str()) != 0)
        rt::raiseFileError(errno);
    done_ = true;
    syncPath(folderOf(original_), O_RDONLY | O_DIRECTORY);
}

} // namespace db

#include "platform/runtime/FileSystem.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"
#include "platform/runtime/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rt {

namespace {
std::string withoutTrailingSlash(std::string p) {
    while (!p.empty() && p.back() == '/')
        p.pop_back();
    return p;
}

std::string parentOf(const std::string& p) {
    const auto slash = p.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

bool statOf(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0;
}

// The name itself: a link is not followed, so a dangling one exists too.
bool lstatOf(const std::string& path, struct stat& st) {
    return ::lstat(path.c_str(), &st) == 0;
}

// Work files hold the plain declaration: only their owner may read them.
int openOrRaise(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        raiseFileError(errno);
    return fd;
}

int createFreshWith(const std::string& path, int flags) {
    struct stat st {};
    if (lstatOf(path, st)) {
        if (S_ISCHR(st.st_mode))
            return openOrRaise(path, flags);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            raise(err::PathFileAccess);
    }
    return openOrRaise(path, flags | O_CREAT | O_EXCL);
}

// A file this user made and no one else can have named elsewhere.
bool ownFile(const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
}

// The entry of folder whose name equals name without regard to case.
std::string findCaseless(const std::string& folder, const std::string& name) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "/" : folder.c_str()),
                                            ::closedir);
    if (!dir)
        return {};
    const std::string wanted = lower(name);
    while (dirent* e = ::readdir(dir.get())) {
        if (lower(e->d_name) == wanted)
            return e->d_name;
    }
    return {};
}
// Only names inside the data folder are matched without regard to case: a
// work file in the temporary folder must never stand for another file.
std::string caseless(const std::string& path) {
    const std::string root = withoutTrailingSlash(drive()) + "/";
    if (path.compare(0, root.size(), root) != 0)
        return path;
    const std::string first = path.substr(root.size(), path.find('/', root.size()) - root.size());
    return lower(first) == "datosnuro" ? resolveCase(path) : path;
}
} // namespace

std::string DateTime::compact() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute,
                  second);
    return buf;
}

std::string programFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    return parentOf(std::string(buf, static_cast<std::size_t>(n)));
}

std::string drive() {
    if (const char* d = std::getenv("NURO_DRIVE"); d && *d)
        return withoutTrailingSlash(d);
    return mountPoint(programFolder());
}

std::string mountPoint(const std::string& folder) {
    std::string current = withoutTrailingSlash(folder);
    if (current.empty())
        return "";
    struct stat st {};
    if (!statOf(current, st))
        return "";
    const dev_t device = st.st_dev;
    while (current != "/") {
        const std::string parent = parentOf(current);
        struct stat pst {};
        if (parent == current || !statOf(parent, pst) || pst.st_dev != device)
            break;
        current = parent;
    }
    return current == "/" ? "" : current;
}

std::string driveWithSeparator() {
    return drive() + "/";
}

std::string tempFolder() {
    for (const char* name : {"tmp", "TMPDIR"}) {
        if (const char* v = std::getenv(name); v && *v)
            return withoutTrailingSlash(v);
    }
    return "/tmp";
}

std::string tempPath(const std::string& name) {
    return tempFolder() + "/" + name;
}

std::string resolveCase(const std::string& path) {
    if (path.empty())
        return path;
    struct stat st {};
    if (lstatOf(path, st))
        return path;
    std::string resolved = path[0] == '/' ? "" : ".";
    std::size_t pos = path[0] == '/' ? 1 : 0;
    bool matching = true;
    while (pos <= path.size()) {
        std::size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        std::string part = path.substr(pos, next - pos);
        if (!part.empty()) {
            const std::string candidate = resolved + "/" + part;
            if (matching && !lstatOf(candidate, st)) {
                const std::string found = findCaseless(resolved.empty() ? "/" : resolved, part);
                if (!found.empty())
                    part = found;
                else
                    matching = false;
            }
            resolved += "/" + part;
        }
        pos = next + 1;
    }
    if (path[0] != '/')
        resolved = resolved.substr(2);
    return resolved;
}

FileKind fileKind(const std::string& path) {
    struct stat st {};
    if (!statOf(caseless(path), st))
        return FileKind::None;
    if (S_ISREG(st.st_mode))
        return FileKind::Regular;
    if (S_ISDIR(st.st_mode))
        return FileKind::Folder;
    if (S_ISFIFO(st.st_mode))
        return FileKind::Fifo;
    if (S_ISSOCK(st.st_mode))
        return FileKind::Socket;
    return FileKind::Device;
}

bool fileExists(const std::string& path) {
    return fileKind(path) == FileKind::Regular;
}

bool normalFileExists(const std::string& path) {
    const std::string title = fileTitle(path);
    return !title.empty() && title[0] != '.' && fileExists(path);
}

bool folderExists(const std::string& path) {
    return fileKind(path) == FileKind::Folder;
}

bool isReadOnly(const std::string& path) {
    struct stat st {};
    return statOf(caseless(path), st) && (st.st_mode & S_IWUSR) == 0;
}

void deleteFile(const std::string& path) {
    const std::string p = caseless(path);
    struct stat st {};
    if (!lstatOf(p, st))
        raise(errno == ENOENT ? err::FileNotFound : err::PathFileAccess);
    if (S_ISDIR(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        raise(err::PathFileAccess);
    if (::unlink(p.c_str()) != 0)
        raise(errno == EACCES || errno == EPERM || errno == EROFS ? err::PermissionDenied
                                                                  : err::PathFileAccess);
}

void deleteFileQuiet(const std::string& path) noexcept {
    try {
        deleteFile(path);
    } catch (...) {
    }
}

int createFresh(const std::string& path) {
    return createFreshWith(path, 0);
}

int openForAppend(const std::string& path) {
    // Non-blocking, so that a FIFO planted at the name cannot hold the open.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // Missing, a link (ELOOP), a FIFO without a reader (ENXIO).
        if (errno == ENOENT || errno == ELOOP || errno == ENXIO)
            return createFreshWith(path, O_APPEND);
        raiseFileError(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (ownFile(st) || S_ISCHR(st.st_mode)) &&
        ::fcntl(fd, F_SETFL, O_APPEND) == 0)
        return fd;
    ::close(fd);
    return createFreshWith(path, O_APPEND);
}

DateTime fileDateTime(const std::string& path) {
    struct stat st {};
    if (!statOf(caseless(path), st))
        raise(err::FileNotFound);
    std::tm tm{};
    const std::time_t t = st.st_mtime;
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void changeFolder(const std::string& path) {
    if (::chdir(caseless(path).c_str()) != 0)
        raise(err::PathNotFound);
}

std::string fileTitle(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace rt

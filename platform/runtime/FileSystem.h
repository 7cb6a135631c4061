#pragma once
// The drive, the data folder, the temporary folder and the file operations the
// system relies on. Paths use "/"; names inside the data folder are matched
// without regard to case.
#include <string>

namespace rt {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    // "yyyymmddhhmmss"
    std::string compact() const;
};

// Folder of the running executable.
std::string programFolder();
// Root of the file system that holds the program folder (its mount point), or
// NURO_DRIVE when set; without a trailing "/" ("" for "/").
std::string drive();
// The mount point of the file system that holds folder, walking up while the
// device stays the same; "" for "/" (and for a folder that does not exist).
std::string mountPoint(const std::string& folder);
// drive() + "/"
std::string driveWithSeparator();
// The environment variable tmp; when unset or empty TMPDIR, then /tmp.
// Read anew at each call.
std::string tempFolder();
// tempFolder() + "/" + name
std::string tempPath(const std::string& name);

// The path with each existing component resolved without regard to case; the
// path unchanged where nothing matches. The file operations below do this by
// themselves for paths inside the data folder (drive + "/DatosNuro") only.
std::string resolveCase(const std::string& path);

// What stands at a path, links followed.
enum class FileKind { None, Regular, Folder, Fifo, Device, Socket };
FileKind fileKind(const std::string& path);

bool fileExists(const std::string& path);       // a regular file
bool normalFileExists(const std::string& path); // a regular file whose name is not hidden (.name)
bool folderExists(const std::string& path);
bool isReadOnly(const std::string& path); // no owner-write bit in the mode

// Removes the name, never what a link names: a file, a link (dangling too), a
// FIFO. 53 missing, 70 refused, 75 for a folder, a device or anything else.
void deleteFile(const std::string& path);
void deleteFileQuiet(const std::string& path) noexcept;

// Files the system writes may lie in a folder every user can write (/tmp), so
// none is opened through a link planted at its name. Both return a descriptor
// open for writing, which the caller owns.
// A file created afresh: whatever stands at the name (a file, a link, a FIFO)
// is removed first, then the file is created exclusively, readable by its
// owner only (mode 0600: work files hold the declaration). A name that cannot
// be removed: 75. A character device (only a privileged user can make one:
// /dev/null, /dev/full) is opened as it stands.
int createFresh(const std::string& path);
// For appending: a regular file of this user's with no other name (one the
// system created, never a file planted by another user nor a hard link to a
// file elsewhere) is added to; anything else at the name is created afresh.
int openForAppend(const std::string& path);
DateTime fileDateTime(const std::string& path); // last modification, local time
void changeFolder(const std::string& path);     // 76 when missing
// Name without its folder.
std::string fileTitle(const std::string& path);

} // namespace rt

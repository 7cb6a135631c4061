#pragma once
// Test helpers: a throwaway folder removed at the end, environment variables
// set for the duration of a test, whole-file reads and writes.
#include <functional>
#include <string>

namespace testenv {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sets (or, with nullptr, unsets) an environment variable; restores it after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

std::string readFile(const std::string& path);
// unit written times times in a row.
std::string repeat(const std::string& unit, int times);
void writeFile(const std::string& path, const std::string& bytes);
// True when this process may run code as another user (it runs as root).
bool canRunAsOtherUser();
// Runs f in a child process as the user nobody (uid and gid 65534, no other
// groups), who may read what root leaves readable but write nothing root owns,
// and returns what f returned. The privileges are dropped in the child itself,
// as setpriv would, so neither the build nor the sources need to be readable
// by nobody. Throws when the child cannot drop them or does not end normally.
std::string runAsOtherUser(const std::function<std::string()>& f);
// Opens the folders from path up to its temporary test folder to everybody
// (mode 755), so another user can reach what lies inside.
void openPathToOthers(const std::string& path);

// Folder of the test fixtures (tests/data).
std::string dataDir();
// Folder of the sample data (sample/).
std::string sampleDir();

} // namespace testenv

#include "tests/support/TestEnv.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testenv {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "nuro-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Read-only files left by a test must not stop the removal.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* v = std::getenv(name)) {
        had_ = true;
        old_ = v;
    }
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string repeat(const std::string& unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out << bytes;
}

bool canRunAsOtherUser() {
    return geteuid() == 0;
}

namespace {

constexpr uid_t kNobody = 65534;

[[noreturn]] void runChild(int out, const std::function<std::string()>& f) {
    if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
        setresuid(kNobody, kNobody, kNobody) != 0)
        _exit(3);
    std::string result;
    try {
        result = f();
    } catch (const std::exception& e) {
        result = std::string("exception: ") + e.what();
    } catch (...) {
        result = "exception";
    }
    for (std::size_t done = 0; done < result.size();) {
        const ssize_t n = write(out, result.data() + done, result.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(4);
        done += static_cast<std::size_t>(n);
    }
    // No atexit handlers: they belong to the parent's test program.
    _exit(0);
}

} // namespace

std::string runAsOtherUser(const std::function<std::string()>& f) {
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        close(ends[0]);
        runChild(ends[1], f);
    }
    close(ends[1]);
    std::string result;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(ends[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.append(buf, static_cast<std::size_t>(n));
    }
    close(ends[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the child as another user failed (status " +
                                 std::to_string(status) + ")");
    return result;
}

void openPathToOthers(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path top = fs::temp_directory_path();
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec;
    for (fs::path p = path; !p.empty() && p != top && p != p.parent_path(); p = p.parent_path())
        fs::permissions(p, open, fs::perm_options::add);
}

static std::string envOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

std::string dataDir() {
    return envOr("NURO_TEST_DATA", NURO_SOURCE_DIR "/tests/data");
}
std::string sampleDir() {
    return envOr("NURO_SAMPLE", NURO_SOURCE_DIR "/sample");
}

} // namespace testenv

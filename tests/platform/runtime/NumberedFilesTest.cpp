#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/TestEnv.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

class NumberedFiles : public ::testing::Test {
protected:
    void TearDown() override { rt::CloseAll(); }
    testenv::TempDir dir;
};

TEST_F(NumberedFiles, ClassicErrorNumbers) {
    const std::string present = dir.file("present.txt");
    testenv::writeFile(present, "one\r\n");
    struct Case {
        const char* name;
        std::function<void()> action;
        int error;
    };
    const Case cases[] = {
        {"missing input", [&] { rt::Open(dir.file("none"), rt::OpenMode::Input, 1); }, 53},
        {"missing folder", [&] { rt::Open(dir.file("no/x"), rt::OpenMode::Output, 1); }, 76},
        {"read unopened", [] { rt::LineInput(9); }, 52},
        {"write unopened", [] { rt::PrintLine(9, "x"); }, 52},
        {"eof unopened", [] { rt::Eof(9); }, 52},
        {"number zero", [&] { rt::Open(present, rt::OpenMode::Input, 0); }, 52},
        {"past end",
         [&] {
             rt::Open(present, rt::OpenMode::Input, 2);
             rt::LineInput(2);
             rt::LineInput(2);
         },
         62},
        {"already open",
         [&] {
             rt::Open(present, rt::OpenMode::Input, 3);
             rt::Open(present, rt::OpenMode::Input, 3);
         },
         55},
        {"read an output file",
         [&] {
             rt::Open(dir.file("out"), rt::OpenMode::Output, 4);
             rt::LineInput(4);
         },
         54},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.action), c.error) << c.name;
        rt::CloseAll();
    }
}

TEST_F(NumberedFiles, OutputAppendAndClose) {
    const std::string path = dir.file("f.txt");
    rt::Open(path, rt::OpenMode::Output, 1);
    rt::PrintLine(1, "a");
    rt::Close(1);
    rt::Open(path, rt::OpenMode::Append, 1);
    rt::PrintLine(1, "b\xF1");
    rt::Print(1, "c");
    rt::Close(1);
    EXPECT_EQ(testenv::readFile(path), "a\r\nb\xF1\r\nc");
    rt::Open(path, rt::OpenMode::Output, 1);
    rt::Close(1);
    EXPECT_EQ(testenv::readFile(path), "");
    rt::Close(1); // not open: nothing happens
    EXPECT_FALSE(rt::IsOpen(1));
}

// What another user of a shared folder can leave at a name the system
// writes: nothing is written through it, and the name ends up a file of the
// system's own holding only what was written, which only its owner can read
// whatever the umask.
TEST_F(NumberedFiles, WritingNeverGoesThroughWhatStandsAtTheName) {
    namespace fs = std::filesystem;
    const std::string victim = dir.file("victim.txt");
    const std::string dangling = dir.file("elsewhere.txt");
    struct Case {
        const char* name;
        std::function<void(const std::string&)> plant;
        rt::OpenMode mode;
        const char* expected; // the file at the name afterwards
    };
    const auto own = [](const std::string& at) {
        testenv::writeFile(at, "old\r\n");
        fs::permissions(at, fs::perms::owner_read | fs::perms::owner_write);
    };
    const auto link = [&](const std::string& at) { fs::create_symlink(victim, at); };
    const auto danglingLink = [&](const std::string& at) { fs::create_symlink(dangling, at); };
    const auto fifo = [](const std::string& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0666), 0); };
    const auto hardLink = [&](const std::string& at) { fs::create_hard_link(victim, at); };
    const auto otherUser = [](const std::string& at) {
        testenv::writeFile(at, "planted\r\n");
        ASSERT_EQ(::chown(at.c_str(), 65534, 65534), 0);
        fs::permissions(at, fs::perms::all);
    };
    std::vector<Case> cases = {
        {"own file, output", own, rt::OpenMode::Output, "new\r\n"},
        {"own file, append", own, rt::OpenMode::Append, "old\r\nnew\r\n"},
        {"link, output", link, rt::OpenMode::Output, "new\r\n"},
        {"link, append", link, rt::OpenMode::Append, "new\r\n"},
        {"dangling link, output", danglingLink, rt::OpenMode::Output, "new\r\n"},
        {"dangling link, append", danglingLink, rt::OpenMode::Append, "new\r\n"},
        {"fifo, output", fifo, rt::OpenMode::Output, "new\r\n"},
        {"fifo, append", fifo, rt::OpenMode::Append, "new\r\n"},
        {"hard link, output", hardLink, rt::OpenMode::Output, "new\r\n"},
        {"hard link, append", hardLink, rt::OpenMode::Append, "new\r\n"},
    };
    // Only root can give a file to another user.
    if (::geteuid() == 0)
        cases.push_back(
            {"another user's file, append", otherUser, rt::OpenMode::Append, "new\r\n"});
    const mode_t previousUmask = ::umask(0);
    for (const auto& c : cases) {
        const std::string at = dir.file("work.txt");
        testenv::writeFile(victim, "user's\r\n");
        c.plant(at);
        rt::Open(at, c.mode, 1);
        rt::PrintLine(1, "new");
        rt::Close(1);
        struct stat st {};
        EXPECT_EQ(::lstat(at.c_str(), &st), 0) << c.name;
        EXPECT_TRUE(S_ISREG(st.st_mode)) << c.name;
        EXPECT_EQ(st.st_mode & 07777, 0600u) << c.name;
        EXPECT_EQ(testenv::readFile(at), c.expected) << c.name;
        EXPECT_EQ(testenv::readFile(victim), "user's\r\n") << c.name;
        EXPECT_FALSE(fs::exists(dangling)) << c.name;
        fs::remove(at);
    }
    ::umask(previousUmask);
}

TEST_F(NumberedFiles, ANameThatCannotBeRemovedIsNotWritten) {
    std::filesystem::create_directories(dir.file("folder"));
    for (rt::OpenMode mode : {rt::OpenMode::Output, rt::OpenMode::Append}) {
        EXPECT_EQ(errorOf([&] { rt::Open(dir.file("folder"), mode, 1); }), 75);
        EXPECT_FALSE(rt::IsOpen(1));
    }
}

TEST_F(NumberedFiles, ClosingUnderAReaderStopsIt) {
    const std::string path = dir.file("in.txt");
    testenv::writeFile(path, "1\r\n2\r\n");
    rt::Open(path, rt::OpenMode::Input, 1);
    EXPECT_EQ(rt::LineInput(1), "1");
    rt::Close(1); // what a cancel does between two reads
    EXPECT_EQ(errorOf([] { rt::LineInput(1); }), 52);
}

TEST_F(NumberedFiles, CloserReportsAFullDiskOnlyWhenAskedTo) {
    {
        rt::FileCloser closer{3};
        rt::Open("/dev/full", rt::OpenMode::Append, 3);
        rt::PrintLine(3, "pending");
        EXPECT_EQ(errorOf([&] { closer.close(); }), 61);
        EXPECT_FALSE(rt::IsOpen(3));
    }
    {
        // Unwinding: the write that fails on the way out is dropped.
        rt::Open("/dev/full", rt::OpenMode::Append, 3);
        rt::PrintLine(3, "pending");
        EXPECT_EQ(errorOf([] {
                      rt::FileCloser closer{3};
                      rt::raise(62);
                  }),
                  62);
        EXPECT_FALSE(rt::IsOpen(3));
    }
}

} // namespace

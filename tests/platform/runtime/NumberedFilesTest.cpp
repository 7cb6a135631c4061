#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/support/TestEnv.h"

#include <functional>
#include <gtest/gtest.h>

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
